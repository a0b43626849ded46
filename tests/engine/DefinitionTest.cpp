// Definitions, switches, copies and the evaluation driver of the parser base.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mu;
using namespace enginetest;

namespace {

struct DefinitionRow {
    const char* name;
    std::function<void(EngineTestParser&)> define;
    EParseError code;
    const char* token;
};

void PrintTo(const DefinitionRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class RejectedDefinitions : public ::testing::TestWithParam<DefinitionRow> {};

// Every check precedes the store: the parser keeps its tables and its compiled code.
TEST_P(RejectedDefinitions, RaiseTheirCodeAndChangeNothing) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("a+1");
    EXPECT_EQ(parser.Evaluate(), 2);
    const std::size_t iCodeSize = parser.Bytecode().Size();
    const std::size_t iFunctions = parser.Functions().size();
    const std::size_t iVariables = parser.Variables().size();
    const std::size_t iConstants = parser.Constants().size();
    try {
        GetParam().define(parser);
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), GetParam().code);
        EXPECT_EQ(e.position(), -1);
        EXPECT_EQ(e.token(), GetParam().token);
    }
    EXPECT_EQ(parser.Functions().size(), iFunctions);
    EXPECT_EQ(parser.Variables().size(), iVariables);
    EXPECT_EQ(parser.Constants().size(), iConstants);
    EXPECT_EQ(parser.Bytecode().Size(), iCodeSize);
    g_iNumberReads = 0;
    EXPECT_EQ(parser.Evaluate(), 2);
    EXPECT_EQ(g_iNumberReads, 0) << "recompiled after a failed definition";
}

double g_fStorage = 0;

INSTANTIATE_TEST_SUITE_P(
    Engine, RejectedDefinitions,
    ::testing::Values(
        DefinitionRow{"OperatorPlus", [](auto& p) { p.AddOperator("+", enginetest::Mod, 3); },
                      peBUILTIN_OVERLOAD, "+"},
        DefinitionRow{"OperatorAnd", [](auto& p) { p.AddOperator("and", enginetest::Mod, 3); },
                      peBUILTIN_OVERLOAD, "and"},
        DefinitionRow{"OperatorBracket", [](auto& p) { p.AddOperator("(", enginetest::Mod, 3); },
                      peBUILTIN_OVERLOAD, "("},
        DefinitionRow{"FunctionStartsWithDigit", [](auto& p) { p.AddFunction("1f", Sq); },
                      peINVALID_NAME, ""},
        DefinitionRow{"FunctionWithBlank", [](auto& p) { p.AddFunction("f g", Sq); },
                      peINVALID_NAME, ""},
        DefinitionRow{"EmptyFunctionName", [](auto& p) { p.AddFunction("", Sq); }, peINVALID_NAME,
                      ""},
        DefinitionRow{"FunctionWithOperatorCharacter", [](auto& p) { p.AddFunction("f+", Sq); },
                      peINVALID_NAME, ""},
        DefinitionRow{"OperatorWithDigit", [](auto& p) { p.AddOperator("m2", enginetest::Mod, 3); },
                      peINVALID_NAME, ""},
        DefinitionRow{"InfixWithDigit", [](auto& p) { p.AddInfixOperator("!1", Neg, 3); },
                      peINVALID_NAME, ""},
        DefinitionRow{"VariableWithBlank", [](auto& p) { p.AddVariable("v w", &g_fStorage); },
                      peINVALID_NAME, ""},
        DefinitionRow{"ConstantStartsWithDigit", [](auto& p) { p.AddConstant("2pi", 6.28); },
                      peINVALID_NAME, ""},
        DefinitionRow{"StringConstantWithQuote", [](auto& p) { p.AddStringConstant("s\"", "x"); },
                      peINVALID_NAME, ""},
        DefinitionRow{"FunctionWithoutFunction",
                      [](auto& p) { p.AddFunction("nofun", static_cast<Fun1>(nullptr)); },
                      peINVALID_FUNCTION, ""},
        DefinitionRow{"OperatorWithoutFunction",
                      [](auto& p) { p.AddOperator("op", static_cast<Fun2>(nullptr), 2); },
                      peINVALID_FUNCTION, ""},
        DefinitionRow{"VariableWithoutStorage", [](auto& p) { p.AddVariable("v", nullptr); },
                      peINVALID_VARIABLE, ""},
        DefinitionRow{"VariableNamedAsConstant", [](auto& p) { p.AddVariable("c10", &g_fStorage); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"VariableNamedAsFunction", [](auto& p) { p.AddVariable("sq", &g_fStorage); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"FunctionNamedAsPostfix", [](auto& p) { p.AddFunction("m", Sq); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"PostfixNamedAsFunction", [](auto& p) { p.AddPostfixOperator("sq", Sq); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"PostfixNamedAsInfix", [](auto& p) { p.AddPostfixOperator("~", Sq); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"PostfixNamedAsUserOperator",
                      [](auto& p) { p.AddPostfixOperator("mod", Sq); }, peNAME_CONFLICT, ""},
        DefinitionRow{"InfixNamedAsFunction", [](auto& p) { p.AddInfixOperator("sq", Neg, 3); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"UserOperatorNamedAsPostfix",
                      [](auto& p) { p.AddOperator("m", enginetest::Mod, 3); }, peNAME_CONFLICT, ""},
        DefinitionRow{"FunctionNamedAsUserOperator", [](auto& p) { p.AddFunction("mod", Sq); },
                      peNAME_CONFLICT, ""},
        DefinitionRow{"StringConstantTwice",
                      [](auto& p) { p.AddStringConstant("greeting", "again"); }, peNAME_CONFLICT,
                      ""}),
    RowName());

TEST(Definitions, BuiltinOperatorNameIsFreeWhenDefaultOperatorsAreOff) {
    EngineTestParser parser;
    parser.SetDefaultOperatorsEnabled(false);
    parser.AddOperator("+", Sub, 3);
    parser.SetExpression("5+3+1");
    EXPECT_EQ(parser.Evaluate(), 1);
}

TEST(Definitions, InfixAndUserBinaryOperatorMayShareAName) {
    EngineTestParser parser;
    parser.AddOperator("~", Sub, 3);
    parser.SetExpression("~2~3");
    EXPECT_EQ(parser.Evaluate(), -6);
}

TEST(Definitions, ConstantMayTakeAVariablesNameAndThenWins) {
    double v = 1;
    EngineTestParser parser;
    parser.AddVariable("v", &v);
    parser.AddConstant("v", 100);
    parser.SetExpression("v+1");
    EXPECT_EQ(parser.Evaluate(), 101);
}

// The reader knows by the first byte which kinds of names may start there; that knowledge must
// follow every later definition, including one with a new first byte.
TEST(Definitions, NamesDefinedAfterACompilationAreRead) {
    double v = 1;
    EngineTestParser parser;
    parser.AddVariable("v", &v);
    parser.SetExpression("v+1");
    EXPECT_EQ(parser.Evaluate(), 2);
    parser.AddConstant("v", 100);
    parser.SetExpression("v+1");
    EXPECT_EQ(parser.Evaluate(), 101);
    parser.AddFunction("zz", Sq);
    parser.SetExpression("zz(3)");
    EXPECT_EQ(parser.Evaluate(), 9);
}

TEST(Definitions, RedefiningReplacesTheEarlierBinding) {
    double v = 1;
    double w = 2;
    EngineTestParser parser;
    parser.AddVariable("v", &v);
    parser.SetExpression("v");
    EXPECT_EQ(parser.Evaluate(), 1);
    parser.AddVariable("v", &w);
    EXPECT_EQ(parser.Evaluate(), 2);
    parser.AddFunction("sq", Neg);
    parser.SetExpression("sq(3)");
    EXPECT_EQ(parser.Evaluate(), -3);
}

TEST(Definitions, StringConstantsReadBackTheirOwnText) {
    EngineTestParser parser;
    parser.AddStringConstant("s1", "ab");
    parser.AddStringConstant("s2", "cdef");
    parser.SetExpression("strpos(s1, strlen(s2), 0)");
    EXPECT_EQ(parser.Evaluate(), 240);
    EXPECT_EQ(parser.Evaluate(), 240);
    EXPECT_EQ(g_sLastString, "ab");
}

TEST(Definitions, RemovingConstantsKeepsLaterStringConstantsWorking) {
    EngineTestParser parser;
    parser.RemoveAllConstants();
    EXPECT_TRUE(parser.Constants().empty());
    EXPECT_EQ(ErrorOf(parser, "strlen(greeting)").code(), peUNKNOWN_TOKEN);
    parser.AddStringConstant("greeting", "hi");
    parser.SetExpression("strlen(greeting)");
    EXPECT_EQ(parser.Evaluate(), 2);
}

TEST(Definitions, RemovedDefinitionsAreUnknown) {
    double v = 1;
    EngineTestParser parser;
    parser.AddVariable("v", &v);
    parser.SetExpression("v");
    EXPECT_EQ(parser.Evaluate(), 1);
    parser.RemoveVariable("v");
    parser.RemoveVariable("never");
    EXPECT_EQ(ErrorOf(parser, "v").code(), peUNKNOWN_TOKEN);

    parser.RemoveAllFunctions();
    EXPECT_EQ(ErrorOf(parser, "sq(1)").code(), peUNKNOWN_TOKEN);
    parser.RemoveAllOperators();
    // Without the operator, the postfix "m" takes the first letter of "mod".
    const ParserError eMod = ErrorOf(parser, "5 mod 3");
    EXPECT_EQ(eMod.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(eMod.token(), "od");
    parser.RemoveAllInfixOperators();
    EXPECT_EQ(ErrorOf(parser, "-1").code(), peUNEXPECTED_OPERATOR);
    parser.RemoveAllPostfixOperators();
    EXPECT_EQ(ErrorOf(parser, "3m").code(), peUNKNOWN_TOKEN);
    parser.AddVariable("v", &v);
    parser.RemoveAllVariables();
    EXPECT_TRUE(parser.Variables().empty());
}

TEST(Definitions, DefaultOperatorTableHoldsSeventeenTexts) {
    const char* const* aszTable = ParserBase::DefaultOperatorTable();
    const char* const aszExpected[] = {"<=", ">=", "!=",  "==", "<",   ">", "+", "-", "*",
                                       "/",  "^",  "and", "or", "xor", "=", "(", ")"};
    for (int i = 0; i < 17; ++i) {
        EXPECT_STREQ(aszTable[i], aszExpected[i]);
    }
    EXPECT_EQ(aszTable[17], nullptr);
}

TEST(Expression, GetsExactlyOneBlankAppended) {
    EngineTestParser parser;
    parser.SetExpression("1+2");
    EXPECT_EQ(parser.Expression(), "1+2 ");
    parser.SetExpression("");
    EXPECT_EQ(parser.Expression(), " ");
}

TEST(Expression, SecondEvaluationDoesNotCompileOrCallTheFactory) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    parser.SetExpression("n+1");
    g_iNumberReads = 0;
    EXPECT_EQ(parser.Evaluate(), 1);
    EXPECT_EQ(parser.Evaluate(), 1);
    EXPECT_EQ(store.m_Names.size(), 1u);
    EXPECT_EQ(g_iNumberReads, 1);
}

TEST(Expression, SwitchesAndDefinitionsForceACompilation) {
    EngineTestParser parser;
    parser.SetExpression("1+2");
    parser.Evaluate();
    const std::vector<std::function<void()>> vChanges = {
        [&] { parser.SetFolding(true); },
        [&] { parser.SetDefaultOperatorsEnabled(true); },
        [&] { parser.SetBytecodeEnabled(false); },
        [&] { parser.AddConstant("k", 1); },
        [&] { parser.AddFunction("g", Sq); },
        [&] { parser.RemoveAllVariables(); },
        [&] { parser.UsedVariables(); }};
    for (std::size_t i = 0; i < vChanges.size(); ++i) {
        parser.SetBytecodeEnabled(true);
        parser.Evaluate();
        vChanges[i]();
        g_iNumberReads = 0;
        EXPECT_EQ(parser.Evaluate(), 3);
        EXPECT_EQ(g_iNumberReads, 2) << "change " << i;
    }
}

TEST(UsedVariables, ListsUndefinedNamesWithoutAFactoryAndDoesNotRaise) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("a + ghost*2 + (phantom=3)");
    const VariableTable& used = parser.UsedVariables();
    ASSERT_EQ(used.size(), 3u);
    EXPECT_EQ(used.at("a"), &a);
    EXPECT_EQ(used.at("ghost"), nullptr);
    EXPECT_EQ(used.at("phantom"), nullptr);
    EXPECT_EQ(parser.Variables().size(), 1u);
    // Undefined names are errors again for a normal evaluation, and read 0 in the next listing
    // although the listing assigned 3 to one of them.
    EXPECT_EQ(ErrorOf(parser, "ghost").code(), peUNKNOWN_TOKEN);
    parser.SetExpression("ghost + phantom");
    EXPECT_EQ(parser.UsedVariables().size(), 2u);
}

TEST(UsedVariables, PassesErrorsOnAndSwitchesBack) {
    EngineTestParser parser;
    parser.SetExpression("ghost+");
    try {
        parser.UsedVariables();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peUNEXPECTED_END);
        EXPECT_EQ(e.position(), 7);
    }
    EXPECT_EQ(ErrorOf(parser, "ghost").code(), peUNKNOWN_TOKEN);
}

TEST(UsedVariables, WithAFactoryCreatesTheVariables) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    parser.SetExpression("u+w");
    const VariableTable& used = parser.UsedVariables();
    ASSERT_EQ(used.size(), 2u);
    EXPECT_EQ(used.at("u"), &store.m_Values[0]);
    EXPECT_EQ(parser.Variables().size(), 2u);
}

TEST(Copy, CompilesAfreshAndOwnsItsDefinitions) {
    double a = 2;
    EngineTestParser original;
    original.AddVariable("a", &a);
    original.SetExpression("sq(a)+c10");
    EXPECT_EQ(original.Evaluate(), 14);

    EngineTestParser copy(original);
    EXPECT_EQ(copy.Expression(), "sq(a)+c10 ");
    EXPECT_EQ(copy.Evaluate(), 14);
    copy.AddConstant("c10", 20);
    EXPECT_EQ(copy.Evaluate(), 24);
    EXPECT_EQ(original.Evaluate(), 14);

    a = 3;
    EXPECT_EQ(copy.Evaluate(), 29);
    EXPECT_EQ(original.Evaluate(), 19);
}

TEST(Copy, ReaderOfTheCopyFillsTheCopysTables) {
    EngineTestParser original;
    VariableStore store;
    original.SetVariableFactory(VariableStore::Create, &store);
    EngineTestParser copy;
    copy = original;
    copy.SetExpression("fresh+1");
    EXPECT_EQ(copy.Evaluate(), 1);
    EXPECT_EQ(copy.Variables().count("fresh"), 1u);
    EXPECT_EQ(original.Variables().count("fresh"), 0u);
}

TEST(Copy, SelfAssignmentKeepsEverything) {
    EngineTestParser parser;
    parser.SetExpression("sq(3)");
    EXPECT_EQ(parser.Evaluate(), 9);
    EngineTestParser& same = parser;
    parser = same;
    EXPECT_EQ(parser.Evaluate(), 9);
    EXPECT_EQ(parser.Expression(), "sq(3) ");
}

TEST(Copy, CopyKeepsTheSwitches) {
    EngineTestParser original;
    original.SetFolding(false);
    original.SetSeparator(';');
    EngineTestParser copy(original);
    copy.SetExpression("sum(1;2)");
    EXPECT_EQ(copy.Evaluate(), 3);
    EXPECT_EQ(copy.Bytecode().Size(), 15u);
}

} // namespace
