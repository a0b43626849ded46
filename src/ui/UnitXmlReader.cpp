#include "UnitXmlReader.h"

#include <QIODevice>

UnitXmlReader::UnitXmlReader(QHash<QString, double>& factors, QList<QString>& names)
    : unitIndex(factors), unitEntries(names) {}

bool UnitXmlReader::read(QIODevice* device, const QString& category) {
    if (device == nullptr || !device->isReadable()) {
        return false;
    }
    if (!document.setContent(device, true)) {
        return false;
    }
    unitEntries.clear();
    unitIndex = QHash<QString, double>();
    const QLocale system = QLocale::system();
    const QDomElement kind = document.documentElement().firstChildElement(category);
    for (QDomElement def = kind.firstChildElement(QStringLiteral("def")); !def.isNull();
         def = def.nextSiblingElement(QStringLiteral("def"))) {
        const QString name = def.firstChildElement(QStringLiteral("unit")).text();
        const QString num = def.firstChildElement(QStringLiteral("num")).text();
        unitIndex.insert(name, toDouble(num, system));
        unitEntries.append(name);
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
