// Every template and constant of the shipped catalogues, inserted through the
// function list into an empty script and run with "=", in both languages.
#include "CatalogueShippedData.h"
#include "FunctionListTest.h"

#include "LangTable.h"
#include "LineEvaluator.h"
#include "ScriptRunner.h"

#include <QFile>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// Where an argument is missing: the "," or ")" right after "(" or ","; and where the body of a
// definition line goes, after its final "=".
QList<int> emptySlots(const QString& script) {
    QList<int> at;
    for (int i = 1; i < script.size(); ++i) {
        const QChar c = script.at(i);
        const QChar before = script.at(i - 1);
        if ((c == QLatin1Char(',') || c == QLatin1Char(')')) &&
            (before == QLatin1Char('(') || before == QLatin1Char(',')))
            at << i;
    }
    if (script.endsWith(QLatin1Char('=')))
        at << script.size();
    return at;
}

// A sample argument in each empty slot: a date first for the date functions,
// a count of 1 second for the date arithmetic, 0.5 anywhere else.
QString filled(const QString& script) {
    static const QStringList dateFunctions{"datevalue", "daydiff",  "monthdiff", "yeardiff",
                                           "dayadd",    "monthadd", "yearadd",   "days360"};
    static const QStringList dateArithmetic{"dayadd", "monthadd", "yearadd"};
    const QString name = script.left(script.indexOf(QLatin1Char('(')));
    QString out;
    int slot = 0;
    for (int i = 0; i < script.size(); ++i) {
        if (emptySlots(script).contains(i)) {
            if (slot == 0 && dateFunctions.contains(name))
                out += QStringLiteral("20091124");
            else if (slot == 1 && dateArithmetic.contains(name))
                out += QStringLiteral("1");
            else
                out += QStringLiteral("0.5");
            ++slot;
        }
        out += script.at(i);
    }
    return out;
}

} // namespace

class ShippedTemplatesTest : public FunctionListTest,
                             public ::testing::WithParamInterface<QString> {
protected:
    void SetUp() override {
        FunctionListTest::SetUp();
        const QString lang = GetParam();
        installation.writeLangFile(
            fileBytes(shipped::configFile(lang, QStringLiteral("lang.xml"))));
        installation.writeFunctionFile(
            fileBytes(shipped::configFile(lang, QStringLiteral("function.xml"))));
        loadLanguageTable(shipped::configFile(lang, QStringLiteral("lang.xml")), &langTable);
        openWindow();
    }

    // Inserts the entry at row into an empty script and runs it; returns what
    // the runner makes of that script, having checked that the window showed
    // the same.
    RunResult insertAndRun(int row, const QString& where) {
        click("btn_clean");
        doubleClickRow(row);
        const QString inserted = script();
        click("btn_run");
        const RunResult expected = ScriptRunner(langTable).run(inserted);
        const auto boxes = dialogs.take();
        if (expected.ok) {
            EXPECT_TRUE(boxes.isEmpty()) << qPrintable(where);
            EXPECT_EQ(result(), expected.text) << qPrintable(where);
        } else {
            EXPECT_EQ(boxes.size(), 1) << qPrintable(where);
            if (!boxes.isEmpty()) {
                EXPECT_EQ(boxes.first().text, lineErrorMessage(expected, langTable))
                    << qPrintable(where);
            }
        }
        return expected;
    }

    QMap<QString, QString> langTable;
};

TEST_P(ShippedTemplatesTest, EveryTemplateRunsOrFailsOnlyAtItsEmptySlots) {
    int checked = 0;
    for (const QString& category : shipped::categories()) {
        bool ok = false;
        const QList<FunctionEntry> entries = shipped::readCategory(GetParam(), category, &ok);
        ASSERT_TRUE(ok);
        clickCategory(("rb_" + category.toLatin1()).constData());
        ASSERT_EQ(rows(), entries.size()) << qPrintable(category);
        for (int row = 0; row < entries.size(); ++row) {
            const FunctionEntry& entry = entries.at(row);
            if (entry.style != 1 && entry.style != 3)
                continue;
            const QString where = GetParam() + QLatin1Char(' ') + category + QLatin1Char(' ') +
                                  entry.show + QStringLiteral(": ") + entry.in;
            ASSERT_EQ(cell(row, 0), entry.show) << qPrintable(where);
            const RunResult run = insertAndRun(row, where);
            const QString inserted = script();
            if (entry.style == 1) {
                EXPECT_EQ(inserted, entry.in) << qPrintable(where);
            }
            const QList<int> gaps = emptySlots(inserted);
            if (gaps.isEmpty()) {
                EXPECT_TRUE(run.ok) << qPrintable(where + " -> " + run.text);
            } else if (!run.ok) {
                EXPECT_EQ(run.line, 1) << qPrintable(where);
                // A function of any number of arguments finds its empty call once the
                // bracket has closed, so it points just past the bracket.
                const bool pastEmptyCall = run.position > 0 && gaps.contains(run.position - 1) &&
                                           inserted.at(run.position - 1) == QLatin1Char(')');
                // A definition line without its body ends too early.
                const bool emptyBody =
                    gaps.contains(int(inserted.size())) && run.position >= inserted.size();
                EXPECT_TRUE(gaps.contains(run.position) || pastEmptyCall || emptyBody)
                    << qPrintable(where + " -> " + run.text) << " at " << run.position;
            }

            // Templates that put the caret inside wait for their arguments.
            if (entry.bidx > 0) {
                const QString sample = filled(inserted);
                setScript(sample, 0, 0);
                click("btn_run");
                EXPECT_TRUE(dialogs.take().isEmpty()) << qPrintable(where + " as " + sample);
                EXPECT_TRUE(ScriptRunner(langTable).run(sample).ok) << qPrintable(sample);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 80);
}

// Complete scripts must also give a number, not the error text or infinity.
TEST_P(ShippedTemplatesTest, ScriptTemplatesRunAsInsertedToAFiniteValue) {
    const QString notANumber = langTable.value(QStringLiteral("IDS_CALC_ERROR"));
    ASSERT_FALSE(notANumber.isEmpty());
    for (const QString& category :
         {QStringLiteral("FINANCE"), QStringLiteral("STATISTICS"), QStringLiteral("USERDEFINE")}) {
        bool ok = false;
        const QList<FunctionEntry> entries = shipped::readCategory(GetParam(), category, &ok);
        ASSERT_TRUE(ok);
        clickCategory(("rb_" + category.toLatin1()).constData());
        for (int row = 0; row < entries.size(); ++row) {
            if (!emptySlots(entries.at(row).in).isEmpty())
                continue;
            const QString where = category + QStringLiteral(": ") + entries.at(row).in;
            const RunResult run = insertAndRun(row, where);
            EXPECT_TRUE(run.ok) << qPrintable(where + " -> " + run.text);
            EXPECT_NE(result(), notANumber) << qPrintable(where);
            EXPECT_FALSE(result().contains(QChar(0x221e))) << qPrintable(where);
            EXPECT_FALSE(result().isEmpty()) << qPrintable(where);
        }
    }
}

TEST_P(ShippedTemplatesTest, ConstantsAreDefinedOnceAndRunToTheirValue) {
    clickCategory("rb_CONSTANTS");
    bool ok = false;
    const QList<FunctionEntry> entries =
        shipped::readCategory(GetParam(), QStringLiteral("CONSTANTS"), &ok);
    ASSERT_TRUE(ok);
    click("btn_clean");
    // Every constant once, then every constant again: each definition once.
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < entries.size(); ++row) {
            doubleClickRow(row);
            typeScript(QStringLiteral("+"));
        }
    }
    typeScript(QStringLiteral("0"));
    const QStringList lines = script().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), entries.size() + 1);
    for (const FunctionEntry& entry : entries)
        EXPECT_EQ(lines.count(entry.in), 1) << qPrintable(entry.in);
    click("btn_run");
    EXPECT_TRUE(dialogs.take().isEmpty());
    const RunResult run = ScriptRunner(langTable).run(script());
    ASSERT_TRUE(run.ok);
    double sum = 0;
    for (const FunctionEntry& entry : entries)
        sum += 2 * entry.in.mid(entry.in.indexOf(QLatin1Char('=')) + 1).toDouble();
    EXPECT_NEAR(run.value, sum, sum * 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedTemplatesTest, ::testing::ValuesIn(shipped::languages()),
                         [](const auto& row) { return row.param.toStdString(); });
