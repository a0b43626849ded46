// The emitted code of expressions, proved through the dump, and the bytecode object itself.
#include "TestParser.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

using namespace mu;
using namespace enginetest;

namespace {

const std::string c_sHeader = "(ValSize:2 entries, PtrSize:2 entries, MapSize:4 byte)\n";

std::string DumpText(const ParserBytecode& a_Code) {
    std::ostringstream stream;
    a_Code.Dump(stream);
    return stream.str();
}

// The dump with every address ("0x" and lower-case hexadecimal digits) written as "0x#".
std::string MaskedDump(const ParserBytecode& a_Code) {
    const std::string sDump = DumpText(a_Code);
    const auto IsHexDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    std::string sMasked;
    std::size_t i = 0;
    while (i < sDump.size()) {
        std::size_t iEnd = i + 2;
        if (sDump.compare(i, 2, "0x") == 0) {
            while (iEnd < sDump.size() && IsHexDigit(sDump[iEnd])) {
                ++iEnd;
            }
        }
        if (iEnd > i + 2) {
            sMasked += "0x#";
            i = iEnd;
        } else {
            sMasked += sDump[i++];
        }
    }
    return sMasked;
}

std::string Hex(const void* a_pAddr) {
    std::ostringstream stream;
    stream << std::hex << reinterpret_cast<std::uintptr_t>(a_pAddr);
    return stream.str();
}

struct DumpRow {
    const char* name;
    const char* expr;
    bool folding;
    std::string dump;
    std::size_t stackSize;
};

void PrintTo(const DumpRow& a_Row, std::ostream* a_pStream) {
    *a_pStream << a_Row.name;
}

class EmittedCode : public ::testing::TestWithParam<DumpRow> {};

TEST_P(EmittedCode, DumpsAsExpected) {
    const DumpRow& row = GetParam();
    double a = 1, b = 2, c = 3, x = 4;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    parser.AddVariable("x", &x);
    parser.SetFolding(row.folding);
    parser.SetExpression(row.expr);
    parser.Evaluate();
    EXPECT_EQ(MaskedDump(parser.Bytecode()), row.dump);
    EXPECT_EQ(parser.Bytecode().StackSize(), row.stackSize);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, EmittedCode,
    ::testing::Values(
        DumpRow{"FoldedSum", "1+2", true, "Entries:6 " + c_sHeader + "IDX[1]\tVAL [3]\nEND\n", 3},
        DumpRow{"UnfoldedSum", "1+2", false,
                "Entries:12 " + c_sHeader + "IDX[1]\tVAL [1]\nIDX[2]\tVAL [2]\nIDX[1]\tADD\nEND\n",
                3},
        DumpRow{"FoldsCompletely", "1+2*3", true,
                "Entries:6 " + c_sHeader + "IDX[1]\tVAL [7]\nEND\n", 4},
        DumpRow{"VariableProduct", "a*2", true,
                "Entries:12 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAL [2]\nIDX[1]\tMUL\nEND\n",
                3},
        DumpRow{"WorkedExample", "2*(3+x)", true,
                "Entries:18 " + c_sHeader +
                    "IDX[1]\tVAL [2]\nIDX[2]\tVAL [3]\nIDX[3]\tVAR [ADDR: 0x#]\nIDX[2]\tADD\n"
                    "IDX[1]\tMUL\nEND\n",
                4},
        DumpRow{"WorkedExampleConstant", "2*(3+3)", true,
                "Entries:6 " + c_sHeader + "IDX[1]\tVAL [12]\nEND\n", 4},
        DumpRow{"PartialFold", "x+2*3", true,
                "Entries:12 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAL [6]\nIDX[1]\tADD\nEND\n",
                4},
        DumpRow{"FoldedCallBeforeVariable", "sin(1)+a", true,
                "Entries:12 " + c_sHeader +
                    "IDX[1]\tVAL [0.841471]\nIDX[2]\tVAR [ADDR: 0x#]\nIDX[1]\tADD\nEND\n",
                3},
        DumpRow{"MultiArgument", "sum(a,b,c)", true,
                "Entries:19 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAR [ADDR: 0x#]\nIDX[3]\tVAR [ADDR: 0x#]\n"
                    "IDX[1]\tCALL\t[ARG:-3][ADDR: 0x#]\nEND\n",
                4},
        DumpRow{"FoldedMultiArgument", "sum(1,2,3)", true,
                "Entries:6 " + c_sHeader + "IDX[1]\tVAL [6]\nEND\n", 4},
        DumpRow{"UnfoldedCall", "sq(2)", false,
                "Entries:11 " + c_sHeader +
                    "IDX[1]\tVAL [2]\nIDX[1]\tCALL\t[ARG:1][ADDR: 0x#]\nEND\n",
                2},
        DumpRow{
            "StringFunction", "strplus(\"ab\",a)", true,
            "Entries:12 " + c_sHeader +
                "IDX[1]\tVAR [ADDR: 0x#]\nIDX[1]\tCALL STRFUNC\t[ARG:1][IDX:1][ADDR: 0x#]\nEND\n",
            2},
        DumpRow{"StringFunctionOfConstants", "strlen(\"ab\")+1", true,
                "Entries:14 " + c_sHeader +
                    "IDX[1]\tCALL STRFUNC\t[ARG:0][IDX:1][ADDR: 0x#]\nIDX[2]\tVAL [1]\n"
                    "IDX[1]\tADD\nEND\n",
                3},
        DumpRow{"Assignment", "a=5", true,
                "Entries:14 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAL [5]\nIDX[1]\tASSIGN\t[ADDR: 0x#]\nEND\n",
                3},
        DumpRow{"AssignmentIsNeverFolded", "(a=5)+1", true,
                "Entries:20 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAL [5]\nIDX[1]\tASSIGN\t[ADDR: 0x#]\n"
                    "IDX[2]\tVAL [1]\nIDX[1]\tADD\nEND\n",
                3},
        DumpRow{"NonFoldableCall", "ticks()", true,
                "Entries:7 " + c_sHeader + "IDX[1]\tCALL\t[ARG:0][ADDR: 0x#]\nEND\n", 2},
        DumpRow{"FoldableCallWithoutArguments", "f0()", true,
                "Entries:6 " + c_sHeader + "IDX[1]\tVAL [42]\nEND\n", 2},
        DumpRow{"SignOfVariable", "-a", true,
                "Entries:11 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[1]\tCALL\t[ARG:1][ADDR: 0x#]\nEND\n",
                2},
        DumpRow{"PostfixOfVariable", "(a)m", true,
                "Entries:11 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[1]\tCALL\t[ARG:1][ADDR: 0x#]\nEND\n",
                2},
        DumpRow{"UserBinaryOfVariables", "a mod b", true,
                "Entries:15 " + c_sHeader +
                    "IDX[1]\tVAR [ADDR: 0x#]\nIDX[2]\tVAR [ADDR: 0x#]\n"
                    "IDX[1]\tCALL\t[ARG:2][ADDR: 0x#]\nEND\n",
                3},
        DumpRow{"FoldedStackKeepsItsMaximum", "1+(2+(3+4))", true,
                "Entries:6 " + c_sHeader + "IDX[1]\tVAL [10]\nEND\n", 5}),
    RowName());

TEST(EmittedCode, EveryOperatorHasItsMnemonic) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    const char* const aszMnemonic[] = {"LE",  "GE",  "NEQ", "EQ",  "LT",  "GT", "ADD",
                                       "SUB", "MUL", "DIV", "POW", "AND", "OR", "XOR"};
    for (int i = cmLE; i <= cmXOR; ++i) {
        parser.SetExpression(std::string("a ") + ParserBase::DefaultOperatorTable()[i] + " a");
        parser.Evaluate();
        EXPECT_NE(DumpText(parser.Bytecode()).find(std::string("IDX[1]\t") + aszMnemonic[i] + "\n"),
                  std::string::npos)
            << aszMnemonic[i];
    }
}

TEST(EmittedCode, AddressesAreTheVariablesAndFunctions) {
    double a = 1;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.SetExpression("sq(a)");
    parser.Evaluate();
    const std::string sDump = DumpText(parser.Bytecode());
    EXPECT_NE(sDump.find("VAR [ADDR: 0x" + Hex(&a) + "]"), std::string::npos) << sDump;
    EXPECT_NE(sDump.find("[ARG:1][ADDR: 0x" + Hex(reinterpret_cast<void*>(&Sq)) + "]"),
              std::string::npos)
        << sDump;
}

TEST(EmittedCode, DumpLeavesTheStreamAsItWas) {
    EngineTestParser parser;
    parser.SetExpression("1+2");
    parser.Evaluate();
    std::ostringstream stream;
    stream << std::hex;
    parser.Bytecode().Dump(stream);
    stream << 255;
    EXPECT_EQ(stream.str().substr(stream.str().size() - 2), "ff");
}

TEST(Bytecode, EmptyCodeDumpsNothingElse) {
    const ParserBytecode code;
    EXPECT_EQ(DumpText(code), "No bytecode available\n");
    EXPECT_EQ(code.Size(), 0u);
    EXPECT_EQ(code.StackSize(), 1u);
}

TEST(Bytecode, SlotArithmeticOfEveryEmission) {
    double v = 0;
    ParserBytecode code;
    code.PushValue(1);
    code.PushVariable(&v);
    code.PushValue(2);
    EXPECT_EQ(code.StackSize(), 4u);
    code.PushFunction(reinterpret_cast<GenericFun>(&enginetest::Sum), -3);
    code.PushFunction(reinterpret_cast<GenericFun>(&F0), 0);
    code.PushOperator(cmADD);
    code.PushStringFunction(reinterpret_cast<GenericFun>(&StrLen), 0, 7);
    code.PushStringFunction(reinterpret_cast<GenericFun>(&StrPos), 2, 8);
    code.Seal();
    const ParserBytecode::word_type* pCode = code.Code();
    // value 1 (slot 1), variable (2), value 2 (3), sum -> 1, f0 -> 2, add -> 1, strlen -> 2,
    // strpos -> 1, end.
    const std::size_t aiEntry[] = {0, 4, 8, 12, 17, 22, 24, 30, 36};
    const ParserBytecode::word_type aiSlot[] = {1, 2, 3, 1, 2, 1, 2, 1, cmEND};
    const ParserBytecode::word_type aiCode[] = {cmVAL, cmVAR,     cmVAL,     cmFUNC, cmFUNC,
                                                cmADD, cmSTRFUNC, cmSTRFUNC, cmEND};
    for (std::size_t i = 0; i < std::size(aiEntry); ++i) {
        EXPECT_EQ(pCode[aiEntry[i]], aiSlot[i]) << "entry " << i;
        EXPECT_EQ(pCode[aiEntry[i] + 1], aiCode[i]) << "entry " << i;
    }
    EXPECT_EQ(code.Size(), 38u);
    EXPECT_EQ(static_cast<std::int32_t>(pCode[14]), -3);
    EXPECT_EQ(pCode[33], 8u);
    EXPECT_EQ(code.StackSize(), 4u);
}

TEST(Bytecode, DropValuesCutsValueEntriesButKeepsTheMaximum) {
    ParserBytecode code;
    code.PushValue(1);
    code.PushValue(2);
    code.DropValues(2);
    EXPECT_EQ(code.Size(), 0u);
    code.PushValue(3);
    code.DropValues(0);
    code.Seal();
    EXPECT_EQ(code.Size(), 6u);
    EXPECT_EQ(code.Code()[0], 1u);
    EXPECT_EQ(ParserBytecode::ReadDouble(code.Code() + 2), 3);
    EXPECT_EQ(code.StackSize(), 3u);
}

TEST(Bytecode, CopyTakesTheWordsAndClearEmpties) {
    ParserBytecode code;
    code.PushValue(5);
    code.Seal();
    ParserBytecode copy;
    copy = code;
    EXPECT_EQ(DumpText(copy), DumpText(code));
    code.Clear();
    EXPECT_EQ(code.Size(), 0u);
    EXPECT_EQ(code.StackSize(), 1u);
    EXPECT_EQ(copy.Size(), 6u);
}

TEST(Bytecode, UnknownCodeIsDumpedByNumber) {
    ParserBytecode code;
    code.PushValue(1);
    code.PushValue(2);
    code.PushOperator(cmBINOP);
    code.Seal();
    EXPECT_EQ(DumpText(code), "Entries:12 " + c_sHeader +
                                  "IDX[1]\tVAL [1]\nIDX[2]\tVAL [2]\nIDX[1]\t(unknown code: 23)\n"
                                  "END\n");
}

ParserError RunError(const ParserBytecode& a_Code) {
    EngineTestParser parser;
    parser.SetExpression("1");
    parser.InstallBytecode(a_Code);
    try {
        parser.Evaluate();
    } catch (const ParserError& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return ParserError(peINTERNAL);
}

TEST(Execution, CallWithSixArgumentsIsAnInternalError) {
    ParserBytecode code;
    for (int i = 0; i < 6; ++i) {
        code.PushValue(i);
    }
    code.PushFunction(reinterpret_cast<GenericFun>(&F5), 6);
    code.Seal();
    const ParserError e = RunError(code);
    EXPECT_EQ(e.code(), peINTERNAL);
    EXPECT_EQ(e.position(), 1);
}

TEST(Execution, CodeOutsideTheEmittedSetIsAnInternalError) {
    ParserBytecode code;
    code.PushValue(1);
    code.PushValue(2);
    code.PushOperator(cmBINOP);
    code.Seal();
    const ParserError e = RunError(code);
    EXPECT_EQ(e.code(), peINTERNAL);
    EXPECT_EQ(e.position(), 2);
}

// A compilation after installed code starts from nothing, also one that UsedVariables runs.
TEST(Execution, InstalledCodeGivesWayToTheNextCompilation) {
    ParserBytecode code;
    code.PushValue(2);
    code.Seal();
    EngineTestParser parser;
    parser.SetExpression("1");
    parser.InstallBytecode(code);
    parser.UsedVariables();
    EXPECT_EQ(parser.Bytecode().Size(),
              static_cast<std::size_t>(ParserBytecode::m_iValEntryWords + 2));
    EXPECT_EQ(parser.Evaluate(), 1);
}

TEST(Execution, HandBuiltCodeRunsOverTheStack) {
    double a = 3;
    ParserBytecode code;
    code.PushValue(2);
    code.PushVariable(&a);
    code.PushOperator(cmMUL);
    code.PushFunction(reinterpret_cast<GenericFun>(&Sq), 1);
    code.Seal();
    EngineTestParser parser;
    parser.InstallBytecode(code);
    EXPECT_EQ(parser.Evaluate(), 36);
    a = 1;
    EXPECT_EQ(parser.Evaluate(), 4);
}

} // namespace
