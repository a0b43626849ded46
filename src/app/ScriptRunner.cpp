#include "ScriptRunner.h"

#include "Parser.h"
#include "ScriptFunctionTable.h"
#include "TypedText.h"
#include "VariableStore.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringTokenizer>

#include <limits>
#include <string>

namespace {

// The message buffer of the error box holds 2048 bytes with its final zero.
constexpr qsizetype kMaxMessageBytes = 2047;

// From this length on a line's bytes are given back once the engine has its copy.
constexpr std::size_t longLine = std::size_t(1) << 20;

QByteArray truncatedUtf8(QByteArray bytes) {
    if (bytes.size() <= kMaxMessageBytes)
        return bytes;
    qsizetype cut = kMaxMessageBytes;
    // Back up to the lead byte of the character that would be split.
    while (cut > 0 && (static_cast<unsigned char>(bytes.at(cut)) & 0xC0) == 0x80)
        --cut;
    bytes.truncate(cut);
    return bytes;
}

QString errorText(const mu::ParserError& error, const QString& token,
                  const QMap<QString, QString>& langTable) {
    const QString key = QString::fromLatin1(error.message());
    const QString format = langTable.value(key);
    // Internal faults carry a text that is no key, and a table may lack a key:
    // the engine's own message then says more than an empty box.
    if (format.isEmpty())
        return QString::fromUtf8(truncatedUtf8(key.toUtf8()));
    return formatErrorMessage(format, token);
}

bool isAscii(QByteArrayView bytes) {
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

} // namespace

// The token is shown as the user typed it, not as the engine's bytes.
RunResult failedRun(const mu::ParserError& error, int line, QStringView text,
                    const QMap<QString, QString>& langTable) {
    RunResult result;
    result.token = typedText(text, error.token(), error.position());
    result.text = errorText(error, result.token, langTable);
    result.line = line;
    result.code = error.code();
    result.position = error.position();
    result.key = QString::fromLatin1(error.message());
    return result;
}

ScriptRun::ScriptRun(const QMap<QString, QString>& table, RunObserver* watcher, int linesBefore,
                     const RunOptions& options, mu::ScriptFunctionTable* functions)
    : langTable(table), formatter(options.digits), observer(watcher),
      ownDefinitions(functions ? nullptr : std::make_unique<mu::ScriptFunctionTable>()),
      definitions(functions ? functions : ownDefinitions.get()),
      parser(std::make_unique<mu::Parser>()), line(linesBefore) {
    parser->SetVariableFactory(&ScriptRun::createVariable, this);
    // A reader given a table looks every name up in it: a script without definitions is spared.
    if (!definitions->Empty())
        parser->SetScriptFunctions(definitions);
    if (options.angle != mu::AngleUnit::Radians)
        parser->SetAngleUnit(options.angle);
}

ScriptRun::~ScriptRun() = default;

double* ScriptRun::createVariable(const char* a_szName, void* a_pUserData) {
    auto* run = static_cast<ScriptRun*>(a_pUserData);
    if (run->observer)
        if (double* given = run->observer->nameMet(a_szName))
            return given;
    return run->variables.create();
}

void ScriptRun::addLine(QStringView text) {
    if (failure)
        return;
    ++line;
    toEngineText(text, bytes);
    try {
        evaluate(bytes);
    } catch (const mu::ParserError& error) {
        fail(error, text);
    }
}

void ScriptRun::addLines(QStringView script) {
    // Lines are viewed in place: a long script pays no allocation per line.
    for (const QStringView text : QStringTokenizer(script, u'\n')) {
        if (failure)
            return;
        addLine(text);
    }
}

void ScriptRun::addUtf8Line(QByteArrayView utf8) {
    if (failure)
        return;
    if (!isAscii(utf8)) {
        // Decoding stops at the line's end, where the whole script's decoding would start
        // afresh as well: a line break is never part of a character. Only the first line may
        // lose a byte-order mark, as the start of the whole text would.
        using Flag = QStringDecoder::Flag;
        QStringDecoder decoder(QStringDecoder::Utf8,
                               line == 0 ? Flag::Stateless
                                         : Flag::Stateless | Flag::ConvertInitialBom);
        addLine(QString(decoder(utf8)));
        return;
    }
    // ASCII is the engine's text as it stands.
    ++line;
    try {
        evaluate(std::string_view(utf8.data(), std::size_t(utf8.size())));
    } catch (const mu::ParserError& error) {
        fail(error, QString::fromLatin1(utf8));
    }
}

void ScriptRun::evaluate(std::string_view text) {
    engineText = text;
    signature.clear();
    if (const std::optional<mu::FunctionHead> head = mu::ReadFunctionHead(text)) {
        define(*head);
        return;
    }
    parser->SetExpression(text);
    engineText = parser->Expression();
    // The engine holds its own copy of a long line: do not hold a second one while it compiles.
    if (bytes.size() >= longLine) {
        bytes.clear();
        bytes.shrink_to_fit();
    }
    value = parser->Evaluate();
    if (observer)
        observer->lineEvaluated(line, engineText, value);
}

void ScriptRun::define(const mu::FunctionHead& head) {
    const mu::ScriptFunction& function = definitions->Define(head, engineText);
    if (!parser->ScriptFunctions())
        parser->SetScriptFunctions(definitions);
    value = std::numeric_limits<double>::quiet_NaN();
    signature = function.Signature();
    if (observer)
        observer->lineDefined(line, engineText, head, function);
}

std::optional<double> ScriptRun::variable(std::string_view name) const {
    const mu::VariableTable& table = parser->Variables();
    const auto found = table.find(name);
    if (found == table.end())
        return std::nullopt;
    return *found->second;
}

void ScriptRun::fail(const mu::ParserError& error, QStringView text) {
    failure = std::make_unique<RunResult>(failedRun(error, line, text, langTable));
    if (observer)
        observer->lineFailed(*failure, engineText);
}

const mu::ParserBytecode& ScriptRun::bytecode() const {
    return parser->Bytecode();
}

RunResult ScriptRun::finish(std::ostream* dump) {
    if (failure)
        return *failure;
    RunResult result;
    result.ok = true;
    result.value = value;
    if (!signature.empty()) {
        result.definition = true;
        result.text = QString::fromLatin1(signature);
        return result;
    }
    if (dump)
        parser->Bytecode().Dump(*dump);
    result.text = formatter.resultText(value, langTable.value(QStringLiteral("IDS_CALC_ERROR")));
    return result;
}

ScriptRunner::ScriptRunner(const QMap<QString, QString>& table, const RunOptions& runOptions)
    : langTable(table), options(runOptions) {}

RunResult ScriptRunner::run(const QString& script, std::ostream* dump) const {
    ScriptRun run(langTable, nullptr, 0, options);
    run.addLines(script);
    return run.finish(dump);
}

QString formatErrorMessage(const QString& format, const QString& token) {
    const QByteArray in = format.toUtf8();
    QByteArray out;
    out.reserve(in.size());
    bool substituted = false;
    for (qsizetype i = 0; i < in.size() && out.size() <= kMaxMessageBytes; ++i) {
        if (in.at(i) != '%' || i + 1 == in.size()) {
            out.append(in.at(i));
        } else if (in.at(i + 1) == 's' && !substituted) {
            out.append(token.toUtf8().left(kMaxMessageBytes + 4));
            substituted = true;
            ++i;
        } else {
            // Any other sequence, "%%" included, is shown as written.
            out.append(in.mid(i, 2));
            ++i;
        }
    }
    return QString::fromUtf8(truncatedUtf8(out));
}
