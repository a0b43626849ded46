// The shipped function.xml of every language: complete, alike across the
// languages, and made of templates the engine can run.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"
#include "ScriptFunctionTable.h"

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

using shipped::builtinFunctions;
using shipped::categories;
using shipped::languages;

QList<FunctionEntry> category(const QString& lang, const QString& name) {
    bool ok = false;
    QList<FunctionEntry> entries = shipped::readCategory(lang, name, &ok);
    EXPECT_TRUE(ok) << qPrintable(lang) << " " << qPrintable(name);
    return entries;
}

QList<FunctionEntry> allEntries(const QString& lang) {
    QList<FunctionEntry> all;
    for (const QString& name : categories()) {
        all += category(lang, name);
    }
    return all;
}

// A template that starts a definition line, to be completed by its body.
bool startsDefinition(const FunctionEntry& e) {
    return e.style == 1 && e.in.endsWith(QLatin1Char('=')) &&
           mu::ReadFunctionHead(e.in.toStdString()).has_value();
}

QString describe(const FunctionEntry& e) {
    return e.show + QStringLiteral(" / ") + e.in;
}

// The key under which the window looks for a constant's definition.
QString constantKey(const QString& definition) {
    const int eq = definition.indexOf(QLatin1Char('='));
    return definition.left(eq) + QLatin1Char('=') + definition.mid(eq + 1).left(4);
}

const QRegularExpression& nameRun() {
    static const QRegularExpression re(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    return re;
}

const QRegularExpression& validName() {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re;
}

} // namespace

TEST(CatalogueData, EveryLanguageHoldsExactlyTheEightCategories) {
    for (const QString& lang : languages()) {
        QFile file(shipped::configFile(lang, QStringLiteral("function.xml")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
        QDomDocument doc;
        ASSERT_TRUE(doc.setContent(&file, true)) << qPrintable(lang);
        QStringList found;
        for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull();
             e = e.nextSiblingElement()) {
            found << e.tagName();
        }
        EXPECT_EQ(found, categories()) << qPrintable(lang);
        for (const QString& name : categories()) {
            EXPECT_FALSE(category(lang, name).isEmpty()) << qPrintable(lang + " " + name);
        }
    }
}

TEST(CatalogueData, LanguagesShareTheEntriesInTheSameOrder) {
    const QString first = languages().first();
    for (const QString& name : categories()) {
        const QList<FunctionEntry> reference = category(first, name);
        for (const QString& lang : languages()) {
            const QList<FunctionEntry> entries = category(lang, name);
            ASSERT_EQ(entries.size(), reference.size()) << qPrintable(lang + " " + name);
            for (qsizetype i = 0; i < entries.size(); ++i) {
                const QString where =
                    lang + QLatin1Char(' ') + name + QLatin1Char(' ') + QString::number(i);
                EXPECT_EQ(entries[i].in, reference[i].in) << qPrintable(where);
                EXPECT_EQ(entries[i].bidx, reference[i].bidx) << qPrintable(where);
                EXPECT_EQ(entries[i].style, reference[i].style) << qPrintable(where);
                EXPECT_EQ(entries[i].help, reference[i].help) << qPrintable(where);
                EXPECT_FALSE(entries[i].show.trimmed().isEmpty()) << qPrintable(where);
                EXPECT_FALSE(entries[i].shortdesc.trimmed().isEmpty()) << qPrintable(where);
            }
        }
    }
}

TEST(CatalogueData, EveryBuiltinFunctionHasATemplate) {
    for (const QString& lang : languages()) {
        const QList<FunctionEntry> all = allEntries(lang);
        for (const QString& function : builtinFunctions()) {
            const bool found = std::any_of(all.begin(), all.end(), [&](const FunctionEntry& e) {
                return e.style == 1 && e.in.startsWith(function + QLatin1Char('('));
            });
            EXPECT_TRUE(found) << qPrintable(lang + " " + function);
        }
    }
}

TEST(CatalogueData, EntriesUseOnlyTheThreeActingStyles) {
    for (const QString& lang : languages()) {
        for (const FunctionEntry& e : allEntries(lang)) {
            EXPECT_TRUE(e.style >= 1 && e.style <= 3) << qPrintable(describe(e));
        }
        for (const FunctionEntry& e : category(lang, QStringLiteral("BASECONVERSION"))) {
            EXPECT_EQ(e.style, 2) << qPrintable(describe(e));
        }
        for (const FunctionEntry& e : category(lang, QStringLiteral("CONSTANTS"))) {
            EXPECT_EQ(e.style, 3) << qPrintable(describe(e));
        }
    }
}

TEST(CatalogueData, TemplatesPutTheCaretWhereTheFirstArgumentGoes) {
    for (const FunctionEntry& e : allEntries(languages().first())) {
        if (e.style != 1) {
            continue;
        }
        ASSERT_GE(e.bidx, 0) << qPrintable(describe(e));
        ASSERT_LE(e.bidx, e.in.size()) << qPrintable(describe(e));
        if (e.bidx > 0) {
            const qsizetype caret = e.in.size() - e.bidx;
            EXPECT_EQ(e.in.at(caret - 1), QLatin1Char('(')) << qPrintable(describe(e));
            EXPECT_TRUE(e.in.mid(caret).contains(QLatin1Char(')'))) << qPrintable(describe(e));
        }
    }
}

TEST(CatalogueData, TemplatesAreScriptsTheEngineCanRead) {
    // Each line goes to the engine as Latin-1; every line is evaluated, so an
    // empty one (also after a final line break) would stop the run.
    for (const FunctionEntry& e : allEntries(languages().first())) {
        if (e.style != 1) {
            continue;
        }
        for (const QChar c : e.in) {
            EXPECT_TRUE(c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() < 0x7f))
                << qPrintable(describe(e)) << " holds U+" << int(c.unicode());
        }
        for (const QString& line : e.in.split(QLatin1Char('\n'))) {
            EXPECT_FALSE(line.trimmed().isEmpty()) << qPrintable(describe(e));
        }
        int depth = 0;
        for (const QChar c : e.in) {
            depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
            EXPECT_GE(depth, 0) << qPrintable(describe(e));
        }
        EXPECT_EQ(depth, 0) << qPrintable(describe(e));
    }
}

TEST(CatalogueData, NamesInTemplatesReadAsTheEngineReadsThem) {
    // A name before "(" must be a built-in function and any other name a
    // variable; a variable may not start with a word operator, which the
    // engine would read first.
    const QStringList operators{QStringLiteral("and"), QStringLiteral("or"), QStringLiteral("xor")};
    for (const FunctionEntry& e : allEntries(languages().first())) {
        if (e.style == 2) {
            continue;
        }
        if (startsDefinition(e)) {
            // The name it defines is a new one.
            const QString name =
                QString::fromStdString(mu::ReadFunctionHead(e.in.toStdString())->m_sName);
            EXPECT_FALSE(builtinFunctions().contains(name)) << qPrintable(describe(e));
            continue;
        }
        auto it = nameRun().globalMatch(e.in);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const qsizetype start = m.capturedStart();
            if (start > 0 && (e.in.at(start - 1).isDigit() || e.in.at(start - 1) == '.')) {
                continue; // an exponent such as the e of 1e-3
            }
            const QString name = m.captured();
            const bool called = e.in.mid(m.capturedEnd(), 1) == QStringLiteral("(");
            EXPECT_EQ(called, builtinFunctions().contains(name))
                << qPrintable(name + " in " + describe(e));
            if (!operators.contains(name)) {
                for (const QString& op : operators) {
                    EXPECT_FALSE(name.startsWith(op)) << qPrintable(name + " in " + describe(e));
                }
            }
        }
    }
}

TEST(CatalogueData, BaseConversionsNameValidBases) {
    QSet<int> bases;
    for (const FunctionEntry& e : category(languages().first(), "BASECONVERSION")) {
        bool ok = false;
        const int base = e.in.toInt(&ok, 10);
        ASSERT_TRUE(ok) << qPrintable(describe(e));
        EXPECT_GE(base, 2);
        EXPECT_LE(base, 36);
        bases.insert(base);
    }
    EXPECT_TRUE(bases.contains(2));
    EXPECT_TRUE(bases.contains(8));
    EXPECT_TRUE(bases.contains(16));
}

TEST(CatalogueData, ConstantsAreDefinitionsOfFreeNames) {
    QSet<QString> names;
    for (const FunctionEntry& e : category(languages().first(), "CONSTANTS")) {
        const int eq = e.in.indexOf(QLatin1Char('='));
        ASSERT_GT(eq, 0) << qPrintable(e.in);
        const QString name = e.in.left(eq);
        EXPECT_TRUE(validName().match(name).hasMatch()) << qPrintable(e.in);
        EXPECT_FALSE(builtinFunctions().contains(name)) << qPrintable(e.in);
        EXPECT_FALSE(names.contains(name)) << qPrintable(e.in);
        names.insert(name);
        bool ok = false;
        const double value = e.in.mid(eq + 1).toDouble(&ok);
        EXPECT_TRUE(ok && std::isfinite(value) && value > 0) << qPrintable(e.in);
    }
}

TEST(CatalogueData, NoConstantHidesTheDefinitionOfAnother) {
    // A constant counts as defined when the script holds its key anywhere;
    // inserting one constant must never make another look defined.
    QStringList definitions;
    for (const FunctionEntry& e : category(languages().first(), "CONSTANTS")) {
        definitions << e.in;
    }
    for (const QString& a : definitions) {
        for (const QString& b : definitions) {
            if (a != b) {
                EXPECT_FALSE(b.contains(constantKey(a))) << qPrintable(a + " in " + b);
            }
        }
    }
}

TEST(CatalogueData, ConstantsCarryTheirReferenceValues) {
    QHash<QString, QString> values;
    for (const FunctionEntry& e : category(languages().first(), "CONSTANTS")) {
        const int eq = e.in.indexOf(QLatin1Char('='));
        values.insert(e.in.left(eq), e.in.mid(eq + 1));
    }
    const QList<QPair<QString, double>> expected{
        {"pi", 3.14159265358979},  {"e", 2.71828182845905},    {"c0", 299792458.0},
        {"g0", 9.80665},           {"h", 6.62607015e-34},      {"NA", 6.02214076e23},
        {"k", 1.380649e-23},       {"qe", 1.602176634e-19},    {"R", 8.314462618},
        {"F", 96485.33212},        {"me", 9.1093837015e-31},   {"G", 6.67430e-11},
        {"mp", 1.67262192369e-27}, {"eps0", 8.8541878128e-12}, {"atm", 101325.0}};
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(values.contains(name)) << qPrintable(name);
        EXPECT_EQ(values.value(name).toDouble(), value) << qPrintable(name);
    }
    // The keypad's pi and e use the same keys, so neither adds a second line.
    EXPECT_EQ(constantKey("pi=" + values.value("pi")), constantKey("pi=3.1415926535897"));
    EXPECT_EQ(constantKey("e=" + values.value("e")), constantKey("e=2.7182818284590"));
}

TEST(CatalogueData, ScriptCategoriesInsertWholeScripts) {
    for (const QString& name : {QStringLiteral("FINANCE"), QStringLiteral("USERDEFINE")}) {
        for (const FunctionEntry& e : category(languages().first(), name)) {
            if (startsDefinition(e)) {
                continue;
            }
            EXPECT_EQ(e.style, 1) << qPrintable(describe(e));
            EXPECT_EQ(e.bidx, 0) << qPrintable(describe(e));
            EXPECT_TRUE(e.in.contains(QLatin1Char('\n'))) << qPrintable(describe(e));
            EXPECT_FALSE(e.in.contains(QStringLiteral("()"))) << qPrintable(describe(e));
        }
    }
}

TEST(CatalogueData, UserDefinedCategoryOffersADefinitionLine) {
    for (const QString& lang : languages()) {
        const QList<FunctionEntry> entries = category(lang, QStringLiteral("USERDEFINE"));
        const auto found = std::find_if(entries.begin(), entries.end(), startsDefinition);
        ASSERT_NE(found, entries.end()) << qPrintable(lang);
        EXPECT_EQ(found->in, QStringLiteral("f(x)="));
        // The caret stays after "=", where the body goes.
        EXPECT_EQ(found->bidx, 0);
    }
}

TEST(CatalogueData, EntriesOfACategoryAreDistinct) {
    for (const QString& name : categories()) {
        QSet<QString> seen;
        for (const FunctionEntry& e : category(languages().first(), name)) {
            EXPECT_FALSE(seen.contains(e.in)) << qPrintable(name + " " + describe(e));
            seen.insert(e.in);
        }
    }
}

TEST(CatalogueData, EveryHelpPageExistsInEveryLanguage) {
    for (const QString& lang : languages()) {
        for (const FunctionEntry& e : allEntries(lang)) {
            ASSERT_FALSE(e.help.isEmpty()) << qPrintable(describe(e));
            EXPECT_TRUE(validName().match(e.help.chopped(5)).hasMatch() &&
                        e.help.endsWith(QStringLiteral(".html")))
                << qPrintable(e.help);
            for (const QString& other : languages()) {
                EXPECT_TRUE(QFile::exists(shipped::helpDir(other) + QLatin1Char('/') + e.help))
                    << qPrintable(other + " " + e.help);
            }
        }
    }
}
