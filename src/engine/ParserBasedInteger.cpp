// The reader of whole numbers in base 16, 2 and 8: 0x1F, 0b1011, 0o17.
#include "Parser.h"

#include <cmath>
#include <cstdint>

namespace mu {

namespace {

bool IsSpace(char a_c) {
    return a_c == ' ' || a_c == '\t' || a_c == '\r' || a_c == '\v' || a_c == '\f';
}

// A character that would make the literal run on: any name character, or a point.
bool ContinuesLiteral(char a_c) {
    return (a_c >= '0' && a_c <= '9') || (a_c >= 'a' && a_c <= 'z') || (a_c >= 'A' && a_c <= 'Z') ||
           a_c == '_' || a_c == '.';
}

int DigitValue(char a_c) {
    if (a_c >= '0' && a_c <= '9') {
        return a_c - '0';
    }
    if (a_c >= 'a' && a_c <= 'f') {
        return a_c - 'a' + 10;
    }
    if (a_c >= 'A' && a_c <= 'F') {
        return a_c - 'A' + 10;
    }
    return -1;
}

// Whether a_szText starts with one of the default operators spelt with letters ("or", "xor").
bool StartsWordOperator(const char* a_szText) {
    for (const char* const* pOprt = ParserBase::c_aszDefaultOprt; *pOprt != nullptr; ++pOprt) {
        const char* szOprt = *pOprt;
        if (szOprt[0] < 'a' || szOprt[0] > 'z') {
            continue;
        }
        int i = 0;
        while (szOprt[i] != '\0' && a_szText[i] == szOprt[i]) {
            ++i;
        }
        if (szOprt[i] == '\0') {
            return true;
        }
    }
    return false;
}

// The bits of a number, the first 64 significant ones kept exactly and the rest summed up in
// a count and a sticky bit, which is all a correctly rounded conversion needs.
class BitCollector {
public:
    void Add(unsigned a_iDigit, int a_iBits) {
        for (int i = a_iBits - 1; i >= 0; --i) {
            const unsigned iBit = (a_iDigit >> i) & 1U;
            if ((m_iTop >> 63) == 0) {
                m_iTop = (m_iTop << 1) | iBit;
            } else {
                m_iSticky |= iBit;
                ++m_iDropped;
            }
        }
    }
    // 64 bits hold 11 below a double's last place, so the sticky bit in the lowest of them
    // breaks every tie the dropped bits would break.
    double Value() const { return std::ldexp(static_cast<double>(m_iTop | m_iSticky), m_iDropped); }

private:
    std::uint64_t m_iTop = 0;
    std::uint64_t m_iSticky = 0;
    int m_iDropped = 0;
};

} // namespace

int Parser::ReadBasedInteger(const char* a_szExpr, int* a_iPos, double* a_fVal) {
    int i = 0;
    while (IsSpace(a_szExpr[i])) {
        ++i;
    }
    if (a_szExpr[i] != '0') {
        return 0;
    }
    int iBits = 0;
    switch (a_szExpr[i + 1]) {
    case 'x':
    case 'X':
        iBits = 4;
        break;
    case 'b':
    case 'B':
        iBits = 1;
        break;
    case 'o':
    case 'O':
        iBits = 3;
        break;
    default:
        return 0;
    }
    if (StartsWordOperator(a_szExpr + i + 1)) {
        return 0;
    }
    i += 2;
    const int iFirstDigit = i;
    BitCollector bits;
    for (;; ++i) {
        const int iDigit = DigitValue(a_szExpr[i]);
        if (iDigit < 0 || iDigit >= (1 << iBits)) {
            break;
        }
        bits.Add(static_cast<unsigned>(iDigit), iBits);
    }
    const double fVal = bits.Value();
    if (i == iFirstDigit || ContinuesLiteral(a_szExpr[i]) || std::isinf(fVal)) {
        while (ContinuesLiteral(a_szExpr[i])) {
            ++i;
        }
        *a_iPos += i;
        return -1;
    }
    *a_iPos += i;
    *a_fVal = fVal;
    return 1;
}

} // namespace mu
