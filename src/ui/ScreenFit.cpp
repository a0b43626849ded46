#include "ScreenFit.h"

#include <QFrame>
#include <QLayout>
#include <QMainWindow>
#include <QScrollArea>

void fitInto(QMainWindow* window, const QSize& room) {
    // The least size is known once the style has sized every widget.
    window->ensurePolished();
    if (window->layout())
        window->layout()->activate();
    const QSize least = window->minimumSizeHint();
    if (least.width() > room.width() || least.height() > room.height()) {
        QWidget* contents = window->takeCentralWidget();
        auto* scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("scroll_central"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(contents);
        window->setCentralWidget(scroll);
        // The window's least size follows the scroll area before it is resized.
        window->layout()->activate();
    }
    window->resize(QSize(800, 600).boundedTo(room));
}
