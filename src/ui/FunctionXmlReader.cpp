#include "FunctionXmlReader.h"

#include "CatalogueXml.h"
#include "DataFile.h"

#include <QIODevice>
#include <QXmlStreamReader>

namespace {

// The fields of a "fun" element, in the order FunctionEntry holds them.
enum Field { Show, In, Bidx, Style, ShortDesc, Help };

} // namespace

FunctionXmlReader::FunctionXmlReader(QList<FunctionEntry>& target) : entries(target) {}

bool FunctionXmlReader::read(QIODevice* device, const QString& category) {
    if (device == nullptr || !device->isReadable())
        return false;
    QXmlStreamReader reader(device);
    return read(reader, category);
}

bool FunctionXmlReader::readFile(const QString& path, const QString& category) {
    QByteArray bytes;
    if (!readDataFile(path, &bytes))
        return false;
    QXmlStreamReader reader(bytes);
    return read(reader, category);
}

bool FunctionXmlReader::read(QXmlStreamReader& reader, const QString& category) {
    static const QStringList fields{QStringLiteral("vk_show"),      QStringLiteral("vk_in"),
                                    QStringLiteral("vk_bidx"),      QStringLiteral("vk_style"),
                                    QStringLiteral("vk_shortdesc"), QStringLiteral("vk_help")};
    QList<QStringList> rows;
    if (!readCatalogue(reader, {category, QStringLiteral("fun"), fields}, &rows))
        return false;
    const QLocale system = QLocale::system();
    entries.clear();
    for (const QStringList& row : rows) {
        FunctionEntry entry;
        entry.show = row.at(Show);
        entry.in = row.at(In);
        entry.bidx = toInt(row.at(Bidx), system);
        entry.style = toInt(row.at(Style), system);
        entry.shortdesc = row.at(ShortDesc);
        entry.help = row.at(Help);
        entries.append(entry);
    }
    return true;
}

int FunctionXmlReader::toInt(const QString& text, const QLocale& first) {
    QLocale local = first;
    local.setNumberOptions(local.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const int value = local.toInt(text, &ok);
    if (ok) {
        return value;
    }
    const int cValue = text.toInt(&ok, 10);
    return ok ? cValue : 0;
}
