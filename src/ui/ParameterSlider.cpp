#include "ParameterSlider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include <algorithm>
#include <cmath>

namespace {

class SpokenParameter : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpokenParameter(ParameterSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return slider()->shownNumber(); }
    void setCurrentValue(const QVariant& value) override {
        slider()->setValue(slider()->positionOf(value.toDouble()));
    }
    QVariant maximumValue() const override { return slider()->high(); }
    QVariant minimumValue() const override { return slider()->low(); }
    QVariant minimumStepSize() const override { return slider()->step(); }

private:
    ParameterSlider* slider() const { return static_cast<ParameterSlider*>(widget()); }
};

QAccessibleInterface* spokenParameter(const QString& className, QObject* object) {
    if (className == QLatin1String("ParameterSlider") && object)
        return new SpokenParameter(static_cast<ParameterSlider*>(object));
    return nullptr;
}

} // namespace

ParameterSlider::ParameterSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    static const bool spoken = (QAccessible::installFactory(spokenParameter), true);
    Q_UNUSED(spoken);
    setRange(0, steps);
    setPageStep(steps / 20);
}

void ParameterSlider::setValueRange(double low, double high) {
    lowest = low;
    highest = high;
}

int ParameterSlider::positionOf(double value) const {
    const double share = (value - lowest) / (highest - lowest);
    return int(std::lround(std::clamp(std::isfinite(share) ? share : 0.0, 0.0, 1.0) * steps));
}
