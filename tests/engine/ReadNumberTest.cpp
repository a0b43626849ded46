#include "Parser.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>

namespace {

constexpr double kUntouched = -12345.5;
constexpr int kStart = 7;

struct NumberCase {
    const char* name;
    std::string text;
    bool accepted;
    double value;
    int consumed;
};

void PrintTo(const NumberCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class ReadNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsOrLeavesUntouched) {
    const NumberCase& c = GetParam();
    int iPos = kStart;
    double fVal = kUntouched;
    const int iResult = mu::Parser::ReadNumber(c.text.c_str(), &iPos, &fVal);
    if (c.accepted) {
        EXPECT_EQ(1, iResult);
        EXPECT_EQ(c.value, fVal);
        EXPECT_EQ(kStart + c.consumed, iPos);
    } else {
        EXPECT_EQ(0, iResult);
        EXPECT_EQ(kUntouched, fVal);
        EXPECT_EQ(kStart, iPos);
    }
}

const NumberCase kNumberCases[] = {
    {"integer", "42", true, 42, 2},
    {"integer_before_operator", "42+1", true, 42, 2},
    {"exponent", "3.5e2", true, 350, 5},
    {"exponent_with_plus", "2e+1", true, 20, 4},
    {"capital_exponent_negative", "1E-2", true, 0.01, 4},
    {"exponent_sign_without_digits", "2e+x", true, 2, 3},
    {"exponent_mark_alone", "1e", true, 1, 2},
    {"exponent_mark_and_sign", "1e+", true, 1, 3},
    {"second_exponent_ends", "1e5e3", true, 1e5, 3},
    {"trailing_point", "5.", true, 5, 2},
    {"leading_point", ".5", true, 0.5, 2},
    {"plus_sign", "+3", true, 3, 2},
    {"minus_sign", "-3", true, -3, 2},
    {"second_point_ends", "1.2.3", true, 1.2, 3},
    {"comma_ends", "12,5", true, 12, 2},
    {"no_hexadecimal", "0x10", true, 0, 1},
    {"letter_ends", "7abc", true, 7, 1},
    {"after_tab", "\t7", true, 7, 2},
    {"after_blanks_and_returns", " \r\v\f7", true, 7, 5},
    {"zero_with_huge_negative_exponent", "0e-999", true, 0, 6},
    {"largest_double", "1.7976931348623157e308", true, std::numeric_limits<double>::max(), 22},
    {"smallest_normal", "2.2250738585072014e-308", true, std::numeric_limits<double>::min(), 23},
    {"subnormal", "1e-310", true, 1e-310, 6},
    {"smallest_subnormal", "4.9e-324", true, std::numeric_limits<double>::denorm_min(), 8},
    {"many_leading_zeros", std::string(5000, '0') + "1", true, 1, 5001},
    {"many_fraction_digits", "0." + std::string(5000, '3'), true, 1.0 / 3, 5002},

    {"overflow", "1e999", false, 0, 0},
    {"negative_overflow", "-1e999", false, 0, 0},
    {"just_past_largest", "1.8e308", false, 0, 0},
    {"underflow", "1e-999", false, 0, 0},
    {"underflow_below_subnormals", "2e-324", false, 0, 0},
    {"many_digits_overflow", "1" + std::string(400, '0'), false, 0, 0},
    {"many_fraction_digits_underflow", "0." + std::string(400, '0') + "1", false, 0, 0},
    {"point_alone", ".", false, 0, 0},
    {"point_point", "..5", false, 0, 0},
    {"sign_alone", "-", false, 0, 0},
    {"plus_alone", "+", false, 0, 0},
    {"sign_then_point", "-.", false, 0, 0},
    {"empty", "", false, 0, 0},
    {"blank_only", " ", false, 0, 0},
    {"exponent_without_mantissa", "e5", false, 0, 0},
    {"point_exponent", ".e5", false, 0, 0},
    {"word_inf", "inf", false, 0, 0},
    {"word_nan", "nan", false, 0, 0},
    {"name", "x1", false, 0, 0},
    {"line_feed_ends_expression", "\n7", false, 0, 0},
    {"tab_then_line_feed", "\t\n7", false, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(ReadNumber, ReadNumberTest, testing::ValuesIn(kNumberCases),
                         [](const testing::TestParamInfo<NumberCase>& a_info) {
                             return std::string(a_info.param.name);
                         });

TEST(ReadNumber, LiteralAtEndOfTextIsRead) {
    const char szText[] = "1+25";
    int iPos = 2;
    double fVal = 0;
    ASSERT_EQ(1, mu::Parser::ReadNumber(szText + iPos, &iPos, &fVal));
    EXPECT_EQ(25, fVal);
    EXPECT_EQ(4, iPos);
}

// The token reader asks ReadNumber only at the bytes it declares: no literal may start elsewhere.
TEST(ReadNumber, AcceptsOnlyAtTheDeclaredFirstBytes) {
    const std::string sStart = mu::Parser::c_szNumberStart;
    for (int c = 1; c < 256; ++c) {
        for (const char* szRest : {"5", ".5", "5e1", " 5"}) {
            const std::string sText = std::string(1, static_cast<char>(c)) + szRest;
            int iPos = 0;
            double fVal = 0;
            if (mu::Parser::ReadNumber(sText.c_str(), &iPos, &fVal) == 1) {
                EXPECT_NE(sStart.find(static_cast<char>(c)), std::string::npos) << c;
            }
        }
    }
}

// Switches the process to a German locale, whose decimal separator is a
// comma, building it into a temporary folder when the machine lacks it.
class DecimalCommaLocale : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_pDir = new QTemporaryDir;
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
            ASSERT_TRUE(s_pDir->isValid());
            const QString sTarget = s_pDir->filePath(QStringLiteral("de_DE.UTF-8"));
            QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"),
                               QStringLiteral("-f"), QStringLiteral("UTF-8"), sTarget});
            setenv("LOCPATH", s_pDir->path().toLocal8Bit().constData(), 1);
            s_bSetLocPath = true;
        }
    }
    static void TearDownTestSuite() {
        std::setlocale(LC_ALL, "C");
        if (s_bSetLocPath)
            unsetenv("LOCPATH");
        delete s_pDir;
        s_pDir = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(nullptr, std::setlocale(LC_ALL, "de_DE.UTF-8"))
            << "the locale de_DE.UTF-8 could neither be found nor built with localedef";
        ASSERT_STREQ(",", std::localeconv()->decimal_point);
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

private:
    static inline QTemporaryDir* s_pDir = nullptr;
    static inline bool s_bSetLocPath = false;
};

TEST_F(DecimalCommaLocale, PointIsStillTheDecimalPoint) {
    // The process's own conversion now stops at the point.
    EXPECT_EQ(1.0, std::strtod("1.5", nullptr));

    int iPos = 0;
    double fVal = 0;
    ASSERT_EQ(1, mu::Parser::ReadNumber("1.5e1", &iPos, &fVal));
    EXPECT_EQ(15, fVal);
    EXPECT_EQ(5, iPos);
}

TEST_F(DecimalCommaLocale, CommaStillEndsANumber) {
    int iPos = 0;
    double fVal = 0;
    ASSERT_EQ(1, mu::Parser::ReadNumber("1,5", &iPos, &fVal));
    EXPECT_EQ(1, fVal);
    EXPECT_EQ(1, iPos);
}

} // namespace

namespace {

// Short decimal literals are converted without the C library; the value must be the library's
// to the last bit, the sign of zero included. Longer ones and exponents go to the library.
TEST(ReadNumberConversion, AgreesWithTheCLibraryBitForBit) {
    const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    ASSERT_NE(cLocale, locale_t(nullptr));
    std::uint64_t iState = 12345;
    const auto next = [&iState](int a_iBound) {
        iState = iState * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((iState >> 33) % static_cast<std::uint64_t>(a_iBound));
    };
    for (int i = 0; i < 200000; ++i) {
        std::string sText = next(8) == 0 ? "-" : (next(8) == 0 ? "+" : "");
        const int iDigits = 1 + next(21);
        const int iPoint = next(iDigits + 2) - 1; // -1: no point
        for (int d = 0; d < iDigits; ++d) {
            if (d == iPoint) {
                sText += '.';
            }
            sText += static_cast<char>('0' + (next(3) == 0 ? 0 : next(10)));
        }
        if (next(10) == 0) {
            sText += "e" + std::to_string(next(40) - 20);
        }
        int iPos = 0;
        double fVal = 0;
        ASSERT_EQ(mu::Parser::ReadNumber(sText.c_str(), &iPos, &fVal), 1) << sText;
        EXPECT_EQ(iPos, static_cast<int>(sText.size())) << sText;
        const double fLibrary = strtod_l(sText.c_str(), nullptr, cLocale);
        ASSERT_EQ(std::memcmp(&fVal, &fLibrary, sizeof(double)), 0)
            << sText << ": " << fVal << " vs " << fLibrary;
    }
    // Up to 19 digits the reader converts on its own; halfway between two doubles it must round
    // to even, and next to halfway it must not round twice.
    for (const char* szText : {"9007199254740993", "9007199254740995", "18014398509481986",
                               "18014398509481990", "1152921504606847104", "1152921504606847103",
                               "1152921504606847105", "0.9999999999999999999", "3.141592653589793",
                               "2.718281828459045", "1.797693134862315", "-4.940656458412465"}) {
        int iPos = 0;
        double fVal = 0;
        ASSERT_EQ(mu::Parser::ReadNumber(szText, &iPos, &fVal), 1) << szText;
        const double fLibrary = strtod_l(szText, nullptr, cLocale);
        EXPECT_EQ(std::memcmp(&fVal, &fLibrary, sizeof(double)), 0)
            << szText << ": " << fVal << " vs " << fLibrary;
    }
    freelocale(cLocale);
}

} // namespace
