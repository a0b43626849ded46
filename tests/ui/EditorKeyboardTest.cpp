// The editor as a keyboard user meets it: the run shortcuts, the focus coming
// back after every button, the undoable clean, the read-only result box with
// its full-precision value, the Tab order and the accessible names.
#include "CatalogueShippedData.h"
#include "ShownToolTip.h"
#include "WindowTest.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

namespace {

struct Shortcut {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const Shortcut runShortcuts[] = {
    {"CtrlReturn", Qt::Key_Return, Qt::ControlModifier},
    {"CtrlKeypadEnter", Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier},
    {"F9", Qt::Key_F9, Qt::NoModifier},
};

} // namespace

class RunShortcutTest : public WindowTest, public ::testing::WithParamInterface<Shortcut> {};

TEST_P(RunShortcutTest, RunsFromTheEditorWithoutABreakAndIsInTheTooltip) {
    typeScript(QStringLiteral("a=4\na*a"));
    QTest::keyClick(editor(), GetParam().key, GetParam().modifiers);
    EXPECT_EQ(result(), QStringLiteral("16"));
    EXPECT_EQ(script(), QStringLiteral("a=4\na*a"));
    EXPECT_TRUE(editorHasFocus());
    // The keypad is no part of a shortcut's name.
    const QKeySequence sequence(GetParam().key | (GetParam().modifiers & ~Qt::KeypadModifier));
    EXPECT_TRUE(widget<QPushButton>("btn_run")->toolTip().contains(
        sequence.toString(QKeySequence::NativeText)));
}

INSTANTIATE_TEST_SUITE_P(Editor, RunShortcutTest, ::testing::ValuesIn(runShortcuts),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(WindowTest, ReturnStillBreaksTheLine) {
    typeScript(QStringLiteral("1\n2"));
    EXPECT_EQ(script(), QStringLiteral("1\n2"));
    EXPECT_TRUE(result().isEmpty());
}

// Every button of the editor side hands the keyboard back to the editor.
class ButtonFocusTest : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ButtonFocusTest, TheEditorHasTheFocusAfterTheClick) {
    setScript(QStringLiteral("12"), 2, 2);
    click(GetParam());
    EXPECT_TRUE(editorHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Editor, ButtonFocusTest,
                         ::testing::Values("btn_run", "btn_clean", "btn_1", "btn_2", "btn_3",
                                           "btn_add", "btn_enter", "btn_4", "btn_5", "btn_6",
                                           "btn_dec", "btn_del", "btn_7", "btn_8", "btn_9",
                                           "btn_mul", "btn_sqrt", "btn_0", "btn_00", "btn_dot",
                                           "btn_div", "btn_pow2", "btn_left", "btn_right",
                                           "btn_comma", "btn_pi", "btn_e"),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(WindowTest, AFailedRunAlsoReturnsTheFocus) {
    typeScript(QStringLiteral("3*"));
    click("btn_run");
    EXPECT_EQ(dialogs.take().size(), 1);
    // The editor is the window's focus widget, so it has the keyboard as soon as the window is
    // active again; handing the activation back is the window system's part.
    EXPECT_EQ(window->focusWidget(), editor());
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([this] { return editorHasFocus(); }));
}

TEST_F(WindowTest, CleanCanBeUndone) {
    typeScript(QStringLiteral("1+2\n3"));
    click("btn_clean");
    ASSERT_EQ(script(), QString());
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(script(), QStringLiteral("1+2\n3"));
}

TEST_F(WindowTest, TheResultBoxGivesTheFullValue) {
    typeScript(QStringLiteral("1/3"));
    click("btn_run");
    auto* box = widget<QLineEdit>("edit_res");
    EXPECT_EQ(result(), QStringLiteral("0.333333"));
    EXPECT_EQ(shownToolTip(box->toolTip()), QStringLiteral("Exact 0.33333333333333331"));
    QApplication::clipboard()->clear();
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0.33333333333333331"));

    // A failed run keeps the value; clean forgets it.
    editor()->setPlainText(QStringLiteral("3*"));
    click("btn_run");
    dialogs.take();
    EXPECT_EQ(shownToolTip(box->toolTip()), QStringLiteral("Exact 0.33333333333333331"));
    click("btn_clean");
    EXPECT_EQ(box->toolTip(), QString());
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0.33333333333333331"));
}

class CatalogueKeyboardTest : public WindowTestBase {};

TEST_F(CatalogueKeyboardTest, ReturnOnAnEntryInsertsItAndReturnsToTheEditor) {
    QFile functions(shipped::configFile(QStringLiteral("en_us"), QStringLiteral("function.xml")));
    ASSERT_TRUE(functions.open(QIODevice::ReadOnly));
    installation.writeFunctionFile(functions.readAll());
    installation.writeLangTable(TestInstallation::standardEntries());
    openWindow();
    auto* table = widget<QAbstractItemView>("table_funlist");
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(script(), QStringLiteral("sin()"));
    EXPECT_TRUE(editorHasFocus());
}

TEST_F(WindowTest, TabVisitsTheWindowInReadingOrder) {
    const QStringList expected{
        "text_script", "view_lineResults", "btn_run",  "edit_res", "btn_clean", "btn_1", "btn_2",
        "btn_3",       "btn_add",          "btn_enter"};
    editor()->setFocus();
    QStringList visited;
    for (int i = 0; i < 60; ++i) {
        visited.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.mid(0, expected.size()), expected);
    // Then the rest of the keypad, the categories and the catalogue.
    const qsizetype keypadEnd = visited.indexOf(QStringLiteral("btn_e"));
    const qsizetype category = visited.indexOf(QStringLiteral("rb_TRIGONOMETRIC"));
    const qsizetype table = visited.indexOf(QStringLiteral("table_funlist"));
    EXPECT_GT(keypadEnd, 0);
    EXPECT_GT(category, keypadEnd);
    EXPECT_GT(table, category);
}

TEST_F(WindowTest, TabFromTheChosenCategoryGoesOnToItsPage) {
    click("rb_UNITCONVERSION");
    widget<QWidget>("rb_UNITCONVERSION")->setFocus();
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    const qsizetype kinds = visited.indexOf(QStringLiteral("listType"));
    EXPECT_GE(kinds, 0) << visited.join(' ').toStdString();
    EXPECT_FALSE(visited.mid(0, kinds).contains(QStringLiteral("text_script")));
}

// The names a screen reader speaks, from the shipped English table.
class AccessibleNamesTest : public WindowTestBase {};

TEST_F(AccessibleNamesTest, InputsAndOutputsAreNamedInEnglish) {
    QFile lang(shipped::configFile(QStringLiteral("en_us"), QStringLiteral("lang.xml")));
    ASSERT_TRUE(lang.open(QIODevice::ReadOnly));
    installation.writeLangFile(lang.readAll());
    openWindow();
    const std::pair<const char*, const char*> names[] = {
        {"text_script", "Script"},
        {"edit_res", "Result"},
        {"view_lineResults", "Line results"},
        {"label_undefined", "Not defined"},
        {"table_funlist", "Functions"},
        {"lst_1", "From unit"},
        {"lst_2", "To unit"},
        {"edit_2", "Converted value"},
        {"btn_sqrt", "Square root"},
        {"btn_del", "Backspace"},
        {"btn_enter", "New line"},
        {"btn_pi", "Pi"},
        {"btn_pow2", "Square"},
    };
    for (const auto& [name, spoken] : names)
        EXPECT_EQ(widget<QWidget>(name)->accessibleName(), QString::fromUtf8(spoken)) << name;
    EXPECT_FALSE(editor()->accessibleDescription().isEmpty());
}
