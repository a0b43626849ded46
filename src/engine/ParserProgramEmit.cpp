// The instructions of a ParserProgram: which form each step takes, the built-in calls done in
// place, and the fusing of steps that follow each other on the accumulator.
#include "ParserProgramBuilder.h"

#include "BuiltinFunctions.h"

namespace mu {

// The instruction of a built-in binary operator in one of its forms.
ParserProgramBuilder::Instr ParserProgramBuilder::OperatorInstr(std::uint32_t a_iCode,
                                                                EForm a_iForm, const double* a_pX,
                                                                const double* a_pY) {
    Instr instr;
    instr.m_iCode = static_cast<std::uint8_t>(a_iCode);
    instr.m_pX = a_pX;
    instr.m_pY = a_pY;
    // Addition and multiplication take their accumulator operand on either side.
    if (a_iForm == fmMA && (a_iCode == cmADD || a_iCode == cmMUL)) {
        a_iForm = fmAM;
        instr.m_pY = a_pX;
        instr.m_pX = nullptr;
    }
    instr.m_iOp = static_cast<EOp>(FirstForm(a_iCode) + a_iForm);
    return instr;
}

// The fmMM form of an operator; its fmAM and fmMA forms follow it (ADD and MUL have no fmMA).
int ParserProgramBuilder::FirstForm(std::uint32_t a_iCode) {
    using P = ParserProgram;
    constexpr int AM = fmAM;
    constexpr int MA = fmMA;
#define MU_AM_FOLLOWS(NAME, ...) static_assert(P::op##NAME##_AM == P::op##NAME##_MM + AM);
    MU_BASIC_OPERATIONS(MU_AM_FOLLOWS)
    MU_AM_FOLLOWS(POW)
    MU_AM_FOLLOWS(OPR)
#undef MU_AM_FOLLOWS
    static_assert(P::opSUB_MA == P::opSUB_MM + MA && P::opDIV_MA == P::opDIV_MM + MA);
    static_assert(P::opPOW_MA == P::opPOW_MM + MA && P::opOPR_MA == P::opOPR_MM + MA);
    switch (a_iCode) {
#define MU_FIRST_FORM(NAME, ...)                                                                   \
    case cm##NAME:                                                                                 \
        return P::op##NAME##_MM;
        MU_BASIC_OPERATIONS(MU_FIRST_FORM)
#undef MU_FIRST_FORM
    case cmPOW:
        return P::opPOW_MM;
    default:
        return P::opOPR_MM;
    }
}

// A call of one argument in the accumulator (fmAM) or in memory (fmMM). The built-in abs
// and sqrt are the C library's fabs and sqrt, which the compiler does in place, and the prefix
// minus is a negation.
ParserProgramBuilder::EOp ParserProgramBuilder::OneArgumentCall(GenericFun a_pFun, EForm a_iForm) {
    const bool bAcc = a_iForm == fmAM;
    if (a_pFun == reinterpret_cast<GenericFun>(&Abs)) {
        return bAcc ? ParserProgram::opABS_A : ParserProgram::opABS_M;
    }
    if (a_pFun == reinterpret_cast<GenericFun>(&Sqrt)) {
        return bAcc ? ParserProgram::opSQRT_A : ParserProgram::opSQRT_M;
    }
    if (a_pFun == reinterpret_cast<GenericFun>(&UnaryMinus)) {
        return bAcc ? ParserProgram::opNEG_A : ParserProgram::opNEG_M;
    }
    return bAcc ? ParserProgram::opCALL1_A : ParserProgram::opCALL1_M;
}

// A step of two memory operands right above the accumulator's slot: its consumer is likely the
// next entry, with the accumulator as left operand, and the two can then run as one.
void ParserProgramBuilder::WaitAsPair(std::size_t k, std::uint32_t a_iCode) {
    m_iPair = k;
    m_iPairCode = a_iCode;
    m_pPairX = Operand(k);
    m_pPairY = Operand(k + 1);
    m_vSlots[k].m_iKind = ParserProgram::skPAIR;
    Consumed(k + 1);
}

// The waiting pair's step and the step now consuming it, as one instruction.
void ParserProgramBuilder::FusePair(std::size_t k, std::uint32_t a_iOuter) {
    Instr instr;
    instr.m_iOp = ParserProgram::Fused(ParserProgram::opADD_ADD, static_cast<int>(a_iOuter - cmADD),
                                       static_cast<int>(m_iPairCode - cmADD));
    instr.m_pX = m_pPairX;
    instr.m_pY = m_pPairY;
    Emit(instr);
    m_iPair = npos;
    m_vSlots[k + 1].m_iKind = ParserProgram::skUNSET;
    SetAccumulator(k);
}

// The next entry does not consume the waiting pair: compute it now, in order.
void ParserProgramBuilder::RealisePair() {
    const std::size_t k = m_iPair;
    m_iPair = npos;
    SpillAccumulator();
    Emit(OperatorInstr(m_iPairCode, fmMM, m_pPairX, m_pPairY));
    SetAccumulator(k);
}

// Appends an instruction. A basic operation on the accumulator right after another basic
// operation joins it: the two run as one instruction, in the same order.
void ParserProgramBuilder::Emit(const Instr& a_Instr) {
    std::vector<Instr>& vCode = m_Program.m_vCode;
    const int iSecond = ParserProgram::StepIndex(a_Instr.m_iOp, ParserProgram::opADD_AM);
    if (iSecond >= 0 && !vCode.empty()) {
        Instr& prev = vCode.back();
        const int iFirstMM = ParserProgram::StepIndex(prev.m_iOp, ParserProgram::opADD_MM);
        const int iFirstAM = ParserProgram::StepIndex(prev.m_iOp, ParserProgram::opADD_AM);
        if (iFirstMM >= 0) {
            prev.m_iOp = ParserProgram::Fused(ParserProgram::opMM2_ADD_ADD, iFirstMM, iSecond);
            prev.m_pZ = a_Instr.m_pY;
            return;
        }
        if (iFirstAM >= 0) {
            prev.m_iOp = ParserProgram::Fused(ParserProgram::opAM2_ADD_ADD, iFirstAM, iSecond);
            prev.m_pX = prev.m_pY;
            prev.m_pY = a_Instr.m_pY;
            return;
        }
    }
    vCode.push_back(a_Instr);
}

} // namespace mu
