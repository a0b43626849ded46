// ParserBytecode: the compiled form of one expression, a flat array of 32-bit words that the
// parser runs over its stack of doubles (slot k of the code is element k of that stack).
//
// Every entry starts with two header words, [slot][code]: slot receives the entry's result and,
// for an operator or a call, holds its first operand. V = m_iValWords, P = m_iPtrWords.
//
//   code          words  after the header                   effect at run time
//   cmLE..cmXOR   2      -                                  S[k] = S[k] op S[k+1]
//   cmASSIGN      2+P    variable address                   *var = S[k] = S[k+1]
//   cmVAR         2+V    variable address, V-P zero words   S[k] = *var
//   cmVAL         2+V    the double, in memory order        S[k] = value
//   cmFUNC        3+P    argc (signed), function address    S[k] = f(S[k] .. S[k+argc-1]);
//                                                           argc = -n: S[k] = f(&S[k], n)
//   cmSTRFUNC     4+P    argc, string index, address        S[k] = f(str, S[k] .. S[k+argc-1])
//   cmEND         2      the slot word is also cmEND        result is S[1]
//
// Brackets, separators, strings and the unary and user operators never appear: unary and user
// operators are emitted as calls with one and two arguments.
#ifndef MU_PARSER_BYTECODE_H
#define MU_PARSER_BYTECODE_H

#include "ParserDef.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

namespace mu {

class ParserBytecode {
public:
    using word_type = std::uint32_t;

    static constexpr int m_iValWords = sizeof(double) / sizeof(word_type);
    static constexpr int m_iPtrWords = sizeof(double*) / sizeof(word_type);
    static constexpr int m_iValEntryWords = 2 + m_iValWords;

    ParserBytecode();
    ParserBytecode(const ParserBytecode&) = default;
    ParserBytecode& operator=(const ParserBytecode&) = default;

    void PushValue(double a_fVal);
    void PushVariable(double* a_pVar);
    void PushOperator(ECmd a_iCode);
    void PushAssignment(double* a_pVar);
    // a_iArgc: the fixed count, or -n for a multi-argument function called with n arguments.
    void PushFunction(GenericFun a_pFun, int a_iArgc);
    void PushStringFunction(GenericFun a_pFun, int a_iArgc, std::size_t a_iStrIdx);
    // Removes the last a_iNumber value entries, the operands of a folded step.
    void DropValues(unsigned a_iNumber);
    void Seal();
    void Clear();
    // Room for a_iWords words, so that growing to them moves nothing.
    void Reserve(std::size_t a_iWords) { m_vBase.reserve(a_iWords); }

    const word_type* Code() const;
    std::size_t Size() const { return m_vBase.size(); }
    // Number of value-stack elements the code needs.
    std::size_t StackSize() const { return static_cast<std::size_t>(m_iMaxStackPos) + 1; }

    // Diagnostic listing, to std::cout or to the given stream.
    void Dump() const;
    void Dump(std::ostream& a_Stream) const;

    // Operands stored in the words at a_pWords.
    static double ReadDouble(const word_type* a_pWords);
    static double* ReadVarAddr(const word_type* a_pWords);
    static GenericFun ReadFunAddr(const word_type* a_pWords);

private:
    word_type* AppendEntry(ECmd a_iCode, std::size_t a_iWords);
    void UpdateMax();
    void DumpEntry(std::ostream& a_Stream, const word_type* a_pEntry) const;

    std::uint32_t m_iStackPos;
    std::uint32_t m_iMaxStackPos;
    std::vector<word_type> m_vBase;
};

static_assert(ParserBytecode::m_iValWords * sizeof(ParserBytecode::word_type) == sizeof(double));
static_assert(sizeof(GenericFun) == sizeof(double*));

} // namespace mu

#endif
