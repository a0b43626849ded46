// The live column's evaluation after edits must show what a pass over the whole script shows:
// random scripts, random edits, passes cut short by the next edit, compared after every edit.
#include "IncrementalEvaluation.h"
#include "LineEvaluator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <span>

namespace {

// Few names, so that lines read and assign each other's; failing, empty, NaN and -0 lines.
const char* const lineChoices[] = {
    "a=1",   "b=a+1", "a=a*2",   "c",      "x=y+1",   "y=x-1", "d=d+1", "1/0",
    "2*",    "",      "-0",      "a=-0*1", "e2=2e2",  "0/0",   "n=n*3", "k==1",
    "k=k+a", "b*b-a", "z1=z2+1", "z2=3",   "sqrt(b)", "a=(1",  "q",     "x",
};

// Lines that assign fresh values often, so that an edit's effect dies out a little further
// down, while a value it changed may still be read far below.
const char* const settlingChoices[] = {
    "a=1",   "a=2", "b=a+1", "c=b*2",  "a",   "b", "c",
    "b=c-a", "1/0", "-0",    "c=-0*1", "0/0", "z", "a=b",
};

// Definitions that come, go and change between calls; bodies reading names nothing assigned yet;
// failing definitions and calls.
const char* const functionChoices[] = {
    "f(x)=x+a",   "f(x)=2*x",  "g(x,y)=f(x)*y", "k(x)=x*c",  "a=f(1)",   "b=g(2,a)",
    "f(b)",       "g(1,2)",    "c=k(2)+1",      "f=f(3)",    "f",        "m(x)=f(x)+k(x)",
    "m(a)",       "h(x)=h(x)", "f(1,2)",        "a=a+1",     "k(x)=x/d", "d=m(2)",
    "g(x,y)=x-y", "p(q)=q*e",  "p(2)+g(e,1)",   "n(x)=u(x)", "2*",       "",
};

// The choices that always fail, kept out of the first script.
const QStringList failingLines = {"2*", "a=(1", "", "h(x)=h(x)", "f(1,2)", "n(x)=u(x)"};

QString randomLine(std::mt19937& random, std::span<const char* const> choices) {
    std::uniform_int_distribution<std::size_t> pick(0, choices.size() - 1);
    return QString::fromLatin1(choices[pick(random)]);
}

void expectSameResults(const LineResults& incremental, const LineResults& full) {
    ASSERT_EQ(incremental.texts, full.texts);
    EXPECT_EQ(incremental.run.ok, full.run.ok);
    EXPECT_EQ(incremental.run.text, full.run.text);
    EXPECT_EQ(incremental.run.line, full.run.line);
    EXPECT_EQ(incremental.run.position, full.run.position);
    EXPECT_EQ(incremental.run.key, full.run.key);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(incremental.run.value),
              std::bit_cast<std::uint64_t>(full.run.value));
    EXPECT_EQ(incremental.undefinedNames, full.undefinedNames);
    EXPECT_EQ(incremental.run.definition, full.run.definition);
}

// Random edits of a random script, each pass compared with a full one. precise: the evaluation
// is told which lines each edit replaced, so passes may take over the previous pass's results;
// returns how often they did. No edit touches the lines of prelude; with mend, a failing line
// is mended before the next edit, so that passes go deep.
int agreeAfterRandomEdits(bool precise, std::span<const char* const> pool, int lineCount,
                          bool failing = true, const QStringList& prelude = {}, bool mend = false) {
    std::mt19937 random(20261208);
    const LangMap table = testTable();
    // Failing lines are rare enough that most passes reach the end of the script.
    QStringList lines = prelude;
    for (int i = 0; i < lineCount; ++i) {
        const QString line = randomLine(random, pool);
        lines.append(failingLines.contains(line) ? QStringLiteral("a") : line);
    }
    IncrementalEvaluation evaluation(table);
    int takenOver = 0;
    std::uniform_int_distribution<int> action(0, 9);
    for (int edit = 0; edit < 300; ++edit) {
        if (mend && evaluation.failed()) {
            const int failed = evaluation.results(int(lines.size())).run.line - 1;
            lines[failed] = QStringLiteral("a");
            if (precise)
                evaluation.linesReplaced(failed, 1, 1);
            else
                evaluation.linesChanged(failed);
        }
        std::uniform_int_distribution<int> at(int(prelude.size()), int(lines.size()) - 1);
        const int line = at(random);
        int removed = 1, added = 1;
        switch (action(random)) {
        case 0:
            lines.insert(line, randomLine(random, pool));
            removed = 0;
            break;
        case 1:
            if (lines.size() > prelude.size() + 1) {
                lines.removeAt(line);
                added = 0;
            }
            break;
        case 2:
            // A failing line comes and goes again with the next edit there.
            lines[line] = failing ? QStringLiteral("3*") : randomLine(random, pool);
            break;
        case 3:
            // Two lines become three.
            if (line + 1 < lines.size()) {
                lines[line] = randomLine(random, pool);
                lines[line + 1] = randomLine(random, pool);
                lines.insert(line + 2, randomLine(random, pool));
                removed = 2;
                added = 3;
            }
            break;
        default:
            lines[line] = action(random) < 5 ? randomLine(random, pool) : QStringLiteral("a=a+1");
            break;
        }
        if (precise)
            evaluation.linesReplaced(line, removed, added);
        else
            evaluation.linesChanged(std::min(line, int(lines.size()) - 1));
        // Every third pass is cut short by the next edit.
        const int stop = edit % 3 == 0 ? std::min(int(lines.size()), evaluation.nextLine() + 97)
                                       : int(lines.size());
        while (!evaluation.failed() && evaluation.nextLine() < stop) {
            const int next = evaluation.nextLine();
            evaluation.addLine(lines.at(next));
            takenOver += evaluation.nextLine() > next + 1;
        }
        if (evaluation.nextLine() < lines.size() && !evaluation.failed())
            continue;
        evaluation.passEnded();
        const QString script = lines.join(QLatin1Char('\n'));
        SCOPED_TRACE(edit);
        expectSameResults(evaluation.results(int(lines.size())),
                          LineEvaluator(table).evaluate(script));
        if (testing::Test::HasFailure())
            return takenOver;
    }
    return takenOver;
}

TEST(IncrementalEvaluationTest, AgreesWithAFullPassAfterRandomEdits) {
    agreeAfterRandomEdits(false, lineChoices, 400);
}

// Going back restores the functions defined before the line as well as the variables, and a
// pass never takes over results that other definitions gave.
TEST(IncrementalEvaluationTest, AgreesWithAFullPassAfterRandomEditsOfFunctions) {
    const QStringList prelude = {"f(x)=x+a", "g(x,y)=f(x)*y", "k(x)=x*c", "m(x)=f(x)+k(x)",
                                 "p(q)=q*e"};
    agreeAfterRandomEdits(false, functionChoices, 400, true, prelude, true);
    agreeAfterRandomEdits(true, functionChoices, 400, true, prelude, true);
    agreeAfterRandomEdits(true, functionChoices, 400);
}

TEST(IncrementalEvaluationTest, AgreesWithAFullPassWhenTakingOverThePreviousPass) {
    EXPECT_GT(agreeAfterRandomEdits(true, lineChoices, 400), 0);
    EXPECT_GT(agreeAfterRandomEdits(true, settlingChoices, 1000, false), 100);
}

// A call without its argument fails before the line has any code.
TEST(IncrementalEvaluationTest, ALineFailingBeforeItHasCodeEndsThePass) {
    const LineResults results = LineEvaluator(testTable()).evaluate(QStringLiteral("sin()"));
    EXPECT_FALSE(results.run.ok);
    EXPECT_EQ(results.run.line, 1);
}

// A value that differs from the previous pass's, but that no later line mentions, lets the pass
// take over; a line added later that reads it must see the new value.
TEST(IncrementalEvaluationTest, AValueNoLaterLineMentionsMayDifferAndStaysRight) {
    const LangMap table = testTable();
    QStringList lines{QStringLiteral("t=1")};
    for (int i = 0; i < 1000; ++i)
        lines.append(QStringLiteral("s=s+1"));
    IncrementalEvaluation evaluation(table);
    const auto feedAll = [&] {
        while (!evaluation.failed() && evaluation.nextLine() < lines.size())
            evaluation.addLine(lines.at(evaluation.nextLine()));
        evaluation.passEnded();
    };
    feedAll();
    lines[0] = QStringLiteral("t=2");
    evaluation.linesReplaced(0, 1, 1);
    evaluation.addLine(lines.at(0));
    int fed = 1;
    while (evaluation.nextLine() < lines.size()) {
        evaluation.addLine(lines.at(evaluation.nextLine()));
        ++fed;
    }
    EXPECT_LT(fed, 200);
    evaluation.passEnded();
    lines.append(QStringLiteral("t"));
    evaluation.linesReplaced(int(lines.size()) - 2, 1, 2);
    feedAll();
    expectSameResults(evaluation.results(int(lines.size())),
                      LineEvaluator(table).evaluate(lines.join(QLatin1Char('\n'))));
}

} // namespace
