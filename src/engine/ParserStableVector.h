// StableVector: a growing array whose elements never move, in chunks of equal size, so that
// reaching an element by its number is a shift and a mask (a deque divides by its block size
// and walks its map). Only what NameTable needs: append, index, clear.
#ifndef MU_PARSER_STABLE_VECTOR_H
#define MU_PARSER_STABLE_VECTOR_H

#include <cstddef>
#include <memory>
#include <vector>

namespace mu {

template <typename T> class StableVector {
    static constexpr unsigned c_iShift = 8;
    static constexpr std::size_t c_iChunk = std::size_t{1} << c_iShift;
    static constexpr std::size_t c_iMask = c_iChunk - 1;

public:
    StableVector() = default;
    StableVector(const StableVector& a_Other) { Append(a_Other); }
    StableVector& operator=(const StableVector& a_Other) {
        if (this != &a_Other) {
            clear();
            Append(a_Other);
        }
        return *this;
    }
    StableVector(StableVector&& a_Other) noexcept
        : m_vChunks(std::move(a_Other.m_vChunks)), m_iSize(a_Other.m_iSize) {
        a_Other.m_iSize = 0;
    }
    StableVector& operator=(StableVector&& a_Other) noexcept {
        m_vChunks = std::move(a_Other.m_vChunks);
        m_iSize = a_Other.m_iSize;
        a_Other.m_iSize = 0;
        return *this;
    }

    std::size_t size() const { return m_iSize; }
    T& operator[](std::size_t a_i) { return m_vChunks[a_i >> c_iShift][a_i & c_iMask]; }
    const T& operator[](std::size_t a_i) const { return m_vChunks[a_i >> c_iShift][a_i & c_iMask]; }
    T& back() { return (*this)[m_iSize - 1]; }

    void push_back(const T& a_Value) {
        if ((m_iSize >> c_iShift) == m_vChunks.size()) {
            m_vChunks.push_back(std::make_unique_for_overwrite<T[]>(c_iChunk));
        }
        (*this)[m_iSize] = a_Value;
        ++m_iSize;
    }
    // Keeps the first chunk for the next entries.
    void clear() {
        if (m_vChunks.size() > 1) {
            m_vChunks.resize(1);
        }
        m_iSize = 0;
    }

private:
    void Append(const StableVector& a_Other) {
        for (std::size_t i = 0; i < a_Other.m_iSize; ++i) {
            push_back(a_Other[i]);
        }
    }

    std::vector<std::unique_ptr<T[]>> m_vChunks;
    std::size_t m_iSize = 0;
};

} // namespace mu

#endif
