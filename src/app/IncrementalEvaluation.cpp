#include "IncrementalEvaluation.h"

#include "LineEvaluator.h"

#include "NameReads.h"
#include "NumberFormatter.h"
#include "Parser.h"

#include <algorithm>

namespace {

const std::string& engineNameChars() {
    static const std::string chars = mu::Parser().NameChars();
    return chars;
}

} // namespace

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
    while (!undefined.empty() && undefined.back().first >= kept)
        undefined.pop_back();
}

void IncrementalEvaluation::addLine(QStringView text) {
    if (failure)
        return;
    if (!run)
        run = std::make_unique<ScriptRun>(langTable, static_cast<RunObserver*>(this), nextLine(),
                                          options);
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
    }
    for (const auto& [line, name] : undefined)
        results.undefinedNames.append(name);
    return results;
}

double* IncrementalEvaluation::nameMet(const char* name) {
    const std::string key(name);
    if (double* known = variables.find(key))
        return known;
    met.push_back(key);
    return variables.create(key);
}

void IncrementalEvaluation::lineEvaluated(int line, std::string_view engineText, double value) {
    collectReads(line - 1, engineText);
    values.push_back(value);
    texts.append(NumberFormatter(options.digits)
                     .resultText(value, langTable.value(QStringLiteral("IDS_CALC_ERROR"))));
}

void IncrementalEvaluation::lineFailed(const RunResult& failed, std::string_view engineText) {
    collectReads(failed.line - 1, engineText);
    failure = std::make_unique<RunResult>(failed);
    values.push_back(0.0);
    texts.append(QString());
}

// A name is met once, on the first line that holds it: if that line reads it, nothing assigned
// it before.
void IncrementalEvaluation::collectReads(int line, std::string_view engineText) {
    if (met.empty())
        return;
    const std::string lineText(engineText);
    for (const std::string& name : met)
        if (readsName(lineText, name, engineNameChars()))
            undefined.emplace_back(line, QString::fromLatin1(name));
    met.clear();
}
