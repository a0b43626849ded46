#pragma once

#include <QByteArray>
#include <QString>

// Past this a script is refused rather than read: the engine refuses lines
// over 64 MiB anyway, and a device such as /dev/zero never ends.
constexpr qint64 maxScriptBytes = qint64(256) * 1024 * 1024;

// Reads the whole script from path, or from standard input when path is "-".
// On failure, or when there is more than limit bytes to read, returns false
// and says why in error.
bool readScriptBytes(const QString& path, QByteArray* bytes, QString* error,
                     qint64 limit = maxScriptBytes);

// A script file's text as the editor would hold it: UTF-8 without a leading
// byte-order mark, a "\r" before each "\n" dropped, and one line break at the
// very end taken as the end of the last line rather than an empty line.
QString scriptFromFileBytes(QByteArray bytes);
