// The expression engine turns one line of text into a number:
//
//   text --> ParserTokenReader --> ParserBase::Compile --> ParserBytecode --> evaluation
//            (tokens, syntax        (operator-precedence     (flat words,      (ReturnConstant
//             flags, positioned      pass that computes       folded            or ExecuteBytecode
//             errors)                the value as it goes)    constants)        on later calls)
//
// ExecuteBytecode runs the bytecode in the fastest form it has. The first run translates it once:
//
//   ParserBytecode --> ParserProgramBuilder --> ParserProgram --> ParserMachineCode
//                      (simulates the value      (instructions     (x86-64 code of the program,
//                       stack once, fuses         on an             written by ParserX86Encoder
//                       steps)                    accumulator,      into ParserExecutableMemory)
//                                                 a threaded loop)
//
// Later runs call the machine code, or the program's run loop where there is none. Code the
// program does not cover is walked word by word (InterpretBytecode, the reference the other forms
// are tested against).
//
// Every failure an expression or a definition can cause is thrown as a ParserError. This header
// holds the vocabulary all the pieces share: command codes and the list of built-in operators,
// value types, syntax flags, function signatures and the ordered name tables. The program's own
// operations are listed once in ParserProgram.h.
#ifndef MU_PARSER_DEF_H
#define MU_PARSER_DEF_H

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <string_view>

// Stops the process on a broken internal invariant. Unlike assert it stays in release builds;
// no expression text can reach one, only a fault in the engine or in a derived parser.
#define MU_ASSERT(COND, TEXT)                                                                      \
    ((COND) ? static_cast<void>(0) : ::mu::FatalAssertion(TEXT, __FILE__, __LINE__))

namespace mu {

[[noreturn]] inline void FatalAssertion(const char* a_szText, const char* a_szFile, int a_iLine) {
    std::fprintf(stderr, "%s:%d: fatal assertion failed: %s\n", a_szFile, a_iLine, a_szText);
    std::fflush(stderr);
    std::abort();
}

// Token kinds and bytecode operations. The values are fixed: 0..16 index the default operator
// table of ParserBase and every code is stored as a word in the bytecode.  ORDER CMD
enum ECmd {
    cmLE = 0,       // "<="  x <= y gives 1 or 0
    cmGE = 1,       // ">="  x >= y
    cmNEQ = 2,      // "!="  x != y (1 when either is NaN)
    cmEQ = 3,       // "=="  x == y (0 when either is NaN)
    cmLT = 4,       // "<"   x < y
    cmGT = 5,       // ">"   x > y
    cmADD = 6,      // "+"   x + y
    cmSUB = 7,      // "-"   x - y
    cmMUL = 8,      // "*"   x * y
    cmDIV = 9,      // "/"   x / y, IEEE rules
    cmPOW = 10,     // "^"   pow(x, y)
    cmAND = 11,     // "and" bitwise and of x and y as 32-bit integers
    cmOR = 12,      // "or"  bitwise or, likewise
    cmXOR = 13,     // "xor" bitwise exclusive or, likewise
    cmASSIGN = 14,  // "="   store y into the variable x
    cmOPEN = 15,    // "("
    cmCLOSE = 16,   // ")"
    cmSEP = 17,     // argument separator, ',' by default
    cmVAR = 18,     // variable: address of a caller-owned double
    cmVAL = 19,     // literal or constant value
    cmFUNC = 20,    // function with numeric arguments
    cmSTRFUNC = 21, // function whose first argument is a string
    cmSTR = 22,     // string literal or string constant
    cmBINOP = 23,   // user-defined binary operator
    cmPOSTFIX = 24, // postfix unary operator
    cmINFIX = 25,   // prefix unary operator, such as a sign
    cmEND = 26,     // end of expression
    cmNONE = 27     // not yet set
};

// What a token or callback yields or carries; operators and brackets are vtNONE.
enum EValType { vtSTRING = 0, vtDOUBLE = 1, vtNONE = 2 };

// Token flag: the token's value may change between evaluations, so it must not be folded.
enum ETokenFlags { tkVOLATILE = 1 };

// Syntax flags of the token reader: a set bit forbids that kind of token next.
enum ESynCodes {
    synNO_OPEN = 0x001,    // opening bracket
    synNO_CLOSE = 0x002,   // closing bracket
    synNO_VAL = 0x004,     // value (literal or constant)
    synNO_VAR = 0x008,     // variable
    synNO_SEP = 0x010,     // argument separator
    synNO_FUNC = 0x020,    // function
    synNO_BINOP = 0x040,   // binary operator
    synNO_POSTFIX = 0x080, // postfix operator
    synNO_INFIX = 0x100,   // infix operator
    synNO_END = 0x200,     // end of expression
    synNO_STR = 0x400,     // string
    synNO_ASSIGN = 0x800,  // assignment operator
    synALL = 0xFFF         // everything
};

// The flag words each kind of token leaves behind.
enum ESynState {
    synSTART = synNO_CLOSE | synNO_BINOP | synNO_POSTFIX | synNO_ASSIGN,
    synAFTER_FUNC_OPEN = synNO_SEP | synNO_BINOP | synNO_POSTFIX | synNO_END | synNO_ASSIGN,
    synAFTER_OPERATOR = synAFTER_FUNC_OPEN | synNO_CLOSE, // also "(" and the separator
    synAFTER_VALUE = synNO_OPEN | synNO_VAL | synNO_VAR | synNO_FUNC | synNO_INFIX | synNO_STR |
                     synNO_ASSIGN, // also ")"
    synAFTER_VAR =
        synNO_OPEN | synNO_VAL | synNO_VAR | synNO_FUNC | synNO_POSTFIX | synNO_INFIX | synNO_STR,
    synAFTER_FUNC = synALL & ~synNO_OPEN,
    // An infix operator needs its operand: neither the end nor a separator may follow it.
    synAFTER_INFIX = synNO_CLOSE | synNO_SEP | synNO_BINOP | synNO_POSTFIX | synNO_INFIX |
                     synNO_END | synNO_STR | synNO_ASSIGN,
    synAFTER_POSTFIX =
        synNO_OPEN | synNO_VAL | synNO_VAR | synNO_FUNC | synNO_POSTFIX | synNO_STR | synNO_ASSIGN,
    synAFTER_STR = synALL & ~(synNO_SEP | synNO_CLOSE | synNO_BINOP | synNO_END),
    synAFTER_END = 0
};
static_assert(synSTART == 0x8C2 && synAFTER_FUNC_OPEN == 0xAD0 && synAFTER_OPERATOR == 0xAD2);
static_assert(synAFTER_VALUE == 0xD2D && synAFTER_VAR == 0x5AD && synAFTER_INFIX == 0xFD2);
static_assert(synAFTER_POSTFIX == 0xCAD);

// Function signatures. Arguments arrive in source order; a string function gets its string first.
using Fun0 = double (*)();
using Fun1 = double (*)(double);
using Fun2 = double (*)(double, double);
using Fun3 = double (*)(double, double, double);
using Fun4 = double (*)(double, double, double, double);
using Fun5 = double (*)(double, double, double, double, double);
using FunN = double (*)(const double* a_afArg, int a_iArgc);
using StrFun0 = double (*)(const char* a_szArg);
using StrFun1 = double (*)(const char* a_szArg, double);
using StrFun2 = double (*)(const char* a_szArg, double, double);
// The most numbers a function of a fixed count takes (Fun0..Fun5), and the most numbers after the
// string of a string function (StrFun0..StrFun2). A function of any count (FunN) has no limit.
inline constexpr int c_iMaxFunArgs = 5;
inline constexpr int c_iMaxStrFunArgs = 2;
// Recognises a literal at a_szExpr; on success adds the characters used to *a_iPos, stores the
// value and returns 1, otherwise returns 0 and changes nothing.
using ValueReader = int (*)(const char* a_szExpr, int* a_iPos, double* a_fVal);
// Creates storage for an undefined variable name and returns its address.
using VariableFactory = double* (*)(const char* a_szName, void* a_pUserData);

// A function address kept without its type; cast back to the exact signature before a call.
using GenericFun = void (*)();

class ParserCallback;

// The order of the definition tables: byte by byte, the bytes taken as unsigned, a shorter name
// before every longer one it begins (the order of std::string's own comparison). It is
// transparent, so the reader looks a name up in place without copying it out of the expression,
// and inline: names are short, and a library call per byte run would cost more than the bytes.
struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a_sLeft, std::string_view a_sRight) const noexcept {
        const std::size_t iCommon =
            a_sLeft.size() < a_sRight.size() ? a_sLeft.size() : a_sRight.size();
        for (std::size_t i = 0; i < iCommon; ++i) {
            if (a_sLeft[i] != a_sRight[i]) {
                return static_cast<unsigned char>(a_sLeft[i]) <
                       static_cast<unsigned char>(a_sRight[i]);
            }
        }
        return a_sLeft.size() < a_sRight.size();
    }
};

// Definition tables, ordered by NameLess.
using CallbackTable = std::map<std::string, ParserCallback, NameLess>;
using ValueTable = std::map<std::string, double, NameLess>;
using StringIndexTable = std::map<std::string, std::size_t, NameLess>;
// The variables, hashed and in the order they were added (ParserNameTable.h).
template <typename T> class NameTable;
using VariableTable = NameTable<double*>;

// The bitwise operators work on 32-bit integers. A double outside that range, or NaN, has no
// defined conversion, so it saturates to the nearest bound and NaN counts as 0.
inline int TruncateToInt32(double a_fVal) {
    if (!(a_fVal == a_fVal)) {
        return 0;
    }
    if (a_fVal >= 2147483647.0) {
        return 2147483647;
    }
    if (a_fVal <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<int>(a_fVal);
}

// The "^" operator. A square is the product x*x: exact IEEE arithmetic like pow, the same for
// zeros, infinities and NaN, and several times faster. Every evaluation path takes it from here,
// so that they agree bit for bit whether the exponent is a literal or a variable's value.
inline double Power(double x, double y) {
    return y == 2.0 ? x * x : std::pow(x, y);
}

// ORDER CMD: the built-in binary operators cmLE..cmXOR, one line each: the code and the value of
// "x op y". Compiling and executing share these definitions, and every switch that treats all the
// operators alike takes its case labels from here (MU_CASE_CODE).
#define MU_BUILTIN_OPERATORS(X)                                                                    \
    X(LE, x <= y ? 1.0 : 0.0)                                                                      \
    X(GE, x >= y ? 1.0 : 0.0)                                                                      \
    X(NEQ, x != y ? 1.0 : 0.0) /* 1 when either is NaN */                                          \
    X(EQ, x == y ? 1.0 : 0.0)  /* 0 when either is NaN */                                          \
    X(LT, x < y ? 1.0 : 0.0)                                                                       \
    X(GT, x > y ? 1.0 : 0.0)                                                                       \
    X(ADD, x + y)                                                                                  \
    X(SUB, x - y)                                                                                  \
    X(MUL, x* y)                                                                                   \
    X(DIV, x / y)                                                                                  \
    X(POW, Power(x, y))                                                                            \
    X(AND, TruncateToInt32(x) & TruncateToInt32(y))                                                \
    X(OR, TruncateToInt32(x) | TruncateToInt32(y))                                                 \
    X(XOR, TruncateToInt32(x) ^ TruncateToInt32(y))
#define MU_CASE_CODE(NAME, ...) case cm##NAME:

// The list is the codes 0..cmXOR in order.
#define MU_OPERATOR_CODE(NAME, ...) cm##NAME,
inline constexpr ECmd c_aiBuiltinOperators[] = {MU_BUILTIN_OPERATORS(MU_OPERATOR_CODE)};
#undef MU_OPERATOR_CODE
static_assert(sizeof(c_aiBuiltinOperators) / sizeof(c_aiBuiltinOperators[0]) == cmXOR + 1);
static_assert([] {
    for (int i = 0; i <= cmXOR; ++i) {
        if (c_aiBuiltinOperators[i] != i) {
            return false;
        }
    }
    return true;
}());

inline double ApplyBuiltinOperator(int a_iCode, double x, double y) {
    switch (a_iCode) {
#define MU_APPLY_OPERATOR(NAME, VALUE)                                                             \
    case cm##NAME:                                                                                 \
        return VALUE;
        MU_BUILTIN_OPERATORS(MU_APPLY_OPERATOR)
#undef MU_APPLY_OPERATOR
    default:
        FatalAssertion("a_iCode<=cmXOR", __FILE__, __LINE__);
    }
}

} // namespace mu

#endif
