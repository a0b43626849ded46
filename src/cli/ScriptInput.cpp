#include "ScriptInput.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr qint64 chunkSize = 1024 * 1024;

} // namespace

bool readScriptBytes(const QString& path, QByteArray* bytes, QString* error, qint64 limit) {
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
    bytes->clear();
    for (;;) {
        const qint64 count = file.read(piece.data(), chunkSize);
        if (count < 0) {
            *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
            return false;
        }
        if (count == 0)
            return true;
        if (bytes->size() + count > limit) {
            *error = QStringLiteral("cannot read '%1': the script is longer than %2 bytes")
                         .arg(path)
                         .arg(limit);
            bytes->clear();
            return false;
        }
        bytes->append(piece.constData(), count);
    }
}

QString scriptFromFileBytes(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}
