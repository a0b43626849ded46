#include "XmlLangHandle.h"

XmlLangHandle::XmlLangHandle(QMap<QString, QString>* targetTable) : table(targetTable) {}

bool XmlLangHandle::startElement(QStringView, QStringView, QStringView,
                                 const QXmlStreamAttributes&) {
    currentText.clear();
    return true;
}

bool XmlLangHandle::endElement(QStringView, QStringView, QStringView qName) {
    if (qName == u"code") {
        currentCode = currentText;
    } else if (qName == u"desc") {
        currentDesc = currentText.left(maxTextLength);
        // A pair of UTF-16 units is one character: never keep half of it.
        if (currentDesc.size() == maxTextLength && currentDesc.back().isHighSurrogate())
            currentDesc.chop(1);
        if (table)
            table->insert(currentCode, currentDesc);
    }
    return true;
}

bool XmlLangHandle::characters(QStringView text) {
    currentText.append(text);
    return true;
}

QString XmlLangHandle::errorString() const {
    return errorText;
}

bool XmlLangHandle::fatalError(const XmlLangParseError&) {
    return false;
}
