#pragma once

#include <QColor>
#include <QObject>

class QPalette;
class QPlainTextEdit;

// Points at the line where a run failed: puts the editor's caret there and
// gives the line a background until the next edit of the script.
class ErrorLineMark : public QObject {
    Q_OBJECT

public:
    explicit ErrorLineMark(QPlainTextEdit* editor);

    // line is 1-based; position counts characters of that line (as the
    // engine's error position does), -1 or past the end meaning its start or end.
    void mark(int line, int position);
    bool isShown() const { return shown; }

    // Highlight blended into Base: the palette's text colour stays readable
    // on it, in light and dark palettes alike.
    static QColor color(const QPalette& palette);

private:
    void clear();

    QPlainTextEdit* editor;
    bool shown = false;
};
