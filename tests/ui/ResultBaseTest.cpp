// The text of a base conversion, from what the result box showed.
#include "ResultBase.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct BaseCase {
    const char* name;
    const char* shown;
    int base;
    const char* expected;
};

void PrintTo(const BaseCase& row, std::ostream* os) {
    *os << row.name;
}

// clang-format off
const BaseCase baseCases[] = {
    {"Hex255",              "255",          16, "255 -->> FF"},
    {"Binary5",             "5",            2,  "5 -->> 101"},
    {"Base36",              "35",           36, "35 -->> Z"},
    {"DecimalKeepsSign",    "-1",           10, "-1 -->> -1"},
    {"NegativeHexIs64Bit",  "-1",           16, "-1 -->> FFFFFFFFFFFFFFFF"},
    {"NegativeOctal",       "-8",           8,  "-8 -->> 1777777777777777777770"},
    {"SmallestIntBinary",   "-2147483648",  2,
     "-2147483648 -->> 1111111111111111111111111111111110000000000000000000000000000000"},
    {"LargestInt",          "2147483647",   16, "2147483647 -->> 7FFFFFFF"},
    {"PastIntIsZero",       "2147483648",   16, "2147483648 -->> 0"},
    {"FractionIsZero",      "2.5",          16, "2.5 -->> 0"},
    {"ExponentIsZero",      "1.23457e+08",  16, "1.23457E+08 -->> 0"},
    {"InfinityIsZero",      "-\u221e",      16, "-\u221e -->> 0"},
    {"ErrorTextIsZero",     "not a number", 16, "NOT A NUMBER -->> 0"},
    {"EmptyIsZero",         "",             16, " -->> 0"},
    {"BaseOneIsDecimal",    "-255",         1,  "-255 -->> -255"},
    {"BaseZeroIsDecimal",   "255",          0,  "255 -->> 255"},
    {"Base37IsDecimal",     "255",          37, "255 -->> 255"},
    {"NegativeBaseIsDecimal", "255",        INT_MIN, "255 -->> 255"},
};
// clang-format on

class ResultBaseTest : public ::testing::TestWithParam<BaseCase> {};

} // namespace

TEST_P(ResultBaseTest, WritesTheShownIntegerInTheBase) {
    const BaseCase& c = GetParam();
    EXPECT_EQ(resultInBase(QString::fromUtf8(c.shown), c.base), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(ResultBase, ResultBaseTest, ::testing::ValuesIn(baseCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ResultBase, AHugeShownTextIsKeptAndCountsAsZero) {
    const QString huge(1 << 20, QLatin1Char('9'));
    const QString text = resultInBase(huge, 16);
    EXPECT_EQ(text.size(), huge.size() + 7);
    EXPECT_TRUE(text.endsWith(QStringLiteral(" -->> 0")));
}
