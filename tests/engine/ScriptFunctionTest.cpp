// Functions a script defines: the definition line's head, the rules of definitions and calls,
// and calls compiled as their bodies written out, on every execution path.
#include "Parser.h"
#include "ScriptFunctionTable.h"
#include "TestParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
class WalkableParser : public Parser {
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
    WalkableParser parser;
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
        ValueRow{"ArgumentReadAfterEarlierAssignment", {"a=1", "f(x,y)=x+y", "f(a=5, a)"}, 10},
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
        ErrorRow{"ExpansionTooLong",
                 {"g1(x)=x*x*x*x*x*x*x*x", "g2(x)=g1(g1(x))", "g3(x)=g2(g2(x))",
                  "g4(x)=g3(x)+g3(x)", "g4(1)"},
                 peMESSAGE,
                 "expression too long",
                 4,
                 "g1"},
        ErrorRow{
            "ErrorAfterCall", {"f(x)=x", "f(1) 2"}, peUNEXPECTED_VALUE, "IDS_PARSE_E06", 5, "2"}),
    RowName());

// ---- Calls against their bodies written out ----

// Random script functions and expressions calling them, each written twice: with the calls, and
// with every call replaced by its body in brackets, each parameter by its argument in brackets.
class CallGenerator {
public:
    explicit CallGenerator(unsigned a_iSeed) : m_Random(a_iSeed) {}

    // Adds a function of a_iParams parameters, whose body may call the functions before it.
    std::string Define(int a_iParams) {
        Function fun;
        fun.m_sName = "f" + std::to_string(m_vFunctions.size() + 1);
        static const char* const aszParams[] = {"p", "q", "r", "s", "t"};
        fun.m_vParams.assign(aszParams, aszParams + a_iParams);
        m_pParams = &fun.m_vParams;
        const Text body = Expression(3);
        m_pParams = nullptr;
        fun.m_sExpandedBody = body.m_sWrittenOut;
        std::string sLine = fun.m_sName + "(";
        for (int i = 0; i < a_iParams; ++i) {
            sLine += (i == 0 ? "" : ",") + fun.m_vParams[static_cast<std::size_t>(i)];
        }
        sLine += ")=" + body.m_sCalls;
        m_vFunctions.push_back(std::move(fun));
        return sLine;
    }

    struct Text {
        std::string m_sCalls;
        std::string m_sWrittenOut;
    };

    Text Expression(int a_iDepth) {
        if (a_iDepth <= 0 || Pick(4) == 0) {
            return Operand();
        }
        switch (Pick(9)) {
        case 0:
        case 1:
        case 2:
            return Join(Expression(a_iDepth - 1), BinaryOperator(), Expression(a_iDepth - 1));
        case 3:
            return Wrap("-(", Expression(a_iDepth - 1), ")");
        case 4:
            // Assignments stand only in the calling expressions, as in a script.
            return m_pParams != nullptr ? Wrap("(", Expression(a_iDepth - 1), ")!")
                                        : Wrap("(x=", Expression(a_iDepth - 1), ")");
        case 5:
            return Builtin(a_iDepth - 1);
        default:
            return m_vFunctions.empty() ? Builtin(a_iDepth - 1) : Call(a_iDepth - 1);
        }
    }

private:
    struct Function {
        std::string m_sName;
        std::vector<std::string> m_vParams;
        std::string m_sExpandedBody; // written out, in terms of the parameters
    };

    int Pick(int a_iCount) { return std::uniform_int_distribution<int>(0, a_iCount - 1)(m_Random); }

    static Text Join(const Text& a_Left, const std::string& a_sOp, const Text& a_Right) {
        return {a_Left.m_sCalls + a_sOp + a_Right.m_sCalls,
                a_Left.m_sWrittenOut + a_sOp + a_Right.m_sWrittenOut};
    }
    static Text Wrap(const std::string& a_sBefore, const Text& a_Inner,
                     const std::string& a_sAfter) {
        return {a_sBefore + a_Inner.m_sCalls + a_sAfter,
                a_sBefore + a_Inner.m_sWrittenOut + a_sAfter};
    }

    Text Operand() {
        static const char* const aszOperands[] = {"a", "b", "c", "x", "0", "1", "2", "0.5", "3.25"};
        if (m_pParams != nullptr && Pick(2) == 0) {
            const std::string& sParam =
                (*m_pParams)[static_cast<std::size_t>(Pick(static_cast<int>(m_pParams->size())))];
            return {sParam, sParam};
        }
        const std::string sOperand = aszOperands[Pick(sizeof(aszOperands) / sizeof(char*))];
        return {sOperand, sOperand};
    }

    std::string BinaryOperator() {
        static const char* const aszOperators[] = {"+", "-",  "*",  "/",  "^",    "<",     ">",
                                                   "+", "*",  "<=", "==", "!=",   " and ", " or ",
                                                   "-", "/ ", " +", ">=", " xor "};
        return aszOperators[Pick(sizeof(aszOperators) / sizeof(char*))];
    }

    Text Builtin(int a_iDepth) {
        static const char* const aszOne[] = {"sin(", "sqrt(", "abs(", "exp(", "round("};
        static const char* const aszTwo[] = {"max(", "hypot(", "mod(", "atan2("};
        if (Pick(2) == 0) {
            return Wrap(aszOne[Pick(5)], Expression(a_iDepth), ")");
        }
        return Join(Wrap(aszTwo[Pick(4)], Expression(a_iDepth), ","), "",
                    Wrap("", Expression(a_iDepth), ")"));
    }

    Text Call(int a_iDepth) {
        const Function& fun =
            m_vFunctions[static_cast<std::size_t>(Pick(static_cast<int>(m_vFunctions.size())))];
        std::vector<Text> vArgs;
        for (std::size_t i = 0; i < fun.m_vParams.size(); ++i) {
            vArgs.push_back(Expression(a_iDepth));
        }
        std::string sCall = fun.m_sName + (Pick(3) == 0 ? " (" : "(");
        for (std::size_t i = 0; i < vArgs.size(); ++i) {
            sCall += (i == 0 ? "" : ", ") + vArgs[i].m_sCalls;
        }
        return {sCall + ")", "(" + Substitute(fun, vArgs) + ")"};
    }

    // The body written out with each parameter name replaced by its argument in brackets.
    static std::string Substitute(const Function& a_Fun, const std::vector<Text>& a_vArgs) {
        const std::string& sBody = a_Fun.m_sExpandedBody;
        std::string sOut;
        for (std::size_t i = 0; i < sBody.size();) {
            const char ch = sBody[i];
            const bool bNameStart = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
            if (!bNameStart) {
                sOut += ch;
                ++i;
                continue;
            }
            std::size_t iEnd = i;
            while (iEnd < sBody.size() &&
                   (std::isalnum(static_cast<unsigned char>(sBody[iEnd])) || sBody[iEnd] == '_')) {
                ++iEnd;
            }
            const std::string sName = sBody.substr(i, iEnd - i);
            std::string sReplacement = sName;
            for (std::size_t p = 0; p < a_Fun.m_vParams.size(); ++p) {
                if (a_Fun.m_vParams[p] == sName && (iEnd >= sBody.size() || sBody[iEnd] != '(')) {
                    sReplacement = "(" + a_vArgs[p].m_sWrittenOut + ")";
                }
            }
            sOut += sReplacement;
            i = iEnd;
        }
        return sOut;
    }

    std::mt19937 m_Random;
    std::vector<Function> m_vFunctions;
    const std::vector<std::string>* m_pParams = nullptr;
};

// The values of one text on every path: the compile pass, the machine code, the program's run
// loop and the bytecode walk, each from the same variable state; and the variables it leaves.
struct PathValues {
    double m_afValue[4];
    double m_afVars[4][4];
};

struct AgreementRow {
    const char* name;
    unsigned seed;
    bool folding;
};

void PrintTo(const AgreementRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ScriptCallAgreement : public ::testing::TestWithParam<AgreementRow> {};

TEST_P(ScriptCallAgreement, CallsGiveTheBodiesWrittenOutBitForBitOnEveryPath) {
    static const double aafStates[][4] = {{1.5, -2.25, 3, 0.75},
                                          {0, -0.0, 7, -1},
                                          {-3, 1e300, -1e-300, 2.5},
                                          {c_fNaN, 4, c_fInf, 6},
                                          {1e-310, -1.4e154, -c_fInf, 1e154}};
    double afVars[4] = {};
    WalkableParser parser;
    parser.AddVariable("a", &afVars[0]);
    parser.AddVariable("b", &afVars[1]);
    parser.AddVariable("c", &afVars[2]);
    parser.AddVariable("x", &afVars[3]);
    parser.SetFolding(GetParam().folding);
    ScriptFunctionTable table;
    parser.SetScriptFunctions(&table);

    CallGenerator generator(GetParam().seed);
    for (const int iParams : {1, 2, 3, 5, 1, 2}) {
        const std::string sLine = generator.Define(iParams);
        table.Define(*ReadFunctionHead(sLine), sLine);
    }

    auto runPaths = [&](const std::string& a_sText, const double(&a_afState)[4]) {
        PathValues values{};
        auto evaluate = [&](int a_iPath, auto a_Run) {
            std::copy(std::begin(a_afState), std::end(a_afState), afVars);
            values.m_afValue[a_iPath] = a_Run();
            std::copy(std::begin(afVars), std::end(afVars), values.m_afVars[a_iPath]);
        };
        parser.SetExpression(a_sText);
        evaluate(0, [&] { return parser.Evaluate(); });
        evaluate(1, [&] { return parser.Evaluate(); });
        parser.SetMachineCodeEnabled(false);
        evaluate(2, [&] { return parser.Evaluate(); });
        parser.SetMachineCodeEnabled(true);
        evaluate(3, [&] { return parser.InterpretBytecode(); });
        return values;
    };

    int iChecked = 0;
    for (int i = 0; i < 600; ++i) {
        const CallGenerator::Text text = generator.Expression(1 + i % 5);
        for (const auto& afState : aafStates) {
            const PathValues called = runPaths(text.m_sCalls, afState);
            const std::vector<ParserBytecode::word_type> vCalledCode(
                parser.Bytecode().Code(), parser.Bytecode().Code() + parser.Bytecode().Size());
            const PathValues written = runPaths(text.m_sWrittenOut, afState);
            ASSERT_EQ(vCalledCode, std::vector<ParserBytecode::word_type>(
                                       parser.Bytecode().Code(),
                                       parser.Bytecode().Code() + parser.Bytecode().Size()))
                << text.m_sCalls << "\n"
                << text.m_sWrittenOut;
            for (int iPath = 0; iPath < 4; ++iPath) {
                ASSERT_TRUE(SameBits(called.m_afValue[iPath], written.m_afValue[0]))
                    << "path " << iPath << ": " << text.m_sCalls << "\n"
                    << text.m_sWrittenOut << "\n"
                    << called.m_afValue[iPath] << " vs " << written.m_afValue[0];
                ASSERT_TRUE(SameBits(written.m_afValue[iPath], written.m_afValue[0]));
                for (int v = 0; v < 4; ++v) {
                    ASSERT_TRUE(SameBits(called.m_afVars[iPath][v], written.m_afVars[0][v]))
                        << text.m_sCalls;
                }
            }
            ++iChecked;
        }
    }
    EXPECT_EQ(iChecked, 3000);
}

INSTANTIATE_TEST_SUITE_P(Engine, ScriptCallAgreement,
                         ::testing::Values(AgreementRow{"Folding", 21, true},
                                           AgreementRow{"NoFolding", 22, false},
                                           AgreementRow{"FoldingOtherSeed", 23, true}),
                         RowName());

// Many values of one variable against the compile pass of the text written out for each value.
TEST(EvaluateMany, GivesEachSampleTheValueOfItsOwnEvaluation) {
    double afVars[4] = {0.5, -2, 3, 0};
    WalkableParser parser;
    WalkableParser reference;
    for (WalkableParser* pParser : {&parser, &reference}) {
        pParser->AddVariable("a", &afVars[0]);
        pParser->AddVariable("b", &afVars[1]);
        pParser->AddVariable("c", &afVars[2]);
        pParser->AddVariable("x", &afVars[3]);
    }
    ScriptFunctionTable table;
    parser.SetScriptFunctions(&table);
    CallGenerator generator(31);
    for (const int iParams : {1, 3, 2}) {
        const std::string sLine = generator.Define(iParams);
        table.Define(*ReadFunctionHead(sLine), sLine);
    }
    const std::vector<double> vX = {-2.5, -0.0, 0, 1e-3, 0.5, 1, 3.75, 100, c_fNaN, c_fInf};
    for (int i = 0; i < 300; ++i) {
        const CallGenerator::Text text = generator.Expression(1 + i % 4);
        std::vector<double> vY(vX.size());
        parser.SetExpression(text.m_sCalls);
        parser.EvaluateMany(&afVars[3], vX.data(), vY.data(), static_cast<int>(vX.size()));
        for (std::size_t k = 0; k < vX.size(); ++k) {
            afVars[3] = vX[k];
            reference.SetExpression(text.m_sWrittenOut);
            const double fExpected = reference.Evaluate();
            ASSERT_TRUE(SameBits(vY[k], fExpected))
                << text.m_sCalls << " at " << vX[k] << ": " << vY[k] << " vs " << fExpected;
        }
    }
}

} // namespace
