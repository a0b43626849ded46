#include "PlotColors.h"

#include <algorithm>
#include <cmath>

namespace {

QColor mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1.0 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1.0 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1.0 - share)));
}

bool darkBase(const QPalette& palette) {
    return palette.color(QPalette::Base).lightnessF() < 0.5;
}

} // namespace

PlotColors PlotColors::fromPalette(const QPalette& palette) {
    PlotColors colors;
    colors.background = palette.color(QPalette::Base);
    colors.text = palette.color(QPalette::Text);
    colors.axis = mix(colors.text, colors.background, 0.75);
    colors.grid = mix(colors.text, colors.background, darkBase(palette) ? 0.18 : 0.12);
    colors.legendBackground = colors.background;
    colors.legendBackground.setAlphaF(0.85f);
    colors.legendFrame = mix(colors.text, colors.background, 0.35);
    return colors;
}

double plotContrast(const QColor& a, const QColor& b) {
    // Relative luminance of sRGB colours, and the ratio of the lighter to the darker.
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor plotSeriesColor(const QPalette& palette, int index) {
    // Hue offsets that keep the first four as far apart as hues go, the next ones between them.
    static constexpr double kOffsets[] = {0, 180, 90, 270, 45, 225, 135, 315};
    constexpr int kCount = sizeof(kOffsets) / sizeof(kOffsets[0]);
    const QColor highlight = palette.color(QPalette::Highlight);
    const double start = highlight.hslHueF() >= 0.0 && highlight.hslSaturationF() > 0.2
                             ? highlight.hslHueF() * 360.0
                             : 210.0;
    const int slot = std::max(index, 0);
    // Past the table, the round starts again shifted by a few degrees.
    const double hue =
        std::fmod(start + kOffsets[slot % kCount] + 17.0 * (slot / kCount), 360.0) / 360.0;
    // The lightness moves away from the base's until the line stands out from it as graphics
    // should (3:1), whatever the hue: yellow needs to be darker than blue on white.
    const QColor base = palette.color(QPalette::Base);
    const bool dark = darkBase(palette);
    const float saturation = dark ? 0.70f : 0.80f;
    double lightness = dark ? 0.60 : 0.45;
    QColor color =
        QColor::fromHslF(static_cast<float>(hue), saturation, static_cast<float>(lightness));
    while (plotContrast(color, base) < kPlotContrast && lightness > 0.05 && lightness < 0.95) {
        lightness += dark ? 0.02 : -0.02;
        color =
            QColor::fromHslF(static_cast<float>(hue), saturation, static_cast<float>(lightness));
    }
    return color;
}
