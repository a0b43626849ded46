#include "WindowSettings.h"

#include "GraphPage.h"
#include "ScriptStore.h"
#include "SettingsSync.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>

namespace {

// Where older versions kept the script; read once, then removed.
const QLatin1String legacyScriptKey("editor/script");
const QLatin1String geometryKey("window/geometry");
const QLatin1String categoryKey("catalogue/category");
const QLatin1String unitKindKey("units/kind");
const QLatin1String unitFromKey("units/from");
const QLatin1String unitToKey("units/to");
const QLatin1String unitValueKey("units/value");

// The row a stored value names, or -1 when it is missing or out of range.
int storedRow(const QSettings& settings, QLatin1String key, int rowCount) {
    bool ok = false;
    const int row = settings.value(key).toInt(&ok);
    return ok && row >= 0 && row < rowCount ? row : -1;
}

void restoreCurrentRow(const QSettings& settings, QLatin1String key, QAbstractItemView* view) {
    if (!view->model())
        return;
    const int row = storedRow(settings, key, view->model()->rowCount());
    if (row >= 0)
        view->setCurrentIndex(view->model()->index(row, 0));
}

} // namespace

WindowSettings::WindowSettings(QMainWindow* watched, const QMap<QString, QString>& langTable)
    : QObject(watched), window(watched) {
    auto* note = new QLabel(window);
    note->setObjectName(QStringLiteral("label_scriptNote"));
    window->statusBar()->addWidget(note, 1);
    scriptStore = new ScriptStore(child<QPlainTextEdit>("text_script"), note, langTable);
    // "=", Ctrl+Return and F9 all click the run button.
    connect(child<QAbstractButton>("btn_run"), &QAbstractButton::clicked, scriptStore,
            &ScriptStore::save);
    // The session manager asks before a logout ends the process.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &WindowSettings::save);
    watched->installEventFilter(this);
}

template <class T> T* WindowSettings::child(const char* name) const {
    return window->findChild<T*>(QLatin1String(name));
}

void WindowSettings::restore() {
    QSettings settings;
    const QVariant legacy = settings.value(legacyScriptKey);
    if (legacy.typeId() == QMetaType::QString) {
        const QString script = legacy.toString();
        if (scriptStore->restore(&script)) {
            settings.remove(legacyScriptKey);
            syncSettingsSafely(settings);
        }
    } else {
        scriptStore->restore();
    }
    if (settings.status() != QSettings::NoError)
        return;

    window->restoreGeometry(settings.value(geometryKey).toByteArray());

    const QString category = settings.value(categoryKey).toString();
    if (category.startsWith(QLatin1String("rb_")))
        if (auto* button = child<QRadioButton>(category.toLatin1().constData()))
            button->click();

    auto* kinds = child<QListWidget>("listType");
    const int kind = storedRow(settings, unitKindKey, kinds->count());
    if (kind >= 0)
        kinds->setCurrentRow(kind);
    restoreCurrentRow(settings, unitFromKey, child<QAbstractItemView>("lst_1"));
    restoreCurrentRow(settings, unitToKey, child<QAbstractItemView>("lst_2"));
    // Setting the value recomputes the conversion for the units chosen above.
    auto* value = child<QLineEdit>("edit_1");
    const QString text = settings.value(unitValueKey, value->text()).toString();
    value->setText(QString());
    value->setText(text);
}

void WindowSettings::save() {
    scriptStore->save();
    QSettings settings;
    settings.setValue(geometryKey, window->saveGeometry());
    for (const QRadioButton* button : window->findChildren<QRadioButton*>())
        if (button->isChecked() && button->objectName().startsWith(QLatin1String("rb_")))
            settings.setValue(categoryKey, button->objectName());
    settings.setValue(unitKindKey, child<QListWidget>("listType")->currentRow());
    settings.setValue(unitFromKey, child<QAbstractItemView>("lst_1")->currentIndex().row());
    settings.setValue(unitToKey, child<QAbstractItemView>("lst_2")->currentIndex().row());
    settings.setValue(unitValueKey, child<QLineEdit>("edit_1")->text());
    if (const auto* graph = window->findChild<GraphPage*>())
        graph->saveSettings(settings);
    syncSettingsSafely(settings);
}

bool WindowSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window && event->type() == QEvent::Close)
        save();
    return QObject::eventFilter(watched, event);
}
