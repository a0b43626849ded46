#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The script lines a parameter slider may rewrite: "name = number" with a plain number (a sign,
// digits, a point, an exponent), blanks allowed around each part.
struct ParameterLine {
    QString name;
    int line = 0;         // 0-based
    int numberStart = 0;  // where the number's text starts in the line
    int numberLength = 0; // and how long it is
    double value = 0.0;
};

// The line read as a parameter line, or nothing.
std::optional<ParameterLine> readParameterLine(QStringView text, int line);

// For each name, the script line that gives it its final value, when that line (the last one
// assigning the name) is a parameter line; in the order of the lines. Only names in readNames
// count: the variables the shown functions read.
QList<ParameterLine> parameterLines(const QString& script, const QStringList& readNames);

// value as the script should show it on a slider whose steps are step wide: rounded to the step's
// digits, without trailing zeros, in the engine's notation ("." as the point).
QString parameterText(double value, double step);
