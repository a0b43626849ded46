#pragma once

#include "ParameterLines.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QWidget>

class QVBoxLayout;
class QLabel;
class QLineEdit;
class ParameterSlider;
class QSlider;

// A slider per parameter line, each with the lowest and highest value in fields the user may
// edit. A new parameter gets a range around its value; a known one keeps its range while its
// value stays inside it. Moving a slider reports the number its line should now hold; the rows
// never change under a drag, so the rewritten script coming back leaves the slider in hand.
class ParameterSliders : public QWidget {
    Q_OBJECT

public:
    ParameterSliders(const QMap<QString, QString>& langTable, QWidget* parent = nullptr);

    void setParameters(const QList<ParameterLine>& parameters);
    int count() const { return int(rows.size()); }
    // The slider of a name, or null.
    QSlider* slider(const QString& name) const;

signals:
    // number: the text for the parameter's line. continuing: a later step of a drag whose first
    // step was reported already.
    void numberChanged(int line, const QString& number, bool continuing);

private:
    struct Row {
        ParameterLine parameter;
        QWidget* box = nullptr;
        QLabel* label = nullptr;
        ParameterSlider* slider = nullptr;
        QLineEdit* lowEdit = nullptr;
        QLineEdit* highEdit = nullptr;
        QString number; // the text the line holds
        bool reportedInDrag = false;
    };

    Row* addRow(const ParameterLine& parameter);
    void removeRow(const QString& name);
    void showValue(Row& row);
    void moved(const QString& name, int position);
    void rangeEdited(const QString& name);
    void showRange(Row& row);
    void alignColumns();

    QMap<QString, QString> langTable;
    QVBoxLayout* column;
    QList<Row> rows;
};
