#include "PlotSampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Point {
    double x;
    double y;
};

struct Interval {
    Point a;
    Point b;
    int depth;
};

// A jump or a domain edge being followed by bisection.
struct Bracket {
    Point lo;
    Point hi;
    bool done = false;
    bool gap = false;
};

// Everything one sampling needs at hand: the function, the view, the values taken so far.
class Sampling {
public:
    Sampling(const PlotFunction& function, const PlotView& shown, const PlotSampler::Limits& chosen)
        : f(function), view(shown), limits(chosen),
          budget(std::max(chosen.budgetPerPixel, 4) * std::max(shown.width(), 1)) {}

    PlotCurve run();

private:
    // Evaluates f at xs in one batch, keeps the points and returns the values.
    const std::vector<double>& evaluate(const std::vector<double>& xs);
    void grid();
    void refine();
    void followJumpsAndEdges();
    PlotCurve pieces();

    double pixelY(double y) const { return view.yToPixel(y); }
    double displayY(double y) const;
    bool bends(const Point& a, const Point& m, const Point& b) const;
    void bisect(std::vector<Bracket>& brackets, bool edges);

    const PlotFunction& f;
    const PlotView& view;
    const PlotSampler::Limits& limits;
    const int budget;
    std::vector<Point> points;
    std::vector<double> values;
    std::vector<double> breaks; // a gap follows the point at each of these x
    std::vector<Interval> pending;
    double finest = 0.0;
};

const std::vector<double>& Sampling::evaluate(const std::vector<double>& xs) {
    values.resize(xs.size());
    if (!xs.empty())
        f(xs.data(), values.data(), static_cast<int>(xs.size()));
    for (size_t i = 0; i < xs.size(); ++i)
        points.push_back({xs[i], values[i]});
    return values;
}

void Sampling::grid() {
    const int columns = std::max(view.width(), 1);
    const double a = view.xMin(), b = view.xMax();
    std::vector<double> xs(static_cast<size_t>(columns) + 1);
    for (int i = 0; i <= columns; ++i)
        xs[static_cast<size_t>(i)] = i == columns ? b : a + (b - a) * i / columns;
    evaluate(xs);
    for (int i = 0; i < columns; ++i)
        pending.push_back({points[static_cast<size_t>(i)], points[static_cast<size_t>(i) + 1], 0});
    finest = (b - a) / columns / std::ldexp(1.0, limits.maxDepth);
}

// The pixel row, with distances beyond a view height past either edge compressed
// logarithmically: bends far off the view cost no refinement, while the growth towards a pole
// (a logarithm that itself diverges) still bends.
double Sampling::displayY(double y) const {
    const double p = pixelY(y), h = view.height();
    if (p < -h)
        return -h - h * std::log1p((-h - p) / h);
    if (p > 2.0 * h)
        return 2.0 * h + h * std::log1p((p - 2.0 * h) / h);
    return p;
}

// Whether the midpoint leaves the chord by more than the tolerance, in pixels. Non-finite values
// beside finite ones bend too: the edge between them deserves the detail.
bool Sampling::bends(const Point& a, const Point& m, const Point& b) const {
    const bool fa = std::isfinite(a.y), fm = std::isfinite(m.y), fb = std::isfinite(b.y);
    if (!fa && !fm && !fb)
        return false;
    if (!(fa && fm && fb))
        return true;
    const double deviation = std::fabs(displayY(m.y) - (displayY(a.y) + displayY(b.y)) / 2.0);
    return !(deviation <= limits.chordTolerance);
}

// Halves each interval whose midpoint bends, level by level, so every level is one batch.
void Sampling::refine() {
    std::vector<double> xs;
    while (!pending.empty()) {
        const int left = budget - static_cast<int>(points.size());
        if (left <= 0)
            break;
        if (static_cast<int>(pending.size()) > left)
            pending.resize(static_cast<size_t>(left));
        xs.clear();
        for (const Interval& interval : pending)
            xs.push_back((interval.a.x + interval.b.x) / 2.0);
        const std::vector<double>& ys = evaluate(xs);
        std::vector<Interval> next;
        for (size_t i = 0; i < pending.size(); ++i) {
            const Interval& interval = pending[i];
            const Point m{xs[i], ys[i]};
            if (interval.depth + 1 < limits.maxDepth && bends(interval.a, m, interval.b)) {
                next.push_back({interval.a, m, interval.depth + 1});
                next.push_back({m, interval.b, interval.depth + 1});
            }
        }
        pending.swap(next);
    }
}

// One bisection step for every open bracket, in one batch. A jump bracket keeps the half with
// the larger jump and closes when that jump falls under a pixel (continuous: joined) or when
// it cannot shrink any more (a jump or pole: a gap). An edge bracket keeps the half that still
// holds the edge between finite and non-finite values.
void Sampling::bisect(std::vector<Bracket>& brackets, bool edges) {
    std::vector<double> xs;
    std::vector<size_t> open;
    for (int step = 0; step < limits.jumpSteps; ++step) {
        xs.clear();
        open.clear();
        for (size_t i = 0; i < brackets.size(); ++i) {
            Bracket& bracket = brackets[i];
            if (bracket.done)
                continue;
            const double mid = bracket.lo.x + (bracket.hi.x - bracket.lo.x) / 2.0;
            if (!(mid > bracket.lo.x && mid < bracket.hi.x)) {
                bracket.done = true;
                bracket.gap = !edges;
                continue;
            }
            xs.push_back(mid);
            open.push_back(i);
        }
        if (xs.empty())
            return;
        const std::vector<double>& ys = evaluate(xs);
        for (size_t k = 0; k < open.size(); ++k) {
            Bracket& bracket = brackets[open[k]];
            const Point m{xs[k], ys[k]};
            if (edges) {
                (std::isfinite(m.y) == std::isfinite(bracket.lo.y) ? bracket.lo : bracket.hi) = m;
                continue;
            }
            if (!std::isfinite(m.y)) {
                bracket.done = bracket.gap = true;
                continue;
            }
            const double left = std::fabs(displayY(m.y) - displayY(bracket.lo.y));
            const double right = std::fabs(displayY(bracket.hi.y) - displayY(m.y));
            // Where one half is flat at pixel scale the other holds the jump. Where both change
            // on one side of 0, a pole that keeps its sign (1/x^2) lies towards the larger
            // value, whichever half changes more; otherwise the larger change is followed.
            const bool oneSide =
                (m.y > 0.0) == (bracket.lo.y > 0.0) && (m.y > 0.0) == (bracket.hi.y > 0.0);
            const bool keepLeft = std::min(left, right) >= 0.5 && oneSide
                                      ? std::fabs(bracket.lo.y) > std::fabs(bracket.hi.y)
                                      : left >= right;
            (keepLeft ? bracket.hi : bracket.lo) = m;
            if ((keepLeft ? left : right) < 0.5)
                bracket.done = true;
        }
    }
    for (Bracket& bracket : brackets)
        if (!bracket.done)
            bracket.gap = !edges;
}

void Sampling::followJumpsAndEdges() {
    std::sort(points.begin(), points.end(),
              [](const Point& p, const Point& q) { return p.x < q.x; });
    std::vector<Bracket> jumps, edges;
    const int limit = budget;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1];
        const bool fa = std::isfinite(a.y), fb = std::isfinite(b.y);
        if (fa != fb) {
            edges.push_back({a, b});
        } else if (fa && b.x - a.x <= finest * 1.5 &&
                   std::fabs(displayY(a.y) - displayY(b.y)) > 1.0 &&
                   static_cast<int>(jumps.size()) < limit) {
            jumps.push_back({a, b});
        }
    }
    bisect(edges, true);
    bisect(jumps, false);
    for (const Bracket& bracket : jumps)
        if (bracket.gap)
            breaks.push_back(bracket.lo.x);
    std::sort(points.begin(), points.end(),
              [](const Point& p, const Point& q) { return p.x < q.x; });
    std::sort(breaks.begin(), breaks.end());
}

PlotCurve Sampling::pieces() {
    PlotCurve curve;
    curve.evaluations = static_cast<int>(points.size());
    QPolygonF piece;
    auto close = [&] {
        if (!piece.isEmpty())
            curve.pieces.append(piece);
        piece.clear();
    };
    auto nextBreak = breaks.begin();
    for (const Point& p : points) {
        if (!std::isfinite(p.y)) {
            close();
            continue;
        }
        piece.append(QPointF(p.x, p.y));
        while (nextBreak != breaks.end() && *nextBreak < p.x)
            ++nextBreak;
        if (nextBreak != breaks.end() && *nextBreak == p.x)
            close();
    }
    close();
    return curve;
}

PlotCurve Sampling::run() {
    grid();
    refine();
    followJumpsAndEdges();
    return pieces();
}

} // namespace

std::vector<double> PlotSampler::columnValues(const PlotFunction& f, const PlotView& view) {
    std::vector<double> xs(static_cast<size_t>(view.width())), ys(xs.size());
    for (size_t i = 0; i < xs.size(); ++i)
        xs[i] = view.xFromPixel(static_cast<double>(i) + 0.5);
    if (!xs.empty())
        f(xs.data(), ys.data(), static_cast<int>(xs.size()));
    return ys;
}

PlotCurve PlotSampler::sample(const PlotFunction& f, const PlotView& view) {
    return sample(f, view, Limits());
}

PlotCurve PlotSampler::sample(const PlotFunction& f, const PlotView& view, const Limits& limits) {
    Sampling sampling(f, view, limits);
    return sampling.run();
}
