#pragma once

#include "CommonFun.h"

#include <QDialog>
#include <QMap>
#include <QString>

class Ui_CAboutDialog;

// The About box: title with version, author, notice, the language file in use
// and the version line, all captions taken from the window's string table; a
// Close button, and a size that shows the whole text.
class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    ~CAboutDialog() override;

    // Borrowed from the main window for as long as the dialog is open.
    const QMap<QString, QString>* langTable = nullptr;

    void initTexts();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sizes the text box to the body and the dialog to the text box.
    void fitToText();

    Ui_CAboutDialog* ui;
    CommonFun commonFun;
};
