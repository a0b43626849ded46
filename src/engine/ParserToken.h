// ParserToken: the unit that flows from the token reader through the compiler's stacks. A token
// made from a callback owns a private copy of it, so tokens can be copied and destroyed freely.
#ifndef MU_PARSER_TOKEN_H
#define MU_PARSER_TOKEN_H

#include "ParserCallback.h"
#include "ParserDef.h"
#include "ParserError.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace mu {

template <typename TBase, typename TString> class ParserToken {
public:
    // Texts are taken as views, so that a name can be copied into the token straight from the
    // expression or from a table key without a temporary string.
    using view_type = std::basic_string_view<typename TString::value_type>;

    ParserToken() = default;

    ParserToken(const ParserToken& a_Tok) { Assign(a_Tok); }
    // Tokens move onto and off the compiler's stacks; the second text is almost always empty,
    // so moving it is skipped then.
    ParserToken(ParserToken&& a_Tok) noexcept
        : m_iCmd(a_Tok.m_iCmd), m_iValType(a_Tok.m_iValType), m_pVar(a_Tok.m_pVar),
          m_iFlags(a_Tok.m_iFlags), m_iStrIndex(a_Tok.m_iStrIndex),
          m_sText(std::move(a_Tok.m_sText)), m_fValue(a_Tok.m_fValue),
          m_pCallback(std::move(a_Tok.m_pCallback)) {
        if (!a_Tok.m_sAux.empty()) {
            m_sAux = std::move(a_Tok.m_sAux);
        }
    }
    ParserToken& operator=(const ParserToken& a_Tok) {
        if (this != &a_Tok) {
            Assign(a_Tok);
        }
        return *this;
    }
    ParserToken& operator=(ParserToken&&) noexcept = default;
    ~ParserToken() = default;

    // Operator, bracket, separator and end tokens.
    ParserToken& Set(ECmd a_iType, view_type a_sText) {
        MU_ASSERT(a_iType != cmVAR, "a_iType!=cmVAR");
        MU_ASSERT(a_iType != cmVAL, "a_iType!=cmVAL");
        MU_ASSERT(a_iType != cmFUNC, "a_iType!=cmFUNC");
        Clear(a_iType, vtNONE, a_sText);
        return *this;
    }

    // Functions and callback operators; a callback that is not foldable makes the token volatile.
    ParserToken& Set(const ParserCallback& a_pCallback, view_type a_sText) {
        MU_ASSERT(a_pCallback.GetAddr(), "a_pCallback.GetAddr()");
        Clear(a_pCallback.Cmd(), vtNONE, a_sText);
        m_pCallback = a_pCallback.Clone();
        if (!a_pCallback.IsFoldable()) {
            AddFlag(tkVOLATILE);
        }
        return *this;
    }

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
        AddFlag(tkVOLATILE);
        return *this;
    }

    ParserToken& SetStringToken(view_type a_sText, int a_iIndex) {
        Clear(cmSTR, vtSTRING, a_sText);
        m_iStrIndex = a_iIndex;
        AddFlag(tkVOLATILE);
        return *this;
    }

    void SetStrIndex(int a_iIndex) {
        if (m_iCmd != cmSTR || a_iIndex < 0) {
            throw ParserError(peINTERNAL);
        }
        m_iStrIndex = a_iIndex;
    }

    // What every consumer reads: a token made from a callback reports the callback's kind.
    ECmd Cmd() const { return m_pCallback ? m_pCallback->Cmd() : m_iCmd; }
    EValType ValType() const { return m_pCallback ? m_pCallback->ValType() : m_iValType; }

    int Precedence() const {
        MU_ASSERT(m_pCallback.get(), "m_pCallback.get()");
        return m_pCallback->Precedence();
    }
    int ArgCount() const {
        MU_ASSERT(m_pCallback.get(), "m_pCallback.get()");
        return m_pCallback->ArgCount();
    }
    GenericFun GetFuncAddr() const { return m_pCallback ? m_pCallback->GetAddr() : nullptr; }
    const ParserCallback* Callback() const { return m_pCallback.get(); }

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

    const TString& Text() const { return m_sText; }
    const TString& Aux() const { return m_sAux; }
    int StrIndex() const { return m_iStrIndex; }
    bool HasFlag(int a_iFlag) const { return (m_iFlags & a_iFlag) != 0; }
    void AddFlag(int a_iFlag) { m_iFlags |= a_iFlag; }

private:
    void Clear(ECmd a_iCode, EValType a_iType, view_type a_sText) {
        m_iCmd = a_iCode;
        m_iValType = a_iType;
        m_pVar = nullptr;
        m_iFlags = 0;
        m_iStrIndex = -1;
        m_sText.assign(a_sText.data(), a_sText.size()); // safe for a view of the own text
        m_pCallback.reset();
    }

    void Assign(const ParserToken& a_Tok) {
        m_iCmd = a_Tok.m_iCmd;
        m_iValType = a_Tok.m_iValType;
        m_pVar = a_Tok.m_pVar;
        m_iFlags = a_Tok.m_iFlags;
        m_iStrIndex = a_Tok.m_iStrIndex;
        m_sText = a_Tok.m_sText;
        m_sAux = a_Tok.m_sAux;
        m_fValue = a_Tok.m_fValue;
        m_pCallback = a_Tok.m_pCallback ? a_Tok.m_pCallback->Clone() : nullptr;
    }

    ECmd m_iCmd = cmNONE;
    EValType m_iValType = vtNONE;
    TBase* m_pVar = nullptr;
    int m_iFlags = 0;
    int m_iStrIndex = -1;
    TString m_sText;
    TString m_sAux;
    TBase m_fValue = TBase();
    std::unique_ptr<ParserCallback> m_pCallback;
};

} // namespace mu

#endif
