// The script outlives the window: kept in its own file after each pause, run
// and signal, never damaged by a failed write, moved out of the settings of
// older versions, and not read back when it is too large to restore quickly.
#include "ScriptFile.h"
#include "TypingChild.h"
#include "WindowTest.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// The saved script, or "<none>" when there is no file.
QString savedScript(const QString& path = ScriptStore::filePath()) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                          : QStringLiteral("<none>");
}

// While it lives, no file of this process may grow past limit bytes: a write
// beyond fails as on a full disk, without the signal that would end us.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{limit, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

QString childScriptPath(const QString& folder) {
    return folder + QStringLiteral("/data/ScriptCalcTests/ui_tests/script.txt");
}

} // namespace

class ScriptStoreTest : public WindowTestBase {
protected:
    void SetUp() override {
        WindowTestBase::SetUp();
        installation.writeLangTable(TestInstallation::standardEntries());
    }
    QString note() const { return widget<QLabel>("label_scriptNote")->text(); }
};

TEST_F(ScriptStoreTest, AKilledWindowComesBackWithWhatWasTyped) {
    const QTemporaryDir folder;
    QProcess child;
    ASSERT_TRUE(startTypingChild(child, folder.path()));
    // Typing has stopped: the pause saves the script without any close.
    const QString path = childScriptPath(folder.path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return savedScript(path) == typingChildScript; }, 20000))
        << savedScript(path).toStdString();
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());

    const QByteArray ownData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.path() + QStringLiteral("/data")));
    openWindow();
    EXPECT_EQ(script(), typingChildScript);
    window.reset();
    qputenv("XDG_DATA_HOME", ownData);
}

TEST_F(ScriptStoreTest, TerminationSavesAndEndsNormally) {
    const QTemporaryDir folder;
    QProcess child;
    ASSERT_TRUE(startTypingChild(child, folder.path()));
    ::kill(pid_t(child.processId()), SIGTERM);
    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(savedScript(childScriptPath(folder.path())), typingChildScript);
}

TEST_F(ScriptStoreTest, AFailedWriteKeepsTheLastGoodCopyAndSaysSo) {
    openWindow();
    typeScript(QStringLiteral("a=1"));
    click("btn_run");
    ASSERT_EQ(savedScript(), QStringLiteral("a=1"));
    ASSERT_EQ(note(), QString());
    {
        const FileSizeLimit limit(16);
        setScript(QStringLiteral("a=1\n") + QString(64, QLatin1Char('2')), 0, 0);
        click("btn_run");
        EXPECT_EQ(savedScript(), QStringLiteral("a=1"));
        EXPECT_TRUE(note().startsWith(QStringLiteral("Not saved: "))) << note().toStdString();
    }
    click("btn_run");
    EXPECT_EQ(savedScript(), script());
    EXPECT_EQ(note(), QString());
}

TEST_F(ScriptStoreTest, AScriptInTheOldSettingsIsMovedToItsFile) {
    QSettings().setValue(QStringLiteral("editor/script"), QStringLiteral("b=2\nb*3"));
    openWindow();
    EXPECT_EQ(script(), QStringLiteral("b=2\nb*3"));
    EXPECT_EQ(savedScript(), QStringLiteral("b=2\nb*3"));
    EXPECT_FALSE(QSettings().contains(QStringLiteral("editor/script")));
    window->close();
    EXPECT_FALSE(QSettings().contains(QStringLiteral("editor/script")));
}

TEST_F(ScriptStoreTest, ASavedScriptTooLargeToRestoreQuicklyIsNotOpened) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ScriptStore::filePath()).absolutePath()));
    QFile file(ScriptStore::filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(maxScriptFileBytes + 1)); // sparse: cheap to make
    file.close();
    openWindow();
    EXPECT_TRUE(script().isEmpty());
    EXPECT_EQ(note(), QStringLiteral("Not opened: 16"));
}

// Qt lays out each shown line whole: a script whose first lines are very long would start slowly
// however small it is, so it is kept no more than one too large.
TEST_F(ScriptStoreTest, AScriptWhoseFirstLinesAreTooLongIsNeitherSavedNorOpened) {
    // Over the limit in the first lines, each of them short enough alone.
    const qsizetype perLine = maxStartLineCharacters / startLineCount + 1;
    QStringList lines(startLineCount, QString(perLine, QLatin1Char('1')));
    openWindow();
    typeScript(QStringLiteral("a=1"));
    click("btn_run");
    ASSERT_EQ(savedScript(), QStringLiteral("a=1"));
    setScript(lines.join(QLatin1Char('\n')), 0, 0);
    window->close();
    EXPECT_EQ(savedScript(), QStringLiteral("a=1"));
    EXPECT_EQ(note(), QStringLiteral("Lines too long: 1048576/64"));
    window.reset();

    QFile file(ScriptStore::filePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString(maxStartLineCharacters + 1, QLatin1Char('2')).toUtf8());
    file.close();
    openWindow();
    EXPECT_TRUE(script().isEmpty());
    EXPECT_EQ(note(), QStringLiteral("Lines not opened: 1048576/64"));
}

struct StartLines {
    const char* name;
    QString text;
    bool tooLong;
};

// Limit 10: how lines end and which lines count.
const StartLines startLineRows[] = {
    {"Empty", QString(), false},
    {"AtTheLimit", QStringLiteral("1234567890"), false},
    {"OverTheLimit", QStringLiteral("12345678901"), true},
    {"SpreadOverLines", QStringLiteral("12345\n67890\n1"), true},
    {"BreaksAreNoCharacters", QStringLiteral("12345\r\n\r\n\r67890"), false},
    {"PastTheStartLines",
     QString(startLineCount, QLatin1Char('\n')) + QStringLiteral("12345678901"), false},
    {"OnTheLastStartLine",
     QString(startLineCount - 1, QLatin1Char('\n')) + QStringLiteral("12345678901"), true},
    {"CrLfIsOneBreak", QStringLiteral("\r\n").repeated(startLineCount - 1) + "12345678901", true},
    {"ParagraphSeparatorBreaks",
     QString(startLineCount, QChar::ParagraphSeparator) + QStringLiteral("12345678901"), false},
    {"LineSeparatorDoesNot", QStringLiteral("12345") + QChar(QChar::LineSeparator) + "12345", true},
};

class StartLinesTest : public ::testing::TestWithParam<StartLines> {};

TEST_P(StartLinesTest, CountsTheCharactersOfTheFirstLines) {
    EXPECT_EQ(startLinesTooLong(GetParam().text, 10), GetParam().tooLong);
}

INSTANTIATE_TEST_SUITE_P(ScriptFile, StartLinesTest, ::testing::ValuesIn(startLineRows),
                         [](const auto& row) { return std::string(row.param.name); });
