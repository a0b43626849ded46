#include "NumberFormatter.h"

#include "CommonFun.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int generalDigits = 6;
constexpr int fixedDecimals = 8;
constexpr int roundTripDigits = 17;
// The first |value| that the standard rule writes with "%g" again.
constexpr double fixedLimit = 1e8;

// Room for "%.8f" of any value below 1e8 and for any "%g" or "%e".
using Buffer = std::array<char, 64>;

QString latin1(const char* begin, const char* end) {
    return QString::fromLatin1(begin, end - begin);
}

// std::to_chars writes as printf does in the "C" locale, whatever the process
// locale, and rounds exact ties to even as the C library does.
QString cFormatted(double value, std::chars_format format, int precision) {
    Buffer buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (error != std::errc())
        return QString();
    return latin1(buffer.data(), end);
}

QString standardResult(double value) {
    const bool fixed = std::fabs(value) < fixedLimit && (value <= -1 || value >= 1);
    if (!fixed)
        return cFormatted(value, std::chars_format::general, generalDigits);
    const CommonFun fun;
    const QString text = cFormatted(value, std::chars_format::fixed, fixedDecimals);
    return fun.trimTrailing(fun.trimTrailing(text, QLatin1Char('0')), QLatin1Char('.'));
}

// digits (no point, no trailing zeros) times 10^exponent, as "%g" lays it out
// for a precision of roundTripDigits.
QString laidOut(bool negative, std::string_view digits, int exponent) {
    QString text;
    if (negative)
        text += QLatin1Char('-');
    const auto digitsText = [](std::string_view part) {
        return QLatin1String(part.data(), qsizetype(part.size()));
    };
    if (exponent < -4 || exponent >= roundTripDigits) {
        text += QLatin1Char(digits.front());
        if (digits.size() > 1)
            text += QLatin1Char('.') + digitsText(digits.substr(1));
        const int magnitude = std::abs(exponent);
        text += QLatin1String(exponent < 0 ? "e-" : "e+");
        if (magnitude < 10)
            text += QLatin1Char('0');
        return text + QString::number(magnitude);
    }
    if (exponent < 0)
        return text + QLatin1String("0.") + QString(-exponent - 1, QLatin1Char('0')) +
               digitsText(digits);
    const auto whole = std::size_t(exponent) + 1;
    if (digits.size() <= whole)
        return text + digitsText(digits) + QString(qsizetype(whole - digits.size()), '0');
    return text + digitsText(digits.substr(0, whole)) + QLatin1Char('.') +
           digitsText(digits.substr(whole));
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
}

} // namespace

QString ResultDigits::name() const {
    switch (style) {
    case Standard:
        return QStringLiteral("standard");
    case Shortest:
        return QStringLiteral("shortest");
    case Significant:
        break;
    }
    return QString::number(count);
}

std::optional<ResultDigits> ResultDigits::fromName(QStringView name) {
    if (name == QLatin1String("standard"))
        return standard();
    if (name == QLatin1String("shortest"))
        return shortest();
    // Plain decimal digits only: no sign, blank or "+".
    for (const QChar c : name)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const int n = name.toInt(&ok);
    if (!ok || n < 1 || n > maxCount)
        return std::nullopt;
    return significant(n);
}

QString NumberFormatter::resultText(double value, const QString& notANumber) const {
    if (std::isnan(value))
        return notANumber;
    if (std::isinf(value))
        return postProcessResult(nonFiniteText(value));
    return shown.style == ResultDigits::Standard ? standardResult(value) : finiteText(value);
}

QString NumberFormatter::unitText(double value) const {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    if (shown.style == ResultDigits::Standard)
        return cFormatted(value, std::chars_format::general, generalDigits);
    return finiteText(value);
}

QString NumberFormatter::finiteText(double value) const {
    if (shown.style == ResultDigits::Shortest)
        return shortestText(value);
    return cFormatted(value, std::chars_format::general, shown.count);
}

QString NumberFormatter::roundTripText(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return cFormatted(value, std::chars_format::general, roundTripDigits);
}

QString NumberFormatter::shortestText(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    // Without a precision to_chars writes the shortest digits that read back
    // unchanged, as d.ddde+XX.
    Buffer buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                            std::fabs(value), std::chars_format::scientific);
    if (error != std::errc())
        return QString();
    const std::string_view text(buffer.data(), std::size_t(end - buffer.data()));
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, e));
    if (digits.size() > 1)
        digits.erase(1, 1);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    return laidOut(std::signbit(value), digits, exponent);
}

QString formatResult(double value, const QMap<QString, QString>& langTable) {
    return NumberFormatter().resultText(value, langTable.value(QStringLiteral("IDS_CALC_ERROR")));
}

QString postProcessResult(const QString& text) {
    QString result = text;
    return result.replace(QStringLiteral("INF"), QString(QChar(0x221E)), Qt::CaseInsensitive);
}
