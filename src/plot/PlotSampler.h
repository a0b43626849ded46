#pragma once

#include "PlotFunction.h"
#include "PlotView.h"

#include <QList>
#include <QPolygonF>

#include <vector>

// A function's graph as polyline pieces in plane coordinates, ordered by x. Consecutive points
// of a piece are joined; between pieces lies a gap (NaN, infinity, a pole, a jump).
struct PlotCurve {
    QList<QPolygonF> pieces;
    int evaluations = 0; // how many values the sampling took
};

// Samples f over the view's x range:
//  - one value per pixel column edge to start with, then halving intervals (in batches) where
//    the midpoint leaves the chord by more than a fraction of a pixel (corners, bends, fast
//    oscillation), down to 1/64 pixel, within a budget of values per pixel;
//  - a finite value beside NaN or an infinity: the edge of the domain is searched by bisection,
//    so a curve such as sqrt(x) starts at its edge;
//  - where a finest interval still jumps by more than a pixel, the jump is followed by bisection:
//    shrinking with the interval means a steep but continuous part (joined); not shrinking or
//    growing means a jump or a pole (a gap, never a vertical line).
class PlotSampler {
public:
    struct Limits {
        int maxDepth = 6;             // halvings of a pixel-wide interval
        int budgetPerPixel = 48;      // values per pixel column at most, refinement included
        double chordTolerance = 0.25; // pixels
        int jumpSteps = 60;           // bisection steps following a jump or a domain edge
    };

    static PlotCurve sample(const PlotFunction& f, const PlotView& view);
    // One value at the middle of each pixel column: evenly spread, as PlotView::fitY wants them
    // (the adaptive samples crowd where the function is wild).
    static std::vector<double> columnValues(const PlotFunction& f, const PlotView& view);
    static PlotCurve sample(const PlotFunction& f, const PlotView& view, const Limits& limits);
};
