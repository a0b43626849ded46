// Calls of script functions, expanded while the compile pass reads its tokens: "f(2*a)" with the
// body "x^2+x" reaches the pass as "((2*a)^2+(2*a))", so that it compiles, folds and runs as the
// body written out would. Arguments come as the reader gave them and are checked there; the
// body's tokens come from a second reader over the body's text, which knows the parameters.
#include "ParserBase.h"
#include "ScriptFunctionTable.h"

namespace mu {

namespace {

// Tokens a pass may expand: beyond this, calls nested in calls have grown the expression past
// what compiling it would be worth.
constexpr std::size_t c_iMaxExpandedTokens = std::size_t{1} << 16;

} // namespace

void ParserBase::SetScriptFunctions(const ScriptFunctionTable* a_pTable) {
    m_pScripts = a_pTable;
    ParserTokenReader::ScriptScope scope;
    scope.m_pTable = a_pTable;
    m_pTokenReader->SetScriptScope(scope);
    m_pBodyReader.reset();
    m_iReplayPos = -1;
    ClearCompiled();
    m_pTokenReader->Restart();
    m_bReset = true;
}

void ParserBase::StartScriptPass() {
    m_vPending.clear();
    m_dqPassTexts.clear();
    m_iExpanded = 0;
}

void ParserBase::KeepText(token_type& a_Tok) {
    m_dqPassTexts.emplace_back(a_Tok.Text());
    a_Tok.SetStringToken(m_dqPassTexts.back(), a_Tok.StrIndex());
}

// The next token as read or waiting, calls not yet expanded.
ParserBase::PendingToken ParserBase::NextRawToken() {
    if (!m_vPending.empty()) {
        PendingToken next = m_vPending.back();
        m_vPending.pop_back();
        return next;
    }
    PendingToken next{m_pTokenReader->NextToken(), nullptr, 0};
    next.m_pCall = m_pTokenReader->TakeScriptCall();
    next.m_iEnd = m_pTokenReader->Position();
    return next;
}

ParserBase::token_type ParserBase::TakePending() {
    PendingToken& next = m_vPending.back();
    m_iReplayPos = next.m_iEnd;
    m_pPendingCall = next.m_pCall;
    // A variable counts with its value where the pass reaches it, as written out: an assignment
    // compiled since it was read may have changed it.
    if (next.m_Tok.Cmd() == cmVAR) {
        next.m_Tok.SetVariable(next.m_Tok.VarAddr(), next.m_Tok.Text());
    }
    const token_type tok = next.m_Tok;
    m_vPending.pop_back();
    return tok;
}

void ParserBase::Queue(const token_type& a_Tok, const ScriptFunction* a_pCall, int a_iEnd) {
    m_vPending.push_back(PendingToken{a_Tok, a_pCall, a_iEnd});
}

// Collects the arguments of the call whose name was just taken, up to its ")", and queues the
// expansion in their place.
void ParserBase::ExpandCall(const token_type& a_Name, const ScriptFunction& a_Def) {
    const PendingToken open = NextRawToken();
    MU_ASSERT(open.m_Tok.Cmd() == cmOPEN, "a script function is read only before \"(\"");
    m_vArgTokens.clear();
    m_viArgStart.assign(1, 0);
    int iDepth = 1;
    int iCallEnd = open.m_iEnd;
    for (;;) {
        PendingToken next = NextRawToken();
        const ECmd iCmd = next.m_Tok.Cmd();
        MU_ASSERT(iCmd != cmEND, "the reader closes every bracket before the end");
        if (iCmd == cmOPEN) {
            ++iDepth;
        } else if (iCmd == cmCLOSE && --iDepth == 0) {
            iCallEnd = next.m_iEnd;
            break;
        } else if (iCmd == cmSEP && iDepth == 1) {
            m_viArgStart.push_back(m_vArgTokens.size());
            continue;
        } else if (iCmd == cmSTR) {
            KeepText(next.m_Tok);
        }
        m_vArgTokens.push_back(next);
    }
    const std::size_t iArgs =
        m_vArgTokens.empty() && m_viArgStart.size() == 1 ? 0 : m_viArgStart.size();
    const std::size_t iParams = a_Def.Params().size();
    m_iReplayPos = iCallEnd;
    if (iArgs > iParams) {
        RaiseError(peTOO_MANY_ARGUMENTS, iCallEnd - 1, a_Name.Text());
    }
    if (iArgs < iParams) {
        RaiseError(peTOO_FEW_ARGUMENTS, iCallEnd - 1, a_Name.Text());
    }
    ReadBody(a_Def, iCallEnd);

    // Queued back to front: ")" first, "(" last.
    m_iExpanded += 2 + m_vBodyTokens.size();
    token_type bracket;
    Queue(bracket.Set(cmCLOSE, ")"), nullptr, iCallEnd);
    for (auto it = m_vBodyTokens.rbegin(); it != m_vBodyTokens.rend(); ++it) {
        if (it->m_iParam < 0) {
            Queue(it->m_Tok, it->m_pCall, iCallEnd);
            continue;
        }
        const std::size_t iParam = static_cast<std::size_t>(it->m_iParam);
        const std::size_t iFrom = m_viArgStart[iParam];
        const std::size_t iTo =
            iParam + 1 < m_viArgStart.size() ? m_viArgStart[iParam + 1] : m_vArgTokens.size();
        m_iExpanded += 2 + iTo - iFrom;
        Queue(bracket.Set(cmCLOSE, ")"), nullptr, iCallEnd);
        for (std::size_t i = iTo; i > iFrom; --i) {
            m_vPending.push_back(m_vArgTokens[i - 1]);
        }
        Queue(bracket.Set(cmOPEN, "("), nullptr, iCallEnd);
    }
    Queue(bracket.Set(cmOPEN, "("), nullptr, iCallEnd);
    if (m_iExpanded > c_iMaxExpandedTokens) {
        throw ParserError("expression too long", iCallEnd - 1, std::string(a_Name.Text()));
    }
}

// Reads the tokens of a_Def's body, without its end, into m_vBodyTokens, each with the index of
// the parameter it names (-1: none). The body sees the definitions made before it. An error
// reading it (a name no variable stands for, where no variable may be made) is reported at the
// call's ")".
void ParserBase::ReadBody(const ScriptFunction& a_Def, int a_iCallEnd) {
    if (m_pBodyReader == nullptr) {
        m_pBodyReader = m_pTokenReader->Clone(this);
    }
    ParserTokenReader& reader = *m_pBodyReader;
    ParserTokenReader::ScriptScope scope;
    scope.m_pTable = m_pScripts;
    scope.m_iVisible = a_Def.Index();
    scope.m_pParams = &a_Def.Params();
    reader.SetScriptScope(scope);
    reader.SetAcceptUndefined(m_pTokenReader->AcceptsUndefined());
    reader.SetRecordUsedVariables(m_pTokenReader->RecordsUsedVariables());
    const std::string& sBody = a_Def.Body();
    reader.SetExpression(sBody);
    m_vBodyTokens.clear();
    try {
        for (;;) {
            token_type tok = reader.NextToken();
            if (tok.Cmd() == cmEND) {
                break;
            }
            if (tok.Cmd() == cmSTR) {
                KeepText(tok);
            } else {
                // Texts viewing the reader's copy of the body view the definition's instead.
                const std::string& sRead = reader.Expression();
                const std::ptrdiff_t iOffset = tok.Text().data() - sRead.data();
                if (iOffset >= 0 && static_cast<std::size_t>(iOffset) < sRead.size()) {
                    tok.SetText(std::string_view(sBody.data() + iOffset, tok.Text().size()));
                }
            }
            // A nested call is expanded when the pass reaches it.
            const ScriptFunction* pCall = reader.TakeScriptCall();
            m_vBodyTokens.push_back(BodyToken{tok, pCall, reader.TakeParameter()});
        }
    } catch (const ParserError& e) {
        if (e.code() == peMESSAGE) {
            throw ParserError(e.message(), a_iCallEnd - 1, e.token());
        }
        if (e.code() < 0) {
            throw;
        }
        RaiseError(static_cast<EParseError>(e.code()), a_iCallEnd - 1, e.token());
    }
    if (m_pTokenReader->RecordsUsedVariables()) {
        m_pTokenReader->AddUsed(reader.UsedVariables());
    }
}

void ParserBase::CheckScriptBody(const ScriptFunctionTable& a_Table, std::size_t a_iVisible,
                                 std::string_view a_sName,
                                 const std::vector<std::string>& a_vParams,
                                 std::string_view a_sBody) {
    SetScriptFunctions(&a_Table);
    ParserTokenReader::ScriptScope scope;
    scope.m_pTable = &a_Table;
    scope.m_iVisible = a_iVisible;
    scope.m_sExcluded = a_sName;
    scope.m_pParams = &a_vParams;
    scope.m_bRejectUnknownCalls = true;
    m_pTokenReader->SetScriptScope(scope);
    SetExpression(a_sBody);
    m_bCheckingBody = true;
    try {
        UsedVariables();
    } catch (...) {
        m_bCheckingBody = false;
        SetScriptFunctions(nullptr);
        throw;
    }
    m_bCheckingBody = false;
    SetScriptFunctions(nullptr);
}

} // namespace mu
