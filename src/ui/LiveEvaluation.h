#pragma once

#include "LineEvaluator.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

// Evaluates the script again once typing pauses, on the GUI thread while it
// is idle: each edit restarts a short single-shot timer, and only its
// timeout evaluates. Scripts longer than maxLines or maxCharacters are not
// evaluated, so that a huge script cannot make typing stutter.
class LiveEvaluation : public QObject {
    Q_OBJECT

public:
    // The pause after the last edit, in milliseconds.
    static constexpr int pause = 150;
    // From bench/LiveEvaluationBench.cpp (Release, 2 busy cores): evaluation
    // and column refill take about 4.5 µs of CPU per line, 0.4 ms for 100
    // lines, 3.5 ms for 1 000, 45 ms for 10 000 and 0.5 s for 100 000. At this
    // cap one pass stays near 20 ms, a frame or two, and only after a pause.
    static constexpr int maxLines = 5000;
    // The same cost in a few long lines: those lines average about 30
    // characters, and the engine's time grows with the characters it reads.
    static constexpr int maxCharacters = 200000;

    LiveEvaluation(QPlainTextEdit* editor, const QMap<QString, QString>& langTable);

    // True while an evaluation waits for the pause to end.
    bool isPending() const { return timer.isActive(); }
    // Evaluates now, as the timeout would.
    void evaluateNow();
    // Drops a waiting evaluation: a run has just shown this script's results.
    void cancel() { timer.stop(); }
    // Evaluates with these options from now on, at once unless the script is empty.
    void setOptions(const RunOptions& options);

signals:
    void evaluated(const LineResults& results);
    void tooLarge();

private:
    QPlainTextEdit* editor;
    LineEvaluator evaluator;
    QTimer timer;
};
