#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 2> handledSignals{SIGTERM, SIGHUP};

// Read end, write end. The handler reaches the write end through this global:
// a handler has no other way to find it.
int pipeEnds[2] = {-1, -1};

extern "C" void onTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

bool makePipe() {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0)
        return true;
    pipeEnds[0] = pipeEnds[1] = -1;
    return false;
}

void closePipe() {
    for (int& end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void setAction(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QWidget* window) {
    if (pipeEnds[0] >= 0 || !makePipe())
        return;
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    if (window) {
        connect(this, &TerminationSignals::received, window, [window] {
            window->close();
            QCoreApplication::quit();
        });
    }
    setAction(onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier)
        return;
    setAction(SIG_DFL);
    delete notifier;
    closePipe();
}

void TerminationSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        emit received(byte);
}
