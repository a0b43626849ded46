// The definition operations of the parser base. Every check precedes the store, so a failed
// definition changes nothing; a successful one forces the next evaluation to compile.
#include "ParserBase.h"

namespace mu {

namespace {

// Postfix operators all bind with this precedence; they are applied as soon as they are read.
constexpr int c_iPostfixPrecedence = 4;

} // namespace

void ParserBase::DefinitionsChanged() {
    ++m_iDefinitions;
    Reset();
}

void ParserBase::ValidateName(const std::string& a_sName, const std::string& a_sCharset) const {
    if (a_sName.empty() || a_sName.find_first_not_of(a_sCharset) != std::string::npos ||
        (a_sName[0] >= '0' && a_sName[0] <= '9')) {
        RaiseError(peINVALID_NAME, -1);
    }
}

// Infix and binary operators may share a name (their position tells them apart); every other
// pair of kinds must differ.
void ParserBase::RegisterCallback(const std::string& a_sName, const ParserCallback& a_Callback,
                                  CallbackTable& a_Storage, const std::string& a_sCharset) {
    if (a_Callback.GetAddr() == nullptr) {
        RaiseError(peINVALID_FUNCTION, -1);
    }
    const bool bOperator = &a_Storage == &m_InfixOprtDef || &a_Storage == &m_OprtDef;
    if ((&a_Storage != &m_FunDef && m_FunDef.count(a_sName)) ||
        (&a_Storage != &m_PostOprtDef && m_PostOprtDef.count(a_sName)) ||
        (!bOperator && m_InfixOprtDef.count(a_sName)) || (!bOperator && m_OprtDef.count(a_sName))) {
        RaiseError(peNAME_CONFLICT, -1);
    }
    ValidateName(a_sName, a_sCharset);
    a_Storage.insert_or_assign(a_sName, a_Callback);
    if (&a_Storage == &m_FunDef) {
        m_FunFilter.Add(a_sName);
    }
    DefinitionsChanged();
}

void ParserBase::AddFunction(const std::string& a_sName, Fun0 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, Fun1 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, Fun2 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, Fun3 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, Fun4 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, Fun5 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, FunN a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::SetCallOnly(const std::string& a_sName) {
    const auto it = m_FunDef.find(a_sName);
    if (it == m_FunDef.end()) {
        return;
    }
    it->second.SetCallOnly();
    DefinitionsChanged();
}

void ParserBase::SetMostArgs(const std::string& a_sName, int a_iMost) {
    const auto it = m_FunDef.find(a_sName);
    if (it == m_FunDef.end()) {
        return;
    }
    it->second.SetMostArgs(a_iMost);
    DefinitionsChanged();
}

void ParserBase::AddFunction(const std::string& a_sName, StrFun0 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, StrFun1 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddFunction(const std::string& a_sName, StrFun2 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable), m_FunDef, m_sNameChars);
}

void ParserBase::AddOperator(const std::string& a_sName, Fun2 a_pFun, int a_iPrec,
                             bool a_bFoldable) {
    if (m_bDefaultOprt) {
        for (const char* const* pOprt = DefaultOperatorTable(); *pOprt != nullptr; ++pOprt) {
            if (a_sName == *pOprt) {
                RaiseError(peBUILTIN_OVERLOAD, -1, a_sName);
            }
        }
    }
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable, a_iPrec, cmBINOP), m_OprtDef,
                     m_sOprtChars);
}

void ParserBase::AddInfixOperator(const std::string& a_sName, Fun1 a_pFun, int a_iPrec,
                                  bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable, a_iPrec, cmINFIX), m_InfixOprtDef,
                     m_sOprtChars);
}

void ParserBase::AddPostfixOperator(const std::string& a_sName, Fun1 a_pFun, bool a_bFoldable) {
    RegisterCallback(a_sName, ParserCallback(a_pFun, a_bFoldable, c_iPostfixPrecedence, cmPOSTFIX),
                     m_PostOprtDef, m_sOprtChars);
}

void ParserBase::AddVariable(const std::string& a_sName, double* a_pVar) {
    if (a_pVar == nullptr) {
        RaiseError(peINVALID_VARIABLE, -1);
    }
    if (m_ConstDef.count(a_sName) || m_FunDef.count(a_sName)) {
        RaiseError(peNAME_CONFLICT, -1);
    }
    ValidateName(a_sName, m_sNameChars);
    m_VarDef.insert_or_assign(a_sName, a_pVar);
    DefinitionsChanged();
}

void ParserBase::AddConstant(const std::string& a_sName, double a_fVal) {
    ValidateName(a_sName, m_sNameChars);
    m_ConstDef.insert_or_assign(a_sName, a_fVal);
    DefinitionsChanged();
}

void ParserBase::AddStringConstant(const std::string& a_sName, const std::string& a_sVal) {
    if (m_StrVarDef.count(a_sName)) {
        RaiseError(peNAME_CONFLICT, -1);
    }
    ValidateName(a_sName, m_sNameChars);
    m_vStringVarBuf.push_back(a_sVal);
    m_StrVarDef.emplace(a_sName, m_vStringVarBuf.size() - 1);
    DefinitionsChanged();
}

void ParserBase::RemoveVariable(const std::string& a_sName) {
    if (m_VarDef.erase(a_sName) != 0) {
        DefinitionsChanged();
    }
}

void ParserBase::RemoveAllVariables() {
    m_VarDef.clear();
    DefinitionsChanged();
}

void ParserBase::RemoveAllFunctions() {
    m_FunDef.clear();
    m_FunFilter.Clear();
    DefinitionsChanged();
}

void ParserBase::RemoveAllOperators() {
    m_OprtDef.clear();
    DefinitionsChanged();
}

void ParserBase::RemoveAllInfixOperators() {
    m_InfixOprtDef.clear();
    DefinitionsChanged();
}

void ParserBase::RemoveAllPostfixOperators() {
    m_PostOprtDef.clear();
    DefinitionsChanged();
}

// The string-constant buffer keeps its entries; only the names go.
void ParserBase::RemoveAllConstants() {
    m_ConstDef.clear();
    m_StrVarDef.clear();
    DefinitionsChanged();
}

void ParserBase::SetNameChars(const char* a_szCharset) {
    m_sNameChars = a_szCharset != nullptr ? a_szCharset : "";
    m_aNameCharTable = MakeCharTable(m_sNameChars);
    ++m_iDefinitions;
}

void ParserBase::SetOperatorChars(const char* a_szCharset) {
    m_sOprtChars = a_szCharset != nullptr ? a_szCharset : "";
    m_aOprtCharTable = MakeCharTable(m_sOprtChars);
    ++m_iDefinitions;
}

void ParserBase::SetInfixOperatorChars(const char* a_szCharset) {
    m_sInfixOprtChars = a_szCharset != nullptr ? a_szCharset : "";
    m_aInfixOprtCharTable = MakeCharTable(m_sInfixOprtChars);
    ++m_iDefinitions;
}

const std::string& ParserBase::NameChars() const {
    MU_ASSERT(m_sNameChars.size(), "m_sNameChars.size()");
    return m_sNameChars;
}

const std::string& ParserBase::OperatorChars() const {
    MU_ASSERT(m_sOprtChars.size(), "m_sOprtChars.size()");
    return m_sOprtChars;
}

const std::string& ParserBase::InfixOperatorChars() const {
    MU_ASSERT(m_sInfixOprtChars.size(), "m_sInfixOprtChars.size()");
    return m_sInfixOprtChars;
}

void ParserBase::AddValueReader(ValueReader a_pReader, const char* a_szFirstBytes) {
    m_pTokenReader->AddValueReader(a_pReader, a_szFirstBytes);
    m_pBodyReader.reset();
}

void ParserBase::SetVariableFactory(VariableFactory a_pFactory, void* a_pUserData) {
    m_pTokenReader->SetVariableFactory(a_pFactory, a_pUserData);
    m_pBodyReader.reset();
}

void ParserBase::SetSeparator(char a_cSep) {
    m_pTokenReader->SetSeparator(a_cSep);
    m_pBodyReader.reset();
}

char ParserBase::Separator() const {
    return m_pTokenReader->Separator();
}

void ParserBase::SetDefaultOperatorsEnabled(bool a_bEnabled) {
    m_bDefaultOprt = a_bEnabled;
    DefinitionsChanged();
}

void ParserBase::SetFolding(bool a_bFolding) {
    m_bFolding = a_bFolding;
    DefinitionsChanged();
}

void ParserBase::SetBytecodeEnabled(bool a_bEnabled) {
    m_bUseBytecode = a_bEnabled;
    if (!a_bEnabled) {
        DefinitionsChanged();
    }
}

} // namespace mu
