// The recognizer of script functions and of the parameters of a body being read.
#include "ParserTokenReader.h"

#include "ParserBase.h"
#include "ScriptFunctionTable.h"

namespace mu {

void ParserTokenReader::SetScriptScope(const ScriptScope& a_Scope) {
    m_Scope = a_Scope;
    m_pScriptCall = nullptr;
    m_iParam = -1;
    IndexScriptNames();
}

// ReadScriptName is asked at the first bytes of the table's names and of the parameters; where
// unknown calls are refused, at the first byte of every name.
void ParserTokenReader::IndexScriptNames() {
    CharTable abFirst{};
    if (m_Scope.m_pTable != nullptr) {
        for (std::size_t c = 0; c < abFirst.size(); ++c) {
            abFirst[c] = m_Scope.m_bRejectUnknownCalls ||
                         m_Scope.m_pTable->StartsName(static_cast<unsigned char>(c));
        }
        m_iIndexedScripts = m_Scope.m_pTable->Generation();
    }
    if (m_Scope.m_pParams != nullptr) {
        for (const std::string& sParam : *m_Scope.m_pParams) {
            abFirst[static_cast<unsigned char>(sParam[0])] = true;
        }
    }
    const CharTable& aName = *m_apCharSets[csNAME];
    const bool bNoName = m_pParser->NameChars().empty();
    for (std::size_t c = 0; c < abFirst.size(); ++c) {
        const bool bDigit = c >= '0' && c <= '9';
        if (abFirst[c] && (bNoName || aName[c]) && !bDigit) {
            m_aiReaders[c] = static_cast<std::uint16_t>(m_aiReaders[c] | rdSCRIPT);
        } else {
            m_aiReaders[c] = static_cast<std::uint16_t>(m_aiReaders[c] & ~unsigned{rdSCRIPT});
        }
    }
}

void ParserTokenReader::AddUsed(const VariableTable& a_Used) {
    for (const auto& entry : a_Used) {
        InsertUsed(entry.first, entry.second);
    }
}

// Tried after the built-in functions, before everything else a name may be. Accepts a run of
// name characters followed by "(" that names a visible script function, as a function token
// (only "(" may follow); where the scope rejects unknown calls, any other name followed by "(" is
// an error at the name. Accepts a parameter's name as an operand, which leaves synAFTER_VAR.
bool ParserTokenReader::ReadScriptName(token_type& a_Tok) {
    std::string_view sName;
    const int iEnd = ExtractRun(csNAME, sName, m_iPos);
    if (sName.empty() || (sName[0] >= '0' && sName[0] <= '9')) {
        return false;
    }
    const int iStart = m_iPos;
    if (OpenBracketAt(iEnd)) {
        const ScriptFunction* pCall =
            m_Scope.m_pTable == nullptr
                ? nullptr
                : m_Scope.m_pTable->FindVisible(sName, m_Scope.m_iVisible, m_Scope.m_sExcluded);
        if (pCall == nullptr) {
            if (m_Scope.m_bRejectUnknownCalls) {
                throw ParserError(c_szUnknownScriptCall, iStart, std::string(sName));
            }
            return false;
        }
        a_Tok.Set(pCall->Callback(), sName);
        m_iPos = iEnd;
        if (m_iSyntax & synNO_FUNC) {
            Error(peUNEXPECTED_FUNCTION, iStart, sName);
        }
        m_iSyntax = synAFTER_FUNC;
        m_pScriptCall = pCall;
        return true;
    }
    if (m_Scope.m_pParams == nullptr) {
        return false;
    }
    const std::vector<std::string>& vParams = *m_Scope.m_pParams;
    for (std::size_t i = 0; i < vParams.size(); ++i) {
        if (vParams[i] != sName) {
            continue;
        }
        if (m_iSyntax & synNO_VAR) {
            Error(peUNEXPECTED_VARIABLE, iStart, sName);
        }
        // Read as 0 by a pass that only checks the body; a call puts its argument in its place.
        a_Tok.SetVariable(&m_fZeroValue, sName);
        m_iPos = iEnd;
        m_iSyntax = synAFTER_VAR;
        m_iParam = static_cast<int>(i);
        return true;
    }
    return false;
}

} // namespace mu
