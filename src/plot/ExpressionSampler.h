#pragma once

#include "Parser.h"

#include <QString>

#include <list>
#include <memory>

// One expression in one variable, compiled once and evaluated for many values of it: the
// plain-expression source of a plotted function (the command line's last line, a typed
// expression). Names other than the variable read 0.
class ExpressionSampler {
public:
    ExpressionSampler();
    ~ExpressionSampler();

    // Compiles text; false with the engine's message in error() when it does not compile.
    bool setExpression(const QString& text, const QString& variable,
                       mu::AngleUnit angle = mu::AngleUnit::Radians);
    void sample(const double* x, double* y, int n);
    QString error() const { return message; }

private:
    static double* createName(const char* name, void* self);

    std::unique_ptr<mu::Parser> parser;
    double variableValue = 0.0;
    std::list<double> otherNames;
    QString message;
};
