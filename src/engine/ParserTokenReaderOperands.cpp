// The recognizers of operands: constants and literals, variables (defined or not) and strings.
#include "ParserTokenReader.h"

#include "ParserBase.h"

namespace mu {

// Accepts a constant name. Leaves synAFTER_VALUE.
bool ParserTokenReader::ReadConstant(token_type& a_Tok) {
    MU_ASSERT(m_pConstDef, "m_pConstDef");
    std::string_view sName;
    const int iEnd = ExtractRun(csNAME, sName, m_iPos);
    if (sName.empty()) {
        return false;
    }
    const auto it = m_pConstDef->find(sName);
    if (it == m_pConstDef->end()) {
        return false;
    }
    const int iStart = m_iPos;
    m_iPos = iEnd;
    a_Tok.SetValue(it->second, sName);
    if (m_iSyntax & synNO_VAL) {
        Error(peUNEXPECTED_VALUE, iStart, sName);
    }
    m_iSyntax = synAFTER_VALUE;
    return true;
}

// Accepts a literal that one of the value readers recognises (tried in the order added, each
// only where its literals may start); a literal one of them finds malformed is an unknown token.
// Leaves synAFTER_VALUE.
bool ParserTokenReader::ReadLiteral(token_type& a_Tok) {
    const char* const pText = m_sExpr.c_str() + m_iPos;
    const unsigned char cFirst = static_cast<unsigned char>(pText[0]);
    for (const LiteralReader& reader : m_vValueReaders) {
        if (!reader.m_aFirst[cFirst]) {
            continue;
        }
        int iPos = m_iPos;
        double fVal = 0;
        const int iRead = reader.m_pReader(pText, &iPos, &fVal);
        if (iRead != 1) [[unlikely]] {
            if (iRead < 0) {
                MU_ASSERT(iPos > m_iPos && iPos <= static_cast<int>(m_sExpr.size()),
                          "a malformed literal lies inside the expression");
                Error(peUNKNOWN_TOKEN, m_iPos,
                      std::string_view(pText, static_cast<std::size_t>(iPos - m_iPos)));
            }
            continue;
        }
        MU_ASSERT(iPos >= m_iPos && iPos <= static_cast<int>(m_sExpr.size()),
                  "a value reader stays inside the expression");
        const int iStart = m_iPos;
        const std::string_view sLiteral(pText, static_cast<std::size_t>(iPos - iStart));
        m_iPos = iPos;
        if (m_iSyntax & synNO_VAL) {
            Error(peUNEXPECTED_VALUE, iStart, sLiteral);
        }
        a_Tok.SetValue(fVal, sLiteral);
        m_iSyntax = synAFTER_VALUE;
        return true;
    }
    return false;
}

void ParserTokenReader::InsertUsed(std::string_view a_sName, double* a_pVar) {
    m_UsedVars.insert_or_assign(a_sName, a_pVar);
}

// Accepts a defined variable name and records it as used. Leaves synAFTER_VAR, which allows
// an assignment but no postfix operator.
bool ParserTokenReader::ReadVariable(token_type& a_Tok) {
    if (m_pVarDef->empty()) {
        return false;
    }
    std::string_view sName;
    const int iEnd = ExtractRun(csNAME, sName, m_iPos);
    if (sName.empty()) {
        return false;
    }
    double* const* ppVar = m_pVarDef->Lookup(sName, m_VarMiss);
    if (ppVar == nullptr) {
        m_iVarMissPos = m_iPos;
        return false;
    }
    if (m_iSyntax & synNO_VAR) {
        Error(peUNEXPECTED_VARIABLE, m_iPos, sName);
    }
    m_iPos = iEnd;
    a_Tok.SetVariable(*ppVar, sName);
    RecordUsed(sName, *ppVar);
    m_iSyntax = synAFTER_VAR;
    return true;
}

// Accepts a string constant name. Leaves synAFTER_STR: only an operator, ")", "," or the end.
bool ParserTokenReader::ReadStringConstant(token_type& a_Tok) {
    if (m_pStrVarDef == nullptr || m_pStrVarDef->empty()) {
        return false;
    }
    std::string_view sName;
    const int iEnd = ExtractRun(csNAME, sName, m_iPos);
    if (sName.empty()) {
        return false;
    }
    const auto it = m_pStrVarDef->find(sName);
    if (it == m_pStrVarDef->end()) {
        return false;
    }
    if (m_iSyntax & synNO_STR) {
        Error(peUNEXPECTED_VARIABLE, m_iPos, sName);
    }
    m_iPos = iEnd;
    const std::vector<std::string>& vStrings = m_pParser->m_vStringVarBuf;
    if (vStrings.empty() || it->second >= vStrings.size()) {
        Error(peINTERNAL, -1, {});
    }
    a_Tok.SetStringToken(vStrings[it->second], static_cast<int>(vStrings.size()));
    m_iSyntax = synAFTER_STR;
    return true;
}

// Accepts a quoted literal; a backslash directly before a quote makes that quote part of the
// contents. The contents go to the parser's string buffer. Leaves synAFTER_STR.
bool ParserTokenReader::ReadStringLiteral(token_type& a_Tok) {
    if (m_sExpr[static_cast<std::size_t>(m_iPos)] != '"') {
        return false;
    }
    // Scanned in place: copying the rest of the text for every literal would be quadratic.
    const std::size_t iBegin = static_cast<std::size_t>(m_iPos) + 1;
    std::size_t iSegment = iBegin;
    std::size_t iClose = std::string::npos;
    std::string sContents;
    for (std::size_t iFrom = iBegin;;) {
        const std::size_t iQuote = m_sExpr.find('"', iFrom);
        if (iQuote == std::string::npos) {
            break;
        }
        if (iQuote > iBegin && m_sExpr[iQuote - 1] == '\\') {
            sContents.append(m_sExpr, iSegment, iQuote - 1 - iSegment);
            sContents += '"';
            iSegment = iFrom = iQuote + 1;
            continue;
        }
        iClose = iQuote;
        break;
    }
    if (iClose == std::string::npos) {
        Error(peUNTERMINATED_STRING, m_iPos, "\"");
    }
    sContents.append(m_sExpr, iSegment, iClose - iSegment);
    if (m_iSyntax & synNO_STR) {
        Error(peUNEXPECTED_STRING, m_iPos, sContents);
    }
    std::vector<std::string>& vStrings = m_pParser->m_vStringBuf;
    vStrings.push_back(std::move(sContents));
    a_Tok.SetStringToken(vStrings.back(), static_cast<int>(vStrings.size()));
    m_iPos = static_cast<int>(iClose) + 1;
    m_iSyntax = synAFTER_STR;
    return true;
}

// Accepts any other name as a variable: created through the factory and entered into the
// parser's variables, or, without a factory, read as 0 and recorded with a null address. A run
// that starts with a digit is a malformed number, not a name. Leaves synAFTER_VAR.
bool ParserTokenReader::ReadUndefinedVariable(token_type& a_Tok) {
    std::string_view sRun;
    const int iEnd = ExtractRun(csNAME, sRun, m_iPos);
    if (sRun.empty() || (sRun[0] >= '0' && sRun[0] <= '9')) {
        return false;
    }
    const std::string sName(sRun);
    if (m_iSyntax & synNO_VAR) {
        Error(peUNEXPECTED_VARIABLE, m_iPos, sName);
    }
    if (m_pVarFactory != nullptr) {
        double* pVar = m_pVarFactory(sName.c_str(), m_pVarFactoryData);
        if (pVar == nullptr) {
            Error(peINVALID_VARIABLE, m_iPos, sName);
        }
        a_Tok.SetVariable(pVar, sRun);
        if (m_iVarMissPos == m_iPos) {
            m_pVarDef->insert_or_assign(sRun, pVar, m_VarMiss);
        } else {
            m_pVarDef->insert_or_assign(sRun, pVar);
        }
        RecordUsed(sName, pVar);
    } else {
        a_Tok.SetVariable(&m_fZeroValue, sRun);
        RecordUsed(sName, nullptr);
    }
    m_iPos = iEnd;
    m_iSyntax = synAFTER_VAR;
    return true;
}

} // namespace mu
