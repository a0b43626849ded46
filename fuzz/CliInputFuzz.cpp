// libFuzzer target: arbitrary bytes as a script file given to scriptcalc-cli,
// through the same line cutting (byte-order mark, CRLF, last line break) and
// per-line UTF-8 decoding as the command line, with the shipped English string
// table, handed over in pieces of sizes taken from the input. It must print
// exactly what the whole text decoded at once prints, in the documented shape.
#include "CliEvaluation.h"
#include "LangTable.h"
#include "RunOptions.h"
#include "ScriptInput.h"
#include "ScriptRunner.h"
#include "UndefinedNameWatch.h"

#include <QByteArray>
#include <QMap>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

const QMap<QString, QString>& englishTable() {
    static const QMap<QString, QString> table = [] {
        QMap<QString, QString> t;
        loadLanguageTable(QStringLiteral(SCRIPTCALC_SOURCE_DIR "/data/lang/en_us/config/lang.xml"),
                          &t);
        if (t.isEmpty())
            std::abort();
        return t;
    }();
    return table;
}

// The file's text as the editor would hold it, decoded at once.
QString wholeText(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

// The same output, but for the variables' addresses in the bytecode dump.
bool sameOutput(const CliOutput& a, const CliOutput& b) {
    static const QRegularExpression address(QStringLiteral("ADDR: 0x[0-9a-f]+"));
    return a.exitCode == b.exitCode &&
           QString(a.out).replace(address, QString()) ==
               QString(b.out).replace(address, QString()) &&
           a.err == b.err;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bool raw = size > 0 && (data[size - 1] & 1) != 0;
    const CliOutput output = evaluateScript(wholeText(bytes), englishTable(), raw, true, {});

    UndefinedNameWatch watch(false);
    ScriptRun run(englishTable(), &watch);
    ScriptLineSplitter splitter([&run](QByteArrayView line) { run.addUtf8Line(line); });
    // Piece sizes 1 to 8 from the first byte's bits, over and over.
    const qsizetype step = size > 0 ? 1 + (data[0] & 7) : 1;
    for (qsizetype at = 0; at < bytes.size(); at += step)
        splitter.feed(QByteArrayView(bytes).sliced(at, std::min(step, bytes.size() - at)));
    splitter.finish();
    if (!sameOutput(output, finishedRunOutput(run, watch, englishTable(), raw, true)))
        std::abort();

    switch (output.exitCode) {
    case exitSuccess:
        // Standard error holds at most the line of names that counted as 0.
        if (output.err.count(QLatin1Char('\n')) > 1 ||
            (!output.err.isEmpty() && !output.err.endsWith(QLatin1Char('\n'))) ||
            !output.out.contains(QLatin1Char('\n')))
            std::abort();
        break;
    case exitScriptError:
        // The message and the details: exactly two lines, nothing on standard output.
        if (!output.out.isEmpty() || output.err.count(QLatin1Char('\n')) != 2 ||
            !output.err.endsWith(QLatin1Char('\n')))
            std::abort();
        break;
    default:
        std::abort();
    }
    return 0;
}
