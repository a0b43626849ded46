// Errors that point and a result for every line: the caret and mark on a
// failing line, the per-line column filled by a run and live while typing,
// and the line of names that counted as 0.
#include "WindowTest.h"

#include "ErrorLineMark.h"
#include "LineResultsView.h"
#include "LiveEvaluation.h"

#include <QAccessible>
#include <QLabel>
#include <QPalette>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class LineResultsTest : public WindowTest {
protected:
    LineResultsView* column() const { return widget<LineResultsView>("view_lineResults"); }
    QStringList columnLines() const { return column()->toPlainText().split(QLatin1Char('\n')); }
    QString undefinedLine() const { return widget<QLabel>("label_undefined")->text(); }
    // Live evaluation runs once typing has paused.
    void waitForLiveEvaluation() {
        ASSERT_TRUE(window->findChild<LiveEvaluation*>()->isPending());
        QTest::qWait(LiveEvaluation::pause + 50);
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return !window->findChild<LiveEvaluation*>()->isPending(); }));
    }
    bool editorLineMarked(int line) const {
        const auto marks = editor()->extraSelections();
        return marks.size() == 1 && marks.first().cursor.blockNumber() == line - 1;
    }
};

// "*" is the fifth character (position 4) of the third line.
TEST_F(LineResultsTest, AFailedRunPutsTheCaretAndAMarkOnTheFailingLine) {
    typeScript(QStringLiteral("a=1\nb=2\n1+a+*b\n4"));
    click("btn_run");
    const auto boxes = dialogs.take();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first().text.startsWith(QStringLiteral("L3|")))
        << boxes.first().text.toStdString();
    const QTextCursor caretAt = editor()->textCursor();
    EXPECT_EQ(caretAt.blockNumber(), 2);
    EXPECT_EQ(caretAt.positionInBlock(), 4);
    EXPECT_TRUE(editorLineMarked(3));

    // The mark stays while the caret moves and goes with the next edit.
    QTest::keyClick(editor(), Qt::Key_Up);
    EXPECT_TRUE(editorLineMarked(3));
    QTest::keyClick(editor(), Qt::Key_Space);
    EXPECT_TRUE(editor()->extraSelections().isEmpty());
}

TEST_F(LineResultsTest, TheColumnShowsEveryLineUpToTheFailingOne) {
    typeScript(QStringLiteral("a=3\n1/3\n2*\na*2\n1/0"));
    click("btn_run");
    dialogs.take();
    const QStringList lines = columnLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.at(0), QStringLiteral("3"));
    EXPECT_EQ(lines.at(1), QStringLiteral("0.333333"));
    EXPECT_TRUE(
        lines.at(2).startsWith(LineResultsView::failureMarker() + QStringLiteral("IDS_PARSE_E")))
        << lines.at(2).toStdString();
    EXPECT_EQ(lines.at(3), QString());
    EXPECT_EQ(lines.at(4), QString());
    EXPECT_EQ(column()->failedLine(), 3);
    EXPECT_TRUE(column()->failedMessage().startsWith(QStringLiteral("L3|IDS_PARSE_E")));
    EXPECT_TRUE(column()->isReadOnly());
}

// The column and the result box show the same texts.
TEST_F(LineResultsTest, TheLastLineOfTheColumnIsTheResult) {
    typeScript(QStringLiteral("x=123456789\nx\n0/0\n-1/0\n1/3+1"));
    click("btn_run");
    EXPECT_EQ(columnLines(),
              QStringList({"1.23457e+08", "1.23457e+08", "not a number", "-\u221e", "1.33333333"}));
    EXPECT_EQ(result(), QStringLiteral("1.33333333"));
}

TEST_F(LineResultsTest, TypingFillsTheColumnLiveWithoutTheResultBoxOrABox) {
    typeScript(QStringLiteral("2+2"));
    click("btn_run");
    typeScript(QStringLiteral("\nq=5\nq*q\n3*"));
    waitForLiveEvaluation();
    EXPECT_EQ(columnLines().mid(0, 3), QStringList({"4", "5", "25"}));
    EXPECT_EQ(column()->failedLine(), 4);
    EXPECT_EQ(result(), QStringLiteral("4"));
    EXPECT_TRUE(dialogs.take().isEmpty());
    EXPECT_TRUE(editor()->extraSelections().isEmpty());
}

// No size stops the live column; an edit at the end rewrites only the lines whose text changed.
TEST_F(LineResultsTest, ALongScriptIsEvaluatedLiveAndOnlyChangedLinesAreRewritten) {
    QStringList lines;
    for (int i = 0; i < 6000; ++i)
        lines.append(QStringLiteral("s=s+1"));
    editor()->setPlainText(lines.join(QLatin1Char('\n')));
    waitForLiveEvaluation();
    ASSERT_EQ(columnLines().size(), 6000);
    EXPECT_EQ(columnLines().constLast(), QStringLiteral("6000"));

    int changedFrom = -1, changedTo = -1;
    QObject::connect(column()->document(), &QTextDocument::contentsChange,
                     [&](int position, int removed, int added) {
                         const int from = position, to = position + std::max(removed, added);
                         changedFrom = changedFrom < 0 ? from : std::min(changedFrom, from);
                         changedTo = std::max(changedTo, to);
                     });
    editor()->moveCursor(QTextCursor::End);
    typeScript(QStringLiteral("+1"));
    waitForLiveEvaluation();
    EXPECT_EQ(columnLines().constLast(), QStringLiteral("6001"));
    EXPECT_GE(changedFrom, column()->document()->findBlockByNumber(5999).position());
}

// The mark scrolls the editor down to a failing line far below; the column,
// refilled by the same run, follows it.
TEST_F(LineResultsTest, TheColumnFollowsTheEditorToAFailingLineFarBelow) {
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines.append(QStringLiteral("x=%1").arg(i));
    lines[149] = QStringLiteral("x=(150");
    editor()->setPlainText(lines.join(QLatin1Char('\n')));
    editor()->moveCursor(QTextCursor::Start);
    click("btn_run");
    dialogs.take();
    ASSERT_GT(editor()->verticalScrollBar()->value(), 100);
    EXPECT_EQ(column()->verticalScrollBar()->value(), editor()->verticalScrollBar()->value());
}

// Ctrl+Return straight after the last keystroke: the pending live pass must
// not replace the run's column with the size note.
TEST_F(LineResultsTest, ARunRightAfterAnEditKeepsItsColumn) {
    QStringList lines(5001, QStringLiteral("1"));
    editor()->setPlainText(lines.join(QLatin1Char('\n')));
    click("btn_run");
    QTest::qWait(LiveEvaluation::pause + 50);
    EXPECT_EQ(columnLines().size(), 5001);
}

TEST_F(LineResultsTest, TheColumnScrollsWithTheEditor) {
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines.append(QString::number(i));
    editor()->setPlainText(lines.join(QLatin1Char('\n')));
    click("btn_run");
    editor()->verticalScrollBar()->setValue(120);
    EXPECT_EQ(column()->verticalScrollBar()->value(), 120);
    EXPECT_EQ(editor()->cursorForPosition(QPoint(2, 2)).blockNumber(),
              column()->cursorForPosition(QPoint(2, 2)).blockNumber());
    EXPECT_EQ(editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

// The editor skips Qt's new layout of every line when its width changes; its scroll bars must
// follow the width all the same.
TEST_F(LineResultsTest, TheEditorScrollsSidewaysAsFarAsItsWidthLeaves) {
    editor()->setPlainText(QString(400, QLatin1Char('7')));
    QCoreApplication::processEvents();
    const int width = editor()->viewport()->width();
    const int range = editor()->horizontalScrollBar()->maximum();
    ASSERT_GT(range, 100);
    window->resize(window->width() + 100, window->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor()->viewport()->width() > width; }));
    EXPECT_EQ(editor()->horizontalScrollBar()->maximum(),
              range - (editor()->viewport()->width() - width));
}

struct Undefined {
    const char* name;
    const char* script;
    const char* shown;
};

// clang-format off
const Undefined undefinedRows[] = {
    {"None",                "a=2\na*3",                 ""},
    {"ReadBeforeAssigned",  "b=a+1\na=2\nb",            "Zero: a"},
    {"OnlyAssignedIsFine",  "pi=3\nfoo=1\npi*foo",      ""},
    {"InOrderOfFirstUse",   "x=foo*pi\npi",             "Zero: foo, pi"},
    {"SelfIncrementReads",  "n=n+1",                    "Zero: n"},
    {"ComparisonReads",     "c==1",                     "Zero: c"},
    {"ExponentIsNoName",    "e2=2e2\ne2",               ""},
    {"AssignedThenCompared", "k=1\nk==1",               ""},
};
// clang-format on

class UndefinedNamesTest : public LineResultsTest,
                           public ::testing::WithParamInterface<Undefined> {};

TEST_P(UndefinedNamesTest, TheLineListsNamesReadBeforeAssignment) {
    editor()->setPlainText(QString::fromUtf8(GetParam().script));
    click("btn_run");
    EXPECT_EQ(undefinedLine(), QString::fromUtf8(GetParam().shown));
    // A screen reader gets the names too, not only the line's name.
    QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(widget<QLabel>("label_undefined"));
    EXPECT_EQ(spoken->text(QAccessible::Description), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(LineResults, UndefinedNamesTest, ::testing::ValuesIn(undefinedRows),
                         [](const auto& row) { return std::string(row.param.name); });

// The mark's text keeps a readable contrast on the light and the dark palette.
TEST(ErrorLineMarkTest, TextStaysReadableOnLightAndDarkPalettes) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    QPalette light(Qt::black, QColor(239, 239, 239), Qt::white, Qt::darkGray, Qt::gray, Qt::black,
                   Qt::white);
    light.setColor(QPalette::Highlight, QColor(48, 140, 198));
    QPalette dark(Qt::white, QColor(53, 53, 53), Qt::gray, Qt::black, Qt::darkGray, Qt::white,
                  QColor(42, 42, 42));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    for (const QPalette& palette : {light, dark}) {
        const double mark = luminance(ErrorLineMark::color(palette));
        const double text = luminance(palette.color(QPalette::Text));
        const double contrast = (std::max(mark, text) + 0.05) / (std::min(mark, text) + 0.05);
        EXPECT_GE(contrast, 4.5);
        EXPECT_NE(ErrorLineMark::color(palette), palette.color(QPalette::Base));
    }
}
