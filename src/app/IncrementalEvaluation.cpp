#include "IncrementalEvaluation.h"

#include "LineEvaluator.h"

#include "NumberFormatter.h"
#include "ParserBytecode.h"

#include <algorithm>
#include <limits>

namespace {

// Every value the line's code reads or assigns. A code it cannot walk may mention anything.
void mentionValues(const mu::ParserBytecode& code, VariableCheckpoints& variables) {
    // A line that failed before any code was made mentions nothing.
    if (code.Size() == 0)
        return;
    const mu::ParserBytecode::word_type* words = code.Code();
    for (std::size_t at = 0; at + 1 < code.Size();) {
        const std::uint32_t command = words[at + 1];
        if (command == mu::cmVAR || command == mu::cmASSIGN)
            variables.mention(mu::ParserBytecode::ReadVarAddr(words + at + 2));
        const std::size_t length = mu::ParserBytecode::EntryWords(command);
        if (length == 0) {
            variables.mention(nullptr);
            return;
        }
        at += length;
    }
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
    if (line >= nextLine()) {
        // The lines below may differ from the previous pass's.
        if (previous)
            variables.dropAhead();
        previous.reset();
        return;
    }
    goBackTo(line, false);
}

void IncrementalEvaluation::linesReplaced(int first, int removed, int added) {
    if (previous) {
        // In the previous pass's numbering, its lines from unchangedFrom on are still there.
        previous->unchangedFrom =
            std::max(previous->unchangedFrom, first + removed - previous->shift);
        previous->shift += added - removed;
        if (first < nextLine())
            goBackTo(first, true);
    } else if (first < nextLine()) {
        const bool whole = complete;
        goBackTo(first, true);
        if (whole && previous) {
            previous->unchangedFrom = first + removed;
            previous->shift = added - removed;
        }
    }
    meetPreviousPass();
}

void IncrementalEvaluation::goBackTo(int line, bool keepPrevious) {
    // The engine holds addresses of values that going back drops.
    run.reset();
    // The previous pass's results are taken over only in scripts without functions: a pass
    // that meets its variables again may still have other definitions in force.
    keepPrevious = keepPrevious && definitions.empty();
    const bool fresh = keepPrevious && complete;
    const int kept = variables.goBackTo(std::max(line, 0), keepPrevious);
    if (variables.aheadLines() < 0) {
        previous.reset();
    } else if (fresh) {
        previous = std::make_unique<PreviousPass>();
        previous->start = kept;
        previous->texts = texts.mid(kept);
        previous->values.assign(values.begin() + kept, values.end());
        previous->failure = std::move(failure);
        previous->undefined = undefined.readsFrom(kept);
    }
    complete = false;
    failure.reset();
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

void IncrementalEvaluation::passEnded() {
    // The engine keeps a copy of the last line, which may be a long one; a line fed later
    // starts a fresh run.
    run.reset();
    variables.passEnded(nextLine(), failed());
    previous.reset();
    complete = true;
}

// At each of the previous pass's checkpoints below the edit, the state is compared with that
// pass's: when they agree, every later line gives what it gave then.
void IncrementalEvaluation::meetPreviousPass() {
    while (previous && !failure) {
        if (!definitions.empty()) { // see goBackTo
            variables.dropAhead();
            previous.reset();
            return;
        }
        const int then = variables.aheadLines();
        if (then < 0) {
            previous.reset();
            return;
        }
        const int now = then + previous->shift;
        if (then < previous->unchangedFrom || now < nextLine()) {
            variables.passAhead();
            continue;
        }
        if (now > nextLine())
            return;
        if (!variables.sameAsAhead()) {
            variables.passAhead();
            continue;
        }
        variables.takeAhead(now, previous->shift);
        const int from = then - previous->start;
        texts.append(previous->texts.mid(from));
        values.insert(values.end(), previous->values.begin() + from, previous->values.end());
        undefined.adopt(previous->undefined, then, previous->shift);
        if (previous->failure) {
            failure = std::move(previous->failure);
            failure->line += previous->shift;
        }
        previous.reset();
        run.reset();
        complete = true;
    }
}

void IncrementalEvaluation::addLine(QStringView text) {
    if (failure)
        return;
    if (!run)
        run = std::make_unique<ScriptRun>(langTable, static_cast<RunObserver*>(this), nextLine(),
                                          options, &definedFunctions);
    run->addLine(text);
    mentionValues(run->bytecode(), variables);
    variables.lineDone(nextLine());
    meetPreviousPass();
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
