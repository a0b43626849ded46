#include "CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString kInfinity = QString(QChar(0x221E));

// A script file in a temporary folder that lives as long as the object.
class ScriptFile {
public:
    explicit ScriptFile(const QByteArray& bytes) {
        EXPECT_TRUE(dir.isValid());
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(bytes.size(), file.write(bytes));
    }
    QString path() const { return dir.filePath(QStringLiteral("script.txt")); }

private:
    QTemporaryDir dir;
};

struct ScriptRow {
    const char* name;
    QStringList arguments;
    QByteArray input;
    QString out;
};

void PrintTo(const ScriptRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliSucceedsTest : public testing::TestWithParam<ScriptRow> {};

TEST_P(CliSucceedsTest, PrintsTheResultLine) {
    const CliRun run = runCli(GetParam().arguments, GetParam().input);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(GetParam().out, run.out);
    EXPECT_EQ(QString(), run.err);
}

const ScriptRow kScriptRows[] = {
    {"expression", {"-e", "1+2"}, {}, "3\n"},
    {"texts_joined_as_lines", {"-e", "a=3", "-e", "a*2"}, {}, "6\n"},
    {"text_starting_with_minus", {"-e", "-3"}, {}, "-3\n"},
    {"eight_decimals", {"-e", "1/3+1"}, {}, "1.33333333\n"},
    {"exponent_form", {"-e", "123456789"}, {}, "1.23457e+08\n"},
    {"infinity_sign", {"-e", "-1/0"}, {}, "-" + kInfinity + "\n"},
    {"not_a_number_text", {"-e", "0/0"}, {}, "Math error: the result is not a number\n"},
    {"standard_input", {}, "r=2\npi=3.1415926535897\npi*r^2\n", "12.56637061\n"},
    {"standard_input_dash", {"-"}, "x=4\nsqrt(x)", "2\n"},
    {"standard_input_crlf", {}, "a=2\r\nb=3\r\na*b\r\n", "6\n"},
    {"standard_input_cr", {}, "a=2\rb=3\r\na*b\r", "6\n"},
    {"text_cr", {"-e", "a=2\ra*4"}, {}, "8\n"},
    {"raw_value", {"--raw", "-e", "0.1"}, {}, "0.10000000000000001\n"},
    {"raw_whole_number", {"--raw", "-e", "1+2"}, {}, "3\n"},
    {"raw_large", {"--raw", "-e", "2^70"}, {}, "1.1805916207174113e+21\n"},
    {"raw_nan", {"--raw", "-e", "0/0"}, {}, "nan\n"},
    {"raw_negative_nan", {"--raw", "-e", "-(0/0)"}, {}, "nan\n"},
    {"raw_infinity", {"--raw", "-e", "1/0"}, {}, "inf\n"},
    {"raw_minus_infinity", {"--raw", "-e", "-1/0"}, {}, "-inf\n"},
    {"options_after_text", {"-e", "2^10", "--raw"}, {}, "1024\n"},
    {"end_of_options", {"--", "-"}, "5", "5\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliSucceedsTest, testing::ValuesIn(kScriptRows), RowName());

TEST(CliFile, ReadsTheScriptFromAFile) {
    const ScriptFile file("r=2\npi=3.1415926535897\npi*r^2\n");
    const CliRun run = runCli({file.path()});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("12.56637061\n"), run.out);
}

TEST(CliFile, DropsCarriageReturnsBeforeLineFeeds) {
    const ScriptFile file("a=2\r\nb=3\r\na*b\r\n");
    const CliRun run = runCli({file.path()});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("6\n"), run.out);
}

// The file is read in pieces of 1 MiB: here the first piece ends between "\r" and "\n".
TEST(CliFile, CarriageReturnAtTheEndOfAReadPieceIsDropped) {
    const qsizetype piece = 1024 * 1024;
    QByteArray script = "a=2";
    script += QByteArray(piece - 1 - script.size(), ' ');
    script += "\r\na*3\r\n";
    ASSERT_EQ('\r', script.at(piece - 1));
    const ScriptFile file(script);
    const CliRun run = runCli({file.path()});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("6\n"), run.out);
}

// As above with a lone "\r" before the piece's end: the next line follows.
TEST(CliFile, CarriageReturnEndingAReadPieceEndsTheLine) {
    const qsizetype piece = 1024 * 1024;
    QByteArray script = "a=2";
    script += QByteArray(piece - 1 - script.size(), ' ');
    script += "\ra*3";
    const ScriptFile file(script);
    EXPECT_EQ(QStringLiteral("6\n"), runCli({file.path()}).out);
}

TEST(CliFile, LastLineWithoutLineBreakIsRead) {
    const ScriptFile file("a=2\na*5");
    EXPECT_EQ(QStringLiteral("10\n"), runCli({file.path()}).out);
}

TEST(CliFile, SkipsAByteOrderMark) {
    const ScriptFile file("\xEF\xBB\xBF"
                          "7*6\n");
    const CliRun run = runCli({file.path()});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("42\n"), run.out);
}

TEST(CliFile, ManyLinesAreEvaluatedInOrder) {
    QByteArray script;
    for (int i = 0; i < 20000; ++i)
        script += "a=a+1\n";
    script += "a\n";
    const CliRun run = runCli({}, script);
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("20000\n"), run.out);
}

TEST(CliDump, PrintsTheBytecodeOfTheLastLineAfterTheResult) {
    const CliRun run = runCli({"--dump", "-e", "a=2", "-e", "a*3"});
    EXPECT_EQ(0, run.exitCode);
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(QStringLiteral("6"), lines.at(0));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Entries:"))) << lines.at(1).toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("VAR ")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("MUL\n")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("ASSIGN")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("END\n")));
}

TEST(CliDump, FoldedLineIsOneValue) {
    const CliRun run = runCli({"--dump", "--raw", "-e", "sin(0)+2*3"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("6\nEntries:"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("VAL [6]")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("CALL")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("ADD")));
}

TEST(CliLocale, DecimalCommaLocaleChangesNothing) {
    QTemporaryDir localeDir;
    ASSERT_TRUE(localeDir.isValid());
    QProcessEnvironment environment = cliEnvironment();
    ASSERT_TRUE(buildGermanLocale(localeDir.path()));
    environment.insert(QStringLiteral("LOCPATH"), localeDir.path());
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    EXPECT_EQ(QStringLiteral("3.75\n"), runCli({"-e", "1.5*2.5"}, {}, environment).out);
    EXPECT_EQ(QStringLiteral("0.5\n"), runCli({"--raw", "-e", "0.5"}, {}, environment).out);
}

} // namespace
