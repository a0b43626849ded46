#pragma once

#include "PlotFunction.h"
#include "PlotScene.h"
#include "PlotView.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

// One function the graph shows.
struct GraphFunction {
    QString name; // the legend's text
    PlotFunction function;
    bool visible = true;
    int colorIndex = 0;
};

// The plot area: draws the functions through PlotPainter and lets the user move about.
//   drag: pan; Shift+drag or right-drag: zoom to the box; wheel: zoom around the pointer;
//   arrows: pan; + and -: zoom around the centre; Shift+Left/Right: move the trace cursor;
//   Shift+Up/Down: trace the next or the previous shown function.
// The pointer moving over the plot moves the trace to its x. Every change of the view resamples
// the shown functions for the new range at the widget's pixel size.
class GraphWidget : public QWidget {
    Q_OBJECT

public:
    explicit GraphWidget(QWidget* parent = nullptr);

    void setFunctions(const QList<GraphFunction>& functions);
    const QList<GraphFunction>& functions() const { return shown; }
    void setVisible(int function, bool visible);

    const PlotView& view() const { return scene.view; }
    // False while the view is the default one for whatever size the widget has: nobody chose it.
    bool isViewChosen() const { return viewChosen; }
    // Ranges only; the pixel size stays the widget's.
    void setView(double xMin, double xMax, double yMin, double yMax);
    // x from -10 to 10, y of the same scale centred on 0.
    void resetView();
    // The y range chosen for the shown functions over the visible x range; false when none
    // of them has a finite value there.
    bool fitView();
    void pan(double dx, double dy);
    void zoom(double factor, QPointF pixel);

    void setMarks(const QList<PlotFeature>& marks);

    // The function traced (index into functions()) and where; the trace follows the pointer
    // and the keys. y is the function's value at x.
    void setTrace(int function, double x);
    std::optional<int> tracedFunction() const;
    std::optional<double> traceX() const;
    // How the trace's value is written beside the cursor.
    void setTraceFormat(std::function<QString(double)> format);

    // What the widget shows, for export.
    const PlotScene& currentScene() const { return scene; }
    // The sampled curve of function i (empty when hidden).
    const PlotCurve& curve(int i) const { return scene.series.at(i).curve; }

    QSize sizeHint() const override { return {320, 240}; }
    QSize minimumSizeHint() const override { return {120, 90}; }

signals:
    void viewChanged();
    void traceChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void viewMoved();
    void resample();
    void resample(int i);
    void updateTrace();
    void stepTracedFunction(int step);

    QList<GraphFunction> shown;
    PlotScene scene;
    bool viewChosen = false; // false until a view is set: the first size gives the default view
    int traced = -1;
    double tracedX = 0.0;
    std::function<QString(double)> traceFormat;
    enum class Drag { None, Pan, Box } drag = Drag::None;
    QPoint dragStart, dragLast;
};
