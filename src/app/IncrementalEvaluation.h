#pragma once

#include "ScriptRunner.h"
#include "VariableCheckpoints.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct LineResults;

// The per-line evaluation of a script that is being edited, kept between edits: after an edit
// only the lines from the first changed one on are evaluated again, from the variables as they
// were before that line. The caller feeds the lines, as many at a time as it likes, so that a
// long pass can be cut into slices; the results always equal LineEvaluator's for the script.
//
//   linesChanged(i) --> VariableCheckpoints::goBackTo(i) --> results kept up to the checkpoint
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

private:
    double* nameMet(const char* name) override;
    void lineEvaluated(int line, std::string_view engineText, double value) override;
    void lineFailed(const RunResult& failed, std::string_view engineText) override;
    void collectReads(int line, std::string_view engineText);

    QMap<QString, QString> langTable;
    RunOptions options;
    VariableCheckpoints variables;
    std::unique_ptr<ScriptRun> run;
    QStringList texts;
    std::vector<double> values;
    std::unique_ptr<RunResult> failure;
    // Names met on the line being evaluated, and the names read before assignment with the
    // index of their line.
    std::vector<std::string> met;
    std::vector<std::pair<int, QString>> undefined;
};
