// The live column's evaluation after edits must show what a pass over the whole script shows:
// random scripts, random edits, passes cut short by the next edit, compared after every edit.
#include "IncrementalEvaluation.h"
#include "LineEvaluator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

namespace {

LangMap testTable() {
    LangMap table{{QStringLiteral("IDS_CALC_ERROR"), QStringLiteral("nan")}};
    for (int i = 1; i <= 12; ++i) {
        const QString key = QStringLiteral("IDS_PARSE_E%1").arg(i, 2, 10, QLatin1Char('0'));
        table.insert(key, key + QStringLiteral(" [%s]"));
    }
    return table;
}

// Few names, so that lines read and assign each other's; failing, empty, NaN and -0 lines.
const std::vector<const char*> variableLines = {
    "a=1",   "b=a+1", "a=a*2",   "c",      "x=y+1",   "y=x-1", "d=d+1", "1/0",
    "2*",    "",      "-0",      "a=-0*1", "e2=2e2",  "0/0",   "n=n*3", "k==1",
    "k=k+a", "b*b-a", "z1=z2+1", "z2=3",   "sqrt(b)", "a=(1",  "q",     "x",
};

// Definitions that come, go and change between calls; bodies reading names nothing assigned yet;
// failing definitions and calls.
const std::vector<const char*> functionLines = {
    "f(x)=x+a",   "f(x)=2*x",  "g(x,y)=f(x)*y", "k(x)=x*c",  "a=f(1)",   "b=g(2,a)",
    "f(b)",       "g(1,2)",    "c=k(2)+1",      "f=f(3)",    "f",        "m(x)=f(x)+k(x)",
    "m(a)",       "h(x)=h(x)", "f(1,2)",        "a=a+1",     "k(x)=x/d", "d=m(2)",
    "g(x,y)=x-y", "p(q)=q*e",  "p(2)+g(e,1)",   "n(x)=u(x)", "2*",       "",
};

// The choices that always fail, kept out of the first script.
const QStringList failingLines = {"2*", "a=(1", "", "h(x)=h(x)", "f(1,2)", "n(x)=u(x)"};

QString randomLine(std::mt19937& random, const std::vector<const char*>& choices) {
    std::uniform_int_distribution<std::size_t> pick(0, choices.size() - 1);
    return QString::fromLatin1(choices[pick(random)]);
}

void expectSameResults(const LineResults& incremental, const LineResults& full) {
    ASSERT_EQ(incremental.texts, full.texts);
    EXPECT_EQ(incremental.run.ok, full.run.ok);
    EXPECT_EQ(incremental.run.text, full.run.text);
    EXPECT_EQ(incremental.run.definition, full.run.definition);
    EXPECT_EQ(incremental.run.line, full.run.line);
    EXPECT_EQ(incremental.run.position, full.run.position);
    EXPECT_EQ(incremental.run.key, full.run.key);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(incremental.run.value),
              std::bit_cast<std::uint64_t>(full.run.value));
    EXPECT_EQ(incremental.undefinedNames, full.undefinedNames);
}

// Random edits of a script of lines from choices after the lines of prelude, which no edit
// touches; the results after every edit must be those of a pass over the whole script. With
// mend, a failing line is mended before the next edit, so that passes go deep.
void expectAgreementAfterRandomEdits(const std::vector<const char*>& choices,
                                     const QStringList& preludeLines, bool mend = false) {
    const int prelude = int(preludeLines.size());
    std::mt19937 random(20261208);
    const LangMap table = testTable();
    // Failing lines are rare enough that most passes reach the end of the script.
    QStringList lines = preludeLines;
    for (int i = 0; i < 400; ++i) {
        QString line = randomLine(random, choices);
        lines.append(failingLines.contains(line) ? QStringLiteral("a") : line);
    }
    IncrementalEvaluation evaluation(table);
    std::uniform_int_distribution<int> action(0, 9);
    for (int edit = 0; edit < 300; ++edit) {
        if (mend && evaluation.failed()) {
            const int failed = evaluation.results(int(lines.size())).run.line - 1;
            lines[failed] = QStringLiteral("a");
            evaluation.linesChanged(failed);
        }
        std::uniform_int_distribution<int> at(prelude, int(lines.size()) - 1);
        const int line = at(random);
        switch (action(random)) {
        case 0:
            lines.insert(line, randomLine(random, choices));
            break;
        case 1:
            if (lines.size() > prelude + 1)
                lines.removeAt(line);
            break;
        case 2:
            // A failing line comes and goes again with the next edit there.
            lines[line] = QStringLiteral("3*");
            break;
        default:
            lines[line] =
                action(random) < 5 ? randomLine(random, choices) : QStringLiteral("a=a+1");
            break;
        }
        evaluation.linesChanged(std::min(line, int(lines.size()) - 1));
        // Every third pass is cut short by the next edit.
        const int stop = edit % 3 == 0 ? std::min(int(lines.size()), evaluation.nextLine() + 97)
                                       : int(lines.size());
        while (!evaluation.failed() && evaluation.nextLine() < stop)
            evaluation.addLine(lines.at(evaluation.nextLine()));
        if (stop < lines.size() && !evaluation.failed())
            continue;
        const QString script = lines.join(QLatin1Char('\n'));
        SCOPED_TRACE(edit);
        expectSameResults(evaluation.results(int(lines.size())),
                          LineEvaluator(table).evaluate(script));
        if (testing::Test::HasFailure())
            return;
    }
}

TEST(IncrementalEvaluationTest, AgreesWithAFullPassAfterRandomEdits) {
    expectAgreementAfterRandomEdits(variableLines, {});
}

// Going back restores the functions defined before the line as well as the variables.
TEST(IncrementalEvaluationTest, AgreesWithAFullPassAfterRandomEditsOfFunctions) {
    expectAgreementAfterRandomEdits(
        functionLines, {"f(x)=x+a", "g(x,y)=f(x)*y", "k(x)=x*c", "m(x)=f(x)+k(x)", "p(q)=q*e"},
        true);
}

} // namespace
