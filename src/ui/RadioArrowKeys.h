#pragma once

#include <QObject>

class QWidget;

// Arrow keys on a radio button of group select the one before or after it (in the group's
// order, round the ends), as the keyboard user expects of a set of choices: focus and choice
// move together.
class RadioArrowKeys : public QObject {
public:
    explicit RadioArrowKeys(QWidget* group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* group;
};
