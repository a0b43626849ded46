#include "ParserBytecode.h"

#include <cstring>
#include <iostream>

namespace mu {

namespace {

// Words of a whole entry with the given code, or 0 for a code that is never emitted.
int EntryWords(std::uint32_t a_iCode) {
    constexpr int V = ParserBytecode::m_iValWords;
    constexpr int P = ParserBytecode::m_iPtrWords;
    if (a_iCode <= cmXOR || a_iCode == cmEND) {
        return 2;
    }
    switch (a_iCode) {
    case cmASSIGN:
        return 2 + P;
    case cmVAR:
    case cmVAL:
        return 2 + V;
    case cmFUNC:
        return 3 + P;
    case cmSTRFUNC:
        return 4 + P;
    default:
        return 0;
    }
}

// ORDER CMD: mnemonics of cmLE..cmXOR.
constexpr const char* c_OperatorNames[] = {"LE",  "GE",  "NEQ", "EQ",  "LT",  "GT", "ADD",
                                           "SUB", "MUL", "DIV", "POW", "AND", "OR", "XOR"};
static_assert(sizeof(c_OperatorNames) / sizeof(c_OperatorNames[0]) == cmXOR + 1);

std::uintptr_t ReadAddressBits(const ParserBytecode::word_type* a_pWords) {
    std::uintptr_t iAddr = 0;
    std::memcpy(&iAddr, a_pWords, sizeof(iAddr));
    return iAddr;
}

} // namespace

ParserBytecode::ParserBytecode() : m_iStackPos(0), m_iMaxStackPos(0) {
    m_vBase.reserve(1000);
}

// Appends one entry of a_iWords words, zero apart from its two header words, and returns it.
ParserBytecode::word_type* ParserBytecode::AppendEntry(ECmd a_iCode, std::size_t a_iWords) {
    m_vBase.push_back(m_iStackPos);
    m_vBase.push_back(static_cast<word_type>(a_iCode));
    for (std::size_t i = 2; i < a_iWords; ++i) {
        m_vBase.push_back(0);
    }
    return m_vBase.data() + m_vBase.size() - a_iWords;
}

void ParserBytecode::UpdateMax() {
    if (m_iStackPos > m_iMaxStackPos) {
        m_iMaxStackPos = m_iStackPos;
    }
}

void ParserBytecode::PushValue(double a_fVal) {
    ++m_iStackPos;
    word_type* pEntry = AppendEntry(cmVAL, 2 + m_iValWords);
    UpdateMax();
    std::memcpy(pEntry + 2, &a_fVal, sizeof(a_fVal));
}

// The address is followed by V - P zero words, so that a variable entry is as long as a value
// entry.
void ParserBytecode::PushVariable(double* a_pVar) {
    const int iSize = m_iValWords - m_iPtrWords;
    MU_ASSERT(iSize >= 0, "iSize>=0");
    ++m_iStackPos;
    word_type* pEntry = AppendEntry(cmVAR, 2 + m_iValWords);
    UpdateMax();
    std::memcpy(pEntry + 2, &a_pVar, sizeof(a_pVar));
}

void ParserBytecode::PushOperator(ECmd a_iCode) {
    MU_ASSERT(m_iStackPos >= 2, "m_iStackPos >= 2");
    --m_iStackPos;
    AppendEntry(a_iCode, 2);
}

void ParserBytecode::PushAssignment(double* a_pVar) {
    MU_ASSERT(m_iStackPos >= 2, "m_iStackPos >= 2");
    --m_iStackPos;
    word_type* pEntry = AppendEntry(cmASSIGN, 2 + m_iPtrWords);
    std::memcpy(pEntry + 2, &a_pVar, sizeof(a_pVar));
}

void ParserBytecode::PushFunction(GenericFun a_pFun, int a_iArgc) {
    const std::int64_t iArgs = a_iArgc >= 0 ? a_iArgc : -static_cast<std::int64_t>(a_iArgc);
    MU_ASSERT(iArgs <= m_iStackPos, "m_iStackPos >= a_iArgc");
    m_iStackPos = static_cast<std::uint32_t>(m_iStackPos - iArgs + 1);
    UpdateMax();
    word_type* pEntry = AppendEntry(cmFUNC, 3 + m_iPtrWords);
    pEntry[2] = static_cast<word_type>(a_iArgc);
    std::memcpy(pEntry + 3, &a_pFun, sizeof(a_pFun));
}

void ParserBytecode::PushStringFunction(GenericFun a_pFun, int a_iArgc, std::size_t a_iStrIdx) {
    MU_ASSERT(a_iArgc >= 0 && static_cast<std::uint32_t>(a_iArgc) <= m_iStackPos,
              "m_iStackPos >= a_iArgc");
    m_iStackPos = m_iStackPos - static_cast<std::uint32_t>(a_iArgc) + 1;
    word_type* pEntry = AppendEntry(cmSTRFUNC, 4 + m_iPtrWords);
    pEntry[2] = static_cast<word_type>(a_iArgc);
    pEntry[3] = static_cast<word_type>(a_iStrIdx);
    UpdateMax();
    std::memcpy(pEntry + 4, &a_pFun, sizeof(a_pFun));
}

void ParserBytecode::DropValues(unsigned a_iNumber) {
    const std::size_t iSize = static_cast<std::size_t>(a_iNumber) * m_iValEntryWords;
    MU_ASSERT(m_vBase.size() >= iSize, "m_vBase.size() >= iSize");
    m_vBase.resize(m_vBase.size() - iSize);
    MU_ASSERT(m_iStackPos >= a_iNumber, "m_iStackPos >= a_iNumber");
    m_iStackPos -= a_iNumber;
}

void ParserBytecode::Seal() {
    m_vBase.push_back(cmEND);
    m_vBase.push_back(cmEND);
}

void ParserBytecode::Clear() {
    m_vBase.clear();
    m_iStackPos = 0;
    m_iMaxStackPos = 0;
}

const ParserBytecode::word_type* ParserBytecode::Code() const {
    MU_ASSERT(m_vBase.size(), "m_vBase.size()");
    return m_vBase.data();
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
    if (m_vBase.empty()) {
        a_Stream << "No bytecode available\n" << std::flush;
        return;
    }
    const std::ios_base::fmtflags iFlags = a_Stream.flags();
    a_Stream << std::dec << "Entries:" << m_vBase.size() << " (ValSize:" << m_iValWords
             << " entries, PtrSize:" << m_iPtrWords << " entries, MapSize:" << sizeof(word_type)
             << " byte)\n";
    std::size_t i = 0;
    while (i + 2 <= m_vBase.size() && m_vBase[i + 1] != cmEND) {
        const int iWords = EntryWords(m_vBase[i + 1]);
        if (iWords > 0 && i + static_cast<std::size_t>(iWords) > m_vBase.size()) {
            break;
        }
        DumpEntry(a_Stream, &m_vBase[i]);
        i += static_cast<std::size_t>(iWords > 0 ? iWords : 2);
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
