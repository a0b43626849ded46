#include "PlotTicks.h"

#include <gtest/gtest.h>

namespace {

struct TickRow {
    const char* name;
    double min, max, pixels;
    QStringList labels;
};

class TickChoice : public testing::TestWithParam<TickRow> {};

// 60 px apart at least: the finest of 1, 2, 5 times a power of ten.
TEST_P(TickChoice, StepAndLabelsFollowTheZoom) {
    const TickRow& row = GetParam();
    QStringList labels;
    for (const PlotTick& tick : plotTicks(row.min, row.max, row.pixels))
        labels << tick.label;
    EXPECT_EQ(labels, row.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, TickChoice,
    testing::Values(
        TickRow{"units", -3.0, 3.0, 400.0, {"-3", "-2", "-1", "0", "1", "2", "3"}},
        TickRow{"twos", -5.0, 5.0, 300.0, {"-4", "-2", "0", "2", "4"}},
        TickRow{"fives", 0.0, 22.0, 300.0, {"0", "5", "10", "15", "20"}},
        TickRow{"tenths_without_minus_zero",
                -0.3,
                0.3,
                400.0,
                {"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"}},
        TickRow{"decimals_of_the_step",
                1.0,
                1.25,
                400.0,
                {"1.00", "1.05", "1.10", "1.15", "1.20", "1.25"}},
        TickRow{"millions", 0.0, 4e6, 300.0, {"0", "1e+06", "2e+06", "3e+06", "4e+06"}},
        TickRow{"tiny_steps", 1.0, 1.0 + 3e-5, 200.0, {"1", "1.00001", "1.00002", "1.00003"}},
        TickRow{"far_from_zero", 1000.0, 1003.0, 200.0, {"1000", "1001", "1002", "1003"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(TickStep, NeighboursKeepTheSpacing) {
    for (double pixels : {90.0, 321.0, 1200.0, 4000.0}) {
        for (double span : {1e-9, 0.37, 7.0, 1234.5, 3e12}) {
            const double step = plotTickStep(0.0, span, pixels);
            EXPECT_GE(step * pixels / span, 60.0 * (1 - 1e-9)) << span << " " << pixels;
            EXPECT_LT(step * pixels / span, 60.0 * 2.5 + 1e-6) << span << " " << pixels;
        }
    }
}

} // namespace
