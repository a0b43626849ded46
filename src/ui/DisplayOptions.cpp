#include "DisplayOptions.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QLatin1String digitsKey("display/digits");

QString digitsCaption(ResultDigits digits, const QMap<QString, QString>& langTable) {
    switch (digits.style) {
    case ResultDigits::Standard:
        return langTable.value(QStringLiteral("IDS_DIGITS_STANDARD"));
    case ResultDigits::Shortest:
        return langTable.value(QStringLiteral("IDS_DIGITS_SHORTEST"));
    case ResultDigits::Significant:
        break;
    }
    const QString count = QString::number(digits.count);
    const QString format = langTable.value(QStringLiteral("IDS_DIGITS_SIGNIFICANT"));
    return format.contains(QLatin1String("%1")) ? format.arg(count) : count;
}

} // namespace

DisplayOptions::DisplayOptions(QMainWindow* window, const QMap<QString, QString>& langTable)
    : QObject(window) {
    auto* menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("menuDisplay"));
    buildDigitsMenu(menu, langTable);

    button = new QToolButton(window);
    button->setObjectName(QStringLiteral("btn_display"));
    button->setText(langTable.value(QStringLiteral("IDS_MENU_DISPLAY")));
    button->setAccessibleName(langTable.value(QStringLiteral("IDS_ACC_DISPLAY")));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    window->statusBar()->addPermanentWidget(button);

    restore();
    showChecked();
}

void DisplayOptions::buildDigitsMenu(QMenu* menu, const QMap<QString, QString>& langTable) {
    QMenu* digits = menu->addMenu(langTable.value(QStringLiteral("IDS_DIGITS_MENU")));
    digits->setObjectName(QStringLiteral("menuDigits"));
    digitsGroup = new QActionGroup(this);
    for (const ResultDigits choice : offeredDigits) {
        QAction* action = digits->addAction(digitsCaption(choice, langTable));
        action->setObjectName(QLatin1String("actionDigits_") + choice.name());
        action->setCheckable(true);
        digitsGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] { setDigits(choice); });
    }
}

void DisplayOptions::setDigits(ResultDigits digits) {
    if (digits == current.digits)
        return;
    current.digits = digits;
    showChecked();
    store();
    emit changed(current);
}

void DisplayOptions::restore() {
    const QSettings settings;
    const auto digits = ResultDigits::fromName(settings.value(digitsKey).toString());
    // Only a choice the menu offers: anything else was not written by us.
    if (digits &&
        std::find(offeredDigits.begin(), offeredDigits.end(), *digits) != offeredDigits.end())
        current.digits = *digits;
}

void DisplayOptions::store() const {
    QSettings settings;
    settings.setValue(digitsKey, current.digits.name());
}

void DisplayOptions::showChecked() {
    const QString name = QLatin1String("actionDigits_") + current.digits.name();
    for (QAction* action : digitsGroup->actions())
        action->setChecked(action->objectName() == name);
}
