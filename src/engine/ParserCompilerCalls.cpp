// The compile pass's calls: functions, infix and postfix operators and user binary operators,
// all applied through their callback to arguments that stay where they lie on the value stack.
#include "ParserBase.h"

namespace mu {

// Applies the function, infix, postfix or user binary operator on top of the operator stack to
// a_iArgCount arguments; does nothing when the top is no callback. The result replaces the
// first argument (or, for a call without arguments, is pushed).
void ParserBase::ApplyFunction(stack_type& a_stOpt, operand_stack& a_stVal, int a_iArgCount) {
    MU_ASSERT(m_pTokenReader.get(), "m_pTokenReader.get()");
    if (a_stOpt.empty() || a_stOpt.top().GetFuncAddr() == nullptr) {
        return;
    }
    const token_type& funTok = a_stOpt.top();
    MU_ASSERT(funTok.GetFuncAddr(), "funTok.GetFuncAddr()");

    const int iArgCount = funTok.Cmd() == cmBINOP ? funTok.ArgCount() : a_iArgCount;
    const bool bString = funTok.ValType() == vtSTRING;
    const int iArgRequired = funTok.ArgCount() + (bString ? 1 : 0);
    const int iArgNumerical = bString ? iArgCount - 1 : iArgCount;
    const int iPos = TokenEnd();
    if ((funTok.ArgCount() >= 0 && iArgCount > iArgRequired) ||
        (funTok.MostArgs() > 0 && iArgCount > funTok.MostArgs())) {
        RaiseError(peTOO_MANY_ARGUMENTS, iPos - 1, funTok.Text());
    }
    if (funTok.Cmd() != cmBINOP && iArgCount < iArgRequired) {
        RaiseError(peTOO_FEW_ARGUMENTS, iPos - 1, funTok.Text());
    }

    // Checked from the last argument down, as they would be popped; the string of a string
    // function is the first argument.
    const int iArgs = iArgNumerical + (funTok.Cmd() == cmSTRFUNC ? 1 : 0);
    const std::size_t n = static_cast<std::size_t>(iArgs > 0 ? iArgs : 0);
    const bool bStringArgument = funTok.Cmd() == cmSTRFUNC;
    for (std::size_t i = 0; i < n; ++i) {
        a_stVal.Require(i + 1);
        if (!bStringArgument && ParserOperand::IsStringWord(a_stVal.Ref(a_stVal.size() - 1 - i))) {
            RaiseError(peVALUE_EXPECTED, iPos, funTok.Text());
        }
    }
    const ArgList args = a_stVal.topRange(n);
    bool bVolatile = false;
    const double fResult = bString ? CallStringFunction(funTok, args, bVolatile)
                                   : CallNumericFunction(funTok, args, bVolatile);
    if (n > 0) {
        a_stVal.drop(n - 1);
    } else {
        a_stVal.pushValue(0);
    }
    const std::size_t iResult = a_stVal.size() - 1;
    a_stVal.Value(iResult) = fResult;
    a_stVal.SetRef(iResult, bVolatile ? ParserOperand::VolatileWord() : 0);
    a_stOpt.drop();
}

double ParserBase::CallNumericFunction(const token_type& a_FunTok, ArgList a_Args,
                                       bool& a_bVolatile) {
    const int iArgc = static_cast<int>(a_Args.size());
    if (a_FunTok.GetFuncAddr() == nullptr) {
        throw ParserError(peINTERNAL);
    }
    const double fResult = InvokeNumeric(a_FunTok, a_Args);
    a_bVolatile = a_FunTok.HasFlag(tkVOLATILE) || a_Args.AnyVolatile();
    if (!m_bFolding || a_bVolatile) {
        m_vByteCode.PushFunction(a_FunTok.GetFuncAddr(),
                                 a_FunTok.ArgCount() == -1 ? -iArgc : iArgc);
    } else {
        m_vByteCode.DropValues(static_cast<unsigned>(iArgc));
        m_vByteCode.PushValue(fResult);
    }
    return fResult;
}

// Calls the function now with the arguments' values in source order.
double ParserBase::InvokeNumeric(const token_type& a_FunTok, ArgList a_Args) {
    const int iArgc = static_cast<int>(a_Args.size());
    const int iFixed = a_FunTok.ArgCount();
    if (iFixed == -1) {
        if (iArgc == 0) {
            RaiseError(peTOO_FEW_ARGUMENTS, TokenEnd(), a_FunTok.Text());
        }
        // Strings were refused before, so the values are the operands' values.
        return InvokeFun(a_FunTok.GetFuncAddr(), -iArgc, a_Args.Values());
    }
    if (iFixed < 0 || iFixed > c_iMaxFunArgs) {
        RaiseError(peINTERNAL, 6);
    }
    MU_ASSERT(iFixed == iArgc, "a_vArg.size()==ArgCount()");
    // Strings were refused before: the arguments' values lie side by side.
    return InvokeFun(a_FunTok.GetFuncAddr(), iFixed, a_Args.empty() ? nullptr : a_Args.Values());
}

// String functions are never folded: the string argument is always volatile.
double ParserBase::CallStringFunction(const token_type& a_FunTok, ArgList a_Args,
                                      bool& a_bVolatile) {
    const int iPos = TokenEnd();
    if (a_Args.empty() || a_Args.front().Cmd() != cmSTR) {
        RaiseError(peSTRING_EXPECTED, iPos, a_FunTok.Text());
    }
    const GenericFun pFunc = a_FunTok.GetFuncAddr();
    MU_ASSERT(pFunc, "pFunc");

    double fResult = 0;
    try {
        fResult = InvokeString(a_FunTok, a_Args);
    } catch (const ParserError&) {
        RaiseError(peVALUE_EXPECTED, iPos, a_FunTok.Text());
    }
    a_bVolatile = true;

    const int iStrIdx = a_Args.front().StrIndex();
    if (iStrIdx < 0) {
        throw ParserError(peINTERNAL);
    }
    m_vByteCode.PushStringFunction(pFunc, a_FunTok.ArgCount(), static_cast<std::size_t>(iStrIdx));
    return fResult;
}

double ParserBase::InvokeString(const token_type& a_FunTok, ArgList a_Args) {
    const int iArgc = a_FunTok.ArgCount();
    if (iArgc < 0 || iArgc > c_iMaxStrFunArgs ||
        static_cast<std::size_t>(iArgc) + 1 != a_Args.size()) {
        RaiseError(peINTERNAL, -1);
    }
    double afValues[c_iMaxStrFunArgs] = {};
    for (std::size_t i = 0; i < static_cast<std::size_t>(iArgc); ++i) {
        afValues[i] = a_Args[i + 1].OperandValue();
    }
    // The string is the compile pass's copy in the string buffer, which the token's index names.
    const std::string& sArg = m_vStringBuf[static_cast<std::size_t>(a_Args.front().StrIndex())];
    return InvokeStrFun(a_FunTok.GetFuncAddr(), iArgc, sArg.c_str(), afValues);
}

} // namespace mu
