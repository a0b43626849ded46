#include "LineResultsView.h"

#include <QElapsedTimer>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolTip>

#include "ErrorLineMark.h"
#include "PlainToolTip.h"

#include <algorithm>
#include <limits>

// The line numbers, painted left of the results; not part of the text, so a
// screen reader reads only the results.
class LineResultsView::Gutter : public QWidget {
public:
    explicit Gutter(LineResultsView* owner) : QWidget(owner), view(owner) {}
    QSize sizeHint() const override { return QSize(view->gutterWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { view->paintGutter(event); }

private:
    LineResultsView* view;
};

namespace {

constexpr int gutterPadding = 4;
// Lines inserted or removed in one edit of the document.
constexpr int linesPerChunk = 256;

} // namespace

LineResultsView::LineResultsView(QWidget* parent)
    : QPlainTextEdit(parent), gutter(new Gutter(this)) {
    setReadOnly(true);
    // The column is rewritten line by line after every edit of the script; nothing to undo.
    document()->setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineResultsView::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            gutter->scroll(0, dy);
        else
            gutter->update(0, rect.y(), gutter->width(), rect.height());
    });
    updateGutterWidth();
}

void LineResultsView::follow(QPlainTextEdit* followed) {
    editor = followed;
    QScrollBar* theirs = editor->verticalScrollBar();
    QScrollBar* ours = verticalScrollBar();
    connect(theirs, &QScrollBar::valueChanged, ours, &QScrollBar::setValue);
    connect(ours, &QScrollBar::valueChanged, theirs, &QScrollBar::setValue);
    connect(theirs, &QScrollBar::rangeChanged, this, &LineResultsView::syncScroll);
    // The editor scrolls to its caret without a valueChanged (typing on past
    // the last visible line, the mark on a failing line); it repaints then.
    connect(editor, &QPlainTextEdit::updateRequest, this, &LineResultsView::syncScroll);
}

QString LineResultsView::failureMarker() {
    return QStringLiteral("\u26a0 ");
}

void LineResultsView::showResults(const QStringList& texts, int failedLine,
                                  const QString& shortMessage, const QString& message, bool quiet) {
    queueResults(texts, failedLine, shortMessage, message, quiet);
    writeFor(std::numeric_limits<qint64>::max());
}

// Only the lines whose text changes are written: a pass after an edit near the end of a long
// script rewrites a line or two, not the whole column. Lines come and go where the first
// changed line is, so that the lines after it keep their texts when they moved with it.
void LineResultsView::queueResults(const QStringList& texts, int failedLine,
                                   const QString& shortMessage, const QString& message,
                                   bool quiet) {
    wanted = texts;
    if (wanted.isEmpty())
        wanted.append(QString());
    wantedFailed = failedLine > 0 && failedLine <= wanted.size() ? failedLine : 0;
    wantedTip = wantedFailed ? message : QString();
    wantedQuiet = wantedFailed && quiet;
    if (wantedFailed)
        wanted[wantedFailed - 1] = failureMarker() + shortMessage;
    if (noteShown || shownLines.size() != blockCount()) {
        noteShown = false;
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setPlainText(QString());
        shownLines = QStringList(1, QString());
    }
    const qsizetype oldCount = shownLines.size();
    const qsizetype newCount = wanted.size();
    qsizetype first = 0;
    while (first < oldCount && first < newCount && shownLines.at(first) == wanted.at(first))
        ++first;
    qsizetype same = 0;
    while (same < oldCount - first && same < newCount - first &&
           shownLines.at(oldCount - 1 - same) == wanted.at(newCount - 1 - same))
        ++same;
    writeFirst = int(first);
    inserted = 0;
    toInsert = int(std::max<qsizetype>(0, newCount - oldCount));
    toRemove = int(std::max<qsizetype>(0, oldCount - newCount));
    writeNext = int(first);
    writeEnd = int(newCount - same);
    writing = true;
}

bool LineResultsView::writeFor(qint64 milliseconds) {
    if (!writing)
        return true;
    QElapsedTimer clock;
    clock.start();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    while (writing) {
        writeStep(cursor);
        if (clock.elapsed() >= milliseconds)
            break;
    }
    cursor.endEditBlock();
    if (!writing)
        finishWriting();
    return !writing;
}

// Lines are inserted or removed a chunk at a time, then rewritten one at a time.
void LineResultsView::writeStep(QTextCursor& cursor) {
    if (toRemove > 0) {
        const int count = std::min(toRemove, linesPerChunk);
        removeLines(cursor, writeFirst, count);
        shownLines.remove(writeFirst, count);
        toRemove -= count;
    } else if (toInsert > 0) {
        const int count = std::min(toInsert, linesPerChunk);
        const int position = writeFirst + inserted;
        insertLines(cursor, position, wanted.mid(position, count));
        shownLines.insert(position, count, QString());
        std::copy(wanted.begin() + position, wanted.begin() + position + count,
                  shownLines.begin() + position);
        inserted += count;
        toInsert -= count;
    } else if (writeNext < writeEnd) {
        if (shownLines.at(writeNext) != wanted.at(writeNext)) {
            replaceLine(cursor, writeNext, wanted.at(writeNext));
            shownLines[writeNext] = wanted.at(writeNext);
        }
        ++writeNext;
    } else {
        writing = false;
    }
}

void LineResultsView::finishWriting() {
    failed = wantedFailed;
    failedTip = wantedTip;
    quietMark = wantedQuiet;
    QList<QTextEdit::ExtraSelection> marks;
    if (failed) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document()->findBlockByNumber(failed - 1));
        if (quietMark) {
            mark.format.setForeground(palette().color(QPalette::PlaceholderText));
        } else {
            mark.format.setBackground(ErrorLineMark::color(palette()));
            mark.format.setForeground(palette().color(QPalette::Text));
        }
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks.append(mark);
    }
    setExtraSelections(marks);
    syncScroll();
    emit written();
}

void LineResultsView::replaceLine(QTextCursor& cursor, int line, const QString& text) {
    const QTextBlock block = document()->findBlockByNumber(line);
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

// New lines before line at, or after the last one.
void LineResultsView::insertLines(QTextCursor& cursor, int at, const QStringList& lines) {
    const QString text = lines.join(QLatin1Char('\n'));
    if (at < blockCount()) {
        cursor.setPosition(document()->findBlockByNumber(at).position());
        cursor.insertText(text + QLatin1Char('\n'));
    } else {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QLatin1Char('\n') + text);
    }
}

// Lines [at, at + count) go: with the line break after them, or, at the end, the one before.
void LineResultsView::removeLines(QTextCursor& cursor, int at, int count) {
    if (at + count < blockCount()) {
        cursor.setPosition(document()->findBlockByNumber(at).position());
        cursor.setPosition(document()->findBlockByNumber(at + count).position(),
                           QTextCursor::KeepAnchor);
    } else {
        const QTextBlock before = document()->findBlockByNumber(at - 1);
        cursor.setPosition(before.position() + before.length() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

int LineResultsView::textRoom() const {
    return viewport()->width() - 2 * int(document()->documentMargin());
}

QString LineResultsView::shownText(int line) const {
    const QString whole = document()->findBlockByNumber(line - 1).text();
    const int room = textRoom();
    if (fontMetrics().horizontalAdvance(whole) <= room)
        return whole;
    return fontMetrics().elidedText(whole, Qt::ElideRight, room);
}

int LineResultsView::wantedWidth() const {
    int widest = 0;
    const int bottom = viewport()->height();
    QTextBlock block = firstVisibleBlock();
    for (; block.isValid() &&
           blockBoundingGeometry(block).translated(contentOffset()).top() <= bottom;
         block = block.next())
        widest = std::max(widest, fontMetrics().horizontalAdvance(block.text()));
    return widest + width() - textRoom() + fontMetrics().horizontalAdvance(QLatin1Char('9'));
}

// The document keeps every text whole; a line too wide for the column is drawn again over
// itself, cut to end in "…".
void LineResultsView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (noteShown)
        return;
    const int room = textRoom();
    QPainter painter(viewport());
    QTextBlock block = firstVisibleBlock();
    for (; block.isValid(); block = block.next()) {
        const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
        if (area.top() > event->rect().bottom())
            break;
        const QString whole = block.text();
        if (fontMetrics().horizontalAdvance(whole) <= room || !block.layout() ||
            block.layout()->lineCount() == 0)
            continue;
        const QTextLine line = block.layout()->lineAt(0);
        const bool marked = failed == block.blockNumber() + 1 && !quietMark;
        painter.fillRect(area, marked ? ErrorLineMark::color(palette())
                                      : palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(area.left() + line.x(), area.top() + line.y() + line.ascent()),
                         fontMetrics().elidedText(whole, Qt::ElideRight, room));
    }
}

void LineResultsView::showNote(const QString& note) {
    // A note is no script line: the gutter shows no number beside it.
    noteShown = true;
    writing = false;
    shownLines.clear();
    failed = 0;
    failedTip.clear();
    setExtraSelections({});
    // Wrapped, so the whole note fits the narrow column.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPlainText(note);
}

bool LineResultsView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint inViewport = viewport()->mapFromGlobal(help->globalPos());
        const int line = cursorForPosition(inViewport).blockNumber() + 1;
        if (failed && line == failed)
            QToolTip::showText(help->globalPos(), plainToolTip(failedTip), this);
        else if (!noteShown && line <= blockCount() &&
                 shownText(line) != shownLines.value(line - 1))
            QToolTip::showText(help->globalPos(), plainToolTip(shownLines.value(line - 1)), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void LineResultsView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    gutter->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

int LineResultsView::gutterWidth() const {
    int digits = 1;
    for (int count = std::max(1, blockCount()); count >= 10; count /= 10)
        ++digits;
    return 2 * gutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void LineResultsView::updateGutterWidth() {
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    gutter->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void LineResultsView::syncScroll() {
    if (editor)
        verticalScrollBar()->setValue(editor->verticalScrollBar()->value());
}

void LineResultsView::paintGutter(QPaintEvent* event) {
    QPainter painter(gutter);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    if (noteShown)
        return;
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, gutter->width() - gutterPadding, height,
                             Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}
