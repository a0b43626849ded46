#include "DisplayOptions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QLatin1String digitsKey("display/digits");
const QLatin1String angleKey("display/angle");
const QLatin1String radiansName("rad");
const QLatin1String degreesName("deg");

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
    : QObject(window), radiansText(langTable.value(QStringLiteral("IDS_ANGLE_RAD"))),
      degreesText(langTable.value(QStringLiteral("IDS_ANGLE_DEG"))) {
    auto* menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("menuDisplay"));
    buildDigitsMenu(menu, langTable);
    degreesAction = menu->addAction(langTable.value(QStringLiteral("IDS_ANGLE_DEGREES")));
    angleButton = new QToolButton(window);
    angleButton->setAccessibleName(langTable.value(QStringLiteral("IDS_ACC_ANGLE")));
    buildAngleChoice(window);

    button = new QToolButton(window);
    button->setObjectName(QStringLiteral("btn_display"));
    button->setText(langTable.value(QStringLiteral("IDS_MENU_DISPLAY")));
    button->setAccessibleName(langTable.value(QStringLiteral("IDS_ACC_DISPLAY")));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    window->statusBar()->addPermanentWidget(angleButton);
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

// The menu's action carries the shortcut, so it is the window's too: a closed
// menu takes no keys.
void DisplayOptions::buildAngleChoice(QMainWindow* window) {
    degreesAction->setObjectName(QStringLiteral("actionAngleDegrees"));
    degreesAction->setCheckable(true);
    degreesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    window->addAction(degreesAction);
    connect(degreesAction, &QAction::triggered, this, [this](bool checked) {
        setAngle(checked ? mu::AngleUnit::Degrees : mu::AngleUnit::Radians);
    });
    angleButton->setObjectName(QStringLiteral("btn_angle"));
    angleButton->setAutoRaise(true);
    connect(angleButton, &QToolButton::clicked, this, [this] {
        setAngle(current.angle == mu::AngleUnit::Degrees ? mu::AngleUnit::Radians
                                                         : mu::AngleUnit::Degrees);
    });
}

void DisplayOptions::setDigits(ResultDigits digits) {
    if (digits == current.digits)
        return;
    RunOptions options = current;
    options.digits = digits;
    changeTo(options);
}

void DisplayOptions::setAngle(mu::AngleUnit angle) {
    if (angle == current.angle)
        return;
    RunOptions options = current;
    options.angle = angle;
    changeTo(options);
}

void DisplayOptions::changeTo(const RunOptions& options) {
    current = options;
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
    if (settings.value(angleKey).toString() == degreesName)
        current.angle = mu::AngleUnit::Degrees;
}

void DisplayOptions::store() const {
    QSettings settings;
    settings.setValue(digitsKey, current.digits.name());
    settings.setValue(angleKey,
                      current.angle == mu::AngleUnit::Degrees ? degreesName : radiansName);
}

void DisplayOptions::showChecked() {
    const QString name = QLatin1String("actionDigits_") + current.digits.name();
    for (QAction* action : digitsGroup->actions())
        action->setChecked(action->objectName() == name);
    const bool degrees = current.angle == mu::AngleUnit::Degrees;
    degreesAction->setChecked(degrees);
    angleButton->setText(degrees ? degreesText : radiansText);
}
