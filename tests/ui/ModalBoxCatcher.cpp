#include "ModalBoxCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

#include <utility>

namespace {

// Short enough that a dialog opened by a click is closed within the same
// test step, long enough not to busy-loop.
constexpr int pollIntervalMs = 5;

} // namespace

ModalBoxCatcher::ModalBoxCatcher() {
    poll.setInterval(pollIntervalMs);
    connect(&poll, &QTimer::timeout, this, &ModalBoxCatcher::closeActiveModal);
    poll.start();
}

QList<ModalBoxCatcher::Seen> ModalBoxCatcher::take() {
    return std::exchange(seen, {});
}

void ModalBoxCatcher::closeActiveModal() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    Seen record;
    record.className = QString::fromLatin1(dialog->metaObject()->className());
    record.title = dialog->windowTitle();
    record.parent = dialog->parent();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        record.text = box->text();
        record.textFormat = box->textFormat();
        record.icon = box->icon();
        record.buttons = box->standardButtons();
        seen.append(record);
        // Closed as a user closes it: with its button.
        const QList<QAbstractButton*> buttons = box->buttons();
        if (!buttons.isEmpty()) {
            buttons.first()->click();
            return;
        }
    } else {
        seen.append(record);
    }
    dialog->reject();
}
