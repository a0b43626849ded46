#ifndef MU_DATE_FUNCTIONS_H
#define MU_DATE_FUNCTIONS_H

// The date functions of the standard parser. A date travels through
// expressions as a double whose decimal digits read yyyyMMdd (20091124 is
// 24 November 2009). None of the functions fails: an impossible date decodes
// to an invalid QDate, which counts as day -2415019 and encodes as 0.

#include <QDate>

namespace mu {

// The first eight characters of the number's fixed-point text ("%.6f") read
// as year (4), month (2) and day (2); a piece that is no integer gives 0.
QDate DecodeDate(double a_fDate);
// "yyyyMMdd" read as an integer; 0 for an invalid date or a text past int.
double EncodeDate(const QDate& a_Date);

// Days since 30 December 1899 (which is day 0).
double DateValue(double a_fDate);
// DateValue(b) - DateValue(a).
double DayDiff(double a_fDateA, double a_fDateB);
// Calendar months from a to b; the day of month plays no part.
double MonthDiff(double a_fDateA, double a_fDateB);
// Calendar years from a to b; month and day play no part.
double YearDiff(double a_fDateA, double a_fDateB);
// The current local date, encoded.
double Today();
// The date plus a count of days, months or years, the count truncated toward
// zero to a 32-bit int (NaN counts as 0, values beyond the range saturate);
// a day past the end of the target month becomes its last day.
double DayAdd(double a_fDate, double a_fCount);
double MonthAdd(double a_fDate, double a_fCount);
double YearAdd(double a_fDate, double a_fCount);
// 30/360 day count from a to b on the digits of the two numbers.
double Days360(double a_fDateA, double a_fDateB);

} // namespace mu

#endif // MU_DATE_FUNCTIONS_H
