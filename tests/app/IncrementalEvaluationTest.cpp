// The live column's evaluation after edits must show what a pass over the whole script shows:
// random scripts, random edits, passes cut short by the next edit, compared after every edit.
#include "IncrementalEvaluation.h"
#include "LineEvaluator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

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
const char* const lineChoices[] = {
    "a=1",   "b=a+1", "a=a*2",   "c",      "x=y+1",   "y=x-1", "d=d+1", "1/0",
    "2*",    "",      "-0",      "a=-0*1", "e2=2e2",  "0/0",   "n=n*3", "k==1",
    "k=k+a", "b*b-a", "z1=z2+1", "z2=3",   "sqrt(b)", "a=(1",  "q",     "x",
};

QString randomLine(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, std::size(lineChoices) - 1);
    return QString::fromLatin1(lineChoices[pick(random)]);
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
}

TEST(IncrementalEvaluationTest, AgreesWithAFullPassAfterRandomEdits) {
    std::mt19937 random(20261208);
    const LangMap table = testTable();
    // Failing lines are rare enough that most passes reach the end of the script.
    QStringList lines;
    for (int i = 0; i < 400; ++i) {
        QString line = randomLine(random);
        lines.append(line == QLatin1String("2*") || line == QLatin1String("a=(1") || line.isEmpty()
                         ? QStringLiteral("a")
                         : line);
    }
    IncrementalEvaluation evaluation(table);
    std::uniform_int_distribution<int> action(0, 9);
    for (int edit = 0; edit < 300; ++edit) {
        std::uniform_int_distribution<int> at(0, int(lines.size()) - 1);
        const int line = at(random);
        switch (action(random)) {
        case 0:
            lines.insert(line, randomLine(random));
            break;
        case 1:
            if (lines.size() > 1)
                lines.removeAt(line);
            break;
        case 2:
            // A failing line comes and goes again with the next edit there.
            lines[line] = QStringLiteral("3*");
            break;
        default:
            lines[line] = action(random) < 5 ? randomLine(random) : QStringLiteral("a=a+1");
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

} // namespace
