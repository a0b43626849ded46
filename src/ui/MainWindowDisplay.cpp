// The display choices applied to every value on show: a change re-renders
// the per-line column, the result box and the unit page at once. The angle
// unit changes the values themselves, so a result of the script as it stands
// is computed again.
//
//   DisplayOptions --changed--> live evaluation --> column
//                           \--> (script again) --> resultBoxText --> edit_res
//                           \--> updateConversion --> edit_2
#include "MainWindow.h"

#include "DisplayOptions.h"
#include "LineEvaluator.h"
#include "LiveEvaluation.h"
#include "NumberFormatter.h"
#include "ResultBase.h"
#include "ui_mainwindow.h"

void MainWindow::setupDisplayOptions() {
    displayOptions = new DisplayOptions(this, langTable);
    // Choices change only by the user's hand, once the window is complete.
    connect(displayOptions, &DisplayOptions::changed, this, &MainWindow::applyDisplayOptions);
}

void MainWindow::applyDisplayOptions() {
    const RunOptions options = displayOptions->options();
    liveEvaluation->setOptions(options);
    if (hasResultValue && !ui->edit_res->isOutOfDate()) {
        const RunResult run =
            LineEvaluator(langTable, options).evaluate(ui->text_script->toPlainText()).run;
        if (run.ok && !run.definition)
            showFullValue(run.value);
    }
    if (hasResultValue)
        showResult(resultBoxText());
    updateConversion();
}

QString MainWindow::resultBoxText() const {
    const QString shown =
        NumberFormatter(displayOptions->options().digits)
            .resultText(resultValue, langTable.value(QStringLiteral("IDS_CALC_ERROR")));
    if (!resultBase)
        return shown;
    return resultInBase(shown, resultValue, *resultBase,
                        langTable.value(QStringLiteral("IDS_BASE_NOT_WHOLE")));
}
