#include "PlotTicks.h"

#include <algorithm>
#include <cmath>

double plotTickStep(double min, double max, double pixelLength, double minSpacing) {
    const double span = max - min;
    if (!(span > 0.0) || !std::isfinite(span) || !(pixelLength > 0.0))
        return 0.0;
    // The smallest step a tick may have: minSpacing pixels in units.
    const double least = span * std::max(minSpacing, 1.0) / pixelLength;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double mantissa : {1.0, 2.0, 5.0, 10.0})
        if (mantissa * power >= least * (1.0 - 1e-12))
            return mantissa * power;
    return 10.0 * power;
}

namespace {

QString tickLabel(double value, double step) {
    if (value == 0.0)
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e6 || step < 1e-4) {
        // Enough significant digits to tell neighbouring ticks apart.
        const int digits = std::clamp(
            static_cast<int>(std::floor(std::log10(magnitude)) - std::floor(std::log10(step))) + 1,
            1, 17);
        return QString::number(value, 'g', digits);
    }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    return QString::number(value, 'f', decimals);
}

} // namespace

QList<PlotTick> plotTicks(double min, double max, double pixelLength, double minSpacing) {
    QList<PlotTick> ticks;
    const double step = plotTickStep(min, max, pixelLength, minSpacing);
    if (step == 0.0)
        return ticks;
    const double first = std::ceil(min / step - 1e-9);
    const double last = std::floor(max / step + 1e-9);
    if (!(last - first < 10000.0))
        return ticks;
    for (double k = first; k <= last; k += 1.0) {
        // k * step rather than adding steps up, so rounding does not accumulate; a tick within
        // rounding of 0 is 0 (never "-0" or "1e-17").
        double value = k * step;
        if (std::fabs(value) < step * 1e-9)
            value = 0.0;
        ticks.append({value, tickLabel(value, step)});
    }
    return ticks;
}
