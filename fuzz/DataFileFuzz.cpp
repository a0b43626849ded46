// libFuzzer target: arbitrary bytes as each data file. As lang.xml through the
// loader, every text then through the error-message formatter and a failing
// run; as function.xml and unit.xml through their readers, which must agree
// with the toolkit's DOM on every document (accepted or not, and what is read).
#include "CatalogueXml.h"
#include "DomCatalogueReference.h"
#include "FunctionXmlReader.h"
#include "LangTable.h"
#include "ScriptRunner.h"
#include "UnitXmlReader.h"
#include "XmlLangHandle.h"

#include <QBuffer>
#include <QByteArray>
#include <QXmlStreamReader>

#include <cstdint>
#include <cstdlib>

namespace {

void checkLanguageTable(const QByteArray& bytes) {
    QMap<QString, QString> table;
    parseLanguageTable(bytes, &table);
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (it.value().size() > XmlLangHandle::maxTextLength)
            std::abort();
        if (formatErrorMessage(it.value(), it.key()).toUtf8().size() > 2047)
            std::abort();
    }
    // The table's message for an incomplete line, and a key that may be absent.
    const RunResult result = ScriptRunner(table).run(QStringLiteral("3*\n"));
    if (result.ok || result.text.toUtf8().size() > 2047)
        std::abort();
}

void checkCatalogue(const QByteArray& bytes, const CatalogueLayout& layout) {
    QList<QStringList> streamed{{QStringLiteral("before")}};
    QXmlStreamReader reader(bytes);
    const bool streamOk = readCatalogue(reader, layout, &streamed);
    QList<QStringList> reference{{QStringLiteral("before")}};
    const bool domOk = readCatalogueWithDom(bytes, layout, &reference);
    if (streamOk != domOk || streamed != reference)
        std::abort();
}

void checkReaders(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<FunctionEntry> entries;
    (void)FunctionXmlReader(entries).read(&buffer, QStringLiteral("TRIGONOMETRIC"));
    buffer.seek(0);
    QHash<QString, double> factors;
    QList<QString> names;
    QHash<QString, double> offsets;
    (void)UnitXmlReader(factors, names, offsets).read(&buffer, QStringLiteral("Temperature"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkLanguageTable(bytes);
    checkReaders(bytes);
    const QStringList funFields{QStringLiteral("vk_show"),      QStringLiteral("vk_in"),
                                QStringLiteral("vk_bidx"),      QStringLiteral("vk_style"),
                                QStringLiteral("vk_shortdesc"), QStringLiteral("vk_help")};
    checkCatalogue(bytes, {QStringLiteral("TRIGONOMETRIC"), QStringLiteral("fun"), funFields});
    checkCatalogue(bytes, {QString(), QStringLiteral("fun"), funFields});
    checkCatalogue(bytes, {QStringLiteral("Linear"),
                           QStringLiteral("def"),
                           {QStringLiteral("unit"), QStringLiteral("num")},
                           {QStringLiteral("offset")}});
    return 0;
}
