#pragma once

#include "ScriptRunner.h"
#include "UndefinedNames.h"

#include <QStringList>

#include <string_view>

// Watches a run for names that a line reads before any line assigned them, as the window lists
// them under the editor (UndefinedNames). Strict, such a read fails the line: the watch throws
// the engine's unknown-symbol error at the name (or at the call whose body reads it), which the
// run reports as the line's failure.
class UndefinedNameWatch : public RunObserver {
public:
    explicit UndefinedNameWatch(bool strict);

    double* nameMet(const char* name) override;
    void lineEvaluated(int line, std::string_view engineText, double value) override;
    void lineDefined(int line, std::string_view engineText, const mu::FunctionHead& head,
                     const mu::ScriptFunction& function) override;
    void lineFailed(const RunResult& failure, std::string_view engineText) override;

    // In the order first met.
    QStringList names() const { return undefined.names(); }

private:
    bool strict;
    UndefinedNames undefined;
};
