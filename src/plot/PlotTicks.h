#pragma once

#include <QList>
#include <QString>

struct PlotTick {
    double value;
    QString label; // the same for every locale: "." as decimal point, "-" as minus
};

// Ticks at 1, 2 or 5 times a power of ten, the finest step that keeps neighbouring ticks at
// least minSpacing pixels apart over a range spread over pixelLength pixels. Labels carry as
// many decimals as the step needs, switching to exponent form beyond 1e6 and below 1e-4; a
// tick within rounding of 0 is exactly 0.
QList<PlotTick> plotTicks(double min, double max, double pixelLength, double minSpacing = 60.0);

// The step plotTicks chooses.
double plotTickStep(double min, double max, double pixelLength, double minSpacing = 60.0);
