// ParserCallback: the description of one function or operator, as kept in the definition tables
// and copied into the tokens made from it.
#ifndef MU_PARSER_CALLBACK_H
#define MU_PARSER_CALLBACK_H

#include "ParserDef.h"

#include <memory>

namespace mu {

class ParserCallback {
public:
    ParserCallback(Fun0 a_pFun, bool a_bFoldable);
    // Also makes infix (cmINFIX) and postfix (cmPOSTFIX) operators.
    ParserCallback(Fun1 a_pFun, bool a_bFoldable, int a_iPrec = -1, ECmd a_iCode = cmFUNC);
    // Also makes user binary operators (cmBINOP).
    ParserCallback(Fun2 a_pFun, bool a_bFoldable, int a_iPrec = -1, ECmd a_iCode = cmFUNC);
    ParserCallback(Fun3 a_pFun, bool a_bFoldable);
    ParserCallback(Fun4 a_pFun, bool a_bFoldable);
    ParserCallback(Fun5 a_pFun, bool a_bFoldable);
    ParserCallback(FunN a_pFun, bool a_bFoldable);
    // For string functions the argument count covers only the numbers after the string.
    ParserCallback(StrFun0 a_pFun, bool a_bFoldable);
    ParserCallback(StrFun1 a_pFun, bool a_bFoldable);
    ParserCallback(StrFun2 a_pFun, bool a_bFoldable);
    ParserCallback();
    ParserCallback(const ParserCallback&) = default;
    ParserCallback& operator=(const ParserCallback&) = default;

    // A heap copy owned by the caller.
    std::unique_ptr<ParserCallback> Clone() const;

    GenericFun GetAddr() const { return m_pFunc; }
    int ArgCount() const { return m_iArgCount; }
    int Precedence() const { return m_iPrecedence; }
    ECmd Cmd() const { return m_iCmd; }
    EValType ValType() const { return m_iValType; }
    bool IsFoldable() const { return m_bFoldable; }
    // A function read as such only where the next non-blank character is "(".
    bool IsCallOnly() const { return m_bCallOnly; }
    void SetCallOnly() { m_bCallOnly = true; }
    // With any number of arguments: the most a call may pass; 0 for no limit.
    int MostArgs() const { return m_iMostArgs; }
    void SetMostArgs(int a_iMost) { m_iMostArgs = a_iMost; }

private:
    ParserCallback(GenericFun a_pFun, int a_iArgc, int a_iPrec, ECmd a_iCode, EValType a_iType,
                   bool a_bFoldable);

    GenericFun m_pFunc;
    int m_iArgCount; // -1: any number of arguments, at least one
    int m_iPrecedence;
    ECmd m_iCmd;
    EValType m_iValType;
    bool m_bFoldable;
    bool m_bCallOnly = false;
    int m_iMostArgs = 0;
};

// Calls a numeric function stored without its type: a_iArgc 0..c_iMaxFunArgs passes that many
// doubles from a_pArg, a negative a_iArgc = -n passes the array and n. Larger counts never reach
// here.
inline double InvokeFun(GenericFun a_pFun, int a_iArgc, const double* a_pArg) {
    switch (a_iArgc) {
    case 0:
        return reinterpret_cast<Fun0>(a_pFun)();
    case 1:
        return reinterpret_cast<Fun1>(a_pFun)(a_pArg[0]);
    case 2:
        return reinterpret_cast<Fun2>(a_pFun)(a_pArg[0], a_pArg[1]);
    case 3:
        return reinterpret_cast<Fun3>(a_pFun)(a_pArg[0], a_pArg[1], a_pArg[2]);
    case 4:
        return reinterpret_cast<Fun4>(a_pFun)(a_pArg[0], a_pArg[1], a_pArg[2], a_pArg[3]);
    case 5:
        static_assert(c_iMaxFunArgs == 5, "one case per count");
        return reinterpret_cast<Fun5>(a_pFun)(a_pArg[0], a_pArg[1], a_pArg[2], a_pArg[3],
                                              a_pArg[4]);
    default:
        MU_ASSERT(a_iArgc < 0, "a_iArgc<=5");
        return reinterpret_cast<FunN>(a_pFun)(a_pArg, -a_iArgc);
    }
}

// Calls a string function with its string and a_iArgc (0..c_iMaxStrFunArgs) doubles from a_pArg.
inline double InvokeStrFun(GenericFun a_pFun, int a_iArgc, const char* a_szStr,
                           const double* a_pArg) {
    switch (a_iArgc) {
    case 0:
        return reinterpret_cast<StrFun0>(a_pFun)(a_szStr);
    case 1:
        return reinterpret_cast<StrFun1>(a_pFun)(a_szStr, a_pArg[0]);
    default:
        static_assert(c_iMaxStrFunArgs == 2, "one case per count");
        MU_ASSERT(a_iArgc == 2, "a_iArgc<=2");
        return reinterpret_cast<StrFun2>(a_pFun)(a_szStr, a_pArg[0], a_pArg[1]);
    }
}

} // namespace mu

#endif
