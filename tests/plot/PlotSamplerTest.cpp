#include "PlotSampler.h"
#include "PlotTestFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using std::numbers::pi;

struct GapRow {
    const char* name;
    const char* text;
    double xMin, xMax, yMin, yMax;
    // Each gap between pieces: where the piece before ends and the next begins (the same x for a
    // pole or a jump).
    std::vector<std::pair<double, double>> gaps;
    double start, end; // the first piece starts and the last ends here (domain edges)
};

class SamplerGaps : public testing::TestWithParam<GapRow> {};

// Pieces end where the function stops being continuous, within a millionth of the range, and
// nothing is joined across a gap. Poles leave the view on both sides.
TEST_P(SamplerGaps, PiecesEndAtPolesJumpsAndEdges) {
    const GapRow& row = GetParam();
    const PlotView view(row.xMin, row.xMax, row.yMin, row.yMax, QSize(300, 200));
    const PlotCurve curve = PlotSampler::sample(functionOf(row.text), view);
    const double near = (row.xMax - row.xMin) * 1e-6;
    ASSERT_EQ(curve.pieces.size(), static_cast<qsizetype>(row.gaps.size()) + 1);
    EXPECT_NEAR(curve.pieces.first().first().x(), row.start, near);
    EXPECT_NEAR(curve.pieces.last().last().x(), row.end, near);
    for (size_t i = 0; i < row.gaps.size(); ++i) {
        const QPolygonF& before = curve.pieces.at(static_cast<qsizetype>(i));
        const QPolygonF& after = curve.pieces.at(static_cast<qsizetype>(i) + 1);
        const auto [end, start] = row.gaps[i];
        EXPECT_LE(before.last().x(), end);
        EXPECT_GE(after.first().x(), start);
        EXPECT_NEAR(before.last().x(), end, near);
        EXPECT_NEAR(after.first().x(), start, near);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Functions, SamplerGaps,
    testing::Values(
        GapRow{"reciprocal", "1/x", -1.0, 1.3, -5.0, 5.0, {{0.0, 0.0}}, -1.0, 1.3},
        GapRow{"tangent",
               "tan(x)",
               -5.0,
               5.0,
               -5.0,
               5.0,
               {{-3 * pi / 2, -3 * pi / 2},
                {-pi / 2, -pi / 2},
                {pi / 2, pi / 2},
                {3 * pi / 2, 3 * pi / 2}},
               -5.0,
               5.0},
        GapRow{"pole_on_a_sample", "1/(x-0.5)", -1.0, 2.0, -5.0, 5.0, {{0.5, 0.5}}, -1.0, 2.0},
        GapRow{"even_pole", "1/x^2", -1.0, 1.3, -1.0, 10.0, {{0.0, 0.0}}, -1.0, 1.3},
        GapRow{"jump", "floor(x)", -0.7, 1.6, -2.0, 2.0, {{0.0, 0.0}, {1.0, 1.0}}, -0.7, 1.6},
        GapRow{"root_edge", "sqrt(x)", -1.0, 1.0, -1.0, 1.0, {}, 0.0, 1.0},
        GapRow{"domain_both_sides", "sqrt(1-x^2)", -2.0, 2.0, -1.0, 2.0, {}, -1.0, 1.0},
        GapRow{"nan_inside", "sqrt(x^2-1)", -2.0, 2.0, -1.0, 2.0, {{-1.0, 1.0}}, -2.0, 2.0},
        GapRow{"steep_but_continuous", "atan(1000*x)", -1.0, 1.3, -2.0, 2.0, {}, -1.0, 1.3},
        GapRow{"steep_cubic", "1000*x^3", -1.0, 1.3, -2.0, 2.0, {}, -1.0, 1.3}),
    [](const auto& row) { return std::string(row.param.name); });

// The largest vertical distance, in pixels, between the drawn polyline and the function, over
// dense points of every pixel column.
double worstPixelError(const PlotCurve& curve, const PlotView& view, double (*f)(double)) {
    double worst = 0.0;
    for (const QPolygonF& piece : curve.pieces) {
        for (qsizetype i = 0; i + 1 < piece.size(); ++i) {
            const QPointF a = piece.at(i), b = piece.at(i + 1);
            for (int k = 1; k < 16; ++k) {
                const double x = a.x() + (b.x() - a.x()) * k / 16.0;
                const double drawn = a.y() + (b.y() - a.y()) * k / 16.0;
                worst = std::max(worst, std::fabs(drawn - f(x)) * view.yScale());
            }
        }
    }
    return worst;
}

// A corner between samples: a plain grid cuts it by many pixels (here about 10), the refinement
// finds it.
TEST(SamplerRefinement, CornerOfAbsIsDrawnWithinAPixel) {
    const PlotView view(-1.0, 1.3, 0.0, 0.1, QSize(100, 100));
    const PlotCurve curve = PlotSampler::sample(functionOf("abs(x)"), view);
    ASSERT_EQ(curve.pieces.size(), 1);
    EXPECT_LT(worstPixelError(curve, view, [](double x) { return std::fabs(x); }), 1.0);
    EXPECT_LE(curve.evaluations, 20 * view.width());
}

// sin(1/x): each pixel column's drawn vertical extent matches the function's own over that
// column (from dense evaluation), where it oscillates slowly and where it fills the column, and
// the work stays within the budget.
TEST(SamplerRefinement, FastOscillationFillsEachColumnAsTheFunctionDoes) {
    const int width = 200;
    const PlotView view(0.02, 1.0, -1.5, 1.5, QSize(width, 150));
    const PlotCurve curve = PlotSampler::sample(functionOf("sin(1/x)"), view);
    ASSERT_EQ(curve.pieces.size(), 1);
    const QPolygonF& points = curve.pieces.first();
    std::vector<double> low(width, 9.0), high(width, -9.0);
    for (qsizetype i = 0; i + 1 < points.size(); ++i) {
        // The part of a segment within a column covers the values it passes there.
        const double ax = view.xToPixel(points.at(i).x()), ay = points.at(i).y();
        const double bx = view.xToPixel(points.at(i + 1).x()), by = points.at(i + 1).y();
        for (int c = std::max(0, static_cast<int>(ax)); c < width && c <= bx; ++c) {
            for (double x : {std::max(ax, double(c)), std::min(bx, c + 1.0)}) {
                const double y = bx > ax ? ay + (by - ay) * (x - ax) / (bx - ax) : ay;
                low[c] = std::min(low[c], y);
                high[c] = std::max(high[c], y);
            }
        }
    }
    const double tolerance = 1.0 / view.yScale(); // a pixel
    for (int c = 0; c < width; ++c) {
        double trueLow = 9.0, trueHigh = -9.0;
        for (int k = 0; k <= 2000; ++k) {
            const double y = std::sin(1.0 / view.xFromPixel(c + k / 2000.0));
            trueLow = std::min(trueLow, y);
            trueHigh = std::max(trueHigh, y);
        }
        EXPECT_NEAR(low[c], trueLow, tolerance) << "column " << c;
        EXPECT_NEAR(high[c], trueHigh, tolerance) << "column " << c;
    }
    EXPECT_LE(curve.evaluations, 2 * 48 * width);
}

TEST(SamplerRefinement, AtLeastOneSamplePerPixelAndLittleMoreForSmoothCurves) {
    const PlotView view(-10.0, 10.0, -2.0, 2.0, QSize(1200, 400));
    const PlotCurve curve = PlotSampler::sample(functionOf("sin(x)"), view);
    ASSERT_EQ(curve.pieces.size(), 1);
    std::vector<int> perColumn(1200, 0);
    for (const QPointF& p : curve.pieces.first())
        ++perColumn[std::clamp(static_cast<int>(view.xToPixel(p.x())), 0, 1199)];
    EXPECT_EQ(std::count(perColumn.begin(), perColumn.end(), 0), 0);
    EXPECT_LE(curve.evaluations, 4 * 1200);
}

} // namespace
