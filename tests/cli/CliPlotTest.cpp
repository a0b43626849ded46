// --plot FILE [--x-range A:B]: the graph drawn without a window, next to the usual output.
#include "CliRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ostream>

namespace {

#ifdef SCRIPTCALC_HAVE_PLOT

struct PlotRow {
    const char* name;
    QStringList arguments; // "@" stands for the temporary folder
    int exitCode;
    QString out;
    const char* file;            // written (its name in the folder), or null
    QByteArray start;            // the file's first bytes
    int paths;                   // SVG: path elements (one per function)
    const char* shows = nullptr; // SVG: a text the picture holds
};

void PrintTo(const PlotRow& row, std::ostream* os) {
    *os << row.name;
}

class CliPlotTest : public testing::TestWithParam<PlotRow> {};

TEST_P(CliPlotTest, DrawsTheFileBesideTheUsualOutput) {
    const PlotRow& row = GetParam();
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList arguments;
    for (const QString& argument : row.arguments)
        arguments << QString(argument).replace(QLatin1Char('@'), dir.path());
    // No display: the command line must not need one.
    QProcessEnvironment environment = cliEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const CliRun run = runCli(arguments, QByteArray(), environment);
    EXPECT_EQ(row.exitCode, run.exitCode) << run.err.toStdString();
    EXPECT_EQ(row.out, run.out);
    if (!row.file) {
        EXPECT_TRUE(QDir(dir.path()).isEmpty());
        return;
    }
    QFile file(dir.filePath(QString::fromUtf8(row.file)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(row.start));
    if (row.paths >= 0) {
        EXPECT_EQ(bytes.count("<path"), row.paths);
    }
    if (row.shows) {
        EXPECT_TRUE(bytes.contains(row.shows)) << row.shows;
    }
}

const QByteArray kPng("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x03\x20\0\0\x02\x58", 24); // 800 x 600

// clang-format off
const PlotRow kPlotRows[] = {
    {"svg", {"--plot", "@/g.svg", "-e", "a=2", "-e", "a*sin(x)"}, 0, "0\n", "g.svg", "<?xml", 1},
    {"png_with_range", {"--plot=@/g.png", "--x-range", "-1:1", "-e", "x^2"}, 0, "0\n", "g.png", kPng, -1},
    {"suffix_any_case", {"--plot", "@/G.SVG", "--x-range=-1e-3:2e-3", "-e", "1/(x-1)"}, 0, "-1\n", "G.SVG", "<?xml", 1},
    // The lines before the last set the variables it reads: the y axis is labelled near c.
    {"variables_of_the_script", {"--plot", "@/g.svg", "--x-range", "0:1", "-e", "c=1e6", "-e", "x+c"}, 0, "1000000\n", "g.svg", "<?xml", 1, ">1000000.5<"},
    {"script_error_draws_nothing", {"--plot", "@/g.svg", "-e", "x+"}, 1, "", nullptr, {}, -1},
    {"not_an_expression_in_x", {"--plot", "@/g.svg", "-e", "y=x+"}, 1, "", nullptr, {}, -1},
    {"unwritable", {"--plot", "@/missing/g.svg", "-e", "x"}, 2, "0\n", nullptr, {}, -1},
    {"range_reversed", {"--plot", "@/g.svg", "--x-range", "2:1", "-e", "x"}, 2, "", nullptr, {}, -1},
    {"range_not_numbers", {"--plot", "@/g.svg", "--x-range", "a:b", "-e", "x"}, 2, "", nullptr, {}, -1},
    {"range_without_plot", {"--x-range", "0:1", "-e", "x"}, 2, "", nullptr, {}, -1},
    {"plot_without_file", {"--plot=", "-e", "x"}, 2, "", nullptr, {}, -1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cli, CliPlotTest, testing::ValuesIn(kPlotRows), RowName());

#else

TEST(CliPlotTest, BuildWithoutGraphsSaysSo) {
    const CliRun run = runCli({QStringLiteral("--plot"), QStringLiteral("g.svg"),
                               QStringLiteral("-e"), QStringLiteral("x")});
    EXPECT_EQ(2, run.exitCode);
    EXPECT_TRUE(run.err.contains(QLatin1String("cannot draw graphs")));
}

#endif

} // namespace
