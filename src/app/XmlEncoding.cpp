#include "XmlEncoding.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

namespace {

// The encoding pseudo-attribute of a leading "<?xml ...?>", or empty.
QByteArray declaredEncoding(QByteArrayView head) {
    if (!head.startsWith("<?xml"))
        return {};
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return {};
    static const QRegularExpression encoding(
        QStringLiteral("\\sencoding\\s*=\\s*([\"'])([A-Za-z][A-Za-z0-9._-]*)\\1"));
    const QString declaration = QString::fromLatin1(head.first(end));
    const QRegularExpressionMatch match = encoding.match(declaration);
    return match.hasMatch() ? match.captured(2).toLatin1() : QByteArray();
}

} // namespace

QStringDecoder decoderForXml(QByteArrayView head) {
    if (const auto detected = QStringConverter::encodingForData(head, u'<'))
        return QStringDecoder(*detected);
    const QByteArray name = declaredEncoding(head);
    if (!name.isEmpty()) {
        QStringDecoder declared(name.constData());
        if (declared.isValid())
            return declared;
    }
    return QStringDecoder(QStringConverter::Utf8);
}
