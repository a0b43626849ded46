#include "UnitConversion.h"

#include "UnitXmlReader.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr int shownDigits = 6;
constexpr int insertedDigits = 17;

} // namespace

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

QString unitValueText(double value) {
    // QString::number uses the C notation whatever the locale, and writes the
    // special values and the exponent as %g does.
    return QString::number(value, 'g', shownDigits);
}

QString unitValueInsertText(double value) {
    if (!std::isfinite(value))
        return QString();
    // to_chars writes as printf's %.17g in the "C" locale, whatever the locale.
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, insertedDigits);
    if (error != std::errc())
        return QString();
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

bool needsTimesBefore(QChar previous) {
    return previous.isLetterOrNumber() || previous == QLatin1Char('_') ||
           previous == QLatin1Char(')');
}
