#include "XmlEncoding.h"

#include <QByteArray>

namespace {

// White space as the declaration may hold it: XML's four characters, and the
// other ASCII and Latin-1 blanks that a sloppy writer might leave.
bool isBlank(char c) {
    switch (static_cast<unsigned char>(c)) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x85:
    case 0xA0:
        return true;
    default:
        return false;
    }
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isNameCharacter(char c) {
    return isLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
}

qsizetype skipBlanks(QByteArrayView text, qsizetype at) {
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// The name in <blank>encoding<blanks>=<blanks>"name" (or 'name') starting at
// the blank at, or empty when the text there is not such an attribute. The
// name starts with a letter and holds letters, digits, ".", "_" and "-".
// Scanned by hand: a pattern engine here would map writable code pages into
// every process that reads a data file.
QByteArray encodingAttributeAt(QByteArrayView declaration, qsizetype at) {
    static constexpr QByteArrayView keyword("encoding");
    if (!isBlank(declaration[at]) || !declaration.sliced(at + 1).startsWith(keyword))
        return {};
    qsizetype i = skipBlanks(declaration, at + 1 + keyword.size());
    if (i >= declaration.size() || declaration[i] != '=')
        return {};
    i = skipBlanks(declaration, i + 1);
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return {};
    const char quote = declaration[i++];
    const qsizetype start = i;
    if (i >= declaration.size() || !isLetter(declaration[i]))
        return {};
    while (i < declaration.size() && isNameCharacter(declaration[i]))
        ++i;
    if (i >= declaration.size() || declaration[i] != quote)
        return {};
    return declaration.sliced(start, i - start).toByteArray();
}

// The encoding pseudo-attribute of a leading "<?xml ...?>", or empty.
QByteArray declaredEncoding(QByteArrayView head) {
    if (!head.startsWith("<?xml"))
        return {};
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return {};
    const QByteArrayView declaration = head.first(end);
    for (qsizetype at = 0; at < declaration.size(); ++at) {
        const QByteArray name = encodingAttributeAt(declaration, at);
        if (!name.isEmpty())
            return name;
    }
    return {};
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
