#include "BuiltinFunctions.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using enginetest::kInf;
using enginetest::kNaN;

constexpr double kPi = 3.141592653589793;

// tolerance 0 demands the exact double (infinities included); NaN expects NaN.
void ExpectValue(double a_fExpected, double a_fActual, double a_fTolerance) {
    if (std::isnan(a_fExpected))
        EXPECT_TRUE(std::isnan(a_fActual)) << "got " << a_fActual;
    else if (a_fTolerance == 0)
        EXPECT_EQ(a_fExpected, a_fActual);
    else
        EXPECT_NEAR(a_fExpected, a_fActual, a_fTolerance);
}

struct UnaryCase {
    const char* name;
    double (*fn)(double);
    double arg;
    double expected;
    double tolerance;
};

void PrintTo(const UnaryCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class UnaryFunctionTest : public testing::TestWithParam<UnaryCase> {};

TEST_P(UnaryFunctionTest, GivesExpectedValue) {
    const UnaryCase& c = GetParam();
    ExpectValue(c.expected, c.fn(c.arg), c.tolerance);
}

const UnaryCase kUnaryCases[] = {
    {"sin_0", mu::Sin, 0, 0, 0},
    {"sin_half_pi", mu::Sin, kPi / 2, 1, 1e-15},
    {"cos_0", mu::Cos, 0, 1, 0},
    {"cos_pi", mu::Cos, kPi, -1, 1e-15},
    {"tan_quarter_pi", mu::Tan, kPi / 4, 1, 1e-15},
    {"asin_1", mu::ASin, 1, kPi / 2, 1e-15},
    {"asin_outside_domain", mu::ASin, 2, kNaN, 0},
    {"acos_1", mu::ACos, 1, 0, 0},
    {"acos_outside_domain", mu::ACos, -1.5, kNaN, 0},
    {"atan_1", mu::ATan, 1, kPi / 4, 1e-15},
    {"atan_inf", mu::ATan, kInf, kPi / 2, 1e-15},
    {"sinh_0", mu::Sinh, 0, 0, 0},
    {"sinh_overflow", mu::Sinh, 1000, kInf, 0},
    {"cosh_0", mu::Cosh, 0, 1, 0},
    {"tanh_inf", mu::Tanh, kInf, 1, 0},
    {"asinh_1", mu::ASinh, 1, 0.88137358701954305, 1e-15},
    {"asinh_large_negative", mu::ASinh, -1e10, -23.718998110500401, 1e-12},
    {"asinh_tiny", mu::ASinh, 1e-20, 1e-20, 0},
    {"acosh_1", mu::ACosh, 1, 0, 0},
    {"acosh_below_1", mu::ACosh, 0.5, kNaN, 0},
    {"acosh_negative", mu::ACosh, -2, kNaN, 0},
    {"acosh_huge", mu::ACosh, 1e200, 461.21016577936911, 1e-12},
    {"atanh_half", mu::ATanh, 0.5, 0.54930614433405489, 1e-15},
    {"atanh_tiny", mu::ATanh, 1e-20, 1e-20, 0},
    {"atanh_1", mu::ATanh, 1, kInf, 0},
    {"atanh_minus_1", mu::ATanh, -1, -kInf, 0},
    {"atanh_outside_domain", mu::ATanh, 2, kNaN, 0},
    {"log2_8", mu::Log2, 8, 3, 0},
    {"log2_small_power_of_two", mu::Log2, std::ldexp(1.0, -1066), -1066, 0},
    {"log2_0", mu::Log2, 0, -kInf, 0},
    {"log10_1000", mu::Log10, 1000, 3, 0},
    {"log10_100", mu::Log10, 100, 2, 0},
    {"log10_0", mu::Log10, 0, -kInf, 0},
    {"ln_100", mu::Ln, 100, 4.605170185988092, 0},
    {"ln_0", mu::Ln, 0, -kInf, 0},
    {"ln_negative", mu::Ln, -1, kNaN, 0},
    {"exp_0", mu::Exp, 0, 1, 0},
    {"exp_overflow", mu::Exp, 1000, kInf, 0},
    {"sqrt_4", mu::Sqrt, 4, 2, 0},
    {"sqrt_negative", mu::Sqrt, -1, kNaN, 0},
    {"sign_0", mu::Sign, 0, 0, 0},
    {"sign_nan", mu::Sign, kNaN, 0, 0},
    {"sign_negative", mu::Sign, -0.1, -1, 0},
    {"sign_positive", mu::Sign, 7, 1, 0},
    {"sign_minus_inf", mu::Sign, -kInf, -1, 0},
    {"rint_half_up", mu::Rint, 2.5, 3, 0},
    {"rint_negative_half_up", mu::Rint, -2.5, -2, 0},
    {"rint_negative", mu::Rint, -2.6, -3, 0},
    {"rint_below_half", mu::Rint, 0.49999999999999994, 0, 0},
    {"rint_odd_beyond_fraction_bits", mu::Rint, 4503599627370497.0, 4503599627370497.0, 0},
    {"rint_inf", mu::Rint, kInf, kInf, 0},
    {"rint_minus_inf", mu::Rint, -kInf, -kInf, 0},
    {"rint_nan", mu::Rint, kNaN, kNaN, 0},
    {"abs_negative", mu::Abs, -3.5, 3.5, 0},
    {"abs_minus_inf", mu::Abs, -kInf, kInf, 0},
    {"fac_5", mu::Fac, 5, 120, 0},
    {"fac_fraction", mu::Fac, 5.9, 120, 0},
    {"fac_0", mu::Fac, 0, 1, 0},
    {"fac_1", mu::Fac, 1, 1, 0},
    {"fac_negative", mu::Fac, -3, 1, 0},
    {"fac_below_int_range", mu::Fac, -3e9, 1, 0},
    {"fac_170", mu::Fac, 170, 7.257415615307994e+306, 0},
    {"fac_171", mu::Fac, 171, kInf, 0},
    {"fac_beyond_int_range", mu::Fac, 3000000000.0, kInf, 0},
    {"fac_huge", mu::Fac, 1e300, kInf, 0},
    {"fac_inf", mu::Fac, kInf, kInf, 0},
    {"fac_minus_inf", mu::Fac, -kInf, 1, 0},
    {"fac_nan", mu::Fac, kNaN, kNaN, 0},
    {"degrees_pi", mu::Degrees, kPi, 180, 0},
    {"radians_180", mu::Radians, 180, kPi, 0},
};

INSTANTIATE_TEST_SUITE_P(BuiltinFunctions, UnaryFunctionTest, testing::ValuesIn(kUnaryCases),
                         [](const testing::TestParamInfo<UnaryCase>& a_info) {
                             return std::string(a_info.param.name);
                         });

struct ListCase {
    const char* name;
    double (*fn)(const double*, int);
    std::vector<double> args;
    double expected;
};

void PrintTo(const ListCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class ListFunctionTest : public testing::TestWithParam<ListCase> {};

TEST_P(ListFunctionTest, GivesExpectedValue) {
    const ListCase& c = GetParam();
    ExpectValue(c.expected, c.fn(c.args.data(), static_cast<int>(c.args.size())), 0);
}

const ListCase kListCases[] = {
    {"sum_one", mu::Sum, {4}, 4},
    {"sum_three", mu::Sum, {1, 2, 3.5}, 6.5},
    {"sum_in_argument_order", mu::Sum, {1e308, 1e308, -1e308}, kInf},
    {"avg_three", mu::Avg, {1, 2, 6}, 3},
    {"avg_one", mu::Avg, {5}, 5},
    {"min_three", mu::Min, {3, -1, 2}, -1},
    {"min_leading_nan_wins", mu::Min, {kNaN, 1}, kNaN},
    {"min_later_nan_passed_over", mu::Min, {1, kNaN}, 1},
    {"max_three", mu::Max, {3, 7, 2}, 7},
    {"max_leading_nan_wins", mu::Max, {kNaN, 1}, kNaN},
    {"max_later_nan_passed_over", mu::Max, {1, kNaN, 3}, 3},
};

INSTANTIATE_TEST_SUITE_P(BuiltinFunctions, ListFunctionTest, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase>& a_info) {
                             return std::string(a_info.param.name);
                         });

TEST(BuiltinFunctions, SumAndAvgKeepANegativeZero) {
    const double afNegativeZero[] = {-0.0, -0.0};
    EXPECT_TRUE(std::signbit(mu::Sum(afNegativeZero, 1)));
    EXPECT_TRUE(std::signbit(mu::Sum(afNegativeZero, 2)));
    EXPECT_TRUE(std::signbit(mu::Avg(afNegativeZero, 1)));
}

TEST(BuiltinFunctions, IfTakesSecondArgumentForAnyNonZeroCondition) {
    EXPECT_EQ(2, mu::If(0, 1, 2));
    EXPECT_EQ(2, mu::If(-0.0, 1, 2));
    EXPECT_EQ(1, mu::If(-0.5, 1, 2));
    EXPECT_EQ(1, mu::If(kNaN, 1, 2));
}

TEST(BuiltinFunctions, PowIsTheLibraryPower) {
    EXPECT_EQ(1024, mu::Pow(2, 10));
    EXPECT_TRUE(std::isnan(mu::Pow(-8, 1.0 / 3)));
    EXPECT_EQ(kInf, mu::Pow(0, -1));
}

TEST(BuiltinFunctions, DegreesUndoesRadians) {
    EXPECT_NEAR(90, mu::Degrees(mu::Radians(90)), 1e-13);
}

} // namespace
