// Script text in a tooltip is shown as typed: Qt renders markup-looking
// tooltips as rich text, which could load a local file or offer a link.
#include "LineResultsView.h"
#include "ShownToolTip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include <gtest/gtest.h>

TEST(PlainText, TheFailedLineTooltipShowsTheMessageAsTyped) {
    LineResultsView view;
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QString message = QStringLiteral("Unknown \"<img src=\"x.png\">\"");
    view.showResults({QStringLiteral("1")}, 1, QStringLiteral("short"), message);
    const QPoint inViewport = view.cursorRect(QTextCursor(view.document()->firstBlock())).center();
    const QPoint global = view.viewport()->mapToGlobal(inViewport);
    QHelpEvent help(QEvent::ToolTip, inViewport, global);
    QApplication::sendEvent(&view, &help);
    EXPECT_EQ(shownToolTip(QToolTip::text()), message);
    QToolTip::hideText();
}
