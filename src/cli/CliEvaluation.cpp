#include "CliEvaluation.h"

#include "LineEvaluator.h"
#include "NumberFormatter.h"
#include "ScriptRunner.h"
#include "UndefinedNameWatch.h"

#include <sstream>

namespace {

CliOutput failure(const RunResult& result) {
    // The message is one line even when a table text holds line breaks.
    QString message = result.text;
    message.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    CliOutput output;
    output.exitCode = exitScriptError;
    output.err = message + QLatin1Char('\n') +
                 QStringLiteral("error: line=%1 code=%2 pos=%3 key=%4 token=%5\n")
                     .arg(result.line)
                     .arg(result.code)
                     .arg(result.position)
                     .arg(result.key, result.token);
    return output;
}

} // namespace

CliOutput evaluateScript(const QString& script, const QMap<QString, QString>& langTable, bool raw,
                         bool dump, const RunOptions& options, bool strict) {
    UndefinedNameWatch watch(strict);
    ScriptRun run(langTable, &watch, 0, options);
    run.addLines(script);
    return finishedRunOutput(run, watch, langTable, raw, dump);
}

CliOutput finishedRunOutput(ScriptRun& run, const UndefinedNameWatch& watch,
                            const QMap<QString, QString>& langTable, bool raw, bool dump) {
    std::ostringstream bytecode;
    const RunResult result = run.finish(dump ? &bytecode : nullptr);
    if (!result.ok)
        return failure(result);
    CliOutput output;
    // A definition has no value to write in full: its signature stands either way.
    output.out =
        (raw && !result.definition ? NumberFormatter::roundTripText(result.value) : result.text) +
        QLatin1Char('\n');
    if (dump)
        output.out += QString::fromStdString(bytecode.str());
    // The line the window shows under the editor.
    if (!watch.names().isEmpty())
        output.err = undefinedNamesText(watch.names(), langTable) + QLatin1Char('\n');
    return output;
}
