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

// Each operation as two labels: one going on to the next instruction, and its returning twin.
#define MU_OPERATION(NAME, ...)                                                                    \
    do_##NAME : __VA_ARGS__;                                                                       \
    goto* aOp[(++in)->m_iOp];                                                                      \
    ret_##NAME : __VA_ARGS__;                                                                      \
    return acc

double ParserProgram::Run(const std::vector<std::string>& a_vStrings) const {
    // ORDER EOp: one label per operation, then the returning twins in the same order.
    static const void* const aOp[] = {
        &&do_opSTORE,        &&do_opCOPY,         &&do_opLOAD,         &&do_opADD_MM,
        &&do_opADD_AM,       &&do_opSUB_MM,       &&do_opSUB_AM,       &&do_opSUB_MA,
        &&do_opMUL_MM,       &&do_opMUL_AM,       &&do_opDIV_MM,       &&do_opDIV_AM,
        &&do_opDIV_MA,       &&do_opPOW_MM,       &&do_opPOW_AM,       &&do_opPOW_MA,
        &&do_opOPR_MM,       &&do_opOPR_AM,       &&do_opOPR_MA,       &&do_opADD_ADD,
        &&do_opADD_SUB,      &&do_opADD_MUL,      &&do_opADD_DIV,      &&do_opSUB_ADD,
        &&do_opSUB_SUB,      &&do_opSUB_MUL,      &&do_opSUB_DIV,      &&do_opMUL_ADD,
        &&do_opMUL_SUB,      &&do_opMUL_MUL,      &&do_opMUL_DIV,      &&do_opDIV_ADD,
        &&do_opDIV_SUB,      &&do_opDIV_MUL,      &&do_opDIV_DIV,      &&do_opMM2_ADD_ADD,
        &&do_opMM2_ADD_SUB,  &&do_opMM2_ADD_MUL,  &&do_opMM2_ADD_DIV,  &&do_opMM2_SUB_ADD,
        &&do_opMM2_SUB_SUB,  &&do_opMM2_SUB_MUL,  &&do_opMM2_SUB_DIV,  &&do_opMM2_MUL_ADD,
        &&do_opMM2_MUL_SUB,  &&do_opMM2_MUL_MUL,  &&do_opMM2_MUL_DIV,  &&do_opMM2_DIV_ADD,
        &&do_opMM2_DIV_SUB,  &&do_opMM2_DIV_MUL,  &&do_opMM2_DIV_DIV,  &&do_opAM2_ADD_ADD,
        &&do_opAM2_ADD_SUB,  &&do_opAM2_ADD_MUL,  &&do_opAM2_ADD_DIV,  &&do_opAM2_SUB_ADD,
        &&do_opAM2_SUB_SUB,  &&do_opAM2_SUB_MUL,  &&do_opAM2_SUB_DIV,  &&do_opAM2_MUL_ADD,
        &&do_opAM2_MUL_SUB,  &&do_opAM2_MUL_MUL,  &&do_opAM2_MUL_DIV,  &&do_opAM2_DIV_ADD,
        &&do_opAM2_DIV_SUB,  &&do_opAM2_DIV_MUL,  &&do_opAM2_DIV_DIV,  &&do_opASSIGN_A,
        &&do_opASSIGN_M,     &&do_opCALL1_A,      &&do_opCALL1_M,      &&do_opSQR_A,
        &&do_opSQR_M,        &&do_opABS_A,        &&do_opABS_M,        &&do_opSQRT_A,
        &&do_opSQRT_M,       &&do_opNEG_A,        &&do_opNEG_M,        &&do_opCALL,
        &&do_opSTRCALL,      &&do_opRETURN,       &&ret_opSTORE,       &&ret_opCOPY,
        &&ret_opLOAD,        &&ret_opADD_MM,      &&ret_opADD_AM,      &&ret_opSUB_MM,
        &&ret_opSUB_AM,      &&ret_opSUB_MA,      &&ret_opMUL_MM,      &&ret_opMUL_AM,
        &&ret_opDIV_MM,      &&ret_opDIV_AM,      &&ret_opDIV_MA,      &&ret_opPOW_MM,
        &&ret_opPOW_AM,      &&ret_opPOW_MA,      &&ret_opOPR_MM,      &&ret_opOPR_AM,
        &&ret_opOPR_MA,      &&ret_opADD_ADD,     &&ret_opADD_SUB,     &&ret_opADD_MUL,
        &&ret_opADD_DIV,     &&ret_opSUB_ADD,     &&ret_opSUB_SUB,     &&ret_opSUB_MUL,
        &&ret_opSUB_DIV,     &&ret_opMUL_ADD,     &&ret_opMUL_SUB,     &&ret_opMUL_MUL,
        &&ret_opMUL_DIV,     &&ret_opDIV_ADD,     &&ret_opDIV_SUB,     &&ret_opDIV_MUL,
        &&ret_opDIV_DIV,     &&ret_opMM2_ADD_ADD, &&ret_opMM2_ADD_SUB, &&ret_opMM2_ADD_MUL,
        &&ret_opMM2_ADD_DIV, &&ret_opMM2_SUB_ADD, &&ret_opMM2_SUB_SUB, &&ret_opMM2_SUB_MUL,
        &&ret_opMM2_SUB_DIV, &&ret_opMM2_MUL_ADD, &&ret_opMM2_MUL_SUB, &&ret_opMM2_MUL_MUL,
        &&ret_opMM2_MUL_DIV, &&ret_opMM2_DIV_ADD, &&ret_opMM2_DIV_SUB, &&ret_opMM2_DIV_MUL,
        &&ret_opMM2_DIV_DIV, &&ret_opAM2_ADD_ADD, &&ret_opAM2_ADD_SUB, &&ret_opAM2_ADD_MUL,
        &&ret_opAM2_ADD_DIV, &&ret_opAM2_SUB_ADD, &&ret_opAM2_SUB_SUB, &&ret_opAM2_SUB_MUL,
        &&ret_opAM2_SUB_DIV, &&ret_opAM2_MUL_ADD, &&ret_opAM2_MUL_SUB, &&ret_opAM2_MUL_MUL,
        &&ret_opAM2_MUL_DIV, &&ret_opAM2_DIV_ADD, &&ret_opAM2_DIV_SUB, &&ret_opAM2_DIV_MUL,
        &&ret_opAM2_DIV_DIV, &&ret_opASSIGN_A,    &&ret_opASSIGN_M,    &&ret_opCALL1_A,
        &&ret_opCALL1_M,     &&ret_opSQR_A,       &&ret_opSQR_M,       &&ret_opABS_A,
        &&ret_opABS_M,       &&ret_opSQRT_A,      &&ret_opSQRT_M,      &&ret_opNEG_A,
        &&ret_opNEG_M,       &&ret_opCALL,        &&ret_opSTRCALL,     &&do_opRETURN,
    };
    static_assert(sizeof(aOp) / sizeof(aOp[0]) == 2 * c_iReturning);

    const Instr* in = m_vCode.data();
    double acc = 0;
    goto* aOp[in->m_iOp];
    MU_OPERATION(opSTORE, *in->m_pDst = acc);
    MU_OPERATION(opCOPY, *in->m_pDst = *in->m_pX);
    MU_OPERATION(opLOAD, acc = *in->m_pX);
    MU_OPERATION(opADD_MM, acc = *in->m_pX + *in->m_pY);
    MU_OPERATION(opADD_AM, acc = acc + *in->m_pY);
    MU_OPERATION(opSUB_MM, acc = *in->m_pX - *in->m_pY);
    MU_OPERATION(opSUB_AM, acc = acc - *in->m_pY);
    MU_OPERATION(opSUB_MA, acc = *in->m_pX - acc);
    MU_OPERATION(opMUL_MM, acc = *in->m_pX * *in->m_pY);
    MU_OPERATION(opMUL_AM, acc = acc * *in->m_pY);
    MU_OPERATION(opDIV_MM, acc = *in->m_pX / *in->m_pY);
    MU_OPERATION(opDIV_AM, acc = acc / *in->m_pY);
    MU_OPERATION(opDIV_MA, acc = *in->m_pX / acc);
    MU_OPERATION(opPOW_MM, acc = Power(*in->m_pX, *in->m_pY));
    MU_OPERATION(opPOW_AM, acc = Power(acc, *in->m_pY));
    MU_OPERATION(opPOW_MA, acc = Power(*in->m_pX, acc));
    MU_OPERATION(opOPR_MM, acc = ApplyBuiltinOperator(in->m_iCode, *in->m_pX, *in->m_pY));
    MU_OPERATION(opOPR_AM, acc = ApplyBuiltinOperator(in->m_iCode, acc, *in->m_pY));
    MU_OPERATION(opOPR_MA, acc = ApplyBuiltinOperator(in->m_iCode, *in->m_pX, acc));
    MU_OPERATION(opADD_ADD, acc = acc + (*in->m_pX + *in->m_pY));
    MU_OPERATION(opADD_SUB, acc = acc + (*in->m_pX - *in->m_pY));
    MU_OPERATION(opADD_MUL, acc = acc + (*in->m_pX * *in->m_pY));
    MU_OPERATION(opADD_DIV, acc = acc + (*in->m_pX / *in->m_pY));
    MU_OPERATION(opSUB_ADD, acc = acc - (*in->m_pX + *in->m_pY));
    MU_OPERATION(opSUB_SUB, acc = acc - (*in->m_pX - *in->m_pY));
    MU_OPERATION(opSUB_MUL, acc = acc - (*in->m_pX * *in->m_pY));
    MU_OPERATION(opSUB_DIV, acc = acc - (*in->m_pX / *in->m_pY));
    MU_OPERATION(opMUL_ADD, acc = acc * (*in->m_pX + *in->m_pY));
    MU_OPERATION(opMUL_SUB, acc = acc * (*in->m_pX - *in->m_pY));
    MU_OPERATION(opMUL_MUL, acc = acc * (*in->m_pX * *in->m_pY));
    MU_OPERATION(opMUL_DIV, acc = acc * (*in->m_pX / *in->m_pY));
    MU_OPERATION(opDIV_ADD, acc = acc / (*in->m_pX + *in->m_pY));
    MU_OPERATION(opDIV_SUB, acc = acc / (*in->m_pX - *in->m_pY));
    MU_OPERATION(opDIV_MUL, acc = acc / (*in->m_pX * *in->m_pY));
    MU_OPERATION(opDIV_DIV, acc = acc / (*in->m_pX / *in->m_pY));
    MU_OPERATION(opMM2_ADD_ADD, acc = (*in->m_pX + *in->m_pY) + *in->m_pZ);
    MU_OPERATION(opMM2_ADD_SUB, acc = (*in->m_pX + *in->m_pY) - *in->m_pZ);
    MU_OPERATION(opMM2_ADD_MUL, acc = (*in->m_pX + *in->m_pY) * *in->m_pZ);
    MU_OPERATION(opMM2_ADD_DIV, acc = (*in->m_pX + *in->m_pY) / *in->m_pZ);
    MU_OPERATION(opMM2_SUB_ADD, acc = (*in->m_pX - *in->m_pY) + *in->m_pZ);
    MU_OPERATION(opMM2_SUB_SUB, acc = (*in->m_pX - *in->m_pY) - *in->m_pZ);
    MU_OPERATION(opMM2_SUB_MUL, acc = (*in->m_pX - *in->m_pY) * *in->m_pZ);
    MU_OPERATION(opMM2_SUB_DIV, acc = (*in->m_pX - *in->m_pY) / *in->m_pZ);
    MU_OPERATION(opMM2_MUL_ADD, acc = (*in->m_pX * *in->m_pY) + *in->m_pZ);
    MU_OPERATION(opMM2_MUL_SUB, acc = (*in->m_pX * *in->m_pY) - *in->m_pZ);
    MU_OPERATION(opMM2_MUL_MUL, acc = (*in->m_pX * *in->m_pY) * *in->m_pZ);
    MU_OPERATION(opMM2_MUL_DIV, acc = (*in->m_pX * *in->m_pY) / *in->m_pZ);
    MU_OPERATION(opMM2_DIV_ADD, acc = (*in->m_pX / *in->m_pY) + *in->m_pZ);
    MU_OPERATION(opMM2_DIV_SUB, acc = (*in->m_pX / *in->m_pY) - *in->m_pZ);
    MU_OPERATION(opMM2_DIV_MUL, acc = (*in->m_pX / *in->m_pY) * *in->m_pZ);
    MU_OPERATION(opMM2_DIV_DIV, acc = (*in->m_pX / *in->m_pY) / *in->m_pZ);
    MU_OPERATION(opAM2_ADD_ADD, acc = (acc + *in->m_pX) + *in->m_pY);
    MU_OPERATION(opAM2_ADD_SUB, acc = (acc + *in->m_pX) - *in->m_pY);
    MU_OPERATION(opAM2_ADD_MUL, acc = (acc + *in->m_pX) * *in->m_pY);
    MU_OPERATION(opAM2_ADD_DIV, acc = (acc + *in->m_pX) / *in->m_pY);
    MU_OPERATION(opAM2_SUB_ADD, acc = (acc - *in->m_pX) + *in->m_pY);
    MU_OPERATION(opAM2_SUB_SUB, acc = (acc - *in->m_pX) - *in->m_pY);
    MU_OPERATION(opAM2_SUB_MUL, acc = (acc - *in->m_pX) * *in->m_pY);
    MU_OPERATION(opAM2_SUB_DIV, acc = (acc - *in->m_pX) / *in->m_pY);
    MU_OPERATION(opAM2_MUL_ADD, acc = (acc * *in->m_pX) + *in->m_pY);
    MU_OPERATION(opAM2_MUL_SUB, acc = (acc * *in->m_pX) - *in->m_pY);
    MU_OPERATION(opAM2_MUL_MUL, acc = (acc * *in->m_pX) * *in->m_pY);
    MU_OPERATION(opAM2_MUL_DIV, acc = (acc * *in->m_pX) / *in->m_pY);
    MU_OPERATION(opAM2_DIV_ADD, acc = (acc / *in->m_pX) + *in->m_pY);
    MU_OPERATION(opAM2_DIV_SUB, acc = (acc / *in->m_pX) - *in->m_pY);
    MU_OPERATION(opAM2_DIV_MUL, acc = (acc / *in->m_pX) * *in->m_pY);
    MU_OPERATION(opAM2_DIV_DIV, acc = (acc / *in->m_pX) / *in->m_pY);
    MU_OPERATION(opASSIGN_A, *in->m_pDst = acc);
    MU_OPERATION(opASSIGN_M, acc = *in->m_pX; *in->m_pDst = acc);
    MU_OPERATION(opCALL1_A, acc = reinterpret_cast<Fun1>(in->m_pFun)(acc));
    MU_OPERATION(opCALL1_M, acc = reinterpret_cast<Fun1>(in->m_pFun)(*in->m_pX));
    MU_OPERATION(opSQR_A, acc = acc * acc);
    MU_OPERATION(opSQR_M, acc = *in->m_pX * *in->m_pX);
    MU_OPERATION(opABS_A, acc = std::fabs(acc));
    MU_OPERATION(opABS_M, acc = std::fabs(*in->m_pX));
    MU_OPERATION(opSQRT_A, acc = std::sqrt(acc));
    MU_OPERATION(opSQRT_M, acc = std::sqrt(*in->m_pX));
    MU_OPERATION(opNEG_A, acc = -acc);
    MU_OPERATION(opNEG_M, acc = -*in->m_pX);
    MU_OPERATION(opCALL, acc = InvokeFun(in->m_pFun, in->m_iArgc, in->m_pDst));
    MU_OPERATION(opSTRCALL, acc = InvokeStrFun(in->m_pFun, in->m_iArgc,
                                               a_vStrings[in->m_iStr].c_str(), in->m_pDst));
do_opRETURN:
    return acc;
}

#undef MU_OPERATION

} // namespace mu

#pragma GCC diagnostic pop
