#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// Past this a script is refused rather than read: the engine refuses lines
// over 64 MiB anyway, and a device such as /dev/zero never ends.
constexpr qint64 maxScriptBytes = qint64(256) * 1024 * 1024;

// Receives one line of a script file, UTF-8 bytes without the line break.
using ScriptLineSink = std::function<void(QByteArrayView)>;

// Cuts a script file, handed over in pieces of any size, into the lines the
// editor would hold: without a leading byte-order mark, with "\n", "\r\n"
// and a lone "\r" each ending a line, and one line break at the very end
// taken as the end of the last line rather than an empty line. A line that lies within one piece is
// handed over in place; only one that spans pieces is copied.
class ScriptLineSplitter {
public:
    explicit ScriptLineSplitter(ScriptLineSink sink);

    // Hands over every line that piece completes.
    void feed(QByteArrayView piece);
    // Hands over the last line, after the last piece.
    void finish();

private:
    void emitLine(QByteArrayView line);

    ScriptLineSink sink;
    QByteArray pending; // the start of a line that no piece has ended yet
    bool emitted = false;
    bool afterCarriageReturn = false; // the last piece ended in "\r"
};

// Reads the script from path, or from standard input when path is "-", and
// hands its lines to sink as they arrive, so that the script is never held
// whole. On failure, or when there is more than limit bytes to read, returns
// false and says why in error (after some lines may have been handed over).
bool readScriptLines(const QString& path, const ScriptLineSink& sink, QString* error,
                     qint64 limit = maxScriptBytes);

// text with every "\r\n" and every lone "\r" turned into "\n": the line
// breaks of a script given as text rather than read from a file.
QString withLineFeeds(QString text);
