#include "ScriptInput.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace {

constexpr qint64 chunkSize = 1024 * 1024;

// A held line at least this long is given back once it has been handed over.
constexpr qsizetype longLine = 1024 * 1024;

} // namespace

ScriptLineSplitter::ScriptLineSplitter(ScriptLineSink lineSink) : sink(std::move(lineSink)) {}

void ScriptLineSplitter::feed(QByteArrayView piece) {
    for (;;) {
        const qsizetype end = piece.indexOf('\n');
        if (end < 0) {
            pending.append(piece);
            return;
        }
        if (pending.isEmpty()) {
            emitLine(piece.first(end), true);
        } else {
            pending.append(piece.first(end));
            emitLine(pending, true);
            if (pending.size() >= longLine)
                pending = QByteArray();
            else
                pending.resize(0);
        }
        piece = piece.sliced(end + 1);
    }
}

void ScriptLineSplitter::finish() {
    // "" is one empty line; after a line break at the very end nothing follows.
    if (!pending.isEmpty() || !emitted)
        emitLine(pending, false);
    pending = QByteArray();
}

void ScriptLineSplitter::emitLine(QByteArrayView line, bool ended) {
    if (!emitted && line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    if (ended && line.endsWith('\r'))
        line.chop(1);
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
