// Draws the application picture: a calculator with a display, a keypad and a
// highlighted "=" key, designed on a 48x48 grid and scaled to SIZE (default
// 48, which gives resources/images/brel.PNG). packaging/icons/scriptcalc.svg
// is the same drawing by hand; keep the two alike. Not part of the build:
// tools/make-icons.sh compiles it and writes every PNG.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRect>
#include <QRectF>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int side = 48;

// Everything sits on whole pixels so the small shapes stay crisp.
void drawBody(QPainter& p) {
    QPainterPath body;
    body.addRoundedRect(QRectF(6.5, 2.5, 35, 43), 5, 5);
    p.setPen(QPen(QColor(30, 60, 90), 1));
    p.setBrush(QColor(52, 94, 135));
    p.drawPath(body);
}

void drawDisplay(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 50), 1));
    p.setBrush(QColor(141, 211, 211));
    p.drawRoundedRect(QRectF(9.5, 6.5, 29, 9), 1.5, 1.5);
    // A short "result" on the right of the display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 50));
    for (int x = 27; x <= 35; x += 4)
        p.drawRect(QRect(x, 10, 2, 3));
}

void drawKey(QPainter& p, const QRect& r, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void drawKeypad(QPainter& p) {
    const QColor key(235, 240, 245);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            drawKey(p, QRect(9 + col * 8, 18 + row * 7, 6, 5), key);
    // The "=" key spans the bottom row.
    drawKey(p, QRect(9, 39, 30, 5), QColor(240, 150, 40));
    p.setBrush(Qt::white);
    p.drawRect(QRect(20, 40, 8, 1));
    p.drawRect(QRect(20, 42, 8, 1));
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[2]) : side;
    if ((argc != 2 && argc != 3) || size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: draw-icon OUTPUT.PNG [SIZE from 16 to 1024]\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / side, double(size) / side);
    drawBody(p);
    drawDisplay(p);
    drawKeypad(p);
    p.end();
    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
