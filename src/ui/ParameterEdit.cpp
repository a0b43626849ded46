#include "ParameterEdit.h"

#include "ParameterLines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

bool rewriteParameter(QTextDocument* script, int line, const QString& number, bool continuing) {
    const QTextBlock block = script->findBlockByNumber(line);
    if (!block.isValid())
        return false;
    const std::optional<ParameterLine> parameter = readParameterLine(block.text(), line);
    if (!parameter)
        return false;
    QTextCursor cursor(block);
    if (continuing)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
    cursor.setPosition(block.position() + parameter->numberStart);
    cursor.setPosition(block.position() + parameter->numberStart + parameter->numberLength,
                       QTextCursor::KeepAnchor);
    cursor.insertText(number);
    cursor.endEditBlock();
    return true;
}
