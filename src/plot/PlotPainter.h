#pragma once

#include "PlotScene.h"

#include <QFont>
#include <QPainterPath>
#include <QPalette>

class QPainter;

// Draws a scene into any QPainter (a widget, an image, an SVG generator) over the rectangle
// (0, 0, view width, view height): background, light grid, axes with ticks and labels, the
// visible curves, the analysis marks, the trace cursor and the legend, in colours from the
// palette. Each curve is one path, so an SVG holds one path element per shown function.
class PlotPainter {
public:
    explicit PlotPainter(const QPalette& palette, const QFont& font = QFont());

    void paint(QPainter* painter, const PlotScene& scene) const;

    // The curve's pieces in pixel coordinates, clipped to the view (with a small margin) and
    // reduced to what each pixel column can show.
    static QPainterPath curvePath(const PlotCurve& curve, const PlotView& view);

private:
    QPalette palette;
    QFont font;
};
