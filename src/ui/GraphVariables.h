#pragma once

#include "RunOptions.h"
#include "ScriptRunner.h"

#include <QMap>
#include <QString>

#include <deque>
#include <optional>
#include <string>
#include <unordered_map>

// The script's variables as a run leaves them (up to a failing line): what a function of the
// graph reads when it is drawn.
class GraphVariables : private RunObserver {
public:
    GraphVariables(const QString& script, const QMap<QString, QString>& langTable,
                   const RunOptions& options);

    // The value of name after the run; none for a name the run never met.
    std::optional<double> value(const QString& name) const;

private:
    double* nameMet(const char* name) override;
    void lineEvaluated(int, std::string_view, double) override {}
    void lineFailed(const RunResult&, std::string_view) override {}

    std::deque<double> values; // never moves a value: the run holds their addresses
    std::unordered_map<std::string, double*> names;
};
