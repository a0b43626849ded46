// What a graph costs: five script functions f1(x) ... f5(x) whose bodies are bench expressions,
// at 1200 px width. After an edit: the 50-line script's other lines run, the definitions read
// into the function table, the calls compiled, sampled and drawn. A pan or zoom frame: the view
// moved, the functions sampled again and drawn. The parts alone as well, so a slow frame shows
// where its time goes. The goal for each frame is 16 ms.
#include "Expressions.h"
#include "FunctionSampler.h"
#include "PlotPainter.h"
#include "PlotSampler.h"
#include "ScriptFunctionTable.h"
#include "ScriptRunner.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr QSize kSize(1200, 800);

// E3, E6, E7, E10, E11: trigonometry, exponentials, a polynomial, a corner; a is x, b and c
// fixed numbers.
QStringList functionTexts() {
    QStringList texts;
    for (int index : {2, 5, 6, 9, 10})
        texts << QString::fromLatin1(bench::kExpressions[index].text)
                     .replace(QRegularExpression(QStringLiteral("\\ba\\b")), QStringLiteral("x"))
                     .replace(QRegularExpression(QStringLiteral("\\bb\\b")), QStringLiteral("0.7"))
                     .replace(QRegularExpression(QStringLiteral("\\bc\\b")),
                              QStringLiteral("(-1.3)"));
    return texts;
}

// 45 assignments, then the five definitions.
QStringList fiftyLineScript() {
    QStringList lines;
    for (int i = 0; i < 45; ++i)
        lines << QStringLiteral("v%1=sqrt(%2*%2+1)/2+sin(%2)").arg(i).arg(i % 17);
    int n = 0;
    for (const QString& text : functionTexts())
        lines << QStringLiteral("f%1(x)=%2").arg(++n).arg(text);
    return lines;
}

struct Graph {
    mu::ScriptFunctionTable functions;
    std::vector<std::unique_ptr<FunctionSampler>> samplers;
    PlotScene scene;
    QImage image{kSize, QImage::Format_ARGB32_Premultiplied};

    void define(const QStringList& lines) {
        functions.Clear();
        std::string bytes;
        for (const QString& line : lines) {
            bytes = line.toStdString();
            if (const std::optional<mu::FunctionHead> head = mu::ReadFunctionHead(bytes))
                functions.Define(*head, bytes);
        }
    }
    void compile() {
        samplers.clear();
        for (int i = 1; i <= 5; ++i) {
            samplers.push_back(std::make_unique<FunctionSampler>());
            if (!samplers.back()->setExpression(QStringLiteral("f%1(x)").arg(i),
                                                QStringLiteral("x"), &functions, {}))
                qFatal("the benchmark's function f%d does not compile", i);
        }
    }
    void sample() {
        scene.series.clear();
        for (size_t i = 0; i < samplers.size(); ++i) {
            FunctionSampler* sampler = samplers[i].get();
            const PlotFunction f = [sampler](const double* x, double* y, int n) {
                sampler->sample(x, y, n);
            };
            scene.series.append(PlotSeries{QStringLiteral("f%1(x)").arg(i),
                                           PlotSampler::sample(f, scene.view), true,
                                           static_cast<int>(i)});
        }
    }
    void draw() {
        QPainter painter(&image);
        PlotPainter(QGuiApplication::palette()).paint(&painter, scene);
    }
    int evaluations() const {
        int total = 0;
        for (const PlotSeries& series : scene.series)
            total += series.curve.evaluations;
        return total;
    }
};

Graph makeGraph() {
    Graph graph;
    graph.scene.view = PlotView(-10.0, 10.0, -4.0, 8.0, kSize);
    graph.define(fiftyLineScript());
    graph.compile();
    graph.sample();
    return graph;
}

void afterAnEdit(benchmark::State& state) {
    Graph graph = makeGraph();
    const ScriptRunner runner(QMap<QString, QString>{});
    const QStringList lines = fiftyLineScript();
    const QString assignments = lines.mid(0, 45).join(QLatin1Char('\n'));
    for (auto _ : state) {
        benchmark::DoNotOptimize(runner.run(assignments).value);
        graph.define(lines);
        graph.compile();
        graph.sample();
        graph.draw();
    }
    state.counters["values"] = graph.evaluations();
}

void panFrame(benchmark::State& state) {
    Graph graph = makeGraph();
    double step = 7.0;
    for (auto _ : state) {
        graph.scene.view.pan(step, step / 2.0);
        step = -step;
        graph.sample();
        graph.draw();
    }
}

void zoomFrame(benchmark::State& state) {
    Graph graph = makeGraph();
    double factor = 1.1;
    for (auto _ : state) {
        graph.scene.view.zoom(factor, QPointF(400.0, 300.0));
        factor = 1.0 / factor;
        graph.sample();
        graph.draw();
    }
}

void sampleOnly(benchmark::State& state) {
    Graph graph = makeGraph();
    for (auto _ : state)
        graph.sample();
    state.counters["values"] = graph.evaluations();
}

void drawOnly(benchmark::State& state) {
    Graph graph = makeGraph();
    for (auto _ : state)
        graph.draw();
}

BENCHMARK(afterAnEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(panFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(zoomFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(sampleOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(drawOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
