#pragma once

#include <QString>

// A tooltip that shows text exactly as written. Qt renders a tooltip as rich
// text whenever it looks like markup, and texts from scripts and data files
// may: escaped, "<img src=...>" shows as typed instead of loading a file.
// Blanks and line breaks are kept; a long line still wraps.
inline QString plainToolTip(const QString& text) {
    if (text.isEmpty())
        return text;
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}
