#pragma once

#include <QSlider>

// A parameter's slider: positions 0 to steps between the range's lowest and highest value. A
// screen reader hears and sets the parameter's value, not the position.
class ParameterSlider : public QSlider {
    Q_OBJECT

public:
    static constexpr int steps = 1000;

    explicit ParameterSlider(QWidget* parent = nullptr);

    void setValueRange(double low, double high);
    double low() const { return lowest; }
    double high() const { return highest; }
    double step() const { return (highest - lowest) / steps; }
    // The value at a position, and the position nearest a value.
    double valueAt(int position) const { return lowest + position * step(); }
    int positionOf(double value) const;
    // The number the parameter's line holds, which a position only approximates.
    void setNumber(double value) { number = value; }
    double shownNumber() const { return number; }

private:
    double lowest = 0.0, highest = 1.0;
    double number = 0.0;
};
