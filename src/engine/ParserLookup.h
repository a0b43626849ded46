// Lookup helpers of the token reader, kept by the parser beside the tables they speed up: the
// membership table of a character set, and a filter that answers most "is this name a function?"
// questions without searching the map.
#ifndef MU_PARSER_LOOKUP_H
#define MU_PARSER_LOOKUP_H

#include <array>
#include <cstdint>
#include <string_view>

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

} // namespace mu

#endif
