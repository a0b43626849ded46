// The trigonometric built-ins in degrees: exact values at whole multiples, the inverses' exact
// degrees, atan2's quadrants and axes, NaN and infinities; the C library's values elsewhere; and
// radians, the default, giving the C library's values bit for bit.
#include "Parser.h"
#include "TestParser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>

namespace {

using enginetest::kInf;
using enginetest::kNaN;

double Evaluate(const std::string& a_sExpr, mu::AngleUnit a_eUnit) {
    mu::Parser parser;
    parser.SetAngleUnit(a_eUnit);
    parser.SetExpression(a_sExpr);
    return parser.Evaluate();
}

using enginetest::SameBits;

struct ValueCase {
    const char* name;
    const char* expr;
    double expected;
};

void PrintTo(const ValueCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class DegreeFunction : public testing::TestWithParam<ValueCase> {};

TEST_P(DegreeFunction, GivesTheExactValue) {
    const ValueCase& c = GetParam();
    const double fVal = Evaluate(c.expr, mu::AngleUnit::Degrees);
    EXPECT_TRUE(SameBits(c.expected, fVal)) << c.expr << " gave " << fVal;
}

const ValueCase kValueCases[] = {
    {"sin_zero", "sin(0)", 0},
    {"sin_negative_zero", "sin(-0)", -0.0},
    {"sin_30", "sin(30)", 0.5},
    {"sin_90", "sin(90)", 1},
    {"sin_150", "sin(150)", 0.5},
    {"sin_180", "sin(180)", 0},
    {"sin_210", "sin(210)", -0.5},
    {"sin_270", "sin(270)", -1},
    {"sin_360", "sin(360)", 0},
    {"sin_minus_30", "sin(-30)", -0.5},
    {"sin_turns_and_30", "sin(36030)", 0.5},
    {"sin_inf", "sin(1/0)", kNaN},
    {"sin_nan", "sin(0/0)", kNaN},
    {"cos_zero", "cos(0)", 1},
    {"cos_60", "cos(60)", 0.5},
    {"cos_90", "cos(90)", 0},
    {"cos_120", "cos(120)", -0.5},
    {"cos_180", "cos(180)", -1},
    {"cos_270", "cos(270)", 0},
    {"cos_300", "cos(300)", 0.5},
    {"cos_minus_60", "cos(-60)", 0.5},
    {"cos_minus_inf", "cos(-1/0)", kNaN},
    {"tan_45", "tan(45)", 1},
    {"tan_135", "tan(135)", -1},
    {"tan_minus_45", "tan(-45)", -1},
    {"tan_225", "tan(225)", 1},
    {"tan_180", "tan(180)", 0},
    {"tan_90", "tan(90)", kInf},
    {"tan_nan", "tan(0/0)", kNaN},
    {"sec_60", "sec(60)", 2},
    {"sec_180", "sec(180)", -1},
    {"csc_30", "csc(30)", 2},
    {"csc_270", "csc(270)", -1},
    {"cot_45", "cot(45)", 1},
    {"cot_90", "cot(90)", 0},
    {"cot_135", "cot(135)", -1},
    {"asin_half", "asin(0.5)", 30},
    {"asin_minus_one", "asin(-1)", -90},
    {"asin_out_of_range", "asin(2)", kNaN},
    {"acos_half", "acos(0.5)", 60},
    {"acos_minus_half", "acos(-0.5)", 120},
    {"acos_zero", "acos(0)", 90},
    {"acos_minus_one", "acos(-1)", 180},
    {"acos_one", "acos(1)", 0},
    {"atan_one", "atan(1)", 45},
    {"atan_minus_inf", "atan(-1/0)", -90},
    {"atan_nan", "atan(0/0)", kNaN},
    {"atan2_first_quadrant", "atan2(1,1)", 45},
    {"atan2_second_quadrant", "atan2(2,-2)", 135},
    {"atan2_third_quadrant", "atan2(-3,-3)", -135},
    {"atan2_fourth_quadrant", "atan2(-1,1)", -45},
    {"atan2_positive_y_axis", "atan2(5,0)", 90},
    {"atan2_negative_y_axis", "atan2(-5,0)", -90},
    {"atan2_negative_x_axis", "atan2(0,-1)", 180},
    {"atan2_negative_x_axis_below", "atan2(-0,-1)", -180},
    {"atan2_positive_x_axis", "atan2(0,1)", 0},
    {"atan2_y_inf", "atan2(1/0,-7)", 90},
    {"atan2_x_minus_inf", "atan2(1,-1/0)", 180},
    {"atan2_x_minus_inf_below", "atan2(-1,-1/0)", -180},
    {"atan2_both_inf", "atan2(-1/0,-1/0)", -135},
    {"atan2_nan", "atan2(0/0,1)", kNaN},
    {"degrees_unchanged", "degrees(radians(90))", 90},
};

INSTANTIATE_TEST_SUITE_P(Parser, DegreeFunction, testing::ValuesIn(kValueCases),
                         [](const testing::TestParamInfo<ValueCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

// Away from the exact multiples, the C library's value at the converted angle; the reference's own
// conversion rounds, hence the tolerance.
TEST(DegreeFunctions, AgreeWithTheCLibrary) {
    constexpr double kPerDegree = std::numbers::pi / 180;
    for (double fDeg = -725.3; fDeg < 725; fDeg += 3.7) {
        const std::string sArg = "(" + std::to_string(fDeg) + ")";
        const double fArg = std::stod(std::to_string(fDeg));
        if (std::fmod(fArg, 45) == 0) {
            continue; // the exact table's
        }
        const double fRadArg = fArg * kPerDegree;
        EXPECT_NEAR(std::sin(fRadArg), Evaluate("sin" + sArg, mu::AngleUnit::Degrees), 1e-14)
            << fDeg;
        EXPECT_NEAR(std::cos(fRadArg), Evaluate("cos" + sArg, mu::AngleUnit::Degrees), 1e-14)
            << fDeg;
        const double fTan = std::tan(fRadArg);
        EXPECT_NEAR(fTan, Evaluate("tan" + sArg, mu::AngleUnit::Degrees),
                    1e-13 * std::max(1.0, fTan * fTan))
            << fDeg;
    }
    for (double fVal = -0.99; fVal < 1; fVal += 0.07) {
        const std::string sArg = "(" + std::to_string(fVal) + ")";
        const double fArg = std::stod(std::to_string(fVal));
        EXPECT_NEAR(std::asin(fArg) / kPerDegree, Evaluate("asin" + sArg, mu::AngleUnit::Degrees),
                    1e-12);
        EXPECT_NEAR(std::acos(fArg) / kPerDegree, Evaluate("acos" + sArg, mu::AngleUnit::Degrees),
                    1e-12);
        EXPECT_NEAR(
            std::atan2(fArg, -0.3) / kPerDegree,
            Evaluate("atan2" + sArg.substr(0, sArg.size() - 1) + ",-0.3)", mu::AngleUnit::Degrees),
            1e-12);
    }
}

// Radians, set or by default, are the C library's functions themselves.
TEST(DegreeFunctions, RadiansAreUnchanged) {
    for (const double fVal : {-2.5, -0.0, 0.3, 1.0, 7.0}) {
        const std::string sArg = "(" + std::to_string(fVal) + ")";
        const double fArg = std::stod(std::to_string(fVal));
        const struct {
            const char* name;
            double expected;
        } kCalls[] = {
            {"sin", std::sin(fArg)},     {"cos", std::cos(fArg)},     {"tan", std::tan(fArg)},
            {"sec", 1 / std::cos(fArg)}, {"csc", 1 / std::sin(fArg)}, {"cot", 1 / std::tan(fArg)},
            {"asin", std::asin(fArg)},   {"acos", std::acos(fArg)},   {"atan", std::atan(fArg)}};
        for (const auto& call : kCalls) {
            const std::string sExpr = call.name + sArg;
            mu::Parser byDefault;
            byDefault.SetExpression(sExpr);
            EXPECT_TRUE(SameBits(call.expected, byDefault.Evaluate())) << sExpr;
            mu::Parser switchedBack;
            switchedBack.SetAngleUnit(mu::AngleUnit::Degrees);
            switchedBack.SetAngleUnit(mu::AngleUnit::Radians);
            switchedBack.SetExpression(sExpr);
            EXPECT_TRUE(SameBits(call.expected, switchedBack.Evaluate())) << sExpr;
        }
    }
}

} // namespace
