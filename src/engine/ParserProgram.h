// ParserProgram: a private, faster form of one sealed bytecode, built once when the code is
// sealed and run by every later evaluation instead of walking the words.
//
// The bytecode is a stack machine: every entry names the slot it writes and reads its operands
// from the slots above. Most of those stack moves are pure bookkeeping, so the translation
// simulates the stack once and keeps, per slot, where its value already is:
//
//   a variable's double or a constant   the operand is read straight from there (no load entry)
//   the accumulator                     the most recent result, kept in a register while running
//   the slot itself                     stored there (a spilled result, or a call argument)
//
// Each instruction then reads its operands through plain pointers and leaves its result in the
// accumulator; "a+b*c" becomes two instructions, acc = b*c and acc = acc+a. Two steps of the four
// basic operations whose inner step reads only memory operands, such as (a+1)*(b+2) after its
// left factor, fuse into one instruction: acc = acc*(b+2).
//
// The order of every computation stays that of the bytecode. A variable operand is read when
// the instruction that uses it runs rather than at its variable entry, which is the same value
// unless something writes variables in between; so before every assignment and every call all
// such pending reads are made at their entry's place (copied into their slots).
//
// The program is built by the first evaluation that runs the code, not when the code is sealed:
// an expression evaluated only once (each line of a script) never needs it. Its storage is
// reserved at sealing, so building it allocates nothing either.
//
// Code the translation does not cover (an unknown code, a call of more than c_iMaxFunArgs
// arguments, a slot read before anything wrote it, an entry running past the end) builds no
// program; the parser then runs the bytecode itself, which also raises the internal errors at the
// right point.
#ifndef MU_PARSER_PROGRAM_H
#define MU_PARSER_PROGRAM_H

#include "ParserBytecode.h"
#include "ParserDef.h"
#include "ParserMachineCode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mu {

class ParserProgram {
public:
    ParserProgram() = default;
    // The instructions point into this object and into one parser's value stack: never copied.
    ParserProgram(const ParserProgram&) = delete;
    ParserProgram& operator=(const ParserProgram&) = delete;

    // Forgets the program and reserves room for translating a sealed code of a_iSize words
    // over a stack of a_iStackSize slots.
    void Prepare(std::size_t a_iSize, std::size_t a_iStackSize);
    // Translates a sealed code of a_iSize words. a_pStack is the parser's value stack of
    // a_iStackSize elements and must stay where it is while the program is in use; a_vStrings is
    // the string buffer that string calls index. With a_bMachineCode, a program that qualifies
    // is also translated into machine code (ParserMachineCode.h). Returns IsReady().
    bool Build(const ParserBytecode::word_type* a_pCode, std::size_t a_iSize, double* a_pStack,
               std::size_t a_iStackSize, const std::vector<std::string>& a_vStrings,
               bool a_bMachineCode);
    void Clear();
    // Built since the last Prepare or Clear, whether or not the code could be translated.
    bool IsBuilt() const { return m_bBuilt; }
    bool IsReady() const { return m_bReady; }

    // Runs the program; allocates nothing. Only valid while IsReady().
    double Run(const std::vector<std::string>& a_vStrings) const;
    // The program as machine code, which runs it the same way without the loop; null when the
    // program has none.
    ParserMachineCode::Function MachineCode() const { return m_MachineCode.Entry(); }

    // Number of instructions, for tests of the translation.
    std::size_t Size() const { return m_vCode.size(); }

    // Operations. M: a memory operand (variable, constant or slot) read through a pointer;
    // A: the accumulator. "acc = x op y" with x from m_pX and y from m_pY.
    enum EOp : std::uint8_t {
        opSTORE,   // *dst = acc
        opCOPY,    // *dst = *x
        opLOAD,    // acc = *x
        opADD_MM,  // acc = *x + *y
        opADD_AM,  // acc = acc + *y
        opSUB_MM,  // acc = *x - *y
        opSUB_AM,  // acc = acc - *y
        opSUB_MA,  // acc = *x - acc
        opMUL_MM,  // acc = *x * *y
        opMUL_AM,  // acc = acc * *y
        opDIV_MM,  // acc = *x / *y
        opDIV_AM,  // acc = acc / *y
        opDIV_MA,  // acc = *x / acc
        opPOW_MM,  // acc = *x ^ *y (Power)
        opPOW_AM,  // acc = acc ^ *y
        opPOW_MA,  // acc = *x ^ acc
        opOPR_MM,  // acc = *x code *y, any other built-in operator
        opOPR_AM,  // acc = acc code *y
        opOPR_MA,  // acc = *x code acc
        opADD_ADD, // acc = acc + (*x + *y); the fused forms: outer operator, then inner one
        opADD_SUB, // acc = acc + (*x - *y)
        opADD_MUL, // acc = acc + (*x * *y)
        opADD_DIV, // acc = acc + (*x / *y)
        opSUB_ADD, // acc = acc - (*x + *y)
        opSUB_SUB, // acc = acc - (*x - *y)
        opSUB_MUL, // acc = acc - (*x * *y)
        opSUB_DIV, // acc = acc - (*x / *y)
        opMUL_ADD, // acc = acc * (*x + *y)
        opMUL_SUB, // acc = acc * (*x - *y)
        opMUL_MUL, // acc = acc * (*x * *y)
        opMUL_DIV, // acc = acc * (*x / *y)
        opDIV_ADD, // acc = acc / (*x + *y)
        opDIV_SUB, // acc = acc / (*x - *y)
        opDIV_MUL, // acc = acc / (*x * *y)
        opDIV_DIV, // acc = acc / (*x / *y)
        // Two steps in a row, fused where they are emitted: an operation of two memory
        // operands, or one on the accumulator, followed by one on the accumulator.
        opMM2_ADD_ADD, // acc = (*x + *y) + *z
        opMM2_ADD_SUB, // acc = (*x + *y) - *z
        opMM2_ADD_MUL, // acc = (*x + *y) * *z
        opMM2_ADD_DIV, // acc = (*x + *y) / *z
        opMM2_SUB_ADD, // acc = (*x - *y) + *z
        opMM2_SUB_SUB, // acc = (*x - *y) - *z
        opMM2_SUB_MUL, // acc = (*x - *y) * *z
        opMM2_SUB_DIV, // acc = (*x - *y) / *z
        opMM2_MUL_ADD, // acc = (*x * *y) + *z
        opMM2_MUL_SUB, // acc = (*x * *y) - *z
        opMM2_MUL_MUL, // acc = (*x * *y) * *z
        opMM2_MUL_DIV, // acc = (*x * *y) / *z
        opMM2_DIV_ADD, // acc = (*x / *y) + *z
        opMM2_DIV_SUB, // acc = (*x / *y) - *z
        opMM2_DIV_MUL, // acc = (*x / *y) * *z
        opMM2_DIV_DIV, // acc = (*x / *y) / *z
        opAM2_ADD_ADD, // acc = (acc + *x) + *y
        opAM2_ADD_SUB, // acc = (acc + *x) - *y
        opAM2_ADD_MUL, // acc = (acc + *x) * *y
        opAM2_ADD_DIV, // acc = (acc + *x) / *y
        opAM2_SUB_ADD, // acc = (acc - *x) + *y
        opAM2_SUB_SUB, // acc = (acc - *x) - *y
        opAM2_SUB_MUL, // acc = (acc - *x) * *y
        opAM2_SUB_DIV, // acc = (acc - *x) / *y
        opAM2_MUL_ADD, // acc = (acc * *x) + *y
        opAM2_MUL_SUB, // acc = (acc * *x) - *y
        opAM2_MUL_MUL, // acc = (acc * *x) * *y
        opAM2_MUL_DIV, // acc = (acc * *x) / *y
        opAM2_DIV_ADD, // acc = (acc / *x) + *y
        opAM2_DIV_SUB, // acc = (acc / *x) - *y
        opAM2_DIV_MUL, // acc = (acc / *x) * *y
        opAM2_DIV_DIV, // acc = (acc / *x) / *y
        opASSIGN_A,    // *dst = acc (dst: the variable)
        opASSIGN_M,    // acc = *x; *dst = acc
        opCALL1_A,     // acc = f(acc)
        opCALL1_M,     // acc = f(*x)
        opSQR_A,       // acc = acc * acc: "^" with the constant exponent 2
        opSQR_M,       // acc = *x * *x
        opABS_A,       // acc = fabs(acc): a call of the built-in abs, done in place
        opABS_M,       // acc = fabs(*x)
        opSQRT_A,      // acc = sqrt(acc): a call of the built-in sqrt, done in place
        opSQRT_M,      // acc = sqrt(*x)
        opNEG_A,       // acc = -acc: the built-in prefix minus, done in place
        opNEG_M,       // acc = -*x
        opCALL,        // acc = f(dst[0] .. dst[argc-1]), or f(dst, n) for argc = -n
        opSTRCALL,     // acc = f(string, dst[0] .. dst[argc-1])
        opRETURN       // the result is acc: a program without instructions (none is built)
    };
    // The last instruction's code is its operation plus c_iReturning: it returns acc when done.
    static constexpr int c_iReturning = opRETURN + 1;

    struct Instr {
        EOp m_iOp = opLOAD;
        std::uint8_t m_iCode = 0; // the built-in operator of the opOPR forms
        std::int32_t m_iArgc = 0; // calls: as in the bytecode
        const double* m_pX = nullptr;
        const double* m_pY = nullptr;
        const double* m_pZ = nullptr; // the third operand of the opMM2 forms
        double* m_pDst = nullptr;
        GenericFun m_pFun = nullptr;
        std::size_t m_iStr = 0; // string calls: index into the string buffer
    };

    // The operation of an instruction, whether or not it is the returning last one.
    static EOp Operation(const Instr& a_Instr) {
        return static_cast<EOp>(a_Instr.m_iOp >= c_iReturning ? a_Instr.m_iOp - c_iReturning
                                                              : a_Instr.m_iOp);
    }

    // 0..3 when a_iOp is the a_iAddForm form (opADD_MM or opADD_AM) of +, -, * or /; else -1.
    static int StepIndex(EOp a_iOp, EOp a_iAddForm) {
        const bool bMM = a_iAddForm == opADD_MM;
        const EOp aForms[4] = {a_iAddForm, bMM ? opSUB_MM : opSUB_AM, bMM ? opMUL_MM : opMUL_AM,
                               bMM ? opDIV_MM : opDIV_AM};
        for (int i = 0; i < 4; ++i) {
            if (a_iOp == aForms[i]) {
                return i;
            }
        }
        return -1;
    }

    const std::vector<Instr>& Code() const { return m_vCode; }

private:
    friend class ParserProgramBuilder;

    // What the translation knows of one value-stack slot.
    enum ESlotKind : std::uint8_t { skUNSET, skMEM, skVAR, skCONST, skACC, skPAIR };
    struct Slot {
        ESlotKind m_iKind = skUNSET;
        const double* m_pWhere = nullptr; // skVAR: the variable; skCONST: the constant
    };

    std::vector<Instr> m_vCode;
    // Constants of the value entries; reserved before translating, so the pointers stay valid.
    std::vector<double> m_vConst;
    bool m_bBuilt = false;
    bool m_bReady = false;
    // Scratch of the translation, kept so that compiling again does not allocate.
    std::vector<Slot> m_vSlots;
    std::vector<std::size_t> m_vPendingVars;
    // The largest code and stack Prepare has reserved for: the vectors never give their room
    // back, so a code no larger needs no reserving.
    std::size_t m_iReservedSize = 0;
    std::size_t m_iReservedStack = 0;
    ParserMachineCode m_MachineCode;
};

} // namespace mu

#endif
