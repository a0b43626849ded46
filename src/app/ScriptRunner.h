#pragma once

#include "NumberFormatter.h"
#include "RunOptions.h"
#include "VariableStore.h"

#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace mu {
class Parser;
class ParserError;
class ScriptFunction;
class ScriptFunctionTable;
struct FunctionHead;
} // namespace mu

// The run button's work without the window: a script is evaluated line by line
// by a fresh engine, and the last line's value or the first error is turned
// into the text the window shows.
//
//   script --split at "\n"--> lines --toEngineText--> mu::Parser (variables in
//   the run's VariableStore) --> value --formatResult--> result text
//                  |               \--ParserError--> formatErrorMessage --> error text
//                  \--definition line--> mu::ScriptFunctionTable --> signature "f(x)"
//
// A definition line "name(p1, ..., pn) = body" has no value: the table keeps its body, which
// later lines' calls compile in place, and the line shows the function's signature.

struct RunResult {
    bool ok = false;
    double value = 0.0;           // the last line's value (when ok); NaN for a definition
    bool definition = false;      // ok: the last line defines a function, text is its signature
    QString text;                 // ok: the text for the result box; failed: the error box message
    int line = 0;                 // failed: 1-based line number
    int code = -1, position = -1; // failed: ParserError code() and position()
    QString key, token;           // failed: ParserError message() and token()
};

// What a caller learns from a run while it goes through the lines: the per-line column and the
// live evaluation follow the run's own loop instead of repeating it.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // The engine meets name for the first time in this run, while a line compiles. The storage
    // returned becomes the variable; null gives a new 0 in the run's own store.
    virtual double* nameMet(const char* name) = 0;
    // line (1-based) evaluated to value; engineText is what the engine read.
    virtual void lineEvaluated(int line, std::string_view engineText, double value) = 0;
    // line defined function, as head reads engineText.
    virtual void lineDefined(int line, std::string_view engineText, const mu::FunctionHead& head,
                             const mu::ScriptFunction& function) = 0;
    virtual void lineFailed(const RunResult& failure, std::string_view engineText) = 0;
};

// One run in progress, fed a line at a time, so that a caller reading a script piece by piece
// never holds all of it.
class ScriptRun {
public:
    // observer (may be null) must outlive the run. linesBefore: the number of the line before
    // the first one fed, for a run that continues where an earlier one stopped. functions (may
    // be null: a table of the run's own) holds the functions defined so far, and those the run
    // defines; it must outlive the run.
    explicit ScriptRun(const QMap<QString, QString>& langTable, RunObserver* observer = nullptr,
                       int linesBefore = 0, const RunOptions& options = {},
                       mu::ScriptFunctionTable* functions = nullptr);
    ~ScriptRun();
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

    // Evaluates the next line, unless an earlier one failed.
    void addLine(QStringView text);
    // Every line of script, split at "\n".
    void addLines(QStringView script);
    // The same for a line of a UTF-8 script, read as QString::fromUtf8 reads the whole script:
    // invalid bytes as replacement characters, a byte-order mark dropped at the start of the
    // first line only.
    void addUtf8Line(QByteArrayView bytes);
    bool failed() const { return failure != nullptr; }
    // The result after the last line. When dump is given and the run succeeded, the bytecode of
    // the last line is written to it (nothing after a definition).
    RunResult finish(std::ostream* dump = nullptr);

    // The functions defined by the lines so far.
    const mu::ScriptFunctionTable& functions() const { return *definitions; }
    // The value of a variable the lines so far met, or nullopt.
    std::optional<double> variable(std::string_view name) const;

private:
    static double* createVariable(const char* a_szName, void* a_pUserData);
    // Compiles and evaluates the engine's text of the current line.
    void evaluate(std::string_view engineText);
    void define(const mu::FunctionHead& head);
    void fail(const mu::ParserError& error, QStringView text);

    QMap<QString, QString> langTable;
    NumberFormatter formatter;
    RunObserver* observer;
    VariableStore variables;
    std::unique_ptr<mu::ScriptFunctionTable> ownDefinitions;
    mu::ScriptFunctionTable* definitions;
    std::unique_ptr<mu::Parser> parser;
    std::string bytes;
    // The engine's text of the current line: its own copy once it has one.
    std::string_view engineText;
    double value = 0.0;
    // The signature of the function the last line defined, or empty.
    std::string signature;
    int line = 0;
    std::unique_ptr<RunResult> failure;
};

class ScriptRunner {
public:
    // The table is copied (cheaply, it is implicitly shared) and gives the
    // error formats and the text for a result that is not a number.
    explicit ScriptRunner(const QMap<QString, QString>& langTable, const RunOptions& options = {});

    // Every line goes to the engine, empty ones included, so a script that
    // ends with a line break fails on its empty last line. When dump is given
    // and the run succeeds, the bytecode of the last line is written to it.
    RunResult run(const QString& script, std::ostream* dump = nullptr) const;

private:
    QMap<QString, QString> langTable;
    RunOptions options;
};

// What a run reports for error on its 1-based line, whose typed text is text.
RunResult failedRun(const mu::ParserError& error, int line, QStringView text,
                    const QMap<QString, QString>& langTable);

// The format with its first "%s" replaced by token. The format comes from a
// data file, so every other "%" sequence is kept literally, and the result is
// cut to 2047 UTF-8 bytes at a character boundary.
QString formatErrorMessage(const QString& format, const QString& token);
