#include "GraphWidget.h"

#include "PlotPainter.h"
#include "PlotSampler.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The share of the view an arrow key moves it by, the factor + and - zoom by, and the wheel's
// factor per notch.
constexpr double keyPanShare = 0.1;
constexpr double keyZoom = 1.25;
constexpr double wheelZoom = 1.2;
// Pixels the trace cursor moves per key press.
constexpr double traceStep = 4.0;

// The plot speaks as a chart: a bare widget reaches a screen reader as an empty filler, which
// some skip even when it has the focus.
QAccessibleInterface* chartAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("GraphWidget") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
    static const bool spoken = (QAccessible::installFactory(chartAccessible), true);
    Q_UNUSED(spoken);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scene.view = PlotView::defaultView(size());
    // The page lists the functions beside the plot.
    scene.legend = false;
}

void GraphWidget::setFunctions(const QList<GraphFunction>& functions) {
    shown = functions;
    scene.series.clear();
    for (const GraphFunction& function : shown)
        scene.series.append(PlotSeries{function.name, {}, function.visible, function.colorIndex});
    scene.marks.clear();
    if (traced >= int(shown.size()))
        traced = shown.isEmpty() ? -1 : 0;
    resample();
    updateTrace();
}

void GraphWidget::setVisible(int function, bool visible) {
    if (function < 0 || function >= shown.size() || shown[function].visible == visible)
        return;
    shown[function].visible = visible;
    scene.series[function].visible = visible;
    resample(function);
    updateTrace();
}

void GraphWidget::setView(double xMin, double xMax, double yMin, double yMax) {
    // Ranges from a settings file may be anything: the view takes the usable ones.
    PlotView chosen = scene.view;
    chosen.setXRange(xMin, xMax);
    chosen.setYRange(yMin, yMax);
    if (chosen.xMin() != xMin || chosen.xMax() != xMax || chosen.yMin() != yMin ||
        chosen.yMax() != yMax)
        return;
    scene.view = chosen;
    viewMoved();
}

void GraphWidget::resetView() {
    scene.view = PlotView::defaultView(size());
    viewMoved();
    // The default view follows the widget's size again.
    viewChosen = false;
}

bool GraphWidget::fitView() {
    // Evenly spaced x, one per pixel: the drawn curves crowd their points where a curve is steep,
    // and near a pole those points would outnumber the rest and set the range.
    const int n = std::max(2, scene.view.pixelSize().width());
    std::vector<double> xs(n), ys;
    for (int i = 0; i < n; ++i)
        xs[i] = scene.view.xMin() + (scene.view.xMax() - scene.view.xMin()) * i / (n - 1);
    std::vector<double> values(n);
    for (const GraphFunction& function : shown) {
        if (!function.visible)
            continue;
        function.function(xs.data(), values.data(), n);
        ys.insert(ys.end(), values.begin(), values.end());
    }
    if (!scene.view.fitY(ys))
        return false;
    viewMoved();
    return true;
}

void GraphWidget::pan(double dx, double dy) {
    scene.view.pan(dx, dy);
    viewMoved();
}

void GraphWidget::zoom(double factor, QPointF pixel) {
    scene.view.zoom(factor, pixel);
    viewMoved();
}

void GraphWidget::setMarks(const QList<PlotFeature>& marks) {
    scene.marks = marks;
    update();
}

void GraphWidget::setTrace(int function, double x) {
    if (function < 0 || function >= shown.size() || !std::isfinite(x))
        return;
    traced = function;
    tracedX = x;
    updateTrace();
}

std::optional<int> GraphWidget::tracedFunction() const {
    return scene.trace ? std::optional<int>(scene.trace->series) : std::nullopt;
}

std::optional<double> GraphWidget::traceX() const {
    return scene.trace ? std::optional<double>(scene.trace->x) : std::nullopt;
}

void GraphWidget::setTraceFormat(std::function<QString(double)> format) {
    traceFormat = std::move(format);
    updateTrace();
}

void GraphWidget::viewMoved() {
    viewChosen = true;
    resample();
    updateTrace();
    emit viewChanged();
}

void GraphWidget::resample() {
    for (int i = 0; i < shown.size(); ++i)
        resample(i);
    update();
}

void GraphWidget::resample(int i) {
    scene.series[i].curve = shown[i].visible && scene.view.width() > 0 && scene.view.height() > 0
                                ? PlotSampler::sample(shown[i].function, scene.view)
                                : PlotCurve{};
    update();
}

void GraphWidget::updateTrace() {
    const bool traceable = traced >= 0 && traced < shown.size() && shown[traced].visible;
    if (!traceable) {
        if (scene.trace) {
            scene.trace.reset();
            update();
            emit traceChanged();
        }
        return;
    }
    PlotTrace trace;
    trace.series = traced;
    trace.x = tracedX;
    trace.y = evaluateAt(shown[traced].function, tracedX);
    if (traceFormat)
        trace.text = traceFormat(trace.y);
    scene.trace = trace;
    update();
    emit traceChanged();
}

void GraphWidget::stepTracedFunction(int step) {
    for (int n = 1; n <= shown.size(); ++n) {
        const int i =
            ((traced + step * n) % int(shown.size()) + int(shown.size())) % int(shown.size());
        if (shown[i].visible) {
            traced = i;
            updateTrace();
            return;
        }
    }
}

void GraphWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PlotPainter(palette(), font()).paint(&painter, scene);
    if (drag == Drag::Box) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(dragStart, dragLast).normalized());
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void GraphWidget::resizeEvent(QResizeEvent*) {
    if (viewChosen) {
        scene.view.setPixelSize(size());
    } else {
        scene.view = PlotView::defaultView(size());
    }
    resample();
    updateTrace();
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
    const bool box = event->button() == Qt::RightButton ||
                     (event->button() == Qt::LeftButton && event->modifiers() & Qt::ShiftModifier);
    if (!box && event->button() != Qt::LeftButton)
        return;
    drag = box ? Drag::Box : Drag::Pan;
    dragStart = dragLast = event->position().toPoint();
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (drag == Drag::Pan) {
        const QPoint moved = at - dragLast;
        dragLast = at;
        pan(moved.x(), moved.y());
        return;
    }
    if (drag == Drag::Box) {
        dragLast = at;
        update();
        return;
    }
    if (traced < 0 && !shown.isEmpty())
        traced = 0;
    tracedX = scene.view.xFromPixel(at.x());
    updateTrace();
}

void GraphWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (drag == Drag::Box) {
        dragLast = event->position().toPoint();
        drag = Drag::None;
        scene.view.zoomToBox(QRectF(QRect(dragStart, dragLast).normalized()));
        viewMoved();
        return;
    }
    drag = Drag::None;
}

void GraphWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0)
        return;
    zoom(std::pow(wheelZoom, notches), event->position());
    event->accept();
}

void GraphWidget::keyPressEvent(QKeyEvent* event) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const double sign = event->key() == Qt::Key_Left ? -1.0 : 1.0;
        if (shift) {
            if (traced < 0 && !shown.isEmpty())
                traced = 0;
            if (!scene.trace)
                tracedX = scene.view.xFromPixel(centre.x());
            tracedX = scene.view.xFromPixel(scene.view.xToPixel(tracedX) + sign * traceStep);
            updateTrace();
        } else {
            // The content moves the other way: Right shows what lies right of the view.
            pan(-sign * keyPanShare * width(), 0.0);
        }
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const double sign = event->key() == Qt::Key_Up ? 1.0 : -1.0;
        if (shift)
            stepTracedFunction(event->key() == Qt::Key_Up ? -1 : 1);
        else
            pan(0.0, sign * keyPanShare * height());
        return;
    }
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoom(keyZoom, centre);
        return;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        zoom(1.0 / keyZoom, centre);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
