#pragma once

#include <QString>
#include <QTextDocument>

// The text a tooltip shows: Qt renders it as rich text when it looks like
// markup, else as it is.
inline QString shownToolTip(const QString& tip) {
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}
