// The hash of a name for the engine's hashed tables, and the comparison of a name found by its
// hash. Names are short, so the bytes are read a word at a time (a name of up to 8 bytes in at
// most two loads) instead of one by one.
#ifndef MU_PARSER_NAME_HASH_H
#define MU_PARSER_NAME_HASH_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mu {

namespace detail {

inline std::uint64_t LoadWord(const char* a_pBytes) {
    std::uint64_t iWord;
    std::memcpy(&iWord, a_pBytes, sizeof iWord);
    return iWord;
}

inline std::uint64_t LoadHalf(const char* a_pBytes) {
    std::uint32_t iHalf;
    std::memcpy(&iHalf, a_pBytes, sizeof iHalf);
    return iHalf;
}

constexpr std::uint64_t c_iHashFactor = 0x9E3779B97F4A7C15u;

} // namespace detail

// Reads only the name's own bytes; every byte and the length take part. The upper half of the
// last product, the best mixed, ends up in the whole result.
inline std::uint32_t HashName(std::string_view a_sName) {
    const char* pBytes = a_sName.data();
    std::size_t iLeft = a_sName.size();
    std::uint64_t iHash = (iLeft + 1) * detail::c_iHashFactor;
    if (iLeft > 8) {
        do {
            iHash = (iHash ^ detail::LoadWord(pBytes)) * detail::c_iHashFactor;
            pBytes += 8;
            iLeft -= 8;
        } while (iLeft > 8);
        // The last word ends at the name's end and may repeat bytes already mixed.
        iHash ^= detail::LoadWord(pBytes + iLeft - 8);
    } else if (iLeft == 8) {
        iHash ^= detail::LoadWord(pBytes);
    } else if (iLeft >= 4) {
        iHash ^= (detail::LoadHalf(pBytes) << 32) | detail::LoadHalf(pBytes + iLeft - 4);
    } else if (iLeft > 0) {
        iHash ^= (std::uint64_t{static_cast<unsigned char>(pBytes[0])} << 16) |
                 (std::uint64_t{static_cast<unsigned char>(pBytes[iLeft / 2])} << 8) |
                 static_cast<unsigned char>(pBytes[iLeft - 1]);
    }
    iHash *= detail::c_iHashFactor;
    return static_cast<std::uint32_t>(iHash >> 32) ^ static_cast<std::uint32_t>(iHash >> 7);
}

// Whether the a_sName.size() bytes at a_pKey are a_sName's. Reads only those bytes.
inline bool SameName(const char* a_pKey, std::string_view a_sName) {
    const char* const pName = a_sName.data();
    const std::size_t iLength = a_sName.size();
    if (iLength >= 4 && iLength <= 8) {
        return detail::LoadHalf(a_pKey) == detail::LoadHalf(pName) &&
               detail::LoadHalf(a_pKey + iLength - 4) == detail::LoadHalf(pName + iLength - 4);
    }
    for (std::size_t i = 0; i < iLength; ++i) {
        if (a_pKey[i] != pName[i]) {
            return false;
        }
    }
    return true;
}

} // namespace mu

#endif
