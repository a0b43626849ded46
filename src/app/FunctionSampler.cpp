#include "FunctionSampler.h"

#include "ScriptRunner.h"
#include "TypedText.h"

#include <limits>

FunctionSampler::FunctionSampler(const QMap<QString, QString>& table, mu::AngleUnit unit)
    : langTable(table), angle(unit) {}

FunctionSampler::~FunctionSampler() = default;

bool FunctionSampler::setExpression(const QString& text, const QString& variable,
                                    const mu::ScriptFunctionTable* table,
                                    const VariableLookup& variables) {
    compiled = false;
    message.clear();
    position = -1;
    // A parser of its own for each expression: the names of the last one are gone with it.
    copies.clear();
    functions = table ? *table : mu::ScriptFunctionTable();
    lookup = variables;
    parser = std::make_unique<mu::Parser>();
    parser->SetVariableFactory(&FunctionSampler::createVariable, this);
    parser->SetScriptFunctions(&functions);
    if (angle != mu::AngleUnit::Radians)
        parser->SetAngleUnit(angle);
    std::string bytes;
    toEngineText(text, bytes);
    try {
        if (!variable.isEmpty())
            parser->AddVariable(variable.toStdString(), &x);
        parser->SetExpression(bytes);
        // Compiles, at x = 0.
        x = 0.0;
        parser->Evaluate();
    } catch (const mu::ParserError& error) {
        const RunResult failure = failedRun(error, 1, text, langTable);
        message = failure.text;
        position = failure.position;
        return false;
    }
    compiled = true;
    return true;
}

void FunctionSampler::sample(const double* xs, double* ys, int n) {
    if (!compiled) {
        for (int i = 0; i < n; ++i)
            ys[i] = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    parser->EvaluateMany(&x, xs, ys, n);
}

double FunctionSampler::valueAt(double at) {
    double y = 0.0;
    sample(&at, &y, 1);
    return y;
}

double* FunctionSampler::variable(const QString& name) {
    const std::string key = name.toStdString();
    for (auto& [copied, value] : copies)
        if (copied == key)
            return &value;
    return nullptr;
}

double* FunctionSampler::createVariable(const char* a_szName, void* a_pUserData) {
    auto* sampler = static_cast<FunctionSampler*>(a_pUserData);
    std::optional<double> value;
    if (sampler->lookup)
        value = sampler->lookup(a_szName);
    return &sampler->copies.emplace_back(a_szName, value.value_or(0.0)).second;
}
