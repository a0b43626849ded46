// ParserToken: the unit that flows from the token reader through the compiler's stacks. It is
// small and trivially copyable: texts are views and a callback is referred to, not copied, so
// moving tokens onto and off the stacks is a copy of 32 bytes.
#ifndef MU_PARSER_TOKEN_H
#define MU_PARSER_TOKEN_H

#include "ParserCallback.h"
#include "ParserDef.h"
#include "ParserError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace mu {

template <typename TBase, typename TString> class ParserToken {
public:
    // Texts are views: of the expression, of a definition table's key or of a string buffer.
    // A token lives for one compile pass, while all of those stay where they are.
    using view_type = std::basic_string_view<typename TString::value_type>;

    ParserToken() noexcept
        : m_pText(nullptr), m_iStrIndex(0), m_fValue(), m_iLength(0), m_iCmd(cmNONE),
          m_iValType(vtNONE), m_iFlags(0) {}

    // A token with no contents yet, for one that a Set call fills before any other use (every
    // Set writes every member): the token reader makes one per token.
    enum EUnset { Unset };
    explicit ParserToken(EUnset) noexcept {}

    // Operator, bracket, separator and end tokens.
    ParserToken& Set(ECmd a_iType, view_type a_sText) {
        constexpr unsigned c_iOperands = 1u << cmVAR | 1u << cmVAL | 1u << cmFUNC;
        MU_ASSERT((c_iOperands >> a_iType & 1u) == 0, "a_iType is no cmVAR, cmVAL or cmFUNC");
        Clear(a_iType, vtNONE, a_sText);
        return *this;
    }

    // Functions and callback operators. The token points to the callback, which must outlive
    // it (the definition tables do); a callback that is not foldable makes the token volatile.
    ParserToken& Set(const ParserCallback& a_Callback, view_type a_sText) {
        MU_ASSERT(a_Callback.GetAddr(), "a_pCallback.GetAddr()");
        Clear(a_Callback.Cmd(), a_Callback.ValType(), a_sText);
        m_pCallback = &a_Callback;
        m_iFlags = a_Callback.IsFoldable() ? c_iHasCallback : c_iHasCallback | tkVOLATILE;
        return *this;
    }
    ParserToken& Set(const ParserCallback&&, view_type) = delete;

    ParserToken& SetValue(TBase a_fVal, view_type a_sText) {
        Clear(cmVAL, vtDOUBLE, a_sText);
        m_fValue = a_fVal;
        return *this;
    }

    // Also keeps the variable's value at this moment as the operand value (OperandValue).
    ParserToken& SetVariable(TBase* a_pVar, view_type a_sText) {
        Clear(cmVAR, vtDOUBLE, a_sText);
        m_pVar = a_pVar;
        m_fValue = a_pVar != nullptr ? *a_pVar : TBase();
        m_iFlags = tkVOLATILE;
        return *this;
    }

    ParserToken& SetStringToken(view_type a_sText, int a_iIndex) {
        Clear(cmSTR, vtSTRING, a_sText);
        m_iStrIndex = a_iIndex;
        m_iFlags = tkVOLATILE;
        return *this;
    }

    void SetStrIndex(int a_iIndex) {
        if (m_iCmd != cmSTR || a_iIndex < 0) {
            throw ParserError(peINTERNAL);
        }
        m_iStrIndex = a_iIndex;
    }

    ECmd Cmd() const { return static_cast<ECmd>(m_iCmd); }
    EValType ValType() const { return static_cast<EValType>(m_iValType); }

    int Precedence() const {
        MU_ASSERT(Callback(), "m_pCallback.get()");
        return m_pCallback->Precedence();
    }
    int ArgCount() const {
        MU_ASSERT(Callback(), "m_pCallback.get()");
        return m_pCallback->ArgCount();
    }
    // 0 unless a function of any number of arguments has a limit.
    int MostArgs() const { return Callback() ? m_pCallback->MostArgs() : 0; }
    GenericFun GetFuncAddr() const { return Callback() ? m_pCallback->GetAddr() : nullptr; }
    const ParserCallback* Callback() const {
        return (m_iFlags & c_iHasCallback) != 0 ? m_pCallback : nullptr;
    }

    // The value of a literal, constant or result, or the variable's value at this moment.
    TBase Value() const {
        switch (m_iCmd) {
        case cmVAL:
            return m_fValue;
        case cmVAR:
            if (m_pVar == nullptr) {
                throw ParserError(peINTERNAL);
            }
            return *m_pVar;
        default:
            throw ParserError(peVALUE_EXPECTED);
        }
    }

    // The value as an operand of the compile pass: a variable counts with the value it had
    // when it was read, as in the bytecode, so that an assignment later in the same expression
    // ("a+(a=3)") cannot change an operand that was already read.
    TBase OperandValue() const { return m_iCmd == cmVAR ? m_fValue : Value(); }

    TBase* VarAddr() const {
        if (m_iCmd != cmVAR) {
            throw ParserError(peINTERNAL);
        }
        return m_pVar;
    }

    view_type Text() const { return view_type(m_pText, m_iLength); }
    // The same text viewed elsewhere, for a token that outlives the text it was read from.
    void SetText(view_type a_sText) {
        m_pText = a_sText.data();
        m_iLength = static_cast<std::uint32_t>(a_sText.size());
    }
    int StrIndex() const { return m_iCmd == cmSTR ? static_cast<int>(m_iStrIndex) : -1; }
    bool HasFlag(int a_iFlag) const { return (m_iFlags & a_iFlag) != 0; }
    void AddFlag(int a_iFlag) { m_iFlags = static_cast<std::uint8_t>(m_iFlags | a_iFlag); }

    // An opening bracket on the compile pass's operator stack counts the arguments between it
    // and its closing bracket.
    int BracketArguments() const { return static_cast<int>(m_iStrIndex); }
    void SetBracketArguments(int a_iCount) { m_iStrIndex = a_iCount; }

private:
    // Internal flag: the union holds a callback.
    static constexpr std::uint8_t c_iHasCallback = 0x80;

    void Clear(ECmd a_iCode, EValType a_iType, view_type a_sText) {
        m_pText = a_sText.data();
        m_iLength = static_cast<std::uint32_t>(a_sText.size());
        m_iCmd = static_cast<std::uint8_t>(a_iCode);
        m_iValType = static_cast<std::uint8_t>(a_iType);
        m_iFlags = 0;
        m_iStrIndex = 0;
        m_fValue = TBase();
    }

    const typename TString::value_type* m_pText;
    union {
        const ParserCallback* m_pCallback;
        TBase* m_pVar;
        std::intptr_t m_iStrIndex; // also the argument count of an opening bracket
    };
    TBase m_fValue;
    std::uint32_t m_iLength;
    std::uint8_t m_iCmd;
    std::uint8_t m_iValType;
    std::uint8_t m_iFlags;
};

// The operator stack holds a token per open bracket: a deep nesting costs 32 bytes a level.
static_assert(sizeof(ParserToken<double, std::string>) <= 32);

} // namespace mu

#endif
