#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QXmlStreamReader;

// The layout shared by function.xml and unit.xml, read as the toolkit's DOM
// reads it but in one pass with a stream reader, so neither nesting depth nor
// size costs more than linear time:
//
//   any root --> first child named group --> its children named entry
//            --> per field, the first child of that name --> its text
//                per attribute, the entry's attribute of that name
//
// The text of a field is all character data inside it, nested elements
// included, except that a piece of plain text made of blanks only counts for
// nothing (CDATA always counts). Element names are compared by local name,
// with namespace processing on. An empty group name matches any element. A
// document type declaration after the root's start tag makes the document
// malformed, as for the DOM.
struct CatalogueLayout {
    QString group;
    QString entry;
    QStringList fields;
    QStringList attributes = {};
};

// Reads the whole document. Returns false when it is not well-formed (rows is
// then untouched); otherwise sets rows to one list of field texts per entry,
// in file order, a missing field giving an empty text. The values of the
// attributes follow the fields' texts in each list, a missing one empty.
bool readCatalogue(QXmlStreamReader& reader, const CatalogueLayout& layout,
                   QList<QStringList>* rows);
