#include "ParserTokenReader.h"

#include "ParserBase.h"
#include "ScriptFunctionTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace mu {

namespace {

// The default operator table indexed for the reader, computed at compile time: each entry's
// length and, for every byte, the entries whose text starts with it (bits in table order) and
// the second byte they all share (0 where one is a single byte or two differ there).
struct DefaultOperatorIndex {
    std::array<std::size_t, cmCLOSE + 1> m_aiLength{};
    std::array<std::uint32_t, 256> m_aiStartingWith{};
    std::array<char, 256> m_acSecond{};
};

constexpr DefaultOperatorIndex MakeDefaultOperatorIndex() {
    DefaultOperatorIndex index;
    std::array<bool, 256> abMixed{};
    for (int i = 0; ParserBase::c_aszDefaultOprt[i] != nullptr; ++i) {
        const char* szOprt = ParserBase::c_aszDefaultOprt[i];
        while (szOprt[index.m_aiLength[i]] != '\0') {
            ++index.m_aiLength[i];
        }
        const auto cFirst = static_cast<unsigned char>(szOprt[0]);
        const bool bFirst = index.m_aiStartingWith[cFirst] == 0;
        index.m_aiStartingWith[cFirst] |= std::uint32_t{1} << i;
        if (bFirst) {
            index.m_acSecond[cFirst] = szOprt[1];
        } else if (index.m_acSecond[cFirst] != szOprt[1]) {
            abMixed[cFirst] = true;
        }
    }
    for (std::size_t c = 0; c < 256; ++c) {
        if (abMixed[c]) {
            index.m_acSecond[c] = '\0';
        }
    }
    return index;
}

constexpr DefaultOperatorIndex c_DefaultOprtIndex = MakeDefaultOperatorIndex();

// Whether a_sText holds the a_iLen bytes of a_szWord at a_iPos. The string's terminating NUL
// differs from every byte of a word, so a word running past the end simply does not match.
bool TextAt(const std::string& a_sText, std::size_t a_iPos, const char* a_szWord,
            std::size_t a_iLen) {
    const char* pText = a_sText.c_str() + a_iPos;
    for (std::size_t i = 0; i < a_iLen; ++i) {
        if (pText[i] != a_szWord[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

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
    m_bRecordUsed = a_Reader.m_bRecordUsed;
    m_pFunDef = a_Reader.m_pFunDef;
    m_pPostOprtDef = a_Reader.m_pPostOprtDef;
    m_pInfixOprtDef = a_Reader.m_pInfixOprtDef;
    m_pOprtDef = a_Reader.m_pOprtDef;
    m_pConstDef = a_Reader.m_pConstDef;
    m_pStrVarDef = a_Reader.m_pStrVarDef;
    m_pVarDef = a_Reader.m_pVarDef;
    std::copy_n(a_Reader.m_apCharSets, 3, m_apCharSets);
    m_pVarFactory = a_Reader.m_pVarFactory;
    m_pVarFactoryData = a_Reader.m_pVarFactoryData;
    m_vValueReaders = a_Reader.m_vValueReaders;
    m_UsedVars = a_Reader.m_UsedVars;
    m_fZeroValue = 0.0;
    m_iOpenBrackets = a_Reader.m_iOpenBrackets;
    m_iLastCmd = cmNONE;
    m_iVarMissPos = -1;
    m_cSeparator = a_Reader.m_cSeparator;
    m_Scope = a_Reader.m_Scope;
    m_pScriptCall = nullptr;
    m_iParam = -1;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
    m_iIndexedDefinitions = ~std::uint64_t{0};
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
    m_iVarMissPos = -1;
    m_apCharSets[csNAME] = &a_pParent->m_aNameCharTable;
    m_apCharSets[csOPERATOR] = &a_pParent->m_aOprtCharTable;
    m_apCharSets[csINFIX] = &a_pParent->m_aInfixOprtCharTable;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
    m_iIndexedDefinitions = ~std::uint64_t{0};
}

namespace {

// Marks the first byte of every name in a table.
template <typename TTable> std::array<bool, 256> FirstBytes(const TTable& a_Table) {
    std::array<bool, 256> abFirst{};
    for (const auto& entry : a_Table) {
        if (!entry.first.empty()) {
            abFirst[static_cast<unsigned char>(entry.first[0])] = true;
        }
    }
    return abFirst;
}

} // namespace

// A recognizer is left out at a byte only where it would return false without a look at the
// rest: the byte is not the one it reads (end, separator, quote), its table is empty, no name in
// it starts with the byte, the byte is outside the character set it reads, or no value reader
// accepts a literal starting with it. An empty character set keeps the recognizer in, so that it
// stops at the set's assertion as before.
void ParserTokenReader::IndexReaders() {
    const ParserBase& parser = *m_pParser;
    const bool bNoName = parser.m_sNameChars.empty();
    const bool bNoOprt = parser.m_sOprtChars.empty();
    const bool bNoInfix = parser.m_sInfixOprtChars.empty();
    const std::array<bool, 256> abUser = FirstBytes(*m_pOprtDef);
    const std::array<bool, 256> abFun = FirstBytes(*m_pFunDef);
    const std::array<bool, 256> abConst = FirstBytes(*m_pConstDef);
    const std::array<bool, 256> abStrConst = FirstBytes(*m_pStrVarDef);
    const std::array<bool, 256> abInfix = FirstBytes(*m_pInfixOprtDef);
    const std::array<bool, 256> abPost = FirstBytes(*m_pPostOprtDef);
    for (std::size_t c = 0; c < 256; ++c) {
        const bool bName = bNoName || parser.m_aNameCharTable[c];
        const bool bOprt = bNoOprt || parser.m_aOprtCharTable[c];
        std::uint16_t iReaders = 0;
        if (c == '\0' || c == '\n') {
            iReaders |= rdEND;
        }
        if (!m_pOprtDef->empty() && bOprt && (bNoOprt || abUser[c])) {
            iReaders |= rdUSER_OPERATOR;
        }
        if (!m_pFunDef->empty() && bName && (bNoName || abFun[c])) {
            iReaders |= rdFUNCTION;
        }
        if (c_DefaultOprtIndex.m_aiStartingWith[c] != 0) {
            iReaders |= rdDEFAULT_OPERATOR;
        }
        if (c == static_cast<unsigned char>(m_cSeparator)) {
            iReaders |= rdSEPARATOR;
        }
        if (bName && (bNoName || abConst[c])) {
            iReaders |= rdCONSTANT;
        }
        for (const LiteralReader& reader : m_vValueReaders) {
            if (reader.m_aFirst[c]) {
                iReaders |= rdLITERAL;
            }
        }
        if (bName) {
            iReaders |= rdVARIABLE | rdUNDEFINED;
        }
        if (!m_pStrVarDef->empty() && bName && (bNoName || abStrConst[c])) {
            iReaders |= rdSTRING_CONSTANT;
        }
        if (c == '"') {
            iReaders |= rdSTRING_LITERAL;
        }
        if (!m_pInfixOprtDef->empty() &&
            (bNoInfix || (parser.m_aInfixOprtCharTable[c] && abInfix[c]))) {
            iReaders |= rdINFIX;
        }
        if (!m_pPostOprtDef->empty() && bOprt && (bNoOprt || abPost[c])) {
            iReaders |= rdPOSTFIX;
        }
        m_aiReaders[c] = iReaders;
    }
    m_FunctionIndex.Build(*m_pFunDef);
    m_iIndexedDefinitions = parser.m_iDefinitions;
    IndexScriptNames();
}

void ParserTokenReader::SetExpression(const std::string& a_sExpr) {
    m_sExpr = a_sExpr;
    Restart();
}

void ParserTokenReader::SetExpression(std::string_view a_sText, char a_cAppend) {
    m_sExpr.assign(a_sText); // safe even when a_sText views the current expression
    m_sExpr += a_cAppend;
    Restart();
}

void ParserTokenReader::Restart() {
    m_iPos = 0;
    m_iSyntax = synSTART;
    m_iOpenBrackets = 0;
    // Only a pass that records fills the table; most passes find it empty.
    if (!m_UsedVars.empty()) {
        m_UsedVars.clear();
    }
    m_iLastCmd = cmNONE;
    m_iVarMissPos = -1;
    // An assignment to an undefined name writes here; the next pass must read 0 again.
    m_fZeroValue = 0.0;
    m_aRuns[csNAME] = m_aRuns[csOPERATOR] = m_aRuns[csINFIX] = RunCache();
}

void ParserTokenReader::SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData) {
    m_pVarFactory = a_pFactory;
    m_pVarFactoryData = a_pUserData;
}

void ParserTokenReader::AddValueReader(ValueReader a_pReader, const char* a_szFirstBytes) {
    CharTable aFirst;
    if (a_szFirstBytes != nullptr) {
        aFirst = MakeCharTable(a_szFirstBytes);
    } else {
        aFirst.fill(true);
    }
    m_vValueReaders.push_back(LiteralReader{a_pReader, aFirst});
    m_iIndexedDefinitions = ~std::uint64_t{0};
}

void ParserTokenReader::Error(EParseError a_iCode, int a_iPos, std::string_view a_sTok) const {
    m_pParser->RaiseError(a_iCode, a_iPos, a_sTok);
}

void ParserTokenReader::CheckCharSet(ECharSet a_iSet) const {
    switch (a_iSet) {
    case csNAME:
        m_pParser->NameChars();
        break;
    case csOPERATOR:
        m_pParser->OperatorChars();
        break;
    default:
        m_pParser->InfixOperatorChars();
        break;
    }
}

ParserTokenReader::token_type ParserTokenReader::NextToken() {
    const char* const pExpr = m_sExpr.c_str();
    int iPos = m_iPos;
    while (pExpr[iPos] == ' ') {
        ++iPos;
    }
    m_iPos = iPos;

    if (m_iIndexedDefinitions != m_pParser->m_iDefinitions) {
        IndexReaders();
    } else if (m_Scope.m_pTable != nullptr && m_Scope.m_pTable->Generation() != m_iIndexedScripts) {
        IndexScriptNames();
    }
    // The recognizers in their fixed order, skipping those the first byte rules out.
    const char* const pText = pExpr + iPos;
    unsigned iReaders = m_aiReaders[static_cast<unsigned char>(pText[0])];
    // A name such as "x1" is no "xor": where all default operators starting with the byte are
    // longer, their common second byte decides.
    if (const char cSecond = c_DefaultOprtIndex.m_acSecond[static_cast<unsigned char>(pText[0])];
        cSecond != '\0' && pText[1] != cSecond) {
        iReaders &= ~unsigned{rdDEFAULT_OPERATOR};
    }
    token_type tok(token_type::Unset);
    const bool bRead = ((iReaders & rdEND) && ReadEnd(tok)) ||
                       ((iReaders & rdUSER_OPERATOR) && ReadUserOperator(tok)) ||
                       ((iReaders & rdFUNCTION) && ReadFunction(tok)) ||
                       ((iReaders & rdSCRIPT) && ReadScriptName(tok)) ||
                       ((iReaders & rdDEFAULT_OPERATOR) && ReadDefaultOperator(tok)) ||
                       ((iReaders & rdSEPARATOR) && ReadSeparator(tok)) ||
                       ((iReaders & rdCONSTANT) && ReadConstant(tok)) ||
                       ((iReaders & rdLITERAL) && ReadLiteral(tok)) ||
                       ((iReaders & rdVARIABLE) && ReadVariable(tok)) ||
                       ((iReaders & rdSTRING_CONSTANT) && ReadStringConstant(tok)) ||
                       ((iReaders & rdSTRING_LITERAL) && ReadStringLiteral(tok)) ||
                       ((iReaders & rdINFIX) && ReadInfixOperator(tok)) ||
                       ((iReaders & rdPOSTFIX) && ReadPostfixOperator(tok)) ||
                       ((m_bAcceptUndefined || m_pVarFactory) && (iReaders & rdUNDEFINED) &&
                        ReadUndefinedVariable(tok));
    if (bRead) {
        m_iLastCmd = tok.Cmd();
        return tok;
    }

    std::string_view sRun;
    ExtractRun(csNAME, sRun, m_iPos);
    if (!sRun.empty()) {
        Error(peUNKNOWN_TOKEN, m_iPos, sRun);
    }
    Error(peUNKNOWN_TOKEN, m_iPos,
          std::string_view(m_sExpr).substr(static_cast<std::size_t>(m_iPos)));
}

// Accepts NUL or a line feed, which ends the expression (text after a line feed is never read).
// Leaves no flags set; the position stays on the end byte.
bool ParserTokenReader::ReadEnd(token_type& a_Tok) {
    const char c = m_sExpr[static_cast<std::size_t>(m_iPos)];
    if (c != '\0' && c != '\n') {
        return false;
    }
    if (m_iSyntax & synNO_END) {
        Error(peUNEXPECTED_END, m_iPos, {});
    }
    if (m_iOpenBrackets > 0) {
        Error(peMISSING_BRACKET, m_iPos, ")");
    }
    m_iSyntax = synAFTER_END;
    a_Tok.Set(cmEND, {});
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
    if (sTok.empty()) {
        return false;
    }
    const auto it = m_pOprtDef->find(sTok);
    if (it == m_pOprtDef->end()) {
        return false;
    }
    a_Tok.Set(it->second, sTok);
    if (m_iSyntax & synNO_BINOP) {
        if (ReadInfixOperator(a_Tok)) {
            return true;
        }
        Error(peUNEXPECTED_OPERATOR, m_iPos, sTok);
    }
    m_iPos = iEnd;
    m_iSyntax = synAFTER_OPERATOR;
    return true;
}

// Whether the next non-blank byte from a_iPos is "(". The text ends with a NUL, which stops the
// scan.
bool ParserTokenReader::OpenBracketAt(int a_iPos) const {
    const char* p = m_sExpr.c_str() + a_iPos;
    while (*p == ' ') {
        ++p;
    }
    return *p == '(';
}

// Accepts a run of name characters that is exactly a function name; only "(" may follow. A
// call-only function is a function only where "(" follows; elsewhere its name is left to the
// other recognizers.
bool ParserTokenReader::ReadFunction(token_type& a_Tok) {
    if (m_pFunDef->empty()) {
        return false;
    }
    std::string_view sTok;
    const int iEnd = ExtractRun(csNAME, sTok, m_iPos);
    // Every operand name passes here first; the filter spares most of them the map search.
    if (!m_pParser->m_FunFilter.MayContain(sTok)) {
        return false;
    }
    const ParserCallback* pCallback = m_FunctionIndex.Find(sTok);
    if (pCallback == nullptr || (pCallback->IsCallOnly() && !OpenBracketAt(iEnd))) {
        return false;
    }
    const int iStart = m_iPos;
    a_Tok.Set(*pCallback, sTok);
    m_iPos = iEnd;
    if (m_iSyntax & synNO_FUNC) {
        Error(peUNEXPECTED_FUNCTION, iStart, sTok);
    }
    m_iSyntax = synAFTER_FUNC;
    return true;
}

// Accepts the first entry of the default operator table the text starts with: operators (only
// while enabled; where no binary operator may stand, an infix operator instead), "(" and ")".
// Entries are tried in table order, but only those starting with the byte at the position.
bool ParserTokenReader::ReadDefaultOperator(token_type& a_Tok) {
    const char* const* aszOprt = ParserBase::c_aszDefaultOprt;
    const unsigned char cFirst =
        static_cast<unsigned char>(m_sExpr[static_cast<std::size_t>(m_iPos)]);
    for (std::uint32_t iCandidates = c_DefaultOprtIndex.m_aiStartingWith[cFirst]; iCandidates != 0;
         iCandidates &= iCandidates - 1) {
        const int i = std::countr_zero(iCandidates);
        const std::size_t iLen = c_DefaultOprtIndex.m_aiLength[static_cast<std::size_t>(i)];
        // Every candidate starts with the byte at the position: compare the rest.
        if (!TextAt(m_sExpr, static_cast<std::size_t>(m_iPos) + 1, aszOprt[i] + 1, iLen - 1)) {
            continue;
        }
        switch (i) {
        case cmOPEN:
            if (m_iSyntax & synNO_OPEN) {
                Error(peUNEXPECTED_BRACKET, m_iPos, "(");
            }
            m_iSyntax = m_iLastCmd == cmFUNC ? synAFTER_FUNC_OPEN : synAFTER_OPERATOR;
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
        a_Tok.Set(static_cast<ECmd>(i), std::string_view(aszOprt[i], iLen));
        return true;
    }
    return false;
}

// Accepts the separator character. Leaves synAFTER_OPERATOR.
bool ParserTokenReader::ReadSeparator(token_type& a_Tok) {
    if (m_sExpr[static_cast<std::size_t>(m_iPos)] != m_cSeparator) {
        return false;
    }
    const std::string_view sSep(&m_cSeparator, 1);
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
    if (sTok.empty()) {
        return false;
    }
    const auto it = m_pInfixOprtDef->find(sTok);
    if (it == m_pInfixOprtDef->end()) {
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
