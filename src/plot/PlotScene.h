#pragma once

#include "PlotAnalysis.h"
#include "PlotSampler.h"
#include "PlotView.h"

#include <QList>
#include <QString>

#include <optional>

// Everything one picture of the graph shows; PlotPainter draws it, PlotExport saves it.
struct PlotSeries {
    QString name;    // the legend's text, for example "f(x)"
    PlotCurve curve; // sampled for the scene's view
    bool visible = true;
    int colorIndex = 0; // picks the colour (plotSeriesColor)
};

struct PlotTrace {
    int series = 0; // index into PlotScene::series
    double x = 0.0;
    double y = 0.0;
    QString text; // shown beside the cursor, formatted by the caller
};

struct PlotScene {
    PlotView view;
    QList<PlotSeries> series;
    QList<PlotFeature> marks; // PlotFeature::function indexes series
    std::optional<PlotTrace> trace;
    bool legend = true;
};
