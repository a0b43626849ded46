#include "CatalogueXml.h"

#include <QXmlStreamReader>

namespace {

// Depths of the elements that matter, the root being 1.
enum Depth { groupDepth = 2, entryDepth = 3, fieldDepth = 4 };

// A text node as the DOM keeps it: blanks alone are dropped unless CDATA.
bool keptText(const QXmlStreamReader& reader) {
    if (reader.isWhitespace())
        return false;
    return reader.isCDATA() || !reader.text().trimmed().isEmpty();
}

} // namespace

bool readCatalogue(QXmlStreamReader& reader, const CatalogueLayout& layout,
                   QList<QStringList>* rows) {
    QList<QStringList> found;
    int depth = 0;
    bool rootSeen = false;
    bool groupSeen = false;
    bool inGroup = false;
    bool inEntry = false;
    QList<bool> taken;
    qsizetype field = -1; // index into layout.fields of the field being read

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            rootSeen = true;
            const QStringView name = reader.name();
            if (depth == groupDepth && !groupSeen &&
                (layout.group.isEmpty() || name == layout.group)) {
                groupSeen = true;
                inGroup = true;
            } else if (depth == entryDepth && inGroup && name == layout.entry) {
                inEntry = true;
                found.append(QStringList());
                found.last().resize(layout.fields.size());
                for (const QString& attribute : layout.attributes)
                    found.last().append(reader.attributes().value(attribute).toString());
                taken.fill(false, layout.fields.size());
            } else if (depth == fieldDepth && inEntry) {
                for (qsizetype i = 0; i < layout.fields.size(); ++i) {
                    if (!taken.at(i) && name == layout.fields.at(i)) {
                        taken[i] = true;
                        field = i;
                        break;
                    }
                }
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (depth == fieldDepth)
                field = -1;
            else if (depth == entryDepth)
                inEntry = false;
            else if (depth == groupDepth)
                inGroup = false;
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (field >= 0 && keptText(reader))
                found.last()[field].append(reader.text());
            break;
        case QXmlStreamReader::DTD:
            // The stream reader lets a document type declaration follow the
            // root's start tag; the DOM refuses the document.
            if (rootSeen)
                return false;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return false;
    *rows = std::move(found);
    return true;
}
