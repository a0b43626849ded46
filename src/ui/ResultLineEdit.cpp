#include "ResultLineEdit.h"

#include "PlainToolTip.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace {

// QLineEdit keeps this much room between its frame and its text.
constexpr int textMargin = 2;

} // namespace

QString cutMarker() {
    return QString(QChar(0x2026));
}

ResultLineEdit::ResultLineEdit(QWidget* parent) : QLineEdit(parent) {}

QRect ResultLineEdit::textArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(textMargin, 0, -textMargin, 0);
}

QString ResultLineEdit::shownText() const {
    const QString whole = text();
    const int room = textArea().width();
    if (fontMetrics().horizontalAdvance(whole) <= room)
        return whole;
    return fontMetrics().elidedText(whole, Qt::ElideRight, room);
}

void ResultLineEdit::setOutOfDate(bool marked) {
    if (outOfDate == marked)
        return;
    outOfDate = marked;
    update();
}

bool ResultLineEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && shownText() != text()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), plainToolTip(text()) + toolTip(), this);
        return true;
    }
    return QLineEdit::event(event);
}

void ResultLineEdit::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text() && !outOfDate) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The frame as the line draws it, then the text over its own.
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const QRect area = textArea();
    // The line clips its own text to the margins' outer edge, not to the text's area: covered
    // up to there, no sliver of the whole text shows past the "…".
    painter.fillRect(area.adjusted(-textMargin, 0, textMargin, 0), palette().brush(QPalette::Base));
    painter.setPen(palette().color(outOfDate ? QPalette::PlaceholderText : QPalette::Text));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
}
