#include "PlotView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct MappingRow {
    const char* name;
    double x, y;
    double px, py;
};

class ViewMapping : public testing::TestWithParam<MappingRow> {};

// x in [-2, 6] over 400 px (50 px a unit), y in [-1, 3] over 200 px (50 px a unit).
TEST_P(ViewMapping, PlaneToPixelAndBack) {
    const MappingRow& row = GetParam();
    const PlotView view(-2.0, 6.0, -1.0, 3.0, QSize(400, 200));
    EXPECT_DOUBLE_EQ(view.xToPixel(row.x), row.px);
    EXPECT_DOUBLE_EQ(view.yToPixel(row.y), row.py);
    const QPointF back = view.fromPixel(QPointF(row.px, row.py));
    EXPECT_NEAR(back.x(), row.x, 1e-12);
    EXPECT_NEAR(back.y(), row.y, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Corners, ViewMapping,
                         testing::Values(MappingRow{"top_left", -2, 3, 0, 0},
                                         MappingRow{"bottom_right", 6, -1, 400, 200},
                                         MappingRow{"origin", 0, 0, 100, 150},
                                         MappingRow{"inside", 1.5, 2.5, 175, 25}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ViewNavigation, ZoomKeepsThePointUnderThePixel) {
    PlotView view(-2.0, 6.0, -1.0, 3.0, QSize(400, 200));
    const QPointF pixel(130.0, 40.0);
    const QPointF before = view.fromPixel(pixel);
    view.zoom(2.5, pixel);
    EXPECT_NEAR(view.fromPixel(pixel).x(), before.x(), 1e-12);
    EXPECT_NEAR(view.fromPixel(pixel).y(), before.y(), 1e-12);
    EXPECT_NEAR(view.xMax() - view.xMin(), 8.0 / 2.5, 1e-12);
    EXPECT_NEAR(view.yMax() - view.yMin(), 4.0 / 2.5, 1e-12);
}

TEST(ViewNavigation, PanFollowsTheDrag) {
    PlotView view(-2.0, 6.0, -1.0, 3.0, QSize(400, 200));
    view.pan(50.0, -100.0); // the picture moves right by one unit and up by two
    EXPECT_DOUBLE_EQ(view.xMin(), -3.0);
    EXPECT_DOUBLE_EQ(view.xMax(), 5.0);
    EXPECT_DOUBLE_EQ(view.yMin(), -3.0);
    EXPECT_DOUBLE_EQ(view.yMax(), 1.0);
}

TEST(ViewNavigation, BoxBecomesTheView) {
    PlotView view(-2.0, 6.0, -1.0, 3.0, QSize(400, 200));
    view.zoomToBox(QRectF(QPointF(150.0, 100.0), QPointF(100.0, 50.0))); // dragged up-left
    EXPECT_DOUBLE_EQ(view.xMin(), 0.0);
    EXPECT_DOUBLE_EQ(view.xMax(), 1.0);
    EXPECT_DOUBLE_EQ(view.yMin(), 1.0);
    EXPECT_DOUBLE_EQ(view.yMax(), 2.0);
    const PlotView kept = view;
    view.zoomToBox(QRectF(10.0, 10.0, 2.0, 50.0)); // a click, not a box
    EXPECT_EQ(view, kept);
}

TEST(ViewNavigation, ZoomStopsBeforeRangesLoseTheirPixels) {
    PlotView view(1e6, 1e6 + 1.0, -1.0, 1.0, QSize(400, 200));
    for (int i = 0; i < 200; ++i)
        view.zoom(10.0, QPointF(200.0, 100.0));
    EXPECT_LT(view.xMin(), view.xMax());
    EXPECT_GT(view.xToPixel(view.xMax()) - view.xToPixel(view.xMin()), 399.0);
    EXPECT_TRUE(std::isfinite(view.xScale()));
}

struct FitRow {
    const char* name;
    std::vector<double> ys;
    double low, high; // the fitted range must hold [low, high] ...
    double bound;     // ... and stay within [-bound, bound]
};

class ViewFit : public testing::TestWithParam<FitRow> {};

TEST_P(ViewFit, HoldsTheValuesAndIgnoresWhatIsNoValue) {
    const FitRow& row = GetParam();
    PlotView view(-1.0, 1.0, -1.0, 1.0, QSize(100, 100));
    ASSERT_TRUE(view.fitY(row.ys));
    EXPECT_LE(view.yMin(), row.low);
    EXPECT_GE(view.yMax(), row.high);
    EXPECT_GE(view.yMin(), -row.bound);
    EXPECT_LE(view.yMax(), row.bound);
}

std::vector<double> ramp(double from, double to, int n) {
    std::vector<double> ys;
    for (int i = 0; i <= n; ++i)
        ys.push_back(from + (to - from) * i / n);
    return ys;
}

std::vector<double> tangentSamples() {
    std::vector<double> ys;
    for (int i = 0; i <= 1200; ++i)
        ys.push_back(std::tan(-10.0 + 20.0 * i / 1200.0));
    return ys;
}

std::vector<double> withSpike(std::vector<double> ys) {
    ys[ys.size() / 3] = 1e15;
    ys.push_back(nan);
    ys.push_back(-inf);
    return ys;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ViewFit,
    testing::Values(FitRow{"ramp", ramp(-3.0, 5.0, 500), -3.0, 5.0, 6.0},
                    FitRow{"cubic_ends_kept",
                           [] {
                               std::vector<double> ys;
                               for (double x : ramp(-10.0, 10.0, 1000))
                                   ys.push_back(x * x * x);
                               return ys;
                           }(),
                           -1000.0, 1000.0, 1200.0},
                    FitRow{"spike_nan_inf_ignored", withSpike(ramp(-3.0, 5.0, 500)), -3.0, 5.0,
                           6.0},
                    FitRow{"tangent_poles_ignored", tangentSamples(), -10.0, 10.0, 200.0},
                    FitRow{"constant", std::vector<double>(50, 7.0), 7.0, 7.0, 8.0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ViewFitNothing, WithoutFiniteValuesTheViewStays) {
    PlotView view(-1.0, 1.0, -1.0, 1.0, QSize(100, 100));
    const std::vector<double> ys{nan, inf, -inf};
    EXPECT_FALSE(view.fitY(ys));
    EXPECT_EQ(view, PlotView(-1.0, 1.0, -1.0, 1.0, QSize(100, 100)));
}

} // namespace
