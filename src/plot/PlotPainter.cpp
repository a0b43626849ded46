#include "PlotPainter.h"

#include "PlotColors.h"
#include "PlotTicks.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTickLength = 4.0;
constexpr double kLabelGap = 3.0;
constexpr double kMarkRadius = 4.0;

struct Axes {
    double xAxis; // pixel row of y = 0, kept inside the picture
    double yAxis; // pixel column of x = 0, kept inside the picture
};

Axes axesOf(const PlotView& view) {
    return {std::clamp(view.yToPixel(0.0), 0.0, view.height() - 1.0),
            std::clamp(view.xToPixel(0.0), 0.0, view.width() - 1.0)};
}

void drawGrid(QPainter* p, const PlotView& view, const QList<PlotTick>& xTicks,
              const QList<PlotTick>& yTicks, const PlotColors& colors) {
    p->setPen(QPen(colors.grid, 1.0));
    for (const PlotTick& tick : xTicks) {
        const double x = view.xToPixel(tick.value);
        p->drawLine(QPointF(x, 0.0), QPointF(x, view.height()));
    }
    for (const PlotTick& tick : yTicks) {
        const double y = view.yToPixel(tick.value);
        p->drawLine(QPointF(0.0, y), QPointF(view.width(), y));
    }
}

// Tick labels sit beside the axis, on the side with room; the label of 0 is left out where both
// axes cross at it.
void drawAxes(QPainter* p, const PlotView& view, const QList<PlotTick>& xTicks,
              const QList<PlotTick>& yTicks, const PlotColors& colors) {
    const Axes axes = axesOf(view);
    const QFontMetricsF metrics(p->font());
    p->setPen(QPen(colors.axis, 1.0));
    p->drawLine(QPointF(0.0, axes.xAxis), QPointF(view.width(), axes.xAxis));
    p->drawLine(QPointF(axes.yAxis, 0.0), QPointF(axes.yAxis, view.height()));
    const bool labelsBelow = axes.xAxis + kTickLength + metrics.height() < view.height();
    for (const PlotTick& tick : xTicks) {
        const double x = view.xToPixel(tick.value);
        p->setPen(QPen(colors.axis, 1.0));
        p->drawLine(QPointF(x, axes.xAxis - kTickLength), QPointF(x, axes.xAxis + kTickLength));
        if (tick.value == 0.0 && view.yToPixel(0.0) == axes.xAxis)
            continue;
        const double width = metrics.horizontalAdvance(tick.label);
        if (x - width / 2.0 < 0.0 || x + width / 2.0 > view.width())
            continue;
        const double top = labelsBelow ? axes.xAxis + kTickLength + kLabelGap
                                       : axes.xAxis - kTickLength - kLabelGap - metrics.height();
        p->setPen(colors.text);
        p->drawText(QPointF(x - width / 2.0, top + metrics.ascent()), tick.label);
    }
    double widest = 0.0;
    for (const PlotTick& tick : yTicks)
        widest = std::max(widest, metrics.horizontalAdvance(tick.label));
    const bool labelsLeft = axes.yAxis - kTickLength - kLabelGap - widest > 0.0;
    for (const PlotTick& tick : yTicks) {
        const double y = view.yToPixel(tick.value);
        p->setPen(QPen(colors.axis, 1.0));
        p->drawLine(QPointF(axes.yAxis - kTickLength, y), QPointF(axes.yAxis + kTickLength, y));
        if (tick.value == 0.0 || y - metrics.height() / 2.0 < 0.0 ||
            y + metrics.height() / 2.0 > view.height())
            continue;
        const double width = metrics.horizontalAdvance(tick.label);
        const double left = labelsLeft ? axes.yAxis - kTickLength - kLabelGap - width
                                       : axes.yAxis + kTickLength + kLabelGap;
        p->setPen(colors.text);
        p->drawText(QPointF(left, y - metrics.height() / 2.0 + metrics.ascent()), tick.label);
    }
}

// Roots hollow, extrema filled circles, intersections filled squares: no mark is a path, so an
// SVG's paths are its curves.
void drawMark(QPainter* p, const PlotFeature& mark, QPointF at, const QColor& color,
              const PlotColors& colors) {
    const double r = kMarkRadius;
    p->setPen(QPen(color, 1.5));
    p->setBrush(mark.kind == PlotFeature::Root ? colors.background : color);
    if (mark.kind == PlotFeature::Intersection)
        p->drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
    else
        p->drawEllipse(at, r, r);
    p->setBrush(Qt::NoBrush);
}

void drawTrace(QPainter* p, const PlotScene& scene, const QPalette& palette,
               const PlotColors& colors) {
    const PlotTrace& trace = *scene.trace;
    const PlotView& view = scene.view;
    const QPointF at = view.toPixel(trace.x, trace.y);
    if (!(at.x() >= 0.0 && at.x() <= view.width()))
        return;
    QPen pen(colors.axis, 1.0, Qt::DashLine);
    p->setPen(pen);
    p->drawLine(QPointF(at.x(), 0.0), QPointF(at.x(), view.height()));
    const bool onScreen = std::isfinite(at.y()) && at.y() >= 0.0 && at.y() <= view.height();
    if (onScreen) {
        const int colorIndex = trace.series >= 0 && trace.series < scene.series.size()
                                   ? scene.series.at(trace.series).colorIndex
                                   : 0;
        p->setPen(QPen(plotSeriesColor(palette, colorIndex), 2.0));
        p->drawEllipse(at, kMarkRadius + 1.0, kMarkRadius + 1.0);
    }
    if (trace.text.isEmpty())
        return;
    const QFontMetricsF metrics(p->font());
    const QSizeF size(metrics.horizontalAdvance(trace.text) + 8.0, metrics.height() + 4.0);
    const double y = onScreen ? at.y() : view.height() / 2.0;
    QPointF corner(at.x() + 8.0, y - size.height() - 8.0);
    if (corner.x() + size.width() > view.width())
        corner.setX(at.x() - 8.0 - size.width());
    if (corner.y() < 0.0)
        corner.setY(y + 8.0);
    // A plot narrower than the label on both sides of the cursor: the label over the cursor,
    // still whole inside the plot.
    corner.setX(std::max(0.0, std::min(corner.x(), view.width() - size.width())));
    corner.setY(std::max(0.0, std::min(corner.y(), view.height() - size.height())));
    const QRectF box(corner, size);
    p->setPen(colors.legendFrame);
    p->setBrush(colors.legendBackground);
    p->drawRect(box);
    p->setBrush(Qt::NoBrush);
    p->setPen(colors.text);
    p->drawText(QPointF(box.left() + 4.0, box.top() + 2.0 + metrics.ascent()), trace.text);
}

void drawLegend(QPainter* p, const PlotScene& scene, const QPalette& palette,
                const PlotColors& colors) {
    const QFontMetricsF metrics(p->font());
    const double swatch = 20.0, pad = 6.0, line = metrics.height() + 2.0;
    double widest = 0.0;
    int shown = 0;
    for (const PlotSeries& series : scene.series) {
        if (!series.visible)
            continue;
        widest = std::max(widest, metrics.horizontalAdvance(series.name));
        ++shown;
    }
    if (shown == 0)
        return;
    const QSizeF size(pad * 3.0 + swatch + widest, pad * 2.0 + line * shown);
    const QRectF box(scene.view.width() - size.width() - 8.0, 8.0, size.width(), size.height());
    p->setPen(colors.legendFrame);
    p->setBrush(colors.legendBackground);
    p->drawRect(box);
    p->setBrush(Qt::NoBrush);
    double y = box.top() + pad;
    for (const PlotSeries& series : scene.series) {
        if (!series.visible)
            continue;
        const double middle = y + line / 2.0;
        p->setPen(QPen(plotSeriesColor(palette, series.colorIndex), 2.0));
        p->drawLine(QPointF(box.left() + pad, middle), QPointF(box.left() + pad + swatch, middle));
        p->setPen(colors.text);
        p->drawText(QPointF(box.left() + pad * 2.0 + swatch,
                            middle - metrics.height() / 2.0 + metrics.ascent()),
                    series.name);
        y += line;
    }
}

} // namespace

PlotPainter::PlotPainter(const QPalette& colors, const QFont& textFont)
    : palette(colors), font(textFont) {}

void PlotPainter::paint(QPainter* p, const PlotScene& scene) const {
    const PlotView& view = scene.view;
    const PlotColors colors = PlotColors::fromPalette(palette);
    p->save();
    p->setFont(font);
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    p->fillRect(QRectF(0.0, 0.0, view.width(), view.height()), colors.background);

    const QFontMetricsF metrics(font);
    // Long labels (far from 0, fine steps) ask for wider spacing: widened until they fit.
    double spacing = std::max(60.0, metrics.horizontalAdvance(QStringLiteral("-0.0000")) * 1.3);
    QList<PlotTick> xTicks;
    for (int attempt = 0; attempt < 4; ++attempt) {
        xTicks = plotTicks(view.xMin(), view.xMax(), view.width(), spacing);
        double widest = 0.0;
        for (const PlotTick& tick : xTicks)
            widest = std::max(widest, metrics.horizontalAdvance(tick.label));
        const double room =
            plotTickStep(view.xMin(), view.xMax(), view.width(), spacing) * view.xScale();
        if (widest + 12.0 <= room)
            break;
        spacing = std::max(spacing * 1.5, widest + 12.0);
    }
    const QList<PlotTick> yTicks =
        plotTicks(view.yMin(), view.yMax(), view.height(), metrics.height() * 2.5);
    drawGrid(p, view, xTicks, yTicks, colors);
    drawAxes(p, view, xTicks, yTicks, colors);

    p->setBrush(Qt::NoBrush);
    for (const PlotSeries& series : scene.series) {
        if (!series.visible)
            continue;
        QPen pen(plotSeriesColor(palette, series.colorIndex), 2.0);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        p->setPen(pen);
        p->drawPath(curvePath(series.curve, view));
    }
    for (const PlotFeature& mark : scene.marks) {
        if (mark.function < 0 || mark.function >= scene.series.size() ||
            !scene.series.at(mark.function).visible)
            continue;
        const QPointF at = view.toPixel(mark.x, mark.y);
        if (at.x() >= 0.0 && at.x() <= view.width() && at.y() >= 0.0 && at.y() <= view.height())
            drawMark(p, mark, at,
                     plotSeriesColor(palette, scene.series.at(mark.function).colorIndex), colors);
    }
    if (scene.trace)
        drawTrace(p, scene, palette, colors);
    if (scene.legend)
        drawLegend(p, scene, palette, colors);
    p->restore();
}
