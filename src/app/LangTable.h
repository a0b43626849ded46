#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Adds the pairs of the lang.xml at path to table (see XmlLangHandle for the
// format). Never fails: a missing, unreadable, non-regular or too large file
// (see readDataFile) adds nothing, and a malformed one adds the pairs
// completed before the fault. The file is read and parsed in one piece.
void loadLanguageTable(const QString& path, QMap<QString, QString>* table);

// Adds the pairs of a lang.xml document held in bytes to table.
void parseLanguageTable(const QByteArray& bytes, QMap<QString, QString>* table);

// The table of the first of paths whose file gives at least one pair. When
// none does, the built-in texts below. Unless the first file is used, one line
// on standard error names the files that gave nothing and what stands in.
QMap<QString, QString> loadUsableLanguageTable(const QStringList& paths);

// English texts for the captions that keep the window usable without any
// string table: the window title, the menu, the buttons, the unit kinds, the
// error box's title.
QMap<QString, QString> builtinTexts();
