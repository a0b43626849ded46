// The run loop of the pre-decoded form. The running result stays in a local the compiler keeps
// in a register, and every operand is read through its pointer.
//
// Dispatch is threaded: every operation ends by jumping straight to the next one's label, and
// the program ends with a returning operation instead of a bound check. A loop around a switch
// costs three taken branches per instruction (into the case, back to the top, round the loop); here
// it is one, and each operation's jump learns its own successors. The last instruction of a program
// is the returning twin of its operation (its code plus c_iReturning), which does the same and then
// returns, so no separate return is dispatched. Labels as values are a GNU extension of the
// compilers this engine is built with, hence the one silenced pedantic warning.
#include "ParserProgram.h"

#include "ParserCallback.h"

#include <cmath>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

namespace mu {

// The fields of the running instruction, by the names the operation list uses; a field an
// operation does not use is never read.
#define MU_OPERANDS                                                                                \
    [[maybe_unused]] const double* const x = in->m_pX;                                             \
    [[maybe_unused]] const double* const y = in->m_pY;                                             \
    [[maybe_unused]] const double* const z = in->m_pZ;                                             \
    [[maybe_unused]] double* const dst = in->m_pDst;                                               \
    [[maybe_unused]] const GenericFun fun = in->m_pFun;                                            \
    [[maybe_unused]] const int argc = in->m_iArgc;                                                 \
    [[maybe_unused]] const int code = in->m_iCode;                                                 \
    [[maybe_unused]] const std::size_t str = in->m_iStr

// Each operation as two labels: one going on to the next instruction, and its returning twin.
#define MU_OPERATION(NAME, ...)                                                                    \
    do_op##NAME : {                                                                                \
        MU_OPERANDS;                                                                               \
        __VA_ARGS__;                                                                               \
    }                                                                                              \
    goto* aOp[(++in)->m_iOp];                                                                      \
    ret_op##NAME : {                                                                               \
        MU_OPERANDS;                                                                               \
        __VA_ARGS__;                                                                               \
    }                                                                                              \
    return acc;
#define MU_LABEL(NAME, ...) &&do_op##NAME,
#define MU_RETURNING_LABEL(NAME, ...) &&ret_op##NAME,

double ParserProgram::Run(const std::vector<std::string>& a_vStrings) const {
    // ORDER OP: one label per operation, then the returning twins in the same order.
    // clang-format off
    static const void* const aOp[] = {
        MU_PROGRAM_OPERATIONS(MU_LABEL) &&do_opRETURN,
        MU_PROGRAM_OPERATIONS(MU_RETURNING_LABEL) &&do_opRETURN,
    };
    // clang-format on
    static_assert(sizeof(aOp) / sizeof(aOp[0]) == 2 * c_iReturning);

    [[maybe_unused]] const std::vector<std::string>& strings = a_vStrings;
    const Instr* in = m_vCode.data();
    double acc = 0;
    goto* aOp[in->m_iOp];
    MU_PROGRAM_OPERATIONS(MU_OPERATION)
do_opRETURN:
    return acc;
}

#undef MU_OPERATION
#undef MU_RETURNING_LABEL
#undef MU_LABEL
#undef MU_OPERANDS

} // namespace mu

#pragma GCC diagnostic pop
