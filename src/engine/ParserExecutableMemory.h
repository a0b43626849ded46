// ParserExecutableMemory: pages that hold generated machine code. They are never writable and
// executable at once: Write maps them read-write, Seal turns them read-execute. The pages are
// kept when code is written again, and only a larger code maps new ones, so compiling one
// expression after another does not map and unmap every time.
#ifndef MU_PARSER_EXECUTABLE_MEMORY_H
#define MU_PARSER_EXECUTABLE_MEMORY_H

#include <cstddef>
#include <cstdint>

// Machine code is generated for x86-64 Linux, by the compilers whose calling convention it
// follows; elsewhere nothing is generated and the pre-decoded form runs as it is.
#if defined(__x86_64__) && defined(__linux__) && (defined(__GNUC__) || defined(__clang__))
#define MU_MACHINE_CODE 1
#else
#define MU_MACHINE_CODE 0
#endif

namespace mu {

class ParserExecutableMemory {
public:
    ParserExecutableMemory() = default;
    ParserExecutableMemory(const ParserExecutableMemory&) = delete;
    ParserExecutableMemory& operator=(const ParserExecutableMemory&) = delete;
    ~ParserExecutableMemory();

    // At least a_iSize writable bytes (nothing executable) for new code; null when the system
    // refuses them.
    std::uint8_t* Write(std::size_t a_iSize);
    // Makes the written code executable (and no longer writable); false when the system
    // refuses.
    bool Seal();

private:
    void Release();

    std::uint8_t* m_pPages = nullptr;
    std::size_t m_iSize = 0;
};

} // namespace mu

#endif
