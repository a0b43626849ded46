// The pre-decoded form that later evaluations run (ParserProgram) against the plain walk over
// the bytecode words and against the compile pass: same values, bit for bit, and the same
// variables written, on random expressions and on the cases the translation must get right.
#include "Parser.h"
#include "TestParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace mu;
using namespace enginetest;

namespace {

// Random expressions over the test parser's whole vocabulary: literals, the variables a, b, c and
// x, every built-in operator, brackets, assignments to x, the sign, the postfix "m", the user
// operator "mod", functions of every arity, a multi-argument function, string functions and the
// non-foldable "ticks".
class ExpressionGenerator {
public:
    explicit ExpressionGenerator(unsigned a_iSeed) : m_Random(a_iSeed) {}

    std::string Expression(int a_iDepth) {
        if (a_iDepth <= 0 || Pick(4) == 0) {
            return Operand();
        }
        switch (Pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
            return Expression(a_iDepth - 1) + BinaryOperator() + Expression(a_iDepth - 1);
        case 4:
            return "(" + Expression(a_iDepth - 1) + ")";
        case 5:
            return "-(" + Expression(a_iDepth - 1) + ")";
        case 6:
            return "(x=" + Expression(a_iDepth - 1) + ")";
        case 7:
            return "(" + Expression(a_iDepth - 1) + ")m";
        case 8:
            return Call(a_iDepth - 1);
        default:
            return Expression(a_iDepth - 1) + " mod " + Expression(a_iDepth - 1);
        }
    }

private:
    int Pick(int a_iCount) { return std::uniform_int_distribution<int>(0, a_iCount - 1)(m_Random); }

    std::string Operand() {
        static const char* const aszOperands[] = {
            "a", "b", "c", "x", "0", "1", "2", "0.5", "3.25", "1e3", "c10", "f0()", "ticks()"};
        return aszOperands[Pick(sizeof(aszOperands) / sizeof(aszOperands[0]))];
    }

    std::string BinaryOperator() {
        static const char* const aszOperators[] = {"+",  "-",  "*",  "/",    "^",    "<=",
                                                   ">=", "!=", "==", "<",    ">",    " and ",
                                                   "+",  "*",  "-",  " or ", " xor "};
        return aszOperators[Pick(sizeof(aszOperators) / sizeof(aszOperators[0]))];
    }

    std::string Call(int a_iDepth) {
        switch (Pick(8)) {
        case 0:
            return "sq(" + Expression(a_iDepth) + ")";
        case 1:
            return "sin(" + Expression(a_iDepth) + ")";
        case 2:
            return "sub(" + Expression(a_iDepth) + "," + Expression(a_iDepth) + ")";
        case 3:
            return "f3(" + Expression(a_iDepth) + "," + Expression(a_iDepth) + "," +
                   Expression(a_iDepth) + ")";
        case 4:
            return "f5(" + Expression(a_iDepth) + ",1," + Expression(a_iDepth) + ",b," +
                   Expression(a_iDepth) + ")";
        case 5: {
            std::string sCall = "sum(" + Expression(a_iDepth);
            for (int i = Pick(4); i > 0; --i) {
                sCall += "," + Expression(a_iDepth);
            }
            return sCall + ")";
        }
        case 6:
            return "strplus(\"abc\"," + Expression(a_iDepth) + ")";
        default:
            return "strpos(greeting," + Expression(a_iDepth) + "," + Expression(a_iDepth) + ")";
        }
    }

    std::mt19937 m_Random;
};

// The variables of one run and the state a run leaves in them.
struct Variables {
    double a = 0, b = 0, c = 0, x = 0;

    void Bind(ParserBase& a_Parser) {
        a_Parser.AddVariable("a", &a);
        a_Parser.AddVariable("b", &b);
        a_Parser.AddVariable("c", &c);
        a_Parser.AddVariable("x", &x);
    }
    void Set(const double (&a_afValues)[4]) {
        a = a_afValues[0];
        b = a_afValues[1];
        c = a_afValues[2];
        x = a_afValues[3];
        g_iTicks = 100;
    }
    bool SameAs(const Variables& a_Other) const {
        return SameBits(a, a_Other.a) && SameBits(b, a_Other.b) && SameBits(c, a_Other.c) &&
               SameBits(x, a_Other.x);
    }
};

struct RandomRow {
    const char* name;
    unsigned seed;
    bool folding;
};

void PrintTo(const RandomRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class RandomExpressions : public ::testing::TestWithParam<RandomRow> {};

// For each expression and several variable states: the compile pass, the pre-decoded form and
// the word walk give the same value and leave the same variables.
TEST_P(RandomExpressions, PreDecodedFormAgreesWithBytecodeWalkAndCompilePass) {
    static const double aafStates[][4] = {
        {1.5, -2.25, 3, 0},
        {0, -0.0, 7, -1},
        {-3, 1e300, -1e-300, 2.5},
        {std::numeric_limits<double>::quiet_NaN(), 4, std::numeric_limits<double>::infinity(), 6},
        {1e-310, -1.4e154, -std::numeric_limits<double>::infinity(), 1e154}};
    ExpressionGenerator generator(GetParam().seed);
    Variables vars;
    EngineTestParser parser;
    vars.Bind(parser);
    parser.SetFolding(GetParam().folding);
    int iChecked = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string sExpr = generator.Expression(1 + i % 6);
        for (const auto& afState : aafStates) {
            vars.Set(afState);
            double fCompiled = 0;
            try {
                parser.SetExpression(sExpr);
                fCompiled = parser.Evaluate();
            } catch (const ParserError&) {
                break; // some random texts are not expressions ("(x=...)" on a non-variable)
            }
            const Variables afterCompile = vars;

            vars.Set(afState);
            const double fFast = parser.Evaluate();
            const Variables afterFast = vars;
            const bool bConstant =
                parser.Bytecode().Size() == 6 && parser.Bytecode().Code()[1] == cmVAL;
            ASSERT_TRUE(bConstant || parser.Program().IsReady()) << sExpr;

            vars.Set(afState);
            const double fWalked = bConstant ? fCompiled : parser.InterpretBytecode();
            const Variables afterWalk = vars;

            ASSERT_TRUE(SameBits(fFast, fWalked)) << sExpr << ": " << fFast << " vs " << fWalked;
            ASSERT_TRUE(SameBits(fFast, fCompiled))
                << sExpr << ": " << fFast << " vs " << fCompiled;
            ASSERT_TRUE(afterFast.SameAs(afterWalk)) << sExpr;
            ASSERT_TRUE(afterFast.SameAs(afterCompile)) << sExpr;
            ++iChecked;
        }
    }
    EXPECT_GT(iChecked, 4000); // most random texts are expressions
}

INSTANTIATE_TEST_SUITE_P(Engine, RandomExpressions,
                         ::testing::Values(RandomRow{"Folding", 11, true},
                                           RandomRow{"NoFolding", 12, false},
                                           RandomRow{"FoldingOtherSeed", 13, true}),
                         RowName());

// A function with a side effect on a variable, which only the translation's care keeps from
// changing results: the bytecode reads a variable at its entry, before later calls.
double g_fSide = 0;
double SetSide(double a_fVal) {
    g_fSide = a_fVal;
    return a_fVal;
}

struct OrderRow {
    const char* name;
    const char* expr;
};

void PrintTo(const OrderRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ReadOrder : public ::testing::TestWithParam<OrderRow> {};

TEST_P(ReadOrder, VariablesAreReadWhereTheBytecodeReadsThem) {
    EngineTestParser parser;
    parser.AddVariable("g", &g_fSide);
    parser.AddFunction("setg", SetSide, false);
    double a = 2;
    parser.AddVariable("a", &a);
    parser.SetExpression(GetParam().expr);
    a = 2;
    g_fSide = 1;
    const double fCompiled = parser.Evaluate();
    for (int i = 0; i < 2; ++i) {
        a = 2;
        g_fSide = 1;
        const double fFast = parser.Evaluate();
        const double fAfterFast = g_fSide;
        const double fAFast = a;
        a = 2;
        g_fSide = 1;
        EXPECT_TRUE(SameBits(fFast, parser.InterpretBytecode()));
        EXPECT_EQ(fAfterFast, g_fSide);
        EXPECT_EQ(fAFast, a);
        EXPECT_TRUE(SameBits(fFast, fCompiled));
    }
    EXPECT_TRUE(parser.Program().IsReady());
}

INSTANTIATE_TEST_SUITE_P(Engine, ReadOrder,
                         ::testing::Values(OrderRow{"ReadBeforeCall", "g+setg(5)"},
                                           OrderRow{"ReadBeforeCallDeep", "g*(g+(a-setg(7)))"},
                                           OrderRow{"ReadBeforeAssignment", "a+(a=3)"},
                                           OrderRow{"ReadBeforeAssignmentDeep", "a*(2+(a=3)*a)"},
                                           OrderRow{"AssignedValueStaysAfterNextAssignment",
                                                    "(a=3)+(a=4)"},
                                           OrderRow{"ArgumentsReadBeforeCall", "sub(g,setg(9))+g"},
                                           OrderRow{"MultiArgumentCall", "sum(g,a,setg(4),g)"},
                                           OrderRow{"SelfAssignment", "a=a"}),
                         RowName());

// The number of instructions shows which steps were fused; the last one returns, no separate
// return is dispatched.
struct ShapeRow {
    const char* name;
    const char* expr;
    std::size_t instructions;
};

void PrintTo(const ShapeRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ProgramShape : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(ProgramShape, FusesStepsOnTheAccumulator) {
    double a = 1.5, b = -2, c = 4;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    parser.SetExpression(GetParam().expr);
    const double fCompiled = parser.Evaluate();
    EXPECT_TRUE(SameBits(parser.Evaluate(), fCompiled));
    ASSERT_TRUE(parser.Program().IsReady());
    EXPECT_EQ(parser.Program().Size(), GetParam().instructions);
    EXPECT_GE(parser.Program().Code().back().m_iOp, ParserProgram::c_iReturning);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ProgramShape,
    ::testing::Values(ShapeRow{"Variable", "a", 1},                   // load
                      ShapeRow{"ProductThenSum", "a+b*c", 1},         // (b*c)+a
                      ShapeRow{"PairOfPairs", "(a+1)*(b+2)", 2},      // a+1, acc*(b+2)
                      ShapeRow{"Chain", "((a*2+1)*a+3)*a", 3},        // (a*2)+1, (acc*a)+3, acc*a
                      ShapeRow{"RightOperandComputed", "a-sq(b)", 3}, // copy a, sq(b), a-acc
                      ShapeRow{"Spill", "sq(a)+sq(b)", 4},            // sq, store, sq, add
                      ShapeRow{"ThreeArguments", "f3(a,b,c)", 4},     // three copies, call
                      ShapeRow{"SquareInPlace", "sq(a)^2", 2}),       // sq, square
    RowName());

// Expressions that between them use every operation of the pre-decoded form (abs and sqrt are
// the standard parser's, below). The run loop finds an operation's code by its position in a
// table, so a slip in that table would run one operation as another: the values tell.
TEST(FastExecution, EveryOperationRunsAsItsWalkedBytecode) {
    std::vector<std::string> vExprs = {"a",         "a=b",         "a=sq(b)",          "f3(a,b,c)",
                                       "sq(sq(a))", "sq(a)+sq(b)", "strplus(\"x\",a)", "sum(a,b,c)",
                                       "a^2",       "sq(a)^2"};
    const char* const aszArith[] = {"+", "-", "*", "/"};
    for (const char* szOuter : {"+", "-", "*", "/", "^", "<", " and "}) {
        vExprs.push_back(std::string("a") + szOuter + "b");     // both in memory
        vExprs.push_back(std::string("sq(a)") + szOuter + "b"); // accumulator left
        vExprs.push_back(std::string("b") + szOuter + "sq(a)"); // accumulator right
        for (const char* szInner : aszArith) {
            if (std::string(szOuter).size() == 1 &&
                std::string("+-*/").find(szOuter[0]) != std::string::npos) {
                vExprs.push_back(std::string("(a") + szInner + "b)" + szOuter + "c");
                vExprs.push_back(std::string("(sq(a)") + szInner + "b)" + szOuter + "c");
                vExprs.push_back(std::string("sq(a)") + szOuter + "(b" + szInner + "c)");
            }
        }
    }
    double a = 0, b = 0, c = 0;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    std::vector<bool> vSeen(ParserProgram::opRETURN, false);
    for (const std::string& sExpr : vExprs) {
        a = 1.5;
        b = -2.25;
        c = 3.5;
        parser.SetExpression(sExpr);
        const double fCompiled = parser.Evaluate();
        a = 1.5;
        b = -2.25;
        c = 3.5;
        const double fFast = parser.Evaluate();
        a = 1.5;
        b = -2.25;
        c = 3.5;
        EXPECT_TRUE(SameBits(fFast, parser.InterpretBytecode())) << sExpr;
        EXPECT_TRUE(SameBits(fFast, fCompiled)) << sExpr;
        ASSERT_TRUE(parser.Program().IsReady()) << sExpr;
        for (const ParserProgram::Instr& instr : parser.Program().Code()) {
            vSeen[ParserProgram::Operation(instr)] = true;
        }
    }
    for (int iOp = 0; iOp < ParserProgram::opRETURN; ++iOp) {
        const bool bStandardOnly = iOp >= ParserProgram::opABS_A && iOp <= ParserProgram::opNEG_M;
        EXPECT_TRUE(vSeen[static_cast<std::size_t>(iOp)] || bStandardOnly) << "operation " << iOp;
    }
}

// The standard parser, with the word walk reachable.
class StandardParser : public Parser {
public:
    using ParserBase::InterpretBytecode;
};

// The built-in abs and sqrt run in place rather than through their function pointers; the
// values, signed zeros and NaNs included, are those of the calls.
TEST(FastExecution, BuiltInAbsAndSqrtGiveTheCallsValues) {
    double a = 0, b = 0;
    StandardParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    const double afValues[] = {2.25,
                               -2.25,
                               0.0,
                               -0.0,
                               1e-310,
                               -1e308,
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (const char* szExpr : {"abs(a)", "sqrt(a)", "abs(a-b)+abs(b-a)", "sqrt(a*a+b*b)",
                               "abs(sqrt(a)-b)", "b*sqrt(abs(a))", "-abs(a)"}) {
        parser.SetExpression(szExpr);
        for (const double fA : afValues) {
            for (const double fB : {1.5, -0.0}) {
                a = fA;
                b = fB;
                const double fFast = parser.Evaluate();
                EXPECT_TRUE(SameBits(fFast, parser.InterpretBytecode())) << szExpr << " a=" << fA;
            }
        }
        EXPECT_TRUE(parser.Program().IsReady()) << szExpr;
    }
    parser.SetExpression("abs(a)");
    parser.Evaluate();
    parser.Evaluate();
    EXPECT_EQ(parser.Program().Size(), 1u); // abs in place, returning
}

// Equal bit for bit, NaN payloads and signs included.
bool IdenticalBits(double a_fLeft, double a_fRight) {
    return std::memcmp(&a_fLeft, &a_fRight, sizeof(double)) == 0;
}

// Every operation of the machine code, on states where one NaN at most enters each operation
// (with a payload, of either sign, one signalling): the machine code, the run loop, the word walk
// and the compile pass give the same bits and leave the same variables.
TEST(FastExecution, MachineCodeRunsEveryOperationAsTheRunLoop) {
    std::vector<std::string> vExprs = {
        "a",         "a=b",     "a=sqrt(b)",    "if(a,b,c)", "pow(a,b)",  "sum(a,b,c)",
        "-sum(a,b)", "sin(a)",  "sin(sqrt(a))", "a^2",       "sqrt(a)^2", "abs(a)",
        "abs(a-b)",  "sqrt(a)", "sqrt(a+b)",    "-a",        "-(a+b)",    "sqrt(a)+sqrt(b)"};
    const char* const aszArith[] = {"+", "-", "*", "/"};
    for (const char* szOuter : {"+", "-", "*", "/", "^", "<", " and ", "!=", " xor "}) {
        vExprs.push_back(std::string("a") + szOuter + "b");
        vExprs.push_back(std::string("sqrt(a)") + szOuter + "b");
        vExprs.push_back(std::string("b") + szOuter + "sqrt(a)");
        if (std::string("+-*/").find(szOuter) != std::string::npos) {
            for (const char* szInner : aszArith) {
                vExprs.push_back(std::string("(a") + szInner + "b)" + szOuter + "c");
                vExprs.push_back(std::string("(sqrt(a)") + szInner + "b)" + szOuter + "c");
                vExprs.push_back(std::string("sqrt(a)") + szOuter + "(b" + szInner + "c)");
            }
        }
    }
    const double fInf = std::numeric_limits<double>::infinity();
    const std::uint64_t aiNaN[] = {0x7FF8000000000123, 0xFFF4000000000456};
    double afNaN[2];
    std::memcpy(afNaN, aiNaN, sizeof(afNaN));
    const double aafStates[][3] = {{1.5, -2.25, 3.5},
                                   {afNaN[0], 2.25, 3.5},
                                   {1.5, afNaN[1], -0.0},
                                   {-0.0, 1e-310, -fInf},
                                   {1.4e154, -1e308, 4.9e-324}};
    double a = 0, b = 0, c = 0;
    StandardParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    std::vector<bool> vSeen(ParserProgram::opRETURN, false);
    for (const std::string& sExpr : vExprs) {
        for (const auto& afState : aafStates) {
            parser.SetExpression(sExpr);
            double afResults[4];
            double afA[4];
            for (int iPath = 0; iPath < 4; ++iPath) {
                a = afState[0];
                b = afState[1];
                c = afState[2];
                switch (iPath) {
                case 0: // compiles
                case 1: // builds the program and runs its machine code
                    afResults[iPath] = parser.Evaluate();
                    break;
                case 2:
                    afResults[iPath] = parser.Program().Run({});
                    break;
                default:
                    afResults[iPath] = parser.InterpretBytecode();
                }
                afA[iPath] = a;
            }
            ASSERT_NE(parser.Program().MachineCode(), nullptr) << sExpr;
            for (int iPath = 0; iPath < 4; ++iPath) {
                EXPECT_TRUE(IdenticalBits(afResults[1], afResults[iPath]))
                    << sExpr << " path " << iPath << ": " << afResults[1] << " vs "
                    << afResults[iPath] << " a=" << afState[0] << " b=" << afState[1];
                EXPECT_TRUE(IdenticalBits(afA[1], afA[iPath])) << sExpr << " path " << iPath;
            }
        }
        for (const ParserProgram::Instr& instr : parser.Program().Code()) {
            vSeen[ParserProgram::Operation(instr)] = true;
        }
    }
    for (int iOp = 0; iOp < ParserProgram::opRETURN; ++iOp) {
        EXPECT_TRUE(vSeen[static_cast<std::size_t>(iOp)] || iOp == ParserProgram::opSTRCALL)
            << "operation " << iOp;
    }
}

// The machine code reaches operands relative to a few base registers holding nearby addresses;
// variables far apart (static storage, the stack, the heap, a thread's storage) take turns in
// them with the value stack, the constants and the masks of abs and the sign.
double g_fFarVariable = 0;
thread_local double t_fFarVariable = 0;

TEST(FastExecution, MachineCodeReachesOperandsFarApart) {
    double a = 0;
    const auto pHeap = std::make_unique<double>(0);
    StandardParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &g_fFarVariable);
    parser.AddVariable("c", pHeap.get());
    parser.AddVariable("d", &t_fFarVariable);
    parser.SetExpression("-(a*b+c*d)-abs(a-d)*(b+2.5)/(c-a*0.5)+(a=d+b)*(d=c*a)+sqrt(b*1.5+a)");
    parser.Evaluate(); // compiles; the next evaluation builds the program
    for (int i = 0; i < 3; ++i) {
        double afFinal[2][5];
        for (int iPath = 0; iPath < 2; ++iPath) {
            a = 1.5 + i;
            g_fFarVariable = -2.25;
            *pHeap = 3.5 * i;
            t_fFarVariable = 0.75;
            afFinal[iPath][0] = iPath == 0 ? parser.Evaluate() : parser.Program().Run({});
            afFinal[iPath][1] = a;
            afFinal[iPath][2] = g_fFarVariable;
            afFinal[iPath][3] = *pHeap;
            afFinal[iPath][4] = t_fFarVariable;
        }
        ASSERT_NE(parser.Program().MachineCode(), nullptr);
        for (int v = 0; v < 5; ++v) {
            EXPECT_TRUE(IdenticalBits(afFinal[0][v], afFinal[1][v])) << i << " " << v;
        }
    }
}

// Machine code only where every call is one of the engine's numeric built-ins: no exception
// can pass through it. Anything else, or the switch off, runs the same program in the loop.
TEST(FastExecution, MachineCodeOnlyForTheEnginesOwnFunctions) {
    double a = 0.5;
    StandardParser parser;
    parser.AddVariable("a", &a);
    parser.AddFunction("twice", Thousand);
    for (const auto& [szExpr, bMachineCode] :
         std::initializer_list<std::pair<const char*, bool>>{{"sin(a)*max(a,2)+if(a,1,2)", true},
                                                             {"twice(a)+1", false},
                                                             {"datevalue(a*1e7)", false},
                                                             {"sin(a)+twice(sin(a))", false}}) {
        parser.SetExpression(szExpr);
        const double fCompiled = parser.Evaluate();
        EXPECT_TRUE(SameBits(parser.Evaluate(), fCompiled)) << szExpr;
        EXPECT_TRUE(parser.Program().IsReady()) << szExpr;
        EXPECT_EQ(parser.Program().MachineCode() != nullptr, bMachineCode) << szExpr;
    }
    parser.SetExpression("sin(a)");
    parser.Evaluate();
    parser.SetMachineCodeEnabled(false);
    EXPECT_EQ(parser.Evaluate(), std::sin(0.5));
    EXPECT_TRUE(parser.Program().IsReady());
    EXPECT_EQ(parser.Program().MachineCode(), nullptr);
    parser.SetMachineCodeEnabled(true);
    EXPECT_EQ(parser.Evaluate(), std::sin(0.5));
    EXPECT_NE(parser.Program().MachineCode(), nullptr);
}

// "^2" is a multiplication and the prefix minus a negation on every path: folded at compile
// time, walked and pre-decoded, with the exponent as a literal or a variable's value.
TEST(FastExecution, SquaresAndSignsAgreeOnSpecialValues) {
    double a = 0, b = 0;
    StandardParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    const double fInf = std::numeric_limits<double>::infinity();
    const double afValues[] = {
        0.0,     -0.0,     1e-310, -4.9e-324, 1.5e-160, 1.3407807929942596e154,
        1.4e154, -1.4e154, 1e308,  fInf,      -fInf,    std::numeric_limits<double>::quiet_NaN(),
        3.1,     -0.7};
    for (const double fA : afValues) {
        EXPECT_TRUE(SameBits(Power(fA, 2), fA * fA));
        for (const char* szExpr : {"a^2", "a^b", "-a", "-a^2", "(-a)^2", "(a*1.5)^2", "b-(-a)^2",
                                   "sqrt(a)^2", "-(a+b)"}) {
            a = fA;
            b = 2;
            parser.SetExpression(szExpr);
            const double fCompiled = parser.Evaluate();
            const double fFast = parser.Evaluate();
            EXPECT_TRUE(parser.Program().IsReady()) << szExpr;
            EXPECT_TRUE(SameBits(fFast, fCompiled)) << szExpr << " a=" << fA;
            EXPECT_TRUE(SameBits(fFast, parser.InterpretBytecode())) << szExpr << " a=" << fA;
        }
        char szLiteral[64];
        std::snprintf(szLiteral, sizeof(szLiteral), "(%.17g)^2", fA);
        if (std::isfinite(fA)) { // folded at compile time
            parser.SetExpression(szLiteral);
            EXPECT_TRUE(SameBits(parser.Evaluate(), fA * fA)) << szLiteral;
        }
    }
    parser.SetExpression("-a");
    parser.Evaluate();
    parser.Evaluate();
    EXPECT_EQ(parser.Program().Size(), 1u); // negation in place, returning
}

TEST(FastExecution, DeepNestingTranslatesAndAgrees) {
    double a = 0.5;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    std::string sExpr;
    const int iDepth = 20000;
    for (int i = 0; i < iDepth; ++i) {
        sExpr += "a+(";
    }
    sExpr += "sin(a)";
    sExpr += std::string(iDepth, ')');
    parser.SetExpression(sExpr);
    const double fCompiled = parser.Evaluate();
    EXPECT_TRUE(SameBits(parser.Evaluate(), fCompiled));
    EXPECT_TRUE(parser.Program().IsReady());
    a = 0.25;
    EXPECT_TRUE(SameBits(parser.Evaluate(), parser.InterpretBytecode()));
}

TEST(FastExecution, ANewExpressionReplacesTheProgram) {
    double a = 3;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("a*2");
    parser.Evaluate();
    EXPECT_EQ(parser.Evaluate(), 6);
    parser.SetExpression("a+sq(a)");
    EXPECT_FALSE(parser.Program().IsReady());
    EXPECT_EQ(parser.Evaluate(), 12);
    EXPECT_EQ(parser.Evaluate(), 12);
    a = 2;
    EXPECT_EQ(parser.Evaluate(), 6);
}

} // namespace
