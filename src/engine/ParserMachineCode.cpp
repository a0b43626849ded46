// The translation of a ParserProgram into machine code: which programs qualify, and the template
// of each operation.
#include "ParserMachineCode.h"

#include "BuiltinFunctions.h"
#include "ParserProgram.h"
#include "ParserX86Encoder.h"

#include <cstdint>
#include <vector>

namespace mu {

namespace {

using Enc = ParserX86Encoder;
using Instr = ParserProgram::Instr;

// Larger programs keep the run loop: the code would take megabytes for little gain.
constexpr std::size_t c_iMaxInstructions = std::size_t{1} << 14;
// Room for the longest template: a call of the most arguments, each perhaps with its own address
// load, then the call.
constexpr std::size_t c_iMaxTemplateBytes =
    c_iMaxFunArgs * (ParserX86Encoder::c_iMaxOperandBytes + 4) + 16;
// Trap bytes before the entry, then the entry's own instructions and the return.
constexpr std::size_t c_iLeadBytes = 16;
constexpr std::size_t c_iFrameBytes = 32;

// The masks of fabs and of the negation, 16 bytes each for the packed operations.
alignas(16) const std::uint64_t c_aiAbsMask[2] = {~(std::uint64_t{1} << 63),
                                                  ~(std::uint64_t{1} << 63)};
alignas(16) const std::uint64_t c_aiSignMask[2] = {std::uint64_t{1} << 63, std::uint64_t{1} << 63};

// The out-of-line forms of what the run loop inlines, with its exact semantics.
double PowerCall(double a_fX, double a_fY) {
    return Power(a_fX, a_fY);
}
double OperatorCall(int a_iCode, double a_fX, double a_fY) {
    return ApplyBuiltinOperator(a_iCode, a_fX, a_fY);
}

// The instruction of each basic operation, by its index.
#define MU_BASIC_SSE(NAME, ...) Enc::sse##NAME,
const Enc::ESse c_aArithmetic[] = {MU_BASIC_OPERATIONS(MU_BASIC_SSE)};
#undef MU_BASIC_SSE

template <typename TFun> GenericFun Untyped(TFun a_pFun) {
    return reinterpret_cast<GenericFun>(a_pFun);
}

// The engine's numeric built-ins with the argument count of their signature (-1: any count,
// passed as an array). None of them throws. The date functions are left out: they go through
// Qt's date and text classes.
bool IsBuiltin(GenericFun a_pFun, std::int32_t a_iArgc) {
    static const GenericFun s_aOneArgument[] = {
        Untyped(&Sin),   Untyped(&Cos),        Untyped(&Tan),     Untyped(&ASin),   Untyped(&ACos),
        Untyped(&ATan),  Untyped(&Sinh),       Untyped(&Cosh),    Untyped(&Tanh),   Untyped(&ASinh),
        Untyped(&ACosh), Untyped(&ATanh),      Untyped(&Log2),    Untyped(&Log10),  Untyped(&Ln),
        Untyped(&Exp),   Untyped(&Sqrt),       Untyped(&Sign),    Untyped(&Rint),   Untyped(&Abs),
        Untyped(&Fac),   Untyped(&UnaryMinus), Untyped(&Degrees), Untyped(&Radians)};
    static const GenericFun s_aArray[] = {Untyped(&Sum), Untyped(&Avg), Untyped(&Min),
                                          Untyped(&Max)};
    if (a_iArgc == 1) {
        for (const GenericFun pFun : s_aOneArgument) {
            if (pFun == a_pFun) {
                return true;
            }
        }
        return false;
    }
    if (a_iArgc < 0) {
        for (const GenericFun pFun : s_aArray) {
            if (pFun == a_pFun) {
                return true;
            }
        }
        return false;
    }
    return (a_iArgc == 2 && a_pFun == Untyped(&Pow)) || (a_iArgc == 3 && a_pFun == Untyped(&If));
}

// Whether an instruction has a template, and whether that template calls out.
bool Covered(const Instr& a_Instr, bool& a_bCalls) {
    switch (ParserProgram::Operation(a_Instr)) {
    case ParserProgram::opPOW_MM:
    case ParserProgram::opPOW_AM:
    case ParserProgram::opPOW_MA:
    case ParserProgram::opOPR_MM:
    case ParserProgram::opOPR_AM:
    case ParserProgram::opOPR_MA:
        a_bCalls = true;
        return true;
    case ParserProgram::opCALL1_A:
    case ParserProgram::opCALL1_M:
        a_bCalls = true;
        return IsBuiltin(a_Instr.m_pFun, 1);
    case ParserProgram::opCALL:
        a_bCalls = true;
        return a_Instr.m_iArgc <= c_iMaxFunArgs && IsBuiltin(a_Instr.m_pFun, a_Instr.m_iArgc);
    case ParserProgram::opSTRCALL:
    case ParserProgram::opRETURN:
        return false;
    default:
        return true;
    }
}

void Arithmetic(Enc& a_Enc, const Instr& a_Instr, ParserProgram::EOp a_iOp) {
    using P = ParserProgram;
    const int iMM = P::StepIndex(a_iOp, P::opADD_MM);
    if (iMM >= 0) {
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        a_Enc.Memory(c_aArithmetic[iMM], 0, a_Instr.m_pY);
        return;
    }
    const int iAM = P::StepIndex(a_iOp, P::opADD_AM);
    if (iAM >= 0) {
        a_Enc.Memory(c_aArithmetic[iAM], 0, a_Instr.m_pY);
        return;
    }
    // opSUB_MA, opDIV_MA: the accumulator is the right operand
    a_Enc.Memory(Enc::sseLOAD, 1, a_Instr.m_pX);
    a_Enc.Register(a_iOp == P::opSUB_MA ? Enc::sseSUB : Enc::sseDIV, 1, 0);
    a_Enc.Packed(Enc::pkMOVE, 0, 1);
}

// "^" and the other built-in operators: x in xmm0, y in xmm1, then the call.
void OperatorByCall(Enc& a_Enc, const Instr& a_Instr, int a_iForm, bool a_bPower) {
    switch (a_iForm) {
    case 0: // both in memory
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        a_Enc.Memory(Enc::sseLOAD, 1, a_Instr.m_pY);
        break;
    case 1: // the accumulator on the left
        a_Enc.Memory(Enc::sseLOAD, 1, a_Instr.m_pY);
        break;
    default: // the accumulator on the right
        a_Enc.Packed(Enc::pkMOVE, 1, 0);
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        break;
    }
    if (a_bPower) {
        a_Enc.Call(reinterpret_cast<std::uintptr_t>(&PowerCall));
    } else {
        a_Enc.ArgumentCode(a_Instr.m_iCode);
        a_Enc.Call(reinterpret_cast<std::uintptr_t>(&OperatorCall));
    }
}

// acc = (acc first *a_pFirst) second *a_pSecond
void TwoSteps(Enc& a_Enc, int a_iFirst, const double* a_pFirst, int a_iSecond,
              const double* a_pSecond) {
    a_Enc.Memory(c_aArithmetic[a_iFirst], 0, a_pFirst);
    a_Enc.Memory(c_aArithmetic[a_iSecond], 0, a_pSecond);
}

void Operation(Enc& a_Enc, const Instr& a_Instr) {
    using P = ParserProgram;
    const P::EOp iOp = P::Operation(a_Instr);
    int iFirst = 0;
    int iSecond = 0;
    if (P::InFamily(iOp, P::opADD_ADD, iFirst, iSecond)) { // acc = acc first (*x second *y)
        a_Enc.Memory(Enc::sseLOAD, 1, a_Instr.m_pX);
        a_Enc.Memory(c_aArithmetic[iSecond], 1, a_Instr.m_pY);
        a_Enc.Register(c_aArithmetic[iFirst], 0, 1);
        return;
    }
    if (P::InFamily(iOp, P::opMM2_ADD_ADD, iFirst, iSecond)) { // acc = (*x first *y) second *z
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        TwoSteps(a_Enc, iFirst, a_Instr.m_pY, iSecond, a_Instr.m_pZ);
        return;
    }
    if (P::InFamily(iOp, P::opAM2_ADD_ADD, iFirst, iSecond)) { // acc = (acc first *x) second *y
        TwoSteps(a_Enc, iFirst, a_Instr.m_pX, iSecond, a_Instr.m_pY);
        return;
    }
    switch (iOp) {
    case P::opSTORE:
    case P::opASSIGN_A:
        a_Enc.Memory(Enc::sseSTORE, 0, a_Instr.m_pDst);
        return;
    case P::opCOPY:
        a_Enc.Memory(Enc::sseLOAD, 1, a_Instr.m_pX);
        a_Enc.Memory(Enc::sseSTORE, 1, a_Instr.m_pDst);
        return;
    case P::opLOAD:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        return;
    case P::opPOW_MM:
    case P::opPOW_AM:
    case P::opPOW_MA:
        OperatorByCall(a_Enc, a_Instr, iOp - P::opPOW_MM, true);
        return;
    case P::opOPR_MM:
    case P::opOPR_AM:
    case P::opOPR_MA:
        OperatorByCall(a_Enc, a_Instr, iOp - P::opOPR_MM, false);
        return;
    case P::opASSIGN_M:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        a_Enc.Memory(Enc::sseSTORE, 0, a_Instr.m_pDst);
        return;
    case P::opCALL1_M:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        [[fallthrough]];
    case P::opCALL1_A:
        a_Enc.Call(reinterpret_cast<std::uintptr_t>(a_Instr.m_pFun));
        return;
    case P::opSQR_M:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        [[fallthrough]];
    case P::opSQR_A:
        a_Enc.Register(Enc::sseMUL, 0, 0);
        return;
    case P::opABS_M:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        [[fallthrough]];
    case P::opABS_A: // fabs: the sign bit cleared
        a_Enc.PackedMemory(Enc::pkAND, 0, c_aiAbsMask);
        return;
    case P::opSQRT_M:
        a_Enc.Memory(Enc::sseSQRT, 0, a_Instr.m_pX);
        return;
    case P::opSQRT_A: // sqrt is the correctly rounded square root of the instruction
        a_Enc.Register(Enc::sseSQRT, 0, 0);
        return;
    case P::opNEG_M:
        a_Enc.Memory(Enc::sseLOAD, 0, a_Instr.m_pX);
        [[fallthrough]];
    case P::opNEG_A: // the sign bit flipped, as the negation does
        a_Enc.PackedMemory(Enc::pkXOR, 0, c_aiSignMask);
        return;
    case P::opCALL:
        if (a_Instr.m_iArgc >= 0) { // the arguments in xmm0, xmm1, ...
            for (int i = 0; i < a_Instr.m_iArgc; ++i) {
                a_Enc.Memory(Enc::sseLOAD, i, a_Instr.m_pDst + i);
            }
        } else { // the array and its length
            a_Enc.ArgumentAddress(a_Instr.m_pDst);
            a_Enc.ArgumentCount(static_cast<std::uint32_t>(-a_Instr.m_iArgc));
        }
        a_Enc.Call(reinterpret_cast<std::uintptr_t>(a_Instr.m_pFun));
        return;
    default:
        Arithmetic(a_Enc, a_Instr, iOp);
        return;
    }
}

} // namespace

bool ParserMachineCode::Translate(const ParserProgram& a_Program) {
    m_pFunction = nullptr;
    const std::vector<Instr>& vCode = a_Program.Code();
    if (vCode.empty() || vCode.size() > c_iMaxInstructions) {
        return false;
    }
    bool bCalls = false;
    for (std::size_t i = 0; i < vCode.size(); ++i) {
        // Only the last instruction returns; the code returns after it.
        const bool bReturning = vCode[i].m_iOp >= ParserProgram::c_iReturning;
        if (!Covered(vCode[i], bCalls) || bReturning != (i + 1 == vCode.size())) {
            return false;
        }
    }
    std::uint8_t* pCode =
        m_Memory.Write(c_iLeadBytes + c_iFrameBytes + vCode.size() * c_iMaxTemplateBytes);
    if (pCode == nullptr) {
        return false;
    }
    Enc enc(pCode);
    // Nothing runs before the entry; a checker that peeks at the bytes before a called function
    // finds them mapped.
    for (std::size_t i = 0; i < c_iLeadBytes; ++i) {
        enc.Trap();
    }
    std::uint8_t* pEntry = enc.Cursor();
    enc.BranchTarget();
    if (bCalls) {
        enc.AlignStack();
    }
    for (const Instr& instr : vCode) {
        Operation(enc, instr);
    }
    if (bCalls) {
        enc.RestoreStack();
    }
    enc.Return();
    if (!m_Memory.Seal()) {
        return false;
    }
    m_pFunction = reinterpret_cast<Function>(reinterpret_cast<std::uintptr_t>(pEntry));
    return true;
}

} // namespace mu
