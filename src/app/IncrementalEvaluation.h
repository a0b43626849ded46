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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LineResults;

// The per-line evaluation of a script that is being edited, kept between edits: after an edit
// only the lines from the first changed one on are evaluated again, from the variables and the
// defined functions as they were before that line. The caller feeds the lines, as many at a time as
// it likes, so that a long pass can be cut into slices; the results always equal LineEvaluator's
// for the script. When the caller tells which lines an edit replaced, the results of the last whole
// pass below them are kept, and a pass that meets that pass's state again after them takes them
// over instead of evaluating the rest (in scripts that define no functions).
//
//   linesChanged(i) --> VariableCheckpoints::goBackTo(i) --> results and functions kept up to
//                                                            the checkpoint
//   linesReplaced(i, ...) --> the same, keeping the previous pass below the edit
//   addLine(text) --> ScriptRun (fresh after going back) --RunObserver--> texts, names read
//                 --> the previous pass's state met again? --> its results, the rest fed
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
    // The removed lines from the 0-based index first on became added lines; the lines after
    // them are those fed before.
    void linesReplaced(int first, int removed, int added);
    // Every line of the script is fed, or one failed: the next pass after linesReplaced may
    // take over the results of this one below the edit.
    void passEnded();
    // The index of the line to feed next.
    int nextLine() const { return int(texts.size()); }
    // True once a line failed: the lines after it do not run.
    bool failed() const { return failure != nullptr; }
    // Evaluates line nextLine(), whose text is text. nextLine() may then move on by more than
    // one line, to the end of the previous pass (see linesReplaced).
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
    void goBackTo(int line, bool keepPrevious);
    void meetPreviousPass();

    QMap<QString, QString> langTable;
    RunOptions options;
    VariableCheckpoints variables;
    std::unique_ptr<ScriptRun> run;
    QStringList texts;
    std::vector<double> values;
    std::unique_ptr<RunResult> failure;
    mu::ScriptFunctionTable definedFunctions;
    std::vector<Definition> definitions;
    UndefinedNames undefined;
    // The results of the last whole pass from its line previousStart on, kept while the
    // variables keep its checkpoints. Its lines from unchangedFrom on are the script's lines
    // from unchangedFrom + shift on.
    struct PreviousPass {
        int start = 0;
        int unchangedFrom = 0;
        int shift = 0;
        QStringList texts;
        std::vector<double> values;
        std::unique_ptr<RunResult> failure;
        std::vector<UndefinedNames::Read> undefined;
    };
    std::unique_ptr<PreviousPass> previous;
    // The lines fed are the whole script, or end with a failing one.
    bool complete = false;
};
