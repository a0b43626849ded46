#pragma once
// Functions of x for the plot tests, as the engine would compute them from typed text.
#include "ExpressionSampler.h"
#include "PlotFunction.h"

#include <memory>

// The function an expression in x stands for; the sampler lives as long as the function.
inline PlotFunction functionOf(const char* text) {
    auto sampler = std::make_shared<ExpressionSampler>();
    if (!sampler->setExpression(QString::fromUtf8(text), QStringLiteral("x")))
        throw std::runtime_error(sampler->error().toStdString());
    return [sampler](const double* x, double* y, int n) { sampler->sample(x, y, n); };
}
