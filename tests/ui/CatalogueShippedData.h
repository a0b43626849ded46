#pragma once

// Where the tests of the shipped catalogue, unit and help files find them: the
// repository's data/lang, not a copy beside an executable, so the files under
// test are exactly the committed ones.

#include "BuiltinFunctionTable.h"
#include "FunctionEntry.h"
#include "FunctionXmlReader.h"
#include "UnitXmlReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace shipped {

inline QString langDir() {
#ifdef SCRIPTCALC_SOURCE_DIR
    return QStringLiteral(SCRIPTCALC_SOURCE_DIR "/data/lang");
#else
    // This header lives in tests/ui of the source tree.
    return QFileInfo(QStringLiteral(__FILE__))
        .absoluteDir()
        .absoluteFilePath(QStringLiteral("../../data/lang"));
#endif
}

// Every language folder that holds a string table; the catalogue, unit and
// help files of each are tested alike.
inline const QStringList& languages() {
    static const QStringList codes = [] {
        QStringList found;
        const QDir dir(langDir());
        for (const QString& code : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (QFile::exists(dir.filePath(code + QStringLiteral("/config/lang.xml"))))
                found << code;
        }
        return found;
    }();
    return codes;
}

inline const QStringList& categories() {
    static const QStringList names{QStringLiteral("TRIGONOMETRIC"),  QStringLiteral("ARITHMETIC"),
                                   QStringLiteral("BASECONVERSION"), QStringLiteral("STATISTICS"),
                                   QStringLiteral("FINANCE"),        QStringLiteral("CONSTANTS"),
                                   QStringLiteral("DATETIME"),       QStringLiteral("USERDEFINE")};
    return names;
}

inline const QStringList& unitKinds() {
    static const QStringList names{QStringLiteral("Linear"), QStringLiteral("Area"),
                                   QStringLiteral("Volume"), QStringLiteral("Mass")};
    return names;
}

// The engine's built-in functions, from its one table of built-ins.
inline const QStringList& builtinFunctions() {
    static const QStringList names = [] {
        QStringList found;
        for (const mu::BuiltinFunction& row : mu::BuiltinFunctionTable())
            found << QString::fromLatin1(row.m_szName);
        return found;
    }();
    return names;
}

inline QString configFile(const QString& lang, const QString& name) {
    return langDir() + QLatin1Char('/') + lang + QStringLiteral("/config/") + name;
}

inline QString helpDir(const QString& lang) {
    return langDir() + QLatin1Char('/') + lang + QStringLiteral("/help");
}

// One category of a language's function.xml; *ok tells whether it parsed.
inline QList<FunctionEntry> readCategory(const QString& lang, const QString& category, bool* ok) {
    QList<FunctionEntry> entries;
    QFile file(configFile(lang, QStringLiteral("function.xml")));
    *ok = file.open(QIODevice::ReadOnly) && FunctionXmlReader(entries).read(&file, category);
    return entries;
}

struct Units {
    QHash<QString, double> index;
    QList<QString> names;
};

// One kind of a language's unit.xml; *ok tells whether it parsed.
inline Units readUnits(const QString& lang, const QString& kind, bool* ok) {
    Units units;
    QFile file(configFile(lang, QStringLiteral("unit.xml")));
    *ok =
        file.open(QIODevice::ReadOnly) && UnitXmlReader(units.index, units.names).read(&file, kind);
    return units;
}

} // namespace shipped
