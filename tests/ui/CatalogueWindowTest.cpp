// The function page driven as a user drives it: category buttons, the tab
// bar, double-clicks on the list, the help and web buttons, with small
// catalogues written by each case.
#include "CatalogueXmlParts.h"
#include "FunctionListTest.h"

#include "CommonFun.h"
#include "ShownToolTip.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHeaderView>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

namespace {

// One category per button; USERDEFINE is absent and STATISTICS empty.
QByteArray smallCatalogue() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<functions>"
           "<TRIGONOMETRIC>" +
           fun("sin(x)", "sin()", "1", "1", "sine", "trig.html") +
           fun("cos(x)", "cos()", "1", "1", "cosine", "trig.html") +
           "</TRIGONOMETRIC>"
           "<ARITHMETIC>" +
           fun("pow(x,y)", "pow(,)", "2", "1", "power", "power.html") +
           fun("far back", "ab", "99", "1", "back-step past the start", "power.html") +
           fun("two lines", "a=2&#10;a*3", "0", "1", "a script", "power.html") +
           "</ARITHMETIC>"
           "<BASECONVERSION>" +
           fun("hex", "16", "0", "2", "base 16", "base.html") +
           fun("binary", "2", "0", "2", "base 2", "base.html") +
           fun("no base", "x", "0", "2", "not a number", "base.html") +
           "</BASECONVERSION>"
           "<STATISTICS></STATISTICS>"
           "<FINANCE>" +
           fun("no help", "1+1", "0", "1", "empty help", "") +
           "</FINANCE>"
           "<CONSTANTS>" +
           fun("pi", "pi=3.14159265358979", "0", "3", "circle", "constants.html") +
           fun("answer", "answer", "0", "3", "no equals sign", "constants.html") +
           "</CONSTANTS>"
           "<DATETIME>" +
           fun("style 0", "today()", "0", "0", "does nothing", "dateadd.html") +
           fun("style 7", "today()", "0", "7", "does nothing", "dateadd.html") +
           "<fun vk_show=\"attr\" vk_in=\"x\" vk_bidx=\"1\" vk_style=\"1\" "
           "vk_shortdesc=\"attributes\" vk_help=\"a.html\"/>"
           "</DATETIME>"
           "</functions>";
}

QUrl helpPage(const QString& page) {
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/lang/zh_cn/help/") + page);
}

} // namespace

class CatalogueTest : public FunctionListTest {
protected:
    void SetUp() override {
        FunctionListTest::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
        installation.writeFunctionFile(smallCatalogue());
        openWindow();
    }

    QRadioButton* button(const char* name) const { return widget<QRadioButton>(name); }
    QTabWidget* tabs() const { return widget<QTabWidget>("tabMain"); }
    void clickHelp() { click("btn_help"); }
};

TEST_F(CatalogueTest, StartsWithTheTrigonometricEntriesNamesSizedToFit) {
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(table()->model()->columnCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("sin(x)"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("sine"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("cos(x)"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("cosine"));
    const QHeaderView* header = table()->horizontalHeader();
    EXPECT_EQ(header->sectionResizeMode(0), QHeaderView::ResizeToContents);
    EXPECT_EQ(header->sectionResizeMode(1), QHeaderView::Stretch);
    EXPECT_LT(header->sectionSize(0), header->sectionSize(1));
    EXPECT_FALSE(table()->currentIndex().isValid());
}

// A name or description too long for its column is read in full from the tooltip.
TEST_F(CatalogueTest, EveryCellHasItsWholeTextAsTooltip) {
    const QString longText(300, QLatin1Char('w'));
    installation.writeFunctionFile(
        "<f><ARITHMETIC>" + fun(longText.toLatin1(), "1", "0", "1", longText.toLatin1(), "a.html") +
        "</ARITHMETIC></f>");
    clickCategory("rb_ARITHMETIC");
    ASSERT_EQ(rows(), 1);
    for (int column = 0; column < 2; ++column) {
        const QModelIndex index = table()->model()->index(0, column);
        EXPECT_EQ(shownToolTip(index.data(Qt::ToolTipRole).toString()), longText) << column;
    }
}

// Markup in the catalogue is shown as typed, so it can load nothing.
TEST_F(CatalogueTest, MarkupInATooltipIsShownAsTyped) {
    installation.writeFunctionFile(
        "<f><ARITHMETIC>" +
        fun("&lt;img src=\"x.png\"&gt;", "1", "0", "1", "&lt;b&gt;x  y&lt;/b&gt;", "a.html") +
        "</ARITHMETIC></f>");
    clickCategory("rb_ARITHMETIC");
    ASSERT_EQ(rows(), 1);
    const QStringList typed{QStringLiteral("<img src=\"x.png\">"), QStringLiteral("<b>x  y</b>")};
    for (int column = 0; column < 2; ++column) {
        const QModelIndex index = table()->model()->index(0, column);
        EXPECT_EQ(shownToolTip(index.data(Qt::ToolTipRole).toString()), typed.at(column));
    }
}

namespace {

struct CategoryRow {
    const char* name;
    const char* button;
    const char* caption;
    QStringList shown;
};

void PrintTo(const CategoryRow& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class CategoryButtonTest : public CatalogueTest,
                           public ::testing::WithParamInterface<CategoryRow> {};

TEST_P(CategoryButtonTest, ListsItsCategoryUnderItsCaption) {
    const CategoryRow& row = GetParam();
    clickCategory(row.button);
    EXPECT_EQ(shown(), row.shown);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(tabs()->tabText(0), QString::fromUtf8(row.caption));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Units"));
    EXPECT_EQ(checkedCategoryButton(), QString::fromLatin1(row.button));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Catalogue, CategoryButtonTest,
    ::testing::Values(
        CategoryRow{"Trigonometric", "rb_TRIGONOMETRIC", "Trig", {"sin(x)", "cos(x)"}},
        CategoryRow{"Arithmetic", "rb_ARITHMETIC", "Arith", {"pow(x,y)", "far back", "two lines"}},
        CategoryRow{"BaseConversion", "rb_BASECONVERSION", "Bases", {"hex", "binary", "no base"}},
        CategoryRow{"EmptyStatistics", "rb_STATISTICS", "Stats", {}},
        CategoryRow{"Finance", "rb_FINANCE", "Money", {"no help"}},
        CategoryRow{"Constants", "rb_CONSTANTS", "Consts", {"pi", "answer"}},
        CategoryRow{"DateTimeWithAttributeFields", "rb_DATETIME", "Dates", {"style 0", "style 7", ""}},
        CategoryRow{"AbsentUserDefine", "rb_USERDEFINE", "Mine", {}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(CatalogueTest, EveryClickReadsTheFileAgain) {
    clickCategory("rb_ARITHMETIC");
    installation.writeFunctionFile("<f><ARITHMETIC>" +
                                   fun("abs(x)", "abs()", "1", "1", "absolute", "a.html") +
                                   "</ARITHMETIC></f>");
    clickCategory("rb_ARITHMETIC");
    EXPECT_EQ(shown(), QStringList{QStringLiteral("abs(x)")});
}

TEST_F(CatalogueTest, AMissingFileKeepsThePreviousEntriesUnderTheNewCaption) {
    ASSERT_TRUE(QFile::remove(CommonFun().functionFilePath()));
    clickCategory("rb_ARITHMETIC");
    EXPECT_EQ(shown(), QStringList({"sin(x)", "cos(x)"}));
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Arith"));
    // The kept entries still act: the first inserts its template.
    doubleClickRow(0);
    EXPECT_EQ(script(), QStringLiteral("sin()"));
}

TEST_F(CatalogueTest, ABrokenFileKeepsThePreviousEntries) {
    clickCategory("rb_CONSTANTS");
    for (const QByteArray& broken :
         {QByteArray("<functions><ARITHMETIC><fun>"), QByteArray(), QByteArray("not xml")}) {
        installation.writeFunctionFile(broken);
        clickCategory("rb_ARITHMETIC");
        EXPECT_EQ(shown(), QStringList({"pi", "answer"})) << broken.toStdString();
    }
}

TEST_F(CatalogueTest, FieldsWrittenAsAttributesAreListedEmptyAndDoNothing) {
    clickCategory("rb_DATETIME");
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(cell(2, 0), QString());
    EXPECT_EQ(cell(2, 1), QString());
    setScript(QStringLiteral("1+2"), 1, 1);
    doubleClickRow(2);
    EXPECT_EQ(script(), QStringLiteral("1+2"));
}

TEST_F(CatalogueTest, StylesOtherThanOneToThreeDoNothing) {
    clickCategory("rb_DATETIME");
    setScript(QStringLiteral("1+2"), 3, 3);
    doubleClickRow(0);
    doubleClickRow(1, 1);
    EXPECT_EQ(script(), QStringLiteral("1+2"));
    EXPECT_TRUE(result().isEmpty());
}

// Without a single category click the trigonometric button stands for the list.
TEST_F(CatalogueTest, TheTabBarSwitchesPagesAndKeepsTheButtonsInStep) {
    clickTab(1);
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_UNITCONVERSION"));
    clickTab(0);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_TRIGONOMETRIC"));
    EXPECT_EQ(shown(), QStringList({"sin(x)", "cos(x)"}));
}

TEST_F(CatalogueTest, ReturningByTheTabBarChecksTheLastCategoryWithoutReading) {
    clickCategory("rb_FINANCE");
    clickTab(1);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_UNITCONVERSION"));
    installation.writeFunctionFile("<f><FINANCE/></f>");
    clickTab(0);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_FINANCE"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("no help")});
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Money"));
}

TEST_F(CatalogueTest, TheUnitButtonOnlyShowsTheUnitPage) {
    clickCategory("rb_CONSTANTS");
    installation.writeFunctionFile("<f/>");
    clickCategory("rb_UNITCONVERSION");
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_UNITCONVERSION"));
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Consts"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Units"));
    EXPECT_EQ(shown(), QStringList({"pi", "answer"}));
    clickTab(0);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_CONSTANTS"));
    EXPECT_EQ(shown(), QStringList({"pi", "answer"}));
}

TEST_F(CatalogueTest, TheUnitButtonBeforeAnyCategoryReturnsToTrigonometric) {
    clickCategory("rb_UNITCONVERSION");
    clickTab(0);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_TRIGONOMETRIC"));
}

TEST_F(CatalogueTest, ACategoryClickedOnTheUnitPageReturnsToTheFunctionPage) {
    clickCategory("rb_UNITCONVERSION");
    clickCategory("rb_ARITHMETIC");
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(checkedCategoryButton(), QStringLiteral("rb_ARITHMETIC"));
    EXPECT_EQ(shown(), QStringList({"pow(x,y)", "far back", "two lines"}));
}

TEST_F(CatalogueTest, ATemplateGoesInAtTheCaretWithTheCaretInside) {
    setScript(QStringLiteral("1+\n2"), 2, 2);
    doubleClickRow(0);
    EXPECT_EQ(script(), QStringLiteral("1+sin()\n2"));
    EXPECT_EQ(caret(), 6);
    EXPECT_TRUE(editorHasFocus());
}

// The arrows move within the list; Tab goes on through the window.
TEST_F(CatalogueTest, TabLeavesTheListInsteadOfWalkingItsCells) {
    table()->setFocus();
    table()->setCurrentIndex(table()->model()->index(0, 0));
    QTest::keyClick(table(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), table());
}

TEST_F(CatalogueTest, EitherColumnActsOnItsRowsEntryAndReplacesTheSelection) {
    clickCategory("rb_ARITHMETIC");
    setScript(QStringLiteral("x+y"), 0, 1);
    doubleClickRow(0, 1);
    EXPECT_EQ(script(), QStringLiteral("pow(,)+y"));
    EXPECT_EQ(caret(), 4);
}

TEST_F(CatalogueTest, ABackStepPastTheStartLeavesTheCaretAfterTheInsertion) {
    clickCategory("rb_ARITHMETIC");
    doubleClickRow(1);
    EXPECT_EQ(script(), QStringLiteral("ab"));
    EXPECT_EQ(caret(), 2);
}

TEST_F(CatalogueTest, AMultiLineTemplateRuns) {
    clickCategory("rb_ARITHMETIC");
    doubleClickRow(2);
    EXPECT_EQ(script(), QStringLiteral("a=2\na*3"));
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("6"));
}

namespace {

struct PlacementRow {
    const char* name;
    const char* script;
    int anchor, position;
    const char* expected;
    int caret;
};

void PrintTo(const PlacementRow& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class MultiLinePlacementTest : public CatalogueTest,
                               public ::testing::WithParamInterface<PlacementRow> {};

// A script template never glues its first line onto the caret's line, nor its
// last line onto what follows the caret.
TEST_P(MultiLinePlacementTest, StartsOnALineOfItsOwn) {
    const PlacementRow& row = GetParam();
    clickCategory("rb_ARITHMETIC");
    setScript(QString::fromLatin1(row.script), row.anchor, row.position);
    doubleClickRow(2);
    EXPECT_EQ(script(), QString::fromLatin1(row.expected));
    EXPECT_EQ(caret(), row.caret);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Catalogue, MultiLinePlacementTest, ::testing::Values(
    PlacementRow{"AtTheEndOfALine",    "1+2",      3, 3, "1+2\na=2\na*3",        11},
    PlacementRow{"InTheMiddle",        "1+2",      1, 1, "1\na=2\na*3\n+2",      9},
    PlacementRow{"AtALineStart",       "1\n2",    2, 2, "1\na=2\na*3\n2",       9},
    PlacementRow{"OnAnEmptyLine",      "1\n\n2", 2, 2, "1\na=2\na*3\n2",       9},
    PlacementRow{"ReplacingMidLine",   "1+2+3",    1, 4, "1\na=2\na*3\n3",       9}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

// The own help window closes with Escape, also where no window manager
// offers a close button.
TEST_F(CatalogueTest, TheHelpWindowClosesWithEscape) {
    installation.writeHelpPage(QStringLiteral("main.html"),
                               "<html><body><p>Start</p></body></html>");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    clickHelp();
    auto* help = window->findChild<QWidget*>(QStringLiteral("helpWindow"));
    ASSERT_NE(help, nullptr);
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; }));
    QTest::keyClick(help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser")), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

// Without a browser the help page opens in the program's own help window.
TEST_F(CatalogueTest, WithoutABrowserHelpOpensInItsOwnWindow) {
    installation.writeHelpPage(
        QStringLiteral("main.html"),
        "<html><body><p>Start</p><a href=\"power.html\">next</a></body></html>");
    installation.writeHelpPage(QStringLiteral("power.html"),
                               "<html><body><p>Powers</p></body></html>");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    clickHelp();
    auto* help = window->findChild<QWidget*>(QStringLiteral("helpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source(), helpPage(QStringLiteral("main.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Start")));

    browser->setSource(helpPage(QStringLiteral("power.html")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Powers")));
    auto* back = help->findChild<QAction*>(QStringLiteral("helpBack"));
    auto* forward = help->findChild<QAction*>(QStringLiteral("helpForward"));
    ASSERT_TRUE(back && forward);
    ASSERT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(browser->source(), helpPage(QStringLiteral("main.html")));
    ASSERT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(browser->source(), helpPage(QStringLiteral("power.html")));

    // F1 opens the start page in the same window.
    widget<QAction>("actionHelp")->trigger();
    EXPECT_EQ(window->findChildren<QWidget*>(QStringLiteral("helpWindow")).size(), 1);
    EXPECT_EQ(browser->source(), helpPage(QStringLiteral("main.html")));
}

namespace {

struct BaseRow {
    const char* name;
    int row;
    const char* shown;
};

void PrintTo(const BaseRow& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class BaseEntryTest : public CatalogueTest, public ::testing::WithParamInterface<BaseRow> {};

TEST_P(BaseEntryTest, RunsTheScriptAndShowsTheResultInTheBase) {
    clickCategory("rb_BASECONVERSION");
    typeScript(QStringLiteral("a=250\na+5"));
    doubleClickRow(GetParam().row);
    EXPECT_EQ(result(), QString::fromLatin1(GetParam().shown));
    EXPECT_EQ(script(), QStringLiteral("a=250\na+5"));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BaseEntryTest,
                         ::testing::Values(BaseRow{"Hexadecimal", 0, "255 -->> FF"},
                                           BaseRow{"Binary", 1, "255 -->> 11111111"},
                                           BaseRow{"NotANumberIsDecimal", 2, "255 -->> 255"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(CatalogueTest, AConstantIsDefinedOnTopOnceAndRuns) {
    clickCategory("rb_CONSTANTS");
    doubleClickRow(0);
    EXPECT_EQ(script(), QStringLiteral("pi=3.14159265358979\npi"));
    EXPECT_EQ(caret(), script().size());
    typeScript(QStringLiteral("+"));
    doubleClickRow(0, 1);
    EXPECT_EQ(script(), QStringLiteral("pi=3.14159265358979\npi+pi"));
    EXPECT_EQ(caret(), script().size());
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("6.28318531"));
}

TEST_F(CatalogueTest, AKeypadDefinitionOfPiCountsAsTheCataloguesOne) {
    click("btn_pi");
    clickCategory("rb_CONSTANTS");
    doubleClickRow(0);
    EXPECT_EQ(script(), QStringLiteral("pi=3.1415926535897\npipi"));
}

TEST_F(CatalogueTest, AConstantWithoutEqualsSignIsNameAndDefinitionAtOnce) {
    clickCategory("rb_CONSTANTS");
    setScript(QStringLiteral("1+"), 2, 2);
    doubleClickRow(1);
    EXPECT_EQ(script(), QStringLiteral("answer\n1+answer"));
    EXPECT_EQ(caret(), script().size());
}

TEST_F(CatalogueTest, HelpOpensTheStartPageWithoutACurrentRow) {
    clickHelp();
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

TEST_F(CatalogueTest, HelpOpensThePageOfTheCurrentEntry) {
    clickCategory("rb_ARITHMETIC");
    clickRow(0);
    clickHelp();
    const QList<QUrl> opened = urls.take();
    ASSERT_EQ(opened, QList<QUrl>{helpPage(QStringLiteral("power.html"))});
    EXPECT_EQ(opened.first().toLocalFile(), QCoreApplication::applicationDirPath() +
                                                QStringLiteral("/lang/zh_cn/help/power.html"));
    EXPECT_EQ(opened.first(), QUrl(CommonFun().helpUrl(QStringLiteral("power.html"))));
}

TEST_F(CatalogueTest, HelpReturnsToTheStartPageAfterTheListIsRefilled) {
    clickRow(1);
    clickCategory("rb_TRIGONOMETRIC");
    clickHelp();
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

TEST_F(CatalogueTest, HelpOfAnEntryWithoutPageOpensTheStartPage) {
    clickCategory("rb_FINANCE");
    clickRow(0);
    clickHelp();
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

TEST_F(CatalogueTest, HelpOfAnEmptyCategoryOpensTheStartPage) {
    clickCategory("rb_STATISTICS");
    clickHelp();
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

TEST_F(CatalogueTest, TheVersionButtonOpensTheLocalHelp) {
    clickRow(1);
    click("btn_url");
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

class CatalogueStartTest : public FunctionListTest {};

TEST_F(CatalogueStartTest, WithoutAFileTheListIsEmptyAndHelpStillOpens) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(table()->model()->columnCount(), 2);
    clickCategory("rb_ARITHMETIC");
    EXPECT_EQ(rows(), 0);
    click("btn_help");
    EXPECT_EQ(urls.take(), QList<QUrl>{helpPage(QStringLiteral("main.html"))});
}

TEST_F(CatalogueStartTest, AHugeCategoryIsListedWhole) {
    QByteArray entries;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray n = QByteArray::number(i);
        entries += fun("f" + n, "v" + n, "0", "1", "entry " + n, "x.html");
    }
    installation.writeFunctionFile("<f><TRIGONOMETRIC>" + entries + "</TRIGONOMETRIC></f>");
    openWindow();
    ASSERT_EQ(rows(), 5000);
    EXPECT_EQ(cell(4999, 1), QStringLiteral("entry 4999"));
    doubleClickRow(4999);
    EXPECT_EQ(script(), QStringLiteral("v4999"));
}
