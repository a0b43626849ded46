// Bytecode evaluation and compile time of the engine on the benchmark set,
// beside the same expressions as native C++ called through a function pointer
// and, when installed, beside a peer parser's Parse.
#include "Expressions.h"

#include "Parser.h"

#include <benchmark/benchmark.h>

#ifdef SCRIPTCALC_HAVE_FPARSER
#include <fparser.hh>
#endif

#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using bench::kExpressions;

// The variables take a new value at every evaluation, cycling through a
// small table so the loads stay in cache and nothing can be hoisted.
constexpr std::array<double, 8> kValues = {0.5, 1.25, -0.75, 2.5, 3.125, -1.5, 0.0625, 4.0};

void evalBytecode(benchmark::State& state, const char* text) {
    double a = 0, b = 0, c = 0;
    mu::Parser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    parser.SetExpression(text);
    parser.Evaluate(); // compiles; later calls run the bytecode
    std::size_t i = 0;
    for (auto _ : state) {
        a = kValues[i & 7];
        b = kValues[(i + 3) & 7];
        c = kValues[(i + 5) & 7];
        ++i;
        benchmark::DoNotOptimize(parser.Evaluate());
    }
}

void evalNative(benchmark::State& state, bench::NativeFn fn) {
    bench::NativeFn volatile call = fn; // keep the call indirect, as the engine's is
    std::size_t i = 0;
    for (auto _ : state) {
        const double a = kValues[i & 7];
        const double b = kValues[(i + 3) & 7];
        const double c = kValues[(i + 5) & 7];
        ++i;
        benchmark::DoNotOptimize(call(a, b, c));
    }
}

void compile(benchmark::State& state, const char* text) {
    double a = 1, b = 2, c = 3;
    mu::Parser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    for (auto _ : state) {
        parser.SetExpression(text);
        benchmark::DoNotOptimize(parser.Evaluate());
    }
}

#ifdef SCRIPTCALC_HAVE_FPARSER
void peerParse(benchmark::State& state, const char* text) {
    FunctionParser fp;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fp.Parse(text, "a,b,c"));
    }
}
#endif

int registerAll() {
    for (const auto& e : kExpressions) {
        benchmark::RegisterBenchmark((std::string("eval/engine/") + e.name).c_str(), evalBytecode,
                                     e.text);
        benchmark::RegisterBenchmark((std::string("eval/native/") + e.name).c_str(), evalNative,
                                     e.native);
        benchmark::RegisterBenchmark((std::string("compile/engine/") + e.name).c_str(), compile,
                                     e.text);
#ifdef SCRIPTCALC_HAVE_FPARSER
        benchmark::RegisterBenchmark((std::string("compile/peer/") + e.name).c_str(), peerParse,
                                     e.text);
#endif
    }
    return 0;
}

// The console output, plus one closing line with the ratios we track: the geometric mean and the
// largest of engine/native evaluation time, and the geometric mean of engine/peer compile time.
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
        std::vector<double> vEval;
        std::vector<double> vCompile;
        double fMax = 0;
        std::string sMax;
        for (const auto& e : kExpressions) {
            const std::string sName = e.name;
            const double fEval = Ratio("eval/engine/" + sName, "eval/native/" + sName);
            if (fEval > 0) {
                vEval.push_back(fEval);
                if (fEval > fMax) {
                    fMax = fEval;
                    sMax = sName;
                }
            }
            const double fCompile = Ratio("compile/engine/" + sName, "compile/peer/" + sName);
            if (fCompile > 0) {
                vCompile.push_back(fCompile);
            }
        }
        std::printf("summary: eval/native geomean %.2f max %.2f (%s); compile/libfparser geomean ",
                    Geomean(vEval), fMax, sMax.c_str());
        if (vCompile.empty()) {
            std::printf("n/a (libfparser-dev not installed)\n");
        } else {
            std::printf("%.2f\n", Geomean(vCompile));
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

    static double Geomean(const std::vector<double>& a_vValues) {
        double fLogs = 0;
        for (const double f : a_vValues) {
            fLogs += std::log(f);
        }
        return a_vValues.empty() ? std::nan("") : std::exp(fLogs / a_vValues.size());
    }

    std::map<std::string, double> m_Times;
};

const int registered = registerAll();

} // namespace

int main(int argc, char** argv) {
    // Another output format (JSON for tools/bench-summary.py) goes out as asked, without the line.
    bool bOtherFormat = false;
    for (int i = 1; i < argc; ++i) {
        bOtherFormat = bOtherFormat || std::string(argv[i]).rfind("--benchmark_format", 0) == 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (bOtherFormat) {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
