#include "ScriptInput.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace {

constexpr qint64 chunkSize = 1024 * 1024;

// A held line at least this long is given back once it has been handed over.
constexpr qsizetype longLine = 1024 * 1024;

// The first "\n" or "\r" in piece, or -1.
qsizetype lineBreakIn(QByteArrayView piece) {
    const char* begin = piece.data();
    for (const char* at = begin; at != begin + piece.size(); ++at)
        if (*at == '\n' || *at == '\r')
            return at - begin;
    return -1;
}

} // namespace

ScriptLineSplitter::ScriptLineSplitter(ScriptLineSink lineSink) : sink(std::move(lineSink)) {}

void ScriptLineSplitter::feed(QByteArrayView piece) {
    if (piece.isEmpty())
        return;
    // The "\n" of a "\r\n" that the last piece cut in two.
    if (afterCarriageReturn && piece.startsWith('\n'))
        piece = piece.sliced(1);
    afterCarriageReturn = false;
    for (;;) {
        const qsizetype end = lineBreakIn(piece);
        if (end < 0) {
            pending.append(piece);
            return;
        }
        if (pending.isEmpty()) {
            emitLine(piece.first(end));
        } else {
            pending.append(piece.first(end));
            emitLine(pending);
            if (pending.size() >= longLine)
                pending = QByteArray();
            else
                pending.resize(0);
        }
        qsizetype next = end + 1;
        if (piece[end] == '\r') {
            if (next == piece.size())
                afterCarriageReturn = true;
            else if (piece[next] == '\n')
                ++next;
        }
        piece = piece.sliced(next);
    }
}

void ScriptLineSplitter::finish() {
    // "" is one empty line; after a line break at the very end nothing follows.
    if (!pending.isEmpty() || !emitted)
        emitLine(pending);
    pending = QByteArray();
}

void ScriptLineSplitter::emitLine(QByteArrayView line) {
    if (!emitted && line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    emitted = true;
    sink(line);
}

bool readScriptLines(const QString& path, const ScriptLineSink& sink, QString* error,
                     qint64 limit) {
    QFile file;
    bool opened = false;
    if (path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else if (QFileInfo(path).isDir()) {
        *error = QStringLiteral("cannot read '%1': it is a folder").arg(path);
        return false;
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
        return false;
    }
    // In pieces, so that an endless source stops at the limit instead of
    // growing until memory runs out.
    QByteArray piece(chunkSize, Qt::Uninitialized);
    ScriptLineSplitter splitter(sink);
    qint64 total = 0;
    for (;;) {
        const qint64 count = file.read(piece.data(), chunkSize);
        if (count < 0) {
            *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
            return false;
        }
        if (count == 0) {
            splitter.finish();
            return true;
        }
        total += count;
        if (total > limit) {
            *error = QStringLiteral("cannot read '%1': the script is longer than %2 bytes")
                         .arg(path)
                         .arg(limit);
            return false;
        }
        splitter.feed(QByteArrayView(piece.constData(), count));
    }
}

QString withLineFeeds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
