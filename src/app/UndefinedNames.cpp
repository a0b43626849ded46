#include "UndefinedNames.h"

#include "NameReads.h"
#include "Parser.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The engine's name characters, the same for every parser.
const std::string& engineNameChars() {
    static const std::string chars = mu::Parser().NameChars();
    return chars;
}

bool isNameChar(char c) {
    return engineNameChars().find(c) != std::string::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Calls visit(name, position) for every whole name in text, numbers such as 2e3 excepted.
template <typename Visit> void forEachName(std::string_view text, Visit visit) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (!isNameChar(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        if (!isDigit(text[at]))
            visit(text.substr(at, end - at), at);
        at = end;
    }
}

void addOnce(std::vector<std::string>& names, std::string_view name) {
    if (std::find(names.begin(), names.end(), name) == names.end())
        names.emplace_back(name);
}

} // namespace

void UndefinedNames::nameMet(const char* name) {
    met.emplace_back(name);
}

std::size_t UndefinedNames::lineDone(int line, std::string_view text) {
    if (met.empty())
        return 0;
    // A call whose body reads a name reads it where the call stands.
    std::unordered_map<std::string_view, std::size_t> readByCall;
    if (!definitions.empty())
        forEachName(text, [&](std::string_view called, std::size_t position) {
            if (const Definition* definition = calledAt(text, called, position))
                for (const std::string& read : definition->reads)
                    readByCall.try_emplace(read, position);
        });
    const std::string lineText(text);
    const std::size_t before = found.size();
    for (const std::string& name : met) {
        std::size_t at = firstRead(lineText, name);
        if (const auto call = readByCall.find(name); call != readByCall.end())
            at = std::min(at, call->second);
        if (at != std::string::npos)
            found.push_back({name, line, at});
    }
    met.clear();
    return found.size() - before;
}

void UndefinedNames::lineDefined(int line, std::string_view name,
                                 const std::vector<std::string>& parameters,
                                 std::string_view body) {
    Definition definition{line, std::string(name), {}};
    forEachName(body, [&](std::string_view used, std::size_t position) {
        if (!isCalledAt(body, position + used.size())) {
            if (std::find(parameters.begin(), parameters.end(), used) == parameters.end())
                addOnce(definition.reads, used);
        } else if (const Definition* called = defined(used)) {
            for (const std::string& read : called->reads)
                addOnce(definition.reads, read);
        }
    });
    met.clear();
    latest[definition.name].push_back(definitions.size());
    definitions.push_back(std::move(definition));
}

void UndefinedNames::dropFrom(int line) {
    met.clear();
    while (!found.empty() && found.back().line >= line)
        found.pop_back();
    while (!definitions.empty() && definitions.back().line >= line) {
        const auto named = latest.find(definitions.back().name);
        named->second.pop_back();
        if (named->second.empty())
            latest.erase(named);
        definitions.pop_back();
    }
}

QStringList UndefinedNames::names() const {
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (const Read& read : found)
        names.append(QString::fromLatin1(read.name));
    return names;
}

const UndefinedNames::Definition* UndefinedNames::defined(std::string_view name) const {
    const auto named = latest.find(std::string(name));
    return named == latest.end() ? nullptr : &definitions[named->second.back()];
}

const UndefinedNames::Definition*
UndefinedNames::calledAt(std::string_view text, std::string_view name, std::size_t position) const {
    return isCalledAt(text, position + name.size()) ? defined(name) : nullptr;
}

// The first read of name in text that is not a call of a script function of that name.
std::size_t UndefinedNames::firstRead(const std::string& text, const std::string& name) const {
    std::size_t at = ::firstRead(text, name, engineNameChars());
    if (!defined(name))
        return at;
    while (at != std::string::npos && isCalledAt(text, at + name.size()))
        at = ::firstRead(text, name, engineNameChars(), at + 1);
    return at;
}
