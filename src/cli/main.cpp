// scriptcalc-cli: the run button of ScriptCalc on the command line. The script
// comes from -e texts, a file or standard input; the result box's text goes to
// standard output, the error box's message and the error's details to
// standard error.
#include "CliEvaluation.h"
#include "CliOptions.h"
#include "CliPlot.h"
#include "CommonFun.h"
#include "LangTable.h"
#include "ProductInfo.h"
#include "ScriptInput.h"
#include "ScriptRunner.h"
#include "UndefinedNameWatch.h"

#include <QCoreApplication>
#include <QMap>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// The string table for --lang CODE (the system locale's without it) first,
// then each other shipped language's, for when the first gives no texts.
QStringList languageFilePaths(const QString& code) {
    const CommonFun fun;
    if (code.isEmpty())
        return fun.langFilePathsToTry();
    const QString dataDir = fun.dataDirPath();
    QStringList paths{dataDir + QLatin1String("lang/") + CommonFun::languageFor(code, dataDir) +
                      QLatin1String("/config/lang.xml")};
    for (const QString& other : fun.langFilePathsToTry())
        if (!paths.contains(other))
            paths << other;
    return paths;
}

int usageError(const QString& message) {
    write(stderr,
          QStringLiteral("scriptcalc-cli: %1\nTry 'scriptcalc-cli --help'.\n").arg(message));
    return exitUsage;
}

// Everything written to standard output is checked once, at the end: a full
// disk or a closed output must not pass for success.
int finish(int code) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int reason = errno;
        write(stderr, QStringLiteral("scriptcalc-cli: cannot write the output: %1\n")
                          .arg(reason != 0 ? QString::fromLocal8Bit(std::strerror(reason))
                                           : QStringLiteral("write error")));
        return exitUsage;
    }
    return code;
}

int run(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    const CliOptions options = parseArguments(QCoreApplication::arguments().mid(1));
    if (!options.error.isEmpty())
        return usageError(options.error);
    if (options.help) {
        write(stdout, usageText());
        return finish(exitSuccess);
    }
    if (options.version) {
        write(stdout, QStringLiteral("scriptcalc-cli %1\n").arg(QLatin1String(kProductVersion)));
        return finish(exitSuccess);
    }

    // An unusable table is replaced by another, with one line on standard
    // error, as in the window.
    const QMap<QString, QString> langTable =
        loadUsableLanguageTable(languageFilePaths(options.language));
    const RunOptions runOptions{options.digits, options.angle};
    CliOutput output;
    QStringList lines; // kept only for --plot
    if (!options.texts.isEmpty()) {
        const QString script = withLineFeeds(options.texts.join(QLatin1Char('\n')));
        output = evaluateScript(script, langTable, options.raw, options.dump, runOptions,
                                options.strict);
        if (!options.plotFile.isEmpty())
            lines = script.split(QLatin1Char('\n'));
    } else {
        // Each line is evaluated as it is read, so the script is never held whole.
        UndefinedNameWatch watch(options.strict);
        ScriptRun scriptRun(langTable, &watch, 0, runOptions);
        QString error;
        const bool plotting = !options.plotFile.isEmpty();
        if (!readScriptLines(
                options.readsStandardInput() ? QStringLiteral("-") : options.file,
                [&scriptRun, &lines, plotting](QByteArrayView line) {
                    scriptRun.addUtf8Line(line);
                    if (plotting)
                        lines << QString::fromUtf8(line);
                },
                &error))
            return usageError(error);
        output = finishedRunOutput(scriptRun, watch, langTable, options.raw, options.dump);
    }
    write(stdout, output.out);
    write(stderr, output.err);
    if (output.exitCode != exitSuccess)
        return output.exitCode;
    if (!options.plotFile.isEmpty()) {
        const CliPlotResult plot = drawPlot(options, lines, langTable);
        if (plot.exitCode != exitSuccess) {
            write(stderr, QStringLiteral("scriptcalc-cli: %1\n").arg(plot.error));
            return finish(plot.exitCode);
        }
    }
    return finish(exitSuccess);
}

} // namespace

int main(int argc, char* argv[]) {
    // No page of ours is writable and executable at once: Qt's pattern
    // engine would map such pages to compile patterns, wherever Qt uses one.
    qputenv("QT_ENABLE_REGEXP_JIT", "0");
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Reported without allocating: the message is a literal.
        std::fputs("scriptcalc-cli: out of memory\n", stderr);
        return exitUsage;
    }
}
