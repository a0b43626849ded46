#include "ResultBase.h"

#include <cmath>

namespace {

constexpr int minBase = 2;
constexpr int maxBase = 36;
constexpr int decimalBase = 10;

// 2^63: the doubles from -2^63 up to but excluding this are the whole
// numbers that a 64-bit signed integer holds.
constexpr double int64Limit = 9223372036854775808.0;

bool isWholeInRange(double value) {
    return std::isfinite(value) && value == std::trunc(value) && value >= -int64Limit &&
           value < int64Limit;
}

} // namespace

QString resultInBase(const QString& shown, double value, int base, const QString& notWhole) {
    if (base < minBase || base > maxBase)
        base = decimalBase;
    QString converted = notWhole;
    if (isWholeInRange(value)) {
        const auto n = qlonglong(value);
        converted = base == decimalBase ? QString::number(n) : QString::number(qulonglong(n), base);
    }
    return (shown + QLatin1String(" -->> ") + converted).toUpper();
}
