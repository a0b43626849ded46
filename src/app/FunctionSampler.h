#pragma once

#include "Parser.h"
#include "ScriptFunctionTable.h"

#include <QMap>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The value of a run's variable by name; nullopt for a name the run never met (it reads as 0).
using VariableLookup = std::function<std::optional<double>(std::string_view name)>;

// One expression in one variable, compiled once against a run's functions and variables and then
// evaluated for many values of that variable, as a graph or a table of values needs:
//
//   setExpression("f(x)", "x", run functions, run variables) --> mu::Parser (calls expanded)
//   sample(x[], y[], n) --> EvaluateMany --> y[i] = expression at x[i]
//
// The run's functions and variables are copied when the expression is set, so the run may go on or
// end; the copied variables can be changed afterwards (variable()) without compiling again.
class FunctionSampler {
public:
    // langTable words the errors; without it error() gives the engine's key.
    explicit FunctionSampler(const QMap<QString, QString>& langTable = {},
                             mu::AngleUnit angle = mu::AngleUnit::Radians);
    ~FunctionSampler();
    FunctionSampler(const FunctionSampler&) = delete;
    FunctionSampler& operator=(const FunctionSampler&) = delete;

    // Compiles text (one line of script, no definition) with variable as the sampled name, calls
    // going to functions (may be null: none). Names other than variable read their value from
    // variables (may be empty: all read 0). False, with error() and errorPosition() set, when
    // text does not compile; sample() then gives NaN.
    bool setExpression(const QString& text, const QString& variable,
                       const mu::ScriptFunctionTable* functions, const VariableLookup& variables);
    // y[i] = the expression with the variable at x[i], for i < n.
    void sample(const double* x, double* y, int n);
    // One value.
    double valueAt(double x);

    bool ok() const { return compiled; }
    // The message of the last failed setExpression, as the error box words it; empty when ok.
    QString error() const { return message; }
    // Its 0-based position in text, or -1.
    int errorPosition() const { return position; }
    // The sampler's copy of a run variable that the expression reads, or null when it reads no
    // such name. A new value applies from the next sample().
    double* variable(const QString& name);

private:
    static double* createVariable(const char* a_szName, void* a_pUserData);

    QMap<QString, QString> langTable;
    mu::AngleUnit angle;
    mu::ScriptFunctionTable functions;
    std::unique_ptr<mu::Parser> parser;
    VariableLookup lookup;
    double x = 0.0;
    // The values of the other names, in the order the engine met them; a deque never moves them.
    std::deque<std::pair<std::string, double>> copies;
    bool compiled = false;
    QString message;
    int position = -1;
};
