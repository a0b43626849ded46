#pragma once

#include "CommonFun.h"
#include "FunctionEntry.h"
#include "LineEvaluator.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QModelIndex>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>

#include <optional>

class DisplayOptions;
class HelpWindow;
class ErrorLineMark;
class GraphPage;
class LiveEvaluation;
class QRadioButton;
class QSplitter;
struct RunResult;

namespace Ui {
class MainWindow;
}

// The calculator's only window. It owns for its whole life the form, the
// string table, the function and unit catalogues and the models behind the
// lists. Everything is loaded in the constructor:
//   form -> About action -> string table (lang.xml) -> captions
//        -> function list (function.xml) -> unit page (unit.xml) -> tab titles
// A run hands the editor's text to a fresh ScriptRunner and shows either the
// formatted value in edit_res or the localized error in a modal box.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

private slots:
    // The order of these slots is the order of the meta-object's method table.
    void on_lst_2_clicked(const QModelIndex& index);
    void on_lst_1_clicked(const QModelIndex& index);
    void on_listType_currentRowChanged(int currentRow);
    void on_tabMain_currentChanged(int index);
    void on_btn_ok_clicked();
    void on_edit_1_textChanged(const QString& text);
    void on_table_funlist_doubleClicked(const QModelIndex& index);
    void on_rb_USERDEFINE_clicked();
    void on_rb_DATETIME_clicked();
    void on_rb_CONSTANTS_clicked();
    void on_rb_UNITCONVERSION_clicked();
    void on_rb_FINANCE_clicked();
    void on_rb_STATISTICS_clicked();
    void on_rb_BASECONVERSION_clicked();
    void on_rb_ARITHMETIC_clicked();
    void on_rb_TRIGONOMETRIC_clicked();
    void on_btn_help_clicked();
    void on_btn_url_clicked();
    void on_btn_e_clicked();
    void on_btn_pi_clicked();
    void on_btn_pow2_clicked();
    void on_btn_sqrt_clicked();
    void on_btn_del_clicked();
    void on_btn_enter_clicked();
    void on_btn_right_clicked();
    void on_btn_left_clicked();
    void on_btn_comma_clicked();
    void on_btn_dot_clicked();
    void on_btn_div_clicked();
    void on_btn_mul_clicked();
    void on_btn_dec_clicked();
    void on_btn_add_clicked();
    void on_btn_00_clicked();
    void on_btn_0_clicked();
    void on_btn_9_clicked();
    void on_btn_8_clicked();
    void on_btn_7_clicked();
    void on_btn_6_clicked();
    void on_btn_5_clicked();
    void on_btn_4_clicked();
    void on_btn_3_clicked();
    void on_btn_1_clicked();
    void on_btn_2_clicked();
    void on_btn_clean_clicked();
    void on_btn_run_clicked();
    void openAbout();

private:
    // Lets the tests reach the editing operations and the base conversion
    // directly, with arguments that no button passes.
    friend class MainWindowTestAccess;

    void loadLanguage();
    // Every localized caption, from langTable; a missing key gives "".
    void applyLanguage();
    // Reads one category of function.xml into functionEntries and shows it in
    // table_funlist; a missing or broken file keeps the entries read before.
    void loadFunctionList(const QString& category);
    // What every category button does: remember it, show the function page
    // under its caption and list its category.
    void selectCategory(QRadioButton* button, const QString& category);

    void initUnitPage();
    // Reads one kind of unit.xml (keeping the units read before when the file
    // is missing or broken), lists it in lst_1 and lst_2 with the first unit
    // current in both, and recomputes edit_2.
    void loadUnitCategory(const QString& category);
    // edit_1's value converted from lst_1's current unit to lst_2's; none
    // while either list has no current unit.
    std::optional<double> convertedUnitValue() const;
    // edit_2 := that value in the chosen digits; nothing while there is none.
    void updateConversion();

    // Inserts text at the caret of text_script (replacing a selection) and
    // leaves the caret back characters before the end of the insertion; a
    // position outside the script is refused and the caret stays at the end
    // of the insertion. The editor gets the keyboard focus.
    void insertAtCursor(const QString& text, int back);
    // definition is name=value. Inserts the name at the caret and, unless the
    // script already holds name=<first four characters of value>, puts the
    // definition on top of the script and the caret at its end.
    void insertConstant(const QString& definition);
    // insertAtCursor for a catalogue template; one of several lines starts
    // on a line of its own and ends one.
    void insertTemplate(const QString& text, int back);
    // The help page in the desktop's browser, else in helpWindow.
    void openHelpPage(const QString& page);
    // Runs the script: its result into edit_res, or its error into a box.
    RunResult runScript();
    // edit_res := text, scrolled to its start.
    void showResult(const QString& text);
    // Runs the script, then shows its value in the given base; nothing more
    // when the run fails.
    void convertResultBase(int base);

    // The editing aids (MainWindowEditing.cpp): run and copy actions, the
    // column of line results with its live evaluation, remembered state.
    void setupEditing();
    void applyAccessibleNames();
    // edit_res's tooltip and Ctrl+Shift+C give the run's value with 17
    // significant digits.
    void showFullValue(double value);
    void forgetFullValue();
    void copyFullResult() const;
    // live: from the live evaluation, which says nothing of an empty line being typed.
    void showLineResults(const LineResults& results, bool live = false);
    void setupLineResultsWidth();
    // The column as wide as its widest line in view, within the limit the user set.
    void fitLineResults();
    void setupFonts();
    // The result box marked (dimmed, and said so to assistive technology) or not.
    void setResultOutOfDate(bool outOfDate);
    void returnToEditor();

    // The display choices (MainWindowDisplay.cpp): the column, the result box
    // and the unit page show a changed choice at once.
    void setupDisplayOptions();
    void applyDisplayOptions();
    // The last run's value as the result box shows it with today's choices,
    // in resultBase when a base conversion asked for one.
    QString resultBoxText() const;

    // The graph page (MainWindowGraph.cpp): it follows every evaluation of the script, and its
    // parameter sliders rewrite numbers in the editor.
    void setupGraph();
    void rewriteParameter(int line, const QString& number, bool continuing);

    Ui::MainWindow* ui;
    QString currentCategoryButton;
    CommonFun commonFun;
    QMap<QString, QString> langTable;
    QStringList unitEntries;
    QHash<QString, double> unitIndex;
    QHash<QString, double> unitOffsets;
    int shownUnitKind = 0; // the listType row whose units the lists show
    QList<FunctionEntry> functionEntries;
    QStandardItemModel functionModel;
    QStandardItemModel unitModel;
    HelpWindow* helpWindow = nullptr; // made when first needed, a child of the window
    ErrorLineMark* errorMark = nullptr;
    LiveEvaluation* liveEvaluation = nullptr;
    QSplitter* lineResultsSplit = nullptr;
    int lineResultsLimit = 0; // 0: half the script's width
    DisplayOptions* displayOptions = nullptr;
    double resultValue = 0.0;
    bool hasResultValue = false;
    std::optional<int> resultBase; // set by a base conversion
    GraphPage* graphPage = nullptr;
    bool parameterStep = false; // a slider's rewrite is being evaluated
};
