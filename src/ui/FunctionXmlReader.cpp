#include "FunctionXmlReader.h"

#include <QIODevice>

namespace {

// Text content of the first child element of that name, or empty.
QString field(const QDomElement& parent, const QString& name) {
    return parent.firstChildElement(name).text();
}

} // namespace

FunctionXmlReader::FunctionXmlReader(QList<FunctionEntry>& target) : entries(target) {}

bool FunctionXmlReader::read(QIODevice* device, const QString& category) {
    if (device == nullptr || !device->isReadable()) {
        return false;
    }
    if (!document.setContent(device, true)) {
        return false;
    }
    entries.clear();
    const QDomElement group = document.documentElement().firstChildElement(category);
    for (QDomElement fun = group.firstChildElement(QStringLiteral("fun")); !fun.isNull();
         fun = fun.nextSiblingElement(QStringLiteral("fun"))) {
        entries.append(readEntry(fun));
    }
    return true;
}

FunctionEntry FunctionXmlReader::readEntry(const QDomElement& fun) const {
    const QLocale system = QLocale::system();
    FunctionEntry entry;
    entry.show = field(fun, QStringLiteral("vk_show"));
    entry.in = field(fun, QStringLiteral("vk_in"));
    entry.bidx = toInt(field(fun, QStringLiteral("vk_bidx")), system);
    entry.style = toInt(field(fun, QStringLiteral("vk_style")), system);
    entry.shortdesc = field(fun, QStringLiteral("vk_shortdesc"));
    entry.help = field(fun, QStringLiteral("vk_help"));
    return entry;
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
