#include "LangTable.h"

#include "XmlEncoding.h"
#include "XmlLangHandle.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

// Large enough to hold any XML declaration, small enough to keep memory flat.
constexpr qint64 chunkSize = 64 * 1024;

XmlLangParseError errorOf(const QXmlStreamReader& reader) {
    return {reader.errorString(), reader.lineNumber(), reader.columnNumber()};
}

// Feeds the reader's events for the data added so far to the handler. Returns
// true when the reader needs more data, false when it is done: the document
// ended, the reader met a fault, or a callback asked to stop.
bool drive(QXmlStreamReader& reader, XmlLangHandle& handler) {
    for (;;) {
        bool goOn = true;
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            goOn = handler.startElement(reader.namespaceUri(), reader.name(),
                                        reader.qualifiedName(), reader.attributes());
            break;
        case QXmlStreamReader::EndElement:
            goOn = handler.endElement(reader.namespaceUri(), reader.name(), reader.qualifiedName());
            break;
        case QXmlStreamReader::Characters:
            goOn = handler.characters(reader.text());
            break;
        case QXmlStreamReader::EndDocument:
            return false;
        case QXmlStreamReader::Invalid:
            if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                return true;
            handler.fatalError(errorOf(reader));
            return false;
        default:
            break;
        }
        if (!goOn)
            return false;
    }
}

} // namespace

void loadLanguageTable(const QString& path, QMap<QString, QString>* table) {
    if (path.isEmpty() || table == nullptr)
        return;
    // Only regular files: a directory has nothing to read, and a FIFO or
    // device could block or never end.
    if (!QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;

    // The text is decoded here rather than by the reader, which would reject a
    // whole buffer for one badly encoded byte and lose the pairs before it.
    XmlLangHandle handler(table);
    QXmlStreamReader reader;
    QStringDecoder decoder;
    for (bool first = true;; first = false) {
        const QByteArray bytes = file.read(chunkSize);
        if (bytes.isEmpty()) {
            if (!first)
                handler.fatalError(errorOf(reader));
            return;
        }
        if (first)
            decoder = decoderForXml(bytes);
        reader.addData(QString(decoder.decode(bytes)));
        if (!drive(reader, handler))
            return;
    }
}
