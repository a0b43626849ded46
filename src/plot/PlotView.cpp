#include "PlotView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// A range narrower than this fraction of its magnitude has no distinct pixels left in a double.
constexpr double kNarrowest = 1e-13;
constexpr double kWidest = 1e300;

bool usableRange(double min, double max) {
    if (!std::isfinite(min) || !std::isfinite(max) || !(min < max))
        return false;
    const double span = max - min;
    const double magnitude = std::max(std::fabs(min), std::fabs(max));
    return std::isfinite(span) && span <= kWidest &&
           span >= std::max(magnitude * kNarrowest, std::numeric_limits<double>::min());
}

double quantile(const std::vector<double>& sorted, double q) {
    const double at = q * static_cast<double>(sorted.size() - 1);
    const auto low = static_cast<size_t>(std::floor(at));
    const size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (at - static_cast<double>(low));
}

} // namespace

PlotView::PlotView() : PlotView(-10.0, 10.0, -10.0, 10.0, QSize(400, 400)) {}

PlotView::PlotView(double xMin, double xMax, double yMin, double yMax, QSize pixelSize)
    : x0(-10.0), x1(10.0), y0(-10.0), y1(10.0), size(pixelSize.expandedTo(QSize(1, 1))) {
    setXRange(xMin, xMax);
    setYRange(yMin, yMax);
}

PlotView PlotView::defaultView(QSize pixelSize) {
    PlotView view;
    view.setPixelSize(pixelSize);
    const double half = 10.0 * view.height() / view.width();
    view.setYRange(-half, half);
    return view;
}

void PlotView::setPixelSize(QSize pixelSize) {
    size = pixelSize.expandedTo(QSize(1, 1));
}

void PlotView::setXRange(double min, double max) {
    if (usableRange(min, max)) {
        x0 = min;
        x1 = max;
    }
}

void PlotView::setYRange(double min, double max) {
    if (usableRange(min, max)) {
        y0 = min;
        y1 = max;
    }
}

void PlotView::pan(double dx, double dy) {
    const double ux = dx / xScale();
    const double uy = dy / yScale();
    setXRange(x0 - ux, x1 - ux);
    setYRange(y0 + uy, y1 + uy);
}

void PlotView::zoom(double factor, QPointF pixel) {
    zoom(factor, factor, pixel);
}

void PlotView::zoom(double xFactor, double yFactor, QPointF pixel) {
    if (!(xFactor > 0.0) || !(yFactor > 0.0) || !std::isfinite(xFactor) || !std::isfinite(yFactor))
        return;
    const QPointF fixed = fromPixel(pixel);
    setXRange(fixed.x() - (fixed.x() - x0) / xFactor, fixed.x() + (x1 - fixed.x()) / xFactor);
    setYRange(fixed.y() - (fixed.y() - y0) / yFactor, fixed.y() + (y1 - fixed.y()) / yFactor);
}

void PlotView::zoomToBox(const QRectF& pixelRect) {
    const QRectF box = pixelRect.normalized();
    if (box.width() < 3.0 || box.height() < 3.0)
        return;
    const double left = xFromPixel(box.left()), right = xFromPixel(box.right());
    const double top = yFromPixel(box.top()), bottom = yFromPixel(box.bottom());
    if (usableRange(left, right) && usableRange(bottom, top)) {
        setXRange(left, right);
        setYRange(bottom, top);
    }
}

bool PlotView::fitY(std::span<const double> ys) {
    std::vector<double> finite;
    finite.reserve(ys.size());
    for (double y : ys)
        if (std::isfinite(y))
            finite.push_back(y);
    if (finite.empty())
        return false;
    std::sort(finite.begin(), finite.end());
    // The middle 96 % of the values set the scale; values beyond it are kept while they stay
    // within that scale of it, so the ends of x^3 are shown and the spikes near a pole of tan x
    // or a lone huge value are not.
    const double low = quantile(finite, 0.02), high = quantile(finite, 0.98);
    const double reach = high - low;
    double min = low, max = high;
    for (double y : finite) {
        if (y >= low - reach && y <= high + reach) {
            min = std::min(min, y);
            max = std::max(max, y);
        }
    }
    double margin = (max - min) * 0.05;
    if (!(margin > 0.0))
        margin = std::max(std::fabs(min) * 0.1, 1.0);
    const double newMin = min - margin, newMax = max + margin;
    if (!usableRange(newMin, newMax))
        return false;
    setYRange(newMin, newMax);
    return true;
}
