// Functions a script defines: the definition line's head, the rules of definitions and calls,
// and calls compiled as their bodies written out, on every execution path.
#include "Parser.h"
#include "ScriptFunctionTable.h"
#include "TestParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace mu;
using namespace enginetest;

namespace {

constexpr double c_fNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double c_fInf = std::numeric_limits<double>::infinity();

// The standard parser with the bytecode walk reachable.
class ScriptParser : public Parser {
public:
    using ParserBase::InterpretBytecode;
};

// ---- The head of a definition line ----

struct HeadRow {
    const char* name;
    const char* line;
    bool isDefinition;
    const char* function;
    std::vector<std::string> params;
    int namePos;
    int bodyPos;
};

void PrintTo(const HeadRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class FunctionHeads : public ::testing::TestWithParam<HeadRow> {};

TEST_P(FunctionHeads, AreReadOnlyFromDefinitionLines) {
    const HeadRow& row = GetParam();
    const std::optional<FunctionHead> head = ReadFunctionHead(row.line);
    ASSERT_EQ(head.has_value(), row.isDefinition);
    if (head) {
        EXPECT_EQ(head->m_sName, row.function);
        EXPECT_EQ(head->m_vParams, row.params);
        EXPECT_EQ(head->m_iNamePos, row.namePos);
        EXPECT_EQ(head->m_iBodyPos, row.bodyPos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, FunctionHeads,
    ::testing::Values(
        HeadRow{"OneParameter", "f(x)=x^2+1", true, "f", {"x"}, 0, 5},
        HeadRow{"BlanksEverywhere", " g ( a , b1 ) = a", true, "g", {"a", "b1"}, 1, 15},
        HeadRow{"FiveParameters", "h(a,b,c,d,e)=1", true, "h", {"a", "b", "c", "d", "e"}, 0, 13},
        HeadRow{"UnderscoreNames", "_f(_x)=1", true, "_f", {"_x"}, 0, 7},
        HeadRow{"SixParameters", "h(a,b,c,d,e,g)=1", false, "", {}, 0, 0},
        HeadRow{"NoParameter", "f()=1", false, "", {}, 0, 0},
        HeadRow{"Comparison", "f(x)==1", false, "", {}, 0, 0},
        HeadRow{"LessOrEqual", "f(x)<=1", false, "", {}, 0, 0},
        HeadRow{"Call", "f(x)", false, "", {}, 0, 0},
        HeadRow{"NumberAsParameter", "f(2)=1", false, "", {}, 0, 0},
        HeadRow{"NameStartsWithDigit", "2f(x)=1", false, "", {}, 0, 0},
        HeadRow{"OperatorWord", "and(x)=1", false, "", {}, 0, 0},
        HeadRow{"Assignment", "a=f(x)", false, "", {}, 0, 0},
        HeadRow{"MissingComma", "f(x y)=1", false, "", {}, 0, 0}),
    RowName());

// ---- Definitions and calls in a script ----

// Runs the lines as a script does: definitions go to the table, every other line is evaluated
// by one parser whose unknown names become variables at 0.
struct Script {
    ScriptParser parser;
    ScriptFunctionTable table;
    VariableStore store;

    Script() {
        parser.SetVariableFactory(VariableStore::Create, &store);
        parser.SetScriptFunctions(&table);
    }
    double Run(const std::vector<std::string>& a_vLines) {
        double fValue = 0;
        for (const std::string& sLine : a_vLines) {
            if (const std::optional<FunctionHead> head = ReadFunctionHead(sLine)) {
                table.Define(*head, sLine);
                continue;
            }
            parser.SetExpression(sLine);
            fValue = parser.Evaluate();
        }
        return fValue;
    }
};

struct ValueRow {
    const char* name;
    std::vector<std::string> lines;
    double value;
};

void PrintTo(const ValueRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ScriptFunctionValues : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ScriptFunctionValues, FollowTheRulesOfDefinitionsAndCalls) {
    Script script;
    const double fValue = script.Run(GetParam().lines);
    EXPECT_TRUE(SameBits(fValue, GetParam().value)) << fValue;
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ScriptFunctionValues,
    ::testing::Values(
        ValueRow{"Call", {"f(x)=x^2+1", "f(3)"}, 10},
        ValueRow{"ArgumentsInOrder", {"g(a,b)=a-b*10", "g(5,2)"}, -15},
        ValueRow{
            "FiveParameters", {"h(a,b,c,d,e)=a*1e4+b*1e3+c*100+d*10+e", "h(1,2,3,4,5)"}, 12345},
        ValueRow{"ArgumentIsBracketed", {"f(x)=x*x", "f(1+2)"}, 9},
        ValueRow{"BodyIsBracketed", {"f(x)=x+1", "2*f(3)"}, 8},
        ValueRow{"Nesting", {"f(x)=x+1", "g(x)=2*x", "f(g(3))+g(f(3))"}, 15},
        ValueRow{"BodyCallsEarlierFunction", {"f(x)=x+1", "g(x)=f(x)*f(2*x)", "g(3)"}, 28},
        ValueRow{"VariableReadAtCall", {"a=2", "f(x)=a*x", "a=3", "f(1)"}, 3},
        ValueRow{"VariableDefinedAfterFunction", {"f(x)=k*x", "k=4", "f(2)"}, 8},
        ValueRow{"ParameterHidesVariable", {"x=100", "f(x)=x+1", "f(1)+x"}, 102},
        ValueRow{"Redefinition", {"f(x)=x+1", "f(3)", "f(x)=x+2", "f(3)"}, 5},
        ValueRow{"BodyKeepsTheFunctionItCalled", {"f(x)=x+1", "g(x)=f(x)", "f(x)=x+10", "g(1)"}, 2},
        ValueRow{"NameAsVariableAndFunction", {"f=2", "f(x)=x*f", "f(3)+f"}, 8},
        ValueRow{"CallOnlyBuiltinAsParameter", {"f(mod)=mod(mod,3)", "f(7)"}, 1},
        ValueRow{"BlankBeforeBracket", {"f(x)=x", "f (4)"}, 4},
        ValueRow{"NotANumberFlows", {"f(x)=sqrt(x)+1", "f(-1)"}, c_fNaN},
        ValueRow{"InfinityFlows", {"f(x)=1/x", "-f(0)"}, -c_fInf}),
    RowName());

struct ErrorRow {
    const char* name;
    std::vector<std::string> lines; // the last one fails
    int code;
    const char* message;
    int position;
    const char* token;
};

void PrintTo(const ErrorRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ScriptFunctionErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(ScriptFunctionErrors, PointAtTheirPlaceInTheLine) {
    const ErrorRow& row = GetParam();
    Script script;
    std::vector<std::string> vBefore(row.lines.begin(), row.lines.end() - 1);
    script.Run(vBefore);
    const std::size_t iDefinitions = script.table.Size();
    try {
        script.Run({row.lines.back()});
        FAIL() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), row.code);
        EXPECT_EQ(e.message(), row.message);
        EXPECT_EQ(e.position(), row.position);
        EXPECT_EQ(e.token(), row.token);
    }
    EXPECT_EQ(script.table.Size(), iDefinitions);
}

const char* const c_szE03 = "IDS_PARSE_E03";
const char* const c_szE09 = "IDS_PARSE_E09";
const char* const c_szE10 = "IDS_PARSE_E10";
const char* const c_szE12 = "IDS_PARSE_E12";

INSTANTIATE_TEST_SUITE_P(
    Engine, ScriptFunctionErrors,
    ::testing::Values(
        ErrorRow{"CallsItself", {"f(x)=1+f(x)"}, peMESSAGE, c_szUnknownScriptCall, 7, "f"},
        ErrorRow{"CallsItselfWhenRedefined",
                 {"f(x)=x", "f(x)=f(x)"},
                 peMESSAGE,
                 c_szUnknownScriptCall,
                 5,
                 "f"},
        ErrorRow{"CallsLaterFunction", {"f(x) = x*g(x)"}, peMESSAGE, c_szUnknownScriptCall, 9, "g"},
        ErrorRow{"BuiltinName", {"  sin(x)=x"}, peMESSAGE, c_szBuiltinFunctionName, 2, "sin"},
        ErrorRow{
            "CallOnlyBuiltinName", {"round(x)=x"}, peMESSAGE, c_szBuiltinFunctionName, 0, "round"},
        ErrorRow{"AssignmentInBody", {"f(x)=y=x"}, peMESSAGE, c_szAssignmentInBody, 6, "="},
        ErrorRow{"ParameterTwice", {"f(x, x)=x"}, peNAME_CONFLICT, "IDS_PARSE_E02", 5, "x"},
        ErrorRow{"SyntaxErrorInBody", {"f(x)=x+*2"}, peUNEXPECTED_OPERATOR, c_szE03, 7, "*"},
        ErrorRow{"EmptyBody", {"f(x)= "}, peUNEXPECTED_END, c_szE12, 7, ""},
        ErrorRow{
            "WrongCountInBody", {"f(x,y)=x", "g(x)=f(x)"}, peTOO_FEW_ARGUMENTS, c_szE10, 8, "f"},
        ErrorRow{
            "TooManyArguments", {"f(x)=x", "1+f(1, 2)"}, peTOO_MANY_ARGUMENTS, c_szE09, 8, "f"},
        ErrorRow{"TooFewArguments", {"f(x,y)=x", "f(1)"}, peTOO_FEW_ARGUMENTS, c_szE10, 3, "f"},
        ErrorRow{"EmptyCall", {"f(x)=x", "f()"}, peTOO_FEW_ARGUMENTS, c_szE10, 2, "f"},
        ErrorRow{
            "ErrorInArgument", {"f(x)=x", "f(1+)"}, peUNEXPECTED_BRACKET, "IDS_PARSE_E04", 4, ")"},
        ErrorRow{
            "ErrorAfterCall", {"f(x)=x", "f(1) 2"}, peUNEXPECTED_VALUE, "IDS_PARSE_E06", 5, "2"}),
    RowName());

} // namespace
