// Script functions on the benchmark set: each expression as the body of f(a,b,c), evaluated
// through the call "f(a,b,c)" beside the expression written out, with and without machine code;
// and samples per second of EvaluateMany beside compiling and evaluating every sample as a
// script line does ("f(0.5,b,c)", "f(1.25,b,c)", ...).
#include "Expressions.h"

#include "Parser.h"
#include "ScriptFunctionTable.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using bench::kExpressions;

constexpr std::array<double, 8> kValues = {0.5, 1.25, -0.75, 2.5, 3.125, -1.5, 0.0625, 4.0};
constexpr int kSamples = 1024;

// A parser over a, b and c that knows f(a,b,c) = a_szBody.
struct Setup {
    double a = 1, b = 2, c = 3;
    mu::Parser parser;
    mu::ScriptFunctionTable table;

    explicit Setup(const char* a_szBody) {
        parser.AddVariable("a", &a);
        parser.AddVariable("b", &b);
        parser.AddVariable("c", &c);
        const std::string sLine = std::string("f(a,b,c)=") + a_szBody;
        table.Define(*mu::ReadFunctionHead(sLine), sLine);
        parser.SetScriptFunctions(&table);
    }
};

void evaluate(benchmark::State& state, const char* a_szBody, bool a_bCall, bool a_bMachineCode) {
    Setup setup(a_szBody);
    setup.parser.SetMachineCodeEnabled(a_bMachineCode);
    setup.parser.SetExpression(a_bCall ? "f(a,b,c)" : a_szBody);
    setup.parser.Evaluate();
    std::size_t i = 0;
    for (auto _ : state) {
        setup.a = kValues[i & 7];
        setup.b = kValues[(i + 3) & 7];
        setup.c = kValues[(i + 5) & 7];
        ++i;
        benchmark::DoNotOptimize(setup.parser.Evaluate());
    }
}

// Compiling a line that calls no function of the script, with the table set or not.
void compile(benchmark::State& state, const char* a_szText, bool a_bTable) {
    Setup setup(a_szText);
    if (!a_bTable) {
        setup.parser.SetScriptFunctions(nullptr);
    }
    for (auto _ : state) {
        setup.parser.SetExpression(a_szText);
        benchmark::DoNotOptimize(setup.parser.Evaluate());
    }
}

std::vector<double> sampleValues() {
    std::vector<double> vX(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        vX[static_cast<std::size_t>(i)] = -4 + 8.0 * i / kSamples;
    }
    return vX;
}

void evaluateMany(benchmark::State& state, const char* a_szBody) {
    Setup setup(a_szBody);
    const std::vector<double> vX = sampleValues();
    std::vector<double> vY(vX.size());
    setup.parser.SetExpression("f(a,b,c)");
    for (auto _ : state) {
        setup.parser.EvaluateMany(&setup.a, vX.data(), vY.data(), kSamples);
        benchmark::DoNotOptimize(vY.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kSamples);
}

void evaluateLines(benchmark::State& state, const char* a_szBody) {
    Setup setup(a_szBody);
    std::vector<std::string> vLines;
    for (const double x : sampleValues()) {
        char szLine[64];
        std::snprintf(szLine, sizeof szLine, "f(%.17g,b,c)", x);
        vLines.emplace_back(szLine);
    }
    for (auto _ : state) {
        for (const std::string& sLine : vLines) {
            setup.parser.SetExpression(sLine);
            benchmark::DoNotOptimize(setup.parser.Evaluate());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kSamples);
}

int registerAll() {
    for (const auto& e : kExpressions) {
        const std::string sName = e.name;
        for (const bool bMachineCode : {true, false}) {
            const std::string sMode = bMachineCode ? "mc/" : "nomc/";
            benchmark::RegisterBenchmark(("call/" + sMode + sName).c_str(), evaluate, e.text, true,
                                         bMachineCode);
            benchmark::RegisterBenchmark(("inline/" + sMode + sName).c_str(), evaluate, e.text,
                                         false, bMachineCode);
        }
        benchmark::RegisterBenchmark(("compile/plain/" + sName).c_str(), compile, e.text, false);
        benchmark::RegisterBenchmark(("compile/table/" + sName).c_str(), compile, e.text, true);
        benchmark::RegisterBenchmark(("many/" + sName).c_str(), evaluateMany, e.text);
        benchmark::RegisterBenchmark(("lines/" + sName).c_str(), evaluateLines, e.text);
    }
    return 0;
}

// The console output, then one line per expression with the ratios we track: call/inline time
// per evaluation with and without machine code (goal at most 1.2), how many times faster
// EvaluateMany is per sample than a script line per sample (goal at least 3), and the compile
// time of a line calling no script function with the table set against without it.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& a_vRuns) override {
        ConsoleReporter::ReportRuns(a_vRuns);
        for (const Run& run : a_vRuns) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_Times[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
    }

    void PrintSummary() const {
        std::printf("summary: expression, call/inline mc, call/inline nomc, lines/many per sample, "
                    "compile table/plain\n");
        for (const auto& e : kExpressions) {
            const std::string sName = e.name;
            std::printf("summary: %-4s %6.2f %6.2f %8.1f %6.2f\n", e.name,
                        Ratio("call/mc/" + sName, "inline/mc/" + sName),
                        Ratio("call/nomc/" + sName, "inline/nomc/" + sName),
                        Ratio("lines/" + sName, "many/" + sName),
                        Ratio("compile/table/" + sName, "compile/plain/" + sName));
        }
    }

private:
    double Ratio(const std::string& a_sTop, const std::string& a_sBottom) const {
        const auto top = m_Times.find(a_sTop);
        const auto bottom = m_Times.find(a_sBottom);
        if (top == m_Times.end() || bottom == m_Times.end() || bottom->second <= 0) {
            return 0;
        }
        return top->second / bottom->second;
    }

    std::map<std::string, double> m_Times;
};

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
