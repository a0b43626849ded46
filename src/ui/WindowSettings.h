#pragma once

#include <QMap>
#include <QObject>
#include <QString>

class QMainWindow;
class ScriptStore;

// What the window remembers between sessions: the script in a file of its own
// (ScriptStore), and with QSettings under the application's organization and
// name the window geometry, the catalogue category and the unit page's
// choices. restore() runs once at start; the settings are saved when the
// window closes and when the session manager asks, the script besides that
// after each pause in typing and at each run. A missing, unreadable or broken
// settings file leaves the window as it starts without one. A script that an
// older version kept in the settings is moved to its file once.
//
// The widgets are found by their object names, and choices are restored the
// way a user makes them (a click, a current row), so the window's own slots
// do the loading.
class WindowSettings : public QObject {
    Q_OBJECT

public:
    WindowSettings(QMainWindow* window, const QMap<QString, QString>& langTable);

    void restore();
    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T> T* child(const char* name) const;

    QMainWindow* window;
    ScriptStore* scriptStore;
};
