// The help window shows its own folder and nothing else: links elsewhere go
// to the desktop (web and mail) or nowhere, and no image or page is read
// from outside the folder, whatever a page asks for.
#include "FunctionListTest.h"

#include "HelpBrowser.h"
#include "HelpWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTextDocument>

namespace {

QString helpFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lang/zh_cn/help/");
}

struct LinkRow {
    const char* name;
    const char* link;
    bool toDesktop;
};

void PrintTo(const LinkRow& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class HelpBrowserTest : public FunctionListTest {
protected:
    void SetUp() override {
        FunctionListTest::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
        installation.writeHelpPage(QStringLiteral("main.html"), "<p>Start</p>");
        installation.writeHelpPage(QStringLiteral("pic.png"), "not really an image");
        // Reachable by "..": in the installation, but not in the help folder.
        installation.writeFunctionFile("<functions/>");
        for (const char* scheme : {"http", "mailto", "ftp"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &urls, "openUrl");
        help = std::make_unique<HelpWindow>(QMap<QString, QString>());
        help->showPage(QUrl::fromLocalFile(helpFolder() + QStringLiteral("main.html")));
        browser = help->findChild<HelpBrowser*>(QStringLiteral("helpBrowser"));
        ASSERT_NE(browser, nullptr);
    }
    void TearDown() override {
        for (const char* scheme : {"http", "mailto", "ftp"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        help.reset();
        FunctionListTest::TearDown();
    }
    QUrl startPage() const {
        return QUrl::fromLocalFile(helpFolder() + QStringLiteral("main.html"));
    }

    std::unique_ptr<HelpWindow> help;
    HelpBrowser* browser = nullptr;
};

class HelpLinkTest : public HelpBrowserTest, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(HelpLinkTest, OnlyTheHelpFolderIsShownHere) {
    browser->setSource(QUrl(QString::fromLatin1(GetParam().link)));
    EXPECT_EQ(browser->source(), startPage());
    EXPECT_EQ(browser->toPlainText(), QStringLiteral("Start"));
    const QList<QUrl> opened = urls.take();
    if (GetParam().toDesktop)
        EXPECT_EQ(opened, QList<QUrl>{QUrl(QString::fromLatin1(GetParam().link))});
    else
        EXPECT_TRUE(opened.isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Help, HelpLinkTest, ::testing::Values(
    LinkRow{"SystemFile",        "file:///etc/passwd",            false},
    LinkRow{"UpAndOut",          "../config/function.xml",        false},
    LinkRow{"OtherScheme",       "ftp://example.org/x.html",      false},
    LinkRow{"Web",               "http://example.org/x.html",     true},
    LinkRow{"Mail",              "mailto:someone@example.org",    true}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(HelpBrowserTest, ImagesComeOnlyFromTheHelpFolder) {
    const auto image = [this](const QString& name) {
        return browser->loadResource(QTextDocument::ImageResource, QUrl(name));
    };
    EXPECT_EQ(image(QStringLiteral("pic.png")).toByteArray(), QByteArray("not really an image"));
    EXPECT_FALSE(image(QStringLiteral("../config/function.xml")).isValid());
    EXPECT_FALSE(image(QStringLiteral("file:///etc/passwd")).isValid());
}
