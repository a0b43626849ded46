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
    // Plain text: a caption from the language file never renders markup.
    ui->lb_title->setTextFormat(Qt::PlainText);
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
    // The body is short: show all of it, each paragraph on one line where it
    // is not too long, rather than a box to scroll. Measured on a copy, since
    // the box's own document is laid out for the box's current width.
    QTextDocument probe;
    probe.setDefaultFont(ui->tb_about->document()->defaultFont());
    probe.setDocumentMargin(ui->tb_about->document()->documentMargin());
    probe.setPlainText(ui->tb_about->toPlainText());
    const qreal maxWidth = fontMetrics().averageCharWidth() * maxLineChars;
    probe.setTextWidth(std::min(maxWidth, probe.size().width()));
    const QSize text = probe.size().toSize();
    const int frame = 2 * ui->tb_about->frameWidth();
    ui->tb_about->setMinimumSize(text.width() + frame, text.height() + frame);
    ui->tb_about->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resize(minimumSizeHint());
}

void CAboutDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
    }
}
