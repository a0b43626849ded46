// The display choices applied to every value on show: a change re-renders
// the per-line column, the result box and the unit page at once.
//
//   DisplayOptions --changed--> live evaluation --> column
//                           \--> resultBoxText --> edit_res
//                           \--> updateConversion --> edit_2
#include "MainWindow.h"

#include "DisplayOptions.h"
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
    liveEvaluation->setOptions(displayOptions->options());
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
