#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole script from path, or from standard input when path is "-".
// On failure returns false and says why in error.
bool readScriptBytes(const QString& path, QByteArray* bytes, QString* error);

// A script file's text as the editor would hold it: UTF-8 without a leading
// byte-order mark, a "\r" before each "\n" dropped, and one line break at the
// very end taken as the end of the last line rather than an empty line.
QString scriptFromFileBytes(QByteArray bytes);
