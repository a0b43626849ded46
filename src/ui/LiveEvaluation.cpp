#include "LiveEvaluation.h"

#include "LineResultsView.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <algorithm>
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
    editorLines = document->blockCount();
    connect(document, &QTextDocument::contentsChange, this,
            [this, document](int position, int, int added) {
                // The lines from the first changed one to the one where the change ends replace
                // as many lines as the count lost.
                const int first = document->findBlock(position).blockNumber();
                QTextBlock end = document->findBlock(position + added);
                if (!end.isValid())
                    end = document->lastBlock();
                const int before = editorLines;
                editorLines = document->blockCount();
                const int addedLines = end.blockNumber() - first + 1;
                const int removedLines = addedLines - (editorLines - before);
                if (first < 0 || removedLines < 0)
                    evaluation.linesChanged(std::max(first, 0));
                else
                    evaluation.linesReplaced(first, removedLines, addedLines);
                passWaiting = true;
                timer.start(pause);
            });
}

void LiveEvaluation::setOptions(const RunOptions& options) {
    evaluation.setOptions(options);
    passWaiting = true;
    if (!editor->document()->isEmpty())
        evaluateNow();
}

void LiveEvaluation::evaluateNow() {
    timer.stop();
    constexpr qint64 unlimited = std::numeric_limits<qint64>::max();
    if (passWaiting)
        evaluateFor(unlimited);
    if (column)
        column->writeFor(unlimited);
}

// The pass first; the column's writing has what is left of the slice.
void LiveEvaluation::runSlice() {
    QElapsedTimer clock;
    clock.start();
    if (passWaiting && !evaluateFor(slice)) {
        timer.start(0);
        return;
    }
    if (column && !column->writeFor(std::max<qint64>(0, slice - clock.elapsed())))
        timer.start(0);
}

bool LiveEvaluation::evaluateFor(qint64 milliseconds) {
    QElapsedTimer clock;
    clock.start();
    const QTextDocument* document = editor->document();
    const int lineCount = document->blockCount();
    QTextBlock block = document->findBlockByNumber(evaluation.nextLine());
    while (!evaluation.failed() && evaluation.nextLine() < lineCount) {
        const int line = evaluation.nextLine();
        evaluation.addLine(block.text());
        // The rest of the previous pass may have been taken over.
        block = evaluation.nextLine() == line + 1
                    ? block.next()
                    : document->findBlockByNumber(evaluation.nextLine());
        if (evaluation.nextLine() % linesPerClockRead == 0 && clock.elapsed() >= milliseconds)
            return false;
    }
    evaluation.passEnded();
    passWaiting = false;
    emit evaluated(evaluation.results(lineCount));
    return true;
}
