#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

class QTextCursor;

// The column beside the script editor: text line i holds the result of
// script line i, so it reads line by line, and a gutter on its left numbers
// the lines. It follows the editor's vertical scrolling (and the editor
// follows it), so both must show one script line per text line at the same
// line height.
class LineResultsView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LineResultsView(QWidget* parent = nullptr);

    void follow(QPlainTextEdit* editor);

    // texts has one entry per script line. failedLine (1-based, 0 for none)
    // shows a marker with shortMessage, and message as its tooltip; quiet marks
    // it without the error colour (an empty line).
    void showResults(const QStringList& texts, int failedLine = 0,
                     const QString& shortMessage = QString(), const QString& message = QString(),
                     bool quiet = false);
    // One line of explanation instead of results.
    void showNote(const QString& note);

    int failedLine() const { return failed; }
    QString failedMessage() const { return failedTip; }

    // The marker that leads the failing line's text.
    static QString failureMarker();

    // The text of line (1-based) as drawn: whole, or cut to end in "…" (its tooltip then holds
    // it whole).
    QString shownText(int line) const;
    // The width that shows the widest line now in view whole.
    int wantedWidth() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Gutter;
    friend class Gutter;

    void showLines(const QStringList& lines);
    void replaceLine(QTextCursor& cursor, int line, const QString& text);
    void replaceLines(QTextCursor& cursor, int from, int to, const QStringList& lines);
    int textRoom() const;
    void paintGutter(QPaintEvent* event);
    int gutterWidth() const;
    void updateGutterWidth();
    void syncScroll();

    Gutter* gutter;
    QPlainTextEdit* editor = nullptr;
    bool noteShown = false;
    int failed = 0;
    bool quietMark = false;
    QString failedTip;
    // Every line's whole text, and the text the column shows for it.
    QStringList fullLines;
    QStringList shownLines;
};
