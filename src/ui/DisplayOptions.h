#pragma once

#include "RunOptions.h"

#include <QMap>
#include <QObject>
#include <QString>

class QActionGroup;
class QMainWindow;
class QMenu;
class QToolButton;

// The window's display choices: the digits of every value shown. They sit in
// a menu behind a button on the status bar, are read from QSettings when made
// and stored there at every change, so a choice outlives the window.
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

signals:
    void changed(const RunOptions& options);

private:
    void buildDigitsMenu(QMenu* menu, const QMap<QString, QString>& langTable);
    void restore();
    void store() const;
    void showChecked();

    RunOptions current;
    QToolButton* button = nullptr;
    QActionGroup* digitsGroup = nullptr;
};
