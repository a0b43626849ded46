#include "ScriptRunner.h"
#include "TestSupport.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>

namespace {

struct FormatRow {
    const char* name;
    double value;
    QString expected;
};

void PrintTo(const FormatRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class FormatResultTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatResultTest, FormatsAsTheResultBoxShowsIt) {
    const LangMap table{{QStringLiteral("IDS_CALC_ERROR"), QStringLiteral("not a number")}};
    EXPECT_EQ(GetParam().expected, formatResult(GetParam().value, table));
}

const FormatRow kFormatRows[] = {
    {"whole_number", 3, QStringLiteral("3")},
    {"fraction_above_one", 2.5, QStringLiteral("2.5")},
    {"eight_decimals", 1.0 / 3 + 1, QStringLiteral("1.33333333")},
    {"minus_one", -1, QStringLiteral("-1")},
    {"below_one_six_digits", 2.0 / 3, QStringLiteral("0.666667")},
    {"zero", 0, QStringLiteral("0")},
    {"minus_half", -0.5, QStringLiteral("-0.5")},
    {"tiny", 1e-20, QStringLiteral("1e-20")},
    {"nine_digits", 123456789, QStringLiteral("1.23457e+08")},
    {"exactly_1e8", 100000000, QStringLiteral("1e+08")},
    {"just_below_1e8", 99999999.5, QStringLiteral("99999999.5")},
    {"large_negative", -123456789, QStringLiteral("-1.23457e+08")},
    {"fixed_negative", -12.125, QStringLiteral("-12.125")},
    {"rounds_to_whole", 2.000000001, QStringLiteral("2")},
    {"general_tie_to_even", 1.0 / 512, QStringLiteral("0.00195312")},
    {"exponent_tie_to_even", 100000500, QStringLiteral("1e+08")},
    {"fixed_tie_to_even", 1 + 1.0 / 512, QStringLiteral("1.00195312")},
    {"fixed_tie_odd_rounds_up", 1 + 3.0 / 512, QStringLiteral("1.00585938")},
    {"negative_zero", -0.0, QStringLiteral("-0")},
    {"infinity", std::numeric_limits<double>::infinity(), kInfinity},
    {"minus_infinity", -std::numeric_limits<double>::infinity(), QStringLiteral("-") + kInfinity},
    {"nan", std::numeric_limits<double>::quiet_NaN(), QStringLiteral("not a number")},
};

INSTANTIATE_TEST_SUITE_P(ScriptRunner, FormatResultTest, testing::ValuesIn(kFormatRows), RowName());

TEST(FormatResult, NanWithoutTableTextIsEmpty) {
    EXPECT_EQ(QString(), formatResult(std::nan(""), LangMap()));
}

TEST(FormatResult, IgnoresTheDefaultLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(QStringLiteral("2.5"), formatResult(2.5, LangMap()));
    EXPECT_EQ(QStringLiteral("0.25"), formatResult(0.25, LangMap()));
    QLocale::setDefault(previous);
}

TEST(PostProcessResult, ReplacesInfInAnyCase) {
    EXPECT_EQ(kInfinity, postProcessResult(QStringLiteral("inf")));
    EXPECT_EQ(QStringLiteral("-") + kInfinity, postProcessResult(QStringLiteral("-INF")));
    EXPECT_EQ(kInfinity + QStringLiteral(" ") + kInfinity,
              postProcessResult(QStringLiteral("Inf iNf")));
    EXPECT_EQ(QStringLiteral("1.5"), postProcessResult(QStringLiteral("1.5")));
}

struct MessageRow {
    const char* name;
    QString format;
    QString token;
    QString expected;
};

void PrintTo(const MessageRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class FormatErrorMessageTest : public testing::TestWithParam<MessageRow> {};

TEST_P(FormatErrorMessageTest, SubstitutesOnlyTheFirstStringConversion) {
    EXPECT_EQ(GetParam().expected, formatErrorMessage(GetParam().format, GetParam().token));
}

const MessageRow kMessageRows[] = {
    {"one_conversion", QStringLiteral("Unknown \"%s\"."), QStringLiteral("foo"),
     QStringLiteral("Unknown \"foo\".")},
    {"empty_token", QStringLiteral("At \"%s\"."), QString(), QStringLiteral("At \"\".")},
    {"hostile_conversions_kept", QStringLiteral("%n%s%d%%"), QStringLiteral("x"),
     QStringLiteral("%nx%d%%")},
    {"no_conversion", QStringLiteral("Syntax error"), QStringLiteral("x"),
     QStringLiteral("Syntax error")},
    {"second_conversion_kept", QStringLiteral("%s and %s"), QStringLiteral("x"),
     QStringLiteral("x and %s")},
    {"percent_percent_s_is_not_a_conversion", QStringLiteral("100%%s %s"), QStringLiteral("x"),
     QStringLiteral("100%%s x")},
    {"trailing_percent", QStringLiteral("%s 50%"), QStringLiteral("x"), QStringLiteral("x 50%")},
    {"token_with_conversions_not_expanded", QStringLiteral("[%s]"), QStringLiteral("%s%n"),
     QStringLiteral("[%s%n]")},
    {"percent_before_wide_character", QStringLiteral("%\u00e9%s"), QStringLiteral("x"),
     QStringLiteral("%\u00e9x")},
    {"chinese_format", QStringLiteral("\u65e0\u6cd5\u8bc6\u522b\u7684\u7b26\u53f7\u201c%s\u201d"),
     QStringLiteral("\u00e9"),
     QStringLiteral("\u65e0\u6cd5\u8bc6\u522b\u7684\u7b26\u53f7\u201c\u00e9\u201d")},
};

INSTANTIATE_TEST_SUITE_P(ScriptRunner, FormatErrorMessageTest, testing::ValuesIn(kMessageRows),
                         RowName());

TEST(FormatErrorMessage, HugeTokenIsCutToTheBuffer) {
    const QString token(1000000, QLatin1Char('a'));
    const QString message = formatErrorMessage(QStringLiteral("<%s>"), token);
    EXPECT_EQ(2047, message.toUtf8().size());
    EXPECT_TRUE(message.startsWith(QStringLiteral("<aaaa")));
}

TEST(FormatErrorMessage, CutNeverSplitsACharacter) {
    // Three UTF-8 bytes each: 2047 is no multiple of 3, so a character straddles the limit.
    const QString token(5000, QChar(0x20AC));
    const QString message = formatErrorMessage(QStringLiteral("%s"), token);
    EXPECT_EQ(2046, message.toUtf8().size());
    EXPECT_EQ(QString(682, QChar(0x20AC)), message);
}

TEST(FormatErrorMessage, HugeFormatIsCutToTheBuffer) {
    const QString format = QString(3000, QChar(0x00E9)) + QStringLiteral("%s");
    const QString message = formatErrorMessage(format, QStringLiteral("x"));
    EXPECT_EQ(2046, message.toUtf8().size());
    EXPECT_EQ(QString(1023, QChar(0x00E9)), message);
}

} // namespace
