#include "ResultBase.h"

namespace {

constexpr int minBase = 2;
constexpr int maxBase = 36;
constexpr int decimalBase = 10;

} // namespace

QString resultInBase(const QString& shown, int base) {
    if (base < minBase || base > maxBase)
        base = decimalBase;
    const int n = shown.toInt(nullptr, decimalBase);
    const QString digits = base == decimalBase ? QString::number(qlonglong(n))
                                               : QString::number(qulonglong(qlonglong(n)), base);
    return (shown + QLatin1String(" -->> ") + digits).toUpper();
}
