#pragma once

#include "NumberFormatter.h"

#include <QLocale>
#include <QString>

// The arithmetic and the texts of the unit page, apart from its widgets.

// The value typed into edit_1: read in the given (system) locale's notation,
// then in C's; anything else is 0. Digit grouping never counts, so under a
// locale that groups with "." the text 0.001 stays a thousandth and 1.000 is 1.
double unitInputValue(const QString& text, const QLocale& system);

// value in a unit of factor `from` expressed in a unit of factor `to` (a factor
// being how many of the unit make the kind's reference amount): value * to /
// from, multiplied first. A zero `from` gives an infinity, or NaN for 0.
double convertUnitValue(double value, double from, double to);
// The same for units with offsets (unit.xml's "offset"): value plus fromOffset
// is converted as above, and toOffset is taken off the result. Both offsets 0
// give exactly the conversion above, a negative zero included.
double convertUnitValue(double value, double from, double to, double fromOffset, double toOffset);

// In the standard digits, six significant digits in C's %g form: fixed
// notation for decimal exponents -4 to 5, else an exponent of at least two
// digits (1e+06, 1e-05); no trailing zeros or point; inf, -inf and nan in
// lower case.
QString unitValueText(double value, ResultDigits digits = {});

// The value that the OK button inserts into the script: the fewest digits that
// read back as the same double (1.609344, not 1.6093440000000001), in C
// notation. Empty for an infinity or NaN, which no script can read back.
QString unitValueInsertText(double value);

// Whether a value inserted right after previous would glue onto a number, a
// name or a closing bracket, so that a "*" must go first.
bool needsTimesBefore(QChar previous);
