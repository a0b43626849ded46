#pragma once

#include <QObject>

class QPlainTextEdit;

// Spares an editor that does not wrap its lines the new layout of every line
// at each change of its width. Qt drops and rebuilds the layout of each line
// then, though without wrapping no line's layout depends on the width: with
// 400 000 lines that costs about half a second and 140 MB at the first show,
// and one very long line is shaped anew at every move of a splitter. The
// editor learns of the new size as if only its height had changed, which
// still sets its scroll bars right.
class UnwrappedResize : public QObject {
public:
    explicit UnwrappedResize(QPlainTextEdit* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* editor;
    bool passing = false;
};
