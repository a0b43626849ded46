#include "CliEvaluation.h"

#include "LineEvaluator.h"
#include "ScriptRunner.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace {

// printf's "%.17g", independent of the process locale; every NaN is "nan".
QString rawValue(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

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
                         bool dump, bool strict) {
    ScriptRun run(langTable);
    run.setStrict(strict);
    run.addLines(script);
    return finishedRunOutput(run, langTable, raw, dump);
}

CliOutput finishedRunOutput(ScriptRun& run, const QMap<QString, QString>& langTable, bool raw,
                            bool dump) {
    std::ostringstream bytecode;
    const RunResult result = run.finish(dump ? &bytecode : nullptr);
    if (!result.ok)
        return failure(result);
    CliOutput output;
    output.out = (raw ? rawValue(result.value) : result.text) + QLatin1Char('\n');
    if (dump)
        output.out += QString::fromStdString(bytecode.str());
    // The line the window shows under the editor.
    if (!run.undefinedNames().isEmpty())
        output.err = undefinedNamesText(run.undefinedNames(), langTable) + QLatin1Char('\n');
    return output;
}
