// Absurd and huge input: every failure must be a ParserError, never a crash, a hang or a read
// out of bounds; deep nesting and long texts must not hit recursion limits or quadratic work.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

using namespace mu;
using namespace enginetest;

namespace {

constexpr int c_iDepth = 100000;
constexpr std::size_t c_iMegabyte = 1 << 20;

std::string Repeat(const std::string& a_sPart, std::size_t a_iCount) {
    std::string sResult;
    sResult.reserve(a_sPart.size() * a_iCount);
    for (std::size_t i = 0; i < a_iCount; ++i) {
        sResult += a_sPart;
    }
    return sResult;
}

// Evaluates twice (compile, then bytecode); both must agree.
double EvaluateTwice(EngineTestParser& a_Parser, const std::string& a_sExpr) {
    a_Parser.SetExpression(a_sExpr);
    const double fCompiled = a_Parser.Evaluate();
    EXPECT_PRED2(SameValue, a_Parser.Evaluate(), fCompiled);
    return fCompiled;
}

TEST(DeepNesting, HundredThousandBrackets) {
    EngineTestParser parser;
    const std::string sExpr = std::string(c_iDepth, '(') + "1" + std::string(c_iDepth, ')');
    EXPECT_EQ(EvaluateTwice(parser, sExpr), 1);
    parser.SetFolding(false);
    EXPECT_EQ(EvaluateTwice(parser, sExpr), 1);
}

TEST(DeepNesting, UnclosedBracketsEndWithAnError) {
    EngineTestParser parser;
    const ParserError eOpen = ErrorOf(parser, std::string(c_iDepth, '('));
    EXPECT_EQ(eOpen.code(), peUNEXPECTED_END);
    EXPECT_EQ(eOpen.position(), c_iDepth + 1);
    const ParserError eMissing = ErrorOf(parser, std::string(c_iDepth, '(') + "1");
    EXPECT_EQ(eMissing.code(), peMISSING_BRACKET);
    EXPECT_EQ(eMissing.position(), c_iDepth + 2);
    EXPECT_EQ(eMissing.token(), ")");
    const ParserError eClose = ErrorOf(parser, "1" + std::string(c_iDepth, ')'));
    EXPECT_EQ(eClose.code(), peUNEXPECTED_BRACKET);
    EXPECT_EQ(eClose.position(), 1);
}

TEST(DeepNesting, NestedCallsSignsAndPowers) {
    double a = 2;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    const int iDepth = c_iDepth / 2;
    EXPECT_EQ(EvaluateTwice(parser, Repeat("sq(", iDepth) + "1" + std::string(iDepth, ')')), 1);
    EXPECT_EQ(EvaluateTwice(parser, Repeat("-(", iDepth) + "a" + std::string(iDepth, ')')), 2);
    EXPECT_EQ(EvaluateTwice(parser, Repeat("sum(a,", iDepth) + "a" + std::string(iDepth, ')')),
              2.0 * (iDepth + 1));
    EXPECT_EQ(EvaluateTwice(parser, "1" + Repeat("^1", c_iDepth)), 1);
    EXPECT_EQ(EvaluateTwice(parser, Repeat("1^(", iDepth) + "1" + std::string(iDepth, ')')), 1);
}

TEST(LongExpression, MegabyteOfSums) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    const std::size_t iTerms = c_iMegabyte / 2;
    EXPECT_EQ(EvaluateTwice(parser, "1" + Repeat("+1", iTerms - 1)), iTerms);
    EXPECT_EQ(parser.Bytecode().Size(), 6u);
    // Letters and "+" are all operator characters, so every token starts a run of operator
    // characters that reaches the end of the text.
    EXPECT_EQ(EvaluateTwice(parser, "(1)m" + Repeat("+a", iTerms - 2)), 1000.0 + iTerms - 2);
    EXPECT_EQ(EvaluateTwice(parser, "a" + Repeat("*a", iTerms - 1)), 1);
}

TEST(LongExpression, MegabyteOfArguments) {
    EngineTestParser parser;
    const std::size_t iArgs = c_iMegabyte / 2;
    EXPECT_EQ(EvaluateTwice(parser, "sum(1" + Repeat(",1", iArgs - 1) + ")"), iArgs);
    double a = 1;
    parser.AddVariable("a", &a);
    EXPECT_EQ(EvaluateTwice(parser, "args(a" + Repeat(",a", iArgs - 1) + ")"), iArgs);
}

TEST(LongExpression, MegabyteOfStringLiterals) {
    EngineTestParser parser;
    const std::size_t iCalls = c_iMegabyte / 16;
    EXPECT_EQ(EvaluateTwice(parser, "0" + Repeat("+strlen(\"a\\\"\")", iCalls)), 2.0 * iCalls);
    const std::string sLong(c_iMegabyte, 'q');
    EXPECT_EQ(EvaluateTwice(parser, "strlen(\"" + sLong + "\")"), c_iMegabyte);
}

TEST(LongExpression, MegabyteNamesAndNumbers) {
    EngineTestParser parser;
    const std::string sName(c_iMegabyte, 'z');
    const ParserError eUnknown = ErrorOf(parser, "1+" + sName);
    EXPECT_EQ(eUnknown.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(eUnknown.position(), 2);
    EXPECT_EQ(eUnknown.token(), sName);

    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    EXPECT_EQ(EvaluateTwice(parser, sName + "+1"), 1);
    EXPECT_EQ(store.m_Names.at(0), sName);

    const std::string sDigits(c_iMegabyte, '9');
    const ParserError eRange = ErrorOf(parser, sDigits);
    EXPECT_EQ(eRange.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(eRange.token(), sDigits);

    const std::string sOperators(c_iMegabyte, '+');
    const ParserError eOperators = ErrorOf(parser, "1" + sOperators);
    EXPECT_EQ(eOperators.code(), peUNEXPECTED_OPERATOR);
    EXPECT_EQ(eOperators.position(), 2);
}

TEST(LongExpression, ManyVariablesFromTheFactory) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    std::string sExpr = "0";
    for (int i = 0; i < 50000; ++i) {
        sExpr += "+v" + std::to_string(i);
    }
    EXPECT_EQ(EvaluateTwice(parser, sExpr), 0);
    EXPECT_EQ(store.m_Names.size(), 50000u);
    EXPECT_EQ(parser.Variables().size(), 50000u);
}

TEST(LongExpression, BeyondTheLimitIsRefusedAndTheOldExpressionStays) {
    EngineTestParser parser;
    parser.SetExpression("1+1");
    try {
        parser.SetExpression(std::string((std::size_t{1} << 26) + 1, '1'));
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peMESSAGE);
        EXPECT_EQ(e.message(), "expression too long");
        EXPECT_EQ(e.position(), -1);
    }
    EXPECT_EQ(parser.Expression(), "1+1 ");
    EXPECT_EQ(parser.Evaluate(), 2);
}

// Random texts over the characters that matter to the reader, NUL, tab and line feed included.
// Each one either evaluates the same way twice or raises a ParserError with a keyed code.
TEST(RandomInput, EveryFailureIsAParserError) {
    static const char c_szAlphabet[] = "0123456789.eE+-*/^<>=!,()\"\\ \t\nabcmodrxsqumtikgnf~_#$;";
    std::mt19937 rng(20091124);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(c_szAlphabet) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    double a = 1;
    double b = -2;
    int iSucceeded = 0;
    for (int i = 0; i < 20000; ++i) {
        EngineTestParser parser;
        parser.AddVariable("a", &a);
        parser.AddVariable("b", &b);
        VariableStore store;
        if (i % 2 == 0) {
            parser.SetVariableFactory(VariableStore::Create, &store);
        }
        parser.SetFolding(i % 3 != 0);
        std::string sExpr;
        const int iLength = length(rng);
        for (int k = 0; k < iLength; ++k) {
            sExpr += c_szAlphabet[pick(rng)]; // the terminating NUL is one of the choices
        }
        try {
            parser.SetExpression(sExpr);
            const double fCompiled = parser.Evaluate();
            if (sExpr.find("ticks") == std::string::npos) {
                EXPECT_PRED2(SameValue, parser.Evaluate(), fCompiled) << sExpr;
            }
            ++iSucceeded;
        } catch (const ParserError& e) {
            // A keyed code: never the code-only form, "stack is empty." or an internal fault.
            EXPECT_GE(e.code(), peUNEXPECTED_OPERATOR) << sExpr;
            EXPECT_LE(e.code(), peNAME_CONFLICT) << sExpr;
            EXPECT_GE(e.position(), -1) << sExpr;
            EXPECT_LE(e.position(), static_cast<int>(sExpr.size()) + 1) << sExpr;
        }
        a = 1;
        b = -2;
    }
    EXPECT_GT(iSucceeded, 100);
}

// Texts built from valid pieces, so that most of them compile and exercise folding.
TEST(RandomInput, GrammaticalTextsAgreeWithAndWithoutFolding) {
    static const char* const c_aszOperand[] = {
        "1",   "2.5",  "a", "b", "c10", "sq(a)", "f0()", "sum(a,2,b)", "(a=3)", "strlen(\"xy\")",
        "0/0", "1e300"};
    static const char* const c_aszOperator[] = {
        "+", "-", "*", "/", "^", "<", "<=", "==", "!=", " and ", " or ", " xor ", " mod "};
    std::mt19937 rng(42);
    for (int i = 0; i < 3000; ++i) {
        std::string sExpr;
        const int iTerms = 1 + static_cast<int>(rng() % 6);
        for (int k = 0; k < iTerms; ++k) {
            if (k > 0) {
                sExpr += c_aszOperator[rng() % std::size(c_aszOperator)];
            }
            sExpr += rng() % 4 == 0 ? "-" : "";
            sExpr += c_aszOperand[rng() % std::size(c_aszOperand)];
        }
        double afResult[2] = {};
        for (int iFolding = 0; iFolding < 2; ++iFolding) {
            double a = 1.5;
            double b = -2;
            EngineTestParser parser;
            parser.AddVariable("a", &a);
            parser.AddVariable("b", &b);
            parser.SetFolding(iFolding == 1);
            parser.SetExpression(sExpr);
            afResult[iFolding] = parser.Evaluate();
            a = 1.5;
            b = -2;
            EXPECT_PRED2(SameValue, parser.Evaluate(), afResult[iFolding]) << sExpr;
        }
        EXPECT_PRED2(SameValue, afResult[0], afResult[1]) << sExpr;
    }
}

} // namespace
