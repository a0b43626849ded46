// Running the script and showing its result: the "=" and "C" buttons and
// the base conversion that the function list asks for.
#include "MainWindow.h"

#include "DisplayOptions.h"
#include "ErrorLineMark.h"
#include "LineEvaluator.h"
#include "LiveEvaluation.h"
#include "ResultBase.h"
#include "VisibleControls.h"
#include "ui_mainwindow.h"

#include <QMessageBox>
#include <QTextCursor>

void MainWindow::on_btn_clean_clicked() {
    ui->edit_res->clear();
    setResultOutOfDate(false);
    forgetFullValue();
    // Through a cursor, not clear(), so that Ctrl+Z brings the script back.
    QTextCursor cursor(ui->text_script->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    returnToEditor();
}

void MainWindow::on_btn_run_clicked() {
    runScript();
}

RunResult MainWindow::runScript() {
    // One evaluation gives the result box and the column the same texts.
    const LineResults lines = LineEvaluator(langTable, displayOptions->options())
                                  .evaluate(ui->text_script->toPlainText());
    liveEvaluation->cancel();
    showLineResults(lines);
    const RunResult& result = lines.run;
    if (result.ok) {
        resultBase.reset();
        showResult(result.text);
        setResultOutOfDate(false);
        // A definition's signature is no value to show in full or convert.
        if (result.definition)
            forgetFullValue();
        else
            showFullValue(result.value);
        returnToEditor();
        return result;
    }
    // The result box keeps what it showed before the failed run, marked out of date; the caret
    // and a mark point at the failing line while the box explains.
    errorMark->mark(result.line, result.position);
    if (!ui->edit_res->text().isEmpty())
        setResultOutOfDate(true);
    // The message holds script text and data-file text: shown as typed, so
    // markup in it can neither load a file nor offer a link.
    QMessageBox box(QMessageBox::Critical, langTable.value(QStringLiteral("IDS_ERROR_TITLE")),
                    withVisibleControls(lineErrorMessage(result, langTable)), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    returnToEditor();
    return result;
}

void MainWindow::showResult(const QString& text) {
    ui->edit_res->setText(text);
    // The start of a long text is where the number begins.
    ui->edit_res->setCursorPosition(0);
}

void MainWindow::convertResultBase(int base) {
    // The value of this run is converted, never the text of an earlier one.
    const RunResult result = runScript();
    if (result.ok && !result.definition) {
        resultBase = base;
        showResult(resultBoxText());
    }
}
