#include "HelpWindow.h"

#include "HelpBrowser.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QLatin1String contentsPage("main.html");
constexpr int defaultWidth = 720;
constexpr int defaultHeight = 560;

} // namespace

HelpWindow::HelpWindow(const QMap<QString, QString>& langTable, QWidget* parent)
    : QWidget(parent, Qt::Window), browser(new HelpBrowser(this)) {
    const auto text = [&langTable](const char* key) { return langTable.value(QLatin1String(key)); };
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(text("IDS_HELP_TITLE"));
    browser->setObjectName(QStringLiteral("helpBrowser"));
    // The browser itself decides where a link may lead (HelpBrowser).
    browser->setOpenExternalLinks(false);
    browser->setOpenLinks(true);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    backAction = toolBar->addAction(text("IDS_HELP_BACK"), browser, &QTextBrowser::backward);
    backAction->setObjectName(QStringLiteral("helpBack"));
    backAction->setShortcut(QKeySequence::Back);
    forwardAction = toolBar->addAction(text("IDS_HELP_FORWARD"), browser, &QTextBrowser::forward);
    forwardAction->setObjectName(QStringLiteral("helpForward"));
    forwardAction->setShortcut(QKeySequence::Forward);
    contentsAction = toolBar->addAction(text("IDS_HELP_CONTENTS"), this, [this] {
        browser->setSource(browser->source().resolved(QUrl(contentsPage)));
    });
    contentsAction->setObjectName(QStringLiteral("helpContents"));
    // Closes by keyboard too, also where no window manager offers a way.
    auto* closeAction = new QAction(this);
    closeAction->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)});
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);
    backAction->setEnabled(false);
    forwardAction->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, backAction, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardAction, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(browser);
    resize(defaultWidth, defaultHeight);
}

void HelpWindow::showPage(const QUrl& url) {
    // The program names the page, so its folder is the help folder; links
    // and images in the pages may lead no further.
    browser->setHelpFolder(QFileInfo(url.toLocalFile()).absolutePath());
    browser->setSource(url);
    show();
    raise();
    activateWindow();
}
