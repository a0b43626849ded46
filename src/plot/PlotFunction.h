#pragma once

#include <functional>

// One function of x as the plot module sees it: fills y[i] with f(x[i]) for i in [0, n). NaN and
// infinities are values like any other. Many x at once, so that a compiled expression runs its
// fast loop instead of one call per point.
using PlotFunction = std::function<void(const double* x, double* y, int n)>;

// f at one point, through the same batch entry.
inline double evaluateAt(const PlotFunction& f, double x) {
    double y = 0.0;
    f(&x, &y, 1);
    return y;
}
