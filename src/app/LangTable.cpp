#include "LangTable.h"

#include "DataFile.h"
#include "ProductInfo.h"
#include "XmlEncoding.h"
#include "XmlLangHandle.h"

#include <QByteArrayView>
#include <QDir>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

// Ample for any XML declaration, which is all the encoding is chosen from.
constexpr qsizetype declarationBytes = 64 * 1024;

XmlLangParseError errorOf(const QXmlStreamReader& reader) {
    return {reader.errorString(), reader.lineNumber(), reader.columnNumber()};
}

// Feeds the reader's events to the handler until the document ends, the
// reader meets a fault (an unfinished document included) or a callback asks
// to stop.
void drive(QXmlStreamReader& reader, XmlLangHandle& handler) {
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
            return;
        case QXmlStreamReader::Invalid:
            handler.fatalError(errorOf(reader));
            return;
        default:
            break;
        }
        if (!goOn)
            return;
    }
}

} // namespace

void loadLanguageTable(const QString& path, QMap<QString, QString>* table) {
    QByteArray bytes;
    if (table != nullptr && readDataFile(path, &bytes))
        parseLanguageTable(bytes, table);
}

void parseLanguageTable(const QByteArray& bytes, QMap<QString, QString>* table) {
    // The text is decoded here rather than by the reader, which would reject a
    // whole document for one badly encoded byte and lose the pairs before it.
    // All of it at once: fed in pieces, the reader rescans an unfinished token
    // (a long comment, say) with every piece.
    QStringDecoder decoder =
        decoderForXml(QByteArrayView(bytes).first(qMin(bytes.size(), declarationBytes)));
    QXmlStreamReader reader;
    reader.addData(QString(decoder.decode(bytes)));
    XmlLangHandle handler(table);
    drive(reader, handler);
}

QMap<QString, QString> loadUsableLanguageTable(const QStringList& paths) {
    QStringList failed;
    for (const QString& path : paths) {
        QMap<QString, QString> table;
        loadLanguageTable(path, &table);
        if (!table.isEmpty()) {
            if (!failed.isEmpty())
                reportDataFileProblem(
                    QStringLiteral("no texts in %1; using %2")
                        .arg(failed.join(QStringLiteral(", ")), QDir::toNativeSeparators(path)));
            return table;
        }
        failed << QDir::toNativeSeparators(path);
    }
    reportDataFileProblem(QStringLiteral("no texts in %1; using built-in English captions")
                              .arg(failed.isEmpty() ? QStringLiteral("any string table")
                                                    : failed.join(QStringLiteral(", "))));
    return builtinTexts();
}

QMap<QString, QString> builtinTexts() {
    return {
        {QStringLiteral("IDS_APP_NAME"), QStringLiteral("ScriptCalc")},
        {QStringLiteral("IDS_TAB_ABOUT"), QStringLiteral("About")},
        {QStringLiteral("IDS_TAB_HELP"), QStringLiteral("Help")},
        {QStringLiteral("IDS_ALL_VERSION"),
         QStringLiteral("ScriptCalc version ") + QLatin1String(kProductVersion)},
        {QStringLiteral("IDS_CB_TRIGONOMETRIC"), QStringLiteral("Trigonometry")},
        {QStringLiteral("IDS_CB_ARITHMETIC"), QStringLiteral("Arithmetic")},
        {QStringLiteral("IDS_CB_BASECONVERSION"), QStringLiteral("Bases")},
        {QStringLiteral("IDS_CB_STATISTICS"), QStringLiteral("Statistics")},
        {QStringLiteral("IDS_CB_FINANCE"), QStringLiteral("Finance")},
        {QStringLiteral("IDS_CB_UNITCONVERSION"), QStringLiteral("Units")},
        {QStringLiteral("IDS_CB_CONSTANTS"), QStringLiteral("Constants")},
        {QStringLiteral("IDS_CB_DATETIME"), QStringLiteral("Date/time")},
        {QStringLiteral("IDS_CB_USERDEFINE"), QStringLiteral("Custom")},
        {QStringLiteral("IDS_CB_LINEAR"), QStringLiteral("Length")},
        {QStringLiteral("IDS_CB_AREA"), QStringLiteral("Area")},
        {QStringLiteral("IDS_CB_VOLUME"), QStringLiteral("Volume")},
        {QStringLiteral("IDS_CB_MASS"), QStringLiteral("Mass")},
        {QStringLiteral("IDS_CB_TEMPERATURE"), QStringLiteral("Temperature")},
        {QStringLiteral("IDS_CB_TIME"), QStringLiteral("Time")},
        {QStringLiteral("IDS_CB_SPEED"), QStringLiteral("Speed")},
        {QStringLiteral("IDS_CB_DATA"), QStringLiteral("Data")},
        {QStringLiteral("IDS_CB_ENERGY"), QStringLiteral("Energy")},
        {QStringLiteral("IDS_CB_PRESSURE"), QStringLiteral("Pressure")},
        {QStringLiteral("IDS_CB_ANGLE"), QStringLiteral("Angle")},
        {QStringLiteral("IDC_BTN_OK"), QStringLiteral("OK")},
        {QStringLiteral("IDS_ERROR_TITLE"), QStringLiteral("Error")},
    };
}
