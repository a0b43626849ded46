#include "LineEvaluator.h"
#include "ScriptRunner.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

LangMap lineTable() {
    return testTable({{QStringLiteral("IDS_ERROR_LINE"), QStringLiteral("Line %1: %2")},
                      {QStringLiteral("IDS_UNDEFINED_NAMES"), QStringLiteral("Zero: %1")}});
}

struct Row {
    const char* name;
    QString script;
    QStringList texts;
};

void PrintTo(const Row& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class LineEvaluatorTest : public testing::TestWithParam<Row> {};

// The per-line texts, and a summary that is exactly the runner's result, so
// the column and the result box can never disagree.
TEST_P(LineEvaluatorTest, GivesEveryLineAndTheRunnersResult) {
    const LineResults lines = LineEvaluator(lineTable()).evaluate(GetParam().script);
    const RunResult run = ScriptRunner(lineTable()).run(GetParam().script);
    EXPECT_EQ(lines.texts, GetParam().texts);
    EXPECT_EQ(lines.run.ok, run.ok);
    EXPECT_EQ(lines.run.text, run.text);
    EXPECT_EQ(lines.run.line, run.line);
    EXPECT_EQ(lines.run.position, run.position);
    EXPECT_EQ(lines.run.key, run.key);
    EXPECT_EQ(lines.run.token, run.token);
    if (run.ok) {
        EXPECT_EQ(lines.run.value, run.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineEvaluator, LineEvaluatorTest,
    testing::Values(Row{"OneLine", QStringLiteral("1+2"), {"3"}},
                    Row{"Formats",
                        QStringLiteral("a=123456789\n2/3\n0/0\n1/0\n10/4"),
                        {"1.23457e+08", "0.666667", "nan", kInfinity, "2.5"}},
                    Row{"ErrorInTheMiddle", QStringLiteral("a=1\n3*\nb=2"), {"1", "", ""}},
                    Row{"TrailingBreak", QStringLiteral("5\n"), {"5", ""}},
                    Row{"Empty", QString(), {""}},
                    Row{"OutsideLatin1", QStringLiteral("1\n2*\u03c0"), {"1", ""}}),
    RowName());

TEST(LineErrorMessageTest, PrefixesTheLineOrNothingWithoutTheKey) {
    const RunResult failed = ScriptRunner(lineTable()).run(QStringLiteral("1\n2\n3*"));
    ASSERT_EQ(failed.line, 3);
    EXPECT_EQ(lineErrorMessage(failed, lineTable()), QStringLiteral("Line 3: ") + failed.text);
    LangMap without = lineTable();
    without.remove(QStringLiteral("IDS_ERROR_LINE"));
    EXPECT_EQ(lineErrorMessage(failed, without), failed.text);
}

TEST(UndefinedNamesTextTest, ListsNamesOrNothing) {
    EXPECT_EQ(undefinedNamesText({}, lineTable()), QString());
    EXPECT_EQ(undefinedNamesText({"pi", "foo"}, lineTable()), QStringLiteral("Zero: pi, foo"));
}

} // namespace
