// The pre-decoded form on hand-built bytecode, which need not look like the compiler's: random
// stack programs of every entry kind against the plain walk over the words (building the form
// within the room reserved for it), code the form leaves to the walk, and evaluations that must
// not allocate.
#include "TestParser.h"

#include "BuiltinFunctions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <random>

using namespace mu;
using namespace enginetest;

namespace {

std::atomic<bool> g_bCountAllocations{false};
std::atomic<long> g_iAllocations{0};

} // namespace

// Counts the allocations made while g_bCountAllocations is set; otherwise plain malloc.
void* operator new(std::size_t a_iSize) {
    if (g_bCountAllocations) {
        ++g_iAllocations;
    }
    if (void* p = std::malloc(a_iSize != 0 ? a_iSize : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* a_p) noexcept {
    std::free(a_p);
}
void operator delete(void* a_p, std::size_t) noexcept {
    std::free(a_p);
}

namespace {

template <typename TFun> GenericFun Untyped(TFun a_pFun) {
    return reinterpret_cast<GenericFun>(a_pFun);
}

// Random programs that keep the stack discipline of the emission operations but otherwise mix
// entries freely: assignments whose left slot holds no variable entry, calls of every arity over
// values, variables and results, string calls, operators on any slots. With a_bBuiltins the
// calls are the engine's own numeric built-ins only, so every program gets machine code.
class CodeGenerator {
public:
    CodeGenerator(unsigned a_iSeed, double* a_pVars, bool a_bBuiltins = false)
        : m_Random(a_iSeed), m_pVars(a_pVars), m_bBuiltins(a_bBuiltins) {}

    ParserBytecode Program(int a_iSteps) {
        ParserBytecode code;
        int iDepth = 0;
        for (int i = 0; i < a_iSteps; ++i) {
            iDepth = Step(code, iDepth);
        }
        while (iDepth > 1) {
            code.PushOperator(static_cast<ECmd>(Pick(cmXOR + 1)));
            --iDepth;
        }
        if (iDepth == 0) {
            code.PushVariable(&m_pVars[0]);
        }
        code.Seal();
        return code;
    }

private:
    int Pick(int a_iCount) { return std::uniform_int_distribution<int>(0, a_iCount - 1)(m_Random); }

    int Step(ParserBytecode& a_Code, int a_iDepth) {
        switch (Pick(a_iDepth >= 2 ? 12 : 5)) {
        case 0: // 2 as well, the exponent squares take in place
            a_Code.PushValue(Pick(8) == 0 ? 2.0 : Pick(7) - 2.5);
            return a_iDepth + 1;
        case 1:
        case 2:
            a_Code.PushVariable(&m_pVars[Pick(3)]);
            return a_iDepth + 1;
        case 3:
        case 4:
            if (m_bBuiltins) {
                a_Code.PushVariable(&m_pVars[Pick(3)]);
            } else if (Pick(2) == 0) {
                a_Code.PushFunction(Untyped(&F0), 0);
            } else {
                a_Code.PushStringFunction(Untyped(&StrLen), 0, 1);
            }
            return a_iDepth + 1;
        case 5:
        case 6:
        case 7:
            a_Code.PushOperator(static_cast<ECmd>(Pick(cmXOR + 1)));
            return a_iDepth - 1;
        case 8:
            a_Code.PushAssignment(&m_pVars[Pick(3)]);
            return a_iDepth - 1;
        case 9:
            return m_bBuiltins ? BuiltinCall(a_Code, a_iDepth) : Call(a_Code, a_iDepth);
        case 10:
            if (m_bBuiltins) {
                a_Code.PushFunction(Untyped(&mu::UnaryMinus), 1);
            } else {
                a_Code.PushStringFunction(Untyped(&StrPlus), 1, 1);
            }
            return a_iDepth;
        default:
            if (m_bBuiltins) {
                a_Code.PushFunction(Untyped(&mu::Pow), 2);
            } else {
                a_Code.PushStringFunction(Untyped(&StrPos), 2, 0);
            }
            return a_iDepth - 1;
        }
    }

    // Every kind of call the machine code makes: in place (abs, sqrt, the sign), one argument,
    // several in registers, an array.
    int BuiltinCall(ParserBytecode& a_Code, int a_iDepth) {
        switch (Pick(a_iDepth >= 3 ? 8 : 6)) {
        case 0:
            a_Code.PushFunction(Untyped(&mu::Abs), 1);
            return a_iDepth;
        case 1:
            a_Code.PushFunction(Untyped(&mu::Sqrt), 1);
            return a_iDepth;
        case 2:
            a_Code.PushFunction(Untyped(Pick(2) == 0 ? &mu::Exp : &mu::Rint), 1);
            return a_iDepth;
        case 3:
            a_Code.PushFunction(Untyped(&mu::Pow), 2);
            return a_iDepth - 1;
        case 4:
            a_Code.PushFunction(Untyped(&mu::Min), -2);
            return a_iDepth - 1;
        case 5:
            a_Code.PushFunction(Untyped(&mu::UnaryMinus), 1);
            return a_iDepth;
        case 6:
            a_Code.PushFunction(Untyped(&mu::If), 3);
            return a_iDepth - 2;
        default:
            a_Code.PushFunction(Untyped(&mu::Sum), -a_iDepth);
            return 1;
        }
    }

    int Call(ParserBytecode& a_Code, int a_iDepth) {
        switch (Pick(a_iDepth >= 3 ? 6 : 4)) {
        case 0:
            a_Code.PushFunction(Untyped(&Sq), 1);
            return a_iDepth;
        case 3:
            a_Code.PushFunction(Untyped(&UnaryMinus), 1);
            return a_iDepth;
        case 1:
            a_Code.PushFunction(Untyped(&Sub), 2);
            return a_iDepth - 1;
        case 2:
            a_Code.PushFunction(Untyped(&enginetest::Sum), -2);
            return a_iDepth - 1;
        case 4:
            a_Code.PushFunction(Untyped(&F3), 3);
            return a_iDepth - 2;
        default:
            a_Code.PushFunction(Untyped(&enginetest::Sum), -a_iDepth);
            return 1;
        }
    }

    std::mt19937 m_Random;
    double* m_pVars;
    bool m_bBuiltins;
};

// A parser whose string buffer holds "hello" at 0 and 1, ready for hand-built code.
void PrepareStrings(EngineTestParser& a_Parser) {
    a_Parser.SetExpression("strlen(\"hello\")");
    ASSERT_EQ(a_Parser.Evaluate(), 5);
}

TEST(FastExecutionCode, RandomProgramsAgreeWithTheWordWalk) {
    double aVars[3] = {};
    CodeGenerator generator(21, aVars);
    EngineTestParser parser;
    PrepareStrings(parser);
    const double fInf = std::numeric_limits<double>::infinity();
    const double aafStates[][3] = {{1.5, -2, 0.25},
                                   {0, -0.0, 3},
                                   {1e308, -7, 2},
                                   {1e-310, -1.4e154, -fInf},
                                   {std::numeric_limits<double>::quiet_NaN(), 1.3e154, -1e-160}};
    for (int i = 0; i < 3000; ++i) {
        const ParserBytecode code = generator.Program(1 + i % 40);
        parser.InstallBytecode(code);
        for (const auto& afState : aafStates) {
            std::memcpy(aVars, afState, sizeof(aVars));
            g_iAllocations = 0;
            g_bCountAllocations = true; // the first run builds the pre-decoded form
            const double fFast = parser.Evaluate();
            g_bCountAllocations = false;
            ASSERT_EQ(g_iAllocations, 0) << i;
            ASSERT_TRUE(parser.Program().IsReady()) << i;
            double aFast[3];
            std::memcpy(aFast, aVars, sizeof(aVars));
            std::memcpy(aVars, afState, sizeof(aVars));
            const double fWalked = parser.InterpretBytecode();
            ASSERT_TRUE(SameBits(fFast, fWalked)) << i << ": " << fFast << " vs " << fWalked;
            for (int v = 0; v < 3; ++v) {
                ASSERT_TRUE(SameBits(aFast[v], aVars[v])) << i;
            }
        }
    }
}

// The machine code against the run loop it replaces and the word walk: the same bits and the
// same variables written. The states bring NaNs of both signs with payloads (one of them
// signalling), infinities, subnormals, signed zeros and squares near the overflow. Where two
// different NaNs meet in a commutative operation, which one survives depends on the operand
// order the compiler chose for the loop, so NaNs count as equal here (payloads are checked on
// single NaNs in FastExecutionTest).
TEST(FastExecutionCode, MachineCodeAgreesWithTheRunLoopBitForBit) {
    double aVars[3] = {};
    CodeGenerator generator(22, aVars, true);
    EngineTestParser parser;
    const double fInf = std::numeric_limits<double>::infinity();
    const std::uint64_t aiNaN[] = {0x7FF8000000000123, 0xFFF4000000000456};
    double afNaN[2];
    std::memcpy(afNaN, aiNaN, sizeof(afNaN));
    const double aafStates[][3] = {{1.5, -2, 0.25},
                                   {0, -0.0, 3},
                                   {1e308, -7, 2},
                                   {1e-310, -1.4e154, -fInf},
                                   {afNaN[0], 1.3e154, -1e-160},
                                   {-0.0, afNaN[1], 4.9e-324},
                                   {afNaN[1], fInf, afNaN[0]}};
    for (int i = 0; i < 3000; ++i) {
        const ParserBytecode code = generator.Program(1 + i % 40);
        parser.InstallBytecode(code);
        for (const auto& afState : aafStates) {
            std::memcpy(aVars, afState, sizeof(aVars));
            const double fMachine = parser.Evaluate();
            ASSERT_NE(parser.Program().MachineCode(), nullptr) << i;
            double aMachine[3];
            std::memcpy(aMachine, aVars, sizeof(aVars));
            std::memcpy(aVars, afState, sizeof(aVars));
            const double fLoop = parser.Program().Run({});
            double aLoop[3];
            std::memcpy(aLoop, aVars, sizeof(aVars));
            std::memcpy(aVars, afState, sizeof(aVars));
            const double fWalked = parser.InterpretBytecode();
            ASSERT_TRUE(SameBits(fMachine, fLoop)) << i << ": " << fMachine << " vs " << fLoop;
            ASSERT_TRUE(SameBits(fMachine, fWalked)) << i << ": " << fMachine << " vs " << fWalked;
            for (int v = 0; v < 3; ++v) {
                ASSERT_TRUE(SameBits(aMachine[v], aLoop[v])) << i;
                ASSERT_TRUE(SameBits(aMachine[v], aVars[v])) << i;
            }
        }
    }
}

TEST(FastExecutionCode, CodeWithoutAFormRunsThroughTheWalkAndFailsInPlace) {
    double a = 0;
    ParserBytecode code;
    code.PushVariable(&a);
    code.PushValue(7);
    code.PushAssignment(&a);
    code.PushValue(1);
    code.PushOperator(cmBINOP); // no such entry in any compiled code
    code.Seal();
    EngineTestParser parser;
    parser.InstallBytecode(code);
    try {
        parser.Evaluate();
        ADD_FAILURE() << "no error";
    } catch (const ParserError& e) {
        EXPECT_EQ(e.code(), peINTERNAL);
        EXPECT_EQ(e.position(), 2);
    }
    EXPECT_EQ(a, 7); // the assignment before the bad entry took effect
    EXPECT_TRUE(parser.Program().IsBuilt());
    EXPECT_FALSE(parser.Program().IsReady());
}

TEST(FastExecutionCode, SixArgumentsAreLeftToTheWalk) {
    ParserBytecode code;
    for (int i = 0; i < 6; ++i) {
        code.PushValue(i);
    }
    code.PushFunction(Untyped(&F5), 6);
    code.Seal();
    EngineTestParser parser;
    parser.InstallBytecode(code);
    EXPECT_THROW(parser.Evaluate(), ParserError);
    EXPECT_FALSE(parser.Program().IsReady());
}

// Compiling may allocate; evaluating, the first run of the bytecode (which builds the
// pre-decoded form) included, must not.
TEST(FastExecutionCode, EvaluationAllocatesNothing) {
    double a = 1, b = 2, c = 3;
    EngineTestParser parser;
    parser.AddVariable("a", &a);
    parser.AddVariable("b", &b);
    parser.AddVariable("c", &c);
    for (const char* szExpr : {"a*b+sq(c)-sum(a,b,c)/(a+1)", "strplus(\"abc\",a)*f3(a,b,c)",
                               "(a=b+1)*sin(c)^2", "2*3+4", "a*b-c/(a+1)^c"}) {
        parser.SetExpression(szExpr);
        const double fCompiled = parser.Evaluate();
        g_iAllocations = 0;
        g_bCountAllocations = true;
        double afRuns[3];
        for (double& fRun : afRuns) {
            fRun = parser.Evaluate();
        }
        g_bCountAllocations = false;
        EXPECT_EQ(g_iAllocations, 0) << szExpr;
        for (const double fRun : afRuns) {
            EXPECT_TRUE(SameBits(fRun, fCompiled)) << szExpr;
        }
    }
}

} // namespace
