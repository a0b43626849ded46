#pragma once

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

class QIODevice;
class QXmlStreamReader;

// Reads one kind of quantity of the unit catalogue (unit.xml): the unit names
// in file order and each unit's factor, that is how many of the unit make up
// the kind's reference amount. The document element may have any name; its
// first child element named after the kind ("Linear", "Area", "Volume",
// "Mass", "Temperature", ...) holds "def" elements with the child elements
// "unit" and "num". A "def" may have an "offset" attribute, for a unit whose
// zero is not the reference amount's zero: the value v in that unit stands for
// (v + offset) / factor reference units (degrees Celsius: factor 1, offset
// 273.15 against kelvin). Files written before offsets existed simply lack it,
// and a missing or unreadable offset is 0.
class UnitXmlReader {
public:
    UnitXmlReader(QHash<QString, double>& factors, QList<QString>& names);
    // The same, reading the offsets as well, into their own index.
    UnitXmlReader(QHash<QString, double>& factors, QList<QString>& names,
                  QHash<QString, double>& offsets);

    // Parses the whole device, with namespace processing. A device that cannot
    // be read or holds no well-formed document returns false and leaves both
    // containers as they were. Otherwise both are replaced by the kind's units
    // (none when the kind is absent) and the result is true; a name listed
    // twice appears twice in the entries and keeps the factor read last.
    bool read(QIODevice* device, const QString& category);
    // The same for the data file at path, which must be a regular file within
    // the size limit of data files (readDataFile).
    bool readFile(const QString& path, const QString& category);

    // A decimal number read with `first`'s separators, then in the C notation;
    // 0 when neither accepts the text. Digit grouping is never accepted: under
    // a locale that groups with "." the factor 0.001 would otherwise read as 1.
    static double toDouble(const QString& text, const QLocale& first);

private:
    bool read(QXmlStreamReader& reader, const QString& category);

    QHash<QString, double>& unitIndex;
    QList<QString>& unitEntries;
    QHash<QString, double>* unitOffsets = nullptr;
};
