#include "ParserTokenReader.h"

#include "ParserBase.h"

#include <cstring>

namespace mu {

ParserTokenReader::ParserTokenReader(ParserBase* a_pParent) : m_pParser(a_pParent) {
    MU_ASSERT(m_pParser, "m_pParser");
    AttachTo(a_pParent);
}

ParserTokenReader::ParserTokenReader(const ParserTokenReader& a_Reader)
    : m_pParser(a_Reader.m_pParser) {
    CopyFrom(a_Reader);
}

ParserTokenReader& ParserTokenReader::operator=(const ParserTokenReader& a_Reader) {
    if (this != &a_Reader) {
        CopyFrom(a_Reader);
    }
    return *this;
}

void ParserTokenReader::CopyFrom(const ParserTokenReader& a_Reader) {
    m_pParser = a_Reader.m_pParser;
    m_sExpr = a_Reader.m_sExpr;
    m_iPos = a_Reader.m_iPos;
    m_iSyntax = a_Reader.m_iSyntax;
    m_bAcceptUndefined = a_Reader.m_bAcceptUndefined;
    m_pFunDef = a_Reader.m_pFunDef;
    m_pPostOprtDef = a_Reader.m_pPostOprtDef;
    m_pInfixOprtDef = a_Reader.m_pInfixOprtDef;
    m_pOprtDef = a_Reader.m_pOprtDef;
    m_pConstDef = a_Reader.m_pConstDef;
    m_pStrVarDef = a_Reader.m_pStrVarDef;
    m_pVarDef = a_Reader.m_pVarDef;
    m_pVarFactory = a_Reader.m_pVarFactory;
    m_pVarFactoryData = a_Reader.m_pVarFactoryData;
    m_vValueReaders = a_Reader.m_vValueReaders;
    m_UsedVars = a_Reader.m_UsedVars;
    m_fZeroValue = 0.0;
    m_iOpenBrackets = a_Reader.m_iOpenBrackets;
    m_lastToken = token_type();
    m_cSeparator = a_Reader.m_cSeparator;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
}

std::unique_ptr<ParserTokenReader> ParserTokenReader::Clone(ParserBase* a_pParent) const {
    auto pReader = std::make_unique<ParserTokenReader>(*this);
    pReader->AttachTo(a_pParent);
    return pReader;
}

void ParserTokenReader::AttachTo(ParserBase* a_pParent) {
    m_pParser = a_pParent;
    m_pFunDef = &a_pParent->m_FunDef;
    m_pPostOprtDef = &a_pParent->m_PostOprtDef;
    m_pInfixOprtDef = &a_pParent->m_InfixOprtDef;
    m_pOprtDef = &a_pParent->m_OprtDef;
    m_pConstDef = &a_pParent->m_ConstDef;
    m_pStrVarDef = &a_pParent->m_StrVarDef;
    m_pVarDef = &a_pParent->m_VarDef;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
}

void ParserTokenReader::SetExpression(const std::string& a_sExpr) {
    m_sExpr = a_sExpr;
    Restart();
}

void ParserTokenReader::Restart() {
    m_iPos = 0;
    m_iSyntax = synSTART;
    m_iOpenBrackets = 0;
    m_UsedVars.clear();
    m_lastToken = token_type();
    // An assignment to an undefined name writes here; the next pass must read 0 again.
    m_fZeroValue = 0.0;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
}

void ParserTokenReader::SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData) {
    m_pVarFactory = a_pFactory;
    m_pVarFactoryData = a_pUserData;
}

void ParserTokenReader::AddValueReader(ValueReader a_pReader) {
    m_vValueReaders.push_back(a_pReader);
}

void ParserTokenReader::Error(EParseError a_iCode, int a_iPos, const std::string& a_sTok) const {
    m_pParser->RaiseError(a_iCode, a_iPos, a_sTok);
}

const std::string& ParserTokenReader::CharSet(ECharSet a_iSet) const {
    switch (a_iSet) {
    case csNAME:
        return m_pParser->NameChars();
    case csOPERATOR:
        return m_pParser->OperatorChars();
    default:
        return m_pParser->InfixOperatorChars();
    }
}

// Every recognizer at one position asks for the same runs, and an operator run (letters are
// operator characters) can stretch over most of the expression; remembering the last run of each
// set keeps the whole pass linear in the length of the text.
int ParserTokenReader::ExtractRun(ECharSet a_iSet, std::string_view& a_sTok, int a_iPos) {
    RunCache& run = m_aRuns[a_iSet];
    if (run.m_iStart < 0 || a_iPos < run.m_iStart || a_iPos > run.m_iEnd) {
        const std::string::size_type iFound =
            m_sExpr.find_first_not_of(CharSet(a_iSet), static_cast<std::size_t>(a_iPos));
        run.m_iStart = a_iPos;
        run.m_iEnd = iFound == std::string::npos ? static_cast<int>(m_sExpr.size())
                                                 : static_cast<int>(iFound);
    }
    a_sTok = std::string_view(m_sExpr).substr(static_cast<std::size_t>(a_iPos),
                                              static_cast<std::size_t>(run.m_iEnd - a_iPos));
    return run.m_iEnd;
}

ParserTokenReader::token_type ParserTokenReader::NextToken() {
    MU_ASSERT(m_pParser, "m_pParser");
    while (m_sExpr[static_cast<std::size_t>(m_iPos)] == ' ') {
        ++m_iPos;
    }

    token_type tok;
    const bool bRead = ReadEnd(tok) || ReadUserOperator(tok) || ReadFunction(tok) ||
                       ReadDefaultOperator(tok) || ReadSeparator(tok) || ReadValue(tok) ||
                       ReadVariable(tok) || ReadStringConstant(tok) || ReadStringLiteral(tok) ||
                       ReadInfixOperator(tok) || ReadPostfixOperator(tok) ||
                       ((m_bAcceptUndefined || m_pVarFactory) && ReadUndefinedVariable(tok));
    if (bRead) {
        m_lastToken = tok;
        return tok;
    }

    std::string_view sRun;
    ExtractRun(csNAME, sRun, m_iPos);
    if (!sRun.empty()) {
        Error(peUNKNOWN_TOKEN, m_iPos, std::string(sRun));
    }
    Error(peUNKNOWN_TOKEN, m_iPos, m_sExpr.substr(static_cast<std::size_t>(m_iPos)));
}

// Accepts NUL or a line feed, which ends the expression (text after a line feed is never read).
// Leaves no flags set; the position stays on the end byte.
bool ParserTokenReader::ReadEnd(token_type& a_Tok) {
    const char c = m_sExpr[static_cast<std::size_t>(m_iPos)];
    if (c != '\0' && c != '\n') {
        return false;
    }
    if (m_iSyntax & synNO_END) {
        Error(peUNEXPECTED_END, m_iPos, std::string());
    }
    if (m_iOpenBrackets > 0) {
        Error(peMISSING_BRACKET, m_iPos, ")");
    }
    m_iSyntax = synAFTER_END;
    a_Tok.Set(cmEND, std::string());
    return true;
}

// Accepts a run of operator characters that is exactly a user binary operator; where no binary
// operator may stand it may still be an infix operator. Leaves synAFTER_OPERATOR.
bool ParserTokenReader::ReadUserOperator(token_type& a_Tok) {
    if (m_pOprtDef->empty()) {
        return false;
    }
    std::string_view sTok;
    const int iEnd = ExtractRun(csOPERATOR, sTok, m_iPos);
    const auto it = m_pOprtDef->find(sTok);
    if (sTok.empty() || it == m_pOprtDef->end()) {
        return false;
    }
    a_Tok.Set(it->second, std::string(sTok));
    if (m_iSyntax & synNO_BINOP) {
        if (ReadInfixOperator(a_Tok)) {
            return true;
        }
        Error(peUNEXPECTED_OPERATOR, m_iPos, std::string(sTok));
    }
    m_iPos = iEnd;
    m_iSyntax = synAFTER_OPERATOR;
    return true;
}

// Accepts a run of name characters that is exactly a function name; only "(" may follow.
bool ParserTokenReader::ReadFunction(token_type& a_Tok) {
    if (m_pFunDef->empty()) {
        return false;
    }
    std::string_view sTok;
    const int iEnd = ExtractRun(csNAME, sTok, m_iPos);
    const auto it = m_pFunDef->find(sTok);
    if (sTok.empty() || it == m_pFunDef->end()) {
        return false;
    }
    const int iStart = m_iPos;
    a_Tok.Set(it->second, std::string(sTok));
    m_iPos = iEnd;
    if (m_iSyntax & synNO_FUNC) {
        Error(peUNEXPECTED_FUNCTION, iStart, std::string(sTok));
    }
    m_iSyntax = synAFTER_FUNC;
    return true;
}

// Accepts the first entry of the default operator table the text starts with: operators (only
// while enabled; where no binary operator may stand, an infix operator instead), "(" and ")".
bool ParserTokenReader::ReadDefaultOperator(token_type& a_Tok) {
    const char* const* aszOprt = ParserBase::DefaultOperatorTable();
    for (int i = 0; aszOprt[i] != nullptr; ++i) {
        const std::size_t iLen = std::strlen(aszOprt[i]);
        if (m_sExpr.compare(static_cast<std::size_t>(m_iPos), iLen, aszOprt[i]) != 0) {
            continue;
        }
        switch (i) {
        case cmOPEN:
            if (m_iSyntax & synNO_OPEN) {
                Error(peUNEXPECTED_BRACKET, m_iPos, "(");
            }
            m_iSyntax = m_lastToken.Cmd() == cmFUNC ? synAFTER_FUNC_OPEN : synAFTER_OPERATOR;
            ++m_iOpenBrackets;
            break;
        case cmCLOSE:
            if (m_iSyntax & synNO_CLOSE) {
                Error(peUNEXPECTED_BRACKET, m_iPos, ")");
            }
            m_iSyntax = synAFTER_VALUE;
            if (--m_iOpenBrackets < 0) {
                Error(peUNEXPECTED_BRACKET, m_iPos, ")");
            }
            break;
        default:
            if (i == cmASSIGN && (m_iSyntax & synNO_ASSIGN)) {
                Error(peUNEXPECTED_OPERATOR, m_iPos, "=");
            }
            if (!m_pParser->DefaultOperatorsEnabled()) {
                continue;
            }
            if (m_iSyntax & synNO_BINOP) {
                if (ReadInfixOperator(a_Tok)) {
                    return true;
                }
                Error(peUNEXPECTED_OPERATOR, m_iPos, aszOprt[i]);
            }
            m_iSyntax = synAFTER_OPERATOR;
            break;
        }
        m_iPos += static_cast<int>(iLen);
        a_Tok.Set(static_cast<ECmd>(i), aszOprt[i]);
        return true;
    }
    return false;
}

// Accepts the separator character. Leaves synAFTER_OPERATOR.
bool ParserTokenReader::ReadSeparator(token_type& a_Tok) {
    if (m_sExpr[static_cast<std::size_t>(m_iPos)] != m_cSeparator) {
        return false;
    }
    const std::string sSep(1, m_cSeparator);
    if (m_iSyntax & synNO_SEP) {
        Error(peUNEXPECTED_SEPARATOR, m_iPos, sSep);
    }
    ++m_iPos;
    m_iSyntax = synAFTER_OPERATOR;
    a_Tok.Set(cmSEP, sSep);
    return true;
}

// Accepts a run of infix-operator characters that is exactly an infix operator. Leaves
// synAFTER_INFIX.
bool ParserTokenReader::ReadInfixOperator(token_type& a_Tok) {
    if (m_pInfixOprtDef->empty()) {
        return false;
    }
    std::string_view sTok;
    const int iEnd = ExtractRun(csINFIX, sTok, m_iPos);
    const auto it = m_pInfixOprtDef->find(sTok);
    if (sTok.empty() || it == m_pInfixOprtDef->end()) {
        return false;
    }
    a_Tok.Set(it->second, it->first);
    m_iPos = iEnd;
    if (m_iSyntax & synNO_INFIX) {
        Error(peUNEXPECTED_OPERATOR, m_iPos, it->first);
    }
    m_iSyntax = synAFTER_INFIX;
    return true;
}

// Accepts the first postfix operator, in ascending name order, that starts the run of operator
// characters (so "m" is found in "3m+5"); only its own characters are consumed. Leaves
// synAFTER_POSTFIX.
bool ParserTokenReader::ReadPostfixOperator(token_type& a_Tok) {
    if (m_pPostOprtDef->empty()) {
        return false;
    }
    std::string_view sRun;
    ExtractRun(csOPERATOR, sRun, m_iPos);
    for (const auto& [sName, callback] : *m_pPostOprtDef) {
        if (sRun.substr(0, sName.size()) != sName) {
            continue;
        }
        // The token carries the operator's own name rather than the whole run, so that a long
        // run of operator characters is not copied once per operator.
        a_Tok.Set(callback, sName);
        if (m_iSyntax & synNO_POSTFIX) {
            Error(peUNEXPECTED_OPERATOR, m_iPos, sName);
        }
        m_iPos += static_cast<int>(sName.size());
        m_iSyntax = synAFTER_POSTFIX;
        return true;
    }
    return false;
}

} // namespace mu
