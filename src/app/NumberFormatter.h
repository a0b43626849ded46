#pragma once

#include <QMap>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// Every text that the program writes for a value: for people (the result box,
// the per-line column, the unit page) in the digits they chose, and for a
// round trip (tooltip, clipboard, --raw, the unit page's insertion). All
// digits are the C library's in the "C" locale, whatever the process locale,
// exact ties rounded to even as printf rounds them.

// How many digits a value is shown with.
struct ResultDigits {
    enum Style {
        Standard,    // "%.8f" for 1 <= |v| < 1e8, else "%g"; the unit page: "%g"
        Significant, // "%.<count>g"
        Shortest,    // the fewest digits that read back as the same double
    };
    Style style = Standard;
    int count = 0; // Significant only: 1 to maxCount

    static constexpr int maxCount = 17;

    static constexpr ResultDigits standard() { return {}; }
    static constexpr ResultDigits significant(int n) { return {Significant, n}; }
    static constexpr ResultDigits shortest() { return {Shortest, 0}; }

    // "standard", "shortest" or the count: the spelling of the settings file
    // and of the command line.
    QString name() const;
    // The setting a name spells; none for anything else.
    static std::optional<ResultDigits> fromName(QStringView name);

    friend constexpr bool operator==(ResultDigits, ResultDigits) = default;
};

// The choices the window offers, in menu order.
inline constexpr std::array<ResultDigits, 6> offeredDigits{
    ResultDigits::standard(),      ResultDigits::significant(6),  ResultDigits::significant(10),
    ResultDigits::significant(12), ResultDigits::significant(15), ResultDigits::shortest(),
};

class NumberFormatter {
public:
    explicit NumberFormatter(ResultDigits digits = {}) : shown(digits) {}

    ResultDigits digits() const { return shown; }

    // The result box's text, and each line's in the column: an infinity as the
    // infinity sign U+221E (after a minus sign when negative), NaN as
    // notANumber. Standard drops the trailing zeros and point of "%.8f".
    QString resultText(double value, const QString& notANumber) const;
    // The unit page's converted value; Standard is "%g". inf, -inf and nan
    // are written in lower case.
    QString unitText(double value) const;

    // "%.17g": enough digits for every double to read back unchanged; every
    // NaN is "nan".
    static QString roundTripText(double value);
    // The fewest significant digits that read back as the same double, laid
    // out as roundTripText lays them out (fixed notation for decimal exponents
    // -4 to 16): 0.1, 1.609344, 1.8446744073709552e+19, 5e-324.
    static QString shortestText(double value);

private:
    QString finiteText(double value) const;

    ResultDigits shown;
};

// The result box's text in the standard digits, NaN as the table's
// "IDS_CALC_ERROR" text.
QString formatResult(double value, const QMap<QString, QString>& langTable);
// Every "INF", in any case, becomes the infinity sign U+221E.
QString postProcessResult(const QString& text);
