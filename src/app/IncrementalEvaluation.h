#pragma once

#include "ScriptFunctionTable.h"
#include "ScriptRunner.h"
#include "UndefinedNames.h"
#include "VariableCheckpoints.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string>
#include <vector>

struct LineResults;

// The per-line evaluation of a script that is being edited, kept between edits: after an edit
// only the lines from the first changed one on are evaluated again, from the variables and the
// defined functions as they were before that line. The caller feeds the lines, as many at a time as
// it likes, so that a long pass can be cut into slices; the results always equal LineEvaluator's
// for the script.
//
//   linesChanged(i) --> VariableCheckpoints::goBackTo(i) --> results and functions kept up to
//                                                            the checkpoint
//   addLine(text) --> ScriptRun (fresh after going back) --RunObserver--> texts, names read
//   results(n) --> LineResults for a script of n lines
class IncrementalEvaluation : private RunObserver {
public:
    explicit IncrementalEvaluation(const QMap<QString, QString>& langTable,
                                   const RunOptions& options = {});
    ~IncrementalEvaluation() override;
    IncrementalEvaluation(const IncrementalEvaluation&) = delete;
    IncrementalEvaluation& operator=(const IncrementalEvaluation&) = delete;

    // Every line is evaluated again with these options.
    void setOptions(const RunOptions& runOptions);
    // Lines from the 0-based index line on may differ from those fed before.
    void linesChanged(int line);
    // The index of the line to feed next.
    int nextLine() const { return int(texts.size()); }
    // True once a line failed: the lines after it do not run.
    bool failed() const { return failure != nullptr; }
    // Evaluates line nextLine(), whose text is text.
    void addLine(QStringView text);
    // The results for a script of lineCount lines, all fed (or up to a failure).
    LineResults results(int lineCount) const;

    // The functions the lines fed so far define.
    const mu::ScriptFunctionTable& functions() const { return definedFunctions; }
    // The value of a variable after the lines fed so far, or nullopt when none met it.
    std::optional<double> variable(std::string_view name) const;

private:
    // A definition line, kept to define its function again after going back.
    struct Definition {
        int line;
        mu::FunctionHead head;
        std::string text;
    };

    double* nameMet(const char* name) override;
    void lineEvaluated(int line, std::string_view engineText, double value) override;
    void lineDefined(int line, std::string_view engineText, const mu::FunctionHead& head,
                     const mu::ScriptFunction& function) override;
    void lineFailed(const RunResult& failed, std::string_view engineText) override;

    QMap<QString, QString> langTable;
    RunOptions options;
    VariableCheckpoints variables;
    mu::ScriptFunctionTable definedFunctions;
    std::vector<Definition> definitions;
    std::unique_ptr<ScriptRun> run;
    QStringList texts;
    std::vector<double> values;
    std::unique_ptr<RunResult> failure;
    UndefinedNames undefined;
};
