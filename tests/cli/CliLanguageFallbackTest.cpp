// The command line's own process: the string table it falls back on when its
// own gives no texts, and the memory it maps.
#include "../MemoryMaps.h"
#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A copy of scriptcalc-cli in a folder of its own, with the shipped tables
// beside it, so that a case may spoil one.
class CopiedInstallation {
public:
    CopiedInstallation() {
        const QString built = QFileInfo(QStringLiteral(SCRIPTCALC_CLI_PATH)).absolutePath();
        EXPECT_TRUE(QFile::copy(QStringLiteral(SCRIPTCALC_CLI_PATH), executable()));
        for (const char* language : {"en_us", "zh_cn"}) {
            const QString config = QStringLiteral("/lang/%1/config/").arg(QLatin1String(language));
            EXPECT_TRUE(QDir().mkpath(dir.path() + config));
            EXPECT_TRUE(QFile::copy(built + config + QStringLiteral("lang.xml"),
                                    dir.path() + config + QStringLiteral("lang.xml")));
        }
    }
    QString executable() const { return dir.filePath(QStringLiteral("scriptcalc-cli")); }
    QString langFile(const char* language) const {
        return dir.path() + QStringLiteral("/lang/%1/config/lang.xml").arg(QLatin1String(language));
    }

private:
    QTemporaryDir dir;
};

} // namespace

TEST(CliLanguage, AnUnusableTableFallsBackToTheOtherWithOneLine) {
    const CopiedInstallation installation;
    QFile english(installation.langFile("en_us"));
    ASSERT_TRUE(english.open(QIODevice::WriteOnly | QIODevice::Truncate));
    english.write("<lang>");
    english.close();

    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    process.start(installation.executable(), {QStringLiteral("-e"), QStringLiteral("1+")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardError()).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("scriptcalc-cli: no texts in %1; using %2")
                            .arg(installation.langFile("en_us"), installation.langFile("zh_cn")));
    EXPECT_TRUE(lines[1].startsWith(installedTable(QStringLiteral("zh_cn"))
                                        .value(QStringLiteral("IDS_PARSE_E12"))
                                        .section(QLatin1Char('%'), 0, 0)))
        << lines[1].toStdString();
}

// Looked at while the program waits for its script on standard input, after
// it has read its string table.
TEST(CliMemory, NoMappingIsWritableAndExecutable) {
    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    process.start(QStringLiteral(SCRIPTCALC_CLI_PATH), {});
    ASSERT_TRUE(process.waitForStarted());
    const QString proc = QStringLiteral("/proc/%1/").arg(process.processId());
    const auto readingStandardInput = [&proc] {
        QFile syscall(proc + QStringLiteral("syscall"));
        return syscall.open(QIODevice::ReadOnly) && syscall.readAll().startsWith("0 0x0 ");
    };
    for (int i = 0; i < 600 && !readingStandardInput(); ++i)
        QThread::msleep(100);
    ASSERT_TRUE(readingStandardInput());
    EXPECT_EQ(writableExecutableMappings(proc + QStringLiteral("maps")), QList<QByteArray>());
    process.write("6*7\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray("42\n"));
}
