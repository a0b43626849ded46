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

    T pop() {
        if (m_Stack.empty()) {
            throw ParserError("stack is empty.", -1, std::string());
        }
        T val = std::move(m_Stack.back());
        m_Stack.pop_back();
        return val;
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

private:
    std::vector<T> m_Stack;
};

} // namespace mu

#endif
