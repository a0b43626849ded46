// Every example of the shipped help pages, run as the window runs it, must
// show exactly the result its page promises, in both languages.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"

#include "LangTable.h"
#include "ResultBase.h"
#include "ScriptRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>

#include <functional>

namespace {

struct Example {
    QString page;
    QString script;
    QString result;
    QString base; // empty unless the result is a base conversion
};

bool hasClass(const QDomElement& e, const char* name) {
    return e.attribute(QStringLiteral("class"))
        .split(QLatin1Char(' '))
        .contains(QLatin1String(name));
}

void walk(const QDomElement& root, const std::function<void(const QDomElement&)>& visit) {
    visit(root);
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        walk(e, visit);
}

// The div.example blocks of one page, each with its pre.script and
// code.result.
QList<Example> examplesOf(const QString& lang, const QString& page) {
    QFile file(shipped::helpDir(lang) + QLatin1Char('/') + page);
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file)) {
        ADD_FAILURE() << "cannot read " << qPrintable(lang + "/" + page);
        return {};
    }
    QList<Example> found;
    walk(doc.documentElement(), [&](const QDomElement& div) {
        if (div.tagName() != QLatin1String("div") || !hasClass(div, "example"))
            return;
        Example example{page, {}, {}, div.attribute(QStringLiteral("data-base"))};
        walk(div, [&](const QDomElement& e) {
            if (e.tagName() == QLatin1String("pre") && hasClass(e, "script"))
                example.script = e.text();
            if (e.tagName() == QLatin1String("code") && hasClass(e, "result"))
                example.result = e.text();
        });
        found << example;
    });
    // No script shown on the page escapes the run: each sits in an example.
    int scripts = 0;
    walk(doc.documentElement(), [&](const QDomElement& e) {
        scripts += e.tagName() == QLatin1String("pre") && hasClass(e, "script") ? 1 : 0;
    });
    EXPECT_EQ(scripts, found.size()) << qPrintable(lang + "/" + page);
    return found;
}

QList<Example> examplesOf(const QString& lang) {
    QList<Example> all;
    const QStringList pages =
        QDir(shipped::helpDir(lang)).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& page : pages)
        all += examplesOf(lang, page);
    return all;
}

} // namespace

class HelpExamplesTest : public ::testing::TestWithParam<QString> {};

TEST_P(HelpExamplesTest, EveryExampleShowsItsResult) {
    QMap<QString, QString> table;
    loadLanguageTable(shipped::configFile(GetParam(), QStringLiteral("lang.xml")), &table);
    ASSERT_FALSE(table.value(QStringLiteral("IDS_CALC_ERROR")).isEmpty());

    const QList<Example> examples = examplesOf(GetParam());
    EXPECT_GT(examples.size(), 50);
    int conversions = 0;
    for (const Example& example : examples) {
        const QString where =
            GetParam() + QLatin1Char('/') + example.page + QStringLiteral(": ") + example.script;
        ASSERT_FALSE(example.script.isEmpty()) << qPrintable(where);
        const RunResult run = ScriptRunner(table).run(example.script);
        ASSERT_TRUE(run.ok) << qPrintable(where + " -> " + run.text);
        QString shown = run.text;
        if (!example.base.isEmpty()) {
            bool ok = false;
            const int base = example.base.toInt(&ok);
            ASSERT_TRUE(ok) << qPrintable(where);
            // What a double-click on a base-conversion entry does after the run.
            shown = resultInBase(run.text, run.value, base,
                                 table.value(QStringLiteral("IDS_BASE_NOT_WHOLE")));
            ++conversions;
        }
        EXPECT_EQ(shown, example.result) << qPrintable(where);
    }
    EXPECT_GE(conversions, 3);
}

INSTANTIATE_TEST_SUITE_P(Shipped, HelpExamplesTest, ::testing::ValuesIn(shipped::languages()),
                         [](const auto& row) { return row.param.toStdString(); });
