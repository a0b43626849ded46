#include "VisibleControls.h"

namespace {

bool isHiddenControl(char16_t c) {
    return c == 0x061C                     // Arabic letter mark
           || (c >= 0x200B && c <= 0x200F) // zero-width space, joiners, LRM, RLM
           || (c >= 0x202A && c <= 0x202E) // embeddings and overrides
           || (c >= 0x2060 && c <= 0x2064) // word joiner, invisible operators
           || (c >= 0x2066 && c <= 0x2069) // isolates
           || c == 0xFEFF;                 // zero-width no-break space
}

} // namespace

QString withVisibleControls(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (!isHiddenControl(c.unicode())) {
            shown.append(c);
            continue;
        }
        shown.append(QLatin1String("<U+") +
                     QString::number(uint(c.unicode()), 16).toUpper().rightJustified(4, u'0') +
                     QLatin1Char('>'));
    }
    return shown;
}
