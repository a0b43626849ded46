#include "ScriptStore.h"

#include "PlainToolTip.h"
#include "ScriptFile.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>

namespace {

constexpr qint64 bytesPerMiB = 1024 * 1024;

} // namespace

ScriptStore::ScriptStore(QPlainTextEdit* watched, QLabel* noteLabel,
                         const QMap<QString, QString>& texts)
    : QObject(watched), editor(watched), note(noteLabel), langTable(texts) {
    note->setTextFormat(Qt::PlainText);
    note->setAccessibleName(text("IDS_ACC_SCRIPT_NOTE"));
    timer.setSingleShot(true);
    timer.setInterval(pause);
    connect(&timer, &QTimer::timeout, this, &ScriptStore::save);
    connect(editor->document(), &QTextDocument::contentsChanged, this, [this] {
        changed = true;
        timer.start();
    });
}

QString ScriptStore::filePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QLatin1String("/script.txt");
}

bool ScriptStore::restore(const QString* legacy) {
    const ScriptFileRead saved = readScriptFile(filePath());
    switch (saved.status) {
    case ScriptFileRead::Read:
        editor->setPlainText(saved.text);
        break;
    case ScriptFileRead::TooLarge:
        tell(text("IDS_SCRIPT_NOT_OPENED").arg(maxScriptFileBytes / bytesPerMiB));
        break;
    case ScriptFileRead::LinesTooLong:
        tell(linesTooLong("IDS_SCRIPT_LINES_NOT_OPENED"));
        break;
    case ScriptFileRead::Unreadable:
        // A broken copy starts fresh; the next save replaces it.
        break;
    case ScriptFileRead::Missing:
        if (legacy == nullptr)
            break;
        if (legacy->size() > maxScriptFileBytes) {
            tell(text("IDS_SCRIPT_NOT_OPENED").arg(maxScriptFileBytes / bytesPerMiB));
            break;
        }
        if (startLinesTooLong(*legacy)) {
            tell(linesTooLong("IDS_SCRIPT_LINES_NOT_OPENED"));
            break;
        }
        editor->setPlainText(*legacy);
        changed = true;
        return save();
    }
    changed = false;
    timer.stop();
    return true;
}

bool ScriptStore::save() {
    timer.stop();
    if (!changed)
        return true;
    // Counting first spares encoding a text that is too long in any case:
    // every character takes at least one byte.
    if (editor->document()->characterCount() - 1 > maxScriptFileBytes) {
        tell(text("IDS_SCRIPT_TOO_LARGE").arg(maxScriptFileBytes / bytesPerMiB));
        return false;
    }
    const QString plain = editor->toPlainText();
    if (startLinesTooLong(plain)) {
        tell(linesTooLong("IDS_SCRIPT_LINES_TOO_LONG"));
        return false;
    }
    const QByteArray bytes = plain.toUtf8();
    if (bytes.size() > maxScriptFileBytes) {
        tell(text("IDS_SCRIPT_TOO_LARGE").arg(maxScriptFileBytes / bytesPerMiB));
        return false;
    }
    QString error;
    if (!writeScriptFile(filePath(), bytes, &error)) {
        tell(text("IDS_SCRIPT_NOT_SAVED").arg(error));
        return false;
    }
    changed = false;
    tell(QString());
    return true;
}

QString ScriptStore::text(const char* key) const {
    return langTable.value(QLatin1String(key));
}

QString ScriptStore::linesTooLong(const char* key) const {
    return text(key).arg(maxStartLineCharacters).arg(startLineCount);
}

void ScriptStore::tell(const QString& message) {
    note->setText(message);
    note->setToolTip(message.isEmpty() ? QString() : plainToolTip(message));
    note->setAccessibleDescription(message);
}
