#include "IncrementalEvaluation.h"

#include "LineEvaluator.h"

#include "NumberFormatter.h"

#include <algorithm>
#include <limits>

IncrementalEvaluation::IncrementalEvaluation(const QMap<QString, QString>& table,
                                             const RunOptions& runOptions)
    : langTable(table), options(runOptions) {}

IncrementalEvaluation::~IncrementalEvaluation() = default;

void IncrementalEvaluation::setOptions(const RunOptions& runOptions) {
    options = runOptions;
    linesChanged(0);
}

void IncrementalEvaluation::linesChanged(int line) {
    if (line >= nextLine())
        return;
    // The engine holds addresses of values that going back drops.
    run.reset();
    failure.reset();
    const int kept = variables.goBackTo(std::max(line, 0));
    texts.resize(kept);
    values.resize(std::size_t(kept));
    undefined.dropFrom(kept);
    if (!definitions.empty() && definitions.back().line >= kept) {
        while (!definitions.empty() && definitions.back().line >= kept)
            definitions.pop_back();
        // The table keeps no history: the definitions before the checkpoint are made again,
        // each as it was accepted then.
        definedFunctions.Clear();
        for (const Definition& definition : definitions)
            definedFunctions.Define(definition.head, definition.text);
    }
}

void IncrementalEvaluation::addLine(QStringView text) {
    if (failure)
        return;
    if (!run)
        run = std::make_unique<ScriptRun>(langTable, static_cast<RunObserver*>(this), nextLine(),
                                          options, &definedFunctions);
    run->addLine(text);
    variables.lineDone(nextLine());
}

LineResults IncrementalEvaluation::results(int lineCount) const {
    LineResults results;
    results.texts = texts;
    while (results.texts.size() < lineCount)
        results.texts.append(QString());
    results.texts.resize(std::max(lineCount, 1));
    if (failure) {
        results.run = *failure;
    } else {
        results.run.ok = true;
        results.run.value = values.empty() ? 0.0 : values.back();
        results.run.text = results.texts.constLast();
        results.run.definition = !definitions.empty() && definitions.back().line == lineCount - 1;
    }
    results.undefinedNames = undefined.names();
    return results;
}

std::optional<double> IncrementalEvaluation::variable(std::string_view name) const {
    if (const double* value = variables.find(std::string(name)))
        return *value;
    return std::nullopt;
}

double* IncrementalEvaluation::nameMet(const char* name) {
    const std::string key(name);
    if (double* known = variables.find(key))
        return known;
    undefined.nameMet(name);
    return variables.create(key);
}

void IncrementalEvaluation::lineEvaluated(int line, std::string_view engineText, double value) {
    undefined.lineDone(line - 1, engineText);
    values.push_back(value);
    texts.append(NumberFormatter(options.digits)
                     .resultText(value, langTable.value(QStringLiteral("IDS_CALC_ERROR"))));
}

void IncrementalEvaluation::lineDefined(int line, std::string_view engineText,
                                        const mu::FunctionHead& head,
                                        const mu::ScriptFunction& function) {
    definitions.push_back({line - 1, head, std::string(engineText)});
    undefined.lineDefined(line - 1, function.Name(), function.Params(), function.Body());
    values.push_back(std::numeric_limits<double>::quiet_NaN());
    texts.append(QString::fromLatin1(function.Signature()));
}

void IncrementalEvaluation::lineFailed(const RunResult& failed, std::string_view engineText) {
    undefined.lineDone(failed.line - 1, engineText);
    failure = std::make_unique<RunResult>(failed);
    values.push_back(0.0);
    texts.append(QString());
}
