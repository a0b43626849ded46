#pragma once

#include "RunOptions.h"
#include "ScriptRunner.h"

#include <QMap>
#include <QString>

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// The script's variables as a run leaves them (up to a failing line): what a function of the
// graph reads when it is drawn. The run defines the script's functions into a table the caller
// gives.
class GraphVariables : private RunObserver {
public:
    GraphVariables(const QString& script, const QMap<QString, QString>& langTable,
                   const RunOptions& options, mu::ScriptFunctionTable* functions);

    // The value of name after the run; none for a name the run never met.
    std::optional<double> value(std::string_view name) const;

private:
    double* nameMet(const char* name) override;
    void lineEvaluated(int, std::string_view, double) override {}
    void lineDefined(int, std::string_view, const mu::FunctionHead&,
                     const mu::ScriptFunction&) override {}
    void lineFailed(const RunResult&, std::string_view) override {}

    std::deque<double> values; // never moves a value: the run holds their addresses
    std::unordered_map<std::string, double*> names;
};
