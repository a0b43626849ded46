#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include <cstdio>

#include <unistd.h>

// Sends this process's standard error to a temporary file while it lives;
// text() gives what was written so far.
class StandardErrorCapture {
public:
    StandardErrorCapture() {
        file.open();
        std::fflush(stderr);
        saved = ::dup(STDERR_FILENO);
        ::dup2(file.handle(), STDERR_FILENO);
    }
    ~StandardErrorCapture() {
        std::fflush(stderr);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    QString text() {
        std::fflush(stderr);
        QFile reader(file.fileName());
        reader.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(reader.readAll());
    }

private:
    QTemporaryFile file;
    int saved = -1;
};
