// Whole numbers in base 16, 2 and 8 (0x1F, 0b1011, 0o17) through the standard parser, beside
// the decimal literals whose reading must not change.
#include "Parser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <utility>

namespace {

using enginetest::Evaluate;

__extension__ typedef unsigned __int128 Wide;

struct LiteralCase {
    const char* name;
    std::string expr;
    double expected;
};

void PrintTo(const LiteralCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class BasedLiteral : public testing::TestWithParam<LiteralCase> {};

TEST_P(BasedLiteral, ReadsItsValue) {
    EXPECT_EQ(Evaluate(GetParam().expr), GetParam().expected) << GetParam().expr;
}

const LiteralCase kLiteralCases[] = {
    {"hex", "0x1F", 31},
    {"hex_upper_prefix", "0X1f", 31},
    {"hex_zero", "0x0", 0},
    {"binary", "0b1011", 11},
    {"binary_upper_prefix", "0B1", 1},
    {"octal", "0o17", 15},
    {"octal_upper_prefix", "0O777", 511},
    {"hex_e_is_a_digit", "0x1e5", 485},
    {"in_an_expression", "2*0x10+0b1", 33},
    {"before_a_factorial", "0b11!", 6},
    {"after_a_tab", "\t0x10", 16},
    {"largest_exact", "0x1FFFFFFFFFFFFF", 9007199254740991.0},
    {"tie_to_even_down", "0x20000000000001", 9007199254740992.0},
    {"tie_to_even_up", "0x20000000000003", 9007199254740996.0},
    // (2^53 + 1) * 2^68 + 1: past the tie, so rounded up.
    {"sticky_breaks_the_tie", "0x20000000000001" + std::string(16, '0') + "1",
     std::ldexp(1.0, 121) + std::ldexp(1.0, 69)},
    {"beyond_64_bits", "0xFFFFFFFFFFFFFFFFF", std::ldexp(1.0, 68)},
    {"largest_double", "0xFFFFFFFFFFFFF8" + std::string(242, '0'),
     std::ldexp(9007199254740991.0, 971)},
    // What the decimal reader and the word operators made of these texts before stays.
    {"zero_xor", "0xor1", 1},
    {"zero_or", "0or1", 1},
    {"decimal_leading_zero", "010", 10},
    {"decimal_point", "0.5", 0.5},
    {"decimal_exponent_mark_alone", "1e+", 1},
};

INSTANTIATE_TEST_SUITE_P(Parser, BasedLiteral, testing::ValuesIn(kLiteralCases),
                         [](const testing::TestParamInfo<LiteralCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

struct BadLiteralCase {
    const char* name;
    const char* expr;
    mu::EParseError code;
    int position;
    const char* token;
};

void PrintTo(const BadLiteralCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class BadBasedLiteral : public testing::TestWithParam<BadLiteralCase> {};

TEST_P(BadBasedLiteral, IsAnErrorWithTheOffendingText) {
    const BadLiteralCase& c = GetParam();
    try {
        Evaluate(c.expr);
        ADD_FAILURE() << c.expr;
    } catch (const mu::ParserError& e) {
        EXPECT_EQ(e.code(), c.code);
        EXPECT_EQ(e.position(), c.position);
        EXPECT_EQ(e.token(), c.token);
    }
}

const BadLiteralCase kBadCases[] = {
    {"prefix_alone", "0x", mu::peUNKNOWN_TOKEN, 0, "0x"},
    {"binary_digit_out_of_base", "0b2", mu::peUNKNOWN_TOKEN, 0, "0b2"},
    {"octal_digit_out_of_base", "0o8", mu::peUNKNOWN_TOKEN, 0, "0o8"},
    {"hex_with_point", "0x1.5", mu::peUNKNOWN_TOKEN, 0, "0x1.5"},
    {"hex_running_into_a_name", "1+0x1g", mu::peUNKNOWN_TOKEN, 2, "0x1g"},
    {"value_after_value", "2 0x1F", mu::peUNEXPECTED_VALUE, 2, "0x1F"},
};

INSTANTIATE_TEST_SUITE_P(Parser, BadBasedLiteral, testing::ValuesIn(kBadCases),
                         [](const testing::TestParamInfo<BadLiteralCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

TEST(BadBasedLiteral, BeyondTheDoubleRange) {
    const std::string sLiteral = "0x1" + std::string(256, '0');
    try {
        Evaluate(sLiteral);
        ADD_FAILURE();
    } catch (const mu::ParserError& e) {
        EXPECT_EQ(e.code(), mu::peUNKNOWN_TOKEN);
        EXPECT_EQ(e.token(), sLiteral);
    }
}

// Random 64-bit and 128-bit numbers in all three bases read as the C conversion of the integer
// rounds them.
TEST(BasedLiteral, RoundsAsTheIntegerConversion) {
    std::mt19937_64 random(23);
    for (int i = 0; i < 5000; ++i) {
        const int iBits = 1 + static_cast<int>(random() % 128);
        Wide iValue = (static_cast<Wide>(random()) << 64) | random();
        if (iBits < 128) {
            iValue &= (static_cast<Wide>(1) << iBits) - 1;
        }
        const double fExpected = static_cast<double>(iValue);
        for (const auto& [szPrefix, iDigitBits] :
             {std::pair<const char*, int>{"0x", 4}, {"0b", 1}, {"0o", 3}}) {
            std::string sDigits;
            Wide iRest = iValue;
            do {
                sDigits.insert(
                    sDigits.begin(),
                    "0123456789ABCDEF"[static_cast<int>(iRest & ((1U << iDigitBits) - 1))]);
                iRest >>= iDigitBits;
            } while (iRest != 0);
            const std::string sLiteral = szPrefix + sDigits;
            ASSERT_EQ(Evaluate(sLiteral), fExpected) << sLiteral;
        }
    }
}

} // namespace
