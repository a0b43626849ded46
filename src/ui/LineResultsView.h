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
    // The same, but nothing is written yet: writeFor writes it, a slice at a time.
    void queueResults(const QStringList& texts, int failedLine = 0,
                      const QString& shortMessage = QString(), const QString& message = QString(),
                      bool quiet = false);
    // Writes queued lines (only those whose text changes) until all are written or the time is
    // up; true when the column shows the results queued last.
    bool writeFor(qint64 milliseconds);
    bool isWriting() const { return writing; }
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

signals:
    // The column shows the results given last.
    void written();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Gutter;
    friend class Gutter;

    void writeStep(QTextCursor& cursor);
    void finishWriting();
    void replaceLine(QTextCursor& cursor, int line, const QString& text);
    void insertLines(QTextCursor& cursor, int at, const QStringList& lines);
    void removeLines(QTextCursor& cursor, int at, int count);
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
    // Every line's whole text as the document holds it.
    QStringList shownLines;
    // The lines to show, with the failure the write ends with. Lines from writeFirst on are
    // written: first removed or inserted there to make the counts agree, then each one whose
    // text differs, from writeNext up to writeEnd.
    QStringList wanted;
    int wantedFailed = 0;
    bool wantedQuiet = false;
    QString wantedTip;
    bool writing = false;
    int writeFirst = 0;
    int inserted = 0;
    int toInsert = 0;
    int toRemove = 0;
    int writeNext = 0;
    int writeEnd = 0;
};
