#pragma once

#include "ScriptRunner.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// Watches a run for names that a line reads before any line assigned them, as the window lists
// them under the editor. A name is met once per run, on the first line that holds it: if that
// line reads it, nothing assigned it before. Strict, such a read fails the line: the watch throws
// the engine's unknown-symbol error at the name, which the run reports as the line's failure.
class UndefinedNameWatch : public RunObserver {
public:
    explicit UndefinedNameWatch(bool strict);

    double* nameMet(const char* name) override;
    void lineEvaluated(int line, std::string_view engineText, double value) override;
    void lineFailed(const RunResult& failure, std::string_view engineText) override;

    // In the order first met.
    const QStringList& names() const { return undefined; }

private:
    bool strict;
    std::vector<std::string> met;
    QStringList undefined;
};
