#include "UnwrappedResize.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>

UnwrappedResize::UnwrappedResize(QPlainTextEdit* watched) : QObject(watched), editor(watched) {
    // The editor hears of its viewport's size through its own filter there;
    // this one, installed later, is asked first.
    editor->viewport()->installEventFilter(this);
}

bool UnwrappedResize::eventFilter(QObject* watched, QEvent* event) {
    if (passing || event->type() != QEvent::Resize ||
        editor->lineWrapMode() != QPlainTextEdit::NoWrap)
        return false;
    const auto* resize = static_cast<QResizeEvent*>(event);
    if (resize->oldSize().width() == resize->size().width())
        return false;
    QResizeEvent heightOnly(resize->size(),
                            QSize(resize->size().width(), resize->oldSize().height()));
    passing = true;
    QCoreApplication::sendEvent(watched, &heightOnly);
    passing = false;
    return true;
}
