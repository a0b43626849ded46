#include "CliRunner.h"

#include "LangTable.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

QProcessEnvironment cliEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    return environment;
}

namespace {

CliRun runProcess(QProcess& process, const QStringList& arguments, const QByteArray& input) {
    process.start(QStringLiteral(SCRIPTCALC_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "cannot start " << SCRIPTCALC_CLI_PATH;
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    run.finished = process.waitForFinished(60000);
    EXPECT_TRUE(run.finished) << "scriptcalc-cli did not finish";
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus()) << "scriptcalc-cli crashed";
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

CliRun runCli(const QStringList& arguments, const QByteArray& input,
              const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    return runProcess(process, arguments, input);
}

CliRun runPreparedCli(const QStringList& arguments, const std::function<void(QProcess&)>& prepare) {
    QProcess process;
    process.setProcessEnvironment(cliEnvironment());
    prepare(process);
    return runProcess(process, arguments, QByteArray());
}

QMap<QString, QString> installedTable(const QString& language) {
    const QString path = QFileInfo(QStringLiteral(SCRIPTCALC_CLI_PATH)).absolutePath() +
                         QStringLiteral("/lang/") + language + QStringLiteral("/config/lang.xml");
    QMap<QString, QString> table;
    loadLanguageTable(path, &table);
    EXPECT_FALSE(table.isEmpty()) << path.toStdString();
    return table;
}

bool buildGermanLocale(const QString& folder) {
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"),
                       QStringLiteral("-f"), QStringLiteral("UTF-8"),
                       folder + QStringLiteral("/de_DE.UTF-8")});
    // Asked of a child process: loading a locale from LOCPATH in this one
    // leaves an allocation of the C library behind.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LOCPATH"), folder);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    QProcess locale;
    locale.setProcessEnvironment(environment);
    locale.start(QStringLiteral("locale"), {QStringLiteral("decimal_point")});
    return locale.waitForFinished(60000) && locale.exitCode() == 0 &&
           locale.readAllStandardOutput().trimmed() == ",";
}
