#include "Parser.h"

#include <gtest/gtest.h>

#include <ostream>

#include <map>
#include <sstream>
#include <string>

namespace {

// A parser that creates variables on demand, as the application's runs do.
class ScriptParser {
public:
    ScriptParser() { m_Parser.SetVariableFactory(Create, this); }

    double Eval(const std::string& a_sExpr) {
        m_Parser.SetExpression(a_sExpr);
        return m_Parser.Evaluate();
    }
    std::string Dump() const {
        std::ostringstream stream;
        m_Parser.Bytecode().Dump(stream);
        return stream.str();
    }
    // A variable defined before the expression is read, so the factory does not reset it.
    double& Var(const std::string& a_sName) {
        double& fVar = m_Vars[a_sName];
        m_Parser.AddVariable(a_sName, &fVar);
        return fVar;
    }

private:
    static double* Create(const char* a_szName, void* a_pSelf) {
        double& fVar = static_cast<ScriptParser*>(a_pSelf)->m_Vars[a_szName];
        fVar = 0;
        return &fVar;
    }

    std::map<std::string, double> m_Vars; // nodes keep their addresses
    mu::Parser m_Parser;
};

int CountLines(const std::string& a_sText, const std::string& a_sStart) {
    int iCount = 0;
    std::istringstream stream(a_sText);
    for (std::string sLine; std::getline(stream, sLine);) {
        const auto iTab = sLine.find('\t');
        if (iTab != std::string::npos && sLine.compare(iTab + 1, a_sStart.size(), a_sStart) == 0) {
            ++iCount;
        }
    }
    return iCount;
}

struct ValueCase {
    const char* name;
    const char* expr;
    double expected;
};

void PrintTo(const ValueCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class ParserValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ParserValueTest, Evaluates) {
    ScriptParser parser;
    EXPECT_EQ(GetParam().expected, parser.Eval(GetParam().expr));
}

const ValueCase kValueCases[] = {
    {"sign_binds_looser_than_power", "-2^2", -4},
    {"sign_with_product", "-2*3", -6},
    {"sign_after_operator", "2*-3", -6},
    {"sign_in_exponent", "2^-2", 0.25},
    {"sign_before_bracket", "-(2+3)", -5},
    {"sign_before_function", "-sqrt(4)", -2},
    {"power_groups_left", "2^3^2", 64},
    {"exponent_literal", "3.5e2", 350},
    {"exponent_with_plus", "2e+1", 20},
    {"capital_exponent", "1E3+1", 1001},
    {"trailing_point", "5.", 5},
    {"leading_point", ".5", 0.5},
    {"hexadecimal", "0x10", 16},
    {"subnormal_literal", "4.9e-324*2^1000*2^74", 1},
    {"number_after_tab", "1+\t2", 3},
    {"tab_at_start", "\t2", 2},
    {"literal_at_end", "7", 7},
    {"line_feed_ends_expression", "2\n+3", 2},
};

INSTANTIATE_TEST_SUITE_P(Parser, ParserValueTest, testing::ValuesIn(kValueCases),
                         [](const testing::TestParamInfo<ValueCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

struct ErrorCase {
    const char* name;
    const char* expr;
    int code;
    int position;
    const char* token;
};

void PrintTo(const ErrorCase& a_Row, std::ostream* a_pOs) {
    *a_pOs << a_Row.name;
}

class ParserRejectsTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParserRejectsTest, RaisesPositionedError) {
    const ErrorCase& c = GetParam();
    ScriptParser parser;
    try {
        parser.Eval(c.expr);
        FAIL() << "no error for " << c.expr;
    } catch (const mu::ParserError& e) {
        EXPECT_EQ(c.code, e.code());
        EXPECT_EQ(c.position, e.position());
        EXPECT_EQ(c.token, e.token());
    }
}

const ErrorCase kErrorCases[] = {
    {"overflowing_literal", "1e999", mu::peUNKNOWN_TOKEN, 0, "1e999"},
    {"overflowing_literal_in_sum", "2+1e999", mu::peUNKNOWN_TOKEN, 2, "1e999"},
    {"underflowing_literal", "1e-999", mu::peUNKNOWN_TOKEN, 0, "1e"},
    {"digit_started_name", "2abc", mu::peUNEXPECTED_VARIABLE, 1, "abc"},
    {"exponent_sign_then_name", "2e+y", mu::peUNEXPECTED_VARIABLE, 3, "y"},
    {"second_point", "1.2.3", mu::peUNEXPECTED_VALUE, 3, ".3"},
    {"hexadecimal_with_point", "0x1.5", mu::peUNKNOWN_TOKEN, 0, "0x1.5"},
    {"sign_alone", "-", mu::peUNEXPECTED_END, 2, ""},
    {"sign_at_end", "1+-", mu::peUNEXPECTED_END, 4, ""},
    {"sign_before_close", "(-)", mu::peUNEXPECTED_BRACKET, 2, ")"},
    {"double_sign", "--2", mu::peUNEXPECTED_OPERATOR, 0, "-"},
    {"plus_is_no_sign", "+2", mu::peUNEXPECTED_OPERATOR, 0, "+"},
    {"too_many_arguments", "sin(1,2)", mu::peTOO_MANY_ARGUMENTS, 7, "sin"},
    {"too_few_arguments", "pow(1)", mu::peTOO_FEW_ARGUMENTS, 5, "pow"},
    {"empty_sum", "sum()", mu::peTOO_FEW_ARGUMENTS, 5, "sum"},
    {"round_of_three", "round(1,2,3)", mu::peTOO_MANY_ARGUMENTS, 11, "round"},
};

INSTANTIATE_TEST_SUITE_P(Parser, ParserRejectsTest, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& a_Info) {
                             return std::string(a_Info.param.name);
                         });

TEST(ParserSetup, CharacterSets) {
    const mu::Parser parser;
    EXPECT_EQ("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
              parser.NameChars());
    EXPECT_EQ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ+-*^/?<>=#!$%&|~'_",
              parser.OperatorChars());
    EXPECT_EQ("/+-*^?<>=#!$%&|~'_", parser.InfixOperatorChars());
}

TEST(ParserFolding, ConstantBuiltinCallsFoldToOneValue) {
    ScriptParser parser;
    EXPECT_EQ(5, parser.Eval("sin(0)+cos(0)*fac(3)+if(1,1,0)-max(1,2,-1)+log(1)"));
    const std::string sDump = parser.Dump();
    EXPECT_EQ(1, CountLines(sDump, "VAL")) << sDump;
    EXPECT_EQ(0, CountLines(sDump, "CALL")) << sDump;
    EXPECT_NE(std::string::npos, sDump.find("VAL [5]")) << sDump;
}

TEST(ParserFolding, SignAndDateFunctionsFold) {
    ScriptParser parser;
    EXPECT_EQ(-20100101, parser.Eval("-dayadd(20091231,1)"));
    const std::string sDump = parser.Dump();
    EXPECT_EQ(1, CountLines(sDump, "VAL")) << sDump;
    EXPECT_EQ(0, CountLines(sDump, "CALL")) << sDump;
}

TEST(ParserFolding, CallOnVariableStaysACall) {
    ScriptParser parser;
    parser.Var("x") = 0;
    EXPECT_EQ(2, parser.Eval("cos(x)*sqrt(4)"));
    const std::string sDump = parser.Dump();
    EXPECT_EQ(1, CountLines(sDump, "CALL")) << sDump;
    EXPECT_EQ(1, CountLines(sDump, "VAR")) << sDump;
    EXPECT_NE(std::string::npos, sDump.find("VAL [2]")) << sDump;
    parser.Var("x") = 3.141592653589793;
    EXPECT_EQ(-2, parser.Eval("cos(x)*sqrt(4)"));
}

TEST(ParserFolding, MultiArgumentCallOnVariablesKeepsItsCount) {
    ScriptParser parser;
    parser.Var("x") = 1;
    parser.Var("y") = 2;
    EXPECT_EQ(6, parser.Eval("sum(x,y,3)"));
    EXPECT_NE(std::string::npos, parser.Dump().find("[ARG:-3]")) << parser.Dump();
}

} // namespace
