// The unit page: the kinds of quantity in listType, the units of the kind read
// last from unit.xml in lst_1 and lst_2, and the conversion of edit_1's value
// from lst_1's unit into lst_2's, shown in edit_2.
//
//   listType row --> loadUnitCategory --UnitXmlReader--> unitEntries, unitIndex, unitOffsets
//                                     --> unitModel --> lst_1, lst_2
//   edit_1 / lst_1 / lst_2 (current unit) --> updateConversion --> edit_2
//   btn_ok --> the converted value's shortest exact text --> script
#include "MainWindow.h"

#include "DisplayOptions.h"
#include "PlainToolTip.h"
#include "UnitConversion.h"
#include "UnitXmlReader.h"
#include "ui_mainwindow.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QStandardItem>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace {

// The kinds in listType order: caption key and element of unit.xml.
const std::array<std::pair<const char*, const char*>, 11> unitKinds{{
    {"IDS_CB_LINEAR", "Linear"},
    {"IDS_CB_AREA", "Area"},
    {"IDS_CB_VOLUME", "Volume"},
    {"IDS_CB_MASS", "Mass"},
    {"IDS_CB_TEMPERATURE", "Temperature"},
    {"IDS_CB_TIME", "Time"},
    {"IDS_CB_SPEED", "Speed"},
    {"IDS_CB_DATA", "Data"},
    {"IDS_CB_ENERGY", "Energy"},
    {"IDS_CB_PRESSURE", "Pressure"},
    {"IDS_CB_ANGLE", "Angle"},
}};

} // namespace

void MainWindow::initUnitPage() {
    // The converted value stands out in the theme's own alternate colour,
    // which its text colour is made to be read on, in light and dark themes.
    QPalette palette = ui->edit_2->palette();
    palette.setBrush(QPalette::Base, palette.brush(QPalette::AlternateBase));
    ui->edit_2->setPalette(palette);

    // No unit is current yet, so this computes nothing.
    ui->edit_1->setText(QStringLiteral("1"));
    // A caption too long for the list is read in full from its tooltip, as
    // a unit's name is.
    for (const auto& [key, element] : unitKinds) {
        const QString caption = langTable.value(QLatin1String(key));
        auto* item = new QListWidgetItem(caption, ui->listType);
        item->setToolTip(plainToolTip(caption));
    }
    loadUnitCategory(QLatin1String(unitKinds.front().second));
}

void MainWindow::loadUnitCategory(const QString& category) {
    const QString path = commonFun.unitFilePath();
    // A file that cannot be read or parsed keeps the units read before; the
    // lists are rebuilt from them all the same.
    if (!path.isEmpty())
        UnitXmlReader(unitIndex, unitEntries, unitOffsets).readFile(path, category);

    unitModel.clear();
    unitModel.setColumnCount(1);
    unitModel.setRowCount(int(unitEntries.size()));
    for (int row = 0; row < int(unitEntries.size()); ++row) {
        auto* item = new QStandardItem(unitEntries.at(row));
        // A name too long for the list is read in full from its tooltip.
        item->setToolTip(plainToolTip(unitEntries.at(row)));
        unitModel.setItem(row, 0, item);
    }
    ui->lst_1->setModel(&unitModel);
    ui->lst_2->setModel(&unitModel);

    // A unit chosen by keyboard, mouse or code recomputes alike. The views
    // keep their selection models while the model stays the same, so the
    // connections are made once.
    for (const QListView* list : {ui->lst_1, ui->lst_2})
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &MainWindow::updateConversion, Qt::UniqueConnection);

    // Without units the index is invalid and the lists have no current row.
    const QModelIndex first = unitModel.index(0, 0);
    ui->lst_1->selectionModel()->setCurrentIndex(first, QItemSelectionModel::SelectCurrent);
    ui->lst_2->selectionModel()->setCurrentIndex(first, QItemSelectionModel::SelectCurrent);
    updateConversion();
}

std::optional<double> MainWindow::convertedUnitValue() const {
    const int fromRow = ui->lst_1->currentIndex().row();
    const int toRow = ui->lst_2->currentIndex().row();
    if (fromRow < 0 || toRow < 0)
        return std::nullopt;
    const double value = unitInputValue(ui->edit_1->text(), QLocale::system());
    const QString from = unitModel.index(fromRow, 0).data().toString();
    const QString to = unitModel.index(toRow, 0).data().toString();
    return convertUnitValue(value, unitIndex.value(from, 0.0), unitIndex.value(to, 0.0),
                            unitOffsets.value(from, 0.0), unitOffsets.value(to, 0.0));
}

void MainWindow::updateConversion() {
    if (const std::optional<double> result = convertedUnitValue())
        ui->edit_2->setText(unitValueText(*result, displayOptions->options().digits));
}

void MainWindow::on_listType_currentRowChanged(int currentRow) {
    // Focusing the list makes its first row current: the kind on show already, whose chosen
    // units stay.
    if (currentRow == shownUnitKind)
        return;
    if (currentRow >= 0 && currentRow < int(unitKinds.size())) {
        shownUnitKind = currentRow;
        loadUnitCategory(QLatin1String(unitKinds.at(std::size_t(currentRow)).second));
    }
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
    // The full value, not the digits on show; and never glued onto a
    // number, name or bracket just before the caret.
    const std::optional<double> result = convertedUnitValue();
    QString text = result ? unitValueInsertText(*result) : QString();
    const int before = ui->text_script->textCursor().selectionStart() - 1;
    if (!text.isEmpty() && before >= 0 &&
        needsTimesBefore(ui->text_script->document()->characterAt(before)))
        text.prepend(QLatin1Char('*'));
    insertAtCursor(text, 0);
}
