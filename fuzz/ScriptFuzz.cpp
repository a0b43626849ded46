// libFuzzer target: arbitrary bytes as a script through the runner, and as a
// single expression through a parser, evaluated by compiling and then through
// the bytecode, with folding on and off. Both paths must agree (NaNs aside) and
// every failure must be a ParserError. The lines also go through a table of script functions:
// definitions into the table, every other line evaluated against it, compiled and then run.
#include "Parser.h"
#include "ParserError.h"
#include "ScriptFunctionTable.h"
#include "ScriptRunner.h"

#include <QMap>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

// Variables live here for the life of one input, so both evaluations of an
// expression can start from the same values.
std::map<std::string, double> g_vars;

double* fuzzVariable(const char* a_szName, void*) {
    double& v = g_vars[a_szName];
    v = 0.0;
    return &v;
}

void resetVariables() {
    for (auto& entry : g_vars) {
        entry.second = 0.0;
    }
}

bool sameResult(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) {
        return std::isnan(x) && std::isnan(y);
    }
    return x == y;
}

void checkExpression(const std::string& text, bool folding) {
    g_vars.clear();
    mu::Parser parser;
    parser.SetVariableFactory(fuzzVariable, nullptr);
    parser.SetFolding(folding);
    parser.SetExpression(text);
    double compiled = 0.0;
    try {
        compiled = parser.Evaluate();
    } catch (const mu::ParserError&) {
        return;
    }
    resetVariables();
    const double executed = parser.Evaluate();
    if (!sameResult(compiled, executed)) {
        std::abort();
    }
}

// Definition lines define, other lines are evaluated twice from the same variables: compiling,
// then running what was compiled.
void checkScriptFunctions(const std::string& text) {
    g_vars.clear();
    mu::ScriptFunctionTable table;
    mu::Parser parser;
    parser.SetVariableFactory(fuzzVariable, nullptr);
    parser.SetScriptFunctions(&table);
    std::size_t start = 0;
    for (int lines = 0; start <= text.size() && lines < 64; ++lines) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        try {
            if (const auto head = mu::ReadFunctionHead(line)) {
                table.Define(*head, line);
                continue;
            }
            parser.SetExpression(line);
            const std::map<std::string, double> before = g_vars;
            const double compiled = parser.Evaluate();
            for (auto& entry : g_vars) {
                const auto it = before.find(entry.first);
                entry.second = it == before.end() ? 0.0 : it->second;
            }
            if (!sameResult(compiled, parser.Evaluate())) {
                std::abort();
            }
        } catch (const mu::ParserError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    static const QMap<QString, QString> langTable;
    const ScriptRunner runner(langTable);
    (void)runner.run(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));

    // The runner hands the engine one line at a time; the parser stops at a
    // line break anyway, so a single line is the interesting case here.
    const std::string firstLine = text.substr(0, text.find('\n'));
    checkExpression(firstLine, true);
    checkExpression(firstLine, false);
    checkScriptFunctions(text);
    return 0;
}
