#include "UndefinedNameWatch.h"

#include "NameReads.h"
#include "Parser.h"

namespace {

// The engine's name characters, the same for every parser.
const std::string& engineNameChars() {
    static const std::string chars = mu::Parser().NameChars();
    return chars;
}

} // namespace

UndefinedNameWatch::UndefinedNameWatch(bool strictReads) : strict(strictReads) {}

double* UndefinedNameWatch::nameMet(const char* name) {
    met.emplace_back(name);
    return nullptr;
}

void UndefinedNameWatch::lineEvaluated(int, std::string_view engineText, double) {
    if (met.empty())
        return;
    const std::string text(engineText);
    std::vector<std::string> names;
    names.swap(met);
    for (const std::string& name : names) {
        const std::size_t at = firstRead(text, name, engineNameChars());
        if (at == std::string::npos)
            continue;
        if (strict)
            throw mu::ParserError(mu::peUNKNOWN_TOKEN, name, text, static_cast<int>(at));
        undefined.append(QString::fromLatin1(name));
    }
}

void UndefinedNameWatch::lineFailed(const RunResult&, std::string_view) {
    met.clear();
}
