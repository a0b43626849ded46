#pragma once

#include "PlotFunction.h"

#include <QList>

// A point the analysis found. x and y are accurate to about 1e-12 relative (absolute near 0)
// for smooth functions.
struct PlotFeature {
    enum Kind { Root, Minimum, Maximum, Intersection };
    Kind kind;
    double x;
    double y;
    int function;   // the index of the function in the list given
    int other = -1; // Intersection: the second function's index
};

// Roots, local extrema and intersections in [xMin, xMax], found on a grid of gridSize intervals
// and refined: roots and intersections by bracketing to full precision; extrema as roots of a
// derivative estimated from values (extrapolated central differences). A sign change at a pole
// or a jump is no root; a peak that keeps growing as it is approached (a pole) is no extremum;
// a touching root (x^2) counts as a root.
struct PlotAnalysisOptions {
    int gridSize = 2048; // intervals of the search grid over the range
    int maxCount = 200;  // features of each kind per function (or pair) at most
};

class PlotAnalysis {
public:
    using Options = PlotAnalysisOptions;

    static QList<PlotFeature> roots(const PlotFunction& f, int index, double xMin, double xMax,
                                    const Options& options = {});
    static QList<PlotFeature> extrema(const PlotFunction& f, int index, double xMin, double xMax,
                                      const Options& options = {});
    static QList<PlotFeature> intersections(const PlotFunction& f, int index, const PlotFunction& g,
                                            int otherIndex, double xMin, double xMax,
                                            const Options& options = {});
    // Everything for the functions listed: the roots of each, then their extrema, then the
    // intersections of each pair; each group ordered by x.
    static QList<PlotFeature> analyse(const QList<PlotFunction>& functions, double xMin,
                                      double xMax, const Options& options = {});
};
