// What the window remembers: saved when it closes, restored when the next one
// opens; without settings, or with a broken file, it starts as designed.
#include "CatalogueShippedData.h"
#include "ScreenFit.h"
#include "WindowTest.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>

class SettingsTest : public WindowTestBase {
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
    }
    QAbstractItemView* list(const char* name) const { return widget<QAbstractItemView>(name); }
};

TEST_F(SettingsTest, TheNextWindowStartsWhereThisOneClosed) {
    typeScript(QStringLiteral("a=2\na*21"));
    click("rb_FINANCE");
    widget<QListWidget>("listType")->setCurrentRow(2);
    list("lst_1")->setCurrentIndex(list("lst_1")->model()->index(1, 0));
    list("lst_2")->setCurrentIndex(list("lst_2")->model()->index(2, 0));
    window->resize(900, 700);
    reopen();

    EXPECT_EQ(script(), QStringLiteral("a=2\na*21"));
    EXPECT_EQ(window->size(), QSize(900, 700));
    EXPECT_TRUE(widget<QRadioButton>("rb_FINANCE")->isChecked());
    EXPECT_EQ(widget<QListWidget>("listType")->currentRow(), 2);
    EXPECT_EQ(list("lst_1")->currentIndex().row(), 1);
    EXPECT_EQ(list("lst_2")->currentIndex().row(), 2);
}

TEST_F(SettingsTest, TheFirstStartIsTheDesignedWindow) {
    reopen();
    QSettings().clear();
    window.reset();
    window = std::make_unique<MainWindow>();
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(widget<QRadioButton>("rb_TRIGONOMETRIC")->isChecked());
}

// 1280x1024 at a scale factor of 2 leaves 640x512: less than the window's least size, so its
// contents scroll.
TEST_F(SettingsTest, TheFirstStartFitsAScreenSmallerThanTheWindow) {
    const QSize room(640, 512);
    fitInto(window.get(), room);
    window->show();
    QCoreApplication::processEvents();
    EXPECT_LE(window->width(), room.width());
    EXPECT_LE(window->height(), room.height());
    EXPECT_TRUE(widget<QRadioButton>("rb_TRIGONOMETRIC")->isVisibleTo(window.get()));
}

TEST_F(SettingsTest, ABrokenFileStartsFresh) {
    typeScript(QStringLiteral("7"));
    reopen();
    const QString path = QSettings().fileName();
    window.reset();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[editor\nscript=\"unterminated\n\x01\x02[window]\ngeometry=@ByteArray(zz)\n"
               "[catalogue]\ncategory=rb_NOSUCH\n[units]\nfrom=999\nkind=-4\n");
    file.close();
    window = std::make_unique<MainWindow>();
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_TRUE(widget<QRadioButton>("rb_TRIGONOMETRIC")->isChecked());
    EXPECT_EQ(list("lst_1")->currentIndex().row(), 0);
}
