#include "ScriptFunctionTable.h"

#include "Parser.h"

#include <algorithm>
#include <atomic>

namespace mu {

namespace {

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

// The operator words, which the reader takes before any name.
bool IsOperatorWord(std::string_view a_sName) {
    return a_sName == "and" || a_sName == "or" || a_sName == "xor";
}

// Reads the name at a_iPos after blanks; empty when none. a_iPos ends after it, a_iStart at it.
std::string_view ReadName(std::string_view a_sLine, std::size_t& a_iPos, std::size_t& a_iStart) {
    while (a_iPos < a_sLine.size() && a_sLine[a_iPos] == ' ') {
        ++a_iPos;
    }
    a_iStart = a_iPos;
    if (a_iPos >= a_sLine.size() || !IsNameStart(a_sLine[a_iPos])) {
        return {};
    }
    while (a_iPos < a_sLine.size() && IsNameChar(a_sLine[a_iPos])) {
        ++a_iPos;
    }
    const std::string_view sName = a_sLine.substr(a_iStart, a_iPos - a_iStart);
    return IsOperatorWord(sName) ? std::string_view() : sName;
}

// Skips blanks; true when a_cWanted follows, which is then passed.
bool Expect(std::string_view a_sLine, std::size_t& a_iPos, char a_cWanted) {
    while (a_iPos < a_sLine.size() && a_sLine[a_iPos] == ' ') {
        ++a_iPos;
    }
    if (a_iPos >= a_sLine.size() || a_sLine[a_iPos] != a_cWanted) {
        return false;
    }
    ++a_iPos;
    return true;
}

// Stand-ins for the function of a call's token, which is expanded before it would be called.
double Never1(double) {
    return std::nan("");
}
double Never2(double, double) {
    return std::nan("");
}
double Never3(double, double, double) {
    return std::nan("");
}
double Never4(double, double, double, double) {
    return std::nan("");
}
double Never5(double, double, double, double, double) {
    return std::nan("");
}

ParserCallback CallCallback(std::size_t a_iParams) {
    switch (a_iParams) {
    case 1:
        return ParserCallback(Never1, true);
    case 2:
        return ParserCallback(Never2, true);
    case 3:
        return ParserCallback(Never3, true);
    case 4:
        return ParserCallback(Never4, true);
    default:
        static_assert(c_iMaxFunArgs == 5, "one stand-in per count");
        return ParserCallback(Never5, true);
    }
}

// a_Error, raised for a text that starts at a_iOffset in a_sLine, as raised for a_sLine.
[[noreturn]] void RaiseInLine(const ParserError& a_Error, std::string_view a_sLine, int a_iOffset) {
    const int iPos = a_Error.position() < 0 ? -1 : a_Error.position() + a_iOffset;
    if (a_Error.code() == peMESSAGE) {
        throw ParserError(a_Error.message(), iPos, a_Error.token());
    }
    if (a_Error.code() < 0) {
        throw a_Error;
    }
    throw ParserError(static_cast<EParseError>(a_Error.code()), a_Error.token(),
                      std::string(a_sLine) + ' ', iPos);
}

} // namespace

std::optional<FunctionHead> ReadFunctionHead(std::string_view a_sLine) {
    FunctionHead head;
    std::size_t iPos = 0;
    std::size_t iStart = 0;
    const std::string_view sName = ReadName(a_sLine, iPos, iStart);
    if (sName.empty() || !Expect(a_sLine, iPos, '(')) {
        return std::nullopt;
    }
    head.m_sName = sName;
    head.m_iNamePos = static_cast<int>(iStart);
    for (;;) {
        const std::string_view sParam = ReadName(a_sLine, iPos, iStart);
        if (sParam.empty() || head.m_vParams.size() == c_iMaxFunArgs) {
            return std::nullopt;
        }
        head.m_vParams.emplace_back(sParam);
        head.m_vParamPos.push_back(static_cast<int>(iStart));
        if (Expect(a_sLine, iPos, ')')) {
            break;
        }
        if (!Expect(a_sLine, iPos, ',')) {
            return std::nullopt;
        }
    }
    if (!Expect(a_sLine, iPos, '=') || (iPos < a_sLine.size() && a_sLine[iPos] == '=')) {
        return std::nullopt;
    }
    head.m_iBodyPos = static_cast<int>(iPos);
    return head;
}

ScriptFunctionTable::ScriptFunctionTable() {
    NewGeneration();
}

ScriptFunctionTable::~ScriptFunctionTable() = default;

ScriptFunctionTable::ScriptFunctionTable(ScriptFunctionTable&& a_Table) noexcept
    : m_Definitions(std::move(a_Table.m_Definitions)), m_Names(std::move(a_Table.m_Names)),
      m_abFirstBytes(a_Table.m_abFirstBytes), m_pChecker(std::move(a_Table.m_pChecker)) {
    NewGeneration();
    a_Table.Clear();
}

ScriptFunctionTable& ScriptFunctionTable::operator=(ScriptFunctionTable&& a_Table) noexcept {
    if (this != &a_Table) {
        m_Definitions = std::move(a_Table.m_Definitions);
        m_Names = std::move(a_Table.m_Names);
        m_abFirstBytes = a_Table.m_abFirstBytes;
        m_pChecker = std::move(a_Table.m_pChecker);
        NewGeneration();
        a_Table.Clear();
    }
    return *this;
}

// The checking parser is not copied: a copy makes its own when it needs one.
ScriptFunctionTable::ScriptFunctionTable(const ScriptFunctionTable& a_Table)
    : m_Definitions(a_Table.m_Definitions), m_Names(a_Table.m_Names),
      m_abFirstBytes(a_Table.m_abFirstBytes) {
    NewGeneration();
}

ScriptFunctionTable& ScriptFunctionTable::operator=(const ScriptFunctionTable& a_Table) {
    if (this != &a_Table) {
        m_Definitions = a_Table.m_Definitions;
        m_Names = a_Table.m_Names;
        m_abFirstBytes = a_Table.m_abFirstBytes;
        NewGeneration();
    }
    return *this;
}

// Generations are counted for all tables together, so that no two states share one.
void ScriptFunctionTable::NewGeneration() {
    static std::atomic<std::uint64_t> s_iGenerations{0};
    m_iGeneration = ++s_iGenerations;
}

const ScriptFunction& ScriptFunctionTable::Define(const FunctionHead& a_Head,
                                                  std::string_view a_sLine) {
    MU_ASSERT(!a_Head.m_vParams.empty() &&
                  a_Head.m_vParams.size() <= static_cast<std::size_t>(c_iMaxFunArgs),
              "a definition has 1 to 5 parameters");
    CheckBody(a_Head, a_sLine);

    ScriptFunction& def = m_Definitions.emplace_back();
    def.m_sName = a_Head.m_sName;
    def.m_vParams = a_Head.m_vParams;
    def.m_sBody = std::string(a_sLine.substr(static_cast<std::size_t>(a_Head.m_iBodyPos))) + ' ';
    def.m_sSignature = a_Head.m_sName + '(';
    for (std::size_t i = 0; i < a_Head.m_vParams.size(); ++i) {
        def.m_sSignature += (i == 0 ? "" : ",") + a_Head.m_vParams[i];
    }
    def.m_sSignature += ')';
    def.m_iIndex = m_Definitions.size() - 1;
    def.m_Callback = CallCallback(a_Head.m_vParams.size());
    m_Names[a_Head.m_sName].push_back(def.m_iIndex);
    m_abFirstBytes[static_cast<unsigned char>(a_Head.m_sName[0])] = true;
    NewGeneration();
    return def;
}

void ScriptFunctionTable::CheckBody(const FunctionHead& a_Head, std::string_view a_sLine) const {
    if (m_pChecker == nullptr) {
        m_pChecker = std::make_unique<Parser>();
    }
    if (m_pChecker->Functions().count(a_Head.m_sName) != 0) {
        throw ParserError(c_szBuiltinFunctionName, a_Head.m_iNamePos, a_Head.m_sName);
    }
    for (std::size_t i = 1; i < a_Head.m_vParams.size(); ++i) {
        const auto itFirst = a_Head.m_vParams.begin();
        if (std::find(itFirst, itFirst + static_cast<std::ptrdiff_t>(i), a_Head.m_vParams[i]) !=
            itFirst + static_cast<std::ptrdiff_t>(i)) {
            const int iPos =
                i < a_Head.m_vParamPos.size() ? a_Head.m_vParamPos[i] : a_Head.m_iNamePos;
            throw ParserError(peNAME_CONFLICT, a_Head.m_vParams[i], std::string(a_sLine) + ' ',
                              iPos);
        }
    }
    const std::string_view sBody = a_sLine.substr(static_cast<std::size_t>(a_Head.m_iBodyPos));
    // A blank line is an empty expression with no position; a definition without a body is
    // incomplete at its end, as "1+" is.
    if (sBody.find_first_not_of(' ') == std::string_view::npos) {
        throw ParserError(peUNEXPECTED_END, std::string(), std::string(a_sLine) + ' ',
                          static_cast<int>(a_sLine.size()) + 1);
    }
    try {
        m_pChecker->CheckScriptBody(*this, m_Definitions.size(), a_Head.m_sName, a_Head.m_vParams,
                                    sBody);
    } catch (const ParserError& e) {
        RaiseInLine(e, a_sLine, a_Head.m_iBodyPos);
    }
}

const ScriptFunction* ScriptFunctionTable::Find(std::string_view a_sName) const {
    const auto it = m_Names.find(a_sName);
    return it == m_Names.end() ? nullptr : &m_Definitions[it->second.back()];
}

const ScriptFunction* ScriptFunctionTable::FindVisible(std::string_view a_sName,
                                                       std::size_t a_iVisible,
                                                       std::string_view a_sExcluded) const {
    if (a_sName == a_sExcluded) {
        return nullptr;
    }
    const auto it = m_Names.find(a_sName);
    if (it == m_Names.end()) {
        return nullptr;
    }
    // The newest definition below a_iVisible; the indices ascend.
    const std::vector<std::size_t>& vIndices = it->second;
    const auto itAfter = std::lower_bound(vIndices.begin(), vIndices.end(), a_iVisible);
    return itAfter == vIndices.begin() ? nullptr : &m_Definitions[*(itAfter - 1)];
}

void ScriptFunctionTable::Clear() {
    m_Definitions.clear();
    m_Names.clear();
    m_abFirstBytes = {};
    NewGeneration();
}

std::vector<const ScriptFunction*> ScriptFunctionTable::Current() const {
    std::vector<const ScriptFunction*> vCurrent;
    for (const ScriptFunction& def : m_Definitions) {
        if (m_Names.at(def.m_sName).back() == def.m_iIndex) {
            vCurrent.push_back(&def);
        }
    }
    return vCurrent;
}

} // namespace mu
