#pragma once

#include <functional>

// Brent's method: a root of g between a and b, where g(a) = fa and g(b) = fb have opposite signs
// (or one is 0), to the last bit the bracket allows: it stops when the bracket is within two
// units in the last place of its end, or g is exactly 0.
double findRoot(const std::function<double(double)>& g, double a, double fa, double b, double fb);

// The derivative of g at x estimated from values: a five-point central difference at steps h and
// h/2, extrapolated (Richardson) so that the error falls as h^6. The eight values are taken in
// one batch through many.
double estimateDerivative(const std::function<void(const double*, double*, int)>& many, double x,
                          double h);
