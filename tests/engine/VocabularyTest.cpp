// Callback records, tokens, stacks and name tables.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>

using namespace mu;
using namespace enginetest;

namespace {

using Token = ParserToken<double, std::string>;

struct CallbackRow {
    const char* name;
    ParserCallback callback;
    int argCount;
    int precedence;
    ECmd cmd;
    EValType valType;
};

void PrintTo(const CallbackRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class CallbackConstructors : public ::testing::TestWithParam<CallbackRow> {};

TEST_P(CallbackConstructors, SetAllSixFields) {
    const CallbackRow& row = GetParam();
    EXPECT_NE(row.callback.GetAddr(), nullptr);
    EXPECT_EQ(row.callback.ArgCount(), row.argCount);
    EXPECT_EQ(row.callback.Precedence(), row.precedence);
    EXPECT_EQ(row.callback.Cmd(), row.cmd);
    EXPECT_EQ(row.callback.ValType(), row.valType);
    EXPECT_TRUE(row.callback.IsFoldable());
}

INSTANTIATE_TEST_SUITE_P(
    Engine, CallbackConstructors,
    ::testing::Values(
        CallbackRow{"Fun0", ParserCallback(F0, true), 0, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"Fun1", ParserCallback(Sq, true), 1, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"Infix", ParserCallback(Neg, true, 6, cmINFIX), 1, 6, cmINFIX, vtDOUBLE},
        CallbackRow{"Postfix", ParserCallback(Thousand, true, 4, cmPOSTFIX), 1, 4, cmPOSTFIX,
                    vtDOUBLE},
        CallbackRow{"Fun2", ParserCallback(Sub, true), 2, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"BinaryOperator", ParserCallback(Mod, true, 3, cmBINOP), 2, 3, cmBINOP,
                    vtDOUBLE},
        CallbackRow{"Fun3", ParserCallback(F3, true), 3, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"Fun4", ParserCallback(F4, true), 4, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"Fun5", ParserCallback(F5, true), 5, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"FunN", ParserCallback(Sum, true), -1, -1, cmFUNC, vtDOUBLE},
        CallbackRow{"StrFun0", ParserCallback(StrLen, true), 0, -1, cmSTRFUNC, vtSTRING},
        CallbackRow{"StrFun1", ParserCallback(StrPlus, true), 1, -1, cmSTRFUNC, vtSTRING},
        CallbackRow{"StrFun2", ParserCallback(StrPos, true), 2, -1, cmSTRFUNC, vtSTRING}),
    RowName());

TEST(Callback, DefaultRecordHasNoFunction) {
    const ParserCallback callback;
    EXPECT_EQ(callback.GetAddr(), nullptr);
    EXPECT_EQ(callback.ArgCount(), 0);
    EXPECT_EQ(callback.Precedence(), -1);
    EXPECT_EQ(callback.Cmd(), cmNONE);
    EXPECT_EQ(callback.ValType(), vtNONE);
    EXPECT_FALSE(callback.IsFoldable());
}

TEST(Callback, CloneIsAnIndependentCopy) {
    const ParserCallback callback(Sub, false);
    std::unique_ptr<ParserCallback> pClone = callback.Clone();
    EXPECT_NE(pClone.get(), &callback);
    EXPECT_EQ(pClone->GetAddr(), callback.GetAddr());
    EXPECT_FALSE(pClone->IsFoldable());
    EXPECT_EQ(pClone->ArgCount(), 2);
}

TEST(Token, DefaultTokenIsUnset) {
    const Token tok;
    EXPECT_EQ(tok.Cmd(), cmNONE);
    EXPECT_EQ(tok.ValType(), vtNONE);
    EXPECT_EQ(tok.StrIndex(), -1);
    EXPECT_EQ(tok.GetFuncAddr(), nullptr);
    EXPECT_FALSE(tok.HasFlag(tkVOLATILE));
}

TEST(Token, CallbackTokenReportsTheCallbacksKindAndFoldability) {
    const ParserCallback neg(Neg, true, 4, cmINFIX);
    Token foldable;
    foldable.Set(neg, "-");
    EXPECT_EQ(foldable.Cmd(), cmINFIX);
    EXPECT_EQ(foldable.ValType(), vtDOUBLE);
    EXPECT_EQ(foldable.Precedence(), 4);
    EXPECT_EQ(foldable.ArgCount(), 1);
    EXPECT_FALSE(foldable.HasFlag(tkVOLATILE));

    const ParserCallback ticks(Ticks, false);
    Token notFoldable;
    notFoldable.Set(ticks, "ticks");
    EXPECT_TRUE(notFoldable.HasFlag(tkVOLATILE));
}

TEST(Token, VariableValueIsReadAtTheMomentOfTheCall) {
    double fVar = 1.5;
    Token tok;
    tok.SetVariable(&fVar, "v");
    EXPECT_TRUE(tok.HasFlag(tkVOLATILE));
    EXPECT_EQ(tok.Value(), 1.5);
    fVar = -7;
    EXPECT_EQ(tok.Value(), -7);
    EXPECT_EQ(tok.VarAddr(), &fVar);
}

TEST(Token, SettingAValueDropsTheCallback) {
    const ParserCallback sq(Sq, true);
    Token tok;
    tok.Set(sq, "sq");
    tok.SetValue(3, "3");
    EXPECT_EQ(tok.Cmd(), cmVAL);
    EXPECT_EQ(tok.GetFuncAddr(), nullptr);
    EXPECT_EQ(tok.Value(), 3);
}

// A token refers to the definition's callback and to its text: copies are cheap and share both,
// and the whole token fits in 32 bytes, the compile stacks' cost per open bracket.
TEST(Token, CopyRefersToTheSameCallbackAndOutlivesTheSource) {
    const ParserCallback sub(Sub, true);
    const ParserCallback sq(Sq, true);
    auto pSource = std::make_unique<Token>();
    pSource->Set(sub, "sub");
    Token copy(*pSource);
    Token assigned;
    assigned.Set(sq, "sq");
    assigned = *pSource;
    EXPECT_EQ(copy.Callback(), &sub);
    EXPECT_EQ(assigned.Callback(), &sub);
    pSource.reset();
    EXPECT_EQ(copy.ArgCount(), 2);
    EXPECT_EQ(assigned.ArgCount(), 2);
    EXPECT_EQ(copy.Text(), "sub");
    EXPECT_EQ(copy.Cmd(), cmFUNC);
    static_assert(sizeof(Token) <= 32);
    static_assert(std::is_trivially_copyable_v<Token>);
}

void ExpectCodeOnlyError(const std::function<void()>& a_Action) {
    try {
        a_Action();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), -1);
        EXPECT_EQ(e.position(), -1);
        EXPECT_EQ(e.token(), "");
        EXPECT_EQ(e.message(), "parser error");
    }
}

TEST(Token, WrongKindForValueVarAddrOrStrIndexIsACodeOnlyError) {
    Token oper;
    oper.Set(cmADD, "+");
    ExpectCodeOnlyError([&] { oper.Value(); });
    Token value;
    value.SetValue(1, "1");
    ExpectCodeOnlyError([&] { value.VarAddr(); });
    ExpectCodeOnlyError([&] { value.SetStrIndex(0); });
    Token str;
    str.SetStringToken("abc", 0);
    ExpectCodeOnlyError([&] { str.SetStrIndex(-1); });
    str.SetStrIndex(4);
    EXPECT_EQ(str.StrIndex(), 4);
    EXPECT_EQ(str.ValType(), vtSTRING);
    EXPECT_TRUE(str.HasFlag(tkVOLATILE));
}

TEST(Stack, PopsInReverseOrderAndRefusesToPopWhenEmpty) {
    ParserStack<int> stack;
    stack.push(1);
    stack.push(2);
    EXPECT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack.top(), 2);
    EXPECT_EQ(stack.pop(), 2);
    EXPECT_EQ(stack.pop(), 1);
    EXPECT_TRUE(stack.empty());
    try {
        stack.pop();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.message(), "stack is empty.");
        EXPECT_EQ(e.code(), peMESSAGE);
        EXPECT_EQ(e.position(), -1);
        EXPECT_EQ(e.token(), "");
    }
}

TEST(Stack, HoldsTokensWithTheirCallbacks) {
    const ParserCallback sq(Sq, true);
    ParserStack<Token> stack;
    Token tok;
    tok.Set(sq, "sq");
    stack.push(tok);
    const Token popped = stack.pop();
    EXPECT_EQ(popped.ArgCount(), 1);
    EXPECT_EQ(popped.Callback(), &sq);
}

TEST(NameTables, IterateInByteOrderWithPrefixesFirst) {
    CallbackTable table;
    table.emplace("mm", ParserCallback(Sq, true));
    table.emplace("m", ParserCallback(Sq, true));
    table.emplace("\x80", ParserCallback(Sq, true));
    table.emplace("Z", ParserCallback(Sq, true));
    std::vector<std::string> vOrder;
    for (const auto& entry : table) {
        vOrder.push_back(entry.first);
    }
    EXPECT_EQ(vOrder, (std::vector<std::string>{"Z", "m", "mm", "\x80"}));
}

TEST(FatalAssertion, PrintsTheTextWithFileAndLineAndAborts) {
    EXPECT_DEATH(MU_ASSERT(1 + 1 == 3, "the asserted text"),
                 "VocabularyTest.cpp:[0-9]+: fatal assertion failed: the asserted text");
}

TEST(FatalAssertion, AParserWithoutCharacterSetsStopsAtTheFirstRead) {
    class BareParser : public ParserBase {
    protected:
        void DefineCharacterSets() override {}
        void DefineFunctions() override {}
        void DefineConstants() override {}
        void DefineOperators() override {}
    };
    EXPECT_DEATH(
        {
            BareParser parser;
            parser.SetExpression("x");
            parser.Evaluate();
        },
        "m_sNameChars.size\\(\\)");
}

// Texts are taken as views; a view into the token's own text must survive being assigned.
TEST(Token, TakesAPartOfItsOwnTextAsNewText) {
    Token tok;
    tok.SetValue(1, "abcdef");
    tok.SetValue(2, std::string_view(tok.Text()).substr(2));
    EXPECT_EQ(tok.Text(), "cdef");
    tok.Set(cmADD, std::string_view(tok.Text()).substr(0, 2));
    EXPECT_EQ(tok.Text(), "cd");
}

} // namespace
