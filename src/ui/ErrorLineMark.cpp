#include "ErrorLineMark.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>

namespace {

// How much of the highlight colour the mark takes; the rest is the base.
constexpr double highlightShare = 0.35;

int blend(int base, int highlight) {
    return int(base + (highlight - base) * highlightShare + 0.5);
}

} // namespace

ErrorLineMark::ErrorLineMark(QPlainTextEdit* marked) : QObject(marked), editor(marked) {
    connect(marked->document(), &QTextDocument::contentsChanged, this, &ErrorLineMark::clear);
}

void ErrorLineMark::mark(int line, int position) {
    const QTextBlock block = editor->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    const int length = block.length() - 1;
    cursor.setPosition(block.position() + std::clamp(position, 0, length));
    editor->setTextCursor(cursor);

    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(block);
    selection.format.setBackground(color(editor->palette()));
    selection.format.setForeground(editor->palette().color(QPalette::Text));
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    editor->setExtraSelections({selection});
    shown = true;
}

QColor ErrorLineMark::color(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor highlight = palette.color(QPalette::Highlight);
    return QColor(blend(base.red(), highlight.red()), blend(base.green(), highlight.green()),
                  blend(base.blue(), highlight.blue()));
}

void ErrorLineMark::clear() {
    if (!shown)
        return;
    editor->setExtraSelections({});
    shown = false;
}
