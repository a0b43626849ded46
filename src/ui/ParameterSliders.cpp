#include "ParameterSliders.h"

#include "ParameterSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// A range the value sits in the middle of, as wide as the value is large (at least 1 each way).
std::pair<double, double> rangeAround(double value) {
    const double half = std::max(1.0, std::abs(value));
    return {value - half, value + half};
}

QString rangeText(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

ParameterSliders::ParameterSliders(const QMap<QString, QString>& table, QWidget* parent)
    : QWidget(parent), langTable(table), column(new QVBoxLayout(this)) {
    column->setContentsMargins(0, 0, 0, 0);
    column->addStretch(1);
}

QSlider* ParameterSliders::slider(const QString& name) const {
    for (const Row& row : rows)
        if (row.parameter.name == name)
            return row.slider;
    return nullptr;
}

void ParameterSliders::setParameters(const QList<ParameterLine>& parameters) {
    for (int i = int(rows.size()) - 1; i >= 0; --i) {
        const QString name = rows[i].parameter.name;
        const bool kept = std::any_of(parameters.begin(), parameters.end(),
                                      [&](const ParameterLine& p) { return p.name == name; });
        if (!kept)
            removeRow(name);
    }
    for (const ParameterLine& parameter : parameters) {
        auto found = std::find_if(rows.begin(), rows.end(),
                                  [&](const Row& r) { return r.parameter.name == parameter.name; });
        Row* row = found == rows.end() ? addRow(parameter) : &*found;
        row->parameter = parameter;
        if (row->slider->isSliderDown())
            continue;
        if (parameter.value < row->slider->low() || parameter.value > row->slider->high()) {
            const auto [low, high] = rangeAround(parameter.value);
            row->slider->setValueRange(low, high);
            row->lowEdit->setText(rangeText(low));
            row->highEdit->setText(rangeText(high));
        }
        showValue(*row);
    }
    alignLabels();
}

ParameterSliders::Row* ParameterSliders::addRow(const ParameterLine& parameter) {
    const auto text = [this](const char* key, const QString& name) {
        const QString format = langTable.value(QLatin1String(key));
        return format.contains(QLatin1String("%1")) ? format.arg(name) : name;
    };
    Row row;
    row.parameter = parameter;
    const auto [low, high] = rangeAround(parameter.value);
    row.box = new QWidget(this);
    auto* line = new QHBoxLayout(row.box);
    line->setContentsMargins(0, 0, 0, 0);
    row.label = new QLabel(row.box);
    row.label->setTextFormat(Qt::PlainText);
    row.lowEdit = new QLineEdit(rangeText(low), row.box);
    row.slider = new ParameterSlider(row.box);
    row.slider->setValueRange(low, high);
    row.highEdit = new QLineEdit(rangeText(high), row.box);
    row.slider->setObjectName(QStringLiteral("slider_") + parameter.name);
    row.slider->setAccessibleName(text("IDS_GRAPH_PARAMETER", parameter.name));
    row.lowEdit->setAccessibleName(text("IDS_GRAPH_PARAMETER_LOW", parameter.name));
    row.highEdit->setAccessibleName(text("IDS_GRAPH_PARAMETER_HIGH", parameter.name));
    for (QLineEdit* edit : {row.lowEdit, row.highEdit})
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")));
    line->addWidget(row.label);
    line->addWidget(row.lowEdit);
    line->addWidget(row.slider, 1);
    line->addWidget(row.highEdit);
    column->insertWidget(column->count() - 1, row.box);

    const QString name = parameter.name;
    connect(row.slider, &QSlider::valueChanged, this,
            [this, name](int position) { moved(name, position); });
    connect(row.slider, &QSlider::sliderPressed, this, [this, name] {
        for (Row& r : rows)
            if (r.parameter.name == name)
                r.reportedInDrag = false;
    });
    for (QLineEdit* edit : {row.lowEdit, row.highEdit})
        connect(edit, &QLineEdit::editingFinished, this, [this, name] { rangeEdited(name); });
    rows.append(row);
    return &rows.last();
}

void ParameterSliders::removeRow(const QString& name) {
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].parameter.name == name) {
            // Later: a row may be removed from inside its own slider's signal.
            rows[i].box->hide();
            rows[i].box->deleteLater();
            rows.removeAt(i);
            return;
        }
    }
}

void ParameterSliders::showValue(Row& row) {
    row.number = parameterText(row.parameter.value, row.slider->step());
    row.label->setText(row.parameter.name + QStringLiteral(" = ") + row.number);
    row.slider->setAccessibleDescription(row.number);
    const QSignalBlocker quiet(row.slider);
    row.slider->setValue(row.slider->positionOf(row.parameter.value));
}

void ParameterSliders::moved(const QString& name, int position) {
    for (Row& row : rows) {
        if (row.parameter.name != name)
            continue;
        const QString number = parameterText(row.slider->valueAt(position), row.slider->step());
        if (number == row.number)
            return;
        row.number = number;
        row.label->setText(row.parameter.name + QStringLiteral(" = ") + number);
        row.slider->setAccessibleDescription(number);
        const bool dragging = row.slider->isSliderDown();
        const bool continuing = dragging && row.reportedInDrag;
        row.reportedInDrag = dragging;
        const int line = row.parameter.line;
        emit numberChanged(line, number, continuing);
        return;
    }
}

void ParameterSliders::rangeEdited(const QString& name) {
    for (Row& row : rows) {
        if (row.parameter.name != name)
            continue;
        bool lowOk = false, highOk = false;
        const double low = row.lowEdit->text().trimmed().toDouble(&lowOk);
        const double high = row.highEdit->text().trimmed().toDouble(&highOk);
        if (lowOk && highOk && std::isfinite(low) && std::isfinite(high) && low < high)
            row.slider->setValueRange(low, high);
        row.lowEdit->setText(rangeText(row.slider->low()));
        row.highEdit->setText(rangeText(row.slider->high()));
        showValue(row);
        alignLabels();
        return;
    }
}

void ParameterSliders::alignLabels() {
    // Every label as wide as the widest text its slider can give it: a label growing under a
    // drag would move the slider away from the pointer. The sliders line up as well. The ends
    // and the positions next to them hold the most digits and the sign.
    int widest = 0;
    for (const Row& row : rows) {
        const ParameterSlider* slider = row.slider;
        for (const int position : {0, 1, ParameterSlider::steps - 1, ParameterSlider::steps}) {
            const QString text = row.parameter.name + QStringLiteral(" = ") +
                                 parameterText(slider->valueAt(position), slider->step());
            widest = std::max(widest, row.label->fontMetrics().horizontalAdvance(text));
        }
    }
    for (Row& row : rows)
        row.label->setMinimumWidth(widest);
}
