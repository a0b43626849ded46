// ParserProgramBuilder: the translation of a sealed bytecode into a ParserProgram, one walk over
// the entries that simulates the value stack and knows for every slot where its value is (see
// ParserProgram.h). ParserProgramBuilder.cpp follows the entries and keeps the slots;
// ParserProgramEmit.cpp chooses the instructions and fuses them.
#ifndef MU_PARSER_PROGRAM_BUILDER_H
#define MU_PARSER_PROGRAM_BUILDER_H

#include "ParserProgram.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mu {

class ParserProgramBuilder {
public:
    // a_Program receives the instructions; a_pStack is the value stack of a_iStackSize slots
    // they point into; a_iStrings is the size of the string buffer.
    ParserProgramBuilder(ParserProgram& a_Program, double* a_pStack, std::size_t a_iStackSize,
                         std::size_t a_iStrings);

    // False when the code holds something the translation does not cover.
    bool Translate(const ParserBytecode::word_type* a_pCode, std::size_t a_iSize);

private:
    using Slot = ParserProgram::Slot;
    using Instr = ParserProgram::Instr;
    using EOp = ParserProgram::EOp;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // Forms of a built-in binary operator: both operands in memory, the left one in the
    // accumulator, or the right one.
    enum EForm { fmMM, fmAM, fmMA };

    // One entry each; false when it is not covered. k is the entry's slot.
    bool Entry(const ParserBytecode::word_type* a_pEntry);
    void Constant(std::size_t k, double a_fVal);
    void Variable(std::size_t k, const double* a_pVar);
    bool Binary(std::size_t k, std::uint32_t a_iCode);
    void Square(std::size_t k);
    bool Assign(std::size_t k, double* a_pVar);
    bool Call(std::size_t k, std::int32_t a_iArgc, GenericFun a_pFun);
    bool StringCall(std::size_t k, std::int32_t a_iArgc, std::uint32_t a_iStr, GenericFun a_pFun);
    bool End();

    // What the slots hold (ParserProgramBuilder.cpp).
    const double* Operand(std::size_t j) const;
    bool Materialise(std::size_t j);
    bool PrepareArguments(std::size_t k, std::size_t n);
    void FlushPendingVars(std::size_t a_iFirst, std::size_t a_iCount);
    void SpillAccumulator();
    void Overwrite(std::size_t k);
    void Consumed(std::size_t j);
    void SetAccumulator(std::size_t k);

    // Which instructions, and fusing them (ParserProgramEmit.cpp).
    static Instr OperatorInstr(std::uint32_t a_iCode, EForm a_iForm, const double* a_pX,
                               const double* a_pY);
    static int FirstForm(std::uint32_t a_iCode);
    static EOp OneArgumentCall(GenericFun a_pFun, EForm a_iForm);
    void WaitAsPair(std::size_t k, std::uint32_t a_iCode);
    void FusePair(std::size_t k, std::uint32_t a_iOuter);
    void RealisePair();
    void Emit(const Instr& a_Instr);

    ParserProgram& m_Program;
    double* const m_pStack;
    const std::size_t m_iStackSize;
    const std::size_t m_iStrings;
    std::vector<Slot>& m_vSlots;
    std::size_t m_iAcc = npos; // the slot whose value the accumulator holds
    // A step of two memory operands waiting to fuse with the step that consumes it.
    std::size_t m_iPair = npos;
    std::uint32_t m_iPairCode = 0;
    const double* m_pPairX = nullptr;
    const double* m_pPairY = nullptr;
};

} // namespace mu

#endif
