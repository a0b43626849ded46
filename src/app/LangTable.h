#pragma once

#include <QMap>
#include <QString>

// Adds the pairs of the lang.xml at path to table (see XmlLangHandle for the
// format). Never reports and never fails: a missing, unreadable or non-regular
// file adds nothing, and a malformed one adds the pairs completed before the
// fault. The file is streamed, so its size only costs what it stores.
void loadLanguageTable(const QString& path, QMap<QString, QString>* table);
