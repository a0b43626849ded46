// The token reader on its own: token kinds, texts and the flag word each token leaves.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace mu;
using namespace enginetest;

namespace {

const char* const c_aszCmdNames[] = {"LE",      "GE",   "NEQ",   "EQ",      "LT",    "GT",  "ADD",
                                     "SUB",     "MUL",  "DIV",   "POW",     "AND",   "OR",  "XOR",
                                     "ASSIGN",  "OPEN", "CLOSE", "SEP",     "VAR",   "VAL", "FUNC",
                                     "STRFUNC", "STR",  "BINOP", "POSTFIX", "INFIX", "END", "NONE"};

// Reads a_sExpr (with the appended blank) and describes each token as CODE'text'FLAGS.
std::string ReadAll(ParserTokenReader& a_Reader, const std::string& a_sExpr) {
    a_Reader.SetExpression(a_sExpr + " ");
    std::string sResult;
    for (int i = 0; i < 64; ++i) {
        const ParserToken<double, std::string> tok = a_Reader.NextToken();
        char szFlags[16];
        std::snprintf(szFlags, sizeof(szFlags), "%X", a_Reader.SyntaxFlags());
        sResult += (sResult.empty() ? "" : " ") + std::string(c_aszCmdNames[tok.Cmd()]) + "'" +
                   std::string(tok.Text()) + "'" + szFlags;
        if (tok.Cmd() == cmEND) {
            break;
        }
    }
    return sResult;
}

struct ReadRow {
    const char* name;
    const char* expr;
    const char* tokens;
};

void PrintTo(const ReadRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class TokenSequences : public ::testing::TestWithParam<ReadRow> {};

TEST_P(TokenSequences, ReadWithTheirFlagWords) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    ParserTokenReader reader(&parser);
    reader.AddValueReader(ReadTestNumber);
    EXPECT_EQ(ReadAll(reader, GetParam().expr), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, TokenSequences,
    ::testing::Values(
        ReadRow{"Sum", "1+2", "VAL'1'D2D ADD'+'AD2 VAL'2'D2D END''0"},
        ReadRow{"Call", "sq(2)", "FUNC'sq'FFE OPEN'('AD0 VAL'2'D2D CLOSE')'D2D END''0"},
        ReadRow{"EmptyCall", "f0()", "FUNC'f0'FFE OPEN'('AD0 CLOSE')'D2D END''0"},
        ReadRow{"Bracket", "(1)", "OPEN'('AD2 VAL'1'D2D CLOSE')'D2D END''0"},
        ReadRow{"Sign", "-1", "INFIX'-'FD2 VAL'1'D2D END''0"},
        ReadRow{"PostfixPrefixOfRun", "3m+5", "VAL'3'D2D POSTFIX'm'CAD ADD'+'AD2 VAL'5'D2D END''0"},
        ReadRow{"Assignment", "a=3", "VAR'a'5AD ASSIGN'='AD2 VAL'3'D2D END''0"},
        ReadRow{"Separator", "sum(1,2)",
                "FUNC'sum'FFE OPEN'('AD0 VAL'1'D2D SEP','AD2 VAL'2'D2D CLOSE')'D2D END''0"},
        ReadRow{"SeparatorAtTopLevel", ",1", "SEP','AD2 VAL'1'D2D END''0"},
        ReadRow{"UserBinary", "5 mod 3", "VAL'5'D2D BINOP'mod'AD2 VAL'3'D2D END''0"},
        ReadRow{"Infix", "~1", "INFIX'~'FD2 VAL'1'D2D END''0"},
        ReadRow{"StringLiteral", "strlen(\"ab\\\"c\")",
                "STRFUNC'strlen'FFE OPEN'('AD2 STR'ab\"c'DAD CLOSE')'D2D END''0"},
        ReadRow{"EmptyStringLiteral", "\"\"", "STR''DAD END''0"},
        ReadRow{"BackslashNotBeforeQuote", "\"a\\b\"", "STR'a\\b'DAD END''0"},
        ReadRow{"EscapedQuoteFirst", "\"\\\"x\"", "STR'\"x'DAD END''0"},
        ReadRow{"StringConstant", "greeting", "STR'hello'DAD END''0"},
        ReadRow{"Constant", "c10", "VAL'c10'D2D END''0"},
        ReadRow{"TwoCharacterComparisons", "1<=2>=3!=4==5",
                "VAL'1'D2D LE'<='AD2 VAL'2'D2D GE'>='AD2 VAL'3'D2D NEQ'!='AD2 VAL'4'D2D "
                "EQ'=='AD2 VAL'5'D2D END''0"},
        ReadRow{"OneCharacterComparisons", "1<2>3",
                "VAL'1'D2D LT'<'AD2 VAL'2'D2D GT'>'AD2 "
                "VAL'3'D2D END''0"},
        ReadRow{"WordOperators", "1 and 2 or 3 xor 4",
                "VAL'1'D2D AND'and'AD2 VAL'2'D2D OR'or'AD2 VAL'3'D2D XOR'xor'AD2 VAL'4'D2D "
                "END''0"},
        ReadRow{"Arithmetic", "1-2*3/4^5",
                "VAL'1'D2D SUB'-'AD2 VAL'2'D2D MUL'*'AD2 VAL'3'D2D DIV'/'AD2 VAL'4'D2D "
                "POW'^'AD2 VAL'5'D2D END''0"},
        ReadRow{"LineFeedEnds", "1\n2", "VAL'1'D2D END''0"},
        ReadRow{"OnlyBlanksSkipped", "  1  ", "VAL'1'D2D END''0"}, ReadRow{"Empty", "", "END''0"}),
    RowName());

TEST(TokenReader, RestartsAndKeepsReturningTheEnd) {
    EngineTestParser parser;
    ParserTokenReader reader(&parser);
    reader.AddValueReader(ReadTestNumber);
    reader.SetExpression("(1 ");
    EXPECT_EQ(reader.SyntaxFlags(), 0x8C2);
    reader.NextToken();
    EXPECT_EQ(reader.OpenBrackets(), 1);
    reader.SetExpression("7 ");
    EXPECT_EQ(reader.Position(), 0);
    EXPECT_EQ(reader.OpenBrackets(), 0);
    EXPECT_EQ(reader.NextToken().Value(), 7);
    EXPECT_EQ(reader.NextToken().Cmd(), cmEND);
    const int iEnd = reader.Position();
    EXPECT_EQ(iEnd, 2);
    EXPECT_EQ(reader.NextToken().Cmd(), cmEND);
    EXPECT_EQ(reader.Position(), iEnd);
}

TEST(TokenReader, NulByteEndsTheText) {
    EngineTestParser parser;
    parser.SetExpression(std::string("1\0+2", 4));
    EXPECT_EQ(parser.Evaluate(), 1);
}

TEST(TokenReader, LiteralLeavesThePositionAfterItsClosingQuote) {
    EngineTestParser parser;
    ParserTokenReader reader(&parser);
    reader.SetExpression("\"ab\\\"c\"+ ");
    const ParserToken<double, std::string> tok = reader.NextToken();
    EXPECT_EQ(tok.Text(), "ab\"c");
    EXPECT_EQ(reader.Position(), 7);
}

TEST(TokenReader, UndefinedNameCallsTheFactoryOnceThenReadsAVariable) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    parser.SetExpression("fresh*2+fresh");
    EXPECT_EQ(parser.Evaluate(), 0);
    ASSERT_EQ(store.m_Names, std::vector<std::string>{"fresh"});
    ASSERT_EQ(parser.Variables().count("fresh"), 1u);
    EXPECT_EQ(parser.Variables().at("fresh"), &store.m_Values[0]);

    store.m_Values[0] = 5;
    EXPECT_EQ(parser.Evaluate(), 15);
    parser.SetExpression("fresh+1");
    EXPECT_EQ(parser.Evaluate(), 6);
    EXPECT_EQ(store.m_Names.size(), 1u);
}

TEST(TokenReader, FactoryAssignmentCreatesAndStores) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    parser.SetExpression("r=2");
    EXPECT_EQ(parser.Evaluate(), 2);
    parser.SetExpression("3*r^2");
    EXPECT_EQ(parser.Evaluate(), 12);
    EXPECT_EQ(store.m_Values[0], 2);
}

struct FactoryErrorRow {
    const char* name;
    const char* expr;
    EParseError code;
    int position;
    const char* token;
};

void PrintTo(const FactoryErrorRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class FactoryErrors : public ::testing::TestWithParam<FactoryErrorRow> {};

TEST_P(FactoryErrors, ReportCodePositionAndToken) {
    EngineTestParser parser;
    VariableStore store;
    parser.SetVariableFactory(VariableStore::Create, &store);
    const ParserError e = ErrorOf(parser, GetParam().expr);
    EXPECT_EQ(e.code(), GetParam().code);
    EXPECT_EQ(e.position(), GetParam().position);
    EXPECT_EQ(e.token(), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, FactoryErrors,
    ::testing::Values(
        FactoryErrorRow{"UndefinedAfterValue", "1 zz", peUNEXPECTED_VARIABLE, 2, "zz"},
        FactoryErrorRow{"UndefinedAfterUndefined", "y zz", peUNEXPECTED_VARIABLE, 2, "zz"},
        // A run that starts with a digit is a malformed number, never a variable.
        FactoryErrorRow{"NumberOutOfRange", "1e999", peUNKNOWN_TOKEN, 0, "1e999"},
        FactoryErrorRow{"DigitsThenLetters", "1+2abc", peUNEXPECTED_VARIABLE, 3, "abc"},
        FactoryErrorRow{"TabBeforeName", "\tx", peUNKNOWN_TOKEN, 0, "\tx "}),
    RowName());

TEST(TokenReader, AcceptedUndefinedNameReadsAsZero) {
    EngineTestParser parser;
    ParserTokenReader reader(&parser);
    reader.SetAcceptUndefined(true);
    reader.SetExpression("ghost ");
    const ParserToken<double, std::string> tok = reader.NextToken();
    EXPECT_EQ(tok.Cmd(), cmVAR);
    EXPECT_EQ(tok.Text(), "ghost");
    EXPECT_EQ(tok.Value(), 0);
    EXPECT_EQ(reader.SyntaxFlags(), 0x5AD);
    ASSERT_EQ(reader.UsedVariables().count("ghost"), 1u);
    EXPECT_EQ(reader.UsedVariables().at("ghost"), nullptr);
    EXPECT_TRUE(parser.Variables().empty());
}

TEST(TokenReader, FactoryWithoutStorageIsAnError) {
    EngineTestParser parser;
    parser.SetVariableFactory([](const char*, void*) -> double* { return nullptr; }, nullptr);
    const ParserError e = ErrorOf(parser, "1+nostore");
    EXPECT_EQ(e.code(), peINVALID_VARIABLE);
    EXPECT_EQ(e.position(), 2);
    EXPECT_EQ(e.token(), "nostore");
    EXPECT_EQ(parser.Variables().count("nostore"), 0u);
}

TEST(TokenReader, SeparatorCanBeChanged) {
    EngineTestParser parser;
    parser.SetExpression("sum(1,2)");
    EXPECT_EQ(parser.Evaluate(), 3);
    parser.SetSeparator(';');
    EXPECT_EQ(parser.Separator(), ';');
    parser.SetExpression("sum(1;2;3)");
    EXPECT_EQ(parser.Evaluate(), 6);
    const ParserError e = ErrorOf(parser, "sum(1,2)");
    EXPECT_EQ(e.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(e.position(), 5);
}

// A reader that declares where its literals start is asked there, also when it comes after a
// compilation.
TEST(TokenReader, ValueReaderAddedLaterIsAskedAtItsFirstBytes) {
    EngineTestParser parser;
    EXPECT_EQ(ErrorOf(parser, "1+#").code(), peUNKNOWN_TOKEN);
    parser.AddValueReader(
        [](const char* a_szExpr, int* a_iPos, double* a_fVal) {
            if (a_szExpr[0] != '#') {
                return 0;
            }
            *a_fVal = 40;
            *a_iPos += 1;
            return 1;
        },
        "#");
    parser.SetExpression("1+#");
    EXPECT_EQ(parser.Evaluate(), 41);
}

TEST(TokenReader, DefaultOperatorsSwitchedOffAreNotRecognised) {
    EngineTestParser parser;
    parser.SetDefaultOperatorsEnabled(false);
    EXPECT_FALSE(parser.DefaultOperatorsEnabled());
    const ParserError e = ErrorOf(parser, "1*2");
    EXPECT_EQ(e.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(e.position(), 1);
    EXPECT_EQ(e.token(), "*2 ");
    parser.SetExpression("sq((3))");
    EXPECT_EQ(parser.Evaluate(), 9);
}

} // namespace
