// The display menu on the status bar: a digits choice or an angle unit
// re-renders every value on show at once and is still chosen in the next window.
#include "CatalogueShippedData.h"
#include "WindowTest.h"

#include <QAction>
#include <QFile>
#include <QListView>
#include <QTest>
#include <QToolButton>

class DisplayOptionsTest : public WindowTestBase {
protected:
    void SetUp() override {
        WindowTestBase::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
        QFile units(shipped::configFile(QStringLiteral("en_us"), QStringLiteral("unit.xml")));
        ASSERT_TRUE(units.open(QIODevice::ReadOnly));
        installation.writeUnitFile(units.readAll());
        openWindow();
    }
    void reopen() {
        window->close();
        window.reset();
        window = std::make_unique<MainWindow>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void choose(const char* action) { widget<QAction>(action)->trigger(); }
    QStringList column() const {
        return widget<QPlainTextEdit>("view_lineResults")->toPlainText().split(QLatin1Char('\n'));
    }
    QString converted() const { return widget<QLineEdit>("edit_2")->text(); }
    void chooseUnits(const QString& from, const QString& to) {
        for (const auto& [list, name] : {std::pair{"lst_1", from}, std::pair{"lst_2", to}}) {
            auto* view = widget<QListView>(list);
            const QModelIndexList found =
                view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, name);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            view->setCurrentIndex(found.first());
        }
    }
};

TEST_F(DisplayOptionsTest, DigitsReRenderEverythingAtOnceAndAreKept) {
    chooseUnits(QStringLiteral("mile (mi)"), QStringLiteral("kilometre (km)"));
    typeScript(QStringLiteral("x=1/3\nx+1"));
    click("btn_run");
    ASSERT_EQ(result(), QStringLiteral("1.33333333"));
    ASSERT_EQ(column(), QStringList({"0.333333", "1.33333333"}));
    ASSERT_EQ(converted(), QStringLiteral("1.60934"));

    choose("actionDigits_10");
    EXPECT_EQ(result(), QStringLiteral("1.333333333"));
    EXPECT_EQ(column(), QStringList({"0.3333333333", "1.333333333"}));
    EXPECT_EQ(converted(), QStringLiteral("1.609344"));

    reopen();
    EXPECT_TRUE(widget<QAction>("actionDigits_10")->isChecked());
    EXPECT_FALSE(widget<QAction>("actionDigits_standard")->isChecked());
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("1.333333333"));
    EXPECT_EQ(column(), QStringList({"0.3333333333", "1.333333333"}));
}

// The base's digits stay; only the value before them follows the choice.
TEST_F(DisplayOptionsTest, ABaseConversionKeepsItsShape) {
    typeScript(QStringLiteral("1/3"));
    MainWindowTestAccess::convertResultBase(*window, 16);
    ASSERT_EQ(result(), QStringLiteral("0.333333 -->> NOT WHOLE"));
    choose("actionDigits_shortest");
    EXPECT_EQ(result(), QStringLiteral("0.3333333333333333 -->> NOT WHOLE"));
}

TEST_F(DisplayOptionsTest, OkInsertsTheShortestExactValue) {
    chooseUnits(QStringLiteral("mile (mi)"), QStringLiteral("kilometre (km)"));
    setScript(QString(), 0, 0);
    click("btn_ok");
    EXPECT_EQ(script(), QStringLiteral("1.609344"));
}

// The indicator toggles the unit: the column and the result are computed again at once, and the
// next window starts in the unit chosen last.
TEST_F(DisplayOptionsTest, AngleIndicatorRecomputesAtOnceAndIsKept) {
    typeScript(QStringLiteral("x=sin(30)\nacos(-1)"));
    click("btn_run");
    ASSERT_EQ(widget<QToolButton>("btn_angle")->text(), QStringLiteral("R"));
    ASSERT_EQ(result(), QStringLiteral("3.14159265"));
    ASSERT_EQ(column(), QStringList({"-0.988032", "3.14159265"}));

    click("btn_angle");
    EXPECT_EQ(widget<QToolButton>("btn_angle")->text(), QStringLiteral("D"));
    EXPECT_TRUE(widget<QAction>("actionAngleDegrees")->isChecked());
    EXPECT_EQ(result(), QStringLiteral("180"));
    EXPECT_EQ(column(), QStringList({"0.5", "180"}));

    reopen();
    EXPECT_EQ(widget<QToolButton>("btn_angle")->text(), QStringLiteral("D"));
    EXPECT_TRUE(widget<QAction>("actionAngleDegrees")->isChecked());
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("180"));
    EXPECT_EQ(column(), QStringList({"0.5", "180"}));

    // The shortcut works from the editor.
    QTest::keyClick(widget<QPlainTextEdit>("text_script"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(widget<QToolButton>("btn_angle")->text(), QStringLiteral("R"));
    EXPECT_EQ(result(), QStringLiteral("3.14159265"));
}
