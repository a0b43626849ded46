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

const int registered = registerAll();

} // namespace

BENCHMARK_MAIN();
