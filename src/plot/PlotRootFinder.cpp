#include "PlotRootFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

double findRoot(const std::function<double(double)>& g, double a, double fa, double b, double fb) {
    if (fa == 0.0)
        return a;
    if (fb == 0.0)
        return b;
    constexpr double eps = std::numeric_limits<double>::epsilon();
    constexpr double tiny = std::numeric_limits<double>::min();
    double c = a, fc = fa, d = b - a, e = d;
    for (int iteration = 0; iteration < 400; ++iteration) {
        if ((fb > 0.0) == (fc > 0.0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2.0 * eps * std::fabs(b) + tiny;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0.0)
            return b;
        if (std::fabs(e) < tol || std::fabs(fa) <= std::fabs(fb)) {
            d = e = m;
        } else {
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2.0 * m * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2.0 * m * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
                q = -q;
            else
                p = -p;
            if (2.0 * p < std::min(3.0 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = m;
            }
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0.0 ? tol : -tol);
        fb = g(b);
        if (std::isnan(fb))
            return b;
    }
    return b;
}

double estimateDerivative(const std::function<void(const double*, double*, int)>& many, double x,
                          double h) {
    const double k = h / 2.0;
    const double xs[8] = {x - 2 * h, x - h, x + h, x + 2 * h, x - 2 * k, x - k, x + k, x + 2 * k};
    double ys[8];
    many(xs, ys, 8);
    const double coarse = (ys[0] - 8.0 * ys[1] + 8.0 * ys[2] - ys[3]) / (12.0 * h);
    const double fine = (ys[4] - 8.0 * ys[5] + 8.0 * ys[6] - ys[7]) / (12.0 * k);
    return (16.0 * fine - coarse) / 15.0;
}
