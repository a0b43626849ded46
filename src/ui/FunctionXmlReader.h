#pragma once

#include "FunctionEntry.h"

#include <QList>
#include <QLocale>
#include <QString>

class QIODevice;
class QXmlStreamReader;

// Reads one category of the function catalogue (function.xml) into a list of
// entries. The file's document element may have any name; its first child
// element named after the category holds "fun" elements, each with the six
// fields "vk_show", "vk_in", "vk_bidx", "vk_style", "vk_shortdesc" and
// "vk_help" as child elements. A missing field reads as an empty text, or 0
// for the two numbers.
class FunctionXmlReader {
public:
    explicit FunctionXmlReader(QList<FunctionEntry>& target);

    // Parses the whole device, with namespace processing. A device that cannot
    // be read or holds no well-formed document returns false and leaves the
    // list as it was; otherwise the list is replaced by the category's entries
    // (none when the category is absent) and the result is true.
    bool read(QIODevice* device, const QString& category);
    // The same for the data file at path, which must be a regular file within
    // the size limit of data files (readDataFile).
    bool readFile(const QString& path, const QString& category);

    // A base-10 integer read with `first`'s digits and signs, then in the C
    // notation; 0 when neither accepts the text. Digit grouping is never
    // accepted, so "1.000" cannot turn into 1000 under a locale that groups
    // with ".".
    static int toInt(const QString& text, const QLocale& first);

private:
    bool read(QXmlStreamReader& reader, const QString& category);

    QList<FunctionEntry>& entries;
};
