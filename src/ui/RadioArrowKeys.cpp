#include "RadioArrowKeys.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <QWidget>

RadioArrowKeys::RadioArrowKeys(QWidget* watched) : QObject(watched), group(watched) {
    for (QRadioButton* button : group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        button->installEventFilter(this);
}

bool RadioArrowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                 : 0;
    if (step == 0 || static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
        return false;
    const auto buttons = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    const qsizetype at = buttons.indexOf(static_cast<QRadioButton*>(watched));
    if (at < 0 || buttons.size() < 2)
        return false;
    QRadioButton* next = buttons.at((at + step + buttons.size()) % buttons.size());
    next->setFocus(Qt::ShortcutFocusReason);
    next->click();
    return true;
}
