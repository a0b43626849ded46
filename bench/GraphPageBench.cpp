// What the graph page costs the GUI thread, at 1200 px of graph: a slider step (the number
// rewritten in the script, the live evaluation, the functions compiled and sampled again, the
// graph and the column repainted) and a pan frame (the view moved, sampled, repainted). The
// script has 50 lines and five functions of x whose bodies are bench expressions, read a
// parameter line each. The goal for each is 16 ms.
#include "Expressions.h"
#include "GraphPage.h"
#include "GraphWidget.h"
#include "LineResultsView.h"
#include "LiveEvaluation.h"
#include "ParameterEdit.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMap>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSplitter>

namespace {

const QMap<QString, QString> langTable;

// E3, E6, E7, E10, E11 as functions of x, with b the parameter "a" and c fixed.
QString fiftyLineScript() {
    QString script = QStringLiteral("a=0.7\n");
    for (int i = 0; i < 39; ++i)
        script += QStringLiteral("v%1=sqrt(%2*%2+1)/2+sin(%2)\n").arg(i).arg(i % 17);
    int n = 0;
    for (int index : {2, 5, 6, 9, 10}) {
        script +=
            QStringLiteral("f%1(x)=").arg(++n) +
            QString::fromLatin1(bench::kExpressions[index].text)
                .replace(QRegularExpression(QStringLiteral("\\ba\\b")), QStringLiteral("x"))
                .replace(QRegularExpression(QStringLiteral("\\bb\\b")), QStringLiteral("a"))
                .replace(QRegularExpression(QStringLiteral("\\bc\\b")), QStringLiteral("(-1.3)")) +
            QLatin1Char('\n');
    }
    for (int i = 1; i <= 5; ++i)
        script += QStringLiteral("f%1(v%2)\n").arg(i).arg(i);
    script.chop(1);
    return script;
}

// The editor, the column, the live evaluation and the page, wired as in the window.
struct Page {
    QSplitter window;
    QPlainTextEdit* editor = new QPlainTextEdit(&window);
    LineResultsView* column = new LineResultsView(&window);
    GraphPage* page = new GraphPage(langTable, &window);
    LiveEvaluation live{editor, langTable};

    Page() {
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        column->follow(editor);
        // The page gives the plot three fifths of its width at first: 1200 px and a little more.
        window.setSizes({300, 120, 2100});
        window.resize(2520, 900);
        page->setScriptSource([this] { return editor->toPlainText(); });
        QObject::connect(&live, &LiveEvaluation::evaluated, page, [this](const LineResults& r) {
            column->showResults(r.texts);
            page->scriptChanged();
        });
        QObject::connect(page, &GraphPage::numberChanged, page,
                         [this](int line, const QString& number, bool continuing) {
                             rewriteParameter(editor->document(), line, number, continuing);
                             live.evaluateNow();
                         });
        window.show();
        editor->setPlainText(fiftyLineScript());
        live.evaluateNow();
        QApplication::processEvents();
    }
    void repaint() {
        page->graph()->repaint();
        column->viewport()->repaint();
    }
};

void sliderStep(benchmark::State& state) {
    Page graph;
    if (graph.page->graph()->width() < 1200 || graph.page->graph()->functions().size() != 5)
        state.SkipWithError(QStringLiteral("graph %1 px, %2 functions")
                                .arg(graph.page->graph()->width())
                                .arg(graph.page->graph()->functions().size())
                                .toStdString()
                                .c_str());
    int step = 0;
    for (auto _ : state) {
        emit graph.page->numberChanged(0, QStringLiteral("0.%1").arg(100 + step++ % 800), true);
        graph.repaint();
    }
}

void panFrame(benchmark::State& state) {
    Page graph;
    GraphWidget* widget = graph.page->graph();
    double dx = 3.0;
    for (auto _ : state) {
        widget->pan(dx, 0.0);
        dx = -dx;
        widget->repaint();
    }
}

} // namespace

BENCHMARK(sliderStep)->Unit(benchmark::kMillisecond);
BENCHMARK(panFrame)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
