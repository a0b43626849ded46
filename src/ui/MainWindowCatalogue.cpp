// The function page: the category buttons, the function list read from
// function.xml, what a double-click on an entry does, and the help pages
// (in the desktop's browser, else in our own help window).
//
//   category button --> loadFunctionList --FunctionXmlReader--> functionEntries
//                                        --> functionModel --> table_funlist
//   double-click on row i --> functionEntries[i].style: 1 insert, 2 base, 3 constant
#include "MainWindow.h"

#include "FunctionXmlReader.h"
#include "GraphPage.h"
#include "HelpWindow.h"
#include "PlainToolTip.h"
#include "ui_mainwindow.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItem>
#include <QTextCursor>
#include <QUrl>

namespace {

// What a double-click on an entry does, by its style.
enum EntryStyle { InsertTemplate = 1, ConvertResultBase = 2, InsertConstant = 3 };

const QLatin1String helpStartPage("main.html");

// A cell whose text may be cut off by the column width: the tooltip holds it whole.
QStandardItem* cellItem(const QString& text) {
    auto* item = new QStandardItem(text);
    item->setToolTip(plainToolTip(text));
    return item;
}

constexpr int unitPageIndex = 1;

} // namespace

void MainWindow::loadFunctionList(const QString& category) {
    const QString path = commonFun.functionFilePath();
    // A file that cannot be read or parsed keeps the entries of the previous
    // category; the table is rebuilt from them all the same.
    if (!path.isEmpty())
        FunctionXmlReader(functionEntries).readFile(path, category);

    functionModel.clear();
    functionModel.setColumnCount(2);
    functionModel.setRowCount(int(functionEntries.size()));
    for (int row = 0; row < int(functionEntries.size()); ++row) {
        const FunctionEntry& entry = functionEntries.at(row);
        functionModel.setItem(row, 0, cellItem(entry.show));
        functionModel.setItem(row, 1, cellItem(entry.shortdesc));
    }
    ui->table_funlist->setModel(&functionModel);
    // Names are short and must be read whole; the description takes the rest.
    QHeaderView* header = ui->table_funlist->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
}

void MainWindow::insertTemplate(const QString& text, int back) {
    // A template of several lines is a script of its own: it starts on a new
    // line, and text after the caret moves to the line after it.
    QString insertion = text;
    int caretBack = back;
    if (text.contains(QLatin1Char('\n'))) {
        const QTextCursor cursor = ui->text_script->textCursor();
        QTextCursor start(ui->text_script->document());
        start.setPosition(cursor.selectionStart());
        QTextCursor end(ui->text_script->document());
        end.setPosition(cursor.selectionEnd());
        if (!start.atBlockStart())
            insertion.prepend(QLatin1Char('\n'));
        if (!end.atBlockEnd()) {
            insertion.append(QLatin1Char('\n'));
            ++caretBack;
        }
    }
    insertAtCursor(insertion, caretBack);
    // The start of the lines says what was inserted; the caret may lie beyond the right edge.
    ui->text_script->horizontalScrollBar()->setValue(0);
}

void MainWindow::selectCategory(QRadioButton* button, const QString& category) {
    // Stored first: leaving the unit page below re-checks this button.
    currentCategoryButton = button->objectName();
    ui->tabMain->setCurrentIndex(0);
    ui->tabMain->setTabText(0, button->text());
    loadFunctionList(category);
}

void MainWindow::on_rb_TRIGONOMETRIC_clicked() {
    selectCategory(ui->rb_TRIGONOMETRIC, QStringLiteral("TRIGONOMETRIC"));
}

void MainWindow::on_rb_ARITHMETIC_clicked() {
    selectCategory(ui->rb_ARITHMETIC, QStringLiteral("ARITHMETIC"));
}

void MainWindow::on_rb_BASECONVERSION_clicked() {
    selectCategory(ui->rb_BASECONVERSION, QStringLiteral("BASECONVERSION"));
}

void MainWindow::on_rb_STATISTICS_clicked() {
    selectCategory(ui->rb_STATISTICS, QStringLiteral("STATISTICS"));
}

void MainWindow::on_rb_FINANCE_clicked() {
    selectCategory(ui->rb_FINANCE, QStringLiteral("FINANCE"));
}

void MainWindow::on_rb_CONSTANTS_clicked() {
    selectCategory(ui->rb_CONSTANTS, QStringLiteral("CONSTANTS"));
}

void MainWindow::on_rb_DATETIME_clicked() {
    selectCategory(ui->rb_DATETIME, QStringLiteral("DATETIME"));
}

void MainWindow::on_rb_USERDEFINE_clicked() {
    selectCategory(ui->rb_USERDEFINE, QStringLiteral("USERDEFINE"));
}

void MainWindow::on_rb_UNITCONVERSION_clicked() {
    ui->tabMain->setCurrentIndex(unitPageIndex);
}

void MainWindow::on_tabMain_currentChanged(int index) {
    // The graph page is no catalogue: the category stays as it was.
    if (graphPage && ui->tabMain->widget(index) == graphPage)
        return;
    if (index == unitPageIndex) {
        ui->rb_UNITCONVERSION->setChecked(true);
        return;
    }
    // Before any category click the first button of the group, the
    // trigonometric one, stands for the list shown at start-up.
    const auto buttons = ui->gbRadio->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* button : buttons) {
        if (currentCategoryButton.isNull() || button->objectName() == currentCategoryButton) {
            button->setChecked(true);
            return;
        }
    }
}

void MainWindow::on_table_funlist_doubleClicked(const QModelIndex& index) {
    if (index.row() < 0 || index.row() >= functionEntries.size())
        return;
    const FunctionEntry entry = functionEntries.at(index.row());
    switch (entry.style) {
    case InsertTemplate:
        insertTemplate(entry.in, entry.bidx);
        break;
    case ConvertResultBase:
        convertResultBase(FunctionXmlReader::toInt(entry.in, QLocale::system()));
        break;
    case InsertConstant:
        insertConstant(entry.in);
        break;
    default:
        break;
    }
}

void MainWindow::on_btn_help_clicked() {
    QString page = helpStartPage;
    const int row = ui->table_funlist->currentIndex().row();
    if (row >= 0 && row < functionEntries.size())
        page = functionEntries.at(row).help;
    openHelpPage(page);
}

void MainWindow::on_btn_url_clicked() {
    // The product has no web page of its own: its pages are the local help.
    openHelpPage(helpStartPage);
}

void MainWindow::openHelpPage(const QString& page) {
    const QUrl url(commonFun.helpUrl(page));
    if (QDesktopServices::openUrl(url))
        return;
    // No browser, or none that takes file URLs: our own window shows the page.
    if (!helpWindow)
        helpWindow = new HelpWindow(langTable, this);
    helpWindow->showPage(url);
}
