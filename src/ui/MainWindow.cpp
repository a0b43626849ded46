#include "MainWindow.h"

#include "CAboutDialog.h"
#include "LangTable.h"
#include "ui_mainwindow.h"

#include <array>
#include <utility>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow) {
    ui->setupUi(this);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::openAbout);
    connect(ui->actionHelp, &QAction::triggered, this,
            [this] { openHelpPage(QStringLiteral("main.html")); });
    loadLanguage();
    applyLanguage();
    setupDisplayOptions();
    loadFunctionList(QStringLiteral("TRIGONOMETRIC"));
    initUnitPage();
    ui->tabMain->setTabText(0, ui->rb_TRIGONOMETRIC->text());
    ui->tabMain->setTabText(1, ui->rb_UNITCONVERSION->text());
    setupEditing();
    setupGraph();
}

MainWindow::~MainWindow() {
    delete ui;
}

void MainWindow::loadLanguage() {
    langTable = loadUsableLanguageTable(commonFun.langFilePathsToTry());
}

void MainWindow::applyLanguage() {
    const auto text = [this](const char* key) { return langTable.value(QLatin1String(key)); };

    setWindowTitle(text("IDS_APP_NAME"));
    // Menu entries with mnemonics; a language file without them still names
    // both entries.
    const QString about = text("IDS_MENU_ABOUT");
    ui->actionAbout->setText(about.isEmpty() ? text("IDS_TAB_ABOUT") + QLatin1String("...")
                                             : about);
    const QString help = text("IDS_MENU_HELP");
    ui->actionHelp->setText(help.isEmpty() ? text("IDS_TAB_HELP") : help);
    ui->btn_url->setText(text("IDS_ALL_VERSION"));

    const std::array<std::pair<QRadioButton*, const char*>, 9> categories{{
        {ui->rb_TRIGONOMETRIC, "IDS_CB_TRIGONOMETRIC"},
        {ui->rb_ARITHMETIC, "IDS_CB_ARITHMETIC"},
        {ui->rb_BASECONVERSION, "IDS_CB_BASECONVERSION"},
        {ui->rb_STATISTICS, "IDS_CB_STATISTICS"},
        {ui->rb_FINANCE, "IDS_CB_FINANCE"},
        {ui->rb_UNITCONVERSION, "IDS_CB_UNITCONVERSION"},
        {ui->rb_CONSTANTS, "IDS_CB_CONSTANTS"},
        {ui->rb_DATETIME, "IDS_CB_DATETIME"},
        {ui->rb_USERDEFINE, "IDS_CB_USERDEFINE"},
    }};
    for (const auto& [button, key] : categories)
        button->setText(text(key));

    ui->btn_ok->setText(text("IDC_BTN_OK"));
    ui->menuHelp->setTitle(text("IDS_TAB_HELP"));
    applyAccessibleNames();
}

void MainWindow::openAbout() {
    CAboutDialog dialog(this);
    dialog.langTable = &langTable;
    dialog.initTexts();
    dialog.exec();
}
