#pragma once

#include <QString>

// The result box's text after a base conversion: shown + " -->> " + the run's
// value in base, all in upper case.
//
// The value is converted, not its text, so 2^31 (shown 2.14748e+09) is
// 80000000 in base 16. It must be a whole number within the 64-bit signed
// range; any other value (a fraction, an infinity, NaN, a larger magnitude)
// gets notWhole, the localized note that it is not a whole number in range,
// instead of digits. In base 10 a negative number keeps its minus sign; in any
// other base it is written as its 64-bit two's-complement pattern, so -1 in
// base 16 is FFFFFFFFFFFFFFFF. A base outside 2..36 has no digits to write
// with and is taken as 10.
QString resultInBase(const QString& shown, double value, int base, const QString& notWhole);
