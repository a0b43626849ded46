#include "GraphVariables.h"

GraphVariables::GraphVariables(const QString& script, const QMap<QString, QString>& langTable,
                               const RunOptions& options, mu::ScriptFunctionTable* functions) {
    ScriptRun run(langTable, this, 0, options, functions);
    run.addLines(script);
}

std::optional<double> GraphVariables::value(std::string_view name) const {
    const auto found = names.find(std::string(name));
    return found == names.end() ? std::nullopt : std::optional<double>(*found->second);
}

double* GraphVariables::nameMet(const char* name) {
    double* value = &values.emplace_back(0.0);
    names.emplace(name, value);
    return value;
}
