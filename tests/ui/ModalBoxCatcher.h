#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Closes every modal dialog that opens while it lives, so that a test never
// hangs in a dialog's event loop, and records what each one showed. A test
// that expects a dialog takes the records; any record left over at the end
// of a test is a dialog nobody expected.
class ModalBoxCatcher : public QObject {
    Q_OBJECT

public:
    struct Seen {
        QString className;
        QString title;
        QString text;                             // message boxes only
        Qt::TextFormat textFormat = Qt::AutoText; // message boxes only
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons; // message boxes only
        QObject* parent = nullptr;
    };

    ModalBoxCatcher();

    // The dialogs seen since the last call, oldest first.
    QList<Seen> take();

private:
    void closeActiveModal();

    QTimer poll;
    QList<Seen> seen;
};
