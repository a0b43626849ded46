// The compile pass: an operator-precedence walk over the tokens that computes every step from
// the operands' current values as soon as it can be applied (so the pass yields the value and
// assignments take effect at once) and appends the step to the bytecode, folding a step whose
// operands are all constant into a single value entry.
#include "ParserBase.h"

namespace mu {

double ParserBase::Compile() {
    if (m_pTokenReader->Expression().empty()) {
        RaiseError(peUNEXPECTED_END, 0);
    }
    Reset();

    stack_type stOpt;
    stack_type stVal;
    ParserStack<int> stArgCount;
    token_type prevTok;
    for (;;) {
        token_type tok = m_pTokenReader->NextToken();
        switch (tok.Cmd()) {
        case cmSTR:
            // The reader stored the literal once already; the token refers to this second copy.
            tok.SetStrIndex(static_cast<int>(m_vStringBuf.size()));
            stVal.push(tok);
            m_vStringBuf.push_back(tok.Text());
            break;
        case cmVAR:
            stVal.push(tok);
            m_vByteCode.PushVariable(tok.VarAddr());
            break;
        case cmVAL:
            stVal.push(tok);
            m_vByteCode.PushValue(tok.Value());
            break;
        case cmSEP:
            if (stArgCount.empty()) {
                RaiseError(peUNEXPECTED_SEPARATOR, m_pTokenReader->Position());
            }
            ++stArgCount.top();
            [[fallthrough]];
        case cmCLOSE:
        case cmEND:
            if (prevTok.Cmd() == cmOPEN) {
                --stArgCount.top(); // "()" holds no argument
            }
            ApplyRemaining(stOpt, stVal);
            if (tok.Cmd() == cmCLOSE && !stOpt.empty() && stOpt.top().Cmd() == cmOPEN) {
                CloseBracket(stOpt, stVal, stArgCount);
            }
            break;
        case cmLE:
        case cmGE:
        case cmNEQ:
        case cmEQ:
        case cmLT:
        case cmGT:
        case cmADD:
        case cmSUB:
        case cmMUL:
        case cmDIV:
        case cmPOW:
        case cmAND:
        case cmOR:
        case cmXOR:
        case cmASSIGN:
        case cmBINOP:
            // Equal precedence applies the stacked operator first: every binary operator,
            // "^" and "=" included, groups from the left.
            while (!stOpt.empty() && stOpt.top().Cmd() != cmOPEN) {
                if (OperatorPrecedence(stOpt.top()) < OperatorPrecedence(tok)) {
                    break;
                }
                if (stOpt.top().Cmd() == cmINFIX) {
                    ApplyFunction(stOpt, stVal, 1);
                } else {
                    ApplyBinaryOperator(stOpt, stVal);
                }
            }
            stOpt.push(tok);
            break;
        case cmOPEN:
            stArgCount.push(1);
            stOpt.push(tok);
            break;
        case cmFUNC:
        case cmSTRFUNC:
        case cmINFIX:
            stOpt.push(tok);
            break;
        case cmPOSTFIX:
            // Binds tighter than anything else: applied to the operand just read.
            stOpt.push(tok);
            ApplyFunction(stOpt, stVal, 1);
            break;
        default:
            RaiseError(peINTERNAL, 3);
        }
        if (tok.Cmd() == cmEND) {
            break;
        }
        prevTok = std::move(tok);
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
    SelectEvaluation();
    return fResult;
}

// A closing bracket whose "(" is on top of the operator stack: drop the bracket and, when a
// function stands before it, call the function with the arguments counted.
void ParserBase::CloseBracket(stack_type& a_stOpt, stack_type& a_stVal,
                              ParserStack<int>& a_stArgCount) {
    MU_ASSERT(a_stArgCount.size(), "stArgCount.size()");
    const int iArgCount = a_stArgCount.pop();
    a_stOpt.pop();
    const bool bFunction =
        !a_stOpt.empty() && (a_stOpt.top().Cmd() == cmFUNC || a_stOpt.top().Cmd() == cmSTRFUNC);
    if (iArgCount > 1 && !bFunction) {
        RaiseError(peUNEXPECTED_ARGUMENT, m_pTokenReader->Position());
    }
    // An infix or user binary operator before the bracket stays on the stack and is applied
    // later by precedence, so that in "a op (b)^c" the power binds first.
    if (bFunction) {
        ApplyFunction(a_stOpt, a_stVal, iArgCount);
    }
}

void ParserBase::ApplyRemaining(stack_type& a_stOpt, stack_type& a_stVal) {
    while (!a_stOpt.empty() && a_stOpt.top().Cmd() != cmOPEN) {
        if (a_stOpt.top().Cmd() == cmINFIX) {
            ApplyFunction(a_stOpt, a_stVal, 1);
        } else {
            ApplyBinaryOperator(a_stOpt, a_stVal);
        }
    }
}

void ParserBase::ApplyBinaryOperator(stack_type& a_stOpt, stack_type& a_stVal) {
    MU_ASSERT(a_stOpt.size(), "a_stOpt.size()");
    if (a_stOpt.top().Cmd() == cmBINOP) {
        ApplyFunction(a_stOpt, a_stVal, 2);
        return;
    }
    const token_type valTok2 = a_stVal.pop();
    const token_type valTok1 = a_stVal.pop();
    const token_type optTok = a_stOpt.pop();
    if (valTok1.ValType() != valTok2.ValType() ||
        (valTok1.ValType() == vtSTRING && valTok2.ValType() == vtSTRING)) {
        RaiseError(peOPERAND_TYPE_CONFLICT, m_pTokenReader->Position(), optTok.Text());
    }
    const double x = valTok1.OperandValue();
    const double y = valTok2.OperandValue();
    const ECmd iCode = optTok.Cmd();
    if (iCode == cmASSIGN) {
        ApplyAssignment(valTok1, valTok2, a_stVal);
        return;
    }
    if (iCode < cmLE || iCode > cmXOR) {
        RaiseError(peINTERNAL, 8);
    }

    token_type resTok;
    resTok.SetValue(ApplyBuiltinOperator(iCode, x, y), std::string());
    if (!m_bFolding) {
        m_vByteCode.PushOperator(iCode);
    } else if (valTok1.HasFlag(tkVOLATILE) || valTok2.HasFlag(tkVOLATILE)) {
        m_vByteCode.PushOperator(iCode);
        resTok.AddFlag(tkVOLATILE);
    } else {
        m_vByteCode.DropValues(2);
        m_vByteCode.PushValue(resTok.Value());
    }
    a_stVal.push(resTok);
}

// Stores at once and is never folded; the result is volatile so that nothing applied to it is
// folded either (its code ends in an assignment entry, not a value entry).
void ParserBase::ApplyAssignment(const token_type& a_Left, const token_type& a_Right,
                                 stack_type& a_stVal) {
    if (a_Left.Cmd() != cmVAR) {
        RaiseError(peUNEXPECTED_OPERATOR, -1, "=");
    }
    const double fVal = a_Right.OperandValue();
    double* pVar = a_Left.VarAddr();
    *pVar = fVal;
    token_type resTok;
    resTok.SetValue(fVal, std::string());
    resTok.AddFlag(tkVOLATILE);
    m_vByteCode.PushAssignment(pVar);
    a_stVal.push(resTok);
}

// Applies the function, infix, postfix or user binary operator on top of the operator stack to
// a_iArgCount arguments; does nothing when the top is no callback.
void ParserBase::ApplyFunction(stack_type& a_stOpt, stack_type& a_stVal, int a_iArgCount) {
    MU_ASSERT(m_pTokenReader.get(), "m_pTokenReader.get()");
    if (a_stOpt.empty() || a_stOpt.top().GetFuncAddr() == nullptr) {
        return;
    }
    const token_type funTok = a_stOpt.pop();
    MU_ASSERT(funTok.GetFuncAddr(), "funTok.GetFuncAddr()");

    const int iArgCount = funTok.Cmd() == cmBINOP ? funTok.ArgCount() : a_iArgCount;
    const bool bString = funTok.ValType() == vtSTRING;
    const int iArgRequired = funTok.ArgCount() + (bString ? 1 : 0);
    const int iArgNumerical = bString ? iArgCount - 1 : iArgCount;
    const int iPos = m_pTokenReader->Position();
    if (funTok.ArgCount() >= 0 && iArgCount > iArgRequired) {
        RaiseError(peTOO_MANY_ARGUMENTS, iPos - 1, funTok.Text());
    }
    if (funTok.Cmd() != cmBINOP && iArgCount < iArgRequired) {
        RaiseError(peTOO_FEW_ARGUMENTS, iPos - 1, funTok.Text());
    }

    // Popped last argument first; the string of a string function comes last.
    const int iPops = iArgNumerical + (funTok.Cmd() == cmSTRFUNC ? 1 : 0);
    std::vector<token_type> vArg;
    vArg.reserve(static_cast<std::size_t>(iPops > 0 ? iPops : 0));
    for (int i = 0; i < iPops; ++i) {
        vArg.push_back(a_stVal.pop());
        if (vArg.back().ValType() == vtSTRING && funTok.Cmd() != cmSTRFUNC) {
            RaiseError(peVALUE_EXPECTED, iPos, funTok.Text());
        }
    }
    a_stVal.push(bString ? CallStringFunction(funTok, vArg) : CallNumericFunction(funTok, vArg));
}

ParserBase::token_type ParserBase::CallNumericFunction(const token_type& a_FunTok,
                                                       const std::vector<token_type>& a_vArg) {
    const int iArgc = static_cast<int>(a_vArg.size());
    if (a_FunTok.GetFuncAddr() == nullptr) {
        throw ParserError(peINTERNAL);
    }
    token_type resTok;
    resTok.SetValue(InvokeNumeric(a_FunTok, a_vArg), std::string());
    bool bVolatile = a_FunTok.HasFlag(tkVOLATILE);
    for (const token_type& arg : a_vArg) {
        bVolatile = bVolatile || arg.HasFlag(tkVOLATILE);
    }
    if (bVolatile) {
        resTok.AddFlag(tkVOLATILE);
    }
    if (!m_bFolding || bVolatile) {
        m_vByteCode.PushFunction(a_FunTok.GetFuncAddr(),
                                 a_FunTok.ArgCount() == -1 ? -iArgc : iArgc);
    } else {
        m_vByteCode.DropValues(static_cast<unsigned>(iArgc));
        m_vByteCode.PushValue(resTok.Value());
    }
    return resTok;
}

// Calls the function now with the arguments' values in source order.
double ParserBase::InvokeNumeric(const token_type& a_FunTok,
                                 const std::vector<token_type>& a_vArg) {
    const int iArgc = static_cast<int>(a_vArg.size());
    const int iFixed = a_FunTok.ArgCount();
    if (iFixed == -1) {
        if (iArgc == 0) {
            RaiseError(peTOO_FEW_ARGUMENTS, m_pTokenReader->Position(), a_FunTok.Text());
        }
        std::vector<double> vValues(a_vArg.size());
        for (int i = 0; i < iArgc; ++i) {
            vValues[static_cast<std::size_t>(i)] = a_vArg[a_vArg.size() - 1 - i].OperandValue();
        }
        return InvokeFun(a_FunTok.GetFuncAddr(), -iArgc, vValues.data());
    }
    if (iFixed < 0 || iFixed > 5) {
        RaiseError(peINTERNAL, 6);
    }
    MU_ASSERT(iFixed == iArgc, "a_vArg.size()==ArgCount()");
    double afValues[5] = {};
    for (int i = 0; i < iArgc; ++i) {
        afValues[i] = a_vArg[a_vArg.size() - 1 - static_cast<std::size_t>(i)].OperandValue();
    }
    return InvokeFun(a_FunTok.GetFuncAddr(), iFixed, afValues);
}

// String functions are never folded: the string argument is always volatile.
ParserBase::token_type ParserBase::CallStringFunction(const token_type& a_FunTok,
                                                      const std::vector<token_type>& a_vArg) {
    const int iPos = m_pTokenReader->Position();
    if (a_vArg.empty() || a_vArg.back().Cmd() != cmSTR) {
        RaiseError(peSTRING_EXPECTED, iPos, a_FunTok.Text());
    }
    const GenericFun pFunc = a_FunTok.GetFuncAddr();
    MU_ASSERT(pFunc, "pFunc");

    token_type resTok;
    try {
        resTok.SetValue(InvokeString(a_FunTok, a_vArg), std::string());
    } catch (const ParserError&) {
        RaiseError(peVALUE_EXPECTED, iPos, a_FunTok.Text());
    }
    resTok.AddFlag(tkVOLATILE);

    const int iStrIdx = a_vArg.back().StrIndex();
    if (iStrIdx < 0) {
        throw ParserError(peINTERNAL);
    }
    m_vByteCode.PushStringFunction(pFunc, a_FunTok.ArgCount(), static_cast<std::size_t>(iStrIdx));
    return resTok;
}

double ParserBase::InvokeString(const token_type& a_FunTok, const std::vector<token_type>& a_vArg) {
    const int iArgc = a_FunTok.ArgCount();
    if (iArgc < 0 || iArgc > 2 || static_cast<std::size_t>(iArgc) + 1 != a_vArg.size()) {
        RaiseError(peINTERNAL, -1);
    }
    double afValues[2] = {};
    for (int i = 0; i < iArgc; ++i) {
        afValues[i] = a_vArg[static_cast<std::size_t>(iArgc - 1 - i)].OperandValue();
    }
    return InvokeStrFun(a_FunTok.GetFuncAddr(), iArgc, a_vArg.back().Text().c_str(), afValues);
}

} // namespace mu
