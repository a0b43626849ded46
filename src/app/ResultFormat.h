#pragma once

#include <QMap>
#include <QString>

// The text of a finished run's value, as the result box shows it. The digits
// are the C library's ("%g", "%.8f" in the "C" locale), exact ties included:
// 1/512 is 0.00195312 and 100000500 is 1e+08.

// "%g" for |value| >= 1e8 and for -1 < value < 1, else "%.8f" without
// trailing zeros and point; infinities as the infinity sign; NaN as the
// table's "IDS_CALC_ERROR" text.
QString formatResult(double value, const QMap<QString, QString>& langTable);
// Every "INF", in any case, becomes the infinity sign U+221E.
QString postProcessResult(const QString& text);
