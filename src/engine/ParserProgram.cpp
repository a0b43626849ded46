// The run loop of the pre-decoded form. The running result stays in a local the compiler keeps
// in a register, and every operand is read through its pointer.
//
// Dispatch is threaded: every operation ends by jumping straight to the next one's label, and
// the program ends with opRETURN instead of a bound check. A loop around a switch costs three
// taken branches per instruction (into the case, back to the top, round the loop); here it is
// one, and each operation's jump learns its own successors. Labels as values are a GNU extension
// of the compilers this engine is built with, hence the one silenced pedantic warning.
#include "ParserProgram.h"

#include "ParserCallback.h"

#include <cmath>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

namespace mu {

double ParserProgram::Run(const std::vector<std::string>& a_vStrings) const {
    // ORDER EOp: one label per operation.
    static const void* const aOp[] = {
        &&do_opSTORE,       &&do_opCOPY,        &&do_opLOAD,        &&do_opADD_MM,
        &&do_opADD_AM,      &&do_opSUB_MM,      &&do_opSUB_AM,      &&do_opSUB_MA,
        &&do_opMUL_MM,      &&do_opMUL_AM,      &&do_opDIV_MM,      &&do_opDIV_AM,
        &&do_opDIV_MA,      &&do_opPOW_MM,      &&do_opPOW_AM,      &&do_opPOW_MA,
        &&do_opOPR_MM,      &&do_opOPR_AM,      &&do_opOPR_MA,      &&do_opADD_ADD,
        &&do_opADD_SUB,     &&do_opADD_MUL,     &&do_opADD_DIV,     &&do_opSUB_ADD,
        &&do_opSUB_SUB,     &&do_opSUB_MUL,     &&do_opSUB_DIV,     &&do_opMUL_ADD,
        &&do_opMUL_SUB,     &&do_opMUL_MUL,     &&do_opMUL_DIV,     &&do_opDIV_ADD,
        &&do_opDIV_SUB,     &&do_opDIV_MUL,     &&do_opDIV_DIV,     &&do_opMM2_ADD_ADD,
        &&do_opMM2_ADD_SUB, &&do_opMM2_ADD_MUL, &&do_opMM2_ADD_DIV, &&do_opMM2_SUB_ADD,
        &&do_opMM2_SUB_SUB, &&do_opMM2_SUB_MUL, &&do_opMM2_SUB_DIV, &&do_opMM2_MUL_ADD,
        &&do_opMM2_MUL_SUB, &&do_opMM2_MUL_MUL, &&do_opMM2_MUL_DIV, &&do_opMM2_DIV_ADD,
        &&do_opMM2_DIV_SUB, &&do_opMM2_DIV_MUL, &&do_opMM2_DIV_DIV, &&do_opAM2_ADD_ADD,
        &&do_opAM2_ADD_SUB, &&do_opAM2_ADD_MUL, &&do_opAM2_ADD_DIV, &&do_opAM2_SUB_ADD,
        &&do_opAM2_SUB_SUB, &&do_opAM2_SUB_MUL, &&do_opAM2_SUB_DIV, &&do_opAM2_MUL_ADD,
        &&do_opAM2_MUL_SUB, &&do_opAM2_MUL_MUL, &&do_opAM2_MUL_DIV, &&do_opAM2_DIV_ADD,
        &&do_opAM2_DIV_SUB, &&do_opAM2_DIV_MUL, &&do_opAM2_DIV_DIV, &&do_opASSIGN_A,
        &&do_opASSIGN_M,    &&do_opCALL1_A,     &&do_opCALL1_M,     &&do_opSQR_A,
        &&do_opSQR_M,       &&do_opABS_A,       &&do_opABS_M,       &&do_opSQRT_A,
        &&do_opSQRT_M,      &&do_opNEG_A,       &&do_opNEG_M,       &&do_opCALL,
        &&do_opSTRCALL,     &&do_opRETURN,
    };
    static_assert(sizeof(aOp) / sizeof(aOp[0]) == opRETURN + 1);

    const Instr* in = m_vCode.data();
    double acc = 0;
    goto* aOp[in->m_iOp];
do_opSTORE:
    *in->m_pDst = acc;
    goto* aOp[(++in)->m_iOp];
do_opCOPY:
    *in->m_pDst = *in->m_pX;
    goto* aOp[(++in)->m_iOp];
do_opLOAD:
    acc = *in->m_pX;
    goto* aOp[(++in)->m_iOp];
do_opADD_MM:
    acc = *in->m_pX + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opADD_AM:
    acc = acc + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opSUB_MM:
    acc = *in->m_pX - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opSUB_AM:
    acc = acc - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opSUB_MA:
    acc = *in->m_pX - acc;
    goto* aOp[(++in)->m_iOp];
do_opMUL_MM:
    acc = *in->m_pX * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opMUL_AM:
    acc = acc * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opDIV_MM:
    acc = *in->m_pX / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opDIV_AM:
    acc = acc / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opDIV_MA:
    acc = *in->m_pX / acc;
    goto* aOp[(++in)->m_iOp];
do_opPOW_MM:
    acc = Power(*in->m_pX, *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opPOW_AM:
    acc = Power(acc, *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opPOW_MA:
    acc = Power(*in->m_pX, acc);
    goto* aOp[(++in)->m_iOp];
do_opOPR_MM:
    acc = ApplyBuiltinOperator(in->m_iCode, *in->m_pX, *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opOPR_AM:
    acc = ApplyBuiltinOperator(in->m_iCode, acc, *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opOPR_MA:
    acc = ApplyBuiltinOperator(in->m_iCode, *in->m_pX, acc);
    goto* aOp[(++in)->m_iOp];
do_opADD_ADD:
    acc = acc + (*in->m_pX + *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opADD_SUB:
    acc = acc + (*in->m_pX - *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opADD_MUL:
    acc = acc + (*in->m_pX * *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opADD_DIV:
    acc = acc + (*in->m_pX / *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opSUB_ADD:
    acc = acc - (*in->m_pX + *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opSUB_SUB:
    acc = acc - (*in->m_pX - *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opSUB_MUL:
    acc = acc - (*in->m_pX * *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opSUB_DIV:
    acc = acc - (*in->m_pX / *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opMUL_ADD:
    acc = acc * (*in->m_pX + *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opMUL_SUB:
    acc = acc * (*in->m_pX - *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opMUL_MUL:
    acc = acc * (*in->m_pX * *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opMUL_DIV:
    acc = acc * (*in->m_pX / *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opDIV_ADD:
    acc = acc / (*in->m_pX + *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opDIV_SUB:
    acc = acc / (*in->m_pX - *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opDIV_MUL:
    acc = acc / (*in->m_pX * *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opDIV_DIV:
    acc = acc / (*in->m_pX / *in->m_pY);
    goto* aOp[(++in)->m_iOp];
do_opMM2_ADD_ADD:
    acc = (*in->m_pX + *in->m_pY) + *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_ADD_SUB:
    acc = (*in->m_pX + *in->m_pY) - *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_ADD_MUL:
    acc = (*in->m_pX + *in->m_pY) * *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_ADD_DIV:
    acc = (*in->m_pX + *in->m_pY) / *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_SUB_ADD:
    acc = (*in->m_pX - *in->m_pY) + *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_SUB_SUB:
    acc = (*in->m_pX - *in->m_pY) - *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_SUB_MUL:
    acc = (*in->m_pX - *in->m_pY) * *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_SUB_DIV:
    acc = (*in->m_pX - *in->m_pY) / *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_MUL_ADD:
    acc = (*in->m_pX * *in->m_pY) + *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_MUL_SUB:
    acc = (*in->m_pX * *in->m_pY) - *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_MUL_MUL:
    acc = (*in->m_pX * *in->m_pY) * *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_MUL_DIV:
    acc = (*in->m_pX * *in->m_pY) / *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_DIV_ADD:
    acc = (*in->m_pX / *in->m_pY) + *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_DIV_SUB:
    acc = (*in->m_pX / *in->m_pY) - *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_DIV_MUL:
    acc = (*in->m_pX / *in->m_pY) * *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opMM2_DIV_DIV:
    acc = (*in->m_pX / *in->m_pY) / *in->m_pZ;
    goto* aOp[(++in)->m_iOp];
do_opAM2_ADD_ADD:
    acc = (acc + *in->m_pX) + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_ADD_SUB:
    acc = (acc + *in->m_pX) - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_ADD_MUL:
    acc = (acc + *in->m_pX) * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_ADD_DIV:
    acc = (acc + *in->m_pX) / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_SUB_ADD:
    acc = (acc - *in->m_pX) + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_SUB_SUB:
    acc = (acc - *in->m_pX) - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_SUB_MUL:
    acc = (acc - *in->m_pX) * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_SUB_DIV:
    acc = (acc - *in->m_pX) / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_MUL_ADD:
    acc = (acc * *in->m_pX) + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_MUL_SUB:
    acc = (acc * *in->m_pX) - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_MUL_MUL:
    acc = (acc * *in->m_pX) * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_MUL_DIV:
    acc = (acc * *in->m_pX) / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_DIV_ADD:
    acc = (acc / *in->m_pX) + *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_DIV_SUB:
    acc = (acc / *in->m_pX) - *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_DIV_MUL:
    acc = (acc / *in->m_pX) * *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opAM2_DIV_DIV:
    acc = (acc / *in->m_pX) / *in->m_pY;
    goto* aOp[(++in)->m_iOp];
do_opASSIGN_A:
    *in->m_pDst = acc;
    goto* aOp[(++in)->m_iOp];
do_opASSIGN_M:
    acc = *in->m_pX;
    *in->m_pDst = acc;
    goto* aOp[(++in)->m_iOp];
do_opCALL1_A:
    acc = reinterpret_cast<Fun1>(in->m_pFun)(acc);
    goto* aOp[(++in)->m_iOp];
do_opCALL1_M:
    acc = reinterpret_cast<Fun1>(in->m_pFun)(*in->m_pX);
    goto* aOp[(++in)->m_iOp];
do_opSQR_A:
    acc = acc * acc;
    goto* aOp[(++in)->m_iOp];
do_opSQR_M:
    acc = *in->m_pX * *in->m_pX;
    goto* aOp[(++in)->m_iOp];
do_opABS_A:
    acc = std::fabs(acc);
    goto* aOp[(++in)->m_iOp];
do_opABS_M:
    acc = std::fabs(*in->m_pX);
    goto* aOp[(++in)->m_iOp];
do_opSQRT_A:
    acc = std::sqrt(acc);
    goto* aOp[(++in)->m_iOp];
do_opSQRT_M:
    acc = std::sqrt(*in->m_pX);
    goto* aOp[(++in)->m_iOp];
do_opNEG_A:
    acc = -acc;
    goto* aOp[(++in)->m_iOp];
do_opNEG_M:
    acc = -*in->m_pX;
    goto* aOp[(++in)->m_iOp];
do_opCALL:
    acc = InvokeFun(in->m_pFun, in->m_iArgc, in->m_pDst);
    goto* aOp[(++in)->m_iOp];
do_opSTRCALL:
    acc = InvokeStrFun(in->m_pFun, in->m_iArgc, a_vStrings[in->m_iStr].c_str(), in->m_pDst);
    goto* aOp[(++in)->m_iOp];
do_opRETURN:
    return acc;
}

} // namespace mu

#pragma GCC diagnostic pop
