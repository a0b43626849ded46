// Nothing shown wrong: a value is drawn whole or cut with "…" and a tooltip holding it whole,
// the result box says when it no longer belongs to the script, hidden controls show as codes,
// and the keyboard details of the script, category and unit pages.
#include "WindowTest.h"

#include "LineResultsView.h"
#include "LiveEvaluation.h"
#include "ResultLineEdit.h"
#include "ShownToolTip.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

namespace {

// The tooltip a widget shows at a point of its own (of the viewport, for a scroll area).
QString toolTipAt(QWidget* shown, QWidget* target, QPoint at) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, shown->mapToGlobal(at));
    QApplication::sendEvent(target, &help);
    return QToolTip::isVisible() ? shownToolTip(QToolTip::text()) : QString();
}

// Whole, or ending in "…" with the whole text in the tooltip.
void expectWholeOrCut(const QString& shown, const QString& whole, const QString& tip) {
    if (shown == whole)
        return;
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    // The failing line's tooltip is its message, without the marker that leads the line.
    QString text = whole;
    if (text.startsWith(LineResultsView::failureMarker()))
        text.remove(0, LineResultsView::failureMarker().size());
    EXPECT_TRUE(tip.contains(text)) << tip.toStdString();
}

class ShownTextTest : public WindowTest {
protected:
    LineResultsView* column() const { return widget<LineResultsView>("view_lineResults"); }
    ResultLineEdit* resultBox() const { return widget<ResultLineEdit>("edit_res"); }
    void waitForLiveEvaluation() {
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return !window->findChild<LiveEvaluation*>()->isPending(); }));
    }
};

TEST_F(ShownTextTest, LongValuesAreWholeOrCutWithTheirTooltipAtTheDefaultSize) {
    // The last line fails with a message of more than 40 characters.
    typeScript(QStringLiteral("2^64\nfac(100)\n-1e-300\n1 ") + QString(40, QLatin1Char('x')));
    click("btn_run");
    dialogs.take();
    const QStringList wholeTexts = column()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(wholeTexts.size(), 4);
    EXPECT_GE(wholeTexts.at(3).size(), 40);
    for (int line = 1; line <= 4; ++line) {
        const QTextBlock block = column()->document()->findBlockByNumber(line - 1);
        const QPoint at = column()->cursorRect(QTextCursor(block)).center();
        SCOPED_TRACE(line);
        expectWholeOrCut(column()->shownText(line), wholeTexts.at(line - 1),
                         toolTipAt(column()->viewport(), column(), at));
    }
    // The values themselves fit: the column widens for them.
    EXPECT_EQ(column()->shownText(1), QStringLiteral("1.84467e+19"));
    EXPECT_EQ(column()->shownText(2), QStringLiteral("9.33262e+157"));
    EXPECT_TRUE(column()->shownText(4).endsWith(QChar(0x2026)));

    editor()->setPlainText(QStringLiteral("fac(100)"));
    click("btn_run");
    resultBox()->resize(60, resultBox()->height());
    expectWholeOrCut(resultBox()->shownText(), result(),
                     toolTipAt(resultBox(), resultBox(), resultBox()->rect().center()));
    EXPECT_NE(resultBox()->shownText(), result());
}

TEST_F(ShownTextTest, TheResultBoxIsOutOfDateFromAnEditOrAFailedRunToTheNextRun) {
    const auto description = [this] { return resultBox()->accessibleDescription(); };
    typeScript(QStringLiteral("1+1"));
    click("btn_run");
    EXPECT_FALSE(resultBox()->isOutOfDate());
    const QString current = description();
    EXPECT_FALSE(current.contains(QLatin1String("[old]")));

    typeScript(QStringLiteral("+1"));
    EXPECT_TRUE(resultBox()->isOutOfDate());
    EXPECT_EQ(description(), current + QStringLiteral(" [old]"));
    click("btn_run");
    EXPECT_FALSE(resultBox()->isOutOfDate());
    EXPECT_EQ(result(), QStringLiteral("3"));

    // A failed run keeps the value on show, marked, even without an edit after it.
    editor()->setPlainText(QStringLiteral("3*"));
    click("btn_run");
    dialogs.take();
    click("btn_run");
    dialogs.take();
    EXPECT_EQ(result(), QStringLiteral("3"));
    EXPECT_TRUE(resultBox()->isOutOfDate());
}

TEST_F(ShownTextTest, HiddenControlsShowAsCodesInTheErrorBoxAndTheColumn) {
    editor()->setPlainText(QStringLiteral("1+\u202Eab*"));
    click("btn_run");
    const auto boxes = dialogs.take();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_FALSE(boxes.first().text.contains(QChar(0x202E)));
    EXPECT_FALSE(column()->toPlainText().contains(QChar(0x202E)));
    EXPECT_FALSE(column()->failedMessage().contains(QChar(0x202E)));
    EXPECT_TRUE(column()->failedMessage().contains(QLatin1String("<U+202E>")))
        << column()->failedMessage().toStdString();
}

TEST_F(ShownTextTest, AnEmptyLineIsBlankWhileTypedAndQuietlyMarkedElsewhere) {
    typeScript(QStringLiteral("1\n"));
    waitForLiveEvaluation();
    EXPECT_EQ(column()->toPlainText(), QStringLiteral("1\n"));
    EXPECT_EQ(column()->failedLine(), 0);

    typeScript(QStringLiteral("\n2"));
    waitForLiveEvaluation();
    EXPECT_EQ(column()->failedLine(), 2);
    const auto marks = column()->extraSelections();
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(marks.first().format.background().style(), Qt::NoBrush);
}

TEST_F(ShownTextTest, CopyingANotANumberResultGivesTheBoxsText) {
    typeScript(QStringLiteral("0/0"));
    click("btn_run");
    QApplication::clipboard()->clear();
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), result());
}

TEST_F(ShownTextTest, ArrowKeysChooseTheNextCategory) {
    auto* first = widget<QRadioButton>("rb_TRIGONOMETRIC");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    auto* second = widget<QRadioButton>("rb_ARITHMETIC");
    EXPECT_TRUE(second->isChecked());
    EXPECT_TRUE(second->hasFocus());
}

TEST_F(ShownTextTest, ALongTemplateKeepsTheStartOfItsLineInView) {
    QStringList parts;
    for (int i = 0; i < 30; ++i)
        parts.append(QStringLiteral("value%1").arg(i));
    MainWindowTestAccess::insertTemplate(*window, parts.join(QLatin1Char('+')), 0);
    EXPECT_EQ(editor()->horizontalScrollBar()->value(), 0);
}

} // namespace

// Past a cut value's "…" the line shows its background only, no sliver of the whole text.
TEST(ResultLineEditCut, NothingOfTheWholeTextShowsPastTheMarker) {
    struct Probe : ResultLineEdit {
        using QLineEdit::initStyleOption;
    } line;
    line.setReadOnly(true);
    line.resize(123, line.sizeHint().height());
    line.setText(QString(60, QLatin1Char('8')));
    line.setCursorPosition(0);
    const QString shown = line.shownText();
    ASSERT_TRUE(shown.endsWith(cutMarker()));
    QStyleOptionFrame option;
    line.initStyleOption(&option);
    const QRect contents =
        line.style()->subElementRect(QStyle::SE_LineEditContents, &option, &line);
    const QImage image = line.grab().toImage();
    const QColor base = line.palette().color(QPalette::Base);
    // The text starts 2 px into the contents; its last glyph may reach a pixel further.
    const int after = contents.left() + 2 + line.fontMetrics().horizontalAdvance(shown) + 2;
    for (int y = contents.top() + 2; y < contents.bottom() - 1; ++y)
        for (int x = after; x <= contents.right(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), base) << x << "," << y;
}
