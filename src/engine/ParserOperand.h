// ParserOperand: an entry of the compile pass's value stack. Only what an operand needs is kept:
// its value (a variable's value when it was read) and, packed into one word, the variable's
// address or the string's index together with its kind and the volatile flag. The stack keeps
// the values and the words in two arrays, so the values of a call's arguments lie side by side
// and a multi-argument function reads them where they are. The words end at the last operand
// that is no plain value (the rest are zero), so sum(1,1,...,1) costs 4 bytes of value stack
// per character of text.
#ifndef MU_PARSER_OPERAND_H
#define MU_PARSER_OPERAND_H

#include "ParserDef.h"
#include "ParserError.h"
#include "ParserToken.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace mu {

class ParserOperandStack;

// One operand where it lies on the stack: changing it changes the stack. It reads its word once,
// so an operand is changed through one view at a time.
class ParserOperand {
public:
    ParserOperand(ParserOperandStack* a_pStack, std::size_t a_iIdx);

    ECmd Cmd() const {
        switch (Ref() & c_iKindMask) {
        case c_iVariable:
            return cmVAR;
        case c_iString:
            return cmSTR;
        default:
            return cmVAL;
        }
    }
    EValType ValType() const { return (Ref() & c_iKindMask) == c_iString ? vtSTRING : vtDOUBLE; }

    // The value as an operand of the compile pass (a variable's as it was read); a string has none.
    double OperandValue() const {
        if ((Ref() & c_iKindMask) == c_iString) {
            throw ParserError(peVALUE_EXPECTED);
        }
        return Value();
    }
    double* VarAddr() const {
        if ((Ref() & c_iKindMask) != c_iVariable) {
            throw ParserError(peINTERNAL);
        }
        return reinterpret_cast<double*>(Ref() & ~c_iLowMask);
    }
    int StrIndex() const {
        return (Ref() & c_iKindMask) == c_iString ? static_cast<int>(Ref() >> c_iRefShift) : -1;
    }
    bool HasFlag(int a_iFlag) const { return a_iFlag == tkVOLATILE && (Ref() & c_iVolatile) != 0; }
    void AddFlag(int a_iFlag) const {
        if (a_iFlag == tkVOLATILE) {
            SetRef(Ref() | c_iVolatile);
        }
    }

    // Becomes a plain value, as the result of a step replaces its first operand.
    void SetValue(double a_fVal) const;

    // Reading a packed word without a view.
    static bool IsStringWord(std::uintptr_t a_iRef) { return (a_iRef & c_iKindMask) == c_iString; }
    static bool IsVolatileWord(std::uintptr_t a_iRef) { return (a_iRef & c_iVolatile) != 0; }
    // The word of a plain value that may change at run time.
    static constexpr std::uintptr_t VolatileWord() { return c_iVolatile; }
    static std::uintptr_t VariableWord(double* a_pVar) {
        return reinterpret_cast<std::uintptr_t>(a_pVar) | c_iVariable | c_iVolatile;
    }

    // The word of a literal, constant, variable or string token; its value is stored beside it.
    static std::uintptr_t RefOf(const ParserToken<double, std::string>& a_Tok) {
        std::uintptr_t iRef = 0;
        if (a_Tok.Cmd() == cmVAR) {
            iRef = reinterpret_cast<std::uintptr_t>(a_Tok.VarAddr()) | c_iVariable;
        } else if (a_Tok.Cmd() == cmSTR) {
            iRef = static_cast<std::uintptr_t>(a_Tok.StrIndex()) << c_iRefShift | c_iString;
        }
        if (a_Tok.HasFlag(tkVOLATILE)) {
            iRef |= c_iVolatile;
        }
        return iRef;
    }
    static double ValueOf(const ParserToken<double, std::string>& a_Tok) {
        switch (a_Tok.Cmd()) {
        case cmVAR:
            return a_Tok.OperandValue();
        case cmSTR:
            return 0;
        default:
            return a_Tok.Value();
        }
    }

private:
    // The low three bits of the word: the kind and the volatile flag. Variables are doubles, so
    // their addresses leave those bits free; a string's index is shifted past them.
    static constexpr std::uintptr_t c_iVariable = 1;
    static constexpr std::uintptr_t c_iString = 2;
    static constexpr std::uintptr_t c_iKindMask = 3;
    static constexpr std::uintptr_t c_iVolatile = 4;
    static constexpr std::uintptr_t c_iLowMask = 7;
    static constexpr unsigned c_iRefShift = 3;
    static_assert(alignof(double) >= 8);

    double Value() const { return *m_pValue; }
    std::uintptr_t Ref() const { return m_iRef; }
    void SetRef(std::uintptr_t a_iRef) const;

    ParserOperandStack* m_pStack;
    std::size_t m_iIdx;
    double* m_pValue;
    mutable std::uintptr_t m_iRef;
};

// The top operands of the stack that a call takes, in source order.
class ParserOperandRange {
public:
    ParserOperandRange() = default;
    ParserOperandRange(ParserOperandStack* a_pStack, std::size_t a_iFirst, std::size_t a_iSize)
        : m_pStack(a_pStack), m_iFirst(a_iFirst), m_iSize(a_iSize) {}

    std::size_t size() const { return m_iSize; }
    bool empty() const { return m_iSize == 0; }
    ParserOperand operator[](std::size_t a_iIdx) const {
        return ParserOperand(m_pStack, m_iFirst + a_iIdx);
    }
    ParserOperand front() const { return (*this)[0]; }
    // The values side by side, as a multi-argument function takes them.
    const double* Values() const;
    bool AnyVolatile() const;

private:
    ParserOperandStack* m_pStack = nullptr;
    std::size_t m_iFirst = 0;
    std::size_t m_iSize = 0;
};

// The value stack of the compile pass. Reaching below the bottom is reported as an error, as
// popping an empty stack is, never undefined behaviour. Both arrays are allocated without being
// written, so room reserved for a long expression costs memory only where it is used.
class ParserOperandStack {
public:
    void push(const ParserToken<double, std::string>& a_Tok) {
        if (a_Tok.Cmd() == cmVAL && !a_Tok.HasFlag(tkVOLATILE)) {
            pushValue(a_Tok.Value());
            return;
        }
        SetRef(m_iSize, ParserOperand::RefOf(a_Tok));
        pushValue(ParserOperand::ValueOf(a_Tok));
    }
    // A variable as the reader gives it: volatile, with its value when it was read.
    void pushVariable(double* a_pVar, double a_fVal) {
        SetRef(m_iSize, ParserOperand::VariableWord(a_pVar));
        pushValue(a_fVal);
    }
    void pushValue(double a_fVal) {
        if (m_iSize == m_iValueCapacity) {
            Grow(m_pValues, m_iValueCapacity, m_iSize, m_iSize + 1);
        }
        m_pValues[m_iSize++] = a_fVal;
    }

    // The operand a_iDepth places below the top (0: the top).
    ParserOperand fromTop(std::size_t a_iDepth) {
        Require(a_iDepth + 1);
        return ParserOperand(this, m_iSize - 1 - a_iDepth);
    }
    ParserOperand top() {
        MU_ASSERT(m_iSize != 0, "!m_Stack.empty()");
        return fromTop(0);
    }
    // The top a_iCount operands in source order.
    ParserOperandRange topRange(std::size_t a_iCount) {
        Require(a_iCount);
        return ParserOperandRange(this, m_iSize - a_iCount, a_iCount);
    }

    // Removes the top a_iCount operands.
    void drop(std::size_t a_iCount = 1) {
        Require(a_iCount);
        m_iSize -= a_iCount;
        if (m_iRefs > m_iSize) {
            m_iRefs = m_iSize;
        }
    }

    std::size_t size() const { return m_iSize; }
    bool empty() const { return m_iSize == 0; }
    // Empties the stack but keeps its storage, for a stack reused from one pass to the next.
    void clear() {
        m_iSize = 0;
        m_iRefs = 0;
    }
    void reserve(std::size_t a_iCount) {
        if (a_iCount > m_iValueCapacity) {
            Grow(m_pValues, m_iValueCapacity, m_iSize, a_iCount);
        }
        if (a_iCount > m_iRefCapacity) {
            Grow(m_pRefs, m_iRefCapacity, m_iRefs, a_iCount);
        }
    }
    // Empties the stack and gives its storage back.
    void release() {
        m_pValues.reset();
        m_pRefs.reset();
        m_iSize = m_iRefs = m_iValueCapacity = m_iRefCapacity = 0;
    }

    double& Value(std::size_t a_iIdx) { return m_pValues[a_iIdx]; }
    std::uintptr_t Ref(std::size_t a_iIdx) const { return a_iIdx < m_iRefs ? m_pRefs[a_iIdx] : 0; }
    void SetRef(std::size_t a_iIdx, std::uintptr_t a_iRef) {
        if (a_iIdx < m_iRefs) {
            m_pRefs[a_iIdx] = a_iRef;
        } else if (a_iRef != 0) {
            if (a_iIdx >= m_iRefCapacity) {
                Grow(m_pRefs, m_iRefCapacity, m_iRefs, a_iIdx + 1);
            }
            while (m_iRefs < a_iIdx) {
                m_pRefs[m_iRefs++] = 0;
            }
            m_pRefs[m_iRefs++] = a_iRef;
        }
    }

    // Fails, as popping an empty stack does, when fewer than a_iCount operands are on it.
    void Require(std::size_t a_iCount) const {
        if (m_iSize < a_iCount) {
            throw ParserError("stack is empty.", -1, std::string());
        }
    }

private:
    // Moves the a_iUsed elements of a_pArray to an allocation of at least a_iNeeded (and at
    // least twice the old capacity).
    template <typename T>
    static void Grow(std::unique_ptr<T[]>& a_pArray, std::size_t& a_iCapacity, std::size_t a_iUsed,
                     std::size_t a_iNeeded) {
        std::size_t iCapacity = a_iCapacity < 32 ? 32 : 2 * a_iCapacity;
        if (iCapacity < a_iNeeded) {
            iCapacity = a_iNeeded;
        }
        std::unique_ptr<T[]> pArray(new T[iCapacity]);
        std::copy_n(a_pArray.get(), a_iUsed, pArray.get());
        a_pArray = std::move(pArray);
        a_iCapacity = iCapacity;
    }

    std::unique_ptr<double[]> m_pValues;
    std::unique_ptr<std::uintptr_t[]> m_pRefs;
    std::size_t m_iSize = 0;          // operands on the stack
    std::size_t m_iRefs = 0;          // words in use; past them every word counts as 0
    std::size_t m_iValueCapacity = 0; // elements allocated
    std::size_t m_iRefCapacity = 0;
};

inline ParserOperand::ParserOperand(ParserOperandStack* a_pStack, std::size_t a_iIdx)
    : m_pStack(a_pStack), m_iIdx(a_iIdx), m_pValue(&a_pStack->Value(a_iIdx)),
      m_iRef(a_pStack->Ref(a_iIdx)) {}
inline void ParserOperand::SetRef(std::uintptr_t a_iRef) const {
    m_iRef = a_iRef;
    m_pStack->SetRef(m_iIdx, a_iRef);
}
inline void ParserOperand::SetValue(double a_fVal) const {
    *m_pValue = a_fVal;
    SetRef(0);
}
inline const double* ParserOperandRange::Values() const {
    return &m_pStack->Value(m_iFirst);
}
inline bool ParserOperandRange::AnyVolatile() const {
    for (std::size_t i = m_iFirst; i < m_iFirst + m_iSize; ++i) {
        if (ParserOperand::IsVolatileWord(m_pStack->Ref(i))) {
            return true;
        }
    }
    return false;
}

} // namespace mu

#endif
