#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QPlainTextEdit;

// Keeps the editor's script in its own file in the application's data folder
// (see ScriptFile), so that neither a kill nor a full disk loses more than the
// last moments of typing:
//
//   edit --pause--> save      run, close, signal, session save --> save now
//
// A save that fails, or one skipped because the script is too large to keep
// or its first lines too long to show quickly at the next start,
// is told in a quiet label (never a box); the label empties at the next
// successful save. The file on disk is only ever replaced by a whole copy.
class ScriptStore : public QObject {
    Q_OBJECT

public:
    // The pause after the last edit before the script is saved, in ms.
    static constexpr int pause = 1000;

    // note is the label that tells of problems; texts from langTable.
    ScriptStore(QPlainTextEdit* editor, QLabel* note, const QMap<QString, QString>& langTable);

    // Where the script is kept.
    static QString filePath();

    // Puts the saved script into the editor. legacy is a script found in an
    // older version's settings: it is used instead when no script file exists
    // yet, and saved to the file at once. Returns true when legacy has been
    // taken care of (moved, or superseded by an existing file) and may be
    // dropped from the settings.
    bool restore(const QString* legacy = nullptr);

    // Writes the script now unless the file already holds it. Returns false
    // when the file is not current: the write failed or the script is too
    // large to keep.
    bool save();

    bool hasUnsavedChanges() const { return changed; }

private:
    QString text(const char* key) const;
    // The message under key, on the first lines of a script being too long.
    QString linesTooLong(const char* key) const;
    void tell(const QString& message);

    QPlainTextEdit* editor;
    QLabel* note;
    const QMap<QString, QString>& langTable;
    QTimer timer;
    bool changed = false;
};
