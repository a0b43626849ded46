// Data files that once blocked or stalled the window's start-up, or left it
// without captions: FIFOs, deep nesting, oversized files, missing or empty
// string tables, and captions of megabytes.
#include "WindowTest.h"

#include "CommonFun.h"
#include "HelpWindow.h"
#include "TestInstallation.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QMenu>
#include <QTableView>
#include <QTextBrowser>
#include <QUrl>

#include <sys/stat.h>

namespace {

const QByteArray oneFunction =
    "<TRIGONOMETRIC><fun><vk_show>sin(x)</vk_show><vk_in>sin()</vk_in></fun></TRIGONOMETRIC>";
const QByteArray oneUnit = "<Linear><def><unit>m</unit><num>1</num></def></Linear>";

// depth elements nested in each other, then closed.
QByteArray nested(int depth) {
    QByteArray xml;
    xml.reserve(depth * 7);
    for (int i = 0; i < depth; ++i)
        xml += "<a>";
    for (int i = 0; i < depth; ++i)
        xml += "</a>";
    return xml;
}

QByteArray langTableOf(const TestInstallation::Entries& entries) {
    QByteArray xml = "<lang>";
    for (const auto& [code, desc] : entries)
        xml += "<code>" + code.toUtf8() + "</code><desc>" + desc.toUtf8() + "</desc>";
    return xml + "</lang>";
}

} // namespace

class DataFileWindowTest : public WindowTestBase {
protected:
    void SetUp() override {
        WindowTestBase::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
    }

    int functionRows() const { return widget<QTableView>("table_funlist")->model()->rowCount(); }
    int unitRows() const { return widget<QListView>("lst_1")->model()->rowCount(); }

    static void makeFifo(const QString& path) {
        QFile::remove(path);
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    }
};

TEST_F(DataFileWindowTest, CataloguesThatAreFifosAreNotOpened) {
    installation.writeFunctionFile("<f/>");
    installation.writeUnitFile("<u/>");
    makeFifo(CommonFun().functionFilePath());
    makeFifo(CommonFun().unitFilePath());
    openWindow();
    EXPECT_EQ(functionRows(), 0);
    EXPECT_EQ(unitRows(), 0);
}

TEST_F(DataFileWindowTest, DeepNestingIsReadInOnePass) {
    installation.writeFunctionFile("<f>" + oneFunction + nested(100000) + "</f>");
    installation.writeUnitFile("<u>" + oneUnit + nested(100000) + "</u>");
    openWindow();
    EXPECT_EQ(functionRows(), 1);
    EXPECT_EQ(unitRows(), 1);
}

TEST_F(DataFileWindowTest, CataloguesOverTheSizeLimitCountAsMissing) {
    const QByteArray padding = "<!--" + QByteArray(8 << 20, 'x') + "-->";
    installation.writeFunctionFile("<f>" + oneFunction + padding + "</f>");
    installation.writeUnitFile("<u>" + oneUnit + padding + "</u>");
    openWindow();
    EXPECT_EQ(functionRows(), 0);
    EXPECT_EQ(unitRows(), 0);
}

TEST_F(DataFileWindowTest, TheTitleIsCutToASaneLength) {
    installation.writeLangTable({{QStringLiteral("IDS_APP_NAME"), QString(100000, 'T')}});
    openWindow();
    EXPECT_EQ(window->windowTitle(), QString(1000, 'T'));
}

TEST_F(DataFileWindowTest, AnEmptyTableGivesWayToTheOtherLanguage) {
    installation.writeLangFile("");
    const QString english =
        QCoreApplication::applicationDirPath() + QStringLiteral("/lang/en_us/config/");
    ASSERT_TRUE(QDir().mkpath(english));
    QFile file(english + QStringLiteral("lang.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(langTableOf({{QStringLiteral("IDS_TAB_HELP"), QStringLiteral("English help")}}));
    file.close();
    openWindow();
    EXPECT_EQ(widget<QMenu>("menuHelp")->title(), QStringLiteral("English help"));
}

TEST_F(DataFileWindowTest, AHelpPageThatIsAFifoIsNotOpened) {
    installation.writeHelpPage(QStringLiteral("main.html"), "<p>Start</p>");
    const QString page = QUrl(CommonFun().helpUrl(QStringLiteral("main.html"))).toLocalFile();
    makeFifo(page);
    openWindow();
    HelpWindow help({});
    help.showPage(QUrl::fromLocalFile(page));
    auto* browser = help.findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->toPlainText(), QString());
}
