// The error object: its three forms, marker substitution and the key table.
#include "TestParser.h"

#include <gtest/gtest.h>

using namespace mu;
using namespace enginetest;

namespace {

struct KeyRow {
    const char* name;
    int code;
    const char* key;
};

void PrintTo(const KeyRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class ErrorKeys : public ::testing::TestWithParam<KeyRow> {};

TEST_P(ErrorKeys, CodeSelectsItsKey) {
    EXPECT_EQ(ErrorKeyTable::Instance()[GetParam().code], GetParam().key);
    const ParserError e(static_cast<EParseError>(GetParam().code), "tok", "expr", 3);
    EXPECT_EQ(e.message(), GetParam().key);
    EXPECT_EQ(e.code(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ErrorKeys,
    ::testing::Values(
        KeyRow{"UnexpectedOperator", 0, "IDS_PARSE_E03"},
        KeyRow{"UnknownToken", 1, "IDS_PARSE_E01"}, KeyRow{"UnexpectedEnd", 2, "IDS_PARSE_E12"},
        KeyRow{"UnexpectedSeparator", 3, "IDS_PARSE_E02"},
        KeyRow{"UnexpectedArgument", 4, "IDS_PARSE_E02"},
        KeyRow{"UnexpectedValue", 5, "IDS_PARSE_E06"},
        KeyRow{"UnexpectedVariable", 6, "IDS_PARSE_E07"},
        KeyRow{"UnexpectedBracket", 7, "IDS_PARSE_E04"},
        KeyRow{"UnexpectedString", 8, "IDS_PARSE_E02"},
        KeyRow{"StringExpected", 9, "IDS_PARSE_E02"}, KeyRow{"ValueExpected", 10, "IDS_PARSE_E02"},
        KeyRow{"MissingBracket", 11, "IDS_PARSE_E08"},
        KeyRow{"UnexpectedFunction", 12, "IDS_PARSE_E05"},
        KeyRow{"UnterminatedString", 13, "IDS_PARSE_E02"},
        KeyRow{"TooManyArguments", 14, "IDS_PARSE_E09"},
        KeyRow{"TooFewArguments", 15, "IDS_PARSE_E10"},
        KeyRow{"OperandTypeConflict", 16, "IDS_PARSE_E02"},
        KeyRow{"StringResult", 17, "IDS_PARSE_E02"}, KeyRow{"InvalidName", 18, "IDS_PARSE_E02"},
        KeyRow{"BuiltinOverload", 19, "IDS_PARSE_E02"},
        KeyRow{"InvalidFunction", 20, "IDS_PARSE_E02"},
        KeyRow{"InvalidVariable", 21, "IDS_PARSE_E02"},
        KeyRow{"EmptyExpression", 22, "IDS_PARSE_E02"}, KeyRow{"NameConflict", 23, "IDS_PARSE_E02"},
        KeyRow{"Reserved24", 24, "IDS_PARSE_E02"}, KeyRow{"Reserved25", 25, "IDS_PARSE_E02"},
        KeyRow{"Reserved26", 26, "IDS_PARSE_E11"}, KeyRow{"Message", 27, "IDS_PARSE_E02"},
        KeyRow{"Reserved28", 28, "IDS_PARSE_E02"}, KeyRow{"Internal", 29, "IDS_PARSE_E02"}),
    RowName());

TEST(ErrorKeyTable, IndexOutsideTheTableGivesTheEmptyString) {
    EXPECT_EQ(ErrorKeyTable::Instance()[30], "");
    EXPECT_EQ(ErrorKeyTable::Instance()[-1], "");
    EXPECT_EQ(&ErrorKeyTable::Instance(), &ErrorKeyTable::Instance());
}

TEST(ParserError, CodedFormKeepsEverything) {
    const ParserError e(peUNEXPECTED_VALUE, "2", "1 2 ", 2);
    EXPECT_EQ(e.code(), peUNEXPECTED_VALUE);
    EXPECT_EQ(e.message(), "IDS_PARSE_E06");
    EXPECT_EQ(e.token(), "2");
    EXPECT_EQ(e.expression(), "1 2 ");
    EXPECT_EQ(e.position(), 2);
    const ParserError copy = e;
    EXPECT_EQ(copy.message(), e.message());
    EXPECT_EQ(copy.expression(), e.expression());
}

TEST(ParserError, CodeOnlyFormKeepsNoCode) {
    const ParserError e(peINTERNAL);
    EXPECT_EQ(e.code(), -1);
    EXPECT_EQ(e.position(), -1);
    EXPECT_EQ(e.token(), "");
    EXPECT_EQ(e.expression(), "");
    EXPECT_EQ(e.message(), "parser error");
}

struct MarkerRow {
    const char* name;
    const char* message;
    int position;
    const char* token;
    const char* expected;
};

void PrintTo(const MarkerRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class MarkerSubstitution : public ::testing::TestWithParam<MarkerRow> {};

TEST_P(MarkerSubstitution, ReplacesPositionThenToken) {
    const MarkerRow& row = GetParam();
    const ParserError e(row.message, row.position, row.token);
    EXPECT_EQ(e.message(), row.expected);
    EXPECT_EQ(e.code(), peMESSAGE);
    EXPECT_EQ(e.position(), row.position);
    EXPECT_EQ(e.token(), row.token);
    EXPECT_EQ(e.expression(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Engine, MarkerSubstitution,
    ::testing::Values(MarkerRow{"Both", "at $POS$: $TOK$", 7, "x", "at 7: x"},
                      MarkerRow{"NoPosition", "at $POS$: $TOK$", -1, "x", "at -1: x"},
                      MarkerRow{"Repeated", "$TOK$$TOK$ $POS$$POS$", 12, "ab", "abab 1212"},
                      MarkerRow{"TokenHoldingMarker", "[$TOK$]", 3, "$POS$", "[$POS$]"},
                      MarkerRow{"NoMarkers", "stack is empty.", -1, "", "stack is empty."},
                      MarkerRow{"PartialMarker", "$POS $TOK", 1, "t", "$POS $TOK"},
                      MarkerRow{"EmptyToken", "<$TOK$>", 0, "", "<>"}),
    RowName());

TEST(ParserError, ReplaceAllDoesNotSearchReplacementsAgain) {
    EXPECT_EQ(ParserError::ReplaceAll("aXbX", "X", "XX"), "aXXbXX");
    EXPECT_EQ(ParserError::ReplaceAll("", "X", "Y"), "");
    EXPECT_EQ(ParserError::ReplaceAll("XXX", "XX", "-"), "-X");
}

TEST(ParserError, UnknownNameCarriesCodeKeyTokenPositionAndExpression) {
    EngineTestParser parser;
    const ParserError e = ErrorOf(parser, "1+foo");
    EXPECT_EQ(e.code(), peUNKNOWN_TOKEN);
    EXPECT_EQ(e.message(), "IDS_PARSE_E01");
    EXPECT_EQ(e.token(), "foo");
    EXPECT_EQ(e.position(), 2);
    EXPECT_EQ(e.expression(), "1+foo ");
}

} // namespace
