#include "ParameterSliders.h"

#include "ParameterSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
            showRange(*row);
        }
        showValue(*row);
    }
    alignColumns();
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
    row.lowEdit = new QLineEdit(row.box);
    row.slider = new ParameterSlider(row.box);
    row.slider->setValueRange(low, high);
    row.highEdit = new QLineEdit(row.box);
    showRange(row);
    row.slider->setObjectName(QStringLiteral("slider_") + parameter.name);
    row.slider->setAccessibleName(text("IDS_GRAPH_PARAMETER", parameter.name));
    row.lowEdit->setAccessibleName(text("IDS_GRAPH_PARAMETER_LOW", parameter.name));
    row.highEdit->setAccessibleName(text("IDS_GRAPH_PARAMETER_HIGH", parameter.name));
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
    // The line's number as it is until the slider moves: rounded to the slider's step it could
    // read as another number (0.000125 as 0).
    const double value = row.parameter.value;
    row.number = parameterText(value, row.slider->step());
    if (row.number.toDouble() != value)
        row.number = QString::number(value, 'g', QLocale::FloatingPointShortest);
    row.slider->setNumber(value);
    row.label->setText(row.parameter.name + QStringLiteral(" = ") + row.number);
    row.slider->setAccessibleDescription(row.number);
    const QSignalBlocker quiet(row.slider);
    row.slider->setValue(row.slider->positionOf(value));
}

void ParameterSliders::showRange(Row& row) {
    const std::pair<QLineEdit*, double> ends[] = {{row.lowEdit, row.slider->low()},
                                                  {row.highEdit, row.slider->high()}};
    for (const auto& [edit, value] : ends) {
        edit->setText(rangeText(value));
        // A number wider than the field shows from its sign on, and whole in the tooltip.
        edit->setCursorPosition(0);
        edit->setToolTip(edit->text());
    }
}

void ParameterSliders::moved(const QString& name, int position) {
    for (Row& row : rows) {
        if (row.parameter.name != name)
            continue;
        const QString number = parameterText(row.slider->valueAt(position), row.slider->step());
        if (number == row.number)
            return;
        row.number = number;
        row.slider->setNumber(number.toDouble());
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
        showRange(row);
        showValue(row);
        alignColumns();
        return;
    }
}

void ParameterSliders::alignColumns() {
    // A label or field changing width under a drag would move the slider away from the pointer.
    for (const Row& row : rows)
        if (row.slider->isSliderDown())
            return;
    // Every label as wide as the widest text any slider gives it: the ends and the positions
    // next to them hold the most digits and the sign. The fields fit the widest range end, up
    // to a dozen digits. So the sliders line up.
    int label = 0, field = 0;
    for (const Row& row : rows) {
        const QFontMetrics metrics = row.label->fontMetrics();
        label = std::max(label, metrics.horizontalAdvance(row.label->text()));
        for (const int position : {0, 1, ParameterSlider::steps - 1, ParameterSlider::steps}) {
            const QString text = row.parameter.name + QStringLiteral(" = ") +
                                 parameterText(row.slider->valueAt(position), row.slider->step());
            label = std::max(label, metrics.horizontalAdvance(text));
        }
        for (const QLineEdit* edit : {row.lowEdit, row.highEdit})
            field = std::max(field, edit->fontMetrics().horizontalAdvance(edit->text()));
    }
    if (rows.isEmpty())
        return;
    const QFontMetrics metrics = rows.first().lowEdit->fontMetrics();
    field = std::clamp(field, metrics.horizontalAdvance(QStringLiteral("-0000.00")),
                       metrics.horizontalAdvance(QStringLiteral("-0.0000000000")));
    // Room for the field's frame and margins beside its text.
    field += 4 * metrics.horizontalAdvance(QLatin1Char(' '));
    for (Row& row : rows) {
        row.label->setMinimumWidth(label);
        row.lowEdit->setFixedWidth(field);
        row.highEdit->setFixedWidth(field);
    }
}
