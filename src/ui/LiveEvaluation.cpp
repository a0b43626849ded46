#include "LiveEvaluation.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <limits>

namespace {

// Lines evaluated between two looks at the clock.
constexpr int linesPerClockRead = 16;

} // namespace

LiveEvaluation::LiveEvaluation(QPlainTextEdit* watched, const QMap<QString, QString>& langTable)
    : QObject(watched), editor(watched), evaluation(langTable) {
    timer.setSingleShot(true);
    timer.setInterval(pause);
    connect(&timer, &QTimer::timeout, this, &LiveEvaluation::runSlice);
    QTextDocument* document = watched->document();
    connect(document, &QTextDocument::contentsChange, this,
            [this, document](int position, int, int) {
                evaluation.linesChanged(document->findBlock(position).blockNumber());
                timer.start(pause);
            });
}

void LiveEvaluation::setOptions(const RunOptions& options) {
    evaluation.setOptions(options);
    if (!editor->document()->isEmpty())
        evaluateNow();
}

void LiveEvaluation::evaluateNow() {
    timer.stop();
    evaluateFor(std::numeric_limits<qint64>::max());
}

void LiveEvaluation::runSlice() {
    if (!evaluateFor(slice))
        timer.start(0);
}

bool LiveEvaluation::evaluateFor(qint64 milliseconds) {
    QElapsedTimer clock;
    clock.start();
    const QTextDocument* document = editor->document();
    const int lineCount = document->blockCount();
    QTextBlock block = document->findBlockByNumber(evaluation.nextLine());
    while (!evaluation.failed() && evaluation.nextLine() < lineCount) {
        evaluation.addLine(block.text());
        block = block.next();
        if (evaluation.nextLine() % linesPerClockRead == 0 && clock.elapsed() >= milliseconds)
            return false;
    }
    emit evaluated(evaluation.results(lineCount));
    return true;
}
