// The functions added to the first vocabulary (round ... clamp) and the postfix "!", through the
// standard parser: values against the C library, exact integers and closed forms; and the rule
// that keeps scripts using their names as variables reading as before.
#include "BuiltinFunctionTable.h"
#include "BuiltinFunctions.h"
#include "Parser.h"
#include "TestParser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <numeric>
#include <ostream>
#include <random>
#include <string>

namespace {

using enginetest::Evaluate;
using enginetest::kInf;
using enginetest::kNaN;

using enginetest::SameBits;

struct ValueCase {
    const char* name;
    const char* expr;
    double expected;
};

void PrintTo(const ValueCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class EverydayFunction : public testing::TestWithParam<ValueCase> {};

TEST_P(EverydayFunction, GivesTheExactValue) {
    const ValueCase& c = GetParam();
    const double fVal = Evaluate(c.expr);
    EXPECT_TRUE(SameBits(c.expected, fVal)) << c.expr << " gave " << fVal;
}

// Expected values are the C library's own results, exact integers or closed forms.
const ValueCase kValueCases[] = {
    {"round_half_away_from_zero", "round(2.5)", 3},
    {"round_negative_half", "round(-2.5)", -3},
    {"round_negative_small", "round(-0.4)", -0.0},
    {"round_largest_below_half", "round(0.49999999999999994)", 0},
    {"round_inf", "round(-1/0)", -kInf},
    {"round_nan", "round(0/0)", kNaN},
    {"round2_shown_decimal", "round(2.675,2)", 2.68},
    {"round2_shown_decimal_1005", "round(1.005,2)", 1.01},
    {"round2_negative", "round(-1.005,2)", -1.01},
    {"round2_below_half", "round(1.0049,2)", 1.0},
    {"round2_no_digits", "round(2.5,0)", 3},
    {"round2_tens", "round(1250,-2)", 1300},
    {"round2_all_digits_dropped", "round(0.004,2)", 0},
    {"round2_negative_to_zero", "round(-0.004,2)", -0.0},
    {"round2_carry", "round(9.995,2)", 10},
    {"round2_more_digits_than_shown", "round(0.1,15)", 0.1},
    {"round2_huge", "round(1e300,2)", 1e300},
    {"round2_tiny", "round(1e-300,15)", 0},
    {"round2_digits_not_whole", "round(2.5,0.5)", kNaN},
    {"round2_digits_too_many", "round(2.5,16)", kNaN},
    {"round2_digits_too_few", "round(2.5,-16)", kNaN},
    {"round2_inf", "round(1/0,2)", kInf},
    {"round2_nan", "round(0/0,2)", kNaN},
    {"floor", "floor(-2.5)", -3},
    {"floor_negative_zero", "floor(-0)", -0.0},
    {"ceil", "ceil(-2.5)", -2},
    {"ceil_to_negative_zero", "ceil(-0.5)", -0.0},
    {"trunc", "trunc(-2.7)", -2},
    {"trunc_inf", "trunc(1/0)", kInf},
    {"frac", "frac(-2.5)", -0.5},
    {"frac_whole", "frac(3)", 0},
    {"frac_inf", "frac(1/0)", kNaN},
    {"mod_sign_of_x", "mod(-7,3)", -1},
    {"mod_negative_divisor", "mod(7,-3)", 1},
    {"mod_fraction", "mod(5.5,2)", 1.5},
    {"mod_by_zero", "mod(1,0)", kNaN},
    {"mod_of_inf", "mod(1/0,2)", kNaN},
    {"mod_by_inf", "mod(2,1/0)", 2},
    {"cbrt_negative", "cbrt(-8)", -2},
    {"cbrt_inf", "cbrt(-1/0)", -kInf},
    {"root_odd_of_negative", "root(-27,3)", -3},
    {"root_fifth", "root(243,5)", 3},
    {"root_fifth_of_negative", "root(-32,5)", -2},
    {"root_even_of_negative", "root(-16,4)", kNaN},
    {"root_square", "root(2,2)", std::sqrt(2.0)},
    {"root_first", "root(-5,1)", -5},
    {"root_negative_degree", "root(8,-3)", 0.5},
    {"root_degree_not_whole", "root(8,0.5)", kNaN},
    {"root_degree_zero", "root(8,0)", kNaN},
    {"root_of_inf", "root(1/0,4)", kInf},
    {"root_nan", "root(0/0,3)", kNaN},
    {"exp2", "exp2(10)", 1024},
    {"exp2_negative_inf", "exp2(-1/0)", 0},
    {"log1p_tiny", "log1p(1e-20)", 1e-20},
    {"log1p_minus_one", "log1p(-1)", -kInf},
    {"log1p_outside_domain", "log1p(-2)", kNaN},
    {"expm1_tiny", "expm1(1e-20)", 1e-20},
    {"expm1_negative_inf", "expm1(-1/0)", -1},
    {"hypot", "hypot(3,4)", 5},
    {"hypot_no_overflow", "hypot(3e300,4e300)", 5e300},
    {"hypot_inf_beats_nan", "hypot(1/0,0/0)", kInf},
    {"atan2_quadrant", "atan2(1,-1)", std::atan2(1.0, -1.0)},
    {"atan2_negative_zero", "atan2(-0,-1)", -std::atan2(0.0, -1.0)},
    {"sec", "sec(0)", 1},
    {"sec_value", "sec(1)", 1 / std::cos(1.0)},
    {"csc", "csc(1)", 1 / std::sin(1.0)},
    {"csc_pole", "csc(0)", kInf},
    {"cot", "cot(1)", 1 / std::tan(1.0)},
    {"cot_pole_negative", "cot(-0)", -kInf},
    {"erf", "erf(0.5)", std::erf(0.5)},
    {"erf_inf", "erf(-1/0)", -1},
    {"erfc", "erfc(0.5)", std::erfc(0.5)},
    {"erfc_large", "erfc(30)", 0},
    {"gamma_whole", "gamma(5)", 24},
    {"gamma_half", "gamma(0.5)", std::tgamma(0.5)},
    {"gamma_pole", "gamma(-1)", kNaN},
    {"gamma_negative_zero", "gamma(-0)", -kInf},
    {"gcd", "gcd(12,18)", 6},
    {"gcd_negative", "gcd(-12,18)", 6},
    {"gcd_zero", "gcd(0,5)", 5},
    {"gcd_zeros", "gcd(0,0)", 0},
    {"gcd_huge", "gcd(2^60,3*2^55)", 36028797018963968.0},
    {"gcd_not_whole", "gcd(1.5,3)", kNaN},
    {"gcd_inf", "gcd(1/0,3)", kNaN},
    {"lcm", "lcm(4,6)", 12},
    {"lcm_negative", "lcm(-4,6)", 12},
    {"lcm_zero", "lcm(0,6)", 0},
    {"lcm_not_whole", "lcm(4,0.5)", kNaN},
    {"ncr", "ncr(52,5)", 2598960},
    {"ncr_below_2_53", "ncr(56,28)", 7648690600760440.0},
    {"ncr_none", "ncr(5,0)", 1},
    {"ncr_more_than_n", "ncr(5,6)", 0},
    {"ncr_negative_k", "ncr(5,-1)", 0},
    {"ncr_negative_n", "ncr(-5,2)", kNaN},
    {"ncr_not_whole", "ncr(5.5,2)", kNaN},
    {"ncr_overflow", "ncr(2000,1000)", kInf},
    {"ncr_huge_n", "ncr(1e300,2)", kInf},
    {"npr", "npr(10,3)", 720},
    {"npr_all", "npr(20,20)", 2432902008176640000.0},
    {"npr_none", "npr(7,0)", 1},
    {"npr_more_than_n", "npr(3,4)", 0},
    {"npr_not_whole", "npr(3,0.5)", kNaN},
    {"npr_overflow", "npr(1000,500)", kInf},
    {"clamp_inside", "clamp(5,0,10)", 5},
    {"clamp_below", "clamp(-5,0,10)", 0},
    {"clamp_above", "clamp(15,0,10)", 10},
    {"clamp_empty_range", "clamp(5,10,0)", kNaN},
    {"clamp_nan", "clamp(5,0/0,10)", kNaN},
    {"clamp_inf", "clamp(-1/0,0,10)", 0},
    {"factorial", "5!", 120},
    {"factorial_of_bracket", "(2+1)!", 6},
    {"factorial_of_factorial", "(3!)!", 720},
    {"factorial_binds_before_power", "2^3!", 64},
    {"factorial_binds_before_sign", "-3!", -6},
    {"factorial_then_operator", "3!+1", 7},
    {"factorial_is_fac", "5.9!", 120},
    {"factorial_overflow", "171!", kInf},
    {"not_equal_stays", "5!=5", 0},
    {"not_equal_stays_spaced", "5 != 4", 1},
    {"pow_agrees_with_square", "458656324^2-pow(458656324,2)", 0},
    {"pow_square_rounded", "pow(458656324,2)", 210365623545192976.0},
    {"rint_negative_zero", "rint(-0)", 0},
    {"rint_negative_fraction", "rint(-0.3)", 0},
};

INSTANTIATE_TEST_SUITE_P(Parser, EverydayFunction, testing::ValuesIn(kValueCases),
                         [](const testing::TestParamInfo<ValueCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

// Variables of a script, made when a name is first met, as the application makes them.
double* MakeVariable(const char*, void* a_pUserData) {
    return &static_cast<std::deque<double>*>(a_pUserData)->emplace_back(0.0);
}

// Every name added after the first vocabulary is a function only before "(": a script that
// assigns and reads it as a variable reads as before, and a call works with or without blanks.
TEST(CallOnlyNames, AreVariablesUnlessCalled) {
    int iCallOnly = 0;
    for (const mu::BuiltinFunction& row : mu::BuiltinFunctionTable()) {
        if (!row.m_bCallOnly) {
            continue;
        }
        ++iCallOnly;
        const std::string sName = row.m_szName;
        std::deque<double> vStore;
        mu::Parser parser;
        parser.SetVariableFactory(MakeVariable, &vStore);
        for (const auto& [sExpr, fExpected] : {std::pair<std::string, double>{sName + "=3", 3},
                                               {sName + "+1", 4},
                                               {"2*" + sName, 6},
                                               {sName + " =" + sName + "*2", 6},
                                               {sName, 6}}) {
            parser.SetExpression(sExpr);
            EXPECT_EQ(parser.Evaluate(), fExpected) << sExpr;
        }
        // A call, with any argument count the function takes.
        std::string sCall = sName + " (1";
        for (int i = 1; i < row.m_iArgc; ++i) {
            sCall += ",1";
        }
        parser.SetExpression(sCall + ")");
        EXPECT_NO_THROW(parser.Evaluate()) << sCall;
    }
    EXPECT_EQ(iCallOnly, 24);
}

// The first vocabulary keeps its reading: a name alone is a function that lacks its brackets.
TEST(CallOnlyNames, FirstVocabularyStaysFunctions) {
    for (const mu::BuiltinFunction& row : mu::BuiltinFunctionTable()) {
        if (row.m_bCallOnly) {
            continue;
        }
        mu::Parser parser;
        parser.SetExpression(std::string(row.m_szName) + "+1");
        try {
            parser.Evaluate();
            ADD_FAILURE() << row.m_szName;
        } catch (const mu::ParserError& e) {
            EXPECT_EQ(e.code(), mu::peUNEXPECTED_OPERATOR) << row.m_szName;
        }
    }
}

// round(x, n) against decimal arithmetic on the digits: a random decimal of at most 15
// significant digits reads back from its shortest text, so the expected value is the integer
// rounding of those digits, converted by the C library.
TEST(RoundToDecimals, AgreesWithIntegerRoundingOfTheDigits) {
    std::mt19937_64 random(17);
    for (int i = 0; i < 20000; ++i) {
        const auto iDigits = static_cast<int>(random() % 15) + 1;
        std::int64_t iMantissa = static_cast<std::int64_t>(random() % 1000000000000000ULL);
        for (int j = iDigits; j < 15; ++j) {
            iMantissa /= 10;
        }
        if (random() % 2 == 0) {
            iMantissa = -iMantissa;
        }
        const int iScale = static_cast<int>(random() % 20) - 4; // x = mantissa * 10^-scale
        const int iDecimals = static_cast<int>(random() % 31) - 15;
        char acText[64];
        std::snprintf(acText, sizeof(acText), "%llde%d", static_cast<long long>(iMantissa),
                      -iScale);
        const double fX = std::strtod(acText, nullptr);
        double fExpected = fX;
        if (iDecimals < iScale) {
            // Dropping 16 digits or more leaves 0: the mantissa is below 10^15.
            const int iDropped = iScale - iDecimals;
            std::int64_t iKept = 0;
            if (iDropped <= 15) {
                std::int64_t iUnit = 1;
                for (int j = 0; j < iDropped; ++j) {
                    iUnit *= 10;
                }
                const std::int64_t iMagnitude = iMantissa < 0 ? -iMantissa : iMantissa;
                iKept = iMagnitude / iUnit + (2 * (iMagnitude % iUnit) >= iUnit ? 1 : 0);
            }
            std::snprintf(acText, sizeof(acText), "%s%llde%d", iMantissa < 0 ? "-" : "",
                          static_cast<long long>(iKept), -iDecimals);
            fExpected = std::strtod(acText, nullptr);
        }
        const double fRounded = mu::Round2(fX, iDecimals);
        ASSERT_EQ(fRounded, fExpected) << acText << " x=" << fX << " n=" << iDecimals;
    }
}

// ncr, npr, gcd and lcm against exact integer arithmetic: exact below 2^53 and, where the
// integers still fit 128 bits, the double nearest to the exact value.
__extension__ typedef unsigned __int128 Wide;

TEST(IntegerFunctions, AgreeWithExactIntegers) {
    Wide aaPascal[101][101] = {};
    for (int n = 0; n <= 100; ++n) {
        aaPascal[n][0] = 1;
        for (int k = 1; k <= n; ++k) {
            aaPascal[n][k] = aaPascal[n - 1][k - 1] + aaPascal[n - 1][k];
        }
    }
    for (int n = 0; n <= 100; ++n) {
        Wide iFalling = 1;
        bool bFits = true;
        for (int k = 0; k <= n; ++k) {
            ASSERT_EQ(mu::NCr(n, k), static_cast<double>(aaPascal[n][k])) << n << " " << k;
            if (bFits) {
                ASSERT_EQ(mu::NPr(n, k), static_cast<double>(iFalling)) << n << " " << k;
            }
            const Wide iFactor = static_cast<Wide>(n - k);
            bFits = bFits && iFactor != 0 && iFalling <= ~Wide{0} / iFactor;
            iFalling *= iFactor;
        }
    }
    std::mt19937_64 random(5);
    for (int i = 0; i < 20000; ++i) {
        const auto iA =
            static_cast<std::int64_t>(random() % (std::uint64_t{1} << 40)) - (1LL << 39);
        const auto iB = static_cast<std::int64_t>(random() % 100000) * (i % 7 + 1);
        const std::int64_t iGcd = std::gcd(iA, iB);
        ASSERT_EQ(mu::Gcd(static_cast<double>(iA), static_cast<double>(iB)),
                  static_cast<double>(iGcd));
        const Wide iLcm = iGcd == 0
                              ? 0
                              : static_cast<Wide>(iA < 0 ? -iA : iA) / static_cast<Wide>(iGcd) *
                                    static_cast<Wide>(iB < 0 ? -iB : iB);
        ASSERT_EQ(mu::Lcm(static_cast<double>(iA), static_cast<double>(iB)),
                  static_cast<double>(iLcm))
            << iA << " " << iB;
    }
}

// n! is exact while the double holds it (to 22!).
TEST(Factorial, IsExactWhileItFits) {
    Wide iProduct = 1;
    for (int n = 0; n <= 22; ++n) {
        iProduct *= static_cast<Wide>(n == 0 ? 1 : n);
        ASSERT_EQ(Evaluate(std::to_string(n) + "!"), static_cast<double>(iProduct)) << n;
    }
}

// A real root raised to its degree gives x back within the roundings of both steps, and a
// whole root comes out exact.
TEST(Root, InvertsThePower) {
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        const double fN = static_cast<double>(random() % 12 + 1);
        const double fX = std::ldexp(static_cast<double>(random() % 1000000 + 1), // positive
                                     static_cast<int>(random() % 200) - 100);
        const double fRoot = mu::Root(fX, fN);
        ASSERT_NEAR(std::pow(fRoot, fN) / fX, 1.0, 4e-16 * (fN + 1)) << fX << " " << fN;
        if (static_cast<int>(fN) % 2 == 1) {
            ASSERT_EQ(mu::Root(-fX, fN), -fRoot);
        }
    }
    for (int iBase = 2; iBase <= 40; ++iBase) {
        double fPower = iBase;
        for (int n = 2; fPower * iBase < 9007199254740992.0; ++n) {
            fPower *= iBase;
            ASSERT_EQ(mu::Root(fPower, n), iBase) << iBase << "^" << n;
        }
    }
}

// The exact square of a whole number rounded to the nearest double, ties to even.
double RoundedSquare(std::uint64_t a_iX) {
    Wide iSquare = static_cast<Wide>(a_iX) * a_iX;
    int iShift = 0;
    while ((iSquare >> iShift) >= (Wide{1} << 53)) {
        ++iShift;
    }
    if (iShift == 0) {
        return static_cast<double>(static_cast<std::uint64_t>(iSquare));
    }
    const Wide iKept = iSquare >> iShift;
    const Wide iRest = iSquare - (iKept << iShift);
    const Wide iHalf = Wide{1} << (iShift - 1);
    Wide iRounded = iKept;
    if (iRest > iHalf || (iRest == iHalf && (iKept & 1) != 0)) {
        ++iRounded;
    }
    return std::ldexp(static_cast<double>(static_cast<std::uint64_t>(iRounded)), iShift);
}

// pow(x, 2) and x^2 are one operation, the correctly rounded square, on every path, whether the
// exponent is folded or read from a variable. Odd whole numbers between 2^26.5 and 2^27 have a
// square exactly halfway between two doubles: the ties.
TEST(Square, PowAndPowerAgreeOnTies) {
    double a = 0, b = 2;
    mu::Parser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    std::mt19937_64 random(9);
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t iX = i == 0 ? 458656324 : (94906267 + 2 * (random() % 19655730)); // odd
        a = static_cast<double>(iX);
        const double fExpected = RoundedSquare(iX);
        for (const char* szExpr : {"pow(a,2)", "a^2", "pow(a,b)", "a^b"}) {
            parser.SetExpression(szExpr);
            parser.Evaluate();
            ASSERT_EQ(parser.Evaluate(), fExpected) << szExpr << " a=" << iX;
        }
        ASSERT_EQ(Evaluate("pow(" + std::to_string(iX) + ",2)"), fExpected) << iX;
    }
}

} // namespace
