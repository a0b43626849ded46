#include "GraphExpressionSampler.h"

#include "Parser.h"
#include "TypedText.h"

#include <cmath>
#include <limits>
#include <string>

GraphExpressionSampler::GraphExpressionSampler() = default;
GraphExpressionSampler::~GraphExpressionSampler() = default;

double* GraphExpressionSampler::createVariable(const char* name, void* sampler) {
    auto* self = static_cast<GraphExpressionSampler*>(sampler);
    const std::optional<double> value =
        self->lookup ? self->lookup(QString::fromLatin1(name)) : std::nullopt;
    return &self->others.emplace_back(value.value_or(0.0));
}

bool GraphExpressionSampler::setExpression(const QString& text, const QString& variable,
                                           const mu::ScriptFunctionTable* functions,
                                           VariableLookup variables, mu::AngleUnit angle) {
    parser = std::make_unique<mu::Parser>();
    others.clear();
    lookup = std::move(variables);
    message.clear();
    token.clear();
    try {
        parser->SetAngleUnit(angle);
        parser->SetScriptFunctions(functions);
        parser->AddVariable(variable.toStdString(), &variableValue);
        parser->SetVariableFactory(&GraphExpressionSampler::createVariable, this);
        std::string bytes;
        toEngineText(text, bytes);
        parser->SetExpression(bytes);
        parser->Evaluate();
    } catch (const mu::ParserError& error) {
        message = QString::fromStdString(error.message());
        token = QString::fromStdString(error.token());
        parser.reset();
        return false;
    }
    return true;
}

void GraphExpressionSampler::sample(const double* x, double* y, int n) {
    if (!parser) {
        for (int i = 0; i < n; ++i)
            y[i] = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    try {
        parser->EvaluateMany(&variableValue, x, y, n);
    } catch (const mu::ParserError&) {
        for (int i = 0; i < n; ++i)
            y[i] = valueAt(x[i]);
    }
}

double GraphExpressionSampler::valueAt(double x) {
    if (!parser)
        return std::numeric_limits<double>::quiet_NaN();
    variableValue = x;
    try {
        return parser->Evaluate();
    } catch (const mu::ParserError&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}
