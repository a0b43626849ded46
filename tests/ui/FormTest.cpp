// The form as built: names, kinds, places in the layouts, fixed settings, the
// slot table and its wiring, the captions with and without a string table.
#include "WindowTest.h"

#include <QApplication>

#include "LangTable.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

namespace {

constexpr int unlimited = 16777215;

// Where a widget sits: its layout and its cell there.
struct Placement {
    const char* name;
    const char* className;
    const char* layout;
    int row, column, rowSpan, columnSpan;
};

// clang-format off
const Placement placements[] = {
    {"groupBox_7",        "QGroupBox",          "gridLayout_11", 0, 0, 1, 1},
    {"groupBox_8",        "QGroupBox",          "gridLayout_11", 0, 1, 1, 1},
    {"groupBox_4",        "QGroupBox",          "gridLayout_11", 1, 0, 1, 2},
    {"label_undefined",   "QLabel",             "gridLayout_script", 1, 0, 1, 2},
    {"groupBox_6",        "QGroupBox",          "gridLayout_3",  1, 0, 1, 1},
    {"groupBox_5",        "QGroupBox",          "gridLayout_3",  2, 0, 1, 1},
    {"btn_run",           "QPushButton",        "gridLayout",    0, 0, 1, 1},
    {"edit_res",          "ResultLineEdit",     "gridLayout",    0, 1, 1, 1},
    {"btn_clean",         "QPushButton",        "gridLayout",    0, 2, 1, 1},
    {"gbRadio",           "QGroupBox",          "gridLayout_10", 0, 0, 1, 1},
    {"tabMain",           "QTabWidget",         "gridLayout_10", 1, 0, 1, 1},
    {"rb_TRIGONOMETRIC",  "QRadioButton",       "gridLayout_5",  0, 0, 1, 1},
    {"rb_ARITHMETIC",     "QRadioButton",       "gridLayout_5",  0, 1, 1, 1},
    {"rb_BASECONVERSION", "QRadioButton",       "gridLayout_5",  0, 2, 1, 1},
    {"rb_STATISTICS",     "QRadioButton",       "gridLayout_5",  1, 0, 1, 1},
    {"rb_FINANCE",        "QRadioButton",       "gridLayout_5",  1, 1, 1, 1},
    {"rb_UNITCONVERSION", "QRadioButton",       "gridLayout_5",  1, 2, 1, 1},
    {"rb_CONSTANTS",      "QRadioButton",       "gridLayout_5",  2, 0, 1, 1},
    {"rb_DATETIME",       "QRadioButton",       "gridLayout_5",  2, 1, 1, 1},
    {"rb_USERDEFINE",     "QRadioButton",       "gridLayout_5",  2, 2, 1, 1},
    {"groupBox",          "QGroupBox",          "gridLayout_4",  0, 0, 1, 1},
    {"table_funlist",     "QTableView",         "gridLayout_6",  0, 0, 1, 1},
    {"groupBox_2",        "QGroupBox",          "gridLayout_9",  0, 0, 1, 1},
    {"listType",          "QListWidget",        "gridLayout_8",  0, 0, 1, 1},
    {"groupBox_3",        "QGroupBox",          "gridLayout_8",  0, 1, 1, 1},
    {"edit_1",            "QLineEdit",          "gridLayout_7",  0, 0, 1, 1},
    {"edit_2",            "ResultLineEdit",     "gridLayout_7",  0, 1, 1, 1},
    {"lst_1",             "QListView",          "gridLayout_7",  1, 0, 1, 1},
    {"lst_2",             "QListView",          "gridLayout_7",  1, 1, 1, 1},
    {"btn_ok",            "QPushButton",        "gridLayout_7",  2, 0, 1, 2},
};

// The keypad, row by row, with the captions no language changes.
const Placement keypad[] = {
    {"btn_1",     "1",   "gridLayout_2", 0, 0, 1, 1}, {"btn_2",     "2",   "gridLayout_2", 0, 1, 1, 1},
    {"btn_3",     "3",   "gridLayout_2", 0, 2, 1, 1}, {"btn_add",   "+",   "gridLayout_2", 0, 3, 1, 1},
    {"btn_enter", "\u2190\u2518", "gridLayout_2", 0, 4, 1, 1},
    {"btn_4",     "4",   "gridLayout_2", 1, 0, 1, 1}, {"btn_5",     "5",   "gridLayout_2", 1, 1, 1, 1},
    {"btn_6",     "6",   "gridLayout_2", 1, 2, 1, 1}, {"btn_dec",   "-",   "gridLayout_2", 1, 3, 1, 1},
    {"btn_del",   "\u2190", "gridLayout_2", 1, 4, 1, 1},
    {"btn_7",     "7",   "gridLayout_2", 2, 0, 1, 1}, {"btn_8",     "8",   "gridLayout_2", 2, 1, 1, 1},
    {"btn_9",     "9",   "gridLayout_2", 2, 2, 1, 1}, {"btn_mul",   "*",   "gridLayout_2", 2, 3, 1, 1},
    {"btn_sqrt",  "\u221a", "gridLayout_2", 2, 4, 1, 1},
    {"btn_0",     "0",   "gridLayout_2", 3, 0, 1, 1}, {"btn_00",    "00",  "gridLayout_2", 3, 1, 1, 1},
    {"btn_dot",   ".",   "gridLayout_2", 3, 2, 1, 1}, {"btn_div",   "/",   "gridLayout_2", 3, 3, 1, 1},
    {"btn_pow2",  "x^2", "gridLayout_2", 3, 4, 1, 1},
    {"btn_left",  "(",   "gridLayout_2", 4, 0, 1, 1}, {"btn_right", ")",   "gridLayout_2", 4, 1, 1, 1},
    {"btn_comma", ",",   "gridLayout_2", 4, 2, 1, 1}, {"btn_pi",    "\u03c0", "gridLayout_2", 4, 3, 1, 1},
    {"btn_e",     "e",   "gridLayout_2", 4, 4, 1, 1},
};

// The slot table, in the order of the meta-object's methods.
const char *const slotTable[] = {
    "on_lst_2_clicked(QModelIndex)", "on_lst_1_clicked(QModelIndex)",
    "on_listType_currentRowChanged(int)", "on_tabMain_currentChanged(int)",
    "on_btn_ok_clicked()", "on_edit_1_textChanged(QString)",
    "on_table_funlist_doubleClicked(QModelIndex)", "on_rb_USERDEFINE_clicked()",
    "on_rb_DATETIME_clicked()", "on_rb_CONSTANTS_clicked()", "on_rb_UNITCONVERSION_clicked()",
    "on_rb_FINANCE_clicked()", "on_rb_STATISTICS_clicked()", "on_rb_BASECONVERSION_clicked()",
    "on_rb_ARITHMETIC_clicked()", "on_rb_TRIGONOMETRIC_clicked()", "on_btn_help_clicked()",
    "on_btn_url_clicked()", "on_btn_e_clicked()", "on_btn_pi_clicked()", "on_btn_pow2_clicked()",
    "on_btn_sqrt_clicked()", "on_btn_del_clicked()", "on_btn_enter_clicked()",
    "on_btn_right_clicked()", "on_btn_left_clicked()", "on_btn_comma_clicked()",
    "on_btn_dot_clicked()", "on_btn_div_clicked()", "on_btn_mul_clicked()", "on_btn_dec_clicked()",
    "on_btn_add_clicked()", "on_btn_00_clicked()", "on_btn_0_clicked()", "on_btn_9_clicked()",
    "on_btn_8_clicked()", "on_btn_7_clicked()", "on_btn_6_clicked()", "on_btn_5_clicked()",
    "on_btn_4_clicked()", "on_btn_3_clicked()", "on_btn_1_clicked()", "on_btn_2_clicked()",
    "on_btn_clean_clicked()", "on_btn_run_clicked()", "openAbout()",
};
// clang-format on

// The nine category buttons with their caption keys, in button order.
const std::pair<const char*, const char*> categoryButtons[] = {
    {"rb_TRIGONOMETRIC", "IDS_CB_TRIGONOMETRIC"},
    {"rb_ARITHMETIC", "IDS_CB_ARITHMETIC"},
    {"rb_BASECONVERSION", "IDS_CB_BASECONVERSION"},
    {"rb_STATISTICS", "IDS_CB_STATISTICS"},
    {"rb_FINANCE", "IDS_CB_FINANCE"},
    {"rb_UNITCONVERSION", "IDS_CB_UNITCONVERSION"},
    {"rb_CONSTANTS", "IDS_CB_CONSTANTS"},
    {"rb_DATETIME", "IDS_CB_DATETIME"},
    {"rb_USERDEFINE", "IDS_CB_USERDEFINE"},
};

QString standardText(const char* key) {
    for (const auto& [code, desc] : TestInstallation::standardEntries())
        if (code == QLatin1String(key))
            return desc;
    return QString();
}

} // namespace

class FormTest : public WindowTest {
protected:
    void expectPlacement(const Placement& p) {
        SCOPED_TRACE(p.name);
        auto* child = widget<QWidget>(p.name);
        auto* layout = widget<QLayout>(p.layout);
        const int index = layout->indexOf(child);
        ASSERT_GE(index, 0) << "not in " << p.layout;
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            EXPECT_EQ(row, p.row);
            EXPECT_EQ(column, p.column);
            EXPECT_EQ(rowSpan, p.rowSpan);
            EXPECT_EQ(columnSpan, p.columnSpan);
        }
    }

    void expectLayout(const char* name, int spacing, int margin) {
        SCOPED_TRACE(name);
        auto* layout = widget<QLayout>(name);
        EXPECT_EQ(layout->spacing(), spacing);
        EXPECT_EQ(layout->contentsMargins(), QMargins(margin, margin, margin, margin));
    }
};

TEST_F(FormTest, EveryWidgetHasItsNameKindAndCell) {
    for (const Placement& p : placements) {
        EXPECT_STREQ(widget<QWidget>(p.name)->metaObject()->className(), p.className) << p.name;
        expectPlacement(p);
    }
    for (const Placement& key : keypad) {
        auto* button = widget<QPushButton>(key.name);
        EXPECT_EQ(button->text(), QString::fromUtf8(key.className)) << key.name;
        EXPECT_EQ(button->minimumSize(), QSize(40, 23)) << key.name;
        expectPlacement(key);
    }
    auto* urlRow = widget<QLayout>("horizontalLayout");
    EXPECT_EQ(urlRow->indexOf(widget<QWidget>("btn_url")), 0);
    EXPECT_EQ(urlRow->indexOf(widget<QWidget>("btn_help")), 1);
    EXPECT_STREQ(widget<QWidget>("btn_url")->metaObject()->className(), "QCommandLinkButton");
}

TEST_F(FormTest, LayoutsHaveTheirSpacingAndMargins) {
    expectLayout("gridLayout_11", 6, 11);
    expectLayout("gridLayout_3", 4, 1);
    expectLayout("gridLayout", 6, 0);
    expectLayout("gridLayout_2", 6, 0);
    expectLayout("gridLayout_10", 4, 1);
    expectLayout("gridLayout_5", 6, 2);
    expectLayout("gridLayout_4", 6, 0);
    expectLayout("gridLayout_6", 6, 0);
    expectLayout("gridLayout_9", 6, 0);
    expectLayout("gridLayout_8", 6, 0);
    expectLayout("gridLayout_7", 6, 11);
    expectLayout("horizontalLayout", 4, 1);
    EXPECT_EQ(widget<QWidget>("centralWidget")->layout(), widget<QLayout>("gridLayout_11"));
}

TEST_F(FormTest, WidgetsHaveTheirFixedSettings) {
    EXPECT_EQ(window->objectName(), QStringLiteral("MainWindow"));
    EXPECT_EQ(window->sizePolicy(), QSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred));
    // The system's fonts: its UI font, and its fixed-width font for script text.
    EXPECT_EQ(window->font().family(), QApplication::font().family());
    EXPECT_EQ(widget<QWidget>("text_script")->parentWidget(),
              widget<QWidget>("view_lineResults")->parentWidget());
    EXPECT_EQ(window->font().pointSize(), 10);
    EXPECT_EQ(widget<QWidget>("centralWidget")->font().pointSize(), 11);
    EXPECT_EQ(widget<QWidget>("groupBox_7")->minimumWidth(), 360);

    auto* editor = widget<QPlainTextEdit>("text_script");
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(widget<QWidget>("groupBox_5")->maximumHeight(), 200);
    for (const char* name : {"btn_run", "btn_clean"}) {
        auto* button = widget<QPushButton>(name);
        EXPECT_EQ(button->sizePolicy(), QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed));
        EXPECT_EQ(button->minimumSize(), QSize(40, 23));
        EXPECT_EQ(button->maximumSize(), QSize(40, unlimited));
    }
    EXPECT_TRUE(widget<QLineEdit>("edit_res")->isReadOnly());

    EXPECT_EQ(widget<QWidget>("gbRadio")->maximumHeight(), 80);
    EXPECT_EQ(widget<QWidget>("tabMain")->sizePolicy(),
              QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred));

    auto* table = widget<QTableView>("table_funlist");
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(table->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(table->wordWrap());
    EXPECT_EQ(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(table->horizontalHeader()->isHidden());
    EXPECT_TRUE(table->verticalHeader()->isHidden());

    auto* kinds = widget<QWidget>("listType");
    EXPECT_EQ(kinds->minimumWidth(), 100);
    EXPECT_EQ(kinds->maximumWidth(), 120);
    auto* converted = widget<QLineEdit>("edit_2");
    EXPECT_TRUE(converted->isReadOnly());
    EXPECT_EQ(converted->styleSheet(), QString());
    for (const char* name : {"listType", "lst_1", "lst_2"}) {
        EXPECT_EQ(widget<QWidget>(name)->font().family(), QApplication::font().family()) << name;
        EXPECT_EQ(widget<QWidget>(name)->font().pointSize(), 11) << name;
    }
    auto* from = widget<QListView>("lst_1");
    EXPECT_EQ(from->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(from->resizeMode(), QListView::Adjust);
    EXPECT_EQ(widget<QListView>("lst_2")->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(widget<QWidget>("btn_ok")->sizePolicy(),
              QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed));

    auto* help = widget<QPushButton>("btn_help");
    EXPECT_EQ(help->maximumWidth(), 60);
    EXPECT_EQ(help->font().pointSize(), 14);

    auto* status = widget<QStatusBar>("statusBar");
    EXPECT_EQ(window->statusBar(), status);
    EXPECT_FALSE(status->autoFillBackground());
    EXPECT_TRUE(status->currentMessage().isEmpty());
    auto* menuBar = widget<QMenuBar>("menuBar");
    EXPECT_EQ(window->menuBar(), menuBar);
    auto* menu = widget<QMenu>("menuHelp");
    ASSERT_EQ(menuBar->actions().size(), 1);
    EXPECT_EQ(menuBar->actions().first(), menu->menuAction());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().at(0), widget<QAction>("actionHelp"));
    EXPECT_EQ(menu->actions().at(1), widget<QAction>("actionAbout"));
    EXPECT_EQ(widget<QAction>("actionHelp")->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(FormTest, SlotsAreTheTableInItsOrder) {
    const QMetaObject* meta = window->metaObject();
    EXPECT_STREQ(meta->className(), "MainWindow");
    EXPECT_EQ(meta->propertyCount(), meta->propertyOffset());
    ASSERT_EQ(meta->methodCount() - meta->methodOffset(), int(std::size(slotTable)));
    for (int i = 0; i < int(std::size(slotTable)); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        EXPECT_EQ(method.methodSignature(), QByteArray(slotTable[i])) << "index " << i;
        EXPECT_EQ(method.methodType(), QMetaMethod::Slot) << slotTable[i];
        EXPECT_EQ(method.access(), QMetaMethod::Private) << slotTable[i];
    }
}

// Each on_<object>_<signal> slot is connected to the widget of that name;
// disconnecting proves the connection was there.
TEST_F(FormTest, SlotsAreConnectedToTheWidgetsOfTheirNames) {
    const QMetaObject* meta = window->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod slot = meta->method(i);
        const QByteArray signature = slot.methodSignature();
        if (!signature.startsWith("on_"))
            continue;
        SCOPED_TRACE(signature.constData());
        const QByteArray name = slot.name();
        const qsizetype split = name.lastIndexOf('_');
        const QString objectName = QString::fromLatin1(name.mid(3, split - 3));
        const QByteArray signal = name.mid(split + 1) + signature.mid(signature.indexOf('('));
        QObject* sender = window->findChild<QObject*>(objectName);
        ASSERT_NE(sender, nullptr) << "no object " << objectName.toStdString();
        const int signalIndex = sender->metaObject()->indexOfSignal(signal.constData());
        ASSERT_GE(signalIndex, 0);
        EXPECT_TRUE(QObject::disconnect(sender, sender->metaObject()->method(signalIndex),
                                        window.get(), slot));
    }
    EXPECT_TRUE(QObject::disconnect(widget<QAction>("actionAbout"), &QAction::triggered,
                                    window.get(), nullptr));
}

TEST_F(FormTest, CaptionsComeFromTheStringTable) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Test Calc"));
    EXPECT_EQ(widget<QAction>("actionAbout")->text(), QStringLiteral("About it..."));
    EXPECT_EQ(widget<QAbstractButton>("btn_url")->text(), QStringLiteral("Version 9"));
    for (const auto& [button, key] : categoryButtons)
        EXPECT_EQ(widget<QRadioButton>(button)->text(), standardText(key)) << button;
    EXPECT_EQ(widget<QAbstractButton>("btn_ok")->text(), QStringLiteral("Take it"));
    EXPECT_EQ(widget<QMenu>("menuHelp")->title(), QStringLiteral("Help me"));
    EXPECT_EQ(widget<QAbstractButton>("btn_run")->text(), QStringLiteral("="));
    EXPECT_EQ(widget<QAbstractButton>("btn_clean")->text(), QStringLiteral("C"));
    EXPECT_EQ(widget<QAbstractButton>("btn_help")->text(), QStringLiteral("?"));
}

TEST_F(FormTest, StartsOnTheFunctionPageWithTrigonometricChecked) {
    auto* tabs = widget<QTabWidget>("tabMain");
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->widget(0), widget<QWidget>("tabPage1"));
    EXPECT_EQ(tabs->widget(1), widget<QWidget>("tabPage2"));
    EXPECT_EQ(tabs->tabText(0), widget<QRadioButton>("rb_TRIGONOMETRIC")->text());
    EXPECT_EQ(tabs->tabText(1), widget<QRadioButton>("rb_UNITCONVERSION")->text());
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Trig"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Units"));
    for (const auto& [button, key] : categoryButtons)
        EXPECT_EQ(widget<QRadioButton>(button)->isChecked(),
                  QByteArray(button) == "rb_TRIGONOMETRIC")
            << button;
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(result().isEmpty());
}

class StartupTest : public WindowTestBase {};

// Without any string table built-in English captions keep the window usable.
TEST_F(StartupTest, WithoutAStringTableBuiltInCaptionsStandIn) {
    openWindow();
    const QMap<QString, QString> builtin = builtinTexts();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ScriptCalc"));
    EXPECT_EQ(widget<QAction>("actionAbout")->text(), QStringLiteral("About..."));
    EXPECT_EQ(widget<QAbstractButton>("btn_url")->text(), builtin.value("IDS_ALL_VERSION"));
    for (const auto& [button, key] : categoryButtons) {
        EXPECT_FALSE(builtin.value(key).isEmpty()) << key;
        EXPECT_EQ(widget<QRadioButton>(button)->text(), builtin.value(key)) << button;
    }
    EXPECT_EQ(widget<QAbstractButton>("btn_ok")->text(), QStringLiteral("OK"));
    EXPECT_EQ(widget<QMenu>("menuHelp")->title(), QStringLiteral("Help"));
    EXPECT_EQ(widget<QTabWidget>("tabMain")->tabText(0), QStringLiteral("Trigonometry"));
    EXPECT_EQ(widget<QTabWidget>("tabMain")->tabText(1), QStringLiteral("Units"));

    for (const Placement& key : keypad)
        EXPECT_EQ(widget<QPushButton>(key.name)->text(), QString::fromUtf8(key.className));
    EXPECT_EQ(widget<QAbstractButton>("btn_run")->text(), QStringLiteral("="));
    EXPECT_EQ(widget<QAbstractButton>("btn_clean")->text(), QStringLiteral("C"));
    EXPECT_EQ(widget<QAbstractButton>("btn_help")->text(), QStringLiteral("?"));
    EXPECT_TRUE(widget<QRadioButton>("rb_TRIGONOMETRIC")->isChecked());
}

// A broken file keeps the pairs read before the fault; the rest stay empty.
TEST_F(StartupTest, ATruncatedStringTableKeepsWhatWasReadBeforeTheBreak) {
    installation.writeLangFile("<lang><item><code>IDS_APP_NAME</code><desc>Half</desc></item>"
                               "<item><code>IDS_TAB_HELP</code><desc>Lost");
    openWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Half"));
    EXPECT_EQ(widget<QMenu>("menuHelp")->title(), QString());
}

// Language files are data from outside: markup stays text and a huge caption
// is cut to a length any window system accepts.
TEST_F(StartupTest, CaptionsWithMarkupAndHugeTextsDoNotBreakStartUp) {
    const QString huge(100000, QLatin1Char('x'));
    installation.writeLangTable({{QStringLiteral("IDS_APP_NAME"), QStringLiteral("<b>Calc</b>")},
                                 {QStringLiteral("IDS_CB_TRIGONOMETRIC"), huge}});
    openWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("<b>Calc</b>"));
    EXPECT_EQ(widget<QRadioButton>("rb_TRIGONOMETRIC")->text(), huge.left(1000));
    EXPECT_EQ(widget<QTabWidget>("tabMain")->tabText(0), huge.left(1000));
}
