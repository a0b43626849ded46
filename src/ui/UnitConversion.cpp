#include "UnitConversion.h"

#include "UnitXmlReader.h"

namespace {

constexpr int shownDigits = 6;

} // namespace

double unitInputValue(const QString& text, const QLocale& system) {
    // The same rule as for the factors in unit.xml.
    return UnitXmlReader::toDouble(text, system);
}

double convertUnitValue(double value, double from, double to) {
    return value * to / from;
}

QString unitValueText(double value) {
    // QString::number uses the C notation whatever the locale, and writes the
    // special values and the exponent as %g does.
    return QString::number(value, 'g', shownDigits);
}
