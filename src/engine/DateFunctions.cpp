#include "DateFunctions.h"

#include "ParserDef.h"

#include <QString>

#include <algorithm>
#include <charconv>

namespace mu {

namespace {

// Julian day of 30 December 1899, day 0 of the day count. An invalid date
// counts as Julian day 0.
constexpr qint64 kOriginJulianDay = 2415019;

// Beyond this many years from year 0 every date encodes as 0 anyway (its
// "yyyyMMdd" text no longer fits an int), so the adding functions answer 0
// without asking QDate, whose year arithmetic would overflow.
constexpr qint64 kMaxAddedYear = 1000000;

double DayNumber(const QDate& a_Date) {
    const qint64 iJulianDay = a_Date.isValid() ? a_Date.toJulianDay() : 0;
    return static_cast<double>(iJulianDay - kOriginJulianDay);
}

bool IsAddableYear(qint64 a_iYear) {
    return a_iYear >= -kMaxAddedYear && a_iYear <= kMaxAddedYear;
}

// One field of the 30/360 text read as atoi would: optional blanks and sign,
// then digits; it ends at its last position or at the text's end mark.
int ReadDays360Field(const char* a_szText, int a_iStart, int a_iLength) {
    int i = a_iStart;
    const int iEnd = a_iStart + a_iLength;
    while (i < iEnd && a_szText[i] == ' ') {
        ++i;
    }
    bool bNegative = false;
    if (i < iEnd && (a_szText[i] == '+' || a_szText[i] == '-')) {
        bNegative = a_szText[i] == '-';
        ++i;
    }
    int iValue = 0;
    for (; i < iEnd && a_szText[i] >= '0' && a_szText[i] <= '9'; ++i) {
        iValue = iValue * 10 + (a_szText[i] - '0');
    }
    return bNegative ? -iValue : iValue;
}

struct Days360Date {
    int iYear, iMonth, iDay;
};

// The integer's decimal text written over "19000101" and ended right after
// it; characters of "19000101" past the end mark still count for the fields
// that start there.
Days360Date ReadDays360Date(double a_fDate) {
    char szText[9] = "19000101";
    char szDigits[16];
    const auto [pEnd, ec] =
        std::to_chars(szDigits, szDigits + sizeof szDigits, TruncateToInt32(a_fDate));
    const int iLength = (ec == std::errc()) ? static_cast<int>(pEnd - szDigits) : 0;
    std::copy_n(szDigits, std::min(iLength, 8), szText);
    if (iLength < 8) {
        szText[iLength] = '\0';
    }
    return {ReadDays360Field(szText, 0, 4), ReadDays360Field(szText, 4, 2),
            ReadDays360Field(szText, 6, 2)};
}

} // namespace

QDate DecodeDate(double a_fDate) {
    const QString sText = QStringLiteral("%1").arg(a_fDate, 0, 'f', 6);
    return QDate(sText.left(4).toInt(), sText.mid(4, 2).toInt(), sText.mid(6, 2).toInt());
}

double EncodeDate(const QDate& a_Date) {
    return a_Date.toString(QStringLiteral("yyyyMMdd")).toInt();
}

double DateValue(double a_fDate) {
    return DayNumber(DecodeDate(a_fDate));
}

double DayDiff(double a_fDateA, double a_fDateB) {
    return DayNumber(DecodeDate(a_fDateB)) - DayNumber(DecodeDate(a_fDateA));
}

double MonthDiff(double a_fDateA, double a_fDateB) {
    const QDate dateA = DecodeDate(a_fDateA);
    const QDate dateB = DecodeDate(a_fDateB);
    return (dateB.year() - dateA.year()) * 12 + (dateB.month() - dateA.month());
}

double YearDiff(double a_fDateA, double a_fDateB) {
    return DecodeDate(a_fDateB).year() - DecodeDate(a_fDateA).year();
}

double Today() {
    return EncodeDate(QDate::currentDate());
}

double DayAdd(double a_fDate, double a_fCount) {
    return EncodeDate(DecodeDate(a_fDate).addDays(TruncateToInt32(a_fCount)));
}

double MonthAdd(double a_fDate, double a_fCount) {
    const QDate date = DecodeDate(a_fDate);
    const int iCount = TruncateToInt32(a_fCount);
    if (!IsAddableYear(static_cast<qint64>(date.year()) + iCount / 12)) {
        return 0;
    }
    return EncodeDate(date.addMonths(iCount));
}

double YearAdd(double a_fDate, double a_fCount) {
    const QDate date = DecodeDate(a_fDate);
    const int iCount = TruncateToInt32(a_fCount);
    if (!IsAddableYear(static_cast<qint64>(date.year()) + iCount)) {
        return 0;
    }
    return EncodeDate(date.addYears(iCount));
}

double Days360(double a_fDateA, double a_fDateB) {
    const Days360Date a = ReadDays360Date(a_fDateA);
    const Days360Date b = ReadDays360Date(a_fDateB);
    return (b.iYear - a.iYear) * 360 + (b.iMonth - a.iMonth) * 30 + (b.iDay - a.iDay);
}

} // namespace mu
