#include "CAboutDialog.h"

#include "ProductInfo.h"
#include "ui_aboutdialog.h"

#include <QEvent>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui_CAboutDialog) {
    ui->setupUi(this);
}

CAboutDialog::~CAboutDialog() {
    delete ui;
}

void CAboutDialog::initTexts() {
    static const QMap<QString, QString> noTable;
    const QMap<QString, QString>& table = langTable ? *langTable : noTable;
    const auto text = [&table](const char* key) { return table.value(QLatin1String(key)); };

    setWindowTitle(text("IDS_TAB_ABOUT"));
    ui->lb_title->setText(text("IDC_BTN_LIC1") + QLatin1Char(' ') + QLatin1String(kProductVersion));

    QString body;
    body += text("IDC_BTN_LIC2") + QLatin1Char(' ') + QLatin1String(kProductAuthor) + "\n";
    body += text("IDC_BTN_LIC3") + "\n\n";
    body += text("IDS_LANG_FILE_USE") + "\n" + commonFun.langFileRelativePath() + "\n\n";
    body += text("IDS_ALL_VERSION") + "\n";
    body += QLatin1String(kProductWebAddress) + QLatin1String("\n\n");
    body += QLatin1String("e_mail:") + QLatin1String(kProductMail1) + "\n";
    body += QLatin1String("e_mail:") + QLatin1String(kProductMail2);
    // Plain text whatever the language file holds: each line feed starts a
    // paragraph, and markup in a caption is shown as typed, never rendered.
    ui->tb_about->setPlainText(body);
}

void CAboutDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
}
