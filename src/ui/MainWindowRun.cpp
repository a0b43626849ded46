// Running the script and showing its result: the "=" and "C" buttons and
// the base conversion that the function list asks for.
#include "MainWindow.h"

#include "ResultBase.h"
#include "ScriptRunner.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::on_btn_clean_clicked() {
    ui->edit_res->clear();
    ui->text_script->clear();
    ui->text_script->setFocus(Qt::OtherFocusReason);
}

void MainWindow::on_btn_run_clicked() {
    runScript();
}

RunResult MainWindow::runScript() {
    const RunResult result = ScriptRunner(langTable).run(ui->text_script->toPlainText());
    if (result.ok) {
        showResult(result.text);
        return result;
    }
    // The result box keeps what it showed before the failed run.
    // The message holds script text and data-file text: shown as typed, so
    // markup in it can neither load a file nor offer a link.
    QMessageBox box(QMessageBox::Critical, langTable.value(QStringLiteral("IDS_ERROR_TITLE")),
                    result.text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
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
    if (result.ok)
        showResult(resultInBase(result.text, result.value, base,
                                langTable.value(QStringLiteral("IDS_BASE_NOT_WHOLE"))));
}
