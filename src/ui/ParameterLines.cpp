#include "ParameterLines.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QRegularExpression& parameterPattern() {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*=\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)\s*$)"));
    return pattern;
}

// Any assignment "name = ..." (but not "name == ..."): the name it assigns.
QString assignedName(QStringView text) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*=(?!=))"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

std::optional<ParameterLine> readParameterLine(QStringView text, int line) {
    const QRegularExpressionMatch match = parameterPattern().match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = match.captured(2).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return ParameterLine{match.captured(1), line, int(match.capturedStart(2)),
                         int(match.capturedLength(2)), value};
}

QList<ParameterLine> parameterLines(const QString& script, const QStringList& readNames) {
    // The last assignment of each name read, parameter line or not.
    QHash<QString, int> lastAssignment;
    const QList<QStringView> lines = QStringView(script).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = assignedName(lines[i]);
        if (!name.isEmpty() && readNames.contains(name))
            lastAssignment.insert(name, i);
    }
    QList<int> lineNumbers = lastAssignment.values();
    std::sort(lineNumbers.begin(), lineNumbers.end());
    QList<ParameterLine> found;
    for (const int i : lineNumbers)
        if (std::optional<ParameterLine> parameter = readParameterLine(lines[i], i))
            found.append(*parameter);
    return found;
}

QString parameterText(double value, double step) {
    // From 1e15 on the fixed notation would spell out the binary digits of a huge number: the
    // exponent notation keeps the digits the step resolves.
    if (std::abs(value) >= 1e15 && std::isfinite(value) && step > 0 && std::isfinite(step)) {
        const int digits =
            int(std::floor(std::log10(std::abs(value)))) - int(std::floor(std::log10(step))) + 1;
        return QString::number(value, 'g', std::clamp(digits, 1, 17));
    }
    const int decimals =
        step > 0 && std::isfinite(step) ? std::clamp(int(std::ceil(-std::log10(step))), 0, 15) : 6;
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}
