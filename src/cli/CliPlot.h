#pragma once

#include "CliOptions.h"

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// --plot: the graph of the script, drawn without a window into the file the option names, over
// the x range of --x-range and a y range fitted to the values (NaN, infinities and lone spikes
// left out). Each function of one parameter the script defines is drawn (legend "f(x)"); a
// script without one has its last line drawn as a function of x. Names read take the values the
// script's other lines leave in them. Each curve gets a colour and a legend entry.
struct CliPlotResult {
    int exitCode = 0; // an exit code of CliExitCode
    QString error;    // for standard error, when exitCode is not success
};

// The application object for the arguments: a graph needs fonts and images, so a run that
// draws one gets a QGuiApplication on the offscreen platform (the command line never opens a
// window or needs a display); any other run a QCoreApplication.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]);

// script: every line of the script, which has run without error.
CliPlotResult drawPlot(const CliOptions& options, const QStringList& script,
                       const QMap<QString, QString>& langTable);
