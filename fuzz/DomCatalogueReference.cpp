#include "DomCatalogueReference.h"

#include <QBuffer>
#include <QDomDocument>
#include <QDomElement>

bool readCatalogueWithDom(const QByteArray& bytes, const CatalogueLayout& layout,
                          QList<QStringList>* rows) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDomDocument document;
    if (!document.setContent(&buffer, true))
        return false;
    rows->clear();
    const QDomElement group = document.documentElement().firstChildElement(layout.group);
    for (QDomElement entry = group.firstChildElement(layout.entry); !entry.isNull();
         entry = entry.nextSiblingElement(layout.entry)) {
        QStringList row;
        for (const QString& field : layout.fields)
            row.append(entry.firstChildElement(field).text());
        for (const QString& attribute : layout.attributes)
            row.append(entry.attribute(attribute));
        rows->append(row);
    }
    return true;
}
