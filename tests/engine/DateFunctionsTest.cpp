#include "DateFunctions.h"
#include "TestParser.h"
#include "TestValues.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QDate>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

namespace {

using enginetest::kInf;
using enginetest::kNaN;

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr double kInvalidDay = -2415019;

struct DateValueCase {
    const char* name;
    double date;
    double expected;
};

void PrintTo(const DateValueCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class DateValueTest : public testing::TestWithParam<DateValueCase> {};

TEST_P(DateValueTest, CountsDaysFromOrigin) {
    EXPECT_EQ(GetParam().expected, mu::DateValue(GetParam().date));
}

const DateValueCase kDateValueCases[] = {
    {"origin", 18991230, 0},
    {"day_after_origin", 18991231, 1},
    {"first_of_1900", 19000101, 2},
    {"ordinary_date", 20091124, 40141},
    {"fraction_plays_no_part", 20091124.9, 40141},
    {"last_four_digit_year", 99991231, 2958465},
    {"thirtieth_of_february", 20090230, kInvalidDay},
    {"month_zero", 20090024, kInvalidDay},
    {"zero", 0, kInvalidDay},
    {"seven_digits", 2009112, kInvalidDay},
    {"negative", -5, kInvalidDay},
    {"huge", 1e300, kInvalidDay},
    {"largest_double", std::numeric_limits<double>::max(), kInvalidDay},
    {"subnormal", std::numeric_limits<double>::denorm_min(), kInvalidDay},
    {"nan", kNaN, kInvalidDay},
    {"inf", kInf, kInvalidDay},
    {"minus_inf", -kInf, kInvalidDay},
};

INSTANTIATE_TEST_SUITE_P(DateFunctions, DateValueTest, testing::ValuesIn(kDateValueCases),
                         enginetest::RowName());

struct BinaryCase {
    const char* name;
    double (*fn)(double, double);
    double a;
    double b;
    double expected;
};

void PrintTo(const BinaryCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class DateBinaryTest : public testing::TestWithParam<BinaryCase> {};

TEST_P(DateBinaryTest, GivesExpectedValue) {
    const BinaryCase& c = GetParam();
    EXPECT_EQ(c.expected, c.fn(c.a, c.b));
}

const BinaryCase kBinaryCases[] = {
    {"daydiff_forward", mu::DayDiff, 20090101, 20091231, 364},
    {"daydiff_backward", mu::DayDiff, 20091231, 20090101, -364},
    {"daydiff_from_invalid", mu::DayDiff, 20090230, 20090101, 39814 - kInvalidDay},
    {"monthdiff_ignores_day", mu::MonthDiff, 20090131, 20090201, 1},
    {"monthdiff_backward", mu::MonthDiff, 20091231, 20080101, -23},
    {"yeardiff_ignores_month_and_day", mu::YearDiff, 20091231, 20100101, 1},
    {"yeardiff_backward", mu::YearDiff, 20100101, 19991231, -11},

    {"dayadd_into_next_year", mu::DayAdd, 20091231, 1, 20100101},
    {"dayadd_truncates_positive_count", mu::DayAdd, 20091124, 1.9, 20091125},
    {"dayadd_truncates_negative_count", mu::DayAdd, 20091124, -1.9, 20091123},
    {"dayadd_into_five_digit_year", mu::DayAdd, 99991231, 1, 100000101},
    {"dayadd_invalid_start", mu::DayAdd, 20090230, 1, 0},
    {"dayadd_nan_count_is_zero", mu::DayAdd, 20091124, kNaN, 20091124},
    {"dayadd_huge_count", mu::DayAdd, 20091124, 1e300, 0},
    {"dayadd_huge_negative_count", mu::DayAdd, 20091124, -1e300, 0},
    {"dayadd_inf_count", mu::DayAdd, 20091124, kInf, 0},

    {"monthadd_clamps_to_month_end", mu::MonthAdd, 20090131, 1, 20090228},
    {"monthadd_leap_february", mu::MonthAdd, 20080131, 1, 20080229},
    {"monthadd_truncates_count", mu::MonthAdd, 20091124, -11.9, 20081224},
    {"monthadd_invalid_start", mu::MonthAdd, 20090230, 1, 0},
    {"monthadd_nan_count_is_zero", mu::MonthAdd, 20091124, kNaN, 20091124},
    {"monthadd_largest_encodable_year", mu::MonthAdd, 20091124, 12.0 * 200000, 2020091124},
    {"monthadd_year_past_int_text", mu::MonthAdd, 20091124, 12.0 * 214000, 0},
    {"monthadd_int_max", mu::MonthAdd, 20091124, kIntMax, 0},
    {"monthadd_int_min", mu::MonthAdd, 20091124, kIntMin, 0},
    {"monthadd_huge_count", mu::MonthAdd, 20091124, 1e300, 0},

    {"yearadd_leap_day_to_common_year", mu::YearAdd, 20080229, 1, 20090228},
    {"yearadd_leap_day_to_leap_year", mu::YearAdd, 20080229, 4, 20120229},
    {"yearadd_invalid_start", mu::YearAdd, 20090230, 1, 0},
    {"yearadd_largest_encodable_year", mu::YearAdd, 20091124, 200000, 2020091124},
    {"yearadd_year_past_int_text", mu::YearAdd, 20091124, 300000, 0},
    {"yearadd_int_max", mu::YearAdd, 20091124, kIntMax, 0},
    {"yearadd_int_min", mu::YearAdd, 20091124, kIntMin, 0},
    {"yearadd_huge_negative_count", mu::YearAdd, 20091124, -1e300, 0},

    {"days360_no_month_end_rule", mu::Days360, 20090131, 20090301, 30},
    {"days360_from_zero", mu::Days360, 0, 20091124, 723563},
    {"days360_to_zero", mu::Days360, 20091124, 0, -723563},
    {"days360_same_day", mu::Days360, 20090101, 20090101, 0},
    {"days360_truncates", mu::Days360, 20091124.7, 20091125, 1},
    {"days360_five_digits_keep_template_tail", mu::Days360, 0, 12345, 444360},
    {"days360_negative", mu::Days360, 0, -1, -360},
    {"days360_nine_digits_use_first_eight", mu::Days360, 0, 123456789, 445967},
    {"days360_huge_saturates", mu::Days360, 0, 1e300, 774365},
    {"days360_huge_negative_saturates", mu::Days360, 0, -3e9, -74768},
    {"days360_nan_reads_as_zero", mu::Days360, kNaN, 20091124, 723563},
};

INSTANTIATE_TEST_SUITE_P(DateFunctions, DateBinaryTest, testing::ValuesIn(kBinaryCases),
                         enginetest::RowName());

TEST(DateFunctions, DecodesTheFirstEightCharactersOfTheFixedText) {
    EXPECT_EQ(QDate(2009, 11, 24), mu::DecodeDate(20091124));
    EXPECT_EQ(QDate(1000, 1, 1), mu::DecodeDate(10000101.25));
    EXPECT_FALSE(mu::DecodeDate(-20091124).isValid());
}

TEST(DateFunctions, EncodesAsDigitsOrZero) {
    EXPECT_EQ(20091124, mu::EncodeDate(QDate(2009, 11, 24)));
    EXPECT_EQ(0, mu::EncodeDate(QDate()));
    EXPECT_EQ(0, mu::EncodeDate(QDate(5000000, 1, 1)));
}

class TodayTest : public testing::Test {
protected:
    void SetUp() override {
        const char* szOld = std::getenv("TZ");
        m_bHadTz = szOld != nullptr;
        if (m_bHadTz)
            m_sOldTz = szOld;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (m_bHadTz)
            setenv("TZ", m_sOldTz.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_bHadTz = false;
    std::string m_sOldTz;
};

TEST_F(TodayTest, IsTheCurrentDateEncoded) {
    const QDate before = QDate::currentDate();
    const double fToday = mu::Today();
    const QDate after = QDate::currentDate();
    const double fBefore = before.year() * 10000.0 + before.month() * 100 + before.day();
    const double fAfter = after.year() * 10000.0 + after.month() * 100 + after.day();
    EXPECT_TRUE(fToday == fBefore || fToday == fAfter) << fToday;
    EXPECT_GE(fToday, 10000000);
    EXPECT_LT(fToday, 100000000);
}

TEST_F(TodayTest, DateValueOfTodayIsTodaysDayNumber) {
    const QDate origin(1899, 12, 30);
    const double fBefore = origin.daysTo(QDate::currentDate());
    const double fDay = mu::DateValue(mu::Today());
    const double fAfter = origin.daysTo(QDate::currentDate());
    EXPECT_TRUE(fDay == fBefore || fDay == fAfter) << fDay;
}

} // namespace
