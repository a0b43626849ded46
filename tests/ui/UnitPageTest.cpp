// The unit page driven as a user drives it: kinds chosen in listType, units
// clicked in lst_1 and lst_2, values typed into edit_1, edit_2 read, btn_ok
// pressed; with small unit files written by each case and with the shipped
// ones.
#include "CatalogueXmlParts.h"
#include "WindowTest.h"

#include "CatalogueShippedData.h"
#include "CommonFun.h"
#include "ShownToolTip.h"
#include "UnitConversion.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QListView>
#include <QListWidget>
#include <QPalette>
#include <QTabWidget>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

// Linear rows: 0 m, 1 km, 2 cm, 3 same m, 4 m again, 5 void, 6 tiny, 7 bad.
// Volume is empty and Mass absent.
QByteArray smallUnits() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<units><Linear>" + def("m", "1") +
           def("km", "0.001") + def("cm", "100") + def("same m", "1") + def("m", "1") +
           def("void", "0") + def("tiny", "1e-10") + def("bad", "abc") + "</Linear><Area>" +
           def("m2", "1") + def("a", "0.01") + "</Area><Volume/></units>";
}

const QStringList linearUnits{"m", "km", "cm", "same m", "m", "void", "tiny", "bad"};

} // namespace

class UnitPageTestBase : public WindowTestBase {
protected:
    QListWidget* kinds() const { return widget<QListWidget>("listType"); }
    QListView* from() const { return widget<QListView>("lst_1"); }
    QListView* to() const { return widget<QListView>("lst_2"); }
    QLineEdit* input() const { return widget<QLineEdit>("edit_1"); }
    QString converted() const { return widget<QLineEdit>("edit_2")->text(); }

    static QStringList units(QListView* view) {
        QStringList names;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            names << view->model()->index(row, 0).data().toString();
        return names;
    }

    static void clickUnit(QListView* view, int row) {
        const QModelIndex index = view->model()->index(row, 0);
        ASSERT_TRUE(index.isValid()) << "no row " << row;
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(index).center());
    }

    static void clickUnit(QListView* view, const QString& name) {
        const int row = int(units(view).indexOf(name));
        ASSERT_GE(row, 0) << "no unit " << name.toStdString();
        clickUnit(view, row);
    }

    void chooseKind(int row) {
        QListWidgetItem* item = kinds()->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(kinds()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          kinds()->visualItemRect(item).center());
    }

    void openOnUnitPage() {
        openWindow();
        widget<QTabWidget>("tabMain")->setCurrentIndex(1);
    }

    void type(const QString& value) {
        input()->clear();
        QTest::keyClicks(input(), value);
    }

    void convert(const QString& value, int fromRow, int toRow) {
        clickUnit(from(), fromRow);
        clickUnit(to(), toRow);
        type(value);
    }
};

class UnitPageTest : public UnitPageTestBase {
protected:
    void SetUp() override {
        UnitPageTestBase::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
        installation.writeUnitFile(smallUnits());
        openOnUnitPage();
    }
};

TEST_F(UnitPageTest, StartsWithLinearUnitsTheFirstCurrentAndNoKindChosen) {
    EXPECT_EQ(input()->text(), QStringLiteral("1"));
    const QStringList captions{"Length", "Area", "Volume", "Mass",     "Temperature", "Time",
                               "Speed",  "Data", "Energy", "Pressure", "Angle"};
    ASSERT_EQ(kinds()->count(), captions.size());
    for (int row = 0; row < captions.size(); ++row)
        EXPECT_EQ(kinds()->item(row)->text(), captions.at(row));
    EXPECT_EQ(kinds()->currentRow(), -1);
    EXPECT_EQ(from()->model(), to()->model());
    EXPECT_EQ(units(from()), linearUnits);
    EXPECT_EQ(from()->currentIndex().row(), 0);
    EXPECT_EQ(to()->currentIndex().row(), 0);
    EXPECT_TRUE(from()->selectionModel()->isRowSelected(0, QModelIndex()));
    EXPECT_TRUE(to()->selectionModel()->isRowSelected(0, QModelIndex()));
    EXPECT_EQ(converted(), QStringLiteral("1"));
}

TEST_F(UnitPageTest, FocusingTheKindsKeepsTheChosenUnits) {
    clickUnit(from(), 2);
    kinds()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(from()->currentIndex().row(), 2);
}

namespace {

struct UnitConversionRow {
    const char* name;
    const char* value;
    int from, to;
    const char* shown;
};

void PrintTo(const UnitConversionRow& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class UnitValueTest : public UnitPageTest,
                      public ::testing::WithParamInterface<UnitConversionRow> {};

TEST_P(UnitValueTest, ShowsTheValueInTheTargetUnit) {
    const UnitConversionRow& c = GetParam();
    convert(QString::fromUtf8(c.value), c.from, c.to);
    EXPECT_EQ(converted(), QString::fromUtf8(c.shown));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(UnitPage, UnitValueTest, ::testing::Values(
    UnitConversionRow{"KilometreToMetre",        "1",        1, 0, "1000"},
    UnitConversionRow{"MetreToCentimetre",       "1.5",      0, 2, "150"},
    UnitConversionRow{"SameNameTwice",           "2.50",     0, 4, "2.5"},
    UnitConversionRow{"EqualFactors",            "2.50",     0, 3, "2.5"},
    UnitConversionRow{"MillionHasAnExponent",    "1000000",  0, 3, "1e+06"},
    UnitConversionRow{"SixDigitsStayFixed",      "123456",   0, 0, "123456"},
    UnitConversionRow{"RoundedToSixDigits",      "1234567",  0, 0, "1.23457e+06"},
    UnitConversionRow{"TenThousandthStaysFixed", "0.0001",   0, 0, "0.0001"},
    UnitConversionRow{"HundredThousandth",       "0.00001",  0, 0, "1e-05"},
    UnitConversionRow{"CompleteExponent",        "1.5",      6, 0, "1.5e+10"},
    UnitConversionRow{"ZeroSourceFactor",        "1",        5, 0, "inf"},
    UnitConversionRow{"ZeroSourceFactorNegative", "-1",      5, 0, "-inf"},
    UnitConversionRow{"ZeroSourceFactorZero",    "0",        5, 0, "nan"},
    UnitConversionRow{"ZeroTargetFactor",        "5",        0, 5, "0"},
    UnitConversionRow{"NonNumericFactorIsZero",  "5",        7, 0, "inf"},
    UnitConversionRow{"TextIsZero",              "abc",      1, 0, "0"},
    UnitConversionRow{"EmptyIsZero",             "",         1, 0, "0"},
    UnitConversionRow{"NoDigitGrouping",         "1,000",    1, 0, "0"},
    UnitConversionRow{"ExponentInput",           "2e3",      0, 1, "2"},
    UnitConversionRow{"Overflow",                "1e308",    0, 2, "inf"},
    UnitConversionRow{"NegativeValue",           "-2",       1, 2, "-200000"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(UnitPageTest, ClickingEitherListRecomputes) {
    type(QStringLiteral("3"));
    clickUnit(from(), 1);
    EXPECT_EQ(converted(), QStringLiteral("3000"));
    clickUnit(to(), 2);
    EXPECT_EQ(converted(), QStringLiteral("300000"));
}

TEST_F(UnitPageTest, KeyboardMovesTheCurrentUnitAndRecomputes) {
    clickUnit(to(), 0);
    QTest::keyClick(to(), Qt::Key_Down);
    QTest::keyClick(to(), Qt::Key_Down);
    EXPECT_EQ(to()->currentIndex().row(), 2);
    EXPECT_EQ(converted(), QStringLiteral("100"));
    QTest::keyClick(from(), Qt::Key_Down);
    EXPECT_EQ(from()->currentIndex().row(), 1);
    EXPECT_EQ(converted(), QStringLiteral("100000"));
}

TEST_F(UnitPageTest, ChoosingAKindResetsBothListsAndKeepsTheValue) {
    convert(QStringLiteral("7"), 1, 2);
    chooseKind(1);
    EXPECT_EQ(kinds()->currentRow(), 1);
    EXPECT_EQ(units(from()), QStringList({"m2", "a"}));
    EXPECT_EQ(units(to()), QStringList({"m2", "a"}));
    EXPECT_EQ(from()->currentIndex().row(), 0);
    EXPECT_EQ(to()->currentIndex().row(), 0);
    EXPECT_EQ(input()->text(), QStringLiteral("7"));
    EXPECT_EQ(converted(), QStringLiteral("7"));
    clickUnit(to(), 1);
    EXPECT_EQ(converted(), QStringLiteral("0.07"));
    chooseKind(0);
    EXPECT_EQ(units(from()), linearUnits);
    EXPECT_EQ(to()->currentIndex().row(), 0);
    EXPECT_EQ(converted(), QStringLiteral("7"));
}

TEST_F(UnitPageTest, AnEmptyOrAbsentKindEmptiesTheListsAndKeepsTheShownValue) {
    convert(QStringLiteral("4"), 1, 0);
    ASSERT_EQ(converted(), QStringLiteral("4000"));
    for (int kind : {2, 3}) {
        chooseKind(kind);
        EXPECT_EQ(from()->model()->rowCount(), 0) << kind;
        EXPECT_FALSE(from()->currentIndex().isValid()) << kind;
        EXPECT_FALSE(to()->currentIndex().isValid()) << kind;
        type(QStringLiteral("9"));
        EXPECT_EQ(converted(), QStringLiteral("4000")) << kind;
    }
}

TEST_F(UnitPageTest, EveryKindChangeReadsTheFileAgain) {
    installation.writeUnitFile("<u><Area>" + def("new", "2") + "</Area></u>");
    chooseKind(1);
    EXPECT_EQ(units(from()), QStringList{QStringLiteral("new")});
    // The kind already current: nothing happens, not even a read.
    installation.writeUnitFile("<u><Area>" + def("newer", "2") + "</Area></u>");
    chooseKind(1);
    EXPECT_EQ(units(from()), QStringList{QStringLiteral("new")});
}

TEST_F(UnitPageTest, AMissingOrBrokenFileKeepsTheUnitsAndResetsTheLists) {
    convert(QStringLiteral("5"), 1, 2);
    ASSERT_TRUE(QFile::remove(CommonFun().unitFilePath()));
    chooseKind(1);
    EXPECT_EQ(units(from()), linearUnits);
    EXPECT_EQ(from()->currentIndex().row(), 0);
    EXPECT_EQ(to()->currentIndex().row(), 0);
    EXPECT_EQ(converted(), QStringLiteral("5"));

    installation.writeUnitFile("<units><Area><def><unit>x</unit>");
    convert(QStringLiteral("6"), 0, 1);
    chooseKind(2);
    EXPECT_EQ(units(from()), linearUnits);
    EXPECT_EQ(converted(), QStringLiteral("6"));
}

TEST_F(UnitPageTest, OkInsertsTheValueAtTheCaret) {
    convert(QStringLiteral("2"), 1, 0);
    setScript(QStringLiteral("a=\na+1"), 2, 2);
    click("btn_ok");
    EXPECT_EQ(script(), QStringLiteral("a=2000\na+1"));
    EXPECT_EQ(caret(), 6);
    EXPECT_TRUE(editorHasFocus());
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("2001"));
}

TEST_F(UnitPageTest, OkReplacesTheSelectionAndAnExponentRuns) {
    convert(QStringLiteral("1e20"), 0, 0);
    setScript(QStringLiteral("x*2"), 0, 1);
    click("btn_ok");
    EXPECT_EQ(script(), QStringLiteral("1e+20*2"));
    click("btn_run");
    EXPECT_EQ(result(), QStringLiteral("2e+20"));
}

// The box shows six digits; the script gets all that the value holds.
TEST_F(UnitPageTest, OkInsertsEveryDigit) {
    convert(QStringLiteral("1.23456789"), 1, 0);
    ASSERT_EQ(converted(), QStringLiteral("1234.57"));
    setScript(QString(), 0, 0);
    click("btn_ok");
    EXPECT_EQ(script(), QStringLiteral("1234.5678899999998"));
}

struct GlueRow {
    const char* name;
    const char* script;
    int caret;
    const char* expected;
};

class OkGlueTest : public UnitPageTest, public ::testing::WithParamInterface<GlueRow> {};

TEST_P(OkGlueTest, AValueNeverGluesOntoWhatStandsBeforeIt) {
    convert(QStringLiteral("2"), 1, 0);
    const QString text = QString::fromUtf8(GetParam().script);
    setScript(text, GetParam().caret, GetParam().caret);
    click("btn_ok");
    EXPECT_EQ(script(), QString::fromUtf8(GetParam().expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(UnitPage, OkGlueTest, ::testing::Values(
    GlueRow{"AfterDigit",         "3",     1, "3*2000"},
    GlueRow{"AfterLetter",        "x",     1, "x*2000"},
    GlueRow{"AfterBracket",       "(1+1)", 5, "(1+1)*2000"},
    GlueRow{"AfterOperator",      "3+",    2, "3+2000"},
    GlueRow{"AfterOpenBracket",   "sin(",  4, "sin(2000"},
    GlueRow{"AtLineStart",        "1\n",  2, "1\n2000"},
    GlueRow{"AtScriptStart",      "+1",    0, "2000+1"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(UnitPageTest, CutOffUnitNamesHaveTheirWholeNameAsTooltip) {
    for (int row = 0; row < from()->model()->rowCount(); ++row) {
        const QModelIndex index = from()->model()->index(row, 0);
        EXPECT_EQ(shownToolTip(index.data(Qt::ToolTipRole).toString()),
                  index.data(Qt::DisplayRole).toString())
            << row;
    }
}

class UnitPageWithoutFileTest : public UnitPageTestBase {};

TEST_F(UnitPageWithoutFileTest, ListsAreEmptyAndOkOnlyFocusesTheScript) {
    installation.writeLangTable(TestInstallation::standardEntries());
    openOnUnitPage();
    EXPECT_EQ(from()->model()->rowCount(), 0);
    EXPECT_EQ(converted(), QString());
    type(QStringLiteral("5"));
    EXPECT_EQ(converted(), QString());
    setScript(QStringLiteral("1+2"), 1, 1);
    widget<QWidget>("btn_ok")->setFocus();
    click("btn_ok");
    EXPECT_EQ(script(), QStringLiteral("1+2"));
    EXPECT_EQ(caret(), 1);
    EXPECT_TRUE(editorHasFocus());
}

TEST_F(UnitPageWithoutFileTest, WithoutAStringTableTheKindsHaveBuiltInCaptions) {
    installation.writeUnitFile(smallUnits());
    openOnUnitPage();
    const QStringList captions{"Length", "Area", "Volume", "Mass",     "Temperature", "Time",
                               "Speed",  "Data", "Energy", "Pressure", "Angle"};
    ASSERT_EQ(kinds()->count(), captions.size());
    for (int row = 0; row < captions.size(); ++row)
        EXPECT_EQ(kinds()->item(row)->text(), captions.at(row)) << row;
    EXPECT_EQ(units(from()), linearUnits);
    chooseKind(1);
    EXPECT_EQ(units(from()), QStringList({"m2", "a"}));
}

TEST_F(UnitPageWithoutFileTest, AHugeKindIsListedWhole) {
    QByteArray defs;
    for (int i = 1; i <= 20000; ++i)
        defs += def("u" + QByteArray::number(i), QByteArray::number(i));
    installation.writeUnitFile("<u><Linear>" + defs + "</Linear></u>");
    openOnUnitPage();
    ASSERT_EQ(from()->model()->rowCount(), 20000);
    clickUnit(to(), 19999);
    EXPECT_EQ(converted(), QStringLiteral("20000"));
}

namespace {

struct ShippedConversion {
    const char* name;
    const char* lang;
    int kind;
    const char* from;
    const char* to;
    const char* shown;
};

void PrintTo(const ShippedConversion& row, std::ostream* os) {
    *os << row.name;
}

} // namespace

class ShippedUnitTest : public UnitPageTestBase,
                        public ::testing::WithParamInterface<ShippedConversion> {};

TEST_P(ShippedUnitTest, ConvertsAsTheReferenceTablesSay) {
    const ShippedConversion& c = GetParam();
    QFile file(shipped::configFile(QString::fromLatin1(c.lang), QStringLiteral("unit.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    installation.writeUnitFile(file.readAll());
    openOnUnitPage();
    if (c.kind != 0)
        chooseKind(c.kind);
    clickUnit(from(), QString::fromUtf8(c.from));
    clickUnit(to(), QString::fromUtf8(c.to));
    EXPECT_EQ(converted(), QString::fromUtf8(c.shown));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(UnitPage, ShippedUnitTest, ::testing::Values(
    ShippedConversion{"MileToKilometre", "en_us", 0, "mile (mi)", "kilometre (km)", "1.60934"},
    ShippedConversion{"InchToCentimetre", "en_us", 0, "inch (in)", "centimetre (cm)", "2.54"},
    ShippedConversion{"FootToMetre", "en_us", 0, "foot (ft)", "metre (m)", "0.3048"},
    ShippedConversion{"AcreToSquareMetre", "en_us", 1, "acre (ac)", "square metre (m²)", "4046.86"},
    ShippedConversion{"GallonToLitre", "en_us", 2, "US gallon (gal)", "litre (L)", "3.78541"},
    ShippedConversion{"PoundToKilogram", "en_us", 3, "pound (lb)", "kilogram (kg)", "0.453592"},
    ShippedConversion{"ChineseMileToKilometre", "zh_cn", 0, "英里 (mi)", "千米 (km)", "1.60934"},
    ShippedConversion{"ChineseKilometreToMetre", "zh_cn", 0, "千米 (km)", "米 (m)", "1000"},
    ShippedConversion{"CelsiusToFahrenheit", "en_us", 4, "degree Celsius (°C)", "degree Fahrenheit (°F)", "33.8"},
    ShippedConversion{"ChineseCelsiusToKelvin", "zh_cn", 4, "摄氏度 (°C)", "开尔文 (K)", "274.15"},
    ShippedConversion{"KelvinToCelsius", "en_us", 4, "kelvin (K)", "degree Celsius (°C)", "-272.15"}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

// The window reads edit_1 with these two; the test locale is C, so the
// system-locale half is checked here with the locales users have.
TEST(UnitConversion, InputNeverTakesDigitGroupingFromTheLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(unitInputValue(QStringLiteral("0.001"), german), 0.001);
    EXPECT_EQ(unitInputValue(QStringLiteral("1.000"), german), 1.0);
    EXPECT_EQ(unitInputValue(QStringLiteral("1,5"), german), 1.5);
    EXPECT_EQ(unitInputValue(QStringLiteral("1.5"), german), 1.5);
    EXPECT_EQ(unitInputValue(QStringLiteral("1.000,5"), german), 0.0);
    EXPECT_EQ(unitInputValue(QStringLiteral("1,000"), QLocale::c()), 0.0);
    EXPECT_EQ(unitInputValue(QStringLiteral(" 2.5 "), QLocale::c()), 2.5);
}

TEST(UnitConversion, TextHasSixSignificantDigitsInCsGeneralForm) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> rows[] = {
        {1e6, "1e+06"},      {123456, "123456"},  {0.0001, "0.0001"},
        {0.00001, "1e-05"},  {1.5e10, "1.5e+10"}, {2.5, "2.5"},
        {inf, "inf"},        {-inf, "-inf"},      {std::nan(""), "nan"},
        {999999.5, "1e+06"}, {1e-100, "1e-100"},  {-0.000123456789, "-0.000123457"},
        {1e100, "1e+100"},   {100, "100"},        {0.1 + 0.2, "0.3"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(unitValueText(value), QString::fromLatin1(text)) << text;
    EXPECT_EQ(unitValueText(convertUnitValue(1, 0, 1)), QStringLiteral("inf"));
    EXPECT_EQ(unitValueText(convertUnitValue(0, 0, 1)), QStringLiteral("nan"));
}

// A dark theme keeps the converted value readable: its colours come from the
// palette, not from a fixed light background.
TEST_F(UnitPageWithoutFileTest, TheConvertedValueTakesThePalettesColours) {
    const QPalette previous = QApplication::palette();
    QPalette dark = previous;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 60));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    openWindow();
    auto* converted = widget<QLineEdit>("edit_2");
    EXPECT_EQ(converted->styleSheet(), QString());
    EXPECT_EQ(converted->palette().color(QPalette::Base), QColor(50, 50, 60));
    EXPECT_EQ(converted->palette().color(QPalette::Text), QColor(230, 230, 230));
    window.reset();
    QApplication::setPalette(previous);
}

// No shipped name is cut off at the edge of its list: a name too long for it
// ends in an ellipsis (no horizontal scrolling) and has its whole text as
// tooltip.
TEST_F(UnitPageWithoutFileTest, ShippedNamesAreElidedWithTheWholeNameAsTooltip) {
    for (const QString& lang : shipped::languages()) {
        QFile units(shipped::configFile(lang, QStringLiteral("unit.xml")));
        QFile table(shipped::configFile(lang, QStringLiteral("lang.xml")));
        ASSERT_TRUE(units.open(QIODevice::ReadOnly) && table.open(QIODevice::ReadOnly));
        installation.writeUnitFile(units.readAll());
        installation.writeLangFile(table.readAll());
        openOnUnitPage();
        const auto check = [&](QListView* view) {
            EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            EXPECT_EQ(view->textElideMode(), Qt::ElideRight);
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                const QModelIndex index = view->model()->index(row, 0);
                const QString name = index.data(Qt::DisplayRole).toString();
                EXPECT_FALSE(name.isEmpty()) << qPrintable(lang);
                EXPECT_EQ(shownToolTip(index.data(Qt::ToolTipRole).toString()), name)
                    << qPrintable(lang + " " + name);
            }
        };
        check(kinds());
        for (int kind = 0; kind < kinds()->count(); ++kind) {
            chooseKind(kind);
            check(from());
            check(to());
        }
    }
}
