#pragma once

#include "PlotAnalysis.h"
#include "PlotScene.h"
#include "RunOptions.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class GraphWidget;
class ParameterSliders;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QScrollArea;
class QToolButton;
class QSettings;
class QSplitter;

// The window's "Graph" page: the script's functions of one parameter and an expression in x
// typed on the page, drawn by a GraphWidget, with a legend that shows or hides each, the trace
// value, the analysis of the visible range (choosing an entry moves the trace there), the
// buttons Fit, Reset, PNG, SVG and Copy, and a slider per parameter line the shown functions
// read. The page is told of every evaluation of the script; it works on the newest one when it
// is shown, so a hidden page costs nothing while the user types.
//
//   script --scriptSource--> functions --> GraphWidget (sampled, drawn) --> trace, analysis list
//                              \--> names read --> parameter lines --> ParameterSliders
//   slider moved --numberChanged--> the window rewrites the line --> scriptChanged ...
class GraphPage : public QWidget {
    Q_OBJECT

public:
    GraphPage(const QMap<QString, QString>& langTable, QWidget* parent = nullptr);

    // Where the page reads the script when it is shown: copying a long script after every edit
    // would cost while the page is hidden. scriptChanged tells of an edit.
    void setScriptSource(std::function<QString()> source);
    void scriptChanged();
    void setOptions(const RunOptions& options);

    // The view and the typed expression, kept across sessions.
    void restoreSettings(const QSettings& settings);
    void saveSettings(QSettings& settings) const;

    GraphWidget* graph() const { return widget; }
    ParameterSliders* sliders() const { return parameterSliders; }

signals:
    // A slider asks for the number of the 0-based script line to become number; continuing: a
    // later step of the same drag.
    void numberChanged(int line, const QString& number, bool continuing);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildLayout();
    void applyLanguage();
    void rebuild();
    void showLegend();
    void legendChanged(QListWidgetItem* item);
    void fitSliderArea();
    void analyse();
    void showTrace();
    void analysisChosen(int row);
    void exportTo(const char* suffix);
    void copyImage();
    PlotScene exportedScene() const;
    QString text(const char* key) const;
    // The table's text for key with %1, %2 ... replaced by values.
    QString filled(const char* key, const QStringList& values) const;
    QString number(double value) const;

    QMap<QString, QString> langTable;
    RunOptions options;
    QString script;
    bool outOfDate = true;
    std::function<QString()> scriptSource;
    QSet<QString> hidden; // legend names the user hid
    QList<PlotFeature> features;
    QTimer analysisTimer;

    bool splitPlaced = false;
    QSplitter* split = nullptr;
    QLineEdit* expression = nullptr;
    QLabel* expressionError = nullptr;
    GraphWidget* widget = nullptr;
    QListWidget* legend = nullptr;
    QListWidget* analysis = nullptr;
    QLineEdit* trace = nullptr;
    QToolButton* fitButton = nullptr;
    QToolButton* resetButton = nullptr;
    QToolButton* pngButton = nullptr;
    QToolButton* svgButton = nullptr;
    QToolButton* copyButton = nullptr;
    QScrollArea* sliderArea = nullptr;
    ParameterSliders* parameterSliders = nullptr;
};
