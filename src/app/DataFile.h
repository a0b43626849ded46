#pragma once

#include <QByteArray>
#include <QString>

// The shipped data files are a few KB; anything far beyond is no data file.
constexpr qint64 maxDataFileBytes = qint64(8) * 1024 * 1024;

// Reads the whole data file at path into bytes. Only a regular file is read:
// a FIFO or a device could block or never end. A file larger than limit is
// treated as missing, with one line on standard error naming it. Returns
// false, with bytes empty, when there is nothing to read.
bool readDataFile(const QString& path, QByteArray* bytes, qint64 limit = maxDataFileBytes);

// Writes "<program>: message" as one line on standard error.
void reportDataFileProblem(const QString& message);
