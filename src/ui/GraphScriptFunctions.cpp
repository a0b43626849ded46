#include "GraphScriptFunctions.h"

#include "Parser.h"
#include "TypedText.h"

#include <string>

namespace {

const std::string& engineNameChars() {
    static const std::string chars = mu::Parser().NameChars();
    return chars;
}

// Calls nest no deeper than the definitions before them; this bounds a table of any size.
constexpr int maxCallDepth = 64;

} // namespace

GraphNameUses graphNameUses(const std::string& text, const QStringList& excluded) {
    const std::string& nameChars = engineNameChars();
    const auto isNameChar = [&](char c) { return nameChars.find(c) != std::string::npos; };
    GraphNameUses uses;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!isNameChar(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        // A run of name characters starting with a digit is a number ("2e3"), and one right
        // after a point belongs to it (".5e3").
        const bool number = (c >= '0' && c <= '9') || (i > 0 && text[i - 1] == '.');
        std::size_t next = end;
        while (next < text.size() && (text[next] == ' ' || text[next] == '\t'))
            ++next;
        const QString name = QString::fromLatin1(text.data() + i, qsizetype(end - i));
        i = end;
        if (number || excluded.contains(name))
            continue;
        const char after = next < text.size() ? text[next] : '\0';
        const bool assigned = after == '=' && (next + 1 >= text.size() || text[next + 1] != '=');
        QStringList& list = after == '(' ? uses.calls : uses.reads;
        if (!assigned && !list.contains(name))
            list.append(name);
    }
    return uses;
}

GraphScriptFunctions::GraphScriptFunctions(std::shared_ptr<const mu::ScriptFunctionTable> table)
    : definitions(std::move(table)) {
    for (const mu::ScriptFunction* function : definitions->Current()) {
        if (function->Params().size() != 1)
            continue;
        functions.append({QString::fromStdString(function->Signature()),
                          QString::fromStdString(function->Name()), readsOf(*function, 0)});
    }
}

QStringList GraphScriptFunctions::readsOf(const QString& expression,
                                          const QString& variable) const {
    std::string bytes;
    toEngineText(expression, bytes);
    GraphNameUses uses = graphNameUses(bytes, {variable});
    addCalledReads(uses, definitions->Size(), {}, 0);
    return uses.reads;
}

QStringList GraphScriptFunctions::readsOf(const mu::ScriptFunction& function, int depth) const {
    QStringList excluded;
    for (const std::string& parameter : function.Params())
        excluded.append(QString::fromStdString(parameter));
    GraphNameUses uses = graphNameUses(function.Body(), excluded);
    addCalledReads(uses, function.Index(), function.Name(), depth);
    return uses.reads;
}

void GraphScriptFunctions::addCalledReads(GraphNameUses& uses, std::size_t visible,
                                          const std::string& excluded, int depth) const {
    if (depth >= maxCallDepth)
        return;
    // A called function's body reads the caller's variables.
    QStringList& reads = uses.reads;
    for (const QString& name : uses.calls) {
        const mu::ScriptFunction* called =
            definitions->FindVisible(name.toStdString(), visible, excluded);
        if (!called)
            continue;
        for (const QString& read : readsOf(*called, depth + 1))
            if (!reads.contains(read))
                reads.append(read);
    }
}
