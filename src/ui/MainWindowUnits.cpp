// The unit page: the kinds of quantity in listType, the units of the kind read
// last from unit.xml in lst_1 and lst_2, and the conversion of edit_1's value
// from lst_1's unit into lst_2's, shown in edit_2.
//
//   listType row --> loadUnitCategory --UnitXmlReader--> unitEntries, unitIndex
//                                     --> unitModel --> lst_1, lst_2
//   edit_1 / lst_1 / lst_2 --> updateConversion --> edit_2 --btn_ok--> script
#include "MainWindow.h"

#include "UnitConversion.h"
#include "UnitXmlReader.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QLocale>
#include <QStandardItem>

#include <array>
#include <cstddef>
#include <utility>

namespace {

// The kinds in listType order: caption key and element of unit.xml.
const std::array<std::pair<const char*, const char*>, 4> unitKinds{{
    {"IDS_CB_LINEAR", "Linear"},
    {"IDS_CB_AREA", "Area"},
    {"IDS_CB_VOLUME", "Volume"},
    {"IDS_CB_MASS", "Mass"},
}};

} // namespace

void MainWindow::initUnitPage() {
    // No unit is current yet, so this computes nothing.
    ui->edit_1->setText(QStringLiteral("1"));
    for (const auto& [key, element] : unitKinds)
        ui->listType->addItem(langTable.value(QLatin1String(key)));
    loadUnitCategory(QLatin1String(unitKinds.front().second));
}

void MainWindow::loadUnitCategory(const QString& category) {
    const QString path = commonFun.unitFilePath();
    if (!path.isEmpty()) {
        // A file that cannot be opened or parsed keeps the units read before;
        // the lists are rebuilt from them all the same.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            UnitXmlReader(unitIndex, unitEntries).read(&file, category);
    }

    unitModel.clear();
    unitModel.setColumnCount(1);
    unitModel.setRowCount(int(unitEntries.size()));
    for (int row = 0; row < int(unitEntries.size()); ++row)
        unitModel.setItem(row, 0, new QStandardItem(unitEntries.at(row)));
    ui->lst_1->setModel(&unitModel);
    ui->lst_2->setModel(&unitModel);

    // Without units the index is invalid and the lists have no current row.
    const QModelIndex first = unitModel.index(0, 0);
    ui->lst_1->selectionModel()->setCurrentIndex(first, QItemSelectionModel::SelectCurrent);
    ui->lst_2->selectionModel()->setCurrentIndex(first, QItemSelectionModel::SelectCurrent);
    updateConversion();
}

void MainWindow::updateConversion() {
    const int fromRow = ui->lst_1->currentIndex().row();
    const int toRow = ui->lst_2->currentIndex().row();
    if (fromRow < 0 || toRow < 0)
        return;
    const double value = unitInputValue(ui->edit_1->text(), QLocale::system());
    const QString from = unitModel.index(fromRow, 0).data().toString();
    const QString to = unitModel.index(toRow, 0).data().toString();
    const double result =
        convertUnitValue(value, unitIndex.value(from, 0.0), unitIndex.value(to, 0.0));
    ui->edit_2->setText(unitValueText(result));
}

void MainWindow::on_listType_currentRowChanged(int currentRow) {
    if (currentRow >= 0 && currentRow < int(unitKinds.size()))
        loadUnitCategory(QLatin1String(unitKinds.at(std::size_t(currentRow)).second));
}

void MainWindow::on_edit_1_textChanged(const QString&) {
    updateConversion();
}

void MainWindow::on_lst_1_clicked(const QModelIndex&) {
    updateConversion();
}

void MainWindow::on_lst_2_clicked(const QModelIndex&) {
    updateConversion();
}

void MainWindow::on_btn_ok_clicked() {
    insertAtCursor(ui->edit_2->text(), 0);
}
