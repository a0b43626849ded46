// Every error an expression can cause, with its code, position and token. Positions count bytes
// of the expression as set, which ends with the blank the parser appends.
#include "TestParser.h"

#include <gtest/gtest.h>

using namespace mu;
using namespace enginetest;

namespace {

struct ErrorRow {
    const char* name;
    const char* expr;
    EParseError code;
    int position;
    const char* token;
};

void PrintTo(const ErrorRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ExpressionErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(ExpressionErrors, ReportCodePositionTokenAndKey) {
    const ErrorRow& row = GetParam();
    double a = 1;
    double b = 2;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    const ParserError e = ErrorOf(parser, row.expr);
    EXPECT_EQ(e.code(), row.code);
    EXPECT_EQ(e.position(), row.position);
    EXPECT_EQ(e.token(), row.token);
    EXPECT_EQ(e.message(), ErrorKeyTable::Instance()[row.code]);
    EXPECT_EQ(e.expression(), std::string(row.expr) + " ");
}

// Errors of the token reader.
INSTANTIATE_TEST_SUITE_P(
    Reader, ExpressionErrors,
    ::testing::Values(
        ErrorRow{"ValueAfterValue", "1 2", peUNEXPECTED_VALUE, 2, "2"},
        ErrorRow{"ValueAfterPostfix", "3m 4", peUNEXPECTED_VALUE, 3, "4"},
        ErrorRow{"ConstantAfterValue", "1 c10", peUNEXPECTED_VALUE, 2, "c10"},
        ErrorRow{"ValueAfterFunction", "sq 2", peUNEXPECTED_VALUE, 3, "2"},
        ErrorRow{"OpenBracketLeftOpen", "(1", peMISSING_BRACKET, 3, ")"},
        ErrorRow{"CloseWithoutOpen", "1)", peUNEXPECTED_BRACKET, 1, ")"},
        ErrorRow{"CloseAtStart", ")", peUNEXPECTED_BRACKET, 0, ")"},
        ErrorRow{"OneCloseTooMany", "(1))", peUNEXPECTED_BRACKET, 3, ")"},
        ErrorRow{"EmptyBracketsAfterOperator", "1+()", peUNEXPECTED_BRACKET, 3, ")"},
        ErrorRow{"OpenAfterValue", "1(", peUNEXPECTED_BRACKET, 1, "("},
        ErrorRow{"EmptyCallOfStringFunction", "strlen()", peUNEXPECTED_BRACKET, 7, ")"},
        ErrorRow{"CloseAfterSeparator", "sq(1,)", peUNEXPECTED_BRACKET, 5, ")"},
        ErrorRow{"FunctionAlone", "sq", peUNEXPECTED_END, 3, ""},
        ErrorRow{"EndAfterOperator", "1+", peUNEXPECTED_END, 3, ""},
        ErrorRow{"EndAfterOpen", "(", peUNEXPECTED_END, 2, ""},
        ErrorRow{"SignAlone", "-", peUNEXPECTED_END, 2, ""},
        ErrorRow{"EndAfterSign", "3*-", peUNEXPECTED_END, 4, ""},
        ErrorRow{"SeparatorAfterSign", "sum(1,-,2)", peUNEXPECTED_SEPARATOR, 7, ","},
        ErrorRow{"AssignmentAfterValue", "1=2", peUNEXPECTED_OPERATOR, 1, "="},
        ErrorRow{"AssignmentAfterBracket", "(a)=1", peUNEXPECTED_OPERATOR, 3, "="},
        ErrorRow{"OrAtStart", "orange", peUNEXPECTED_OPERATOR, 0, "or"},
        ErrorRow{"AndAtStart", "andy", peUNEXPECTED_OPERATOR, 0, "and"},
        ErrorRow{"XorAfterOperator", "1+xorb", peUNEXPECTED_OPERATOR, 2, "xor"},
        ErrorRow{"DoubleSign", "--1", peUNEXPECTED_OPERATOR, 0, "-"},
        ErrorRow{"BinaryOperatorAfterFunction", "sq+1", peUNEXPECTED_OPERATOR, 2, "+"},
        ErrorRow{"UserOperatorAtStart", "mod 1", peUNEXPECTED_OPERATOR, 0, "mod"},
        ErrorRow{"InfixAfterInfix", "- ~1", peUNEXPECTED_OPERATOR, 3, "~"},
        ErrorRow{"PostfixAfterVariable", "a m", peUNEXPECTED_OPERATOR, 2, "m"},
        ErrorRow{"PostfixTwice", "3mm", peUNEXPECTED_OPERATOR, 2, "m"},
        ErrorRow{"UnterminatedString", "\"ab", peUNTERMINATED_STRING, 0, "\""},
        ErrorRow{"EscapedClosingQuote", "1+\"ab\\\"", peUNTERMINATED_STRING, 2, "\""},
        ErrorRow{"StringAfterValue", "1\"a\"", peUNEXPECTED_STRING, 1, "a"},
        ErrorRow{"StringAfterString", "strlen(\"a\"\"b\")", peUNEXPECTED_STRING, 10, "b"},
        ErrorRow{"StringAfterSign", "-\"a\"", peUNEXPECTED_STRING, 1, "a"},
        ErrorRow{"FunctionAfterValue", "1 sq(2)", peUNEXPECTED_FUNCTION, 2, "sq"},
        ErrorRow{"VariableAfterVariable", "a b", peUNEXPECTED_VARIABLE, 2, "b"},
        ErrorRow{"StringConstantAfterValue", "1 greeting", peUNEXPECTED_VARIABLE, 2, "greeting"},
        ErrorRow{"SeparatorAfterOpen", "sq(,1)", peUNEXPECTED_SEPARATOR, 3, ","},
        ErrorRow{"UnknownName", "1+foo", peUNKNOWN_TOKEN, 2, "foo"},
        ErrorRow{"TabBeforeName", "\tx", peUNKNOWN_TOKEN, 0, "\tx "},
        ErrorRow{"UnknownCharacter", "1#2", peUNKNOWN_TOKEN, 1, "#2 "},
        ErrorRow{"NumberOutOfRange", "1e999", peUNKNOWN_TOKEN, 0, "1e999"}),
    RowName());

// Errors of the compile pass.
INSTANTIATE_TEST_SUITE_P(
    Compiler, ExpressionErrors,
    ::testing::Values(
        ErrorRow{"SeparatorOutsideBrackets", "1,2", peUNEXPECTED_SEPARATOR, 2, ""},
        ErrorRow{"SeparatorAtStart", ",1", peUNEXPECTED_SEPARATOR, 1, ""},
        ErrorRow{"ArgumentsWithoutFunction", "(1,2)", peUNEXPECTED_ARGUMENT, 5, ""},
        ErrorRow{"ArgumentsAfterUserOperator", "7 mod (1,2)", peUNEXPECTED_ARGUMENT, 11, ""},
        ErrorRow{"ArgumentsAfterSign", "-(1,2)", peUNEXPECTED_ARGUMENT, 6, ""},
        ErrorRow{"BlankExpression", "   ", peEMPTY_EXPRESSION, -1, ""},
        ErrorRow{"EmptyText", "", peEMPTY_EXPRESSION, -1, ""},
        ErrorRow{"StringLiteralResult", "\"a\"", peSTRING_RESULT, -1, ""},
        ErrorRow{"StringConstantResult", "greeting", peSTRING_RESULT, -1, ""},
        ErrorRow{"StringInBracketsResult", "((\"a\"))", peSTRING_RESULT, -1, ""},
        ErrorRow{"StringPlusNumber", "\"a\"+1", peOPERAND_TYPE_CONFLICT, 6, "+"},
        ErrorRow{"NumberPlusString", "1+\"a\"", peOPERAND_TYPE_CONFLICT, 6, "+"},
        ErrorRow{"TwoStrings", "\"a\"<\"b\"", peOPERAND_TYPE_CONFLICT, 8, "<"},
        ErrorRow{"ChainedAssignment", "a=b=3", peUNEXPECTED_OPERATOR, -1, "="},
        ErrorRow{"AssignmentToResult", "-a=2", peUNEXPECTED_OPERATOR, -1, "="},
        ErrorRow{"TooManyArguments", "sq(1,2)", peTOO_MANY_ARGUMENTS, 6, "sq"},
        ErrorRow{"TooManyForString", "strlen(\"a\",1)", peTOO_MANY_ARGUMENTS, 12, "strlen"},
        ErrorRow{"TooFewArguments", "sub(1)", peTOO_FEW_ARGUMENTS, 5, "sub"},
        ErrorRow{"EmptyCallOfFun1", "sq()", peTOO_FEW_ARGUMENTS, 3, "sq"},
        ErrorRow{"EmptyCallOfFunN", "sum()", peTOO_FEW_ARGUMENTS, 5, "sum"},
        ErrorRow{"TooFewForString", "strplus(\"a\")", peTOO_FEW_ARGUMENTS, 11, "strplus"},
        ErrorRow{"StringToNumericFunction", "sq(\"a\")", peVALUE_EXPECTED, 7, "sq"},
        ErrorRow{"StringToMultiArgument", "sum(1,\"a\")", peVALUE_EXPECTED, 10, "sum"},
        ErrorRow{"StringToPostfix", "(\"a\")m", peVALUE_EXPECTED, 6, "m"},
        ErrorRow{"StringToSign", "-(\"a\")", peVALUE_EXPECTED, 7, "-"},
        ErrorRow{"StringToUserOperator", "\"a\" mod 1", peVALUE_EXPECTED, 10, "mod"},
        ErrorRow{"StringAsNumberOfStringFunction", "strplus(\"a\",\"b\")", peVALUE_EXPECTED, 16,
                 "strplus"},
        ErrorRow{"StringFunctionRefuses", "strfail(\"a\")", peVALUE_EXPECTED, 12, "strfail"},
        ErrorRow{"NumberToStringFunction", "strlen(1)", peSTRING_EXPECTED, 9, "strlen"},
        ErrorRow{"ExpressionToStringFunction", "strplus(1+1,2)", peSTRING_EXPECTED, 14, "strplus"}),
    RowName());

TEST(CompileErrors, ClearedOrNeverSetExpressionEndsAtOnce) {
    EngineTestParser parser;
    try {
        parser.Evaluate();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peUNEXPECTED_END);
        EXPECT_EQ(e.position(), 0);
        EXPECT_EQ(e.token(), "");
    }
    parser.SetExpression("1");
    EXPECT_EQ(parser.Evaluate(), 1);
    parser.ClearExpression();
    EXPECT_EQ(parser.Expression(), "");
    try {
        parser.Evaluate();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peUNEXPECTED_END);
        EXPECT_EQ(e.position(), 0);
    }
}

TEST(CompileErrors, FailedCompilationIsRetriedFromTheStart) {
    EngineTestParser parser;
    parser.SetExpression("sq(");
    for (int i = 0; i < 2; ++i) {
        try {
            parser.Evaluate();
            ADD_FAILURE() << "no error";
        } catch (const ParserError& e) {
            EXPECT_EQ(e.code(), peUNEXPECTED_END);
            EXPECT_EQ(e.position(), 4);
        }
    }
}

TEST(InternalErrors, PrecedenceOfAnOperandIsAnInternalError) {
    EngineTestParser parser;
    parser.SetExpression("1");
    ParserToken<double, std::string> value;
    value.SetValue(1, "1");
    try {
        parser.OperatorPrecedence(value);
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peINTERNAL);
        EXPECT_EQ(e.position(), 5);
        EXPECT_EQ(e.expression(), "1 ");
    }
    ParserToken<double, std::string> binop;
    binop.Set(cmBINOP, "op");
    try {
        parser.OperatorPrecedence(binop);
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), -1);
    }
}

TEST(InternalErrors, PrecedenceTable) {
    EngineTestParser parser;
    ParserToken<double, std::string> tok;
    const std::pair<ECmd, int> aExpected[] = {
        {cmEND, -5}, {cmSEP, -4}, {cmOPEN, -2}, {cmCLOSE, -2}, {cmASSIGN, -1},
        {cmAND, 1},  {cmOR, 1},   {cmXOR, 1},   {cmLE, 2},     {cmGE, 2},
        {cmNEQ, 2},  {cmEQ, 2},   {cmLT, 2},    {cmGT, 2},     {cmADD, 3},
        {cmSUB, 3},  {cmMUL, 4},  {cmDIV, 4},   {cmPOW, 5}};
    for (const auto& [iCode, iPrec] : aExpected) {
        tok.Set(iCode, "");
        EXPECT_EQ(parser.OperatorPrecedence(tok), iPrec) << "code " << iCode;
    }
    const ParserCallback mod(Mod, true, 7, cmBINOP);
    tok.Set(mod, "mod");
    EXPECT_EQ(parser.OperatorPrecedence(tok), 7);
    const ParserCallback neg(Neg, true, 6, cmINFIX);
    tok.Set(neg, "-");
    EXPECT_EQ(parser.OperatorPrecedence(tok), 6);
}

} // namespace
