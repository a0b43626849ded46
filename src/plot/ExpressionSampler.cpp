#include "ExpressionSampler.h"

#include "TypedText.h"

#include <limits>
#include <string>

ExpressionSampler::ExpressionSampler() = default;
ExpressionSampler::~ExpressionSampler() = default;

double* ExpressionSampler::createName(const char* name, void* self) {
    auto* sampler = static_cast<ExpressionSampler*>(self);
    const std::optional<double> value =
        sampler->lookup ? sampler->lookup(name) : std::optional<double>();
    return &sampler->otherNames.emplace_back(value.value_or(0.0));
}

bool ExpressionSampler::setExpression(const QString& text, const QString& variable,
                                      mu::AngleUnit angle, const ExpressionVariables& variables,
                                      const mu::ScriptFunctionTable* functions) {
    parser = std::make_unique<mu::Parser>();
    lookup = variables;
    otherNames.clear();
    message.clear();
    try {
        parser->SetAngleUnit(angle);
        parser->SetScriptFunctions(functions);
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
    parser->EvaluateMany(&variableValue, x, y, n);
}
