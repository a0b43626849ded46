#include "ParserExecutableMemory.h"

#if MU_MACHINE_CODE
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace mu {

ParserExecutableMemory::~ParserExecutableMemory() {
    Release();
}

#if MU_MACHINE_CODE

std::uint8_t* ParserExecutableMemory::Write(std::size_t a_iSize) {
    if (m_pPages != nullptr && a_iSize <= m_iSize) {
        if (mprotect(m_pPages, m_iSize, PROT_READ | PROT_WRITE) == 0) {
            return m_pPages;
        }
        Release();
        return nullptr;
    }
    Release();
    const long iPage = sysconf(_SC_PAGESIZE);
    const std::size_t iPageSize = iPage > 0 ? static_cast<std::size_t>(iPage) : 4096;
    const std::size_t iSize = (a_iSize + iPageSize - 1) / iPageSize * iPageSize;
    void* pPages = mmap(nullptr, iSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pPages == MAP_FAILED) {
        return nullptr;
    }
    m_pPages = static_cast<std::uint8_t*>(pPages);
    m_iSize = iSize;
    return m_pPages;
}

bool ParserExecutableMemory::Seal() {
    return m_pPages != nullptr && mprotect(m_pPages, m_iSize, PROT_READ | PROT_EXEC) == 0;
}

void ParserExecutableMemory::Release() {
    if (m_pPages != nullptr) {
        munmap(m_pPages, m_iSize);
        m_pPages = nullptr;
        m_iSize = 0;
    }
}

#else

std::uint8_t* ParserExecutableMemory::Write(std::size_t) {
    return nullptr;
}

bool ParserExecutableMemory::Seal() {
    return false;
}

void ParserExecutableMemory::Release() {}

#endif

} // namespace mu
