// The keypad under the script editor and the two editing operations that the
// keypad, the function list and the unit page share.
#include "MainWindow.h"

#include "ui_mainwindow.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// Constant definitions with 14 significant digits; running such a line
// assigns the value to the name.
const QLatin1String piDefinition("pi=3.1415926535897");
const QLatin1String eDefinition("e=2.7182818284590");

// How much of the value identifies a definition already in the script.
constexpr qsizetype definitionKeyValueLength = 4;

} // namespace

void MainWindow::insertAtCursor(const QString& text, int back) {
    QTextCursor cursor = ui->text_script->textCursor();
    cursor.insertText(text);
    // 64-bit arithmetic: back may be any int, including the extremes.
    const qint64 target = qint64(cursor.position()) - qint64(back);
    const qint64 last = qint64(ui->text_script->document()->characterCount()) - 1;
    if (target >= 0 && target <= last)
        cursor.setPosition(int(target), QTextCursor::MoveAnchor);
    ui->text_script->setTextCursor(cursor);
    ui->text_script->setFocus(Qt::OtherFocusReason);
}

void MainWindow::insertConstant(const QString& definition) {
    const QString script = ui->text_script->toPlainText();
    QString name = definition;
    QString value = definition;
    const qsizetype equals = definition.indexOf(QLatin1Char('='));
    if (equals >= 0) {
        name = definition.left(equals);
        value = definition.mid(equals + 1);
    }
    const QString key = name + QLatin1Char('=') + value.left(definitionKeyValueLength);

    insertAtCursor(name, 0);
    if (script.contains(key, Qt::CaseSensitive))
        return;

    QTextCursor cursor = ui->text_script->textCursor();
    cursor.setPosition(0);
    ui->text_script->setTextCursor(cursor);
    cursor.insertText(definition + QLatin1Char('\n'));
    cursor.movePosition(QTextCursor::End);
    ui->text_script->setTextCursor(cursor);
}

void MainWindow::on_btn_e_clicked() {
    insertConstant(eDefinition);
}

void MainWindow::on_btn_pi_clicked() {
    insertConstant(piDefinition);
}

void MainWindow::on_btn_pow2_clicked() {
    insertAtCursor(QStringLiteral("pow(,2)"), 3);
}

void MainWindow::on_btn_sqrt_clicked() {
    insertAtCursor(QStringLiteral("sqrt()"), 1);
}

void MainWindow::on_btn_del_clicked() {
    QTextCursor cursor = ui->text_script->textCursor();
    cursor.deletePreviousChar();
    ui->text_script->setFocus(Qt::OtherFocusReason);
}

void MainWindow::on_btn_enter_clicked() {
    insertAtCursor(QStringLiteral("\n"), 0);
}

void MainWindow::on_btn_right_clicked() {
    insertAtCursor(QStringLiteral(")"), 0);
}

void MainWindow::on_btn_left_clicked() {
    insertAtCursor(QStringLiteral("("), 0);
}

void MainWindow::on_btn_comma_clicked() {
    insertAtCursor(QStringLiteral(","), 0);
}

void MainWindow::on_btn_dot_clicked() {
    insertAtCursor(QStringLiteral("."), 0);
}

void MainWindow::on_btn_div_clicked() {
    insertAtCursor(QStringLiteral("/"), 0);
}

void MainWindow::on_btn_mul_clicked() {
    insertAtCursor(QStringLiteral("*"), 0);
}

void MainWindow::on_btn_dec_clicked() {
    insertAtCursor(QStringLiteral("-"), 0);
}

void MainWindow::on_btn_add_clicked() {
    insertAtCursor(QStringLiteral("+"), 0);
}

void MainWindow::on_btn_00_clicked() {
    insertAtCursor(QStringLiteral("00"), 0);
}

void MainWindow::on_btn_0_clicked() {
    insertAtCursor(QStringLiteral("0"), 0);
}

void MainWindow::on_btn_9_clicked() {
    insertAtCursor(QStringLiteral("9"), 0);
}

void MainWindow::on_btn_8_clicked() {
    insertAtCursor(QStringLiteral("8"), 0);
}

void MainWindow::on_btn_7_clicked() {
    insertAtCursor(QStringLiteral("7"), 0);
}

void MainWindow::on_btn_6_clicked() {
    insertAtCursor(QStringLiteral("6"), 0);
}

void MainWindow::on_btn_5_clicked() {
    insertAtCursor(QStringLiteral("5"), 0);
}

void MainWindow::on_btn_4_clicked() {
    insertAtCursor(QStringLiteral("4"), 0);
}

void MainWindow::on_btn_3_clicked() {
    insertAtCursor(QStringLiteral("3"), 0);
}

void MainWindow::on_btn_1_clicked() {
    insertAtCursor(QStringLiteral("1"), 0);
}

void MainWindow::on_btn_2_clicked() {
    insertAtCursor(QStringLiteral("2"), 0);
}
