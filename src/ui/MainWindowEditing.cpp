// The aids around the script editor: the keyboard run, the read-only result
// box with its full-precision value, the per-line results column with live
// evaluation, the mark on a failing line, the remembered state and the
// accessible names.
//
//   edit --pause--> LiveEvaluation --LineResults--> showLineResults --> column, undefined names
//   "=" / Ctrl+Return / F9 --> run --> result box, column; on failure mark + error box
#include "MainWindow.h"

#include "DisplayOptions.h"
#include "ErrorLineMark.h"
#include "LineEvaluator.h"
#include "LineResultsView.h"
#include "LiveEvaluation.h"
#include "NumberFormatter.h"
#include "PlainToolTip.h"
#include "RadioArrowKeys.h"
#include "ScreenFit.h"
#include "UnwrappedResize.h"
#include "VisibleControls.h"
#include "WindowSettings.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

const QList<QKeySequence> runShortcuts{QKeySequence(Qt::CTRL | Qt::Key_Return),
                                       QKeySequence(Qt::CTRL | Qt::Key_Enter),
                                       QKeySequence(Qt::Key_F9)};
const QKeySequence copyResultShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_C);

// The label's accessible name says what the line is; its text, the names
// themselves, reaches assistive technology as the description.
void showUndefinedNames(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleDescription(text);
}

QString shortcutList(const QList<QKeySequence>& shortcuts) {
    QStringList names;
    for (const QKeySequence& shortcut : shortcuts)
        names.append(shortcut.toString(QKeySequence::NativeText));
    return names.join(QStringLiteral(", "));
}

} // namespace

void MainWindow::setupEditing() {
    // One text line per script line, so the column lines up with the editor.
    ui->text_script->setLineWrapMode(QPlainTextEdit::NoWrap);
    new UnwrappedResize(ui->text_script);
    new UnwrappedResize(ui->view_lineResults);
    // Scripts need no tabs; Tab moves on through the window.
    ui->text_script->setTabChangesFocus(true);
    ui->edit_res->setReadOnly(true);
    ui->label_undefined->setTextFormat(Qt::PlainText);

    auto* run = new QAction(this);
    run->setObjectName(QStringLiteral("actionRun"));
    run->setShortcuts(runShortcuts);
    connect(run, &QAction::triggered, ui->btn_run, &QPushButton::click);
    addAction(run);
    auto* copy = new QAction(this);
    copy->setObjectName(QStringLiteral("actionCopyResult"));
    copy->setShortcut(copyResultShortcut);
    connect(copy, &QAction::triggered, this, &MainWindow::copyFullResult);
    addAction(copy);
    // Return on a catalogue entry inserts it, as a double-click does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* insert = new QShortcut(QKeySequence(key), ui->table_funlist, nullptr, nullptr,
                                     Qt::WidgetShortcut);
        connect(insert, &QShortcut::activated, this,
                [this] { on_table_funlist_doubleClicked(ui->table_funlist->currentIndex()); });
    }
    const QString tip = langTable.value(QStringLiteral("IDS_RUN_TIP"));
    const QString shortcuts = shortcutList(runShortcuts);
    ui->btn_run->setToolTip(plainToolTip(tip.isEmpty() ? shortcuts : tip.arg(shortcuts)));

    errorMark = new ErrorLineMark(ui->text_script);
    ui->view_lineResults->follow(ui->text_script);
    liveEvaluation = new LiveEvaluation(ui->text_script, langTable);
    liveEvaluation->writeInto(ui->view_lineResults);
    liveEvaluation->setOptions(displayOptions->options());
    connect(ui->view_lineResults, &LineResultsView::written, this, &MainWindow::fitLineResults);
    connect(liveEvaluation, &LiveEvaluation::evaluated, this,
            [this](const LineResults& results) { showLineResults(results, true); });
    connect(ui->text_script->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!ui->edit_res->text().isEmpty())
            setResultOutOfDate(true);
    });
    setupLineResultsWidth();
    setupFonts();
    new RadioArrowKeys(ui->gbRadio);
    // A click beside a caption chooses nothing, so no category button reaches past its caption.
    for (QRadioButton* button : ui->gbRadio->findChildren<QRadioButton*>())
        button->setSizePolicy(QSizePolicy::Maximum, button->sizePolicy().verticalPolicy());

    if (const QScreen* shownOn = screen())
        fitInto(this, shownOn->availableGeometry().size());
    else
        resize(800, 600);
    (new WindowSettings(this, langTable))->restore();
}

void MainWindow::setupFonts() {
    // Script text lines up in columns; the rest of the window speaks as the desktop does.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QWidget* text :
         std::initializer_list<QWidget*>{ui->text_script, ui->view_lineResults, ui->edit_res})
        text->setFont(fixed);
}

void MainWindow::setupLineResultsWidth() {
    // The user moves the limit of the column's width with the handle between it and the editor.
    // Moving the two into the handle's widget takes them out of the Tab order: they go back
    // after the widget before the editor.
    QWidget* before = ui->text_script->previousInFocusChain();
    lineResultsSplit = new QSplitter(Qt::Horizontal, ui->centralWidget);
    lineResultsSplit->setObjectName(QStringLiteral("split_lineResults"));
    lineResultsSplit->setChildrenCollapsible(false);
    ui->gridLayout_script->removeWidget(ui->text_script);
    ui->gridLayout_script->removeWidget(ui->view_lineResults);
    lineResultsSplit->addWidget(ui->text_script);
    lineResultsSplit->addWidget(ui->view_lineResults);
    lineResultsSplit->setStretchFactor(0, 1);
    lineResultsSplit->setStretchFactor(1, 0);
    ui->gridLayout_script->addWidget(lineResultsSplit, 0, 0, 1, 2);
    QWidget::setTabOrder(before, ui->text_script);
    QWidget::setTabOrder(ui->text_script, ui->view_lineResults);
    connect(lineResultsSplit, &QSplitter::splitterMoved, this,
            [this] { lineResultsLimit = lineResultsSplit->sizes().value(1); });
    connect(ui->view_lineResults->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &MainWindow::fitLineResults);
}

void MainWindow::fitLineResults() {
    const QList<int> sizes = lineResultsSplit->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        return;
    const int limit = lineResultsLimit > 0 ? lineResultsLimit : total / 2;
    const int wanted =
        std::clamp(ui->view_lineResults->wantedWidth(), ui->view_lineResults->minimumWidth(),
                   std::max(limit, ui->view_lineResults->minimumWidth()));
    if (wanted != sizes.value(1))
        lineResultsSplit->setSizes({total - wanted, wanted});
}

void MainWindow::setResultOutOfDate(bool outOfDate) {
    ui->edit_res->setOutOfDate(outOfDate);
    const QString description = langTable.value(QStringLiteral("IDS_ACC_RESULT_DESC"));
    const QString marked = langTable.value(QStringLiteral("IDS_RESULT_OUT_OF_DATE"));
    ui->edit_res->setAccessibleDescription(
        outOfDate && marked.contains(QLatin1String("%1")) ? marked.arg(description) : description);
}

void MainWindow::showFullValue(double value) {
    resultValue = value;
    hasResultValue = true;
    const QString tip = langTable.value(QStringLiteral("IDS_RESULT_TIP"));
    const QString text = NumberFormatter::roundTripText(value);
    ui->edit_res->setToolTip(plainToolTip(tip.isEmpty() ? text : tip.arg(text)));
}

void MainWindow::forgetFullValue() {
    ui->edit_res->setToolTip(QString());
    hasResultValue = false;
}

void MainWindow::copyFullResult() const {
    if (!hasResultValue)
        return;
    // A value without digits is copied as the box words it.
    QGuiApplication::clipboard()->setText(std::isnan(resultValue)
                                              ? ui->edit_res->text()
                                              : NumberFormatter::roundTripText(resultValue));
}

void MainWindow::showLineResults(const LineResults& results, bool live) {
    const RunResult& run = results.run;
    LineResultsView* column = ui->view_lineResults;
    // A live pass's results are written in slices by the live evaluation.
    const auto show = [column, live](const QStringList& texts, int failedLine = 0,
                                     const QString& shortMessage = QString(),
                                     const QString& message = QString(), bool quiet = false) {
        if (live)
            column->queueResults(texts, failedLine, shortMessage, message, quiet);
        else
            column->showResults(texts, failedLine, shortMessage, message, quiet);
    };
    if (run.ok) {
        show(results.texts);
    } else {
        const QTextBlock failing = ui->text_script->document()->findBlockByNumber(run.line - 1);
        const bool empty = failing.text().trimmed().isEmpty();
        if (empty && live && ui->text_script->textCursor().block() == failing)
            // A line just begun: nothing to say about it yet.
            show(results.texts);
        else
            show(results.texts, run.line, withVisibleControls(run.text),
                 withVisibleControls(lineErrorMessage(run, langTable)), empty);
    }
    showUndefinedNames(ui->label_undefined, undefinedNamesText(results.undefinedNames, langTable));
}

void MainWindow::returnToEditor() {
    ui->text_script->setFocus(Qt::OtherFocusReason);
}

void MainWindow::applyAccessibleNames() {
    const auto text = [this](const char* key) { return langTable.value(QLatin1String(key)); };
    const std::array<std::pair<QWidget*, const char*>, 18> names{{
        {ui->text_script, "IDS_ACC_SCRIPT"},
        {ui->btn_run, "IDS_ACC_RUN"},
        {ui->edit_res, "IDS_ACC_RESULT"},
        {ui->btn_clean, "IDS_ACC_CLEAN"},
        {ui->view_lineResults, "IDS_ACC_LINE_RESULTS"},
        {ui->label_undefined, "IDS_ACC_UNDEFINED"},
        {ui->table_funlist, "IDS_ACC_FUNCTIONS"},
        {ui->listType, "IDS_ACC_UNIT_KIND"},
        {ui->edit_1, "IDS_ACC_UNIT_VALUE"},
        {ui->lst_1, "IDS_ACC_FROM_UNIT"},
        {ui->lst_2, "IDS_ACC_TO_UNIT"},
        {ui->edit_2, "IDS_ACC_CONVERTED"},
        {ui->btn_sqrt, "IDS_ACC_KEY_SQRT"},
        {ui->btn_del, "IDS_ACC_KEY_DEL"},
        {ui->btn_enter, "IDS_ACC_KEY_ENTER"},
        {ui->btn_pi, "IDS_ACC_KEY_PI"},
        {ui->btn_pow2, "IDS_ACC_KEY_POW2"},
        {ui->gbRadio, "IDS_ACC_CATEGORIES"},
    }};
    for (const auto& [widget, key] : names)
        widget->setAccessibleName(text(key));

    const std::array<std::pair<QWidget*, const char*>, 4> descriptions{{
        {ui->text_script, "IDS_ACC_SCRIPT_DESC"},
        {ui->edit_res, "IDS_ACC_RESULT_DESC"},
        {ui->view_lineResults, "IDS_ACC_LINE_RESULTS_DESC"},
        {ui->table_funlist, "IDS_ACC_FUNCTIONS_DESC"},
    }};
    for (const auto& [widget, key] : descriptions)
        widget->setAccessibleDescription(text(key));
}
