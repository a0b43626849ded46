#pragma once

#include <QObject>

class QMainWindow;

// What the window remembers between sessions, kept with QSettings under the
// application's organization and name: the script, the window geometry, the
// catalogue category and the unit page's choices. restore() runs once at
// start; saving happens when the window closes. A missing, unreadable or
// broken settings file leaves the window as it starts without one.
//
// The widgets are found by their object names, and choices are restored the
// way a user makes them (a click, a current row), so the window's own slots
// do the loading.
class WindowSettings : public QObject {
    Q_OBJECT

public:
    explicit WindowSettings(QMainWindow* window);

    void restore();
    void save() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T> T* child(const char* name) const;

    QMainWindow* window;
};
