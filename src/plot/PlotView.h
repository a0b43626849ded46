#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

#include <span>

// The window onto the plane: the x and y ranges shown and the pixel size they fill.
// Pixel coordinates run from the top-left corner (0, 0) to (width, height); y grows
// downwards in pixels and upwards in values.
class PlotView {
public:
    PlotView();
    PlotView(double xMin, double xMax, double yMin, double yMax, QSize pixelSize);

    // x from -10 to 10, y centred on 0 with the same scale as x.
    static PlotView defaultView(QSize pixelSize);

    double xMin() const { return x0; }
    double xMax() const { return x1; }
    double yMin() const { return y0; }
    double yMax() const { return y1; }
    QSize pixelSize() const { return size; }
    int width() const { return size.width(); }
    int height() const { return size.height(); }

    // Keeps the ranges; only the pixels they are spread over change.
    void setPixelSize(QSize pixelSize);
    // Ignored unless min < max, both finite and the span is representable at this magnitude.
    void setXRange(double min, double max);
    void setYRange(double min, double max);

    double xToPixel(double x) const { return (x - x0) * xScale(); }
    double yToPixel(double y) const { return (y1 - y) * yScale(); }
    QPointF toPixel(double x, double y) const { return {xToPixel(x), yToPixel(y)}; }
    double xFromPixel(double px) const { return x0 + px / xScale(); }
    double yFromPixel(double py) const { return y1 - py / yScale(); }
    QPointF fromPixel(QPointF pixel) const {
        return {xFromPixel(pixel.x()), yFromPixel(pixel.y())};
    }
    // Pixels per unit.
    double xScale() const { return size.width() / (x1 - x0); }
    double yScale() const { return size.height() / (y1 - y0); }

    // Moves the content by (dx, dy) pixels: dragging right shows smaller x.
    void pan(double dx, double dy);
    // factor > 1 zooms in, < 1 out; the value under pixel stays under it.
    void zoom(double factor, QPointF pixel);
    // The same with separate factors for the two axes.
    void zoom(double xFactor, double yFactor, QPointF pixel);
    // The pixel rectangle becomes the whole view; ignored when it is under 3 pixels wide or high.
    void zoomToBox(const QRectF& pixelRect);
    // Sets the y range to hold the values ys (of the visible x range), ignoring NaN, infinities
    // and isolated spikes, with a margin. Returns false (and changes nothing) without any
    // finite value.
    bool fitY(std::span<const double> ys);

    bool operator==(const PlotView&) const = default;

private:
    double x0, x1, y0, y1;
    QSize size;
};
