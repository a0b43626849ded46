// What live evaluation costs the GUI thread. A full pass (the run button's): the script
// evaluated line by line and the per-line column refilled from it. Live, after one edit of a
// long script: from the keystroke to the updated column, at the end and on the first line, and
// the longest the event loop waits while such a pass runs in slices.
#include "LineEvaluator.h"
#include "LineResultsView.h"
#include "LiveEvaluation.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

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

// Each line adds to the one before: an edit of the first line changes every value below it.
QString makeRunningSum(int lines) {
    QString script = QStringLiteral("s=1");
    script.reserve(lines * 6);
    for (int i = 1; i < lines; ++i)
        script += QStringLiteral("\ns=s+1");
    return script;
}

// The editor, the live evaluation and the column, wired as in the window.
struct LiveWindow {
    explicit LiveWindow(const QString& script) : live(&editor, langTable) {
        editor.setLineWrapMode(QPlainTextEdit::NoWrap);
        column.follow(&editor);
        column.resize(120, 400);
        live.writeInto(&column);
        QObject::connect(
            &live, &LiveEvaluation::evaluated, &column, [this](const LineResults& results) {
                const RunResult& run = results.run;
                column.queueResults(results.texts, run.ok ? 0 : run.line, run.text, run.text);
            });
        editor.setPlainText(script);
        live.evaluateNow();
    }
    // Replaces the text of line (0-based) from character at on, as a keystroke would.
    void edit(int line, int at, const QString& text) {
        const QTextBlock block = editor.document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + at);
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    }
    // Runs the event loop until the column shows the pass; the longest wait between two events
    // in milliseconds.
    qint64 waitForColumn() {
        qint64 longest = 0;
        QElapsedTimer sinceLast;
        sinceLast.start();
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout,
                         [&] { longest = std::max(longest, sinceLast.restart()); });
        probe.start(0);
        while (live.isPending())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return std::max(longest, sinceLast.elapsed());
    }

    QPlainTextEdit editor;
    LineResultsView column;
    LiveEvaluation live;
};

// Keystroke to updated column, as the user waits for it; the longest stall as a counter.
void measureEdits(benchmark::State& state, LiveWindow& window, int line,
                  const QStringList& alternatives, int at) {
    qint64 longest = 0;
    int turn = 0;
    for (auto _ : state) {
        window.edit(line, at, alternatives.at(turn++ % alternatives.size()));
        longest = std::max(longest, window.waitForColumn());
    }
    state.counters["longest_stall_ms"] = double(longest);
    const QString last = window.column.document()->lastBlock().text();
    if (last.isEmpty())
        state.SkipWithError("the column was not filled");
}

void keystrokeAtTheEnd(benchmark::State& state) {
    const int lines = int(state.range(0));
    LiveWindow window(makeScript(lines));
    const QString lastLine = QStringLiteral("v%1*2").arg(lines - 2);
    measureEdits(state, window, lines - 1, {QStringLiteral("1"), QString()}, int(lastLine.size()));
}

void editOnTheFirstLine(benchmark::State& state) {
    LiveWindow window(makeScript(int(state.range(0))));
    measureEdits(state, window, 0, {QStringLiteral("6+rate"), QStringLiteral("5+rate")}, 4);
}

// The worst case: every line of the column changes.
void editOnTheFirstLineChangingEveryLine(benchmark::State& state) {
    LiveWindow window(makeRunningSum(int(state.range(0))));
    measureEdits(state, window, 0, {QStringLiteral("2"), QStringLiteral("1")}, 2);
}

} // namespace

BENCHMARK(evaluateLines)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(evaluateAndShow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(keystrokeAtTheEnd)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(editOnTheFirstLine)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(editOnTheFirstLineChangingEveryLine)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
