// --digits: the result line in a chosen number of significant digits or the
// shortest exact text; --raw keeps its 17 digits and the special values keep
// their texts.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct DigitsRow {
    const char* name;
    QStringList arguments;
    QString out;
};

void PrintTo(const DigitsRow& row, std::ostream* os) {
    *os << row.name;
}

class CliDigitsTest : public testing::TestWithParam<DigitsRow> {};

TEST_P(CliDigitsTest, PrintsTheResultInTheChosenDigits) {
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(0, run.exitCode) << run.err.toStdString();
    EXPECT_EQ(GetParam().out, run.out);
}

// clang-format off
const DigitsRow kDigitsRows[] = {
    {"six_below_one",       {"--digits", "6", "-e", "1/3+1"},          "1.33333\n"},
    {"ten",                 {"--digits", "10", "-e", "2^64"},          "1.844674407e+19\n"},
    {"fifteen",             {"--digits=15", "-e", "0.1+0.2"},          "0.3\n"},
    {"shortest",            {"--digits", "shortest", "-e", "0.1+0.2"}, "0.30000000000000004\n"},
    {"shortest_large",      {"--digits", "shortest", "-e", "2^64"},    "1.8446744073709552e+19\n"},
    {"shortest_tenth",      {"--digits", "shortest", "-e", "0.1"},     "0.1\n"},
    {"standard_by_name",    {"--digits", "standard", "-e", "1/3+1"},   "1.33333333\n"},
    {"infinity_as_today",   {"--digits", "12", "-e", "-1/0"},          "-\u221E\n"},
    {"nan_as_today",        {"--digits", "shortest", "-e", "0/0"},     "Math error: the result is not a number\n"},
    {"raw_wins",            {"--digits", "6", "--raw", "-e", "0.1"},   "0.10000000000000001\n"},
    {"last_one_counts",     {"--digits", "6", "--digits", "10", "-e", "1/3"}, "0.3333333333\n"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, CliDigitsTest, testing::ValuesIn(kDigitsRows), RowName());

class CliDigitsUsageTest : public testing::TestWithParam<DigitsRow> {};

TEST_P(CliDigitsUsageTest, ExitsWithCodeTwo) {
    const CliRun run = runCli(GetParam().arguments, "1+1");
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ(QString(), run.out);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("scriptcalc-cli: "))) << run.err.toStdString();
}

const DigitsRow kDigitsUsageRows[] = {
    {"missing_value", {"--digits"}, {}}, {"zero", {"--digits", "0"}, {}},
    {"eighteen", {"--digits=18"}, {}},   {"word", {"--digits", "many"}, {}},
    {"empty", {"--digits="}, {}},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliDigitsUsageTest, testing::ValuesIn(kDigitsUsageRows), RowName());

} // namespace
