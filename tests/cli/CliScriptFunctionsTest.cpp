// Scripts that define functions give on the command line what the window gives: the result box's
// text, the line of names counted as 0, or the error box's message with the error's details,
// whether the script comes with -e or on standard input.
#include "CliRunner.h"

#include "LineEvaluator.h"
#include "ScriptRunner.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// What scriptcalc-cli must print for script: the window's evaluation of it, worded as the CLI
// words it.
CliRun windowOutput(const QString& script) {
    const QMap<QString, QString> table = installedTable(QStringLiteral("en_us"));
    const LineResults window = LineEvaluator(table).evaluate(script);
    CliRun expected;
    expected.finished = true;
    if (window.run.ok) {
        expected.exitCode = 0;
        expected.out = window.run.text + QLatin1Char('\n');
        if (!window.undefinedNames.isEmpty())
            expected.err = undefinedNamesText(window.undefinedNames, table) + QLatin1Char('\n');
        return expected;
    }
    const RunResult& failed = window.run;
    expected.exitCode = 1;
    expected.err = failed.text + QLatin1Char('\n') +
                   QStringLiteral("error: line=%1 code=%2 pos=%3 key=%4 token=%5\n")
                       .arg(failed.line)
                       .arg(failed.code)
                       .arg(failed.position)
                       .arg(failed.key, failed.token);
    return expected;
}

struct FunctionScriptRow {
    const char* name;
    QString script;
};

void PrintTo(const FunctionScriptRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class CliScriptFunctionsTest : public testing::TestWithParam<FunctionScriptRow> {};

TEST_P(CliScriptFunctionsTest, PrintWhatTheWindowShows) {
    const QString& script = GetParam().script;
    const CliRun expected = windowOutput(script);
    const CliRun given = runCli({QStringLiteral("-e"), script});
    EXPECT_EQ(expected.exitCode, given.exitCode);
    EXPECT_EQ(expected.out, given.out);
    EXPECT_EQ(expected.err, given.err);
    const CliRun read = runCli({}, script.toUtf8());
    EXPECT_EQ(expected.exitCode, read.exitCode);
    EXPECT_EQ(expected.out, read.out);
    EXPECT_EQ(expected.err, read.err);
}

const FunctionScriptRow kFunctionScriptRows[] = {
    {"call", "f(x)=x^2+1\nf(3)"},
    {"definition_last", "a=1\ng(a, b)=a*b"},
    {"nesting_and_redefinition", "sq(x)=x*x\nf(x)=sq(x)+1\nsq(x)=0\nf(sq(3))"},
    {"body_reads_a_name_never_assigned", "f(x)=x+rate\nf(1)"},
    {"recursion", "f(x)=f(x-1)\nf(1)"},
    {"wrong_argument_count", "f(x)=x\n1\nf(1,2)"},
    {"built_in_name", "sqrt(x)=x"},
    {"error_in_a_body", "f(x)=x*(2"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliScriptFunctionsTest, testing::ValuesIn(kFunctionScriptRows),
                         RowName());

TEST(CliScriptFunctions, RawWritesTheSignatureOfADefinition) {
    const CliRun run =
        runCli({QStringLiteral("--raw"), QStringLiteral("-e"), QStringLiteral("h(t)=t/2")});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("h(t)\n"), run.out);
}

TEST(CliScriptFunctions, StrictRefusesABodyReadAtTheCall) {
    const CliRun run = runCli({QStringLiteral("--strict"), QStringLiteral("-e"),
                               QStringLiteral("f(x)=x+rate\nrate=1\n2*f(1)")});
    // Assigned before the call: nothing to refuse.
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ(QStringLiteral("4\n"), run.out);
    const CliRun refused = runCli(
        {QStringLiteral("--strict"), QStringLiteral("-e"), QStringLiteral("f(x)=x+rate\n2*f(1)")});
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_TRUE(
        refused.err.endsWith(QStringLiteral("line=2 code=1 pos=2 key=IDS_PARSE_E01 token=rate\n")))
        << refused.err.toStdString();
}

} // namespace
