// Values of expressions through all three routines: the compiling first evaluation, the bytecode
// or constant on later ones, with folding on and off, and after the variables change.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mu;
using namespace enginetest;

namespace {

constexpr double c_fInf = std::numeric_limits<double>::infinity();
constexpr double c_fNaN = std::numeric_limits<double>::quiet_NaN();

struct ValueRow {
    const char* name;
    const char* expr;
    double expected;
};

void PrintTo(const ValueRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

// Variables a=1, b=2, c=3, x=4 unless a row assigns them.
class ExpressionValues : public ::testing::TestWithParam<ValueRow> {
protected:
    void Bind(EngineTestParser& a_Parser) {
        a_Parser.AddVariable("a", &a);
        a_Parser.AddVariable("b", &b);
        a_Parser.AddVariable("c", &c);
        a_Parser.AddVariable("x", &x);
    }
    void SetVariables(double a_fA, double a_fB, double a_fC, double a_fX) {
        a = a_fA;
        b = a_fB;
        c = a_fC;
        x = a_fX;
    }

    double a = 1, b = 2, c = 3, x = 4;
};

TEST_P(ExpressionValues, AgreeThroughCompileBytecodeAndWithoutFolding) {
    const ValueRow& row = GetParam();
    for (const bool bFolding : {true, false}) {
        SCOPED_TRACE(bFolding ? "folding on" : "folding off");
        SetVariables(1, 2, 3, 4);
        EngineTestParser parser;
        Bind(parser);
        parser.SetFolding(bFolding);
        parser.SetExpression(row.expr);
        const double fCompiled = parser.Evaluate();
        EXPECT_PRED2(SameValue, fCompiled, row.expected);
        SetVariables(1, 2, 3, 4);
        const double fRun = parser.Evaluate();
        EXPECT_PRED2(SameValue, fRun, fCompiled);
    }
}

TEST_P(ExpressionValues, BytecodeFollowsChangedVariables) {
    const ValueRow& row = GetParam();
    EngineTestParser parser;
    Bind(parser);
    parser.SetExpression(row.expr);
    parser.Evaluate();

    SetVariables(-2.5, 7, 0.5, 11);
    const double fRun = parser.Evaluate();

    SetVariables(-2.5, 7, 0.5, 11);
    EngineTestParser fresh;
    Bind(fresh);
    fresh.SetExpression(row.expr);
    EXPECT_PRED2(SameValue, fRun, fresh.Evaluate());
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ExpressionValues,
    ::testing::Values(
        ValueRow{"Sum", "1+2", 3}, ValueRow{"ProductFirst", "1+2*3", 7},
        ValueRow{"Brackets", "(1+2)*3", 9}, ValueRow{"PowerGroupsLeft", "2^3^2", 64},
        ValueRow{"SubtractionGroupsLeft", "10-4-3", 3}, ValueRow{"VariablesGroupLeft", "x-b-a", 1},
        ValueRow{"SignBelowPower", "-2^2", -4}, ValueRow{"SignWithProduct", "-2*3", -6},
        ValueRow{"SignOfBracket", "-(1+2)", -3}, ValueRow{"SignOfFunction", "-sq(2)", -4},
        ValueRow{"SignInArgument", "sq(-2)", 4}, ValueRow{"MinusSign", "1--1", 2},
        ValueRow{"PowerOfSign", "2^-1", 0.5}, ValueRow{"SignOfComplement", "-(~1)", 2},
        ValueRow{"WorkedExample", "2*(3+x)", 14}, ValueRow{"WorkedExampleConstant", "2*(3+3)", 12},
        ValueRow{"FoldsPartly", "x+2*3", 10}, ValueRow{"FoldedCallBeforeVariable", "sin(0)+a", 1},
        ValueRow{"Fun0", "f0()", 42}, ValueRow{"Fun0InSum", "f0()+a", 43},
        ValueRow{"Fun1", "sq(3)", 9}, ValueRow{"Fun2SourceOrder", "sub(10,3)", 7},
        ValueRow{"Fun3SourceOrder", "f3(1,2,3)", 123},
        ValueRow{"Fun4SourceOrder", "f4(1,2,3,4)", 1234},
        ValueRow{"Fun5SourceOrder", "f5(1,2,3,4,5)", 12345},
        ValueRow{"Fun3OfVariables", "f3(c,b,a)", 321}, ValueRow{"FunN", "sum(1,2,3)", 6},
        ValueRow{"FunNOfVariables", "sum(a,b,c,x)", 10},
        ValueRow{"FunNOfExpressions", "sum(a*2,(b+1),sq(c))", 14},
        ValueRow{"NestedCalls", "sub(sq(x),sub(c,a))", 14},
        ValueRow{"StrFun0", "strlen(\"abc\")", 3}, ValueRow{"StrFun1", "strplus(\"ab\",x)", 6},
        ValueRow{"StrFun2SourceOrder", "strpos(\"abc\",a,b)", 312},
        ValueRow{"StringConstant", "strlen(greeting)+a", 6},
        ValueRow{"EscapedQuote", "strlen(\"a\\\"b\")", 3},
        ValueRow{"EmptyString", "strlen(\"\")", 0}, ValueRow{"Postfix", "3m+5", 3005},
        ValueRow{"PostfixAfterBracket", "(a+1)m", 2000}, ValueRow{"UserBinary", "7 mod 3", 1},
        ValueRow{"UserBinaryOfVariables", "x mod c", 1},
        ValueRow{"UserBinaryBeforeBracket", "7 mod (3)^2", 7},
        ValueRow{"UserBinaryLetterRun", "7mod 4", 3}, ValueRow{"Constant", "c10*2", 20},
        ValueRow{"LessEqual", "2<=2", 1}, ValueRow{"GreaterEqual", "3>=4", 0},
        ValueRow{"NotEqual", "1!=1", 0}, ValueRow{"Equal", "a==1", 1}, ValueRow{"Less", "1<2", 1},
        ValueRow{"Greater", "2>b", 0}, ValueRow{"ComparisonBelowSum", "1+1==2", 1},
        ValueRow{"And", "5 and 3", 1}, ValueRow{"Or", "6 or 3", 7}, ValueRow{"Xor", "6 xor 3", 5},
        ValueRow{"AndTruncates", "2.9 and 3", 2}, ValueRow{"AndTruncatesFraction", "5.9 and 3", 1},
        ValueRow{"OrTruncatesTowardZero", "-1.5 or 0", -1},
        ValueRow{"LogicBelowComparison", "1<2 and 3>2", 1},
        ValueRow{"AndSaturatesLarge", "1e10 and 7", 7},
        ValueRow{"OrSaturatesNegative", "-1e10 or 0", -2147483648.0},
        ValueRow{"XorOfNaNIsZero", "(0/0) xor 5", 5}, ValueRow{"AndOfInfinity", "(1/0) and 1", 1},
        ValueRow{"DivisionByZero", "1/0", c_fInf}, ValueRow{"NaN", "0/0", c_fNaN},
        ValueRow{"NaNIsUnequal", "(0/0)!=(0/0)", 1}, ValueRow{"NaNIsNotEqual", "(0/0)==(0/0)", 0},
        ValueRow{"NaNComparesFalse", "(0/0)<=1", 0}, ValueRow{"Assignment", "a=5", 5},
        ValueRow{"AssignmentOfExpression", "x=a+b*c", 7},
        ValueRow{"AssignmentInBracket", "(a=5)+1", 6}, ValueRow{"SignOfAssignment", "-(a=5)", -5},
        ValueRow{"AssignmentThenUse", "sq(a=3)+a", 12},
        ValueRow{"ReadBeforeAssignment", "a+(a=3)", 4},
        ValueRow{"ReadBeforeAssignmentInCall", "sub(a,(a=3))", -2},
        ValueRow{"LineFeedEndsText", "1\n2", 1},
        ValueRow{"BlanksEverywhere", "  1 +  sq ( 2 )  ", 5},
        ValueRow{"DeepBrackets", "((((((a))))))", 1}),
    RowName());

// 2*(3+x) with a user function: the compile path, the bytecode path and, with a constant in
// place of x, the constant path all agree with each other and with the arithmetic.
TEST(ThreePaths, UserFunctionExpressionAgreesEverywhere) {
    double x = 4;
    EngineTestParser parser;
    parser.AddVariable("x", &x);
    parser.AddFunction("twice", [](double v) { return 2 * v; });

    parser.SetExpression("twice(3+x)");
    EXPECT_EQ(parser.Evaluate(), 14);
    EXPECT_EQ(parser.Evaluate(), 14);
    x = 5;
    EXPECT_EQ(parser.Evaluate(), 16);

    parser.SetExpression("twice(3+4)");
    EXPECT_EQ(parser.Evaluate(), 14);
    EXPECT_EQ(parser.Bytecode().Size(), 6u);
    EXPECT_EQ(parser.Evaluate(), 14);

    parser.SetExpression("2*(3+x)");
    x = 4;
    EXPECT_EQ(parser.Evaluate(), 14);
    EXPECT_EQ(parser.Evaluate(), 14);
}

TEST(Assignment, TakesEffectWhileCompilingAndAgainOnEveryRun) {
    double a = 0;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("a=5");
    EXPECT_EQ(parser.Evaluate(), 5);
    EXPECT_EQ(a, 5);
    a = 0;
    EXPECT_EQ(parser.Evaluate(), 5);
    EXPECT_EQ(a, 5);
}

TEST(Assignment, StaysInTheVariableWhenALaterPartFails) {
    double a = 0;
    double b = 2;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    const ParserError e = ErrorOf(parser, "a=b=3");
    EXPECT_EQ(e.code(), peUNEXPECTED_OPERATOR);
    EXPECT_EQ(a, 2);
}

double g_fBumped = 0;

// Operands are read in source order in the compile pass as in the bytecode, even when a call
// later in the expression changes a variable already read.
TEST(Assignment, OperandsAreReadInSourceOrder) {
    EngineTestParser parser;
    parser.AddVariable("g", &g_fBumped);
    parser.AddFunction(
        "bump", [] { return g_fBumped += 10; }, false);
    parser.SetExpression("g+bump()+g");
    g_fBumped = 1;
    EXPECT_EQ(parser.Evaluate(), 1 + 11 + 11);
    g_fBumped = 1;
    EXPECT_EQ(parser.Evaluate(), 1 + 11 + 11);
}

TEST(Folding, NonFoldableFunctionRunsAtEveryEvaluation) {
    EngineTestParser parser;
    parser.SetExpression("ticks()+1");
    g_iTicks = 0;
    EXPECT_EQ(parser.Evaluate(), 2);
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(parser.Evaluate(), 4);
}

TEST(Folding, FoldableFunctionWithoutArgumentsIsFixedAtCompileTime) {
    EngineTestParser parser;
    parser.AddFunction("tick", Ticks, true);
    parser.SetExpression("tick()");
    g_iTicks = 0;
    EXPECT_EQ(parser.Evaluate(), 1);
    EXPECT_EQ(parser.Evaluate(), 1);
}

TEST(MultiArgument, ReceivesTheArgumentsInSourceOrder) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("args(a, a+1, a+2)");
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(g_vLastN, (std::vector<double>{1, 2, 3}));
    a = 10;
    g_vLastN.clear();
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(g_vLastN, (std::vector<double>{10, 11, 12}));
}

TEST(StringFunction, ReceivesTheLiteralAtEveryRun) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("strplus(\"xyz\", a) + strlen(\"q\\\"\")");
    EXPECT_EQ(parser.Evaluate(), 6);
    g_sLastString.clear();
    a = 2;
    EXPECT_EQ(parser.Evaluate(), 7);
    EXPECT_EQ(g_sLastString, "q\"");
}

TEST(BytecodeSwitch, OffCompilesEveryTime) {
    EngineTestParser parser;
    parser.SetBytecodeEnabled(false);
    parser.SetExpression("1+2");
    g_iNumberReads = 0;
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(g_iNumberReads, 4);

    parser.SetBytecodeEnabled(true);
    g_iNumberReads = 0;
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(parser.Evaluate(), 3);
    EXPECT_EQ(g_iNumberReads, 2);
}

} // namespace
