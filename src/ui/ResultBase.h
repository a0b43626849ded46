#pragma once

#include <QString>

// The result box's text after a base conversion: shown + " -->> " + the
// shown number in base, all in upper case.
//
// The number is shown read as a decimal 32-bit integer; anything else (a
// fraction, an exponent, an infinity sign, an error text, an out-of-range
// value) counts as 0. In base 10 a negative number keeps its minus sign; in
// any other base it is written as its 64-bit two's-complement pattern, so -1
// in base 16 is FFFFFFFFFFFFFFFF. A base outside 2..36 has no digits to write
// with and is taken as 10.
QString resultInBase(const QString& shown, int base);
