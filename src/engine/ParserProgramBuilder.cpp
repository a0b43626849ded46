// The translation of a sealed bytecode into a ParserProgram: following the entries, and keeping
// track of where every slot's value is.
#include "ParserProgramBuilder.h"

#include <algorithm>
#include <climits>

namespace mu {

namespace {

// The four basic operators, which have fused forms; their codes are consecutive (ORDER BASIC,
// checked in ParserProgram.h).
bool IsArithmetic(std::uint32_t a_iCode) {
    return a_iCode >= cmADD && a_iCode <= cmDIV;
}

} // namespace

ParserProgramBuilder::ParserProgramBuilder(ParserProgram& a_Program, double* a_pStack,
                                           std::size_t a_iStackSize, std::size_t a_iStrings)
    : m_Program(a_Program), m_pStack(a_pStack), m_iStackSize(a_iStackSize), m_iStrings(a_iStrings),
      m_vSlots(a_Program.m_vSlots) {
    m_vSlots.assign(a_iStackSize, Slot());
    m_Program.m_vPendingVars.clear();
}

// False when the code holds something the translation does not cover.
bool ParserProgramBuilder::Translate(const ParserBytecode::word_type* a_pCode,
                                     std::size_t a_iSize) {
    for (std::size_t i = 0; i + 2 <= a_iSize;) {
        const std::uint32_t iCode = a_pCode[i + 1];
        const std::size_t iWords = ParserBytecode::EntryWords(iCode);
        if (iWords == 0 || i + iWords > a_iSize) {
            return false;
        }
        if (m_iPair != npos && !(IsArithmetic(iCode) && a_pCode[i] + 1 == m_iPair)) {
            RealisePair();
        }
        if (iCode == cmEND) {
            return End();
        }
        if (!Entry(a_pCode + i)) {
            return false;
        }
        i += iWords;
    }
    return false; // no end entry
}

bool ParserProgramBuilder::Entry(const ParserBytecode::word_type* a_pEntry) {
    const std::size_t k = a_pEntry[0];
    const std::uint32_t iCode = a_pEntry[1];
    if (k >= m_iStackSize) {
        return false;
    }
    switch (iCode) {
    case cmVAL:
        Constant(k, ParserBytecode::ReadDouble(a_pEntry + 2));
        return true;
    case cmVAR:
        Variable(k, ParserBytecode::ReadVarAddr(a_pEntry + 2));
        return true;
    case cmASSIGN:
        return Assign(k, ParserBytecode::ReadVarAddr(a_pEntry + 2));
    case cmFUNC:
        return Call(k, static_cast<std::int32_t>(a_pEntry[2]),
                    ParserBytecode::ReadFunAddr(a_pEntry + 3));
    case cmSTRFUNC:
        return StringCall(k, static_cast<std::int32_t>(a_pEntry[2]), a_pEntry[3],
                          ParserBytecode::ReadFunAddr(a_pEntry + 4));
    default:
        return Binary(k, iCode); // ParserBytecode::EntryWords let only cmLE..cmXOR through
    }
}

void ParserProgramBuilder::Constant(std::size_t k, double a_fVal) {
    Overwrite(k);
    MU_ASSERT(m_Program.m_vConst.size() < m_Program.m_vConst.capacity(), "constants reserved");
    m_Program.m_vConst.push_back(a_fVal);
    m_vSlots[k] = Slot{ParserProgram::skCONST, &m_Program.m_vConst.back()};
}

void ParserProgramBuilder::Variable(std::size_t k, const double* a_pVar) {
    Overwrite(k);
    m_vSlots[k] = Slot{ParserProgram::skVAR, a_pVar};
    m_Program.m_vPendingVars.push_back(k);
}

bool ParserProgramBuilder::Binary(std::size_t k, std::uint32_t a_iCode) {
    if (k + 1 >= m_iStackSize) {
        return false;
    }
    if (m_iPair != npos) { // Translate left it only for this consumer
        FusePair(k, a_iCode);
        return true;
    }
    const ParserProgram::ESlotKind iLeft = m_vSlots[k].m_iKind;
    const ParserProgram::ESlotKind iRight = m_vSlots[k + 1].m_iKind;
    if (iLeft == ParserProgram::skUNSET || iRight == ParserProgram::skUNSET) {
        return false;
    }
    if (a_iCode == cmPOW && iRight == ParserProgram::skCONST && *m_vSlots[k + 1].m_pWhere == 2.0) {
        Square(k);
        return true;
    }
    if (iLeft == ParserProgram::skACC) {
        Emit(OperatorInstr(a_iCode, fmAM, nullptr, Operand(k + 1)));
    } else if (iRight == ParserProgram::skACC) {
        Emit(OperatorInstr(a_iCode, fmMA, Operand(k), nullptr));
    } else if (m_iAcc != npos && m_iAcc + 1 == k && IsArithmetic(a_iCode)) {
        WaitAsPair(k, a_iCode);
        return true;
    } else {
        SpillAccumulator();
        Emit(OperatorInstr(a_iCode, fmMM, Operand(k), Operand(k + 1)));
    }
    Consumed(k + 1);
    SetAccumulator(k);
    return true;
}

// Slot k to the power of the constant 2 in slot k + 1: one multiplication (see Power).
void ParserProgramBuilder::Square(std::size_t k) {
    Instr instr;
    if (m_vSlots[k].m_iKind == ParserProgram::skACC) {
        instr.m_iOp = ParserProgram::opSQR_A;
    } else {
        SpillAccumulator();
        instr.m_iOp = ParserProgram::opSQR_M;
        instr.m_pX = Operand(k);
    }
    Emit(instr);
    Consumed(k + 1);
    SetAccumulator(k);
}

bool ParserProgramBuilder::Assign(std::size_t k, double* a_pVar) {
    if (k + 1 >= m_iStackSize || m_vSlots[k + 1].m_iKind == ParserProgram::skUNSET) {
        return false;
    }
    FlushPendingVars(k, 2);
    Instr instr;
    instr.m_pDst = a_pVar;
    if (m_vSlots[k + 1].m_iKind == ParserProgram::skACC) {
        instr.m_iOp = ParserProgram::opASSIGN_A;
    } else {
        Overwrite(k);
        SpillAccumulator();
        instr.m_iOp = ParserProgram::opASSIGN_M;
        instr.m_pX = Operand(k + 1);
    }
    Emit(instr);
    Consumed(k + 1);
    SetAccumulator(k);
    return true;
}

bool ParserProgramBuilder::Call(std::size_t k, std::int32_t a_iArgc, GenericFun a_pFun) {
    if (a_iArgc > c_iMaxFunArgs || a_iArgc == INT_MIN) {
        return false; // the interpreter raises the internal error when it gets there
    }
    const std::size_t n = static_cast<std::size_t>(a_iArgc < 0 ? -a_iArgc : a_iArgc);
    if (k + n > m_iStackSize) {
        return false;
    }
    FlushPendingVars(k, n);
    Instr instr;
    instr.m_pFun = a_pFun;
    instr.m_iArgc = a_iArgc;
    if (a_iArgc == 1 && m_vSlots[k].m_iKind == ParserProgram::skACC) {
        instr.m_iOp = OneArgumentCall(a_pFun, fmAM);
    } else if (a_iArgc == 1) {
        if (m_vSlots[k].m_iKind == ParserProgram::skUNSET) {
            return false;
        }
        SpillAccumulator();
        instr.m_iOp = OneArgumentCall(a_pFun, fmMM);
        instr.m_pX = Operand(k);
    } else {
        if (!PrepareArguments(k, n)) {
            return false;
        }
        instr.m_iOp = ParserProgram::opCALL;
        instr.m_pDst = m_pStack + k;
    }
    Emit(instr);
    SetAccumulator(k);
    return true;
}

bool ParserProgramBuilder::StringCall(std::size_t k, std::int32_t a_iArgc, std::uint32_t a_iStr,
                                      GenericFun a_pFun) {
    if (a_iArgc < 0 || a_iArgc > c_iMaxStrFunArgs || a_iStr >= m_iStrings) {
        return false;
    }
    const std::size_t n = static_cast<std::size_t>(a_iArgc);
    if (k + n > m_iStackSize) {
        return false;
    }
    FlushPendingVars(k, n);
    if (!PrepareArguments(k, n)) {
        return false;
    }
    Instr instr;
    instr.m_iOp = ParserProgram::opSTRCALL;
    instr.m_iArgc = a_iArgc;
    instr.m_pFun = a_pFun;
    instr.m_iStr = a_iStr;
    instr.m_pDst = m_pStack + k;
    Emit(instr);
    SetAccumulator(k);
    return true;
}

// The result is slot 1; it ends in the accumulator, and the last instruction returns it.
bool ParserProgramBuilder::End() {
    if (m_iStackSize < 2) {
        return false;
    }
    const ParserProgram::ESlotKind iKind = m_vSlots[1].m_iKind;
    if (iKind == ParserProgram::skUNSET) {
        return false;
    }
    Instr instr;
    if (iKind != ParserProgram::skACC) {
        instr.m_iOp = ParserProgram::opLOAD;
        instr.m_pX = Operand(1);
        Emit(instr);
    }
    // Every instruction leaves the accumulator holding slot 1's value or unchanged, so the last
    // one may return it.
    std::vector<Instr>& vCode = m_Program.m_vCode;
    if (vCode.empty()) {
        instr.m_iOp = ParserProgram::opRETURN;
        Emit(instr);
    } else {
        vCode.back().m_iOp = static_cast<EOp>(vCode.back().m_iOp + ParserProgram::c_iReturning);
    }
    return true;
}

// Where an instruction reads a slot that is not in the accumulator.
const double* ParserProgramBuilder::Operand(std::size_t j) const {
    const Slot& slot = m_vSlots[j];
    return slot.m_iKind == ParserProgram::skMEM ? m_pStack + j : slot.m_pWhere;
}

// Puts slot j's value into the slot itself.
bool ParserProgramBuilder::Materialise(std::size_t j) {
    Slot& slot = m_vSlots[j];
    switch (slot.m_iKind) {
    case ParserProgram::skMEM:
        return true;
    case ParserProgram::skACC:
        SpillAccumulator();
        return true;
    case ParserProgram::skVAR:
    case ParserProgram::skCONST: {
        Instr instr;
        instr.m_iOp = ParserProgram::opCOPY;
        instr.m_pDst = m_pStack + j;
        instr.m_pX = slot.m_pWhere;
        Emit(instr);
        slot.m_iKind = ParserProgram::skMEM;
        return true;
    }
    default:
        return false;
    }
}

// Arguments of a call that reads them from the stack: all n in their slots, and the
// accumulator free for the result.
bool ParserProgramBuilder::PrepareArguments(std::size_t k, std::size_t n) {
    for (std::size_t j = k; j < k + n; ++j) {
        if (!Materialise(j)) {
            return false;
        }
    }
    if (n == 0) {
        Overwrite(k);
    }
    SpillAccumulator();
    return true;
}

// Before a step that may write variables: every variable read still pending outside the
// step's own operand slots [a_iFirst, a_iFirst + a_iCount) is made now, in its slot. The
// operands themselves are read by the step, before it writes.
void ParserProgramBuilder::FlushPendingVars(std::size_t a_iFirst, std::size_t a_iCount) {
    for (const std::size_t j : m_Program.m_vPendingVars) {
        const bool bOperand = j >= a_iFirst && j < a_iFirst + a_iCount;
        if (!bOperand && m_vSlots[j].m_iKind == ParserProgram::skVAR) {
            Materialise(j);
        }
    }
    m_Program.m_vPendingVars.clear();
}

void ParserProgramBuilder::SpillAccumulator() {
    if (m_iAcc == npos) {
        return;
    }
    Instr instr;
    instr.m_iOp = ParserProgram::opSTORE;
    instr.m_pDst = m_pStack + m_iAcc;
    Emit(instr);
    m_vSlots[m_iAcc].m_iKind = ParserProgram::skMEM;
    m_iAcc = npos;
}

// Slot k gets a new value: whatever the accumulator held for it is dead.
void ParserProgramBuilder::Overwrite(std::size_t k) {
    if (m_iAcc == k) {
        m_iAcc = npos;
    }
    m_vSlots[k] = Slot();
}

// Slot j was read by a step whose result went elsewhere. The interpreter leaves the read
// value in the slot; a value that was not in memory is unknown from here on.
void ParserProgramBuilder::Consumed(std::size_t j) {
    Slot& slot = m_vSlots[j];
    if (slot.m_iKind == ParserProgram::skACC) {
        m_iAcc = npos;
    }
    if (slot.m_iKind != ParserProgram::skMEM && slot.m_iKind != ParserProgram::skCONST) {
        slot = Slot();
    }
}

void ParserProgramBuilder::SetAccumulator(std::size_t k) {
    m_iAcc = k;
    m_vSlots[k] = Slot{ParserProgram::skACC, nullptr};
}

// Bounds of what a translation emits: an instruction per entry at most for its own step, a
// spill of the accumulator per entry, a copy per value or variable entry, the final load and
// the return.
void ParserProgram::Prepare(std::size_t a_iSize, std::size_t a_iStackSize) {
    Clear();
    if (a_iSize <= m_iReservedSize && a_iStackSize <= m_iReservedStack) {
        return;
    }
    m_iReservedSize = std::max(m_iReservedSize, a_iSize);
    m_iReservedStack = std::max(m_iReservedStack, a_iStackSize);
    const std::size_t iEntries = a_iSize / 2;
    const std::size_t iOperands = a_iSize / ParserBytecode::m_iValEntryWords + 1;
    m_vCode.reserve(3 * iEntries + 3);
    m_vConst.reserve(iOperands);
    m_vPendingVars.reserve(iOperands);
    m_vSlots.reserve(a_iStackSize);
}

bool ParserProgram::Build(const ParserBytecode::word_type* a_pCode, std::size_t a_iSize,
                          double* a_pStack, std::size_t a_iStackSize,
                          const std::vector<std::string>& a_vStrings, bool a_bMachineCode) {
    Clear();
    // At most one constant per value entry; reserving keeps their addresses fixed.
    m_vConst.reserve(a_iSize / ParserBytecode::m_iValEntryWords + 1);
    ParserProgramBuilder builder(*this, a_pStack, a_iStackSize, a_vStrings.size());
    m_bReady = builder.Translate(a_pCode, a_iSize);
    if (!m_bReady) {
        m_vCode.clear();
    } else if (a_bMachineCode) {
        m_MachineCode.Translate(*this);
    }
    m_bBuilt = true;
    return m_bReady;
}

void ParserProgram::Clear() {
    m_MachineCode.Clear();
    m_vCode.clear();
    m_vConst.clear();
    m_bBuilt = false;
    m_bReady = false;
}

} // namespace mu
