// A long script through the runner, as the run button and the CLI run it.
#include "ScriptRunner.h"

#include <benchmark/benchmark.h>

#include <QMap>
#include <QString>

namespace {

// Lines in the style of real scripts: assignments that build on earlier
// variables, function calls, and an expression at the end.
QString makeScript(int lines) {
    QString script;
    script.reserve(lines * 24);
    script += QStringLiteral("v0=1.5\n");
    for (int i = 1; i < lines - 1; ++i) {
        script += QStringLiteral("v%1=sqrt(v%2*v%2+%3)/2+sin(%3)\n").arg(i).arg(i - 1).arg(i % 97);
    }
    script += QStringLiteral("v%1*2").arg(lines - 2);
    return script;
}

void runScript(benchmark::State& state) {
    const QString script = makeScript(static_cast<int>(state.range(0)));
    const QMap<QString, QString> langTable;
    const ScriptRunner runner(langTable);
    for (auto _ : state) {
        RunResult result = runner.run(script);
        if (!result.ok) {
            state.SkipWithError("the benchmark script failed");
        }
        benchmark::DoNotOptimize(result.value);
    }
}

} // namespace

BENCHMARK(runScript)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
