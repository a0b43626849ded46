#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Turns SIGTERM and SIGHUP (a logout, a service manager, a closed terminal)
// into a Qt signal on the GUI thread, so that the window can save and close
// instead of dying with unsaved work. The handler itself only writes the
// signal's number to a pipe (one write, async-signal-safe); a socket
// notifier on the other end emits received() from the event loop.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; only one object may exist at a time. With a
    // window, a signal closes it (which saves its state) and then ends the
    // application's event loop.
    explicit TerminationSignals(QWidget* window = nullptr);
    // Gives both signals back their default action.
    ~TerminationSignals() override;

    // False when the pipe or the handlers could not be set up; the signals
    // then keep their default action.
    bool isActive() const { return notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier = nullptr;
};
