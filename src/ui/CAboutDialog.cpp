#include "CAboutDialog.h"

#include "ProductInfo.h"
#include "ui_aboutdialog.h"

#include <QEvent>
#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

namespace {

// The widest the body grows before its paragraphs wrap.
constexpr int maxLineChars = 70;

} // namespace

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
    body += text("IDS_ALL_VERSION");
    // Plain text whatever the language file holds: each line feed starts a
    // paragraph, and markup in a caption is shown as typed, never rendered.
    ui->tb_about->setPlainText(body);
    fitToText();
}

void CAboutDialog::fitToText() {
    // The body is short: show all of it, each paragraph on one line where the
    // screen allows, rather than a box to scroll.
    QTextDocument* document = ui->tb_about->document();
    const int maxWidth = fontMetrics().averageCharWidth() * maxLineChars;
    document->setTextWidth(-1);
    const qreal natural = document->idealWidth() + 2 * document->documentMargin();
    document->setTextWidth(std::min(qreal(maxWidth), natural));
    const QSize text = document->size().toSize();
    const int frame = 2 * ui->tb_about->frameWidth();
    ui->tb_about->setMinimumSize(text.width() + frame, text.height() + frame);
    ui->tb_about->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->tb_about->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    adjustSize();
}

void CAboutDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
}
