#include "ResultFormat.h"

#include "CommonFun.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr int generalDigits = 6;
constexpr int fixedDecimals = 8;

// std::to_chars writes as printf does in the "C" locale, whatever the
// process locale, and rounds exact ties to even as the C library does.
QString cFormatted(double value, std::chars_format format, int precision) {
    // Enough for "%.8f" of any value below 1e8 and for any "%g".
    std::array<char, 64> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    if (error != std::errc())
        return QString();
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

} // namespace

QString formatResult(double value, const QMap<QString, QString>& langTable) {
    if (std::isnan(value))
        return langTable.value(QStringLiteral("IDS_CALC_ERROR"));
    const bool fixed = std::fabs(value) < 1e8 && (value <= -1 || value >= 1);
    QString text =
        postProcessResult(fixed ? cFormatted(value, std::chars_format::fixed, fixedDecimals)
                                : cFormatted(value, std::chars_format::general, generalDigits));
    if (fixed) {
        const CommonFun fun;
        text = fun.trimTrailing(fun.trimTrailing(text, QLatin1Char('0')), QLatin1Char('.'));
    }
    return text;
}

QString postProcessResult(const QString& text) {
    QString result = text;
    return result.replace(QStringLiteral("INF"), QString(QChar(0x221E)), Qt::CaseInsensitive);
}
