#include "UnitXmlReader.h"

#include "CatalogueXml.h"
#include "DataFile.h"

#include <QIODevice>
#include <QXmlStreamReader>

UnitXmlReader::UnitXmlReader(QHash<QString, double>& factors, QList<QString>& names)
    : unitIndex(factors), unitEntries(names) {}

UnitXmlReader::UnitXmlReader(QHash<QString, double>& factors, QList<QString>& names,
                             QHash<QString, double>& offsets)
    : unitIndex(factors), unitEntries(names), unitOffsets(&offsets) {}

bool UnitXmlReader::read(QIODevice* device, const QString& category) {
    if (device == nullptr || !device->isReadable())
        return false;
    QXmlStreamReader reader(device);
    return read(reader, category);
}

bool UnitXmlReader::readFile(const QString& path, const QString& category) {
    QByteArray bytes;
    if (!readDataFile(path, &bytes))
        return false;
    QXmlStreamReader reader(bytes);
    return read(reader, category);
}

bool UnitXmlReader::read(QXmlStreamReader& reader, const QString& category) {
    QList<QStringList> rows;
    if (!readCatalogue(reader,
                       {category,
                        QStringLiteral("def"),
                        {QStringLiteral("unit"), QStringLiteral("num")},
                        {QStringLiteral("offset")}},
                       &rows))
        return false;
    unitEntries.clear();
    unitIndex = QHash<QString, double>();
    if (unitOffsets != nullptr)
        *unitOffsets = QHash<QString, double>();
    const QLocale system = QLocale::system();
    for (const QStringList& row : rows) {
        unitIndex.insert(row.at(0), toDouble(row.at(1), system));
        unitEntries.append(row.at(0));
        if (unitOffsets != nullptr)
            unitOffsets->insert(row.at(0), toDouble(row.at(2), system));
    }
    return true;
}

double UnitXmlReader::toDouble(const QString& text, const QLocale& first) {
    QLocale local = first;
    local.setNumberOptions(local.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = local.toDouble(text, &ok);
    if (ok) {
        return value;
    }
    const double cValue = text.toDouble(&ok);
    return ok ? cValue : 0.0;
}
