// The compile pass: an operator-precedence walk over the tokens that computes every step from
// the operands' current values as soon as it can be applied (so the pass yields the value and
// assignments take effect at once) and appends the step to the bytecode, folding a step whose
// operands are all constant into a single value entry.
#include "ParserBase.h"

#include <climits>

namespace mu {

namespace {

constexpr int prNONE = INT_MIN;         // no precedence: cannot stand on the operator stack
constexpr int prCALLBACK = INT_MIN + 1; // taken from the token's callback

// ORDER CMD: the precedence of each token code; a higher number binds tighter.
constexpr int c_aiPrecedence[] = {
    2,          // cmLE
    2,          // cmGE
    2,          // cmNEQ
    2,          // cmEQ
    2,          // cmLT
    2,          // cmGT
    3,          // cmADD
    3,          // cmSUB
    4,          // cmMUL
    4,          // cmDIV
    5,          // cmPOW
    1,          // cmAND
    1,          // cmOR
    1,          // cmXOR
    -1,         // cmASSIGN
    -2,         // cmOPEN
    -2,         // cmCLOSE
    -4,         // cmSEP
    prNONE,     // cmVAR
    prNONE,     // cmVAL
    prNONE,     // cmFUNC
    prNONE,     // cmSTRFUNC
    prNONE,     // cmSTR
    prCALLBACK, // cmBINOP
    prNONE,     // cmPOSTFIX
    prCALLBACK, // cmINFIX
    -5,         // cmEND
    prNONE,     // cmNONE
};
static_assert(sizeof(c_aiPrecedence) / sizeof(c_aiPrecedence[0]) == cmNONE + 1);

// The table's precedence where it has one; the checked look-up for callbacks and for tokens
// that cannot stand on the stack.
int StackedPrecedence(const ParserBase& a_Parser, const ParserBase::token_type& a_Tok) {
    const unsigned iCode = static_cast<unsigned>(a_Tok.Cmd());
    if (iCode <= cmNONE && c_aiPrecedence[iCode] > prCALLBACK) {
        return c_aiPrecedence[iCode];
    }
    return a_Parser.OperatorPrecedence(a_Tok);
}

} // namespace

int ParserBase::OperatorPrecedence(const token_type& a_Tok) const {
    const int iCode = a_Tok.Cmd();
    if (iCode < 0 || iCode > cmNONE || c_aiPrecedence[iCode] == prNONE) {
        RaiseError(peINTERNAL, 5);
    }
    if (c_aiPrecedence[iCode] != prCALLBACK) {
        return c_aiPrecedence[iCode];
    }
    const ParserCallback* pCallback = a_Tok.Callback();
    if (pCallback == nullptr || (pCallback->Cmd() != cmBINOP && pCallback->Cmd() != cmINFIX)) {
        throw ParserError(peINTERNAL);
    }
    return pCallback->Precedence();
}

double ParserBase::Compile() {
    if (m_pTokenReader->Expression().empty()) {
        RaiseError(peUNEXPECTED_END, 0);
    }
    // Right after SetExpression (the usual case) there is nothing to reset.
    if (!m_bReset) {
        Reset();
    }
    m_bReset = false;

    stack_type& stOpt = m_stOpt;
    operand_stack& stVal = m_stVal;
    stOpt.clear();
    stVal.clear();
    const bool bLong = ReserveStacks();
    m_iReplayPos = -1;
    const bool bScripts = m_pScripts != nullptr;
    if (bScripts) {
        StartScriptPass();
    }
    // Of the previous token only its kind matters ("()" holds no argument).
    ECmd iPrevCmd = cmNONE;
    for (;;) {
        // Tokens are made in place: a copy of one just written field by field would wait for
        // the writes to land.
        const bool bPending = bScripts && !m_vPending.empty();
        token_type tok = bPending ? TakePending() : m_pTokenReader->NextToken();
        if (bScripts && ExpandedCall(tok, bPending)) {
            continue;
        }
        const ECmd iCmd = tok.Cmd();
        switch (iCmd) {
        case cmSTR:
            // The reader stored the literal once already; the token refers to this second copy.
            tok.SetStrIndex(static_cast<int>(m_vStringBuf.size()));
            {
                // Copied out before the buffer grows: the text may view one of its strings.
                std::string sCopy(tok.Text());
                m_vStringBuf.push_back(std::move(sCopy));
            }
            stVal.push(tok);
            break;
        case cmVAR:
            // Every variable token is volatile.
            m_vByteCode.PushVariable(tok.VarAddr());
            stVal.pushVariable(tok.VarAddr(), tok.OperandValue());
            break;
        case cmVAL:
            m_vByteCode.PushValue(tok.Value());
            stVal.push(tok);
            break;
        case cmSEP:
            // The innermost opening bracket counts the argument once the operators above it
            // are applied, when it is on top.
            if (m_iReplayPos < 0 && m_pTokenReader->OpenBrackets() == 0) {
                RaiseError(peUNEXPECTED_SEPARATOR, TokenEnd());
            }
            ApplyRemaining(stOpt, stVal);
            MU_ASSERT(!stOpt.empty() && stOpt.top().Cmd() == cmOPEN,
                      "a bracket holds the separator");
            stOpt.top().SetBracketArguments(stOpt.top().BracketArguments() + 1);
            break;
        case cmCLOSE:
        case cmEND:
            if (iPrevCmd == cmOPEN) {
                stOpt.top().SetBracketArguments(0); // "()" holds no argument
            }
            ApplyRemaining(stOpt, stVal);
            if (iCmd == cmCLOSE && !stOpt.empty() && stOpt.top().Cmd() == cmOPEN) {
                CloseBracket(stOpt, stVal);
            }
            break;
        case cmASSIGN:
            if (m_bCheckingBody) {
                throw ParserError(c_szAssignmentInBody, TokenEnd() - 1, "=");
            }
            [[fallthrough]];
            MU_BUILTIN_OPERATORS(MU_CASE_CODE)
        case cmBINOP: {
            // Equal precedence applies the stacked operator first: every binary operator,
            // "^" and "=" included, groups from the left.
            const int iPrecedence = StackedPrecedence(*this, tok);
            while (!stOpt.empty() && stOpt.top().Cmd() != cmOPEN) {
                if (StackedPrecedence(*this, stOpt.top()) < iPrecedence) {
                    break;
                }
                if (stOpt.top().Cmd() == cmINFIX) {
                    ApplyFunction(stOpt, stVal, 1);
                } else {
                    ApplyBinaryOperator(stOpt, stVal);
                }
            }
            stOpt.push(std::move(tok));
            break;
        }
        case cmOPEN:
            tok.SetBracketArguments(1);
            stOpt.push(std::move(tok));
            break;
        case cmFUNC:
        case cmSTRFUNC:
        case cmINFIX:
            stOpt.push(std::move(tok));
            break;
        case cmPOSTFIX:
            // Binds tighter than anything else: applied to the operand just read.
            stOpt.push(std::move(tok));
            ApplyFunction(stOpt, stVal, 1);
            break;
        default:
            RaiseError(peINTERNAL, 3);
        }
        if (iCmd == cmEND) {
            break;
        }
        iPrevCmd = iCmd;
    }

    m_vByteCode.Seal();
    m_pCode = m_vByteCode.Code();
    if (stVal.size() != 1) {
        RaiseError(peEMPTY_EXPRESSION, -1);
    }
    if (stVal.top().ValType() != vtDOUBLE) {
        RaiseError(peSTRING_RESULT, -1);
    }
    const double fResult = stVal.top().OperandValue();
    if (bLong) {
        // Kept, the stacks of a long expression would hold memory in proportion to its text
        // beside the value stack that running it needs.
        m_stOpt.release();
        m_stVal.release();
    }
    SelectEvaluation();
    return fResult;
}

// A long expression gets its room at once: every token takes at least one character, so neither
// stack outgrows the text, and no character adds more than five words to the bytecode ("-1" adds
// a value entry and a call). Room that is never written costs no memory, while growing by
// doubling would hold up to twice and, while moving, three times what is needed. Says whether
// the expression counts as long.
bool ParserBase::ReserveStacks() {
    constexpr std::size_t c_iLong = 1 << 16;
    const std::size_t iLength = m_pTokenReader->Expression().size();
    if (iLength >= c_iLong) {
        m_stOpt.reserve(iLength + 1);
        m_stVal.reserve(iLength + 1);
        m_vByteCode.Reserve(5 * (iLength + 1) + 2);
        return true;
    }
    return false;
}

// A closing bracket whose "(" is on top of the operator stack: drop the bracket and, when a
// function stands before it, call the function with the arguments counted.
void ParserBase::CloseBracket(stack_type& a_stOpt, operand_stack& a_stVal) {
    const int iArgCount = a_stOpt.top().BracketArguments();
    a_stOpt.drop();
    const bool bFunction =
        !a_stOpt.empty() && (a_stOpt.top().Cmd() == cmFUNC || a_stOpt.top().Cmd() == cmSTRFUNC);
    if (iArgCount > 1 && !bFunction) {
        RaiseError(peUNEXPECTED_ARGUMENT, TokenEnd());
    }
    // An infix or user binary operator before the bracket stays on the stack and is applied
    // later by precedence, so that in "a op (b)^c" the power binds first.
    if (bFunction) {
        ApplyFunction(a_stOpt, a_stVal, iArgCount);
    }
}

void ParserBase::ApplyRemaining(stack_type& a_stOpt, operand_stack& a_stVal) {
    while (!a_stOpt.empty() && a_stOpt.top().Cmd() != cmOPEN) {
        if (a_stOpt.top().Cmd() == cmINFIX) {
            ApplyFunction(a_stOpt, a_stVal, 1);
        } else {
            ApplyBinaryOperator(a_stOpt, a_stVal);
        }
    }
}

// The operands are used where they lie on the value stack, and the left one is overwritten with
// the result: moving tokens off the stack and a result token onto it would only copy texts.
void ParserBase::ApplyBinaryOperator(stack_type& a_stOpt, operand_stack& a_stVal) {
    MU_ASSERT(a_stOpt.size(), "a_stOpt.size()");
    const token_type& optTok = a_stOpt.top();
    const ECmd iCode = optTok.Cmd();
    if (iCode == cmBINOP) {
        ApplyFunction(a_stOpt, a_stVal, 2);
        return;
    }
    a_stVal.Require(2);
    const std::size_t iRight = a_stVal.size() - 1;
    const std::size_t iLeft = iRight - 1;
    const std::uintptr_t iLeftWord = a_stVal.Ref(iLeft);
    const std::uintptr_t iRightWord = a_stVal.Ref(iRight);
    // A string has no place beside any operator.
    if (ParserOperand::IsStringWord(iLeftWord) || ParserOperand::IsStringWord(iRightWord)) {
        RaiseError(peOPERAND_TYPE_CONFLICT, TokenEnd(), optTok.Text());
    }
    if (iCode == cmASSIGN) {
        ApplyAssignment(a_stVal.fromTop(1), a_stVal.fromTop(0));
    } else {
        if (iCode < cmLE || iCode > cmXOR) {
            RaiseError(peINTERNAL, 8);
        }
        double& fLeft = a_stVal.Value(iLeft);
        const double fResult = ApplyBuiltinOperator(iCode, fLeft, a_stVal.Value(iRight));
        const bool bVolatile =
            ParserOperand::IsVolatileWord(iLeftWord) || ParserOperand::IsVolatileWord(iRightWord);
        if (!m_bFolding || bVolatile) {
            m_vByteCode.PushOperator(iCode);
        } else {
            m_vByteCode.DropValues(2);
            m_vByteCode.PushValue(fResult);
        }
        fLeft = fResult;
        a_stVal.SetRef(iLeft, m_bFolding && bVolatile ? ParserOperand::VolatileWord() : 0);
    }
    a_stVal.drop();
    a_stOpt.drop();
}

// Stores at once and is never folded; the result, which replaces a_Left, is volatile so that
// nothing applied to it is folded either (its code ends in an assignment entry, not a value
// entry).
void ParserBase::ApplyAssignment(ParserOperand a_Left, ParserOperand a_Right) {
    if (a_Left.Cmd() != cmVAR) {
        RaiseError(peUNEXPECTED_OPERATOR, -1, "=");
    }
    const double fVal = a_Right.OperandValue();
    double* pVar = a_Left.VarAddr();
    *pVar = fVal;
    m_vByteCode.PushAssignment(pVar);
    a_Left.SetValue(fVal);
    a_Left.AddFlag(tkVOLATILE);
}

} // namespace mu
