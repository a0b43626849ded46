#pragma once

#include "IncrementalEvaluation.h"
#include "LineEvaluator.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

class LineResultsView;
class QPlainTextEdit;

// Evaluates the script again after every edit, on the GUI thread, from the first changed line
// on: the lines before it keep their results and the variables they left (see
// IncrementalEvaluation). A long pass runs in slices of a few milliseconds between the events
// of the loop, so typing never waits for it; an edit during a pass takes it back to the changed
// line. Each finished pass reports the results of the whole script; the column they are queued
// in (see LineResultsView::queueResults) is then written in slices as well.
class LiveEvaluation : public QObject {
    Q_OBJECT

public:
    // The wait after an edit before a pass starts, in milliseconds: none, a pass only evaluates
    // from the changed line on.
    static constexpr int pause = 0;
    // The longest a slice of a pass keeps the event loop waiting, in milliseconds.
    static constexpr int slice = 8;

    LiveEvaluation(QPlainTextEdit* editor, const QMap<QString, QString>& langTable);

    // The column that the receiver of evaluated queues the results in.
    void writeInto(LineResultsView* view) { column = view; }
    // True while a pass waits or runs, or its results are being written.
    bool isPending() const { return timer.isActive(); }
    // Finishes the pass now, as its slices would.
    void evaluateNow();
    // Drops a waiting report: a run has just shown this script's results.
    void cancel() {
        timer.stop();
        passWaiting = false;
    }
    // Evaluates with these options from now on, at once unless the script is empty.
    void setOptions(const RunOptions& options);

signals:
    void evaluated(const LineResults& results);

private:
    // Evaluates lines until the pass ends or the time is up; true when it ended.
    bool evaluateFor(qint64 milliseconds);
    void runSlice();

    QPlainTextEdit* editor;
    LineResultsView* column = nullptr;
    IncrementalEvaluation evaluation;
    // An edit came after the last pass ended.
    bool passWaiting = false;
    QTimer timer;
    // The editor's line count when it last changed.
    int editorLines = 0;
};
