#include "ExpressionSampler.h"

#include "TypedText.h"

#include <limits>
#include <string>

ExpressionSampler::ExpressionSampler() = default;
ExpressionSampler::~ExpressionSampler() = default;

double* ExpressionSampler::createName(const char*, void* self) {
    auto* sampler = static_cast<ExpressionSampler*>(self);
    return &sampler->otherNames.emplace_back(0.0);
}

bool ExpressionSampler::setExpression(const QString& text, const QString& variable,
                                      mu::AngleUnit angle) {
    parser = std::make_unique<mu::Parser>();
    otherNames.clear();
    message.clear();
    try {
        parser->SetAngleUnit(angle);
        parser->AddVariable(variable.toStdString(), &variableValue);
        parser->SetVariableFactory(&ExpressionSampler::createName, this);
        std::string bytes;
        toEngineText(text, bytes);
        parser->SetExpression(bytes);
        // The first evaluation compiles: errors show here, not while sampling.
        variableValue = 0.0;
        parser->Evaluate();
        return true;
    } catch (const mu::ParserError& error) {
        message = QString::fromStdString(error.message());
        if (!error.token().empty())
            message += QStringLiteral(" '%1'").arg(QString::fromStdString(error.token()));
        parser.reset();
        return false;
    }
}

void ExpressionSampler::sample(const double* x, double* y, int n) {
    if (!parser) {
        for (int i = 0; i < n; ++i)
            y[i] = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    for (int i = 0; i < n; ++i) {
        variableValue = x[i];
        y[i] = parser->Evaluate();
    }
}
