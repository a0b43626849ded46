#pragma once

#include "RunOptions.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace mu {
class Parser;
class ScriptFunctionTable;
} // namespace mu

// One expression in one variable, compiled once against the script's functions and evaluated for
// many values of the variable: a curve of the graph. Any other name the expression reads takes the
// value lookup gives it when the expression is set (0 when it gives none), as the script's
// variables stood after the run.
class GraphExpressionSampler {
public:
    using VariableLookup = std::function<std::optional<double>(const QString& name)>;

    GraphExpressionSampler();
    ~GraphExpressionSampler();
    GraphExpressionSampler(const GraphExpressionSampler&) = delete;
    GraphExpressionSampler& operator=(const GraphExpressionSampler&) = delete;

    // False, with error() telling why, when the text does not compile. functions (may be null)
    // must outlive the sampler.
    bool setExpression(const QString& text, const QString& variable,
                       const mu::ScriptFunctionTable* functions, VariableLookup lookup,
                       mu::AngleUnit angle = mu::AngleUnit::Radians);
    void sample(const double* x, double* y, int n);
    double valueAt(double x);
    // The string table's key of the failure, and the token it names.
    QString error() const { return message; }
    QString errorToken() const { return token; }

private:
    static double* createVariable(const char* name, void* sampler);

    std::unique_ptr<mu::Parser> parser;
    double variableValue = 0.0;
    std::deque<double> others;
    VariableLookup lookup;
    QString message, token;
};
