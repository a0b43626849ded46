// PlotPainter::curvePath: from plane pieces to the one path a curve is drawn with.
#include "PlotPainter.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Values near a pole map far beyond any pixel; beyond this they are drawn as if here, which
// moves nothing visible (the segment is vertical to within a pixel either way).
constexpr double kFarPixel = 1e7;

// Keeps of each run of points within one pixel column the first, the lowest, the highest and
// the last, in their order: all that the column can show.
class ColumnReducer {
public:
    explicit ColumnReducer(QPainterPath* target) : path(target) {}

    void moveTo(QPointF p) {
        flush();
        started = false;
        add(p);
    }
    void lineTo(QPointF p) { add(p); }
    void flush() {
        if (count == 0)
            return;
        put(first);
        if (count > 1) {
            if (lowIndex < highIndex) {
                put(low);
                put(high);
            } else {
                put(high);
                put(low);
            }
            put(last);
        }
        count = 0;
    }

private:
    void add(QPointF p) {
        const double column = std::floor(p.x());
        if (count > 0 && column != currentColumn)
            flush();
        if (count == 0) {
            currentColumn = column;
            first = low = high = last = p;
            lowIndex = highIndex = 0;
        } else {
            if (p.y() < low.y()) {
                low = p;
                lowIndex = count;
            }
            if (p.y() > high.y()) {
                high = p;
                highIndex = count;
            }
            last = p;
        }
        ++count;
    }
    void put(QPointF p) {
        if (!started) {
            path->moveTo(p);
            started = true;
            previous = p;
        } else if (p != previous) {
            path->lineTo(p);
            previous = p;
        }
    }

    QPainterPath* path;
    QPointF first, low, high, last, previous;
    int lowIndex = 0, highIndex = 0, count = 0;
    double currentColumn = 0.0;
    bool started = false;
};

// Liang-Barsky: the part of the segment a-b inside box, if any.
bool clip(QPointF& a, QPointF& b, const QRectF& box) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

} // namespace

QPainterPath PlotPainter::curvePath(const PlotCurve& curve, const PlotView& view) {
    QPainterPath path;
    const double margin = 4.0;
    const QRectF box(-margin, -margin, view.width() + 2 * margin, view.height() + 2 * margin);
    ColumnReducer reducer(&path);
    auto pixel = [&view](QPointF p) {
        return QPointF(view.xToPixel(p.x()),
                       std::clamp(view.yToPixel(p.y()), -kFarPixel, kFarPixel));
    };
    for (const QPolygonF& piece : curve.pieces) {
        if (piece.size() == 1) {
            // A lone point between gaps: drawn as a dot.
            const QPointF p = pixel(piece.first());
            if (box.contains(p)) {
                reducer.moveTo(p);
                reducer.lineTo(p + QPointF(0.01, 0.0));
            }
            continue;
        }
        bool drawing = false;
        QPointF from = pixel(piece.first());
        for (qsizetype i = 1; i < piece.size(); ++i) {
            const QPointF to = pixel(piece.at(i));
            QPointF a = from, b = to;
            if (clip(a, b, box)) {
                if (!drawing || a != from)
                    reducer.moveTo(a);
                reducer.lineTo(b);
                drawing = b == to;
            } else {
                drawing = false;
            }
            from = to;
        }
    }
    reducer.flush();
    return path;
}
