#include "GraphPage.h"

#include "FunctionSampler.h"
#include "GraphScriptFunctions.h"
#include "GraphVariables.h"
#include "GraphWidget.h"
#include "NumberFormatter.h"
#include "ParameterLines.h"
#include "ParameterSliders.h"
#include "PlainToolTip.h"
#include "PlotColors.h"
#include "PlotExport.h"
#include "ResultLineEdit.h"
#include "ScriptRunner.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <memory>
#include <utility>

namespace {

const QLatin1String viewKey("graph/view");
const QLatin1String expressionKey("graph/expression");
// The analysis waits for the view to rest this long, in milliseconds.
constexpr int analysisPause = 150;

// The variable of every curve.
const QString curveVariable = QStringLiteral("x");

// A list of texts that may be wider than the list: each item wraps onto more lines rather than
// running out of sight, and a word still too wide ends in "…" (the item's tooltip holds it whole).
void wrapItems(QListWidget* list) {
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setResizeMode(QListView::Adjust);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

} // namespace

GraphPage::GraphPage(const QMap<QString, QString>& table, QWidget* parent)
    : QWidget(parent), langTable(table) {
    buildLayout();
    applyLanguage();
    analysisTimer.setSingleShot(true);
    analysisTimer.setInterval(analysisPause);
    connect(&analysisTimer, &QTimer::timeout, this, &GraphPage::analyse);
    connect(widget, &GraphWidget::viewChanged, &analysisTimer, qOverload<>(&QTimer::start));
    connect(widget, &GraphWidget::traceChanged, this, &GraphPage::showTrace);
    connect(expression, &QLineEdit::textChanged, this, &GraphPage::rebuild);
    connect(legend, &QListWidget::itemChanged, this, &GraphPage::legendChanged);
    connect(legend, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && widget->tracedFunction() != row)
            widget->setTrace(row, widget->traceX().value_or(
                                      (widget->view().xMin() + widget->view().xMax()) / 2));
    });
    connect(analysis, &QListWidget::currentRowChanged, this, &GraphPage::analysisChosen);
    connect(fitButton, &QToolButton::clicked, widget, &GraphWidget::fitView);
    connect(resetButton, &QToolButton::clicked, widget, &GraphWidget::resetView);
    connect(pngButton, &QToolButton::clicked, this, [this] { exportTo("png"); });
    connect(svgButton, &QToolButton::clicked, this, [this] { exportTo("svg"); });
    connect(copyButton, &QToolButton::clicked, this, &GraphPage::copyImage);
    connect(parameterSliders, &ParameterSliders::numberChanged, this, &GraphPage::numberChanged);
    widget->setTraceFormat([this](double value) { return number(value); });
}

void GraphPage::buildLayout() {
    auto* page = new QVBoxLayout(this);
    expression = new QLineEdit(this);
    expression->setObjectName(QStringLiteral("edit_graphExpression"));
    expressionError = new QLabel(this);
    expressionError->setObjectName(QStringLiteral("label_graphError"));
    expressionError->setTextFormat(Qt::PlainText);
    expressionError->setWordWrap(true);
    expressionError->hide();

    split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    widget = new GraphWidget(split);
    widget->setObjectName(QStringLiteral("graph_view"));
    auto* side = new QWidget(split);
    auto* sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    legend = new QListWidget(side);
    legend->setObjectName(QStringLiteral("list_graphLegend"));
    analysis = new QListWidget(side);
    analysis->setObjectName(QStringLiteral("list_graphAnalysis"));
    wrapItems(legend);
    wrapItems(analysis);
    sideColumn->addWidget(legend, 1);
    sideColumn->addWidget(analysis, 2);
    split->addWidget(widget);
    split->addWidget(side);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);

    trace = new ResultLineEdit(this);
    trace->setObjectName(QStringLiteral("edit_graphTrace"));
    trace->setReadOnly(true);

    auto* buttons = new QHBoxLayout;
    // Tool buttons: as narrow as their captions, so the page fits beside the script.
    const auto button = [this, buttons](const char* name) {
        auto* made = new QToolButton(this);
        made->setObjectName(QLatin1String(name));
        made->setFocusPolicy(Qt::StrongFocus);
        buttons->addWidget(made);
        return made;
    };
    fitButton = button("btn_graphFit");
    resetButton = button("btn_graphReset");
    buttons->addStretch(1);
    pngButton = button("btn_graphPng");
    svgButton = button("btn_graphSvg");
    copyButton = button("btn_graphCopy");

    // Many parameters scroll rather than squeeze the plot or push the window past the screen.
    sliderArea = new QScrollArea(this);
    sliderArea->setObjectName(QStringLiteral("scroll_graphSliders"));
    sliderArea->setFrameShape(QFrame::NoFrame);
    // The sliders and fields take the focus; the area only scrolls to them.
    sliderArea->setFocusPolicy(Qt::NoFocus);
    sliderArea->setWidgetResizable(true);
    parameterSliders = new ParameterSliders(langTable, sliderArea);
    parameterSliders->setObjectName(QStringLiteral("sliders_graph"));
    sliderArea->setWidget(parameterSliders);

    page->addWidget(expression);
    page->addWidget(expressionError);
    page->addWidget(split, 1);
    page->addWidget(trace);
    page->addLayout(buttons);
    page->addWidget(sliderArea);
    setTabOrder(expression, widget);
    setTabOrder(widget, legend);
    setTabOrder(legend, analysis);
    setTabOrder(analysis, trace);
    setTabOrder(trace, fitButton);
}

QString GraphPage::text(const char* key) const {
    return langTable.value(QLatin1String(key));
}

QString GraphPage::filled(const char* key, const QStringList& values) const {
    // By hand rather than QString::arg: a table without the key, or a text missing a marker,
    // still shows every value.
    QString format = text(key);
    if (format.isEmpty())
        return values.join(QLatin1Char(' '));
    for (int i = 0; i < values.size(); ++i)
        format.replace(QLatin1Char('%') + QString::number(i + 1), values[i]);
    return format;
}

void GraphPage::applyLanguage() {
    expression->setPlaceholderText(text("IDS_GRAPH_EXPRESSION_HINT"));
    expression->setAccessibleName(text("IDS_ACC_GRAPH_EXPRESSION"));
    // The error is spoken as the label's description, as the names counted as 0 are.
    expressionError->setAccessibleName(text("IDS_ACC_GRAPH_ERROR"));
    widget->setAccessibleName(text("IDS_ACC_GRAPH"));
    widget->setAccessibleDescription(text("IDS_ACC_GRAPH_DESC"));
    legend->setAccessibleName(text("IDS_ACC_GRAPH_LEGEND"));
    analysis->setAccessibleName(text("IDS_ACC_GRAPH_ANALYSIS"));
    trace->setAccessibleName(text("IDS_ACC_GRAPH_TRACE"));
    fitButton->setText(text("IDS_GRAPH_FIT"));
    resetButton->setText(text("IDS_GRAPH_RESET"));
    pngButton->setText(text("IDS_GRAPH_PNG"));
    svgButton->setText(text("IDS_GRAPH_SVG"));
    copyButton->setText(text("IDS_GRAPH_COPY"));
}

void GraphPage::setScriptSource(std::function<QString()> source) {
    scriptSource = std::move(source);
    scriptChanged();
}

void GraphPage::scriptChanged() {
    outOfDate = true;
    if (isVisible())
        rebuild();
}

void GraphPage::setOptions(const RunOptions& newOptions) {
    options = newOptions;
    outOfDate = true;
    if (isVisible())
        rebuild();
}

void GraphPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!splitPlaced) {
        // Room for the lists' texts beside the plot at first; the user moves the handle.
        splitPlaced = true;
        const int total = split->width();
        split->setSizes({total * 3 / 5, total - total * 3 / 5});
    }
    if (outOfDate)
        rebuild();
}

void GraphPage::rebuild() {
    outOfDate = false;
    if (scriptSource)
        script = scriptSource();
    // One run gives the functions and the variables every curve reads, as the script leaves them.
    const auto table = std::make_shared<mu::ScriptFunctionTable>();
    const auto variables =
        std::make_shared<const GraphVariables>(script, langTable, options, table.get());
    const GraphScriptFunctions defined(table);
    // What each curve evaluates: a script function at x, then the typed expression.
    struct Curve {
        QString name, expression;
        QStringList reads;
        bool typed = false;
    };
    QList<Curve> curves;
    for (const GraphScriptFunction& function : defined.ofOneParameter())
        curves.append({function.signature, function.name + QStringLiteral("(x)"), function.reads});
    const QString typed = expression->text().trimmed();
    if (!typed.isEmpty())
        curves.append(
            {QStringLiteral("y = ") + typed, typed, defined.readsOf(typed, curveVariable), true});

    QStringList shownRead;
    for (const Curve& curve : curves)
        for (const QString& name : curve.reads)
            if (!hidden.contains(curve.name) && !shownRead.contains(name))
                shownRead.append(name);
    const VariableLookup lookup = [variables](std::string_view name) {
        return variables->value(name);
    };

    QList<GraphFunction> functions;
    QString error;
    for (const Curve& curve : curves) {
        auto sampler = std::make_shared<FunctionSampler>(langTable, options.angle);
        if (!sampler->setExpression(curve.expression, curveVariable, table.get(), lookup)) {
            if (curve.typed)
                error = sampler->error();
            continue;
        }
        // The sampler compiled against the table: the curve keeps both.
        functions.append(
            {curve.name,
             [sampler, table](const double* xs, double* ys, int n) { sampler->sample(xs, ys, n); },
             !hidden.contains(curve.name), int(functions.size())});
    }
    expressionError->setText(error);
    expressionError->setAccessibleDescription(error);
    expressionError->setVisible(!error.isEmpty());
    expression->setAccessibleDescription(error);

    widget->setFunctions(functions);
    showLegend();
    parameterSliders->setParameters(parameterLines(script, shownRead));
    fitSliderArea();
    analysisTimer.start();
}

void GraphPage::fitSliderArea() {
    const int rows = parameterSliders->count();
    sliderArea->setVisible(rows > 0);
    if (rows == 0)
        return;
    // All the sliders while they take at most a quarter of the page, else as many as fit in it
    // and a scroll bar; on a page with no room to spare, one.
    const int content = parameterSliders->sizeHint().height();
    int bar = 0;
    if (parameterSliders->minimumSizeHint().width() > sliderArea->viewport()->width())
        bar = sliderArea->horizontalScrollBar()->sizeHint().height();
    sliderArea->setMinimumHeight(content / rows + bar);
    sliderArea->setMaximumHeight(std::min(content, std::max(content / rows, height() / 4)) + bar);
}

void GraphPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitSliderArea();
}

void GraphPage::showLegend() {
    const QList<GraphFunction>& functions = widget->functions();
    bool same = legend->count() == functions.size();
    for (int i = 0; same && i < functions.size(); ++i)
        same = legend->item(i)->text() == functions[i].name;
    if (same)
        return;
    const QSignalBlocker quiet(legend);
    legend->clear();
    for (const GraphFunction& function : functions) {
        QPixmap swatch(12, 12);
        swatch.fill(plotSeriesColor(palette(), function.colorIndex));
        auto* item = new QListWidgetItem(QIcon(swatch), function.name, legend);
        item->setToolTip(plainToolTip(function.name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(function.visible ? Qt::Checked : Qt::Unchecked);
    }
    if (const std::optional<int> traced = widget->tracedFunction())
        legend->setCurrentRow(*traced);
}

void GraphPage::legendChanged(QListWidgetItem* item) {
    const bool visible = item->checkState() == Qt::Checked;
    if (visible)
        hidden.remove(item->text());
    else
        hidden.insert(item->text());
    // The sliders follow the shown functions.
    rebuild();
}

QString GraphPage::number(double value) const {
    return NumberFormatter(options.digits)
        .resultText(value, langTable.value(QStringLiteral("IDS_CALC_ERROR")));
}

void GraphPage::analyse() {
    const QList<GraphFunction>& functions = widget->functions();
    QList<PlotFunction> visible;
    QList<int> index;
    for (int i = 0; i < functions.size(); ++i) {
        if (functions[i].visible) {
            visible.append(functions[i].function);
            index.append(i);
        }
    }
    features = PlotAnalysis::analyse(visible, widget->view().xMin(), widget->view().xMax());
    for (PlotFeature& feature : features) {
        feature.function = index.value(feature.function);
        if (feature.other >= 0)
            feature.other = index.value(feature.other);
    }
    widget->setMarks(features);

    const QSignalBlocker quiet(analysis);
    analysis->clear();
    for (const PlotFeature& feature : features) {
        const QString name = functions.value(feature.function).name;
        QString entry;
        switch (feature.kind) {
        case PlotFeature::Root:
            entry = filled("IDS_GRAPH_ROOT", {name, number(feature.x)});
            break;
        case PlotFeature::Minimum:
            entry = filled("IDS_GRAPH_MINIMUM", {name, number(feature.x), number(feature.y)});
            break;
        case PlotFeature::Maximum:
            entry = filled("IDS_GRAPH_MAXIMUM", {name, number(feature.x), number(feature.y)});
            break;
        case PlotFeature::Intersection:
            entry = filled("IDS_GRAPH_INTERSECTION", {name, functions.value(feature.other).name,
                                                      number(feature.x), number(feature.y)});
            break;
        }
        auto* item = new QListWidgetItem(entry, analysis);
        item->setToolTip(plainToolTip(entry));
    }
}

void GraphPage::analysisChosen(int row) {
    if (row < 0 || row >= features.size())
        return;
    widget->setTrace(features[row].function, features[row].x);
}

void GraphPage::showTrace() {
    const std::optional<int> traced = widget->tracedFunction();
    const QString help = text("IDS_ACC_GRAPH_DESC");
    if (!traced) {
        trace->clear();
        widget->setAccessibleDescription(help);
        return;
    }
    const PlotTrace& at = *widget->currentScene().trace;
    const QString name = widget->functions().value(*traced).name;
    const QString value = filled("IDS_GRAPH_TRACE", {name, number(at.x), number(at.y)});
    trace->setText(value);
    trace->setCursorPosition(0);
    // A screen reader on the graph hears the trace move with the keys.
    widget->setAccessibleDescription(value + QLatin1Char('\n') + help);
    if (legend->currentRow() != *traced) {
        const QSignalBlocker quiet(legend);
        legend->setCurrentRow(*traced);
    }
}

void GraphPage::exportTo(const char* suffix) {
    const QString filter = QStringLiteral("%1 (*.%2)")
                               .arg(QString::fromLatin1(suffix).toUpper(), QLatin1String(suffix));
    QString path =
        QFileDialog::getSaveFileName(this, text("IDS_GRAPH_EXPORT_TITLE"),
                                     QStringLiteral("graph.") + QLatin1String(suffix), filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1Char('.') + QLatin1String(suffix), Qt::CaseInsensitive))
        path += QLatin1Char('.') + QLatin1String(suffix);
    QString error;
    if (!PlotExport::save(path, exportedScene(), palette(), &error, font())) {
        // The message names a file the user chose: shown as typed.
        QMessageBox box(QMessageBox::Warning, text("IDS_ERROR_TITLE"),
                        filled("IDS_GRAPH_EXPORT_FAILED", {error}), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

PlotScene GraphPage::exportedScene() const {
    // The picture carries its legend; on the page the list beside the plot is the legend.
    PlotScene scene = widget->currentScene();
    scene.legend = true;
    return scene;
}

void GraphPage::copyImage() {
    PlotExport::copyToClipboard(exportedScene(), palette(), font());
}

void GraphPage::restoreSettings(const QSettings& settings) {
    expression->setText(settings.value(expressionKey).toString());
    const QStringList view = settings.value(viewKey).toString().split(QLatin1Char(' '));
    if (view.size() != 4)
        return;
    double ends[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        ends[i] = view[i].toDouble(&ok);
        if (!ok)
            return;
    }
    widget->setView(ends[0], ends[1], ends[2], ends[3]);
}

void GraphPage::saveSettings(QSettings& settings) const {
    settings.setValue(expressionKey, expression->text());
    // A view nobody chose was made for a size the next window may not have.
    if (!widget->isViewChosen()) {
        settings.remove(viewKey);
        return;
    }
    const PlotView& view = widget->view();
    QStringList ends;
    for (const double end : {view.xMin(), view.xMax(), view.yMin(), view.yMax()})
        ends.append(QString::number(end, 'g', 17));
    settings.setValue(viewKey, ends.join(QLatin1Char(' ')));
}
