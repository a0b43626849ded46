// What one live evaluation costs the GUI thread after a pause in typing: the
// script evaluated line by line, and the per-line column refilled from it.
// The column's size cap (LiveEvaluation::maxLines) is chosen from these times.
#include "LineEvaluator.h"
#include "LineResultsView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMap>
#include <QPlainTextEdit>
#include <QString>

namespace {

// Lines as people write them: assignments building on earlier ones, calls,
// and a name read before it is assigned.
QString makeScript(int lines) {
    QString script;
    script.reserve(lines * 28);
    script += QStringLiteral("v0=1.5+rate\n");
    for (int i = 1; i < lines - 1; ++i)
        script += QStringLiteral("v%1=sqrt(v%2*v%2+%3)/2+sin(%3)\n").arg(i).arg(i - 1).arg(i % 97);
    script += QStringLiteral("v%1*2").arg(lines - 2);
    return script;
}

const QMap<QString, QString> langTable{
    {QStringLiteral("IDS_UNDEFINED_NAMES"), QStringLiteral("Not defined, counted as 0: %1")}};

void evaluateLines(benchmark::State& state) {
    const QString script = makeScript(int(state.range(0)));
    const LineEvaluator evaluator(langTable);
    for (auto _ : state) {
        LineResults results = evaluator.evaluate(script);
        if (!results.run.ok)
            state.SkipWithError("the benchmark script failed");
        benchmark::DoNotOptimize(results.texts.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Evaluation and the column, as LiveEvaluation's timeout does it.
void evaluateAndShow(benchmark::State& state) {
    const QString script = makeScript(int(state.range(0)));
    QPlainTextEdit editor;
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    editor.setPlainText(script);
    LineResultsView column;
    column.follow(&editor);
    column.resize(120, 400);
    const LineEvaluator evaluator(langTable);
    for (auto _ : state) {
        const LineResults results = evaluator.evaluate(editor.toPlainText());
        column.showResults(results.texts);
        benchmark::DoNotOptimize(column.blockCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(evaluateLines)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(evaluateAndShow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
