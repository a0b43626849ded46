// Functions defined in the script: what every line shows, what the run gives, which names count
// as 0, and the errors, the same through the runner and the per-line evaluation.
#include "FunctionSampler.h"
#include "IncrementalEvaluation.h"
#include "LineEvaluator.h"
#include "ScriptRunner.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct DefinitionRow {
    const char* name;
    QString script;
    QStringList texts;          // every line's text in the column
    QStringList undefinedNames; // names that counted as 0
};

void PrintTo(const DefinitionRow& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class ScriptFunctionsTest : public testing::TestWithParam<DefinitionRow> {};

TEST_P(ScriptFunctionsTest, ShowEveryLineAndTheLastInTheResultBox) {
    const DefinitionRow& row = GetParam();
    const LineResults lines = LineEvaluator(testTable()).evaluate(row.script);
    const RunResult run = ScriptRunner(testTable()).run(row.script);
    EXPECT_EQ(lines.texts, row.texts);
    EXPECT_EQ(lines.undefinedNames, row.undefinedNames);
    ASSERT_TRUE(run.ok) << run.text.toStdString();
    EXPECT_TRUE(lines.run.ok);
    EXPECT_EQ(run.text, row.texts.constLast());
    EXPECT_EQ(lines.run.text, run.text);
    const bool definesLast = row.texts.constLast().endsWith(QLatin1Char(')'));
    EXPECT_EQ(run.definition, definesLast);
    EXPECT_EQ(lines.run.definition, definesLast);
}

const DefinitionRow kDefinitionRows[] = {
    {"definition_then_call", "f(x)=x^2+1\nf(3)", {"f(x)", "10"}, {}},
    {"definition_last", "f(x) = 2*x", {"f(x)"}, {}},
    {"signature_without_blanks", "g( a , b )=a*b\ng(2, 3)", {"g(a,b)", "6"}, {}},
    {"five_parameters", "s(a,b,c,d,e)=a+2*b+3*c+4*d+5*e\ns(1,2,3,4,5)", {"s(a,b,c,d,e)", "55"}, {}},
    {"redefinition_applies_below",
     "f(x)=x+1\nf(5)\nf(x)=2*x\nf(5)",
     {"f(x)", "6", "f(x)", "10"},
     {}},
    {"parameter_hides_variable", "x=10\nh(x)=x/2\nh(4)+x", {"10", "h(x)", "12"}, {}},
    {"variable_read_at_the_call", "a=2\nf(x)=a*x\na=3\nf(1)", {"2", "f(x)", "3", "3"}, {}},
    {"nesting", "sq(x)=x*x\nf(x)=sq(x)+1\nf(sq(2))", {"sq(x)", "f(x)", "17"}, {}},
    {"body_keeps_the_callee_it_saw",
     "g(x)=x+1\nf(x)=g(x)\ng(x)=x+100\nf(1)+g(1)",
     {"g(x)", "f(x)", "g(x)", "103"},
     {}},
    {"name_as_variable_and_function", "f=2\nf(x)=x+f\nf(f)", {"2", "f(x)", "4"}, {}},
    {"evaluation_errors_flow_as_values",
     "r(x)=sqrt(x)\nr(-1)\n1/r(0)",
     {"r(x)", "nan", "\u221e"},
     {}},
    {"body_variable_counts_as_zero_at_the_call", "f(x)=x+a\n1\nf(2)", {"f(x)", "1", "2"}, {"a"}},
    {"through_a_nested_body", "f(x)=x*k\ng(x)=f(x)+1\ng(2)", {"f(x)", "g(x)", "1"}, {"k"}},
    {"read_by_the_body_of_an_assigning_line", "f(x)=x*k\nk=f(2)", {"f(x)", "0"}, {"k"}},
    {"assigned_before_the_call", "f(x)=x*k\nk=3\nf(2)", {"f(x)", "3", "6"}, {}},
    {"never_a_parameter", "f(x)=x+1\nf(y)", {"f(x)", "1"}, {"y"}},
    {"call_is_no_read_of_a_variable", "f(x)=x\nf=f(3)\nf", {"f(x)", "3", "3"}, {}},
};

INSTANTIATE_TEST_SUITE_P(Script, ScriptFunctionsTest, testing::ValuesIn(kDefinitionRows),
                         RowName());

class RefusedDefinitionTest : public testing::TestWithParam<FailureRow> {};

// The run stops at the line, in the column as in the result box.
TEST_P(RefusedDefinitionTest, FailsAtItsLineAndPosition) {
    const FailureRow& row = GetParam();
    const RunResult run = ScriptRunner(testTable()).run(row.script + QStringLiteral("\n1"));
    ASSERT_FALSE(run.ok);
    EXPECT_EQ(run.line, row.line);
    EXPECT_EQ(run.code, row.code);
    EXPECT_EQ(run.position, row.position);
    EXPECT_EQ(run.key, row.key);
    EXPECT_EQ(run.token, row.token);
    const LineResults lines =
        LineEvaluator(testTable()).evaluate(row.script + QStringLiteral("\n1"));
    EXPECT_EQ(lines.run.text, run.text);
    EXPECT_EQ(lines.run.position, run.position);
    EXPECT_EQ(lines.texts.at(row.line - 1), QString());
    EXPECT_EQ(lines.texts.constLast(), QString());
}

const FailureRow kRefusedRows[] = {
    {"recursion", "f(x)=f(x-1)", 1, 27, 5, "IDS_FUNCTION_E01", "f"},
    {"forward_call", "f(x)=g(x)\ng(x)=x", 1, 27, 5, "IDS_FUNCTION_E01", "g"},
    {"recursion_through_redefinition", "f(x)=x\nf(x)=2*f(x)", 2, 27, 7, "IDS_FUNCTION_E01", "f"},
    {"built_in_name", "x=1\nsqrt(x)=x", 2, 27, 0, "IDS_FUNCTION_E02", "sqrt"},
    {"syntax_error_in_the_body", "f(x)=x*(2", 1, 11, 10, "IDS_PARSE_E08", ")"},
    {"assignment_in_the_body", "f(x)=a=x", 1, 27, 6, "IDS_FUNCTION_E03", "="},
    {"too_many_arguments", "f(x)=x\nf(1,2)", 2, 14, 5, "IDS_PARSE_E09", "f"},
    {"too_few_arguments", "g(x,y)=x\n1\ng(1)", 3, 15, 3, "IDS_PARSE_E10", "g"},
    {"variable_called", "f=2\nf(1)", 2, 7, 1, "IDS_PARSE_E04", "("},
    {"six_parameters_are_no_definition", "f(a,b,c,d,e,g)=1", 1, 7, 1, "IDS_PARSE_E04", "("},
};

INSTANTIATE_TEST_SUITE_P(Script, RefusedDefinitionTest, testing::ValuesIn(kRefusedRows), RowName());

TEST(FunctionSampler, SamplesADefinedFunctionWithTheRunsVariables) {
    ScriptRun run(testTable());
    run.addLines(u"a=3\nf(x)=a*x*x+1\ng(t)=f(t)-a");
    ASSERT_TRUE(run.finish().ok);
    FunctionSampler sampler(testTable());
    ASSERT_TRUE(sampler.setExpression(QStringLiteral("g(x)+x"), QStringLiteral("x"),
                                      &run.functions(),
                                      [&run](std::string_view name) { return run.variable(name); }))
        << sampler.error().toStdString();
    const std::vector<double> xs{-2.0, -0.5, 0.0, 1e-3, 7.0};
    std::vector<double> ys(xs.size());
    sampler.sample(xs.data(), ys.data(), int(xs.size()));
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_EQ(ys[i], 3 * xs[i] * xs[i] + 1 - 3 + xs[i]) << xs[i];
    // The sampler's copy of a changes the values without compiling again; the run keeps its own.
    ASSERT_NE(sampler.variable(QStringLiteral("a")), nullptr);
    EXPECT_EQ(sampler.variable(QStringLiteral("x")), nullptr);
    *sampler.variable(QStringLiteral("a")) = 0.5;
    sampler.sample(xs.data(), ys.data(), int(xs.size()));
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_EQ(ys[i], 0.5 * xs[i] * xs[i] + 1 - 0.5 + xs[i]) << xs[i];
    EXPECT_EQ(run.variable("a"), 3.0);
}

TEST(FunctionSampler, SamplesTheFunctionsOfAnEvaluationThatWentBack) {
    IncrementalEvaluation evaluation(testTable());
    evaluation.addLine(u"f(x)=x+1");
    evaluation.addLine(u"f(1)");
    evaluation.linesChanged(0);
    evaluation.addLine(u"f(x)=10*x");
    FunctionSampler sampler;
    ASSERT_TRUE(sampler.setExpression(QStringLiteral("f(t)"), QStringLiteral("t"),
                                      &evaluation.functions(), {}));
    EXPECT_EQ(sampler.valueAt(4.0), 40.0);
}

TEST(FunctionSampler, ReportsAnExpressionThatDoesNotCompile) {
    FunctionSampler sampler(testTable());
    EXPECT_FALSE(sampler.setExpression(QStringLiteral("2*(x"), QStringLiteral("x"), nullptr, {}));
    EXPECT_FALSE(sampler.ok());
    EXPECT_EQ(sampler.error(), QStringLiteral("IDS_PARSE_E08 [)]"));
    EXPECT_EQ(sampler.errorPosition(), 5);
    EXPECT_TRUE(std::isnan(sampler.valueAt(1.0)));
}

TEST(FunctionSampler, UsesTheRunsAngleUnit) {
    FunctionSampler sampler({}, mu::AngleUnit::Degrees);
    ASSERT_TRUE(sampler.setExpression(QStringLiteral("sin(x)"), QStringLiteral("x"), nullptr, {}));
    EXPECT_EQ(sampler.valueAt(90.0), 1.0);
}

} // namespace
