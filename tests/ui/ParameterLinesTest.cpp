// The lines a parameter slider may rewrite, and the rewrite itself: which assignment decides a
// variable's value, what counts as a plain number, and a drag undone in one step.
#include "ParameterLines.h"
#include "ParameterEdit.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QTextDocument>

namespace {

struct LineCase {
    const char* name;
    const char* text;
    bool parameter;
    const char* variable;
    double value;
    const char* number; // the number's text as the line holds it
};

// clang-format off
const LineCase lineCases[] = {
    {"Plain",          "a=2",            true,  "a",    2.0,    "2"},
    {"Blanks",         "  rate = -1.5 ", true,  "rate", -1.5,   "-1.5"},
    {"Exponent",       "k=2.5e-3",       true,  "k",    2.5e-3, "2.5e-3"},
    {"LeadingPoint",   "_b=.5",          true,  "_b",   0.5,    ".5"},
    {"Expression",     "a=2+1",          false, "",     0.0,    ""},
    {"Comparison",     "a==2",           false, "",     0.0,    ""},
    {"Variable",       "a=b",            false, "",     0.0,    ""},
    {"DigitFirstName", "2a=3",           false, "",     0.0,    ""},
    {"Call",           "a=sin(1)",       false, "",     0.0,    ""},
    {"Overflow",       "a=1e999",        false, "",     0.0,    ""},
};
// clang-format on

class ParameterLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ParameterLineTest, ReadsOnlyAPlainNumberAssigned) {
    const LineCase& c = GetParam();
    const std::optional<ParameterLine> read = readParameterLine(QString::fromUtf8(c.text), 7);
    ASSERT_EQ(read.has_value(), c.parameter);
    if (!read)
        return;
    EXPECT_EQ(read->name, QString::fromLatin1(c.variable));
    EXPECT_EQ(read->line, 7);
    EXPECT_EQ(read->value, c.value);
    EXPECT_EQ(QString::fromUtf8(c.text).mid(read->numberStart, read->numberLength),
              QString::fromLatin1(c.number));
}

INSTANTIATE_TEST_SUITE_P(Lines, ParameterLineTest, testing::ValuesIn(lineCases),
                         [](const auto& row) { return std::string(row.param.name); });

QStringList names(const QList<ParameterLine>& lines) {
    QStringList found;
    for (const ParameterLine& line : lines)
        found.append(line.name + QLatin1Char('@') + QString::number(line.line));
    return found;
}

// The slider sits on the line that gives the final value; a later assignment of anything but a
// plain number leaves the name without a slider, and unread names get none.
TEST(ParameterLines, TheLastAssignmentOfAReadNameDecides) {
    const QString script = QStringLiteral("a=1\nb=2\nc=3\na=4\nb=a+1\nd==2\nd=5\n");
    EXPECT_EQ(names(parameterLines(
                  script, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d")})),
              (QStringList{QStringLiteral("a@3"), QStringLiteral("d@6")}));
    EXPECT_TRUE(parameterLines(script, {}).isEmpty());
}

// The text written for a slider position carries the step's digits and no more.
TEST(ParameterLines, NumbersAreRoundedToTheSliderStep) {
    EXPECT_EQ(parameterText(2.0000000001, 0.004), QStringLiteral("2"));
    EXPECT_EQ(parameterText(1.23456, 0.004), QStringLiteral("1.235"));
    EXPECT_EQ(parameterText(-0.0001, 0.01), QStringLiteral("0"));
    EXPECT_EQ(parameterText(1234.5678, 2.0), QStringLiteral("1235"));
    // Huge numbers keep their exponent rather than spelling out hundreds of digits.
    EXPECT_EQ(parameterText(1.998e300, 2e297), QStringLiteral("1.998e+300"));
}

TEST(ParameterEdit, ADragIsUndoneInOneStep) {
    QTextDocument script(QStringLiteral("x=1\na = 2 \nb=a*3"));
    const int stepsBefore = script.availableUndoSteps();
    EXPECT_TRUE(rewriteParameter(&script, 1, QStringLiteral("2.5"), false));
    EXPECT_TRUE(rewriteParameter(&script, 1, QStringLiteral("-13"), true));
    EXPECT_TRUE(rewriteParameter(&script, 1, QStringLiteral("3"), true));
    EXPECT_EQ(script.toPlainText(), QStringLiteral("x=1\na = 3 \nb=a*3"));
    script.undo();
    EXPECT_EQ(script.toPlainText(), QStringLiteral("x=1\na = 2 \nb=a*3"));
    EXPECT_EQ(script.availableUndoSteps(), stepsBefore);

    // A line that is no parameter line any more is left alone.
    EXPECT_FALSE(rewriteParameter(&script, 2, QStringLiteral("4"), false));
    EXPECT_FALSE(rewriteParameter(&script, 9, QStringLiteral("4"), false));
    EXPECT_EQ(script.toPlainText(), QStringLiteral("x=1\na = 2 \nb=a*3"));
}

} // namespace
