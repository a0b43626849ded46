// Test main: a fixed platform and locale, one QApplication for all cases.
#include "TypingChild.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says this at every show(); it is no finding.
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    defaultHandler(type, context, text);
}

} // namespace

int main(int argc, char* argv[]) {
    // No display needed, and nothing of the machine's locale or time zone
    // leaks in: the language folder, number formats and dates are the same
    // everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qputenv("TZ", "UTC");
    QLocale::setDefault(QLocale::c());
    defaultHandler = qInstallMessageHandler(dropPlatformChatter);

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The window keeps its state with QSettings: here in a folder of the test
    // run's own, never in the user's settings.
    const QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        qFatal("no temporary folder for the settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    // The script is kept in the data folder: a temporary one as well.
    qputenv("XDG_DATA_HOME", QFile::encodeName(settingsDir.path() + QStringLiteral("/data")));
    QApplication::setOrganizationName(QStringLiteral("ScriptCalcTests"));
    QApplication::setApplicationName(QStringLiteral("ui_tests"));
    if (qEnvironmentVariableIsSet(typingChildVariable))
        return runTypingChild(qEnvironmentVariable(typingChildVariable));
    return RUN_ALL_TESTS();
}
