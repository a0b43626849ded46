// NameTable: the table from variable names to values. A script can create a variable per line,
// a million of them, so the table is hashed (one probe sequence instead of a tree descent with a
// name comparison per level) and compact: a 16-byte entry per name, the names' bytes side by side
// in one text, and an 8-byte index slot that also holds the name's hash, so that a probe passes
// other names without reading their entries and growing the index reads neither entries nor names.
// Entries are kept in insertion order in a StableVector, so a value never moves while the table
// lives: its address can be handed out as a variable's storage.
#ifndef MU_PARSER_NAME_TABLE_H
#define MU_PARSER_NAME_TABLE_H

#include "ParserDef.h"
#include "ParserNameHash.h"
#include "ParserStableVector.h"

#include <bit>
#include <cstddef>
#include <cstdint>
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
        const Found found = Probe(a_sName, Hash(a_sName));
        return found.m_bFound ? iterator(this, EntryOf(found.m_iSlot)) : end();
    }
    const_iterator find(std::string_view a_sName) const {
        const Found found = Probe(a_sName, Hash(a_sName));
        return found.m_bFound ? const_iterator(this, EntryOf(found.m_iSlot)) : end();
    }
    // Where a look-up that missed would enter the name, valid while the table stays unchanged:
    // entering the name right after the miss needs neither its hash nor its probe again.
    struct Miss {
        std::uint64_t m_iStamp = ~std::uint64_t{0};
        std::uint32_t m_iHash = 0;
        std::uint32_t m_iSlot = 0;
    };

    // The value of a_sName, or null: the reader's look-up, without an iterator.
    const T* Lookup(std::string_view a_sName) const {
        const Found found = Probe(a_sName, Hash(a_sName));
        return found.m_bFound ? &m_Entries[EntryOf(found.m_iSlot)].m_Value : nullptr;
    }
    // As above; a miss is described in a_Miss.
    const T* Lookup(std::string_view a_sName, Miss& a_Miss) const {
        const std::uint32_t iHash = Hash(a_sName);
        const Found found = Probe(a_sName, iHash);
        if (found.m_bFound) {
            return &m_Entries[EntryOf(found.m_iSlot)].m_Value;
        }
        a_Miss = Miss{m_Stamp.m_iValue, iHash, found.m_iSlot};
        return nullptr;
    }
    std::size_t count(std::string_view a_sName) const {
        return Probe(a_sName, Hash(a_sName)).m_bFound ? 1 : 0;
    }
    const T& at(std::string_view a_sName) const {
        const Found found = Probe(a_sName, Hash(a_sName));
        if (!found.m_bFound) {
            throw std::out_of_range("NameTable::at");
        }
        return m_Entries[EntryOf(found.m_iSlot)].m_Value;
    }

    // The value of a_sName, entered with a_Value when the name is new.
    T& emplace(std::string_view a_sName, const T& a_Value) {
        const std::uint32_t iHash = Hash(a_sName);
        const Found found = Probe(a_sName, iHash);
        if (found.m_bFound) {
            return m_Entries[EntryOf(found.m_iSlot)].m_Value;
        }
        return Insert(a_sName, iHash, found.m_iSlot, a_Value);
    }
    void insert_or_assign(std::string_view a_sName, const T& a_Value) {
        emplace(a_sName, a_Value) = a_Value;
    }
    // The same, for a name that a_Miss describes, a look-up of a_sName that missed; when the
    // table has changed since, as insert_or_assign above.
    void insert_or_assign(std::string_view a_sName, const T& a_Value, const Miss& a_Miss) {
        if (a_Miss.m_iStamp != m_Stamp.m_iValue) {
            insert_or_assign(a_sName, a_Value);
            return;
        }
        Insert(a_sName, a_Miss.m_iHash, a_Miss.m_iSlot, a_Value);
    }

    std::size_t erase(std::string_view a_sName) {
        const Found found = Probe(a_sName, Hash(a_sName));
        if (!found.m_bFound) {
            return 0;
        }
        std::uint32_t iSlot = found.m_iSlot;
        m_Entries[EntryOf(iSlot)].m_iLength = c_iErased;
        --m_iSize;
        // Backward shift: later members of the probe run move up, so no run has a hole.
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        for (std::uint32_t iNext = (iSlot + 1) & iMask; m_vIndex[iNext].m_iEntry != 0;
             iNext = (iNext + 1) & iMask) {
            const std::uint32_t iHome = Home(m_vIndex[iNext].m_iHash);
            // The entry at iNext may fill the hole unless its home lies cyclically in (hole, next].
            const bool bStays = iSlot <= iNext ? (iHome > iSlot && iHome <= iNext)
                                               : (iHome > iSlot || iHome <= iNext);
            if (!bStays) {
                m_vIndex[iSlot] = m_vIndex[iNext];
                iSlot = iNext;
            }
        }
        m_vIndex[iSlot] = Slot{};
        ++m_Stamp.m_iValue;
        return 1;
    }

    void clear() {
        ++m_Stamp.m_iValue;
        m_Entries.clear();
        m_sKeys.clear();
        m_vIndex.clear();
        m_iSize = 0;
        m_iShift = 32;
    }

private:
    // An index slot: the entry's number + 1 (0: a free slot) and its name's hash.
    struct Slot {
        std::uint32_t m_iEntry = 0;
        std::uint32_t m_iHash = 0;
    };
    // Where a probe stopped: at the name's slot, or at the free slot that ends its run.
    struct Found {
        std::uint32_t m_iSlot;
        bool m_bFound;
    };
    static constexpr std::size_t c_iFirstSlots = 16;
    std::size_t EntryOf(std::uint32_t a_iSlot) const { return m_vIndex[a_iSlot].m_iEntry - 1; }

    static std::uint32_t Hash(std::string_view a_sName) { return HashName(a_sName); }
    // The slot a hash starts probing at: Fibonacci hashing spreads names that differ only in
    // their last characters.
    std::uint32_t Home(std::uint32_t a_iHash) const {
        return static_cast<std::uint32_t>((a_iHash * 2654435769u) >> m_iShift);
    }
    std::string_view Key(const Entry& a_Entry) const {
        return std::string_view(m_sKeys.data() + a_Entry.m_iKey, a_Entry.m_iLength);
    }

    // The slot holding a_sName, or the free slot where its probe run ends (not found; the index
    // may be empty).
    Found Probe(std::string_view a_sName, std::uint32_t a_iHash) const {
        if (m_vIndex.empty()) {
            return Found{0, false};
        }
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        for (std::uint32_t iSlot = Home(a_iHash);; iSlot = (iSlot + 1) & iMask) {
            const Slot slot = m_vIndex[iSlot];
            if (slot.m_iEntry == 0) {
                return Found{iSlot, false};
            }
            if (slot.m_iHash != a_iHash) {
                continue;
            }
            const Entry& entry = m_Entries[slot.m_iEntry - 1];
            if (entry.m_iLength == a_sName.size() &&
                SameName(m_sKeys.data() + entry.m_iKey, a_sName)) {
                return Found{iSlot, true};
            }
        }
    }

    // Enters a_sName, which a probe did not find, ending at the free slot a_iFree.
    T& Insert(std::string_view a_sName, std::uint32_t a_iHash, std::uint32_t a_iFree,
              const T& a_Value) {
        MU_ASSERT(m_sKeys.size() + a_sName.size() < c_iErased &&
                      m_Entries.size() + 1 < std::size_t{0xFFFFFFFFu},
                  "the variable names fit the table");
        // At most three quarters of the slots in use keeps the probe runs short.
        if (4 * (m_Entries.size() + 1) > 3 * m_vIndex.size()) {
            Grow();
            a_iFree = FreeSlot(a_iHash);
        }
        m_Entries.push_back(Entry{static_cast<std::uint32_t>(m_sKeys.size()),
                                  static_cast<std::uint32_t>(a_sName.size()), a_Value});
        m_sKeys.append(a_sName);
        m_vIndex[a_iFree] = Slot{static_cast<std::uint32_t>(m_Entries.size()), a_iHash};
        ++m_iSize;
        ++m_Stamp.m_iValue;
        return m_Entries.back().m_Value;
    }

    // The first free slot from a hash's home on.
    std::uint32_t FreeSlot(std::uint32_t a_iHash) const {
        const std::uint32_t iMask = static_cast<std::uint32_t>(m_vIndex.size() - 1);
        std::uint32_t iSlot = Home(a_iHash);
        while (m_vIndex[iSlot].m_iEntry != 0) {
            iSlot = (iSlot + 1) & iMask;
        }
        return iSlot;
    }

    // Doubles the index and enters every slot again, from the hash it holds. Erased entries have
    // no slot but count towards the load, which only makes the index grow a little earlier.
    void Grow() {
        if (m_vIndex.empty()) {
            // The first slots, or those of a cleared table, whose room is still there.
            m_vIndex.assign(c_iFirstSlots, Slot{});
            m_iShift = 32 - static_cast<unsigned>(std::countr_zero(c_iFirstSlots));
            return;
        }
        const std::size_t iSlots = 2 * m_vIndex.size();
        std::vector<Slot> vOld(iSlots);
        vOld.swap(m_vIndex);
        m_iShift = 32 - static_cast<unsigned>(std::countr_zero(iSlots));
        for (const Slot slot : vOld) {
            if (slot.m_iEntry != 0) {
                m_vIndex[FreeSlot(slot.m_iHash)] = slot;
            }
        }
    }

    // Counts the changes of the slots; taking another table's contents counts as one, so that
    // a miss from before never matches.
    struct Stamp {
        std::uint64_t m_iValue = 0;
        Stamp() = default;
        Stamp(const Stamp&) = default;
        Stamp& operator=(const Stamp&) {
            ++m_iValue;
            return *this;
        }
    };

    StableVector<Entry> m_Entries;
    std::string m_sKeys;
    std::vector<Slot> m_vIndex;
    std::size_t m_iSize = 0;
    unsigned m_iShift = 32;
    Stamp m_Stamp;
};

} // namespace mu

#endif
