// A window whose saved script is 100 MB starts as quickly and as small as
// one without: a text that large is not read back (the window says so), and
// reading it would take seconds and hundreds of megabytes.
#include "MainWindow.h"
#include "ScriptFile.h"
#include "ScriptStore.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

constexpr qint64 savedBytes = qint64(100) * 1000 * 1000;
// Generous: a start without a saved script takes well under a second and
// some tens of megabytes.
constexpr qint64 startMilliseconds = 5000;
constexpr long growthKilobytes = 100 * 1024;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(LargeSavedScript, StartsQuicklyAndSmall) {
    const QString path = ScriptStore::filePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(savedBytes)); // sparse: made in no time
    file.close();

    const long peakBefore = peakKilobytes();
    QElapsedTimer clock;
    clock.start();
    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    const qint64 elapsed = clock.elapsed();
    const long growth = peakKilobytes() - peakBefore;

    EXPECT_LT(elapsed, startMilliseconds);
    EXPECT_LT(growth, growthKilobytes);
    EXPECT_TRUE(
        window.findChild<QPlainTextEdit*>(QStringLiteral("text_script"))->toPlainText().isEmpty());
    EXPECT_FALSE(window.findChild<QLabel*>(QStringLiteral("label_scriptNote"))->text().isEmpty());
}

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const QTemporaryDir home;
    if (!home.isValid())
        qFatal("no temporary folder");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QApplication::setOrganizationName(QStringLiteral("ScriptCalcTests"));
    QApplication::setApplicationName(QStringLiteral("bounds_tests"));
    return RUN_ALL_TESTS();
}
