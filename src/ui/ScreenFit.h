#pragma once

#include <QSize>

class QMainWindow;

// The first size of the window: 800x600 where room allows it, smaller where it does not (a
// small screen, or a large scale factor). When even the window's least size exceeds the room,
// its contents scroll, so the window always fits.
void fitInto(QMainWindow* window, const QSize& room);
