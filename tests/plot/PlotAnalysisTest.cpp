#include "PlotAnalysis.h"
#include "PlotTestFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using std::numbers::pi;
using std::numbers::sqrt2;

// Within 1e-12 relative, or absolute near 0.
void expectPoint(double actual, double expected) {
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::fabs(expected)));
}

struct KnownRow {
    const char* name;
    const char* text;
    double xMin, xMax;
    std::vector<double> roots;
    std::vector<double> minima;
    std::vector<double> maxima;
};

class AnalysisKnownAnswers : public testing::TestWithParam<KnownRow> {};

TEST_P(AnalysisKnownAnswers, RootsAndExtremaMatchTheClosedForms) {
    const KnownRow& row = GetParam();
    const PlotFunction f = functionOf(row.text);
    const QList<PlotFeature> roots = PlotAnalysis::roots(f, 0, row.xMin, row.xMax);
    ASSERT_EQ(roots.size(), static_cast<qsizetype>(row.roots.size()));
    for (size_t i = 0; i < row.roots.size(); ++i) {
        expectPoint(roots.at(static_cast<qsizetype>(i)).x, row.roots[i]);
        EXPECT_EQ(roots.at(static_cast<qsizetype>(i)).kind, PlotFeature::Root);
    }
    std::vector<double> minima, maxima;
    for (const PlotFeature& extremum : PlotAnalysis::extrema(f, 0, row.xMin, row.xMax)) {
        (extremum.kind == PlotFeature::Minimum ? minima : maxima).push_back(extremum.x);
        expectPoint(extremum.y, evaluateAt(f, extremum.x));
    }
    ASSERT_EQ(minima.size(), row.minima.size());
    ASSERT_EQ(maxima.size(), row.maxima.size());
    for (size_t i = 0; i < minima.size(); ++i)
        expectPoint(minima[i], row.minima[i]);
    for (size_t i = 0; i < maxima.size(); ++i)
        expectPoint(maxima[i], row.maxima[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, AnalysisKnownAnswers,
    testing::Values(
        KnownRow{"square_minus_two", "x^2-2", -3.0, 3.0, {-sqrt2, sqrt2}, {0.0}, {}},
        KnownRow{
            "cubic", "x^3-3*x", -2.5, 2.5, {-std::sqrt(3.0), 0.0, std::sqrt(3.0)}, {1.0}, {-1.0}},
        KnownRow{"no_roots", "x^2+1", -5.0, 5.0, {}, {0.0}, {}},
        KnownRow{"touching_root", "(x-1)^2", -2.0, 3.0, {1.0}, {1.0}, {}},
        KnownRow{"sine_far_from_zero",
                 "sin(x)",
                 90.0,
                 100.0,
                 {29 * pi, 30 * pi, 31 * pi},
                 {29.5 * pi, 31.5 * pi},
                 {30.5 * pi}},
        KnownRow{"poles_are_not_roots", "tan(x)", -4.0, 4.0, {-pi, 0.0, pi}, {}, {}},
        KnownRow{"even_pole_is_no_peak", "1/x^2-1", -2.0, 2.5, {-1.0, 1.0}, {}, {}},
        KnownRow{"rounding_is_no_extremum", "sin(x)^2+cos(x)^2", -10.0, 10.0, {}, {}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AnalysisIntersections, SineAndCosineMeetAtQuarterTurnsPlusWholeTurns) {
    const QList<PlotFeature> found =
        PlotAnalysis::intersections(functionOf("sin(x)"), 0, functionOf("cos(x)"), 1, -10.0, 10.0);
    ASSERT_EQ(found.size(), 6);
    for (int k = -3; k <= 2; ++k) {
        const PlotFeature& point = found.at(k + 3);
        EXPECT_EQ(point.kind, PlotFeature::Intersection);
        EXPECT_EQ(point.function, 0);
        EXPECT_EQ(point.other, 1);
        expectPoint(point.x, pi / 4 + k * pi);
        expectPoint(point.y, std::sin(pi / 4 + k * pi));
    }
}

} // namespace
