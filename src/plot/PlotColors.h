#pragma once

#include <QColor>
#include <QPalette>

// The colours of the picture, derived from a palette: the background is the palette's base, text
// and axes its text colour, the grid a faint mix of the two. Series colours are well-separated
// hues whose lightness is chosen against the base, dark on a light base and light on a dark one,
// so both themes read well; the first hue is the palette's highlight.
struct PlotColors {
    QColor background;
    QColor text;
    QColor axis;
    QColor grid;
    QColor legendBackground;
    QColor legendFrame;

    static PlotColors fromPalette(const QPalette& palette);
};

QColor plotSeriesColor(const QPalette& palette, int index);

// The contrast ratio of two colours (1 to 21), by their relative luminance; a curve keeps at
// least kPlotContrast against the background where the palette's base allows it.
double plotContrast(const QColor& a, const QColor& b);
inline constexpr double kPlotContrast = 3.0;
