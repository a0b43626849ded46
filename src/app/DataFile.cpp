#include "DataFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

void reportDataFileProblem(const QString& message) {
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("scriptcalc");
    std::fputs(
        (name + QStringLiteral(": ") + message + QLatin1Char('\n')).toLocal8Bit().constData(),
        stderr);
}

bool readDataFile(const QString& path, QByteArray* bytes, qint64 limit) {
    bytes->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // One byte past the limit tells a file that is too large, also when it
    // grows while it is read.
    QByteArray content = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return false;
    if (content.size() > limit) {
        reportDataFileProblem(QStringLiteral("%1 is larger than %2 bytes and is not read")
                                  .arg(QDir::toNativeSeparators(path))
                                  .arg(limit));
        return false;
    }
    *bytes = std::move(content);
    return !bytes->isEmpty();
}
