// libFuzzer target: arbitrary bytes as a script file given to scriptcalc-cli,
// through the same decoding (byte-order mark, CRLF, UTF-8 with replacement of
// invalid bytes) and evaluation as the command line, with the shipped English
// string table. What it would print must have the documented shape.
#include "CliEvaluation.h"
#include "LangTable.h"
#include "ScriptInput.h"
#include "VariableStore.h"

#include <QByteArray>
#include <QMap>
#include <QString>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString script = scriptFromFileBytes(bytes);
    const bool raw = size > 0 && (data[size - 1] & 1) != 0;
    const CliOutput output = evaluateScript(script, englishTable(), raw, true);
    variableStore().clear();
    switch (output.exitCode) {
    case exitSuccess:
        if (!output.err.isEmpty() || !output.out.contains(QLatin1Char('\n')))
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
