#pragma once

#include "RunOptions.h"

#include <QMap>
#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolButton;

// The window's display choices: the digits of every value shown and the angle
// unit. They sit in a menu behind a button on the status bar (the angle unit
// also on an indicator beside it that toggles it), are read from QSettings
// when made and stored there at every change, so a choice outlives the window.
//
//   menu action --> set --> QSettings, changed(options) --> column, result, unit page
class DisplayOptions : public QObject {
    Q_OBJECT

public:
    // Builds the button and its menu on window's status bar, captioned from
    // langTable, in the state the settings give.
    DisplayOptions(QMainWindow* window, const QMap<QString, QString>& langTable);

    RunOptions options() const { return current; }
    void setDigits(ResultDigits digits);
    void setAngle(mu::AngleUnit angle);

signals:
    void changed(const RunOptions& options);

private:
    void buildDigitsMenu(QMenu* menu, const QMap<QString, QString>& langTable);
    void buildAngleChoice(QMainWindow* window);
    void changeTo(const RunOptions& options);
    void restore();
    void store() const;
    void showChecked();

    RunOptions current;
    QToolButton* button = nullptr;
    QActionGroup* digitsGroup = nullptr;
    QAction* degreesAction = nullptr;
    QToolButton* angleButton = nullptr;
    QString radiansText, degreesText;
};
