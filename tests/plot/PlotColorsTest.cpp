#include "PlotColors.h"

#include <gtest/gtest.h>

namespace {

struct ThemeRow {
    const char* name;
    QColor base, text, highlight;
};

class SeriesColors : public testing::TestWithParam<ThemeRow> {};

// Every curve stands out from the background (3:1, as graphics should), in light and dark
// themes and whatever the highlight's hue; neighbouring series differ in hue.
TEST_P(SeriesColors, ReadableOnTheBaseAndApart) {
    const ThemeRow& row = GetParam();
    QPalette palette;
    palette.setColor(QPalette::Base, row.base);
    palette.setColor(QPalette::Text, row.text);
    palette.setColor(QPalette::Highlight, row.highlight);
    for (int i = 0; i < 12; ++i) {
        const QColor color = plotSeriesColor(palette, i);
        EXPECT_GE(plotContrast(color, row.base), kPlotContrast) << "series " << i;
        if (i > 0) {
            const int apart = std::abs(color.hslHue() - plotSeriesColor(palette, i - 1).hslHue());
            EXPECT_GE(std::min(apart, 360 - apart), 40) << "series " << i;
        }
    }
    const PlotColors colors = PlotColors::fromPalette(palette);
    EXPECT_GE(plotContrast(colors.text, colors.background), 4.5);
}

INSTANTIATE_TEST_SUITE_P(Themes, SeriesColors,
                         testing::Values(ThemeRow{"light", QColor(255, 255, 255), QColor(0, 0, 0),
                                                  QColor(48, 140, 198)},
                                         ThemeRow{"dark", QColor(30, 30, 30), QColor(230, 230, 230),
                                                  QColor(42, 130, 218)},
                                         ThemeRow{"light_yellow_highlight", QColor(250, 250, 245),
                                                  QColor(20, 20, 20), QColor(240, 220, 40)},
                                         ThemeRow{"dark_grey_highlight", QColor(0, 0, 0),
                                                  QColor(255, 255, 255), QColor(128, 128, 128)}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ContrastRatio, MatchesTheKnownExtremes) {
    EXPECT_DOUBLE_EQ(plotContrast(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(plotContrast(Qt::white, Qt::white), 1.0);
    // Mid grey #777 on white: 4.48 by the sRGB formula.
    EXPECT_NEAR(plotContrast(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
}

} // namespace
