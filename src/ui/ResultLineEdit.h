#pragma once

#include <QLineEdit>
#include <QString>

// A read-only line that shows a value. Its text stays whole (for copying and for screen
// readers), but a text too wide for the line is drawn cut, ending in "…", and its tooltip then
// leads with the whole text, so a cut value never reads as another number. The line can be
// marked out of date: its text is then drawn dimmed.
class ResultLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit ResultLineEdit(QWidget* parent = nullptr);

    // The text as drawn: whole, or cut to end in "…".
    QString shownText() const;
    void setOutOfDate(bool outOfDate);
    bool isOutOfDate() const { return outOfDate; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;

    bool outOfDate = false;
};

// The marker that ends a text cut to fit.
QString cutMarker();
