#include "CliPlot.h"

#include "CliEvaluation.h"

#ifdef SCRIPTCALC_HAVE_PLOT
#include "FunctionSampler.h"
#include "PlotExport.h"
#include "ScriptFunctionTable.h"
#include "ScriptRunner.h"
#include "TypedText.h"

#include <QGuiApplication>

#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include <vector>
#endif

#ifdef SCRIPTCALC_HAVE_PLOT

namespace {

constexpr QSize kPictureSize(800, 600);

// The values a run leaves in its variables: the run's names are created here, where they
// outlive it.
class VariableCapture : public RunObserver {
public:
    double* nameMet(const char* name) override { return &values.emplace_back(name, 0.0).second; }
    void lineEvaluated(int, std::string_view, double) override {}
    void lineDefined(int, std::string_view, const mu::FunctionHead&,
                     const mu::ScriptFunction&) override {}
    void lineFailed(const RunResult&, std::string_view) override {}

    std::optional<double> value(std::string_view name) const {
        for (const auto& [known, stored] : values)
            if (known == name)
                return stored;
        return std::nullopt;
    }

private:
    std::deque<std::pair<std::string, double>> values;
};

PlotFunction functionOf(FunctionSampler* sampler) {
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

CliPlotResult drawPlot(const CliOptions& options, const QStringList& script,
                       const QMap<QString, QString>& langTable) {
    // The functions of one parameter the script defines, drawn as f(x); without any, the last
    // line that is no definition as a function of x. The variables are as the script leaves them.
    VariableCapture variables;
    ScriptRun run(langTable, &variables, 0, RunOptions{options.digits, options.angle});
    QStringList others;
    std::string bytes;
    for (const QString& line : script) {
        run.addLine(line);
        toEngineText(line, bytes);
        if (!mu::ReadFunctionHead(bytes))
            others << line;
    }
    const mu::ScriptFunctionTable& functions = run.functions();
    QStringList expressions, names;
    for (const mu::ScriptFunction* function : functions.Current()) {
        if (function->Params().size() != 1)
            continue;
        expressions << QString::fromStdString(function->Name()) + QStringLiteral("(x)");
        names << QString::fromStdString(function->Signature());
    }
    if (expressions.isEmpty() && !others.isEmpty()) {
        expressions << others.takeLast();
        names << expressions.last().trimmed();
    }

    std::vector<std::unique_ptr<FunctionSampler>> samplers;
    for (const QString& text : expressions) {
        auto sampler = std::make_unique<FunctionSampler>(langTable, options.angle);
        if (!sampler->setExpression(
                text, QStringLiteral("x"), &functions,
                [&variables](std::string_view name) { return variables.value(name); }))
            return {exitScriptError,
                    QStringLiteral("nothing to plot: '%1' is no expression in x (%2)")
                        .arg(text, sampler->error())};
        samplers.push_back(std::move(sampler));
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

CliPlotResult drawPlot(const CliOptions&, const QStringList&, const QMap<QString, QString>&) {
    return {exitUsage, QStringLiteral("this build of scriptcalc-cli cannot draw graphs")};
}

#endif
