#pragma once

#include "CatalogueXml.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The catalogue layout read through the toolkit's DOM, as the readers did
// before they streamed: the reference the stream reader must agree with.
// Returns false when the DOM refuses the document.
bool readCatalogueWithDom(const QByteArray& bytes, const CatalogueLayout& layout,
                          QList<QStringList>* rows);
