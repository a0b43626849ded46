#include "LineEvaluator.h"

#include "NameReads.h"
#include "NumberFormatter.h"
#include "Parser.h"
#include "TypedText.h"
#include "VariableStore.h"

#include <QStringTokenizer>

#include <string>
#include <vector>

namespace {

// The names the engine meets for the first time while one line compiles, and the run's
// variables.
struct NewNames {
    std::vector<std::string> names;
    VariableStore variables;
};

double* recordingFactory(const char* a_szName, void* a_pUserData) {
    auto* met = static_cast<NewNames*>(a_pUserData);
    met->names.emplace_back(a_szName);
    return createVariable(a_szName, &met->variables);
}

} // namespace

LineEvaluator::LineEvaluator(const QMap<QString, QString>& table, const RunOptions& runOptions)
    : langTable(table), options(runOptions) {}

LineResults LineEvaluator::evaluate(const QString& script) const {
    LineResults results;
    const NumberFormatter formatter(options.digits);
    const QString notANumber = langTable.value(QStringLiteral("IDS_CALC_ERROR"));
    NewNames met;
    mu::Parser parser;
    parser.SetVariableFactory(recordingFactory, &met);
    const std::string& nameChars = parser.NameChars();
    double value = 0.0;
    int line = 0;
    // A name is met once per run, on the first line that holds it: if that
    // line reads it, nothing assigned it before.
    const auto collectReads = [&](const std::string& bytes) {
        for (const std::string& name : met.names)
            if (readsName(bytes, name, nameChars))
                results.undefinedNames.append(QString::fromLatin1(name));
        met.names.clear();
    };
    std::string bytes;
    for (const QStringView text : QStringTokenizer(script, u'\n')) {
        ++line;
        // The engine reads the line as the runner hands it over.
        toEngineText(text, bytes);
        try {
            parser.SetExpression(bytes);
            value = parser.Evaluate();
        } catch (const mu::ParserError& error) {
            collectReads(bytes);
            results.run = failedRun(error, line, text, langTable);
            results.texts.append(QString());
            break;
        }
        collectReads(bytes);
        results.texts.append(formatter.resultText(value, notANumber));
    }
    if (results.run.line == 0) {
        results.run.ok = true;
        results.run.value = value;
        results.run.text = results.texts.constLast();
    }
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
