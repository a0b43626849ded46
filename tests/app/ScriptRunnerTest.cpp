#include "ScriptRunner.h"
#include "TestSupport.h"
#include "VariableStore.h"

#include <gtest/gtest.h>

#include <ostream>

#include <sstream>

namespace {

LangMap runnerTable() {
    return testTable({{QStringLiteral("IDS_CALC_ERROR"), QStringLiteral("not a number")}});
}

// Formats that show key and token, so each test sees which error was reported.
struct SuccessRow {
    const char* name;
    QString script;
    QString text;
};

void PrintTo(const SuccessRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class RunSucceedsTest : public testing::TestWithParam<SuccessRow> {};

TEST_P(RunSucceedsTest, ShowsTheLastLine) {
    const RunResult result = ScriptRunner(runnerTable()).run(GetParam().script);
    ASSERT_TRUE(result.ok) << result.text.toStdString();
    EXPECT_EQ(GetParam().text, result.text);
}

const SuccessRow kSuccessRows[] = {
    {"sum", QStringLiteral("1+2"), QStringLiteral("3")},
    {"quotient", QStringLiteral("10/4"), QStringLiteral("2.5")},
    {"eight_decimals", QStringLiteral("1/3+1"), QStringLiteral("1.33333333")},
    {"negative", QStringLiteral("-1"), QStringLiteral("-1")},
    {"below_one", QStringLiteral("2/3"), QStringLiteral("0.666667")},
    {"zero", QStringLiteral("0"), QStringLiteral("0")},
    {"minus_half", QStringLiteral("-0.5"), QStringLiteral("-0.5")},
    {"negative_zero_keeps_its_sign", QStringLiteral("-0"), QStringLiteral("-0")},
    {"nine_digits", QStringLiteral("123456789"), QStringLiteral("1.23457e+08")},
    {"hundred_million", QStringLiteral("100000000"), QStringLiteral("1e+08")},
    {"just_below_1e8", QStringLiteral("99999999.5"), QStringLiteral("99999999.5")},
    {"infinity", QStringLiteral("1/0"), kInfinity},
    {"minus_infinity", QStringLiteral("-1/0"), QStringLiteral("-") + kInfinity},
    {"nan", QStringLiteral("0/0"), QStringLiteral("not a number")},
    {"variables_across_lines", QStringLiteral("a=3\na*2"), QStringLiteral("6")},
    {"circle_area", QStringLiteral("r=2\npi=3.1415926535897\npi*r^2"),
     QStringLiteral("12.56637061")},
    {"builtin_function", QStringLiteral("log(100)+fac(5)"), QStringLiteral("122")},
    {"date_function", QStringLiteral("dayadd(20091231,1)"), QStringLiteral("20100101")},
    {"full_width_forms_read_as_ascii",
     QStringLiteral("\uff41\uff1d\uff12\u3000\n\uff08\uff41\uff0b\uff11\uff09\uff0a\uff13"),
     QStringLiteral("9")},
    {"negative_zero_through_sum", QStringLiteral("1/sum(-0)"), QStringLiteral("-") + kInfinity},
    {"negative_zero_through_avg", QStringLiteral("1/avg(-0)"), QStringLiteral("-") + kInfinity},
    {"negative_zero_through_min", QStringLiteral("1/min(-0)"), QStringLiteral("-") + kInfinity},
    {"tie_below_one_rounds_to_even", QStringLiteral("1/512"), QStringLiteral("0.00195312")},
    {"tie_above_1e8_rounds_to_even", QStringLiteral("100000500"), QStringLiteral("1e+08")},
    {"tie_in_fixed_rounds_to_even", QStringLiteral("1+1/512"), QStringLiteral("1.00195312")},
};

INSTANTIATE_TEST_SUITE_P(ScriptRunner, RunSucceedsTest, testing::ValuesIn(kSuccessRows), RowName());

TEST(ScriptRunner, ReturnsTheValueToo) {
    const RunResult result = ScriptRunner(runnerTable()).run(QStringLiteral("x=1.5\nx*3"));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(4.5, result.value);
}

TEST(ScriptRunner, EveryRunStartsVariablesAtZero) {
    const ScriptRunner runner(runnerTable());
    ASSERT_EQ(QStringLiteral("6"), runner.run(QStringLiteral("a=3\na*2")).text);
    const RunResult second = runner.run(QStringLiteral("a*2"));
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(QStringLiteral("0"), second.text);
}

class RunFailsTest : public testing::TestWithParam<FailureRow> {};

TEST_P(RunFailsTest, ReportsTheFirstError) {
    const FailureRow& row = GetParam();
    const RunResult result = ScriptRunner(runnerTable()).run(row.script);
    ASSERT_FALSE(result.ok) << result.text.toStdString();
    EXPECT_EQ(row.line, result.line);
    EXPECT_EQ(row.code, result.code);
    EXPECT_EQ(row.position, result.position);
    EXPECT_EQ(row.key, result.key);
    EXPECT_EQ(row.token, result.token);
    EXPECT_EQ(row.key + QStringLiteral(" [") + row.token + QStringLiteral("]"), result.text);
}

const FailureRow kFailureRows[] = {
    {"trailing_line_break", QStringLiteral("1+2\n"), 2, 22, -1, QStringLiteral("IDS_PARSE_E02"),
     QString()},
    {"empty_script", QString(), 1, 22, -1, QStringLiteral("IDS_PARSE_E02"), QString()},
    {"blank_line_in_the_middle", QStringLiteral("1\n \n2"), 2, 22, -1,
     QStringLiteral("IDS_PARSE_E02"), QString()},
    {"incomplete_first_line", QStringLiteral("3*\n1\n2"), 1, 2, 3, QStringLiteral("IDS_PARSE_E12"),
     QString()},
    {"unknown_latin1_character", QStringLiteral("1+\u00e9"), 1, 1, 2,
     QStringLiteral("IDS_PARSE_E01"), QStringLiteral("\u00e9 ")},
    {"character_outside_latin1_as_typed", QStringLiteral("1+\u20ac"), 1, 1, 2,
     QStringLiteral("IDS_PARSE_E01"), QStringLiteral("\u20ac ")},
    {"token_after_full_width_forms_as_typed", QStringLiteral("\uff08\uff11\uff0b\u03c0x"), 1, 1, 3,
     QStringLiteral("IDS_PARSE_E01"), QStringLiteral("\u03c0x ")},
    {"full_width_comma_read_as_comma", QStringLiteral("sin\uff081\uff0c2\uff09"), 1, 14, 7,
     QStringLiteral("IDS_PARSE_E09"), QStringLiteral("sin")},
    {"carriage_return", QStringLiteral("1\r\n2"), 1, 1, 1, QStringLiteral("IDS_PARSE_E01"),
     QStringLiteral("\r ")},
    {"missing_bracket", QStringLiteral("x=1\n(x+1"), 2, 11, 5, QStringLiteral("IDS_PARSE_E08"),
     QStringLiteral(")")},
    {"too_many_arguments", QStringLiteral("sin(1,2)"), 1, 14, 7, QStringLiteral("IDS_PARSE_E09"),
     QStringLiteral("sin")},
};

INSTANTIATE_TEST_SUITE_P(ScriptRunner, RunFailsTest, testing::ValuesIn(kFailureRows), RowName());

TEST(ScriptRunner, StopsAtTheFailingLine) {
    const RunResult result =
        ScriptRunner(runnerTable()).run(QStringLiteral("3*\nnotEvaluatedVariable=5\n1"));
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(1, result.line);
}

TEST(ScriptRunner, MissingKeyShowsTheEngineMessage) {
    LangMap table = runnerTable();
    table.remove(QStringLiteral("IDS_PARSE_E12"));
    const RunResult result = ScriptRunner(table).run(QStringLiteral("3*"));
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(QStringLiteral("IDS_PARSE_E12"), result.text);
}

TEST(ScriptRunner, HostileFormatFromTheTableIsShownLiterally) {
    LangMap table = runnerTable();
    table.insert(QStringLiteral("IDS_PARSE_E01"), QStringLiteral("%n%s%d%%%s"));
    const RunResult result = ScriptRunner(table).run(QStringLiteral("1+$"));
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(QStringLiteral("%n$ %d%%%s"), result.text);
}

TEST(ScriptRunner, HugeLineFailsWithACappedMessage) {
    const QString script = QStringLiteral("1+") + QString(100000, QLatin1Char('#'));
    const RunResult result = ScriptRunner(runnerTable()).run(script);
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(1, result.code);
    EXPECT_EQ(100001, result.token.size());
    EXPECT_EQ(2047, result.text.toUtf8().size());
}

TEST(ScriptRunner, DumpsTheLastLine) {
    std::ostringstream dump;
    const RunResult result = ScriptRunner(runnerTable()).run(QStringLiteral("a=2\na*3"), &dump);
    ASSERT_TRUE(result.ok);
    EXPECT_NE(std::string::npos, dump.str().find("VAR"));
    EXPECT_NE(std::string::npos, dump.str().find("MUL"));
    EXPECT_EQ(std::string::npos, dump.str().find("ASSIGN"));
}

struct Utf8Row {
    const char* name;
    QByteArray script;
};

void PrintTo(const Utf8Row& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class Utf8LinesTest : public testing::TestWithParam<Utf8Row> {};

// Lines handed over as UTF-8 bytes one at a time run as the whole script decoded at once.
TEST_P(Utf8LinesTest, RunAsTheDecodedScript) {
    const QByteArray& script = GetParam().script;
    const RunResult whole = ScriptRunner(runnerTable()).run(QString::fromUtf8(script));
    ScriptRun run(runnerTable());
    for (const QByteArray& line : script.split('\n'))
        run.addUtf8Line(line);
    const RunResult lines = run.finish();
    EXPECT_EQ(whole.ok, lines.ok);
    EXPECT_EQ(whole.text, lines.text);
    EXPECT_EQ(whole.line, lines.line);
    EXPECT_EQ(whole.position, lines.position);
    EXPECT_EQ(whole.token, lines.token);
}

const Utf8Row kUtf8Rows[] = {
    {"ascii", "a=2\na*3"},
    {"ascii_error", "a=2\n3*#"},
    {"mark_on_the_first_line_dropped", "\xEF\xBB\xBF"
                                       "1+1"},
    {"mark_on_a_later_line_kept", "1\n\xEF\xBB\xBF"
                                  "2"},
    {"two_marks_on_the_first_line", "\xEF\xBB\xBF\xEF\xBB\xBF"
                                    "3"},
    {"full_width_brackets", "x=2\n\xEF\xBC\x88x+1\xEF\xBC\x89*2"},
    {"latin1_token", "2*\xC3\xA9"},
    {"invalid_byte", "1+\xFF"},
    {"sequence_cut_by_the_line_end", "1+\xE2\x82\n2"},
};

INSTANTIATE_TEST_SUITE_P(ScriptRun, Utf8LinesTest, testing::ValuesIn(kUtf8Rows), RowName());

TEST(VariableStore, EveryNameGetsItsOwnZeroWhoseAddressSurvivesManyMore) {
    VariableStore store;
    double* kept = createVariable("kept", &store);
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(0.0, *kept);
    *kept = 7;
    double* other = createVariable("other", &store);
    EXPECT_NE(kept, other);
    EXPECT_EQ(0.0, *other);
    for (int i = 0; i < 10000; ++i)
        *createVariable("fill", &store) = i;
    EXPECT_EQ(7, *kept);
    EXPECT_EQ(10002u, store.size());
}

// Variables live as long as their run: the next run starts them at 0 again.
TEST(ScriptRunner, EveryRunStartsItsVariablesAtZero) {
    const ScriptRunner runner(runnerTable());
    ASSERT_TRUE(runner.run(QStringLiteral("a=a+5")).ok);
    EXPECT_EQ(5, runner.run(QStringLiteral("a=a+5")).value);
}

} // namespace
