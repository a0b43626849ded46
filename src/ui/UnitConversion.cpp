#include "UnitConversion.h"

#include "NumberFormatter.h"
#include "UnitXmlReader.h"

#include <cmath>

double unitInputValue(const QString& text, const QLocale& system) {
    // The same rule as for the factors in unit.xml.
    return UnitXmlReader::toDouble(text, system);
}

double convertUnitValue(double value, double from, double to) {
    return value * to / from;
}

double convertUnitValue(double value, double from, double to, double fromOffset, double toOffset) {
    if (fromOffset == 0 && toOffset == 0)
        return convertUnitValue(value, from, to);
    return convertUnitValue(value + fromOffset, from, to) - toOffset;
}

QString unitValueText(double value, ResultDigits digits) {
    return NumberFormatter(digits).unitText(value);
}

QString unitValueInsertText(double value) {
    if (!std::isfinite(value))
        return QString();
    return NumberFormatter::shortestText(value);
}

bool needsTimesBefore(QChar previous) {
    return previous.isLetterOrNumber() || previous == QLatin1Char('_') ||
           previous == QLatin1Char(')');
}
