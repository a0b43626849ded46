#include "PlotAnalysis.h"

#include "PlotRootFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

struct Grid {
    std::vector<double> x;
    std::vector<double> y;
};

Grid gridOf(const PlotFunction& f, double xMin, double xMax, int intervals) {
    Grid grid;
    const int n = std::max(intervals, 2);
    grid.x.resize(static_cast<size_t>(n) + 1);
    grid.y.resize(grid.x.size());
    for (int i = 0; i <= n; ++i)
        grid.x[static_cast<size_t>(i)] = i == n ? xMax : xMin + (xMax - xMin) * i / n;
    f(grid.x.data(), grid.y.data(), static_cast<int>(grid.x.size()));
    return grid;
}

bool validRange(double xMin, double xMax) {
    return std::isfinite(xMin) && std::isfinite(xMax) && xMin < xMax;
}

// The zeros of f sampled as grid: exact zeros on the grid, and a bracketed root in every
// interval where the sign changes, unless the bracket closes on a pole or a jump (where |f|
// stays large instead of vanishing).
std::vector<double> zerosOf(const PlotFunction& f, const Grid& grid, int maxCount) {
    std::vector<double> zeros;
    const auto at = [&f](double x) { return evaluateAt(f, x); };
    for (size_t i = 0; i + 1 < grid.x.size() && static_cast<int>(zeros.size()) < maxCount; ++i) {
        const double ya = grid.y[i], yb = grid.y[i + 1];
        if (ya == 0.0) {
            zeros.push_back(grid.x[i]);
            continue;
        }
        if (!std::isfinite(ya) || !std::isfinite(yb) || yb == 0.0 || (ya > 0.0) == (yb > 0.0))
            continue;
        const double x = findRoot(at, grid.x[i], ya, grid.x[i + 1], yb);
        const double y = at(x);
        if (std::fabs(y) <= 1e-6 * std::max(std::fabs(ya), std::fabs(yb)))
            zeros.push_back(x);
    }
    if (static_cast<int>(zeros.size()) < maxCount && grid.y.back() == 0.0)
        zeros.push_back(grid.x.back());
    return zeros;
}

// One local extremum near grid point i (a peak for sign 1, a trough for -1), as the root of the
// estimated derivative between its neighbours. Empty when the refinement runs away from the
// grid's evidence: a peak that grows without bound as it is approached is a pole.
std::optional<PlotFeature> extremumNear(const PlotFunction& f, const Grid& grid, size_t i, int sign,
                                        int index) {
    const double xa = grid.x[i - 1], xb = grid.x[i + 1];
    const double h = (xb - xa) / 8.0;
    const auto slope = [&f, h](double x) { return estimateDerivative(f, x, h); };
    const double da = slope(xa), db = slope(xb);
    // The slope must turn between the neighbours; where it does not (beside a pole of tan x)
    // the grid's peak is no extremum.
    if (!std::isfinite(da) || !std::isfinite(db) || (da > 0.0) == (db > 0.0) || da == 0.0 ||
        db == 0.0)
        return std::nullopt;
    double x = findRoot(slope, xa, da, xb, db);
    double y = evaluateAt(f, x);
    const double best = grid.y[i];
    const double rise = sign * (best - (sign > 0 ? std::min(grid.y[i - 1], grid.y[i + 1])
                                                 : std::max(grid.y[i - 1], grid.y[i + 1])));
    if (!std::isfinite(y))
        return std::nullopt;
    if (sign * (y - best) < 0.0) {
        x = grid.x[i];
        y = best;
    } else if (sign * (y - best) > 10.0 * rise + 1e-12 * std::fabs(best)) {
        return std::nullopt;
    }
    // Still a peak a little to either side: a derivative estimate that straddled a pole can
    // turn its sign on a slope.
    const double delta = (xb - xa) * 1e-3;
    const double xs[2] = {x - delta, x + delta};
    double ys[2];
    f(xs, ys, 2);
    const double slack = 1e-12 * std::fabs(y);
    if (!(sign * (y - ys[0]) >= -slack && sign * (y - ys[1]) >= -slack))
        return std::nullopt;
    return PlotFeature{sign > 0 ? PlotFeature::Maximum : PlotFeature::Minimum, x, y, index};
}

QList<PlotFeature> extremaOf(const PlotFunction& f, int index, const Grid& grid, int maxCount) {
    QList<PlotFeature> found;
    for (size_t i = 1; i + 1 < grid.x.size() && found.size() < maxCount; ++i) {
        const double l = grid.y[i - 1], m = grid.y[i], r = grid.y[i + 1];
        if (!std::isfinite(l) || !std::isfinite(m) || !std::isfinite(r))
            continue;
        int sign = 0;
        if (m > l && m >= r)
            sign = 1;
        else if (m < l && m <= r)
            sign = -1;
        // A rise within rounding of the values is noise (sin(x)^2+cos(x)^2), no extremum.
        const double rise = sign > 0 ? m - std::min(l, r) : std::max(l, r) - m;
        const double noise = 64.0 * std::numeric_limits<double>::epsilon() *
                             std::max({std::fabs(l), std::fabs(m), std::fabs(r)});
        if (sign == 0 || !(rise > noise))
            continue;
        if (const auto feature = extremumNear(f, grid, i, sign, index))
            found.append(*feature);
    }
    return found;
}

double largestMagnitude(const Grid& grid) {
    double largest = 0.0;
    for (double y : grid.y)
        if (std::isfinite(y))
            largest = std::max(largest, std::fabs(y));
    return largest;
}

void sortByX(QList<PlotFeature>& features) {
    std::stable_sort(features.begin(), features.end(),
                     [](const PlotFeature& a, const PlotFeature& b) { return a.x < b.x; });
}

} // namespace

QList<PlotFeature> PlotAnalysis::roots(const PlotFunction& f, int index, double xMin, double xMax,
                                       const Options& options) {
    QList<PlotFeature> found;
    if (!validRange(xMin, xMax))
        return found;
    const Grid grid = gridOf(f, xMin, xMax, options.gridSize);
    for (double x : zerosOf(f, grid, options.maxCount))
        found.append({PlotFeature::Root, x, evaluateAt(f, x), index});
    // Touching roots: a trough or peak that reaches 0 without a sign change.
    const double scale = largestMagnitude(grid);
    const double near = (xMax - xMin) * 1e-9;
    for (const PlotFeature& extremum : extremaOf(f, index, grid, options.maxCount)) {
        if (found.size() >= options.maxCount)
            break;
        if (std::fabs(extremum.y) > 1e-14 * scale)
            continue;
        const bool known = std::any_of(found.begin(), found.end(), [&](const PlotFeature& root) {
            return std::fabs(root.x - extremum.x) <= near;
        });
        if (!known)
            found.append({PlotFeature::Root, extremum.x, extremum.y, index});
    }
    sortByX(found);
    return found;
}

QList<PlotFeature> PlotAnalysis::extrema(const PlotFunction& f, int index, double xMin, double xMax,
                                         const Options& options) {
    if (!validRange(xMin, xMax))
        return {};
    return extremaOf(f, index, gridOf(f, xMin, xMax, options.gridSize), options.maxCount);
}

QList<PlotFeature> PlotAnalysis::intersections(const PlotFunction& f, int index,
                                               const PlotFunction& g, int otherIndex, double xMin,
                                               double xMax, const Options& options) {
    QList<PlotFeature> found;
    if (!validRange(xMin, xMax))
        return found;
    const PlotFunction difference = [&f, &g](const double* x, double* y, int n) {
        std::vector<double> other(static_cast<size_t>(n));
        f(x, y, n);
        g(x, other.data(), n);
        for (int i = 0; i < n; ++i)
            y[i] -= other[static_cast<size_t>(i)];
    };
    const Grid grid = gridOf(difference, xMin, xMax, options.gridSize);
    for (double x : zerosOf(difference, grid, options.maxCount))
        found.append({PlotFeature::Intersection, x, evaluateAt(f, x), index, otherIndex});
    return found;
}

QList<PlotFeature> PlotAnalysis::analyse(const QList<PlotFunction>& functions, double xMin,
                                         double xMax, const Options& options) {
    QList<PlotFeature> zeros, turns, crossings;
    for (int i = 0; i < functions.size(); ++i) {
        zeros += roots(functions.at(i), i, xMin, xMax, options);
        turns += extrema(functions.at(i), i, xMin, xMax, options);
    }
    for (int i = 0; i < functions.size(); ++i)
        for (int j = i + 1; j < functions.size(); ++j)
            crossings += intersections(functions.at(i), i, functions.at(j), j, xMin, xMax, options);
    sortByX(zeros);
    sortByX(turns);
    sortByX(crossings);
    return zeros + turns + crossings;
}
