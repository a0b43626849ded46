// ParserOperand: an entry of the compile pass's value stack. Only what an operand needs is kept:
// its value (a variable's value when it was read) and, packed into one word, the variable's
// address or the string's index together with its kind and the volatile flag. At 16 bytes a long
// argument list such as sum(1,1,...,1) costs 8 bytes of value stack per character of text.
#ifndef MU_PARSER_OPERAND_H
#define MU_PARSER_OPERAND_H

#include "ParserDef.h"
#include "ParserError.h"
#include "ParserToken.h"

#include <cstdint>
#include <string>

namespace mu {

class ParserOperand {
public:
    ParserOperand() = default;
    // A literal, constant, variable or string token.
    explicit ParserOperand(const ParserToken<double, std::string>& a_Tok) {
        switch (a_Tok.Cmd()) {
        case cmVAR:
            m_fValue = a_Tok.OperandValue();
            m_iRef = reinterpret_cast<std::uintptr_t>(a_Tok.VarAddr()) | c_iVariable;
            break;
        case cmSTR:
            m_iRef = static_cast<std::uintptr_t>(a_Tok.StrIndex()) << c_iRefShift | c_iString;
            break;
        default:
            m_fValue = a_Tok.Value();
            break;
        }
        if (a_Tok.HasFlag(tkVOLATILE)) {
            m_iRef |= c_iVolatile;
        }
    }

    ECmd Cmd() const {
        switch (m_iRef & c_iKindMask) {
        case c_iVariable:
            return cmVAR;
        case c_iString:
            return cmSTR;
        default:
            return cmVAL;
        }
    }
    EValType ValType() const { return (m_iRef & c_iKindMask) == c_iString ? vtSTRING : vtDOUBLE; }

    // The value as an operand of the compile pass (a variable's as it was read); a string has none.
    double OperandValue() const {
        if ((m_iRef & c_iKindMask) == c_iString) {
            throw ParserError(peVALUE_EXPECTED);
        }
        return m_fValue;
    }
    double* VarAddr() const {
        if ((m_iRef & c_iKindMask) != c_iVariable) {
            throw ParserError(peINTERNAL);
        }
        return reinterpret_cast<double*>(m_iRef & ~c_iLowMask);
    }
    int StrIndex() const {
        return (m_iRef & c_iKindMask) == c_iString ? static_cast<int>(m_iRef >> c_iRefShift) : -1;
    }
    bool HasFlag(int a_iFlag) const { return a_iFlag == tkVOLATILE && (m_iRef & c_iVolatile) != 0; }
    void AddFlag(int a_iFlag) {
        if (a_iFlag == tkVOLATILE) {
            m_iRef |= c_iVolatile;
        }
    }

    // Becomes a plain value, as the result of a step replaces its first operand.
    void SetValue(double a_fVal) {
        m_fValue = a_fVal;
        m_iRef = 0;
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

    double m_fValue = 0;
    std::uintptr_t m_iRef = 0;
};

static_assert(sizeof(ParserOperand) == 16);

} // namespace mu

#endif
