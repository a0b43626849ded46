// Names read before any line assigns them: listed on standard error after the result, in the
// language of the messages, or with --strict an error at the name.
#include "CliRunner.h"

#include "ScriptRunner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

QString undefinedLine(const QString& language, const QString& names) {
    return installedTable(language).value(QStringLiteral("IDS_UNDEFINED_NAMES")).arg(names) +
           QLatin1Char('\n');
}

struct UndefinedRow {
    const char* name;
    QStringList arguments;
    QByteArray input;
    QString out;
    QString language; // empty: nothing on standard error
    QString names;
};

void PrintTo(const UndefinedRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliUndefinedNamesTest : public testing::TestWithParam<UndefinedRow> {};

TEST_P(CliUndefinedNamesTest, AreListedAfterTheResult) {
    const UndefinedRow& row = GetParam();
    const CliRun run = runCli(row.arguments, row.input);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(row.out, run.out);
    EXPECT_EQ(row.language.isEmpty() ? QString() : undefinedLine(row.language, row.names), run.err);
}

const UndefinedRow kUndefinedRows[] = {
    {"one_name", {"-e", "2*pi"}, {}, "0\n", "en_us", "pi"},
    {"names_in_the_order_met", {"-e", "x=1", "-e", "z+x+y+z"}, {}, "1\n", "en_us", "z, y"},
    {"read_while_assigned", {"-e", "y=y+1"}, {}, "1\n", "en_us", "y"},
    {"assigned_first", {"-e", "a=2", "-e", "a*3"}, {}, "6\n", {}, {}},
    {"comparison_is_a_read", {"-e", "b==0"}, {}, "1\n", "en_us", "b"},
    {"standard_input", {}, "r=2\n3*r*q\n", "0\n", "en_us", "q"},
    {"chosen_language", {"--lang", "zh_cn", "-e", "2*pi"}, {}, "0\n", "zh_cn", "pi"},
    {"strict_assigned_first", {"--strict", "-e", "a=2", "-e", "a*3"}, {}, "6\n", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliUndefinedNamesTest, testing::ValuesIn(kUndefinedRows), RowName());

struct StrictRow {
    const char* name;
    QStringList arguments;
    QByteArray input;
    QString token;
    QString details;
};

void PrintTo(const StrictRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliStrictTest : public testing::TestWithParam<StrictRow> {};

TEST_P(CliStrictTest, FailsAtTheName) {
    const StrictRow& row = GetParam();
    const CliRun run = runCli(row.arguments, row.input);
    EXPECT_EQ(1, run.exitCode);
    EXPECT_EQ(QString(), run.out);
    const QString message = formatErrorMessage(
        installedTable(QStringLiteral("en_us")).value(QStringLiteral("IDS_PARSE_E01")), row.token);
    EXPECT_EQ(message + QLatin1Char('\n') + row.details + QLatin1Char('\n'), run.err);
}

const StrictRow kStrictRows[] = {
    {"text",
     {"--strict", "-e", "1", "-e", "2*pi"},
     {},
     "pi",
     "error: line=2 code=1 pos=2 key=IDS_PARSE_E01 token=pi"},
    {"read_while_assigned",
     {"--strict", "-e", "y = 3*y"},
     {},
     "y",
     "error: line=1 code=1 pos=6 key=IDS_PARSE_E01 token=y"},
    {"standard_input",
     {"--strict"},
     "r=2\nr*q\n",
     "q",
     "error: line=2 code=1 pos=2 key=IDS_PARSE_E01 token=q"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliStrictTest, testing::ValuesIn(kStrictRows), RowName());

TEST(CliStrict, HelpDescribesIt) {
    const CliRun run = runCli({"--help"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(run.out.contains(QStringLiteral("--strict"))) << run.out.toStdString();
}

} // namespace
