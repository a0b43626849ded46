// Running scripts through the window: typed into the editor, "=" clicked,
// the result box read, error boxes closed as a user closes them.
#include "WindowTest.h"

#include "LineEvaluator.h"
#include "ScriptRunner.h"

#include <QMessageBox>
#include <QTest>

namespace {

struct Formatted {
    const char* name;
    const char* script;
    const char* shown;
};

// clang-format off
const Formatted formatted[] = {
    {"Sum",                 "1+2",          "3"},
    {"Quotient",            "10/4",         "2.5"},
    {"EightDecimals",       "1/3+1",        "1.33333333"},
    {"MinusOne",            "-1",           "-1"},
    {"SixDigitsBelowOne",   "2/3",          "0.666667"},
    {"Zero",                "0",            "0"},
    {"MinusHalf",           "-0.5",         "-0.5"},
    {"ExponentFrom1e8",     "123456789",    "1.23457e+08"},
    {"Exactly1e8",          "100000000",    "1e+08"},
    {"JustBelow1e8",        "99999999.5",   "99999999.5"},
    {"TinyExponent",        "1/30000000",   "3.33333e-08"},
    {"Infinity",            "1/0",          "\u221e"},
    {"MinusInfinity",       "-1/0",         "-\u221e"},
    {"NotANumber",          "0/0",          "not a number"},
    {"VariablesAcrossLines", "a=3\na*2",    "6"},
    {"ConstantLine",        "pi=3.1415926535897\n2*pi", "6.28318531"},
};
// clang-format on

} // namespace

class FormattedRunTest : public WindowTest, public ::testing::WithParamInterface<Formatted> {};

TEST_P(FormattedRunTest, ShowsTheLastLinesValue) {
    typeScript(QString::fromUtf8(GetParam().script));
    click("btn_run");
    EXPECT_EQ(result(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Run, FormattedRunTest, ::testing::ValuesIn(formatted),
                         [](const auto& row) { return std::string(row.param.name); });

namespace {

QMap<QString, QString> tableOf(const TestInstallation::Entries& entries) {
    QMap<QString, QString> table;
    for (const auto& [code, desc] : entries)
        table.insert(code, desc);
    return table;
}

// The box's message for a script whose only line fails, when that line is
// the given line of the script run.
QString messageFor(const QString& failing, int line = 1,
                   const TestInstallation::Entries& entries = TestInstallation::standardEntries()) {
    RunResult expected = ScriptRunner(tableOf(entries)).run(failing);
    EXPECT_FALSE(expected.ok) << failing.toStdString();
    expected.line = line;
    return lineErrorMessage(expected, tableOf(entries));
}

} // namespace

class RunTest : public WindowTest {
protected:
    void expectOneErrorBox(const QString& message) {
        const auto boxes = dialogs.take();
        ASSERT_EQ(boxes.size(), 1);
        const auto& box = boxes.first();
        EXPECT_EQ(box.className, QStringLiteral("QMessageBox"));
        EXPECT_EQ(box.title, QStringLiteral("Oops"));
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box.parent, window.get());
    }
};

TEST_F(RunTest, AFailingLineShowsTheBoxAndKeepsTheOldResult) {
    typeScript(QStringLiteral("1+2"));
    click("btn_run");
    ASSERT_EQ(result(), QStringLiteral("3"));

    editor()->clear();
    typeScript(QStringLiteral("a=1\n3*\nb=2"));
    click("btn_run");
    expectOneErrorBox(messageFor(QStringLiteral("3*"), 2));
    EXPECT_EQ(result(), QStringLiteral("3"));
    EXPECT_EQ(script(), QStringLiteral("a=1\n3*\nb=2"));
}

// Only the first failing line is reported: the lines after it never run.
TEST_F(RunTest, TheFirstFailingLineStopsTheRun) {
    const QString first = QStringLiteral("3*");
    const QString second = QStringLiteral("(1");
    ASSERT_NE(messageFor(first), messageFor(second));
    typeScript(first + QLatin1Char('\n') + second + QStringLiteral("\n7"));
    click("btn_run");
    expectOneErrorBox(messageFor(first));
    EXPECT_EQ(result(), QString());
}

TEST_F(RunTest, ATrailingLineBreakIsAnEmptyLastLine) {
    typeScript(QStringLiteral("5"));
    click("btn_run");
    typeScript(QStringLiteral("\n"));
    click("btn_run");
    expectOneErrorBox(messageFor(QString(), 2));
    EXPECT_EQ(result(), QStringLiteral("5"));
}

TEST_F(RunTest, AnEmptyScriptIsOneEmptyLine) {
    click("btn_run");
    const QString message = messageFor(QString());
    EXPECT_FALSE(message.isEmpty());
    expectOneErrorBox(message);
    EXPECT_EQ(result(), QString());
}

TEST_F(RunTest, EveryRunStartsVariablesAtZero) {
    typeScript(QStringLiteral("a=3\na*2"));
    click("btn_run");
    ASSERT_EQ(result(), QStringLiteral("6"));
    click("btn_clean");
    typeScript(QStringLiteral("a*2"));
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("0"));
}

TEST_F(RunTest, KeypadConstantsRun) {
    click("btn_2");
    click("btn_mul");
    click("btn_pi");
    click("btn_run");
    EXPECT_EQ(script(), QStringLiteral("pi=3.1415926535897\n2*pi"));
    EXPECT_EQ(result(), QStringLiteral("6.28318531"));
}

TEST_F(RunTest, CleanEmptiesScriptAndResultAndFocusesTheEditor) {
    typeScript(QStringLiteral("4*4"));
    click("btn_run");
    ASSERT_EQ(result(), QStringLiteral("16"));
    click("btn_clean");
    EXPECT_EQ(script(), QString());
    EXPECT_EQ(result(), QString());
    EXPECT_TRUE(editorHasFocus());
}

// The result box is read-only: typing into it changes nothing.
TEST_F(RunTest, TextTypedIntoTheResultBoxIsIgnored) {
    typeScript(QStringLiteral("8"));
    click("btn_run");
    QTest::keyClicks(widget<QLineEdit>("edit_res"), QStringLiteral("typed"));
    EXPECT_EQ(result(), QStringLiteral("8"));
}

TEST_F(RunTest, CharactersOutsideLatin1FailAsUnknownSymbols) {
    typeScript(QStringLiteral("2*\u03c0"));
    click("btn_run");
    expectOneErrorBox(messageFor(QStringLiteral("2*\u03c0")));
    EXPECT_EQ(result(), QString());
}

TEST_F(RunTest, ALongScriptRuns) {
    QStringList lines{QStringLiteral("a=0")};
    for (int i = 0; i < 2000; ++i)
        lines.append(QStringLiteral("a=a+1"));
    editor()->setPlainText(lines.join(QLatin1Char('\n')));
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("2000"));
}

// Base conversion --------------------------------------------------------------

struct Conversion {
    const char* name;
    const char* script;
    int base;
    const char* shown;
};

// clang-format off
const Conversion conversions[] = {
    {"Hex255",           "255",  16, "255 -->> FF"},
    {"FractionIsNotWhole", "12.5*2.5", 16, "31.25 -->> NOT WHOLE"},
    {"MinusOneIs64Bit",  "-1",   16, "-1 -->> FFFFFFFFFFFFFFFF"},
    {"Binary5",          "5",    2,  "5 -->> 101"},
    {"ExponentFormIsConverted", "2^31", 16, "2.14748E+09 -->> 80000000"},
    {"InfinityIsNotWhole", "1/0", 8,  "\u221e -->> NOT WHOLE"},
    {"BadBaseIsDecimal", "-7",   99, "-7 -->> -7"},
};
// clang-format on

class ConversionTest : public WindowTest, public ::testing::WithParamInterface<Conversion> {};

TEST_P(ConversionTest, RunsThenWritesTheResultInTheBase) {
    typeScript(QString::fromUtf8(GetParam().script));
    MainWindowTestAccess::convertResultBase(*window, GetParam().base);
    EXPECT_EQ(result(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Run, ConversionTest, ::testing::ValuesIn(conversions),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(RunTest, AFailedConversionRunConvertsNothing) {
    typeScript(QStringLiteral("255"));
    click("btn_run");
    editor()->setPlainText(QStringLiteral("3*"));
    MainWindowTestAccess::convertResultBase(*window, 16);
    expectOneErrorBox(messageFor(QStringLiteral("3*")));
    EXPECT_EQ(result(), QStringLiteral("255"));
}

// A definition has a signature, no value: nothing to show in full or to convert.
TEST_F(RunTest, ADefinitionLastShowsItsSignatureAndConvertsNothing) {
    typeScript(QStringLiteral("255"));
    click("btn_run");
    editor()->setPlainText(QStringLiteral("a=2\ng(x, y)=a*x+y"));
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("g(x,y)"));
    EXPECT_TRUE(widget<QLineEdit>("edit_res")->toolTip().isEmpty());
    MainWindowTestAccess::convertResultBase(*window, 16);
    EXPECT_EQ(result(), QStringLiteral("g(x,y)"));
}

// A long pattern would otherwise show its end, with the number's start out of sight.
TEST_F(RunTest, TheResultBoxShowsTheStartOfItsText) {
    typeScript(QStringLiteral("-10"));
    MainWindowTestAccess::convertResultBase(*window, 2);
    ASSERT_TRUE(result().startsWith(QStringLiteral("-10 -->> 1111")));
    EXPECT_EQ(widget<QLineEdit>("edit_res")->cursorPosition(), 0);
    editor()->setPlainText(QStringLiteral("1/3+1"));
    click("btn_run");
    EXPECT_EQ(widget<QLineEdit>("edit_res")->cursorPosition(), 0);
}

// A table without the message keys still gets its box, with the runner's
// fallback text.
class RunWithoutMessagesTest : public WindowTestBase {};

TEST_F(RunWithoutMessagesTest, TheBoxStillOpens) {
    const TestInstallation::Entries entries{
        {QStringLiteral("IDS_APP_NAME"), QStringLiteral("Calc")}};
    installation.writeLangTable(entries);
    openWindow();
    typeScript(QStringLiteral("3*"));
    click("btn_run");
    const auto boxes = dialogs.take();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().title, QString());
    EXPECT_EQ(boxes.first().text, messageFor(QStringLiteral("3*"), 1, entries));
    EXPECT_EQ(result(), QString());
}

// Markup in a message is shown as typed, so it can neither load a file nor
// offer a link.
TEST_F(RunWithoutMessagesTest, MarkupInTheMessageIsShownAsTyped) {
    installation.writeLangTable({{QStringLiteral("IDS_PARSE_E12"), QStringLiteral("<b>x</b>")}});
    openWindow();
    typeScript(QStringLiteral("3*"));
    click("btn_run");
    const auto boxes = dialogs.take();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first().text, QStringLiteral("<b>x</b>"));
    EXPECT_EQ(boxes.first().textFormat, Qt::PlainText);
}

TEST_F(RunWithoutMessagesTest, NotANumberShowsAnEmptyText) {
    openWindow();
    typeScript(QStringLiteral("5"));
    click("btn_run");
    click("btn_clean");
    typeScript(QStringLiteral("0/0"));
    click("btn_run");
    EXPECT_EQ(result(), QString());
}
