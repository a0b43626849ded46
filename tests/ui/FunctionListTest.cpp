#include "FunctionListTest.h"

#include <QDesktopServices>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <stdexcept>
#include <utility>

QList<QUrl> UrlRecorder::take() {
    return std::exchange(opened, {});
}

void UrlRecorder::openUrl(const QUrl& url) {
    opened.append(url);
}

void FunctionListTest::SetUp() {
    WindowTestBase::SetUp();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &urls, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &urls, "openUrl");
}

void FunctionListTest::TearDown() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    WindowTestBase::TearDown();
}

QTableView* FunctionListTest::table() const {
    return widget<QTableView>("table_funlist");
}

int FunctionListTest::rows() const {
    return table()->model() ? table()->model()->rowCount() : 0;
}

QString FunctionListTest::cell(int row, int column) const {
    return table()->model()->index(row, column).data().toString();
}

QStringList FunctionListTest::shown() const {
    QStringList names;
    for (int row = 0; row < rows(); ++row)
        names << cell(row, 0);
    return names;
}

namespace {

QPoint cellCentre(QTableView* view, int row, int column) {
    const QModelIndex index = view->model()->index(row, column);
    if (!index.isValid())
        throw std::runtime_error("the function list has no such cell");
    view->scrollTo(index);
    return view->visualRect(index).center();
}

} // namespace

void FunctionListTest::clickRow(int row, int column) {
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      cellCentre(table(), row, column));
}

void FunctionListTest::doubleClickRow(int row, int column) {
    // The sequence a desktop delivers: the view acts only on a double-click
    // over the cell that the first press hit.
    QWidget* viewport = table()->viewport();
    const QPoint at = cellCentre(table(), row, column);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
}

void FunctionListTest::clickCategory(const char* buttonName) {
    // On the indicator: a radio button takes clicks only on its indicator and
    // caption, which may be far narrower than the button.
    auto* button = widget<QRadioButton>(buttonName);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

void FunctionListTest::clickTab(int index) {
    QTabBar* bar = widget<QTabWidget>("tabMain")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

QString FunctionListTest::checkedCategoryButton() const {
    QString checked;
    for (QRadioButton* button : widget<QWidget>("gbRadio")->findChildren<QRadioButton*>()) {
        if (button->isChecked()) {
            if (!checked.isEmpty())
                return QStringLiteral("more than one");
            checked = button->objectName();
        }
    }
    return checked;
}
