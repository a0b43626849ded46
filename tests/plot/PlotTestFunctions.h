#pragma once
// Functions of x for the plot tests, as the engine would compute them from typed text.
#include "FunctionSampler.h"
#include "PlotFunction.h"

#include <memory>

// The function an expression in x stands for; the sampler lives as long as the function.
inline PlotFunction functionOf(const char* text) {
    auto sampler = std::make_shared<FunctionSampler>();
    if (!sampler->setExpression(QString::fromUtf8(text), QStringLiteral("x"), nullptr, {}))
        throw std::runtime_error(sampler->error().toStdString());
    return [sampler](const double* x, double* y, int n) { sampler->sample(x, y, n); };
}
