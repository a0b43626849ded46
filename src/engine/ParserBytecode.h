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
#include <cstring>
#include <iosfwd>
#include <memory>

namespace mu {

class ParserBytecode {
public:
    using word_type = std::uint32_t;

    static constexpr int m_iValWords = sizeof(double) / sizeof(word_type);
    static constexpr int m_iPtrWords = sizeof(double*) / sizeof(word_type);
    static constexpr int m_iValEntryWords = 2 + m_iValWords;

    ParserBytecode();
    ParserBytecode(const ParserBytecode& a_Code);
    ParserBytecode& operator=(const ParserBytecode& a_Code);

    // Inline: the compile pass appends an entry for nearly every token.
    void PushValue(double a_fVal) {
        ++m_iStackPos;
        UpdateMax();
        word_type* pEntry = AppendEntry(cmVAL, m_iValEntryWords);
        std::memcpy(pEntry + 2, &a_fVal, sizeof(a_fVal));
    }
    // The address is followed by V - P zero words, so that a variable entry is as long as a value
    // entry.
    void PushVariable(double* a_pVar) {
        ++m_iStackPos;
        UpdateMax();
        word_type* pEntry = AppendEntry(cmVAR, m_iValEntryWords);
        std::memcpy(pEntry + 2, &a_pVar, sizeof(a_pVar));
        for (int i = 2 + m_iPtrWords; i < m_iValEntryWords; ++i) {
            pEntry[i] = 0;
        }
    }
    void PushOperator(ECmd a_iCode) {
        MU_ASSERT(m_iStackPos >= 2, "m_iStackPos >= 2");
        --m_iStackPos;
        AppendEntry(a_iCode, 2);
    }
    void PushAssignment(double* a_pVar);
    // a_iArgc: the fixed count, or -n for a multi-argument function called with n arguments.
    void PushFunction(GenericFun a_pFun, int a_iArgc);
    void PushStringFunction(GenericFun a_pFun, int a_iArgc, std::size_t a_iStrIdx);
    // Removes the last a_iNumber value entries, the operands of a folded step.
    void DropValues(unsigned a_iNumber) {
        const std::size_t iSize = static_cast<std::size_t>(a_iNumber) * m_iValEntryWords;
        MU_ASSERT(m_iSize >= iSize, "m_vBase.size() >= iSize");
        m_iSize -= iSize;
        MU_ASSERT(m_iStackPos >= a_iNumber, "m_iStackPos >= a_iNumber");
        m_iStackPos -= a_iNumber;
    }
    void Seal();
    void Clear() {
        m_iSize = 0;
        m_iStackPos = 0;
        m_iMaxStackPos = 0;
    }
    // Room for a_iWords words, so that growing to them moves nothing. The room is allocated, not
    // written: words never used cost no memory.
    void Reserve(std::size_t a_iWords);

    const word_type* Code() const;
    std::size_t Size() const { return m_iSize; }
    // Number of value-stack elements the code needs.
    std::size_t StackSize() const { return static_cast<std::size_t>(m_iMaxStackPos) + 1; }

    // Diagnostic listing, to std::cout or to the given stream.
    void Dump() const;
    void Dump(std::ostream& a_Stream) const;

    // Words of a whole entry with the given code (the table above); 0 for a code the bytecode
    // never holds.
    static constexpr std::size_t EntryWords(std::uint32_t a_iCode) {
        if (a_iCode <= cmXOR || a_iCode == cmEND) {
            return 2;
        }
        switch (a_iCode) {
        case cmASSIGN:
            return 2 + m_iPtrWords;
        case cmVAR:
        case cmVAL:
            return 2 + m_iValWords;
        case cmFUNC:
            return 3 + m_iPtrWords;
        case cmSTRFUNC:
            return 4 + m_iPtrWords;
        default:
            return 0;
        }
    }

    // Operands stored in the words at a_pWords.
    static double ReadDouble(const word_type* a_pWords);
    static double* ReadVarAddr(const word_type* a_pWords);
    static GenericFun ReadFunAddr(const word_type* a_pWords);

private:
    // Appends one entry of a_iWords words with its two header words written, and returns it.
    word_type* AppendEntry(ECmd a_iCode, std::size_t a_iWords) {
        if (m_iCapacity - m_iSize < a_iWords) {
            Grow(a_iWords);
        }
        word_type* pEntry = m_pWords.get() + m_iSize;
        m_iSize += a_iWords;
        pEntry[0] = m_iStackPos;
        pEntry[1] = static_cast<word_type>(a_iCode);
        return pEntry;
    }
    // Makes room for a_iWords more words, at least doubling.
    void Grow(std::size_t a_iWords);
    void Reallocate(std::size_t a_iCapacity);
    void UpdateMax() {
        if (m_iStackPos > m_iMaxStackPos) {
            m_iMaxStackPos = m_iStackPos;
        }
    }
    void DumpEntry(std::ostream& a_Stream, const word_type* a_pEntry) const;

    std::uint32_t m_iStackPos;
    std::uint32_t m_iMaxStackPos;
    // The words: m_iSize in use out of m_iCapacity allocated.
    std::unique_ptr<word_type[]> m_pWords;
    std::size_t m_iSize = 0;
    std::size_t m_iCapacity = 0;
};

static_assert(ParserBytecode::m_iValWords * sizeof(ParserBytecode::word_type) == sizeof(double));
static_assert(sizeof(GenericFun) == sizeof(double*));

} // namespace mu

#endif
