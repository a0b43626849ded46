#include "ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

bool startLinesTooLong(QStringView text, qsizetype limit) {
    qsizetype characters = 0;
    int lines = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\n' || c == u'\r' || c == 0x2029) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (++lines == startLineCount)
                return false;
        } else if (++characters > limit) {
            return true;
        }
    }
    return false;
}

ScriptFileRead readScriptFile(const QString& path, qint64 limit) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return {ScriptFileRead::Unreadable, {}};
    if (info.size() > limit)
        return {ScriptFileRead::TooLarge, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {ScriptFileRead::Unreadable, {}};
    // The size is checked again on the bytes: the file may have grown since.
    const QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return {ScriptFileRead::TooLarge, {}};
    QString text = QString::fromUtf8(bytes);
    if (startLinesTooLong(text))
        return {ScriptFileRead::LinesTooLong, {}};
    return {ScriptFileRead::Read, std::move(text)};
}

bool writeScriptFile(const QString& path, const QByteArray& utf8, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return false;
    }
    // No fallback to writing in place: a folder without room for the new copy
    // must fail rather than cut the old one. Unbuffered, because a write that
    // fails only when a buffer is flushed at commit() goes unnoticed there,
    // and the cut copy would replace the good one.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(utf8) != utf8.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
