// --angle: the unit of the trigonometric functions' angles; a bad unit is a
// bad command line.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct AngleRow {
    const char* name;
    QStringList arguments;
    int exitCode;
    QString out;
};

void PrintTo(const AngleRow& row, std::ostream* os) {
    *os << row.name;
}

class CliAngleTest : public testing::TestWithParam<AngleRow> {};

TEST_P(CliAngleTest, UsesTheChosenUnit) {
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(GetParam().exitCode, run.exitCode) << run.err.toStdString();
    EXPECT_EQ(GetParam().out, run.out);
}

// clang-format off
const AngleRow kAngleRows[] = {
    {"degrees",          {"--angle", "deg", "-e", "sin(30)+cos(60)+tan(45)"}, 0, "2\n"},
    {"degrees_inverse",  {"--angle=deg", "-e", "atan2(-1,-1)"},               0, "-135\n"},
    {"degrees_exact",    {"--angle", "deg", "--raw", "-e", "sin(180)"},       0, "0\n"},
    {"radians_default",  {"-e", "atan(1)*4"},                                 0, "3.14159265\n"},
    {"radians_named",    {"--angle", "rad", "-e", "atan(1)*4"},               0, "3.14159265\n"},
    {"unknown_unit",     {"--angle", "grad", "-e", "1"},                      2, ""},
    {"missing_unit",     {"--angle"},                                         2, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, CliAngleTest, testing::ValuesIn(kAngleRows), RowName());

} // namespace
