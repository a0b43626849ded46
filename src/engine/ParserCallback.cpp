#include "ParserCallback.h"

namespace mu {

namespace {

// Function pointers of one type convert to another and back without loss; the call sites cast
// back to the exact signature.
template <typename TFun> GenericFun Untyped(TFun a_pFun) {
    return reinterpret_cast<GenericFun>(a_pFun);
}

} // namespace

ParserCallback::ParserCallback(GenericFun a_pFun, int a_iArgc, int a_iPrec, ECmd a_iCode,
                               EValType a_iType, bool a_bFoldable)
    : m_pFunc(a_pFun), m_iArgCount(a_iArgc), m_iPrecedence(a_iPrec), m_iCmd(a_iCode),
      m_iValType(a_iType), m_bFoldable(a_bFoldable) {}

ParserCallback::ParserCallback(Fun0 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 0, -1, cmFUNC, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(Fun1 a_pFun, bool a_bFoldable, int a_iPrec, ECmd a_iCode)
    : ParserCallback(Untyped(a_pFun), 1, a_iPrec, a_iCode, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(Fun2 a_pFun, bool a_bFoldable, int a_iPrec, ECmd a_iCode)
    : ParserCallback(Untyped(a_pFun), 2, a_iPrec, a_iCode, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(Fun3 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 3, -1, cmFUNC, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(Fun4 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 4, -1, cmFUNC, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(Fun5 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 5, -1, cmFUNC, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(FunN a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), -1, -1, cmFUNC, vtDOUBLE, a_bFoldable) {}

ParserCallback::ParserCallback(StrFun0 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 0, -1, cmSTRFUNC, vtSTRING, a_bFoldable) {}

ParserCallback::ParserCallback(StrFun1 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 1, -1, cmSTRFUNC, vtSTRING, a_bFoldable) {}

ParserCallback::ParserCallback(StrFun2 a_pFun, bool a_bFoldable)
    : ParserCallback(Untyped(a_pFun), 2, -1, cmSTRFUNC, vtSTRING, a_bFoldable) {}

ParserCallback::ParserCallback() : ParserCallback(nullptr, 0, -1, cmNONE, vtNONE, false) {}

std::unique_ptr<ParserCallback> ParserCallback::Clone() const {
    return std::make_unique<ParserCallback>(*this);
}

} // namespace mu
