// scriptcalc-cli: the run button of ScriptCalc on the command line. The script
// comes from -e texts, a file or standard input; the result box's text goes to
// standard output, the error box's message and the error's details to
// standard error.
#include "CliOptions.h"
#include "CommonFun.h"
#include "LangTable.h"
#include "ProductInfo.h"
#include "ScriptInput.h"
#include "ScriptRunner.h"

#include <QCoreApplication>
#include <QMap>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

enum ExitCode { exitSuccess = 0, exitScriptError = 1, exitUsage = 2 };

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// printf's "%.17g", independent of the process locale; every NaN is "nan".
QString rawValue(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString languageFilePath(const QString& code) {
    const CommonFun fun;
    if (code.isEmpty())
        return fun.langFilePath();
    const QString dataDir = fun.dataDirPath();
    return dataDir + QLatin1String("lang/") + CommonFun::languageFor(code, dataDir) +
           QLatin1String("/config/lang.xml");
}

int usageError(const QString& message) {
    write(stderr,
          QStringLiteral("scriptcalc-cli: %1\nTry 'scriptcalc-cli --help'.\n").arg(message));
    return exitUsage;
}

int reportFailure(const RunResult& result) {
    // The message is one line even when a table text holds line breaks.
    QString message = result.text;
    message.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    write(stderr, message + QLatin1Char('\n'));
    write(stderr, QStringLiteral("error: line=%1 code=%2 pos=%3 key=%4 token=%5\n")
                      .arg(result.line)
                      .arg(result.code)
                      .arg(result.position)
                      .arg(result.key, result.token));
    return exitScriptError;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const CliOptions options = parseArguments(QCoreApplication::arguments().mid(1));
    if (!options.error.isEmpty())
        return usageError(options.error);
    if (options.help) {
        write(stdout, usageText());
        return exitSuccess;
    }
    if (options.version) {
        write(stdout, QStringLiteral("scriptcalc-cli %1\n").arg(QLatin1String(kProductVersion)));
        return exitSuccess;
    }

    QString script;
    if (!options.texts.isEmpty()) {
        script = options.texts.join(QLatin1Char('\n'));
    } else {
        QByteArray bytes;
        QString error;
        if (!readScriptBytes(options.readsStandardInput() ? QStringLiteral("-") : options.file,
                             &bytes, &error))
            return usageError(error);
        script = scriptFromFileBytes(bytes);
    }

    QMap<QString, QString> langTable;
    loadLanguageTable(languageFilePath(options.language), &langTable);
    std::ostringstream dump;
    const RunResult result = ScriptRunner(langTable).run(script, options.dump ? &dump : nullptr);
    if (!result.ok)
        return reportFailure(result);
    write(stdout, (options.raw ? rawValue(result.value) : result.text) + QLatin1Char('\n'));
    if (options.dump)
        write(stdout, QString::fromStdString(dump.str()));
    return exitSuccess;
}
