// Lookup helpers of the token reader, kept by the parser beside the tables they speed up: the
// membership table of a character set, and a filter that answers most "is this name a function?"
// questions without searching the map.
#ifndef MU_PARSER_LOOKUP_H
#define MU_PARSER_LOOKUP_H

#include "ParserNameHash.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mu {

// Which bytes belong to a character set: one load per byte instead of a search of the set.
using CharTable = std::array<bool, 256>;

inline CharTable MakeCharTable(std::string_view a_sChars) {
    CharTable table{};
    for (const char c : a_sChars) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}

// Remembers the first byte and the length of every name added. A name whose first byte or
// length no added name has is certainly absent; anything else may be present. Names are never
// taken out: after a removal the filter still says "perhaps", which is only slower.
class NameFilter {
public:
    void Add(std::string_view a_sName) {
        if (!a_sName.empty()) {
            m_aFirst[static_cast<unsigned char>(a_sName[0])] = true;
            m_iLengths |= LengthBit(a_sName.size());
        }
    }
    void Clear() { *this = NameFilter(); }
    bool MayContain(std::string_view a_sName) const {
        return !a_sName.empty() && m_aFirst[static_cast<unsigned char>(a_sName[0])] &&
               (m_iLengths & LengthBit(a_sName.size())) != 0;
    }

private:
    // Lengths from 63 on share the last bit.
    static std::uint64_t LengthBit(std::size_t a_iLength) {
        return std::uint64_t{1} << (a_iLength < 63 ? a_iLength : 63);
    }

    CharTable m_aFirst{};
    std::uint64_t m_iLengths = 0;
};

// A hashed index over the names of an ordered definition table, for looking a name up in place:
// built once after the table changes, then each look-up hashes the name and compares bytes
// instead of walking the tree. The index points into the table, which must stay unchanged while
// it is used.
template <typename T> class NameIndex {
public:
    template <typename TTable> void Build(const TTable& a_Table) {
        std::size_t iSlots = 8;
        while (iSlots < 2 * a_Table.size()) {
            iSlots *= 2;
        }
        m_vSlots.assign(iSlots, Slot{});
        m_iMask = static_cast<std::uint32_t>(iSlots - 1);
        for (const auto& entry : a_Table) {
            const std::uint32_t iHash = Hash(entry.first);
            std::uint32_t iSlot = iHash & m_iMask;
            while (m_vSlots[iSlot].m_pValue != nullptr) {
                iSlot = (iSlot + 1) & m_iMask;
            }
            m_vSlots[iSlot] =
                Slot{entry.first.data(), static_cast<std::uint32_t>(entry.first.size()), iHash,
                     &entry.second};
        }
    }

    const T* Find(std::string_view a_sName) const {
        if (m_vSlots.empty()) {
            return nullptr;
        }
        const std::uint32_t iHash = Hash(a_sName);
        for (std::uint32_t iSlot = iHash & m_iMask;; iSlot = (iSlot + 1) & m_iMask) {
            const Slot& slot = m_vSlots[iSlot];
            if (slot.m_pValue == nullptr) {
                return nullptr;
            }
            if (slot.m_iHash == iHash && slot.m_iLength == a_sName.size() &&
                SameName(slot.m_pName, a_sName)) {
                return slot.m_pValue;
            }
        }
    }

private:
    struct Slot {
        const char* m_pName = nullptr;
        std::uint32_t m_iLength = 0;
        std::uint32_t m_iHash = 0;
        const T* m_pValue = nullptr;
    };

    static std::uint32_t Hash(std::string_view a_sName) { return HashName(a_sName); }

    std::vector<Slot> m_vSlots;
    std::uint32_t m_iMask = 0;
};

} // namespace mu

#endif
