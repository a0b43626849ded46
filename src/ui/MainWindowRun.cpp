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
    const RunResult result = ScriptRunner(langTable).run(ui->text_script->toPlainText());
    if (result.ok) {
        ui->edit_res->setText(result.text);
        return;
    }
    // The result box keeps what it showed before the failed run.
    QMessageBox::critical(this, QStringLiteral("error"), result.text, QMessageBox::Ok,
                          QMessageBox::NoButton);
}

void MainWindow::convertResultBase(int base) {
    on_btn_run_clicked();
    ui->edit_res->setText(resultInBase(ui->edit_res->text(), base));
}
