#include "LineEvaluator.h"

#include "IncrementalEvaluation.h"

#include <QStringTokenizer>

LineEvaluator::LineEvaluator(const QMap<QString, QString>& table, const RunOptions& runOptions)
    : langTable(table), options(runOptions) {}

LineResults LineEvaluator::evaluate(const QString& script) const {
    IncrementalEvaluation evaluation(langTable, options);
    int lineCount = 0;
    // Lines are viewed in place: a long script pays no allocation per line.
    for (const QStringView text : QStringTokenizer(script, u'\n')) {
        ++lineCount;
        evaluation.addLine(text);
    }
    return evaluation.results(lineCount);
}

QString lineErrorMessage(const RunResult& failed, const QMap<QString, QString>& langTable) {
    const QString format = langTable.value(QStringLiteral("IDS_ERROR_LINE"));
    if (!format.contains(QLatin1String("%2")))
        return failed.text;
    // One pass, so a "%" in the message is never taken for a marker.
    return format.arg(QString::number(failed.line), failed.text);
}

QString undefinedNamesText(const QStringList& names, const QMap<QString, QString>& langTable) {
    if (names.isEmpty())
        return QString();
    return langTable.value(QStringLiteral("IDS_UNDEFINED_NAMES"))
        .arg(names.join(QStringLiteral(", ")));
}
