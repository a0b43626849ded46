// The catalogue generator computes the results shown in the help pages with
// its own model of the built-in functions and operators. Here the model's
// value of every built-in on a grid of arguments (tools/catalogue/modelgrid.py)
// is compared with the engine's, bit for bit, together with the result box's
// text, so that a help page never promises what the engine does not compute.
#include "CatalogueShippedData.h"
#include "QtPrinters.h"

#include "LangTable.h"
#include "ScriptRunner.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <cmath>

namespace {

struct GridPoint {
    QString script;
    double value = 0;
    QString shown; // empty for NaN
};

// The model's lines: script, value as Python writes it, shown text.
QList<GridPoint> modelGrid() {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        ADD_FAILURE() << "python3 is missing (tools/install-deps.sh test installs it)";
        return {};
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PYTHONDONTWRITEBYTECODE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(python, {QStringLiteral(SCRIPTCALC_SOURCE_DIR "/tools/catalogue/modelgrid.py")});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        ADD_FAILURE() << "modelgrid.py failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    QList<GridPoint> grid;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3) {
            ADD_FAILURE() << "bad line " << line.toStdString();
            continue;
        }
        bool ok = false;
        const double value = fields[1].toDouble(&ok);
        EXPECT_TRUE(ok) << line.toStdString();
        grid << GridPoint{fields[0], value, fields[2]};
    }
    return grid;
}

bool sameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

} // namespace

TEST(CatalogueModel, AgreesWithTheEngineOnEveryBuiltinAcrossAGrid) {
    QMap<QString, QString> table;
    loadLanguageTable(shipped::configFile(QStringLiteral("en_us"), QStringLiteral("lang.xml")),
                      &table);
    const QList<GridPoint> grid = modelGrid();
    ASSERT_GT(grid.size(), 5000);
    QSet<QString> covered;
    for (const GridPoint& point : grid) {
        const RunResult run = ScriptRunner(table).run(point.script);
        ASSERT_TRUE(run.ok) << point.script.toStdString() << " -> " << run.text.toStdString();
        EXPECT_TRUE(sameDouble(run.value, point.value))
            << point.script.toStdString() << ": model " << point.value << ", engine " << run.value;
        if (!point.shown.isEmpty()) {
            EXPECT_EQ(run.text, point.shown) << point.script.toStdString();
        }
        covered.insert(point.script.section(QLatin1Char('('), 0, 0));
    }
    // Every built-in but today(), whose value is the day of the run.
    for (const QString& name : shipped::builtinFunctions()) {
        if (name != QLatin1String("today")) {
            EXPECT_TRUE(covered.contains(name)) << qPrintable(name);
        }
    }
}
