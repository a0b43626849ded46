#include "LiveEvaluation.h"

#include <QPlainTextEdit>

LiveEvaluation::LiveEvaluation(QPlainTextEdit* watched, const QMap<QString, QString>& langTable)
    : QObject(watched), editor(watched), evaluator(langTable) {
    timer.setSingleShot(true);
    timer.setInterval(pause);
    connect(&timer, &QTimer::timeout, this, &LiveEvaluation::evaluateNow);
    connect(watched->document(), &QTextDocument::contentsChanged, &timer,
            qOverload<>(&QTimer::start));
}

void LiveEvaluation::setOptions(const RunOptions& options) {
    evaluator.setOptions(options);
    if (!editor->document()->isEmpty())
        evaluateNow();
}

void LiveEvaluation::evaluateNow() {
    timer.stop();
    if (editor->blockCount() > maxLines || editor->document()->characterCount() > maxCharacters) {
        emit tooLarge();
        return;
    }
    emit evaluated(evaluator.evaluate(editor->toPlainText()));
}
