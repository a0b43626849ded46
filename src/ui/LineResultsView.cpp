#include "LineResultsView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolTip>

#include "ErrorLineMark.h"
#include "PlainToolTip.h"

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

} // namespace

LineResultsView::LineResultsView(QWidget* parent)
    : QPlainTextEdit(parent), gutter(new Gutter(this)) {
    setReadOnly(true);
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
                                  const QString& shortMessage, const QString& message) {
    QStringList lines = texts;
    noteShown = false;
    setLineWrapMode(QPlainTextEdit::NoWrap);
    failed = failedLine > 0 && failedLine <= lines.size() ? failedLine : 0;
    failedTip = failed ? message : QString();
    if (failed)
        lines[failed - 1] = failureMarker() + shortMessage;
    setPlainText(lines.join(QLatin1Char('\n')));

    QList<QTextEdit::ExtraSelection> marks;
    if (failed) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document()->findBlockByNumber(failed - 1));
        mark.format.setBackground(ErrorLineMark::color(palette()));
        mark.format.setForeground(palette().color(QPalette::Text));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks.append(mark);
    }
    setExtraSelections(marks);
    syncScroll();
}

void LineResultsView::showNote(const QString& note) {
    // A note is no script line: the gutter shows no number beside it.
    noteShown = true;
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
