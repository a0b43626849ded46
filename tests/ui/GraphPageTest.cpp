// The Graph page in the window: a parameter slider dragged rewrites the script and everything
// follows; the trace, the analysis list and the view as the user meets them.
#include "WindowTest.h"

#include "GraphPage.h"
#include "GraphWidget.h"
#include "LineResultsView.h"
#include "LiveEvaluation.h"
#include "ShownToolTip.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include <cmath>

class GraphPageTest : public WindowTest {
protected:
    void showGraphPage() {
        auto* tabs = widget<QTabWidget>("tabMain");
        tabs->setCurrentWidget(widget<QWidget>("tabPageGraph"));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void setExpression(const QString& text) {
        widget<QLineEdit>("edit_graphExpression")->setText(text);
    }
    void evaluate() { window->findChild<LiveEvaluation*>()->evaluateNow(); }
    GraphWidget* graph() const { return widget<GraphWidget>("graph_view"); }
    QStringList columnLines() const {
        return widget<LineResultsView>("view_lineResults")->toPlainText().split(QLatin1Char('\n'));
    }
    // Drags the slider's handle with the mouse by dx pixels, in a few moves.
    static void drag(QSlider* slider, int dx) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = option.sliderValue = slider->value();
        const QPoint start =
            slider->style()
                ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
                .center();
        QTest::mousePress(slider, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(slider, start + QPoint(dx * step / 4, 0));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(dx, 0));
    }
};

// A hidden page is only told that the script changed; it reads the editor when it is shown.
TEST_F(GraphPageTest, AScriptEvaluatedWhileThePageIsHiddenIsDrawnWhenItIsShown) {
    typeScript(QStringLiteral("a=2\nf(t)=a*t"));
    evaluate();
    showGraphPage();
    EXPECT_TRUE(window->findChild<QSlider*>(QStringLiteral("slider_a")));
}

TEST_F(GraphPageTest, DraggingASliderRewritesTheNumberAndEverythingFollows) {
    typeScript(QStringLiteral("a=2\nb=1\nc=5\nf(t)=a*t+b\nf(10)"));
    showGraphPage();
    evaluate();
    // c is read by nothing shown: no slider.
    ASSERT_TRUE(window->findChild<QSlider*>(QStringLiteral("slider_a")));
    ASSERT_TRUE(window->findChild<QSlider*>(QStringLiteral("slider_b")));
    EXPECT_FALSE(window->findChild<QSlider*>(QStringLiteral("slider_c")));

    auto* slider = widget<QSlider>("slider_a");
    drag(slider, slider->width() / 4);
    const QString first = script().section(QLatin1Char('\n'), 0, 0);
    ASSERT_TRUE(first.startsWith(QLatin1String("a="))) << first.toStdString();
    const double a = first.mid(2).toDouble();
    EXPECT_GT(a, 2.0);
    EXPECT_EQ(script().section(QLatin1Char('\n'), 1),
              QStringLiteral("b=1\nc=5\nf(t)=a*t+b\nf(10)"));

    // The column, the result box and the curve all use the new value, without a run.
    const QString total = QString::number(a * 10 + 1, 'f', 8).remove(QRegularExpression("\\.?0+$"));
    EXPECT_EQ(columnLines().value(0), first.mid(2));
    EXPECT_EQ(columnLines().value(4), total);
    EXPECT_EQ(result(), total);
    const PlotCurve& curve = graph()->curve(0);
    ASSERT_FALSE(curve.pieces.isEmpty());
    for (const QPointF& point : curve.pieces.first())
        ASSERT_NEAR(point.y(), a * point.x() + 1, 1e-9 * (1 + std::abs(point.y())));

    // The whole drag is one step back.
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(script(), QStringLiteral("a=2\nb=1\nc=5\nf(t)=a*t+b\nf(10)"));
}

TEST_F(GraphPageTest, AnAnalysisEntryMovesTheTraceThere) {
    showGraphPage();
    setExpression(QStringLiteral("x^2-2"));
    auto* analysis = widget<QListWidget>("list_graphAnalysis");
    ASSERT_TRUE(QTest::qWaitFor([analysis] { return analysis->count() > 0; }));
    // With the test table's "root %1|%2", ordered by x: -sqrt(2), then sqrt(2).
    const QList<QListWidgetItem*> roots =
        analysis->findItems(QStringLiteral("root "), Qt::MatchStartsWith);
    ASSERT_EQ(roots.size(), 2);
    EXPECT_EQ(roots[1]->text(), QStringLiteral("root y = x^2-2|1.41421356"));
    analysis->setFocus();
    analysis->setCurrentItem(roots[1]);
    EXPECT_NEAR(graph()->traceX().value_or(0), std::sqrt(2.0), 1e-12);
    EXPECT_TRUE(widget<QLineEdit>("edit_graphTrace")
                    ->text()
                    .startsWith(QLatin1String("y = x^2-2|1.41421356|")));

    // From there the keyboard moves the trace, and a screen reader on the graph hears it.
    graph()->setFocus();
    QTest::keyClick(graph(), Qt::Key_Right, Qt::ShiftModifier);
    const double x = graph()->traceX().value_or(0);
    EXPECT_GT(x, std::sqrt(2.0));
    const QString shown = widget<QLineEdit>("edit_graphTrace")->text();
    EXPECT_EQ(shown.section(QLatin1Char('|'), 1, 1), QString::number(x, 'f', 8));
    EXPECT_TRUE(graph()->accessibleDescription().startsWith(shown));
}

TEST_F(GraphPageTest, TheViewOutlivesTheWindow) {
    showGraphPage();
    graph()->setFocus();
    QTest::keyClick(graph(), Qt::Key_Plus);
    QTest::keyClick(graph(), Qt::Key_Right);
    const PlotView moved = graph()->view();
    ASSERT_NE(moved.xMin(), -10.0);
    window->close();
    window.reset();
    openWindow();
    EXPECT_EQ(graph()->view().xMin(), moved.xMin());
    EXPECT_EQ(graph()->view().xMax(), moved.xMax());
    EXPECT_EQ(graph()->view().yMin(), moved.yMin());
    EXPECT_EQ(graph()->view().yMax(), moved.yMax());
}

// A curve reads a variable as the whole script leaves it; a variable whose last assignment is
// no plain number gets no slider.
TEST_F(GraphPageTest, CurvesReadTheVariablesAsTheScriptLeavesThem) {
    typeScript(QStringLiteral("k=2\nk=k*3\nk"));
    showGraphPage();
    setExpression(QStringLiteral("k*x"));
    evaluate();
    const PlotCurve& curve = graph()->curve(0);
    ASSERT_FALSE(curve.pieces.isEmpty());
    for (const QPointF& point : curve.pieces.first())
        ASSERT_DOUBLE_EQ(point.y(), 6 * point.x());
    EXPECT_FALSE(window->findChild<QSlider*>(QStringLiteral("slider_k")));
}

// Views no window can show, from a damaged settings file, and one nobody chose: the next
// window starts from the default view.
TEST_F(GraphPageTest, AnUnusableViewStartsFromTheDefault) {
    for (const char* stored : {"5 1 0 1", "-1 1 0 inf", "-1 1 0", "a b c d", ""}) {
        window.reset();
        QSettings().setValue(QStringLiteral("graph/view"), QString::fromLatin1(stored));
        openWindow();
        showGraphPage();
        EXPECT_EQ(graph()->view().xMin(), -10.0) << stored;
        EXPECT_EQ(graph()->view().xMax(), 10.0) << stored;
        window->close();
        EXPECT_FALSE(QSettings().contains(QStringLiteral("graph/view"))) << stored;
    }
}

TEST_F(GraphPageTest, CopyPutsThePictureOnTheClipboard) {
    showGraphPage();
    setExpression(QStringLiteral("sin(x)"));
    QGuiApplication::clipboard()->clear();
    click("btn_graphCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), graph()->size());
}

// tan x has a pole every pi: Fit shows its body, not the few points beside the poles.
TEST_F(GraphPageTest, FitLeavesOutThePoles) {
    showGraphPage();
    setExpression(QStringLiteral("tan(x)"));
    click("btn_graphFit");
    EXPECT_LT(graph()->view().yMin(), -5.0);
    EXPECT_GT(graph()->view().yMax(), 5.0);
    EXPECT_GT(graph()->view().yMin(), -200.0);
    EXPECT_LT(graph()->view().yMax(), 200.0);
}

// At the window's first size: eight parameters scroll instead of pushing the window's bottom out
// of sight, the sliders line up, and a step leaves the slider where the pointer has it.
TEST_F(GraphPageTest, ManyParametersFitTheWindowAndHoldStill) {
    QString text;
    QStringList terms;
    for (int i = 1; i <= 8; ++i) {
        text += QStringLiteral("p%1=%1\n").arg(i);
        terms.append(QStringLiteral("p%1*x").arg(i));
    }
    typeScript(text + QStringLiteral("f(x)=") + terms.join(QLatin1Char('+')));
    showGraphPage();
    evaluate();
    QApplication::processEvents();
    EXPECT_LE(window->minimumSizeHint().height(), 600);
    EXPECT_EQ(window->height(), 600);
    auto* first = widget<QSlider>("slider_p1");
    auto* last = widget<QSlider>("slider_p8");
    EXPECT_EQ(first->mapTo(window.get(), QPoint()).x(), last->mapTo(window.get(), QPoint()).x());

    const QRect before = first->geometry();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_PageUp);
    QApplication::processEvents();
    ASSERT_TRUE(script().startsWith(QLatin1String("p1=1.1\n"))) << script().toStdString();
    EXPECT_EQ(first->geometry(), before);
}

// Texts wider than their place end in "…" and show whole in their tooltip.
TEST_F(GraphPageTest, CutTextsShowWholeInTheirTooltips) {
    showGraphPage();
    const QString typed = QStringLiteral("x^2-2+0*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x*x");
    setExpression(typed);
    auto* analysis = widget<QListWidget>("list_graphAnalysis");
    ASSERT_TRUE(QTest::qWaitFor([analysis] { return analysis->count() > 0; }));
    for (QListWidget* list : {widget<QListWidget>("list_graphLegend"), analysis})
        for (int i = 0; i < list->count(); ++i)
            EXPECT_EQ(shownToolTip(list->item(i)->toolTip()), list->item(i)->text());

    analysis->setCurrentRow(0);
    auto* trace = widget<QLineEdit>("edit_graphTrace");
    ASSERT_GT(trace->fontMetrics().horizontalAdvance(trace->text()), trace->width());
    const QPoint inside = trace->rect().center();
    QHelpEvent help(QEvent::ToolTip, inside, trace->mapToGlobal(inside));
    QApplication::sendEvent(trace, &help);
    EXPECT_EQ(shownToolTip(QToolTip::text()), trace->text());
    QToolTip::hideText();
}

// A screen reader meets the plot as a chart, hears and sets a parameter's value rather than the
// slider's position, and hears why a typed expression draws nothing.
TEST_F(GraphPageTest, ThePageSpeaks) {
    typeScript(QStringLiteral("a=2\nf(x)=a*x"));
    showGraphPage();
    evaluate();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(graph())->role(), QAccessible::Chart);
    QAccessibleValueInterface* value =
        QAccessible::queryAccessibleInterface(widget<QSlider>("slider_a"))->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->currentValue().toDouble(), 2.0);
    EXPECT_EQ(value->minimumValue().toDouble(), 0.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 4.0);
    value->setCurrentValue(3.0);
    EXPECT_EQ(script(), QStringLiteral("a=3\nf(x)=a*x"));

    setExpression(QStringLiteral("x+"));
    auto* error = widget<QLabel>("label_graphError");
    ASSERT_FALSE(error->text().isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(error)->text(QAccessible::Description),
              error->text());
}

// Until it moves, a slider shows the number its line holds, not that number rounded to its
// step, and its range ends whole.
TEST_F(GraphPageTest, ASliderShowsItsLinesNumber) {
    typeScript(QStringLiteral("b=0.000125\nf(x)=b*x"));
    showGraphPage();
    evaluate();
    auto* slider = widget<QSlider>("slider_b");
    const QList<QLabel*> labels = slider->parentWidget()->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.first()->text(), QStringLiteral("b = 0.000125"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(slider)->valueInterface()->currentValue(),
              0.000125);
    for (QLineEdit* end : slider->parentWidget()->findChildren<QLineEdit*>()) {
        EXPECT_LT(end->fontMetrics().horizontalAdvance(end->text()), end->contentsRect().width())
            << end->text().toStdString();
        EXPECT_EQ(end->cursorPosition(), 0);
    }
}
