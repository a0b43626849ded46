#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// The lines of a /proc/<pid>/maps file whose mapping is writable and
// executable at once (permissions such as "rwxp"), which hardened systems
// refuse or report. Empty when there are none or the file cannot be read.
inline QList<QByteArray> writableExecutableMappings(const QString& mapsPath) {
    QFile maps(mapsPath);
    QList<QByteArray> found;
    if (!maps.open(QIODevice::ReadOnly))
        return {QByteArray("cannot read ") + mapsPath.toUtf8()};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QByteArray permissions = line.split(' ').value(1);
        if (permissions.contains('w') && permissions.contains('x'))
            found.append(line);
    }
    return found;
}
