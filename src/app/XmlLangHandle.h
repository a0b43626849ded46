#pragma once

#include <QMap>
#include <QString>
#include <QStringView>
#include <QXmlStreamAttributes>

// Where and why reading lang.xml stopped.
struct XmlLangParseError {
    QString message;
    qint64 lineNumber = 0;
    qint64 columnNumber = 0;
};

// Collects the pairs of lang.xml into a string table.
//
// Only "code" and "desc" elements mean something: the text of a "code" is the
// key, the text of the next "desc" is its value, and the pair is stored when
// that "desc" ends (a later duplicate replaces an earlier one). Any start tag
// clears the collected text, so wrappers around pairs are harmless. Texts are
// kept exactly as the reader reports them, blanks and line breaks included,
// but cut to maxTextLength characters: they become captions and titles, and a
// window system refuses a title of megabytes.
//
// The reader that drives it calls the callbacks in document order and stops
// as soon as one of them returns false; the table keeps what was stored.
class XmlLangHandle {
public:
    static constexpr qsizetype maxTextLength = 1000;

    // targetTable is filled, not owned, and must outlive the handler.
    explicit XmlLangHandle(QMap<QString, QString>* targetTable);

    bool startElement(QStringView namespaceURI, QStringView localName, QStringView qName,
                      const QXmlStreamAttributes& attributes);
    bool endElement(QStringView namespaceURI, QStringView localName, QStringView qName);
    bool characters(QStringView text);
    QString errorString() const;
    // Returns false: nothing after a fault is trusted.
    bool fatalError(const XmlLangParseError& exception);

private:
    QMap<QString, QString>* table;
    QString currentText;
    QString errorText;
    QString currentCode;
    QString currentDesc;
};
