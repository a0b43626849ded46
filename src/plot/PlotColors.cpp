#include "PlotColors.h"

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

QColor plotSeriesColor(const QPalette& palette, int index) {
    // Golden-angle steps keep any number of neighbouring hues apart.
    const QColor highlight = palette.color(QPalette::Highlight);
    const double start = highlight.hslHueF() >= 0.0 && highlight.hslSaturationF() > 0.2
                             ? highlight.hslHueF()
                             : 210.0 / 360.0;
    const double hue = std::fmod(start + index * (137.508 / 360.0), 1.0);
    const bool dark = darkBase(palette);
    return QColor::fromHslF(static_cast<float>(hue), dark ? 0.70f : 0.80f, dark ? 0.66f : 0.38f);
}
