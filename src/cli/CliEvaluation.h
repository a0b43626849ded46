#pragma once

#include <QMap>
#include <QString>

class ScriptRun;
class UndefinedNameWatch;
struct RunOptions;

enum CliExitCode { exitSuccess = 0, exitScriptError = 1, exitUsage = 2 };

// What scriptcalc-cli prints for a script, before anything is written.
struct CliOutput {
    int exitCode = exitSuccess;
    QString out; // for standard output
    QString err; // for standard error
};

// Runs script as the run button does. Success: the result box's text in the
// options' digits, or with raw the value as "%.17g" (a definition's signature
// either way), then with dump the last line's bytecode; names read before any assignment are listed
// on standard error in the table's words. Failure (exit code 1): the error box's message on one
// line, then a line with the error's details. With strict, reading such a name is a failure.
CliOutput evaluateScript(const QString& script, const QMap<QString, QString>& langTable, bool raw,
                         bool dump, const RunOptions& options, bool strict = false);

// The same for a run, watched by watch, that has had every line of its script.
CliOutput finishedRunOutput(ScriptRun& run, const UndefinedNameWatch& watch,
                            const QMap<QString, QString>& langTable, bool raw, bool dump);
