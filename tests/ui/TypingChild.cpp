#include "TypingChild.h"

#include "MainWindow.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <cstdio>

int runTypingChild(const QString& folder) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("/data")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    MainWindow window;
    window.show();
    const TerminationSignals terminationSignals(&window);
    auto* editor = window.findChild<QPlainTextEdit*>(QStringLiteral("text_script"));
    for (const QString& line : typingChildScript.split(QLatin1Char('\n'))) {
        if (!editor->toPlainText().isEmpty())
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, line);
    }
    std::puts("typed");
    std::fflush(stdout);
    return QApplication::exec();
}

bool startTypingChild(QProcess& child, const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(typingChildVariable), folder);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    return child.waitForStarted() && child.waitForReadyRead(30000) &&
           child.readLine().trimmed() == "typed";
}
