// libFuzzer target: arbitrary bytes as a script through the runner, and as a
// single expression through a parser, evaluated by compiling and then through
// the bytecode, with folding on and off. Both paths must agree (NaNs aside) and
// every failure must be a ParserError.
#include "Parser.h"
#include "ParserError.h"
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
    return 0;
}
