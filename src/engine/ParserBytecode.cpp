#include "ParserBytecode.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace mu {

namespace {

// The mnemonics of cmLE..cmXOR: their names.
#define MU_OPERATOR_NAME(NAME, ...) #NAME,
constexpr const char* c_OperatorNames[] = {MU_BUILTIN_OPERATORS(MU_OPERATOR_NAME)};
#undef MU_OPERATOR_NAME

std::uintptr_t ReadAddressBits(const ParserBytecode::word_type* a_pWords) {
    std::uintptr_t iAddr = 0;
    std::memcpy(&iAddr, a_pWords, sizeof(iAddr));
    return iAddr;
}

} // namespace

ParserBytecode::ParserBytecode() : m_iStackPos(0), m_iMaxStackPos(0) {}

ParserBytecode::ParserBytecode(const ParserBytecode& a_Code)
    : m_iStackPos(a_Code.m_iStackPos), m_iMaxStackPos(a_Code.m_iMaxStackPos) {
    Reallocate(a_Code.m_iSize);
    std::copy_n(a_Code.m_pWords.get(), a_Code.m_iSize, m_pWords.get());
    m_iSize = a_Code.m_iSize;
}

ParserBytecode& ParserBytecode::operator=(const ParserBytecode& a_Code) {
    if (this != &a_Code) {
        if (m_iCapacity < a_Code.m_iSize) {
            m_iSize = 0;
            Reallocate(a_Code.m_iSize);
        }
        std::copy_n(a_Code.m_pWords.get(), a_Code.m_iSize, m_pWords.get());
        m_iSize = a_Code.m_iSize;
        m_iStackPos = a_Code.m_iStackPos;
        m_iMaxStackPos = a_Code.m_iMaxStackPos;
    }
    return *this;
}

void ParserBytecode::Reserve(std::size_t a_iWords) {
    if (a_iWords > m_iCapacity) {
        Reallocate(a_iWords);
    }
}

void ParserBytecode::Grow(std::size_t a_iWords) {
    constexpr std::size_t c_iFirst = 256;
    const std::size_t iNeeded = m_iSize + a_iWords;
    std::size_t iCapacity = m_iCapacity < c_iFirst ? c_iFirst : 2 * m_iCapacity;
    if (iCapacity < iNeeded) {
        iCapacity = iNeeded;
    }
    Reallocate(iCapacity);
}

// Moves the words in use to a new allocation of a_iCapacity words; the rest is left unwritten.
void ParserBytecode::Reallocate(std::size_t a_iCapacity) {
    std::unique_ptr<word_type[]> pWords(new word_type[a_iCapacity]);
    if (m_iSize > 0) {
        std::copy_n(m_pWords.get(), m_iSize, pWords.get());
    }
    m_pWords = std::move(pWords);
    m_iCapacity = a_iCapacity;
}

void ParserBytecode::PushAssignment(double* a_pVar) {
    MU_ASSERT(m_iStackPos >= 2, "m_iStackPos >= 2");
    --m_iStackPos;
    word_type* pEntry = AppendEntry(cmASSIGN, EntryWords(cmASSIGN));
    std::memcpy(pEntry + 2, &a_pVar, sizeof(a_pVar));
}

void ParserBytecode::PushFunction(GenericFun a_pFun, int a_iArgc) {
    const std::int64_t iArgs = a_iArgc >= 0 ? a_iArgc : -static_cast<std::int64_t>(a_iArgc);
    MU_ASSERT(iArgs <= m_iStackPos, "m_iStackPos >= a_iArgc");
    m_iStackPos = static_cast<std::uint32_t>(m_iStackPos - iArgs + 1);
    UpdateMax();
    word_type* pEntry = AppendEntry(cmFUNC, EntryWords(cmFUNC));
    pEntry[2] = static_cast<word_type>(a_iArgc);
    std::memcpy(pEntry + 3, &a_pFun, sizeof(a_pFun));
}

void ParserBytecode::PushStringFunction(GenericFun a_pFun, int a_iArgc, std::size_t a_iStrIdx) {
    MU_ASSERT(a_iArgc >= 0 && static_cast<std::uint32_t>(a_iArgc) <= m_iStackPos,
              "m_iStackPos >= a_iArgc");
    m_iStackPos = m_iStackPos - static_cast<std::uint32_t>(a_iArgc) + 1;
    word_type* pEntry = AppendEntry(cmSTRFUNC, EntryWords(cmSTRFUNC));
    pEntry[2] = static_cast<word_type>(a_iArgc);
    pEntry[3] = static_cast<word_type>(a_iStrIdx);
    UpdateMax();
    std::memcpy(pEntry + 4, &a_pFun, sizeof(a_pFun));
}

void ParserBytecode::Seal() {
    word_type* pEnd = AppendEntry(cmEND, EntryWords(cmEND));
    pEnd[0] = cmEND;
}

const ParserBytecode::word_type* ParserBytecode::Code() const {
    MU_ASSERT(m_iSize, "m_vBase.size()");
    return m_pWords.get();
}

double ParserBytecode::ReadDouble(const word_type* a_pWords) {
    double fVal = 0;
    std::memcpy(&fVal, a_pWords, sizeof(fVal));
    return fVal;
}

double* ParserBytecode::ReadVarAddr(const word_type* a_pWords) {
    double* pVar = nullptr;
    std::memcpy(&pVar, a_pWords, sizeof(pVar));
    return pVar;
}

GenericFun ParserBytecode::ReadFunAddr(const word_type* a_pWords) {
    GenericFun pFun = nullptr;
    std::memcpy(&pFun, a_pWords, sizeof(pFun));
    return pFun;
}

void ParserBytecode::Dump() const {
    Dump(std::cout);
}

void ParserBytecode::Dump(std::ostream& a_Stream) const {
    if (m_iSize == 0) {
        a_Stream << "No bytecode available\n" << std::flush;
        return;
    }
    const std::ios_base::fmtflags iFlags = a_Stream.flags();
    a_Stream << std::dec << "Entries:" << m_iSize << " (ValSize:" << m_iValWords
             << " entries, PtrSize:" << m_iPtrWords << " entries, MapSize:" << sizeof(word_type)
             << " byte)\n";
    const word_type* pWords = m_pWords.get();
    std::size_t i = 0;
    while (i + 2 <= m_iSize && pWords[i + 1] != cmEND) {
        const std::size_t iWords = EntryWords(pWords[i + 1]);
        if (iWords > 0 && i + iWords > m_iSize) {
            break;
        }
        DumpEntry(a_Stream, &pWords[i]);
        i += iWords > 0 ? iWords : 2;
    }
    a_Stream << "END\n" << std::flush;
    a_Stream.flags(iFlags);
}

void ParserBytecode::DumpEntry(std::ostream& a_Stream, const word_type* a_pEntry) const {
    const word_type iCode = a_pEntry[1];
    a_Stream << "IDX[" << a_pEntry[0] << "]\t";
    if (iCode <= cmXOR) {
        a_Stream << c_OperatorNames[iCode] << "\n";
        return;
    }
    switch (iCode) {
    case cmASSIGN:
        a_Stream << "ASSIGN\t[ADDR: 0x" << std::hex << ReadAddressBits(a_pEntry + 2) << std::dec
                 << "]\n";
        break;
    case cmVAR:
        a_Stream << "VAR [ADDR: 0x" << std::hex << ReadAddressBits(a_pEntry + 2) << std::dec
                 << "]\n";
        break;
    case cmVAL:
        a_Stream << "VAL [" << ReadDouble(a_pEntry + 2) << "]\n";
        break;
    case cmFUNC:
        a_Stream << "CALL\t[ARG:" << static_cast<std::int32_t>(a_pEntry[2]) << "][ADDR: 0x"
                 << std::hex << ReadAddressBits(a_pEntry + 3) << std::dec << "]\n";
        break;
    case cmSTRFUNC:
        a_Stream << "CALL STRFUNC\t[ARG:" << static_cast<std::int32_t>(a_pEntry[2])
                 << "][IDX:" << a_pEntry[3] << "][ADDR: 0x" << std::hex
                 << ReadAddressBits(a_pEntry + 4) << std::dec << "]\n";
        break;
    default:
        a_Stream << "(unknown code: " << iCode << ")\n";
        break;
    }
}

} // namespace mu
