// What a graph costs: five functions whose bodies are bench expressions in x, at 1200 px width.
// After an edit: the 50-line script run, the functions compiled, sampled and drawn. A pan or
// zoom frame: the view moved, the functions sampled again and drawn. The parts alone as well,
// so a slow frame shows where its time goes. The goal for each frame is 16 ms.
#include "ExpressionSampler.h"
#include "Expressions.h"
#include "PlotPainter.h"
#include "PlotSampler.h"
#include "ScriptRunner.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPainter>

#include <memory>
#include <vector>

namespace {

constexpr QSize kSize(1200, 800);

// E3, E6, E7, E10, E11: trigonometry, exponentials, a polynomial, a corner; a is x, b and c
// fixed numbers.
QStringList functionTexts() {
    QStringList texts;
    for (int index : {2, 5, 6, 9, 10})
        texts << QString::fromLatin1(bench::kExpressions[index].text)
                     .replace(QLatin1Char('a'), QLatin1Char('x'))
                     .replace(QLatin1Char('b'), QStringLiteral("0.7"))
                     .replace(QLatin1Char('c'), QStringLiteral("(-1.3)"));
    return texts;
}

QString fiftyLineScript() {
    QString script;
    for (int i = 0; i < 45; ++i)
        script += QStringLiteral("v%1=sqrt(%2*%2+1)/2+sin(%2)\n").arg(i).arg(i % 17);
    for (const QString& text : functionTexts())
        script += QString(text).replace(QLatin1Char('x'), QStringLiteral("v3")) + QLatin1Char('\n');
    script.chop(1);
    return script;
}

struct Graph {
    std::vector<std::unique_ptr<ExpressionSampler>> samplers;
    PlotScene scene;
    QImage image{kSize, QImage::Format_ARGB32_Premultiplied};

    void compile() {
        samplers.clear();
        for (const QString& text : functionTexts()) {
            samplers.push_back(std::make_unique<ExpressionSampler>());
            samplers.back()->setExpression(text, QStringLiteral("x"));
        }
    }
    void sample() {
        scene.series.clear();
        for (size_t i = 0; i < samplers.size(); ++i) {
            ExpressionSampler* sampler = samplers[i].get();
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
    graph.compile();
    graph.sample();
    return graph;
}

void afterAnEdit(benchmark::State& state) {
    Graph graph = makeGraph();
    const ScriptRunner runner(QMap<QString, QString>{});
    const QString script = fiftyLineScript();
    for (auto _ : state) {
        benchmark::DoNotOptimize(runner.run(script).value);
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
