#include "UndefinedNameWatch.h"

#include "ParserError.h"
#include "ScriptFunctionTable.h"

#include <string>

UndefinedNameWatch::UndefinedNameWatch(bool strictReads) : strict(strictReads) {}

double* UndefinedNameWatch::nameMet(const char* name) {
    undefined.nameMet(name);
    return nullptr;
}

void UndefinedNameWatch::lineEvaluated(int line, std::string_view engineText, double) {
    const std::size_t joined = undefined.lineDone(line - 1, engineText);
    if (strict && joined > 0) {
        const UndefinedNames::Read& first = undefined.reads().at(undefined.reads().size() - joined);
        throw mu::ParserError(mu::peUNKNOWN_TOKEN, first.name, std::string(engineText),
                              static_cast<int>(first.position));
    }
}

void UndefinedNameWatch::lineDefined(int line, std::string_view, const mu::FunctionHead&,
                                     const mu::ScriptFunction& function) {
    undefined.lineDefined(line - 1, function.Name(), function.Params(), function.Body());
}

void UndefinedNameWatch::lineFailed(const RunResult& failure, std::string_view engineText) {
    undefined.lineDone(failure.line - 1, engineText);
}
