#include "WindowTest.h"

#include <QApplication>
#include <QTest>
#include <QTextCursor>

void WindowTestBase::openWindow() {
    window = std::make_unique<MainWindow>();
    window->resize(800, 600);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        throw std::runtime_error("the window did not become active");
}

void WindowTestBase::click(const char* buttonName) {
    QTest::mouseClick(widget<QAbstractButton>(buttonName), Qt::LeftButton);
}

void WindowTestBase::typeScript(const QString& text) {
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n'))
            QTest::keyClick(editor(), Qt::Key_Return);
        else if (ch.unicode() < 0x80)
            QTest::keyClick(editor(), char(ch.unicode()));
        else // no key of its own: typed as through an input method
            QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
}

void WindowTestBase::setScript(const QString& text, int anchor, int position) {
    editor()->setPlainText(text);
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor()->setTextCursor(cursor);
}

int WindowTestBase::caret() const {
    return editor()->textCursor().position();
}

bool WindowTestBase::editorHasFocus() const {
    return QApplication::focusWidget() == editor();
}
