#pragma once

#include "Parser.h"
#include "ScriptFunctionTable.h"

#include <QString>

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string_view>

// The value of a script variable by name; nullopt for a name the script never met (it reads 0).
using ExpressionVariables = std::function<std::optional<double>(std::string_view name)>;

// One expression in one variable, compiled once and evaluated for many values of it through the
// engine's many-values entry: the plain-expression source of a plotted function (the command
// line's last line, a typed expression).
class ExpressionSampler {
public:
    ExpressionSampler();
    ~ExpressionSampler();

    // Compiles text; false with the engine's message in error() when it does not compile. Names
    // other than variable take their values from variables when given (read once, here), else 0.
    // Calls of the script's functions (may be null: none; must outlive the sampler) compile to
    // their bodies.
    bool setExpression(const QString& text, const QString& variable,
                       mu::AngleUnit angle = mu::AngleUnit::Radians,
                       const ExpressionVariables& variables = {},
                       const mu::ScriptFunctionTable* functions = nullptr);
    void sample(const double* x, double* y, int n);
    QString error() const { return message; }

private:
    static double* createName(const char* name, void* self);

    std::unique_ptr<mu::Parser> parser;
    double variableValue = 0.0;
    ExpressionVariables lookup;
    std::list<double> otherNames;
    QString message;
};
