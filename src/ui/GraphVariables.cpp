#include "GraphVariables.h"

GraphVariables::GraphVariables(const QString& script, const QMap<QString, QString>& langTable,
                               const RunOptions& options) {
    ScriptRun run(langTable, this, 0, options);
    run.addLines(script);
}

std::optional<double> GraphVariables::value(const QString& name) const {
    const auto found = names.find(name.toStdString());
    return found == names.end() ? std::nullopt : std::optional<double>(*found->second);
}

double* GraphVariables::nameMet(const char* name) {
    double* value = &values.emplace_back(0.0);
    names.emplace(name, value);
    return value;
}
