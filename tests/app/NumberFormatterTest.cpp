// The texts of a value in every digits setting, checked against the C
// library: printf writes the expected digits and strtod reads texts back.
#include "NumberFormatter.h"
#include "TestSupport.h"

#include <QLocale>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

const QString kNotANumber = QStringLiteral("not a number");
constexpr double kInf = std::numeric_limits<double>::infinity();

// printf in the "C" locale, whatever the process locale is.
std::string cPrintf(const char* format, int precision, double value) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const locale_t previous = uselocale(c);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    uselocale(previous);
    freelocale(c);
    return buffer;
}

double cStrtod(const std::string& text) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const locale_t previous = uselocale(c);
    const double value = std::strtod(text.c_str(), nullptr);
    uselocale(previous);
    freelocale(c);
    return value;
}

bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The significant digits of a text in "%g" form.
int significantDigits(const std::string& text) {
    std::string digits;
    for (const char c : text.substr(0, text.find('e')))
        if (c >= '0' && c <= '9')
            digits += c;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 1;
    digits.erase(0, first);
    // Zeros before the point of a whole number count only when they carry value.
    if (text.find('.') == std::string::npos && text.find('e') == std::string::npos)
        digits.erase(digits.find_last_not_of('0') + 1);
    return int(digits.size());
}

// The fewest digits of "%.*e" that strtod reads back as value.
int fewestDigits(double value) {
    for (int digits = 1; digits < 17; ++digits)
        if (sameDouble(cStrtod(cPrintf("%.*e", digits - 1, value)), value))
            return digits;
    return 17;
}

struct DigitsRow {
    const char* name;
    double value;
    // The text in each setting, in offeredDigits order.
    const char* texts[offeredDigits.size()];
};

void PrintTo(const DigitsRow& row, std::ostream* os) {
    *os << row.name;
}

class DigitsTest : public testing::TestWithParam<DigitsRow> {};

TEST_P(DigitsTest, ResultTextInEverySetting) {
    const DigitsRow& row = GetParam();
    for (std::size_t i = 0; i < offeredDigits.size(); ++i)
        EXPECT_EQ(NumberFormatter(offeredDigits[i]).resultText(row.value, kNotANumber),
                  QString::fromUtf8(row.texts[i]))
            << offeredDigits[i].name().toStdString();
}

// clang-format off
const DigitsRow kDigitsRows[] = {
    //                                 standard        6               10                 12                   15                      shortest
    {"third",         1.0 / 3,        {"0.333333",     "0.333333",     "0.3333333333",    "0.333333333333",    "0.333333333333333",    "0.3333333333333333"}},
    {"sum_of_tenths", 0.1 + 0.2,      {"0.3",          "0.3",          "0.3",             "0.3",               "0.3",                  "0.30000000000000004"}},
    {"two_to_64",     0x1p64,         {"1.84467e+19",  "1.84467e+19",  "1.844674407e+19", "1.84467440737e+19", "1.84467440737096e+19", "1.8446744073709552e+19"}},
    {"minus_zero",    -0.0,           {"-0",           "-0",           "-0",              "-0",                "-0",                   "-0"}},
    {"min_subnormal", 0x1p-1074,      {"4.94066e-324", "4.94066e-324", "4.940656458e-324","4.94065645841e-324","4.94065645841247e-324","5e-324"}},
    {"max_subnormal", 0x0.fffffffffffffp-1022,
                                      {"2.22507e-308", "2.22507e-308", "2.225073859e-308","2.22507385851e-308","2.2250738585072e-308", "2.225073858507201e-308"}},
    {"ten_to_21",     1e21,           {"1e+21",        "1e+21",        "1e+21",           "1e+21",             "1e+21",                "1e+21"}},
    {"ten_to_16",     1e16,           {"1e+16",        "1e+16",        "1e+16",           "1e+16",             "1e+16",                "10000000000000000"}},
    {"ten_to_minus_7",1e-7,           {"1e-07",        "1e-07",        "1e-07",           "1e-07",             "1e-07",                "1e-07"}},
    {"ten_to_minus_4",1e-4,           {"0.0001",       "0.0001",       "0.0001",          "0.0001",            "0.0001",               "0.0001"}},
    {"fixed_range",   1.0 / 3 + 1,    {"1.33333333",   "1.33333",      "1.333333333",     "1.33333333333",     "1.33333333333333",     "1.3333333333333333"}},
    {"mile_in_km",    1.609344,       {"1.609344",     "1.60934",      "1.609344",        "1.609344",          "1.609344",             "1.609344"}},
    {"rounds_up",     999999.5,       {"999999.5",     "1e+06",        "999999.5",        "999999.5",          "999999.5",             "999999.5"}},
    {"nine_digits",   -123456789,     {"-1.23457e+08", "-1.23457e+08", "-123456789",      "-123456789",        "-123456789",           "-123456789"}},
    {"infinity",      kInf,           {"\u221E",       "\u221E",       "\u221E",          "\u221E",            "\u221E",               "\u221E"}},
    {"minus_infinity",-kInf,          {"-\u221E",      "-\u221E",      "-\u221E",         "-\u221E",           "-\u221E",              "-\u221E"}},
    {"nan",           std::nan(""),   {"not a number", "not a number", "not a number",    "not a number",      "not a number",         "not a number"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(NumberFormatter, DigitsTest, testing::ValuesIn(kDigitsRows), RowName());

// Random bit patterns cover every exponent, subnormals included.
std::vector<double> randomDoubles() {
    std::mt19937_64 bits(20261208);
    std::vector<double> values;
    while (values.size() < 20000) {
        const std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    // Powers of two have a narrower gap below them than above.
    for (int exponent = -1074; exponent <= 1023; ++exponent)
        values.push_back(std::ldexp(1.0, exponent));
    return values;
}

TEST(NumberFormatter, SignificantDigitsAreThoseOfPrintf) {
    for (const double value : randomDoubles())
        for (const int count : {6, 10, 12, 15}) {
            const NumberFormatter formatter(ResultDigits::significant(count));
            const std::string expected = cPrintf("%.*g", count, value);
            ASSERT_EQ(formatter.resultText(value, QString()).toStdString(), expected);
            ASSERT_EQ(formatter.unitText(value).toStdString(), expected);
        }
}

TEST(NumberFormatter, RoundTripAndUnitTextsAreThoseOfPrintf) {
    for (const double value : randomDoubles()) {
        ASSERT_EQ(NumberFormatter::roundTripText(value).toStdString(), cPrintf("%.*g", 17, value));
        ASSERT_EQ(NumberFormatter().unitText(value).toStdString(), cPrintf("%.*g", 6, value));
    }
}

// The fewest digits that read back, laid out where "%.17g" puts its point.
// Where the doubles on either side are equally far, the correctly rounded
// digits of printf are the closest candidates; below a power of two the gap is
// half as wide, and a shorter text than printf's may lie above the value.
TEST(NumberFormatter, ShortestReadsBackWithTheFewestDigits) {
    for (const double value : randomDoubles()) {
        const std::string text = NumberFormatter::shortestText(value).toStdString();
        ASSERT_TRUE(sameDouble(cStrtod(text), value)) << text;
        int binaryExponent = 0;
        if (std::frexp(std::fabs(value), &binaryExponent) == 0.5 &&
            std::fabs(value) > std::numeric_limits<double>::min())
            ASSERT_LE(significantDigits(text), fewestDigits(value)) << text;
        else
            ASSERT_EQ(significantDigits(text), fewestDigits(value)) << text;
        const bool exponent = cPrintf("%.*g", 17, value).find('e') != std::string::npos;
        ASSERT_EQ(text.find('e') != std::string::npos, exponent) << text;
    }
}

TEST(NumberFormatter, SpecialValuesForTheUnitPageAndRoundTrips) {
    for (const ResultDigits digits : offeredDigits) {
        const NumberFormatter formatter(digits);
        EXPECT_EQ(formatter.unitText(kInf), QStringLiteral("inf"));
        EXPECT_EQ(formatter.unitText(-kInf), QStringLiteral("-inf"));
        EXPECT_EQ(formatter.unitText(-std::nan("")), QStringLiteral("nan"));
    }
    EXPECT_EQ(NumberFormatter::roundTripText(-std::nan("")), QStringLiteral("nan"));
    EXPECT_EQ(NumberFormatter::roundTripText(-kInf), QStringLiteral("-inf"));
}

TEST(NumberFormatter, IgnoresTheDefaultLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const ResultDigits digits : offeredDigits)
        EXPECT_EQ(NumberFormatter(digits).resultText(2.5, QString()), QStringLiteral("2.5"));
    QLocale::setDefault(previous);
}

struct NameRow {
    const char* name;
    const char* text;
    std::optional<ResultDigits> digits;
};

void PrintTo(const NameRow& row, std::ostream* os) {
    *os << row.name;
}

class DigitsNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(DigitsNameTest, ReadsOnlyWhatItWrites) {
    const NameRow& row = GetParam();
    const auto digits = ResultDigits::fromName(QString::fromLatin1(row.text));
    EXPECT_EQ(digits, row.digits);
    if (digits) {
        EXPECT_EQ(digits->name(), QString::fromLatin1(row.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    NumberFormatter, DigitsNameTest,
    testing::Values(NameRow{"standard", "standard", ResultDigits::standard()},
                    NameRow{"shortest", "shortest", ResultDigits::shortest()},
                    NameRow{"ten", "10", ResultDigits::significant(10)},
                    NameRow{"one", "1", ResultDigits::significant(1)},
                    NameRow{"seventeen", "17", ResultDigits::significant(17)},
                    NameRow{"zero", "0", std::nullopt}, NameRow{"eighteen", "18", std::nullopt},
                    NameRow{"plus", "+6", std::nullopt}, NameRow{"minus", "-6", std::nullopt},
                    NameRow{"blank", " 6", std::nullopt}, NameRow{"empty", "", std::nullopt},
                    NameRow{"upper_case", "Shortest", std::nullopt}),
    RowName());

} // namespace
