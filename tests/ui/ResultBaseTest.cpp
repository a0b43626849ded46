// The text of a base conversion, from the run's value and its shown text.
#include "ResultBase.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

const double infinity = std::numeric_limits<double>::infinity();
// 2^63, the first double past the 64-bit signed range.
const double twoTo63 = 9223372036854775808.0;

struct BaseCase {
    const char* name;
    const char* shown;
    double value;
    int base;
    const char* expected;
};

void PrintTo(const BaseCase& row, std::ostream* os) {
    *os << row.name;
}

// clang-format off
const BaseCase baseCases[] = {
    {"Hex255",              "255",          255,            16, "255 -->> FF"},
    {"Binary5",             "5",            5,              2,  "5 -->> 101"},
    {"Base36",              "35",           35,             36, "35 -->> Z"},
    {"DecimalKeepsSign",    "-1",           -1,             10, "-1 -->> -1"},
    {"NegativeHexIs64Bit",  "-1",           -1,             16, "-1 -->> FFFFFFFFFFFFFFFF"},
    {"NegativeOctal",       "-8",           -8,             8,  "-8 -->> 1777777777777777777770"},
    {"PastIntIsConverted",  "2.14748e+09",  2147483648.0,   16, "2.14748E+09 -->> 80000000"},
    {"SmallestInt64",       "-9.22337e+18", -twoTo63,       16, "-9.22337E+18 -->> 8000000000000000"},
    {"LargestDoubleInRange", "9.22337e+18", 9223372036854774784.0, 10,
     "9.22337E+18 -->> 9223372036854774784"},
    {"TwoTo63IsOutOfRange", "9.22337e+18",  twoTo63,        16, "9.22337E+18 -->> NOT WHOLE"},
    {"FractionIsNotWhole",  "31.25",        31.25,          16, "31.25 -->> NOT WHOLE"},
    {"InfinityIsNotWhole",  "-\u221e",      -infinity,      16, "-\u221e -->> NOT WHOLE"},
    {"NanIsNotWhole",       "not a number", std::nan(""),   16, "NOT A NUMBER -->> NOT WHOLE"},
    {"NegativeZeroIsZero",  "-0",           -0.0,           16, "-0 -->> 0"},
    {"TextIsNotRead",       "12",           255,            16, "12 -->> FF"},
    {"BaseOneIsDecimal",    "-255",         -255,           1,  "-255 -->> -255"},
    {"Base37IsDecimal",     "255",          255,            37, "255 -->> 255"},
    {"NegativeBaseIsDecimal", "255",        255,            INT_MIN, "255 -->> 255"},
};
// clang-format on

class ResultBaseTest : public ::testing::TestWithParam<BaseCase> {};

} // namespace

TEST_P(ResultBaseTest, WritesTheValueInTheBase) {
    const BaseCase& c = GetParam();
    EXPECT_EQ(
        resultInBase(QString::fromUtf8(c.shown), c.value, c.base, QStringLiteral("not whole")),
        QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(ResultBase, ResultBaseTest, ::testing::ValuesIn(baseCases),
                         [](const auto& row) { return std::string(row.param.name); });
