// The graph page beside the catalogue and the units: it is told of every evaluation of the
// script and of the display choices, and a slider's step rewrites a number in the script, after
// which the column, the result box and the graph show the new values at once.
//
//   LiveEvaluation --evaluated--> GraphPage::scriptChanged (the page reads the editor when shown)
//   slider --numberChanged--> rewriteParameter --> editor --> evaluateNow --> column, result, graph
#include "MainWindow.h"

#include "DisplayOptions.h"
#include "GraphPage.h"
#include "LiveEvaluation.h"
#include "ParameterEdit.h"
#include "ui_mainwindow.h"

#include <QSettings>

void MainWindow::setupGraph() {
    graphPage = new GraphPage(langTable, ui->tabMain);
    graphPage->setObjectName(QStringLiteral("tabPageGraph"));
    ui->tabMain->addTab(graphPage, langTable.value(QStringLiteral("IDS_TAB_GRAPH")));
    graphPage->setOptions(displayOptions->options());
    graphPage->restoreSettings(QSettings());
    graphPage->setScriptSource([this] { return ui->text_script->toPlainText(); });
    connect(displayOptions, &DisplayOptions::changed, graphPage, &GraphPage::setOptions);
    connect(liveEvaluation, &LiveEvaluation::evaluated, this, [this](const LineResults& results) {
        graphPage->scriptChanged();
        // A slider moves the result with it, as a run would.
        if (parameterStep && results.run.ok) {
            resultBase.reset();
            showResult(results.run.text);
            setResultOutOfDate(false);
            showFullValue(results.run.value);
        }
    });
    connect(graphPage, &GraphPage::numberChanged, this, &MainWindow::rewriteParameter);
}

void MainWindow::rewriteParameter(int line, const QString& number, bool continuing) {
    if (!::rewriteParameter(ui->text_script->document(), line, number, continuing))
        return;
    parameterStep = true;
    liveEvaluation->evaluateNow();
    parameterStep = false;
}
