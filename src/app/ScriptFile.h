#pragma once

#include <QString>

// The file that keeps the window's script between sessions: UTF-8 text,
// written whole and atomically (a new file that then replaces the old one),
// so a full disk or a crash during a write leaves the last good copy intact.

// Larger scripts are neither written nor read back: reading and laying out
// this much text already takes about a second at start.
constexpr qint64 maxScriptFileBytes = qint64(16) * 1024 * 1024;

// Qt lays out a line whole, however little of it shows, at roughly a second of
// processor time per million characters (one line of 1 MiB: 1 s to the first
// full paint; 4 MiB: 3 s; 16 MiB: 12 s; 15 lines of 1 MiB: 5.5 s). The lines a
// tall window shows at start must hold no more than this, or the start is
// slow whatever the script's size; such a script is neither written nor read
// back. Long lines further down cost nothing until they are scrolled to.
constexpr int startLineCount = 64;
constexpr qsizetype maxStartLineCharacters = 1024 * 1024;

// Whether the first startLineCount lines of text (ended as the editor ends
// them: LF, CR, CRLF or U+2029) hold more than limit characters.
bool startLinesTooLong(QStringView text, qsizetype limit = maxStartLineCharacters);

struct ScriptFileRead {
    enum Status { Missing, Read, TooLarge, LinesTooLong, Unreadable };
    Status status = Missing;
    QString text;
};

// Reads the script at path. A file over limit is not read (TooLarge), one
// whose first lines are too long (see startLinesTooLong) not kept
// (LinesTooLong); only a regular file is read at all.
ScriptFileRead readScriptFile(const QString& path, qint64 limit = maxScriptFileBytes);

// Replaces the file at path by utf8, creating its folder when needed. On
// failure returns false, leaves any earlier file as it was and says why in
// error.
bool writeScriptFile(const QString& path, const QByteArray& utf8, QString* error);
