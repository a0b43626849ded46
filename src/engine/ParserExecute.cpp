// The reference walk over the bytecode words. ExecuteBytecode runs the pre-decoded ParserProgram
// instead wherever the code has one; this loop runs the rest and is what that form is tested
// against. It allocates nothing: the value stack was sized when the code was compiled.
#include "ParserBase.h"

#include <climits>
#include <cstdint>

namespace mu {

// One loop, one switch, one short case per code. The code is trusted: Seal guarantees the end
// entry and StackSize the stack, so neither the word index nor the slots are checked.
double ParserBase::InterpretBytecode() {
    constexpr int V = ParserBytecode::m_iValWords;
    constexpr int P = ParserBytecode::m_iPtrWords;
    const ParserBytecode::word_type* pCode = m_pCode;
    double* S = m_vStackBuffer.data();

    for (std::size_t i = 0;;) {
        const std::uint32_t k = pCode[i];
        const std::uint32_t c = pCode[i + 1];
        i += 2;
        switch (c) {
            MU_BUILTIN_OPERATORS(MU_CASE_CODE)
            S[k] = ApplyBuiltinOperator(static_cast<int>(c), S[k], S[k + 1]);
            break;
        case cmASSIGN:
            S[k] = *ParserBytecode::ReadVarAddr(pCode + i) = S[k + 1];
            i += P;
            break;
        case cmVAR:
            S[k] = *ParserBytecode::ReadVarAddr(pCode + i);
            i += V;
            break;
        case cmVAL:
            S[k] = ParserBytecode::ReadDouble(pCode + i);
            i += V;
            break;
        case cmFUNC: {
            const auto a = static_cast<std::int32_t>(pCode[i]);
            if (a > c_iMaxFunArgs || a == INT_MIN) {
                RaiseError(peINTERNAL, 1);
            }
            S[k] = InvokeFun(ParserBytecode::ReadFunAddr(pCode + i + 1), a, S + k);
            i += 1 + P;
            break;
        }
        case cmSTRFUNC: {
            const auto a = static_cast<std::int32_t>(pCode[i]);
            const std::string& sArg = m_vStringBuf[pCode[i + 1]];
            S[k] = InvokeStrFun(ParserBytecode::ReadFunAddr(pCode + i + 2), a, sArg.c_str(), S + k);
            i += 2 + P;
            break;
        }
        case cmEND:
            return S[1];
        default:
            RaiseError(peINTERNAL, 2);
        }
    }
}

} // namespace mu
