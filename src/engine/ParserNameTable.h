// NameTable: the table from variable names to values. A script can create a variable per line,
// a million of them, so the table is hashed (one probe sequence instead of a tree descent with a
// name comparison per level) and compact: a 16-byte entry per name, the names' bytes side by side
// in one text, and a 4-byte index slot that also holds a few bits of the name's hash, so that a
// probe passes other names without reading their entries. Entries are kept in insertion order in a
// deque, so a value never moves while the table lives: its address can be handed out as a
// variable's storage.
#ifndef MU_PARSER_NAME_TABLE_H
#define MU_PARSER_NAME_TABLE_H

#include "ParserDef.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mu {

template <typename T> class NameTable {
    struct Entry {
        std::uint32_t m_iKey;    // offset of the name in m_sKeys
        std::uint32_t m_iLength; // c_iErased once the name is taken out
        T m_Value;
    };
    static constexpr std::uint32_t c_iErased = 0xFFFFFFFFu;

public:
    // What an iterator shows: the name and a reference to its value.
    template <typename TValue> struct Item {
        std::string_view first;
        TValue& second;
        const Item* operator->() const { return this; }
    };

    template <typename TTable, typename TValue> class Iterator {
    public:
        Iterator(TTable* a_pTable, std::size_t a_iEntry) : m_pTable(a_pTable), m_iEntry(a_iEntry) {
            SkipErased();
        }
        Item<TValue> operator*() const {
            auto& entry = m_pTable->m_Entries[m_iEntry];
            return {m_pTable->Key(entry), entry.m_Value};
        }
        Item<TValue> operator->() const { return **this; }
        Iterator& operator++() {
            ++m_iEntry;
            SkipErased();
            return *this;
        }
        bool operator==(const Iterator& a_Other) const { return m_iEntry == a_Other.m_iEntry; }
        bool operator!=(const Iterator& a_Other) const { return m_iEntry != a_Other.m_iEntry; }

    private:
        void SkipErased() {
            while (m_iEntry < m_pTable->m_Entries.size() &&
                   m_pTable->m_Entries[m_iEntry].m_iLength == c_iErased) {
                ++m_iEntry;
            }
        }
        TTable* m_pTable;
        std::size_t m_iEntry;
    };
    using iterator = Iterator<NameTable, T>;
    using const_iterator = Iterator<const NameTable, const T>;

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, m_Entries.size()); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_Entries.size()); }

    std::size_t size() const { return m_iSize; }
    bool empty() const { return m_iSize == 0; }

    iterator find(std::string_view a_sName) {
        const std::uint32_t iSlot = Probe(a_sName, Hash(a_sName));
        return iSlot == c_iNone ? end() : iterator(this, EntryOf(m_vIndex[iSlot]));
    }
    const_iterator find(std::string_view a_sName) const {
        const std::uint32_t iSlot = Probe(a_sName, Hash(a_sName));
        return iSlot == c_iNone ? end() : const_iterator(this, EntryOf(m_vIndex[iSlot]));
    }
    // The value of a_sName, or null: the reader's look-up, without an iterator.
    const T* Lookup(std::string_view a_sName) const {
        const std::uint32_t iSlot = Probe(a_sName, Hash(a_sName));
        return iSlot == c_iNone ? nullptr : &m_Entries[EntryOf(m_vIndex[iSlot])].m_Value;
    }
    std::size_t count(std::string_view a_sName) const {
        return Probe(a_sName, Hash(a_sName)) == c_iNone ? 0 : 1;
    }
    const T& at(std::string_view a_sName) const {
        const std::uint32_t iSlot = Probe(a_sName, Hash(a_sName));
        if (iSlot == c_iNone) {
            throw std::out_of_range("NameTable::at");
        }
        return m_Entries[EntryOf(m_vIndex[iSlot])].m_Value;
    }

    // The value of a_sName, entered with a_Value when the name is new.
    T& emplace(std::string_view a_sName, const T& a_Value) {
        const std::uint32_t iHash = Hash(a_sName);
        const std::uint32_t iSlot = Probe(a_sName, iHash);
        if (iSlot != c_iNone) {
            return m_Entries[EntryOf(m_vIndex[iSlot])].m_Value;
        }
        return Insert(a_sName, iHash, a_Value);
    }
    void insert_or_assign(std::string_view a_sName, const T& a_Value) {
        emplace(a_sName, a_Value) = a_Value;
    }

    std::size_t erase(std::string_view a_sName) {
        std::uint32_t iSlot = Probe(a_sName, Hash(a_sName));
        if (iSlot == c_iNone) {
            return 0;
        }
        m_Entries[EntryOf(m_vIndex[iSlot])].m_iLength = c_iErased;
        --m_iSize;
        // Backward shift: later members of the probe run move up, so no run has a hole.
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        for (std::uint32_t iNext = (iSlot + 1) & iMask; m_vIndex[iNext] != 0;
             iNext = (iNext + 1) & iMask) {
            const std::uint32_t iHome = Home(Hash(Key(m_Entries[EntryOf(m_vIndex[iNext])])));
            // The entry at iNext may fill the hole unless its home lies cyclically in (hole, next].
            const bool bStays = iSlot <= iNext ? (iHome > iSlot && iHome <= iNext)
                                               : (iHome > iSlot || iHome <= iNext);
            if (!bStays) {
                m_vIndex[iSlot] = m_vIndex[iNext];
                iSlot = iNext;
            }
        }
        m_vIndex[iSlot] = 0;
        return 1;
    }

    void clear() {
        m_Entries.clear();
        m_sKeys.clear();
        m_vIndex.clear();
        m_iSize = 0;
        m_iShift = 32;
    }

private:
    static constexpr std::uint32_t c_iNone = 0xFFFFFFFFu;
    // An index slot: (entry number + 1) << c_iTagBits | the low bits of the name's hash; 0 is a
    // free slot.
    static constexpr unsigned c_iTagBits = 6;
    static constexpr std::uint32_t c_iTagMask = (1u << c_iTagBits) - 1;
    static std::size_t EntryOf(std::uint32_t a_iSlot) { return (a_iSlot >> c_iTagBits) - 1; }
    static std::uint32_t SlotOf(std::size_t a_iEntry, std::uint32_t a_iHash) {
        return static_cast<std::uint32_t>(a_iEntry + 1) << c_iTagBits | (a_iHash & c_iTagMask);
    }

    // FNV-1a over the bytes.
    static std::uint32_t Hash(std::string_view a_sName) {
        std::uint32_t iHash = 2166136261u;
        for (const char c : a_sName) {
            iHash = (iHash ^ static_cast<unsigned char>(c)) * 16777619u;
        }
        return iHash;
    }
    // The slot a hash starts probing at: Fibonacci hashing spreads names that differ only in
    // their last characters.
    std::uint32_t Home(std::uint32_t a_iHash) const {
        return static_cast<std::uint32_t>((a_iHash * 2654435769u) >> m_iShift);
    }
    // Names are short: a loop in place costs less than a library call.
    static bool SameBytes(const char* a_pKey, std::string_view a_sName) {
        for (std::size_t i = 0; i < a_sName.size(); ++i) {
            if (a_pKey[i] != a_sName[i]) {
                return false;
            }
        }
        return true;
    }
    std::string_view Key(const Entry& a_Entry) const {
        return std::string_view(m_sKeys.data() + a_Entry.m_iKey, a_Entry.m_iLength);
    }

    // The index slot holding a_sName, or c_iNone.
    std::uint32_t Probe(std::string_view a_sName, std::uint32_t a_iHash) const {
        if (m_vIndex.empty()) {
            return c_iNone;
        }
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        for (std::uint32_t iSlot = Home(a_iHash);; iSlot = (iSlot + 1) & iMask) {
            const std::uint32_t iValue = m_vIndex[iSlot];
            if (iValue == 0) {
                return c_iNone;
            }
            if ((iValue & c_iTagMask) != (a_iHash & c_iTagMask)) {
                continue;
            }
            const Entry& entry = m_Entries[EntryOf(iValue)];
            if (entry.m_iLength == a_sName.size() &&
                SameBytes(m_sKeys.data() + entry.m_iKey, a_sName)) {
                return iSlot;
            }
        }
    }

    T& Insert(std::string_view a_sName, std::uint32_t a_iHash, const T& a_Value) {
        MU_ASSERT(m_sKeys.size() + a_sName.size() < c_iErased &&
                      m_Entries.size() + 1 < (std::size_t{1} << (32 - c_iTagBits)),
                  "the variable names fit the table");
        // At most three quarters of the slots in use keeps the probe runs short.
        if (4 * (m_Entries.size() + 1) > 3 * m_vIndex.size()) {
            Grow();
        }
        m_Entries.push_back(Entry{static_cast<std::uint32_t>(m_sKeys.size()),
                                  static_cast<std::uint32_t>(a_sName.size()), a_Value});
        m_sKeys.append(a_sName);
        Place(a_iHash, m_Entries.size() - 1);
        ++m_iSize;
        return m_Entries.back().m_Value;
    }

    void Place(std::uint32_t a_iHash, std::size_t a_iEntry) {
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        std::uint32_t iSlot = Home(a_iHash);
        while (m_vIndex[iSlot] != 0) {
            iSlot = (iSlot + 1) & iMask;
        }
        m_vIndex[iSlot] = SlotOf(a_iEntry, a_iHash);
    }

    // Doubles the index and enters every live entry again. Erased entries count towards the
    // load until then, which only makes the index grow a little earlier.
    void Grow() {
        const std::size_t iSlots = m_vIndex.empty() ? 16 : 2 * m_vIndex.size();
        m_vIndex.assign(iSlots, 0);
        m_iShift = 32 - static_cast<unsigned>(std::countr_zero(iSlots));
        for (std::size_t i = 0; i < m_Entries.size(); ++i) {
            if (m_Entries[i].m_iLength != c_iErased) {
                Place(Hash(Key(m_Entries[i])), i);
            }
        }
    }

    std::deque<Entry> m_Entries;
    std::string m_sKeys;
    std::vector<std::uint32_t> m_vIndex; // SlotOf(entry, hash), 0 for a free slot
    std::size_t m_iSize = 0;
    unsigned m_iShift = 32;
};

} // namespace mu

#endif
