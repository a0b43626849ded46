#include "LineEvaluator.h"

#include "NameReads.h"
#include "NumberFormatter.h"
#include "Parser.h"

#include <string>
#include <vector>

namespace {

// Keeps every line's text and the names read before any line assigned them. A name is met once
// per run, on the first line that holds it: if that line reads it, nothing assigned it before.
class LineCollector : public RunObserver {
public:
    LineCollector(LineResults& filled, const QMap<QString, QString>& table,
                  const std::string& chars, ResultDigits digits)
        : results(filled), notANumber(table.value(QStringLiteral("IDS_CALC_ERROR"))),
          nameChars(chars), formatter(digits) {}

    double* nameMet(const char* name) override {
        met.emplace_back(name);
        return nullptr;
    }
    void lineEvaluated(int, std::string_view engineText, double value) override {
        collectReads(engineText);
        results.texts.append(formatter.resultText(value, notANumber));
    }
    void lineFailed(const RunResult&, std::string_view engineText) override {
        collectReads(engineText);
        results.texts.append(QString());
    }

private:
    void collectReads(std::string_view engineText) {
        if (met.empty())
            return;
        const std::string text(engineText);
        for (const std::string& name : met)
            if (readsName(text, name, nameChars))
                results.undefinedNames.append(QString::fromLatin1(name));
        met.clear();
    }

    LineResults& results;
    const QString notANumber;
    const std::string& nameChars;
    const NumberFormatter formatter;
    std::vector<std::string> met;
};

// The engine's name characters, the same for every parser.
const std::string& engineNameChars() {
    static const std::string chars = mu::Parser().NameChars();
    return chars;
}

} // namespace

LineEvaluator::LineEvaluator(const QMap<QString, QString>& table, const RunOptions& runOptions)
    : langTable(table), options(runOptions) {}

LineResults LineEvaluator::evaluate(const QString& script) const {
    LineResults results;
    LineCollector collector(results, langTable, engineNameChars(), options.digits);
    ScriptRun run(langTable, &collector, 0, options);
    run.addLines(script);
    results.run = run.finish();
    // The lines after a failure did not run.
    const qsizetype lineCount = script.count(QLatin1Char('\n')) + 1;
    while (results.texts.size() < lineCount)
        results.texts.append(QString());
    return results;
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
