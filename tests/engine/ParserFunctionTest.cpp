#include "BuiltinFunctionTable.h"
#include "Parser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDate>

#include <cmath>
#include <limits>
#include <string>

namespace {

using enginetest::Evaluate;
using enginetest::kInf;
using enginetest::kNaN;

struct CallCase {
    const char* name;
    const char* expr;
    double expected;
    double tolerance; // 0: the exact double
};

void PrintTo(const CallCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class BuiltinByNameTest : public testing::TestWithParam<CallCase> {};

TEST_P(BuiltinByNameTest, ComputesThroughTheParser) {
    const CallCase& c = GetParam();
    const double fVal = Evaluate(c.expr);
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(fVal)) << fVal;
    } else if (c.tolerance == 0) {
        EXPECT_EQ(c.expected, fVal);
    } else {
        EXPECT_NEAR(c.expected, fVal, c.tolerance);
    }
}

// One row per built-in name at least, in definition order.
const CallCase kCallCases[] = {
    {"sin", "sin(0)", 0, 0},
    {"cos", "cos(0)", 1, 0},
    {"tan", "tan(0)", 0, 0},
    {"asin", "asin(1)", 1.5707963267948966, 1e-15},
    {"acos", "acos(1)", 0, 0},
    {"atan", "atan(1)", 0.7853981633974483, 1e-15},
    {"sinh", "sinh(0)", 0, 0},
    {"cosh", "cosh(0)", 1, 0},
    {"tanh", "tanh(0)", 0, 0},
    {"asinh", "asinh(-1e10)", -23.718998110500401, 1e-12},
    {"acosh", "acosh(1)", 0, 0},
    {"acosh_outside_domain", "acosh(0.5)", kNaN, 0},
    {"atanh", "atanh(0.5)", 0.54930614433405489, 1e-15},
    {"log2", "log2(8)", 3, 0},
    {"log10", "log10(1000)", 3, 0},
    {"log", "log(100)", 2, 0},
    {"log_of_zero", "log(0)", -kInf, 0},
    {"ln", "ln(100)", 4.605170185988092, 0},
    {"exp", "exp(0)", 1, 0},
    {"sqrt", "sqrt(16)", 4, 0},
    {"sqrt_negative", "sqrt(-1)", kNaN, 0},
    {"sign", "sign(-0.1)", -1, 0},
    {"sign_nan", "sign(0/0)", 0, 0},
    {"rint", "rint(2.5)", 3, 0},
    {"rint_negative_half", "rint(-2.5)", -2, 0},
    {"rint_negative", "rint(-2.6)", -3, 0},
    {"abs", "abs(-4)", 4, 0},
    {"if_false", "if(0,1,2)", 2, 0},
    {"if_negative", "if(-0.5,1,2)", 1, 0},
    {"if_nan", "if(0/0,1,2)", 1, 0},
    {"sum", "sum(1,2,3)", 6, 0},
    {"avg", "avg(1,2,6)", 3, 0},
    {"min", "min(3,-1,2)", -1, 0},
    {"min_leading_nan", "min(0/0,1)", kNaN, 0},
    {"min_later_nan", "min(1,0/0)", 1, 0},
    {"max", "max(3,7,2)", 7, 0},
    {"pow", "pow(2,10)", 1024, 0},
    {"pow_is_power_operator", "pow(2,0.5)-2^0.5", 0, 0},
    {"fac", "fac(5)", 120, 0},
    {"fac_fraction", "fac(5.9)", 120, 0},
    {"fac_zero", "fac(0)", 1, 0},
    {"fac_negative", "fac(-3)", 1, 0},
    {"fac_171", "fac(171)", kInf, 0},
    {"fac_beyond_int", "fac(3000000000)", kInf, 0},
    {"degrees", "degrees(radians(90))", 90, 1e-13},
    {"radians", "radians(180)", 3.141592653589793, 0},
    {"datevalue", "datevalue(20091124)", 40141, 0},
    {"datevalue_invalid", "datevalue(20090230)", -2415019, 0},
    {"daydiff", "daydiff(20090101,20091231)", 364, 0},
    {"monthdiff", "monthdiff(20090131,20090201)", 1, 0},
    {"yeardiff", "yeardiff(20091231,20100101)", 1, 0},
    {"dayadd", "dayadd(20091124,-1.9)", 20091123, 0},
    {"monthadd", "monthadd(20090131,1)", 20090228, 0},
    {"yearadd", "yearadd(20080229,1)", 20090228, 0},
    {"days360", "days360(0,20091124)", 723563, 0},
};

INSTANTIATE_TEST_SUITE_P(Parser, BuiltinByNameTest, testing::ValuesIn(kCallCases),
                         [](const testing::TestParamInfo<CallCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

// The 39 functions of the first vocabulary and the 24 added since, one per row of the table.
TEST(Parser, DefinesTheTablesFunctionsAndNoConstants) {
    const mu::Parser parser;
    EXPECT_EQ(63U, parser.Functions().size());
    for (const mu::BuiltinFunction& row : mu::BuiltinFunctionTable()) {
        const auto it = parser.Functions().find(std::string(row.m_szName));
        ASSERT_NE(it, parser.Functions().end()) << row.m_szName;
        EXPECT_EQ(it->second.GetAddr(), row.m_pFun) << row.m_szName;
        EXPECT_EQ(it->second.ArgCount(), row.m_iArgc) << row.m_szName;
    }
    EXPECT_TRUE(parser.Constants().empty());
}

TEST(Parser, LogAndLog10AreTheSameFunction) {
    for (const char* szArg : {"0.5", "2", "12345.678", "1e-300"}) {
        EXPECT_EQ(Evaluate(std::string("log(") + szArg + ")"),
                  Evaluate(std::string("log10(") + szArg + ")"))
            << szArg;
    }
}

TEST(Parser, TodayIsTheCurrentDate) {
    const QDate before = QDate::currentDate();
    const double fToday = Evaluate("today()");
    const QDate after = QDate::currentDate();
    const auto encode = [](const QDate& a_Date) {
        return a_Date.year() * 10000.0 + a_Date.month() * 100 + a_Date.day();
    };
    EXPECT_TRUE(fToday == encode(before) || fToday == encode(after)) << fToday;
}

} // namespace
