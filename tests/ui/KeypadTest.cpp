// The keypad pressed with the mouse, on an empty script and on a script with
// a selection, and the two editing operations behind it.
#include "WindowTest.h"

#include <QApplication>
#include <QTextDocument>

#include <climits>

namespace {

// A button that inserts text and then steps the caret back.
struct InsertingKey {
    const char* button;
    const char* text;
    int back;
};

void PrintTo(const InsertingKey& key, std::ostream* os) {
    *os << key.button;
}

// clang-format off
const InsertingKey insertingKeys[] = {
    {"btn_1", "1", 0},     {"btn_2", "2", 0},      {"btn_3", "3", 0},      {"btn_add", "+", 0},
    {"btn_enter", "\n", 0},
    {"btn_4", "4", 0},     {"btn_5", "5", 0},      {"btn_6", "6", 0},      {"btn_dec", "-", 0},
    {"btn_7", "7", 0},     {"btn_8", "8", 0},      {"btn_9", "9", 0},      {"btn_mul", "*", 0},
    {"btn_sqrt", "sqrt()", 1},
    {"btn_0", "0", 0},     {"btn_00", "00", 0},    {"btn_dot", ".", 0},    {"btn_div", "/", 0},
    {"btn_pow2", "pow(,2)", 3},
    {"btn_left", "(", 0},  {"btn_right", ")", 0},  {"btn_comma", ",", 0},
};
// clang-format on

const QString piLine = QStringLiteral("pi=3.1415926535897");
const QString eLine = QStringLiteral("e=2.7182818284590");

} // namespace

class InsertingKeyTest : public WindowTest, public ::testing::WithParamInterface<InsertingKey> {};

TEST_P(InsertingKeyTest, OnAnEmptyScriptInsertsAndPlacesTheCaret) {
    const InsertingKey key = GetParam();
    const QString text = QString::fromLatin1(key.text);
    click(key.button);
    EXPECT_EQ(script(), text);
    EXPECT_EQ(caret(), text.size() - key.back);
    EXPECT_FALSE(editor()->textCursor().hasSelection());
    EXPECT_TRUE(editorHasFocus());
}

TEST_P(InsertingKeyTest, ReplacesTheSelection) {
    const InsertingKey key = GetParam();
    const QString text = QString::fromLatin1(key.text);
    setScript(QStringLiteral("ab12cd"), 2, 4);
    click(key.button);
    EXPECT_EQ(script(), QStringLiteral("ab") + text + QStringLiteral("cd"));
    EXPECT_EQ(caret(), 2 + text.size() - key.back);
    EXPECT_TRUE(editorHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keypad, InsertingKeyTest, ::testing::ValuesIn(insertingKeys),
                         [](const auto& row) { return std::string(row.param.button); });

// Constants -----------------------------------------------------------------

TEST_F(WindowTest, PiOnAnEmptyScriptDefinesItOnTop) {
    click("btn_pi");
    EXPECT_EQ(script(), piLine + QStringLiteral("\npi"));
    EXPECT_EQ(caret(), script().size());
    EXPECT_TRUE(editorHasFocus());
}

TEST_F(WindowTest, PiPressedTwiceDefinesItOnce) {
    click("btn_pi");
    click("btn_pi");
    EXPECT_EQ(script(), piLine + QStringLiteral("\npipi"));
    EXPECT_EQ(caret(), script().size());
}

TEST_F(WindowTest, EPressedTwiceDefinesItOnce) {
    click("btn_e");
    click("btn_e");
    EXPECT_EQ(script(), eLine + QStringLiteral("\nee"));
    EXPECT_EQ(caret(), script().size());
}

TEST_F(WindowTest, ConstantReplacesTheSelectionAndGoesOnTop) {
    setScript(QStringLiteral("ab12cd"), 2, 4);
    click("btn_pi");
    EXPECT_EQ(script(), piLine + QStringLiteral("\nabpicd"));
    EXPECT_EQ(caret(), script().size());
    EXPECT_TRUE(editorHasFocus());
}

TEST_F(WindowTest, ConstantInTheMiddleOfAScriptPutsTheCaretAtTheEnd) {
    setScript(QStringLiteral("1+2\n3"), 2, 2);
    click("btn_e");
    EXPECT_EQ(script(), eLine + QStringLiteral("\n1+e2\n3"));
    EXPECT_EQ(caret(), script().size());
}

TEST_F(WindowTest, AKeyTypedAnywhereCountsAsDefined) {
    setScript(QStringLiteral("y=2*pi=3.149\n"), 13, 13);
    click("btn_pi");
    EXPECT_EQ(script(), QStringLiteral("y=2*pi=3.149\npi"));
    EXPECT_EQ(caret(), script().size());
}

TEST_F(WindowTest, AKeyInOtherLetterCaseDoesNotCount) {
    setScript(QStringLiteral("PI=3.14\n"), 8, 8);
    click("btn_pi");
    EXPECT_EQ(script(), piLine + QStringLiteral("\nPI=3.14\npi"));
}

// The key is the name and four characters of the value; a shorter value is
// used whole. A definition without "=" is its own name and value, so its key
// (abc=abc) never appears and every use adds the line again.
TEST_F(WindowTest, InsertConstantBuildsItsKeyFromTheDefinition) {
    setScript(QStringLiteral("k=1.5\n"), 6, 6);
    MainWindowTestAccess::insertConstant(*window, QStringLiteral("k=1.5"));
    EXPECT_EQ(script(), QStringLiteral("k=1.5\nk"));

    setScript(QString(), 0, 0);
    MainWindowTestAccess::insertConstant(*window, QStringLiteral("abc"));
    EXPECT_EQ(script(), QStringLiteral("abc\nabc"));
    MainWindowTestAccess::insertConstant(*window, QStringLiteral("abc"));
    EXPECT_EQ(script(), QStringLiteral("abc\nabc\nabcabc"));

    setScript(QString(), 0, 0);
    MainWindowTestAccess::insertConstant(*window, QStringLiteral("=5"));
    EXPECT_EQ(script(), QStringLiteral("=5\n"));
}

// Deleting and line breaks -----------------------------------------------------

TEST_F(WindowTest, DeleteRemovesTheCharacterBeforeTheCaretAndFocusesTheEditor) {
    setScript(QStringLiteral("12345"), 3, 3);
    click("btn_del");
    EXPECT_EQ(script(), QStringLiteral("1245"));
    EXPECT_EQ(caret(), 2);
    EXPECT_TRUE(editorHasFocus());
}

TEST_F(WindowTest, DeleteRemovesTheSelection) {
    setScript(QStringLiteral("ab12cd"), 4, 2);
    click("btn_del");
    EXPECT_EQ(script(), QStringLiteral("abcd"));
    EXPECT_EQ(caret(), 2);
}

TEST_F(WindowTest, DeleteAtTheStartOrOnAnEmptyScriptChangesNothing) {
    click("btn_del");
    EXPECT_EQ(script(), QString());
    setScript(QStringLiteral("abc"), 0, 0);
    click("btn_del");
    EXPECT_EQ(script(), QStringLiteral("abc"));
    EXPECT_EQ(caret(), 0);
}

TEST_F(WindowTest, DeleteJoinsLines) {
    setScript(QStringLiteral("ab\ncd"), 3, 3);
    click("btn_del");
    EXPECT_EQ(script(), QStringLiteral("abcd"));
}

TEST_F(WindowTest, EnterSplitsALine) {
    setScript(QStringLiteral("abcd"), 2, 2);
    click("btn_enter");
    EXPECT_EQ(script(), QStringLiteral("ab\ncd"));
    EXPECT_EQ(editor()->document()->blockCount(), 2);
    EXPECT_EQ(caret(), 3);
}

TEST_F(WindowTest, ButtonsTypeAWholeExpression) {
    for (const char* button : {"btn_left", "btn_1", "btn_00", "btn_dot", "btn_5", "btn_right",
                               "btn_mul", "btn_2", "btn_enter", "btn_sqrt", "btn_9"})
        click(button);
    EXPECT_EQ(script(), QStringLiteral("(100.5)*2\nsqrt(9)"));
}

// The caret back-step -----------------------------------------------------------

struct BackStep {
    const char* name;
    int back;
    int expectedCaret; // in "ab" + "xyz" + "cd", inserted at 2
};

void PrintTo(const BackStep& step, std::ostream* os) {
    *os << step.name;
}

// clang-format off
const BackStep backSteps[] = {
    {"Zero",                 0,       5},
    {"IntoTheInsertion",     2,       3},
    {"ToTheStart",           5,       0},
    {"PastTheStart",         6,       5},
    {"ForwardInside",        -2,      7},
    {"ForwardPastTheEnd",    -3,      5},
    {"Smallest",             INT_MIN, 5},
    {"Largest",              INT_MAX, 5},
};
// clang-format on

class BackStepTest : public WindowTest, public ::testing::WithParamInterface<BackStep> {};

TEST_P(BackStepTest, RefusesPositionsOutsideTheScript) {
    setScript(QStringLiteral("abcd"), 2, 2);
    MainWindowTestAccess::insertAtCursor(*window, QStringLiteral("xyz"), GetParam().back);
    EXPECT_EQ(script(), QStringLiteral("abxyzcd"));
    EXPECT_EQ(caret(), GetParam().expectedCaret);
    EXPECT_FALSE(editor()->textCursor().hasSelection());
    EXPECT_TRUE(editorHasFocus());
}

INSTANTIATE_TEST_SUITE_P(Keypad, BackStepTest, ::testing::ValuesIn(backSteps),
                         [](const auto& row) { return std::string(row.param.name); });
