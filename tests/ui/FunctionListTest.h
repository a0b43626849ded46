#pragma once

#include "WindowTest.h"

#include <QList>
#include <QObject>
#include <QUrl>

class QTableView;

// Takes the URLs the window hands to the desktop instead of opening them.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    // The URLs seen since the last call, oldest first.
    QList<QUrl> take();

public slots:
    void openUrl(const QUrl& url);

private:
    QList<QUrl> opened;
};

// The window with helpers to use the function list as a user does: click a
// row, double-click a cell, read what a row shows. URLs opened for the file
// and https schemes are recorded, never passed on to a browser.
class FunctionListTest : public WindowTestBase {
protected:
    void SetUp() override;
    void TearDown() override;

    QTableView* table() const;
    int rows() const;
    QString cell(int row, int column) const;
    // Every row's first column, top to bottom.
    QStringList shown() const;
    void clickRow(int row, int column = 0);
    void doubleClickRow(int row, int column = 0);
    void clickCategory(const char* buttonName);
    // Clicks the tab of tabMain's page at index, on the tab bar.
    void clickTab(int index);
    QString checkedCategoryButton() const;

    UrlRecorder urls;
};
