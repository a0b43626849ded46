#include "PlotPainter.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QImage picture(const PlotScene& scene, const QFont& font) {
    QImage image(scene.view.pixelSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PlotPainter(QPalette(), font).paint(&painter, scene);
    return image;
}

} // namespace

// A plot narrower than the trace's label on either side of the cursor: the label is drawn over
// the cursor, whole, rather than cut by the plot's edge.
TEST(PlotPainterTrace, TheLabelStaysWholeInANarrowPlot) {
    const QFont font;
    const QString text = QStringLiteral("-1.2345678");
    const double labelWidth = QFontMetricsF(font).horizontalAdvance(text) + 8.0;
    const int width = int(std::ceil(labelWidth * 1.5));
    PlotScene scene;
    scene.view = PlotView(-1.0, 1.0, -1.0, 1.0, QSize(width, 80));
    scene.trace = PlotTrace{0, 0.0, 0.0, text};
    const QImage with = picture(scene, font);
    scene.trace->text.clear();
    const QImage without = picture(scene, font);

    // The label is where the two pictures differ.
    int left = width, right = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < width; ++x)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(right - left + 2, int(labelWidth)) << left << " " << right;
}
