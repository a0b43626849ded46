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

// ORDER BASIC: the four basic operations, name and C++ operator. They are the parts of the fused
// operations, and their command codes cmADD..cmDIV run in the same order.
#define MU_BASIC_OPERATIONS(X, ...)                                                                \
    X(ADD, +, __VA_ARGS__) X(SUB, -, __VA_ARGS__) X(MUL, *, __VA_ARGS__) X(DIV, /, __VA_ARGS__)

// Every ordered pair of basic operations, the first one major: X(FIRST, f, SECOND, s, ...). A list
// cannot expand inside its own expansion, so the inner pass over the list is deferred (the empty
// call between the name and its arguments) until MU_EXPAND scans the rows again.
#define MU_BASIC_PAIRS(X, ...) MU_EXPAND(MU_BASIC_OPERATIONS(MU_BASIC_ROW, X, __VA_ARGS__))
#define MU_BASIC_ROW(FIRST, f, ...)                                                                \
    MU_BASIC_LATER MU_EMPTY()()(MU_BASIC_PAIR, FIRST, f, __VA_ARGS__)
#define MU_BASIC_PAIR(SECOND, s, FIRST, f, X, ...) X(FIRST, f, SECOND, s, __VA_ARGS__)
#define MU_BASIC_LATER() MU_BASIC_OPERATIONS
#define MU_EMPTY()
#define MU_EXPAND(...) __VA_ARGS__

// The three fused families, one operation per pair: a step of two memory operands consumed by one
// on the accumulator; and two steps in a row, fused where they are emitted: an operation of two
// memory operands, or one on the accumulator, followed by one on the accumulator.
// clang-format off
#define MU_FUSED_NESTED(FIRST, f, SECOND, s, OP) OP(FIRST##_##SECOND, acc = acc f (*x s *y))
#define MU_FUSED_MM2(FIRST, f, SECOND, s, OP) OP(MM2_##FIRST##_##SECOND, acc = (*x f *y) s *z)
#define MU_FUSED_AM2(FIRST, f, SECOND, s, OP) OP(AM2_##FIRST##_##SECOND, acc = (acc f *x) s *y)
// clang-format on

// ORDER OP: the operations of a program, one line each: the name (the enum adds "op") and what
// the run loop does. acc is the accumulator; x, y and z are the instruction's operands, read
// through their pointers (a variable, a constant or a stack slot); dst is where it writes, or a
// call's arguments; fun, argc, code and str are its call and operator fields, strings the string
// buffer. The forms of an operator: MM both operands in memory, AM the accumulator on the left,
// MA on the right; A and M likewise for one operand.
#define MU_PROGRAM_OPERATIONS(OP)                                                                  \
    OP(STORE, *dst = acc)                                                                          \
    OP(COPY, *dst = *x)                                                                            \
    OP(LOAD, acc = *x)                                                                             \
    OP(ADD_MM, acc = *x + *y)                                                                      \
    OP(ADD_AM, acc = acc + *y)                                                                     \
    OP(SUB_MM, acc = *x - *y)                                                                      \
    OP(SUB_AM, acc = acc - *y)                                                                     \
    OP(SUB_MA, acc = *x - acc)                                                                     \
    OP(MUL_MM, acc = *x * *y)                                                                      \
    OP(MUL_AM, acc = acc * *y)                                                                     \
    OP(DIV_MM, acc = *x / *y)                                                                      \
    OP(DIV_AM, acc = acc / *y)                                                                     \
    OP(DIV_MA, acc = *x / acc)                                                                     \
    OP(POW_MM, acc = Power(*x, *y))                                                                \
    OP(POW_AM, acc = Power(acc, *y))                                                               \
    OP(POW_MA, acc = Power(*x, acc))                                                               \
    OP(OPR_MM, acc = ApplyBuiltinOperator(code, *x, *y)) /* any other built-in operator */         \
    OP(OPR_AM, acc = ApplyBuiltinOperator(code, acc, *y))                                          \
    OP(OPR_MA, acc = ApplyBuiltinOperator(code, *x, acc))                                          \
    MU_BASIC_PAIRS(MU_FUSED_NESTED, OP) /* acc = acc first (*x second *y) */                       \
    MU_BASIC_PAIRS(MU_FUSED_MM2, OP)    /* acc = (*x first *y) second *z */                        \
    MU_BASIC_PAIRS(MU_FUSED_AM2, OP)    /* acc = (acc first *x) second *y */                       \
    OP(ASSIGN_A, *dst = acc)            /* dst: the variable */                                    \
    OP(ASSIGN_M, acc = *x; *dst = acc)                                                             \
    OP(CALL1_A, acc = reinterpret_cast<Fun1>(fun)(acc))                                            \
    OP(CALL1_M, acc = reinterpret_cast<Fun1>(fun)(*x))                                             \
    OP(SQR_A, acc = acc * acc) /* "^" with the constant exponent 2 */                              \
    OP(SQR_M, acc = *x * *x)                                                                       \
    OP(ABS_A, acc = std::fabs(acc)) /* the built-in abs, done in place */                          \
    OP(ABS_M, acc = std::fabs(*x))                                                                 \
    OP(SQRT_A, acc = std::sqrt(acc)) /* the built-in sqrt, done in place */                        \
    OP(SQRT_M, acc = std::sqrt(*x))                                                                \
    OP(NEG_A, acc = -acc) /* the built-in prefix minus, done in place */                           \
    OP(NEG_M, acc = -*x)                                                                           \
    OP(CALL, acc = InvokeFun(fun, argc, dst)) /* argc = -n: f(dst, n) */                           \
    OP(STRCALL, acc = InvokeStrFun(fun, argc, strings[str].c_str(), dst)) /* f(string, dst...) */

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

    // The operations of MU_PROGRAM_OPERATIONS, in its order.
    // clang-format off
    enum EOp : std::uint8_t {
#define MU_OPERATION_NAME(NAME, ...) op##NAME,
        MU_PROGRAM_OPERATIONS(MU_OPERATION_NAME)
#undef MU_OPERATION_NAME
        opRETURN // the result is acc: a program without instructions (none is built)
    };
    // clang-format on
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

    // ORDER BASIC: the index of a basic operation, the part of a fused operation.
    // clang-format off
    enum EBasic {
#define MU_BASIC_INDEX(NAME, ...) ba##NAME,
        MU_BASIC_OPERATIONS(MU_BASIC_INDEX)
#undef MU_BASIC_INDEX
        c_iBasic
    };
    // clang-format on
    // The operation of a fused family (its first operation: opADD_ADD, opMM2_ADD_ADD or
    // opAM2_ADD_ADD) for two parts.
    static constexpr EOp Fused(EOp a_iFamily, int a_iFirst, int a_iSecond) {
        return static_cast<EOp>(a_iFamily + c_iBasic * a_iFirst + a_iSecond);
    }
    // Whether a_iOp is of that family; if so, its parts.
    static constexpr bool InFamily(EOp a_iOp, EOp a_iFamily, int& a_iFirst, int& a_iSecond) {
        const int i = a_iOp - a_iFamily;
        if (i < 0 || i >= c_iBasic * c_iBasic) {
            return false;
        }
        a_iFirst = i / c_iBasic;
        a_iSecond = i % c_iBasic;
        return true;
    }

    // The index (EBasic) when a_iOp is the a_iAddForm form (opADD_MM or opADD_AM) of a basic
    // operation; else -1.
    static int StepIndex(EOp a_iOp, EOp a_iAddForm) {
#define MU_MEMORY_FORM(NAME, ...) op##NAME##_MM,
#define MU_ACCUMULATOR_FORM(NAME, ...) op##NAME##_AM,
        static constexpr EOp aMM[] = {MU_BASIC_OPERATIONS(MU_MEMORY_FORM)};
        static constexpr EOp aAM[] = {MU_BASIC_OPERATIONS(MU_ACCUMULATOR_FORM)};
#undef MU_MEMORY_FORM
#undef MU_ACCUMULATOR_FORM
        const EOp* pForms = a_iAddForm == opADD_MM ? aMM : aAM;
        for (int i = 0; i < c_iBasic; ++i) {
            if (a_iOp == pForms[i]) {
                return i;
            }
        }
        return -1;
    }

    const std::vector<Instr>& Code() const {
        return m_vCode;
    }

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

// The fused families are numbered from their parts as Fused computes it.
#define MU_FUSED_NUMBERING(FIRST, f, SECOND, s, FAMILY)                                            \
    static_assert(ParserProgram::op##FAMILY##FIRST##_##SECOND ==                                   \
                  ParserProgram::Fused(ParserProgram::op##FAMILY##ADD_ADD,                         \
                                       ParserProgram::ba##FIRST, ParserProgram::ba##SECOND));
MU_BASIC_PAIRS(MU_FUSED_NUMBERING, )
MU_BASIC_PAIRS(MU_FUSED_NUMBERING, MM2_)
MU_BASIC_PAIRS(MU_FUSED_NUMBERING, AM2_)
#undef MU_FUSED_NUMBERING
// A basic operation's index is its command code's distance from cmADD.
#define MU_BASIC_CODE(NAME, ...) static_assert(cm##NAME - cmADD == ParserProgram::ba##NAME);
MU_BASIC_OPERATIONS(MU_BASIC_CODE)
#undef MU_BASIC_CODE

} // namespace mu

#endif
