#include "WindowSettings.h"

#include <QAbstractItemView>
#include <QByteArray>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>

namespace {

const QLatin1String scriptKey("editor/script");
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

WindowSettings::WindowSettings(QMainWindow* watched) : QObject(watched), window(watched) {
    watched->installEventFilter(this);
}

template <class T> T* WindowSettings::child(const char* name) const {
    return window->findChild<T*>(QLatin1String(name));
}

void WindowSettings::restore() {
    const QSettings settings;
    if (settings.status() != QSettings::NoError)
        return;

    const QVariant script = settings.value(scriptKey);
    if (script.typeId() == QMetaType::QString)
        child<QPlainTextEdit>("text_script")->setPlainText(script.toString());
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

void WindowSettings::save() const {
    QSettings settings;
    settings.setValue(scriptKey, child<QPlainTextEdit>("text_script")->toPlainText());
    settings.setValue(geometryKey, window->saveGeometry());
    for (const QRadioButton* button : window->findChildren<QRadioButton*>())
        if (button->isChecked() && button->objectName().startsWith(QLatin1String("rb_")))
            settings.setValue(categoryKey, button->objectName());
    settings.setValue(unitKindKey, child<QListWidget>("listType")->currentRow());
    settings.setValue(unitFromKey, child<QAbstractItemView>("lst_1")->currentIndex().row());
    settings.setValue(unitToKey, child<QAbstractItemView>("lst_2")->currentIndex().row());
    settings.setValue(unitValueKey, child<QLineEdit>("edit_1")->text());
}

bool WindowSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window && event->type() == QEvent::Close)
        save();
    return QObject::eventFilter(watched, event);
}
