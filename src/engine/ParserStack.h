// ParserStack: the last-in-first-out stack of the compile pass (operators, values, argument
// counts). Popping an empty stack is reported as an error, never undefined behaviour.
#ifndef MU_PARSER_STACK_H
#define MU_PARSER_STACK_H

#include "ParserDef.h"
#include "ParserError.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace mu {

template <typename T> class ParserStack {
public:
    ParserStack() = default;
    ParserStack(const ParserStack&) = default;
    ParserStack& operator=(const ParserStack&) = default;
    virtual ~ParserStack() = default;

    void push(const T& a_Val) { m_Stack.push_back(a_Val); }
    // A token pushed by move keeps its callback record instead of cloning it.
    void push(T&& a_Val) { m_Stack.push_back(std::move(a_Val)); }

    T pop() {
        Require(1);
        T val = std::move(m_Stack.back());
        m_Stack.pop_back();
        return val;
    }

    // The element a_iDepth places below the top (0: the top), used where it lies; the elements
    // from there up are contiguous. Reaching below the bottom fails like popping an empty stack.
    T& fromTop(std::size_t a_iDepth) {
        Require(a_iDepth + 1);
        return m_Stack[m_Stack.size() - 1 - a_iDepth];
    }

    // Removes the top a_iCount elements without handing them out.
    void drop(std::size_t a_iCount = 1) {
        Require(a_iCount);
        // Shrinking only: erase, unlike resize, carries no code for growing.
        m_Stack.erase(m_Stack.end() - static_cast<std::ptrdiff_t>(a_iCount), m_Stack.end());
    }

    T& top() {
        MU_ASSERT(!m_Stack.empty(), "!m_Stack.empty()");
        return m_Stack.back();
    }
    const T& top() const {
        MU_ASSERT(!m_Stack.empty(), "!m_Stack.empty()");
        return m_Stack.back();
    }

    std::size_t size() const { return m_Stack.size(); }
    bool empty() const { return m_Stack.empty(); }
    // Empties the stack but keeps its storage, for a stack reused from one pass to the next.
    void clear() { m_Stack.clear(); }
    void reserve(std::size_t a_iCount) { m_Stack.reserve(a_iCount); }
    // Empties the stack and gives its storage back.
    void release() { std::vector<T>().swap(m_Stack); }

private:
    void Require(std::size_t a_iCount) const {
        if (m_Stack.size() < a_iCount) {
            throw ParserError("stack is empty.", -1, std::string());
        }
    }

    std::vector<T> m_Stack;
};

} // namespace mu

#endif
