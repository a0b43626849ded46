#include "CliPlot.h"

#include "CliEvaluation.h"

#ifdef SCRIPTCALC_HAVE_PLOT
#include "ExpressionSampler.h"
#include "PlotExport.h"

#include <QGuiApplication>

#include <cstdio>

#include <vector>
#endif

#ifdef SCRIPTCALC_HAVE_PLOT

namespace {

constexpr QSize kPictureSize(800, 600);

PlotFunction functionOf(ExpressionSampler* sampler) {
    return [sampler](const double* x, double* y, int n) { sampler->sample(x, y, n); };
}

// Qt's own notes (the offscreen platform's, the runtime folder's) are no business of the
// command line's standard error; our messages are written directly.
void dropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CliOptions options = parseArguments(arguments);
    if (!options.error.isEmpty() || options.plotFile.isEmpty())
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropQtNotes);
    return std::make_unique<QGuiApplication>(argc, argv);
}

CliPlotResult drawPlot(const CliOptions& options, const QStringList& expressions) {
    std::vector<std::unique_ptr<ExpressionSampler>> samplers;
    QStringList names;
    for (const QString& text : expressions) {
        auto sampler = std::make_unique<ExpressionSampler>();
        if (!sampler->setExpression(text, QStringLiteral("x"), options.angle))
            return {exitScriptError,
                    QStringLiteral("nothing to plot: '%1' is no expression in x (%2)")
                        .arg(text, sampler->error())};
        samplers.push_back(std::move(sampler));
        names << text.trimmed();
    }
    if (samplers.empty())
        return {exitScriptError, QStringLiteral("nothing to plot")};

    PlotScene scene;
    scene.view = PlotView(options.xFrom, options.xTo, -10.0, 10.0, kPictureSize);
    std::vector<double> values;
    for (const auto& sampler : samplers) {
        const std::vector<double> column =
            PlotSampler::columnValues(functionOf(sampler.get()), scene.view);
        values.insert(values.end(), column.begin(), column.end());
    }
    scene.view.fitY(values);
    for (size_t i = 0; i < samplers.size(); ++i)
        scene.series.append(
            PlotSeries{names.at(static_cast<qsizetype>(i)),
                       PlotSampler::sample(functionOf(samplers[i].get()), scene.view), true,
                       static_cast<int>(i)});

    QString error;
    if (!PlotExport::save(options.plotFile, scene, QGuiApplication::palette(), &error))
        return {exitUsage, QStringLiteral("cannot write '%1': %2").arg(options.plotFile, error)};
    return {};
}

#else

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[]) {
    return std::make_unique<QCoreApplication>(argc, argv);
}

CliPlotResult drawPlot(const CliOptions&, const QStringList&) {
    return {exitUsage, QStringLiteral("this build of scriptcalc-cli cannot draw graphs")};
}

#endif
