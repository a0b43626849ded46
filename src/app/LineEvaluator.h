#pragma once

#include "RunOptions.h"
#include "ScriptRunner.h"

#include <QMap>
#include <QString>
#include <QStringList>

// The run button's evaluation, keeping what every line gave: the window's
// per-line column and its line of undefined names are filled from it.
//
//   script --lines--> IncrementalEvaluation (a pass from the start)
//     --> ScriptRun (the runner's loop) --RunObserver--> value --formatResult--> texts[i]
//                            |                \--failure--> "" (run: as ScriptRunner::run)
//                            \--names first met--> readers of unassigned names --> undefinedNames

struct LineResults {
    // One entry per script line: the text the result box would show for that
    // line, empty for the failing line and for the lines after it.
    QStringList texts;
    // The same result ScriptRunner::run gives for the script.
    RunResult run;
    // Names read before any line assigned them (so they counted as 0), in the
    // order they were first met.
    QStringList undefinedNames;
};

class LineEvaluator {
public:
    explicit LineEvaluator(const QMap<QString, QString>& langTable, const RunOptions& options = {});

    void setOptions(const RunOptions& runOptions) { options = runOptions; }
    LineResults evaluate(const QString& script) const;

private:
    QMap<QString, QString> langTable;
    RunOptions options;
};

// The message of a failed run as the window shows it: the table's
// "IDS_ERROR_LINE" format with %1 the line number and %2 the runner's
// message. Without that key (or without %2 in it) the message alone.
QString lineErrorMessage(const RunResult& failed, const QMap<QString, QString>& langTable);

// "IDS_UNDEFINED_NAMES" with %1 replaced by the names, comma-separated;
// empty when there are none.
QString undefinedNamesText(const QStringList& names, const QMap<QString, QString>& langTable);
