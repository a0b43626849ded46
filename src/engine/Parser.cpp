#include "Parser.h"

#include "BuiltinFunctionTable.h"
#include "BuiltinFunctions.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>

namespace mu {

namespace {

bool IsDigit(char a_c) {
    return a_c >= '0' && a_c <= '9';
}

// White space a number may follow. The line feed is left out: it ends the expression, and
// nothing after it may be read.
bool IsSpace(char a_c) {
    return a_c == ' ' || a_c == '\t' || a_c == '\r' || a_c == '\v' || a_c == '\f';
}

// Length of the literal at a_szText: sign, digits with at most one point, then an exponent mark
// (only after a digit) with its own sign and digits.
int CollectLiteral(const char* a_szText) {
    int i = 0;
    if (a_szText[i] == '+' || a_szText[i] == '-') {
        ++i;
    }
    bool bDigits = false;
    bool bPoint = false;
    for (;; ++i) {
        if (IsDigit(a_szText[i])) {
            bDigits = true;
        } else if (a_szText[i] == '.' && !bPoint) {
            bPoint = true;
        } else {
            break;
        }
    }
    if (bDigits && (a_szText[i] == 'e' || a_szText[i] == 'E')) {
        ++i;
        if (a_szText[i] == '+' || a_szText[i] == '-') {
            ++i;
        }
        while (IsDigit(a_szText[i])) {
            ++i;
        }
    }
    return i;
}

// Powers of ten that a double holds exactly.
constexpr double c_afExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The "C" locale, whatever the process locale says the decimal point is.
locale_t ClassicLocale() {
    static const locale_t s_Locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return s_Locale;
}

// Powers of ten that an x87 extended double holds exactly (up to 10^27, as 5^27 < 2^64); a
// literal of at most 19 digits needs up to 10^19.
constexpr long double c_afExactPow10Long[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                              1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                              1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};

// The value of 16 to 19 digits, where the extended double of the
// x87 unit makes it correctly rounded: the digits (below 2^64) and the power of ten are exact
// there, so the quotient is rounded once to 64 bits. Rounding that to 53 bits gives the correctly
// rounded double unless the quotient lies within one unit of its last place from a point halfway
// between two doubles; those, and machines without that type, are left to the library (false).
bool ConvertLongLiteral(std::uint64_t a_iMantissa, int a_iFraction, double* a_fVal) {
    if constexpr (std::numeric_limits<long double>::digits != 64 ||
                  std::endian::native != std::endian::little) {
        return false;
    } else {
        const long double fQuotient =
            static_cast<long double>(a_iMantissa) / c_afExactPow10Long[a_iFraction];
        // The 64-bit significand of an x87 extended double lies in its first 8 bytes.
        std::uint64_t iSignificand = 0;
        std::memcpy(&iSignificand, &fQuotient, sizeof(iSignificand));
        const std::uint64_t iDropped = iSignificand & 0x7FF;
        if (iDropped >= 0x3FF && iDropped <= 0x401) {
            return false;
        }
        *a_fVal = static_cast<double>(fQuotient);
        return true;
    }
}

// Converts the common literal without the C library, in one pass: a sign, 1 to 19 digits with at
// most one point, and no exponent. Up to 15 digits and 22 after the point, the digits make an
// integer below 2^53 and the power of ten is exact, so one division rounds the value exactly as
// the library's correctly rounded conversion does; longer ones go through ConvertLongLiteral.
// Gives the length read, or 0 for anything else (left to the library), which is then read again
// from its start.
int ReadSimpleLiteral(const char* a_szText, double* a_fVal) {
    int i = 0;
    const bool bNegative = a_szText[0] == '-';
    if (a_szText[0] == '+' || bNegative) {
        ++i;
    }
    std::uint64_t iMantissa = 0;
    int iDigits = 0;
    int iFraction = -1; // digits after the point; -1 while no point was met
    for (;; ++i) {
        const char c = a_szText[i];
        if (IsDigit(c)) {
            if (++iDigits > 19) {
                return 0;
            }
            iMantissa = iMantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (iFraction >= 0) {
                ++iFraction;
            }
        } else if (c == '.' && iFraction < 0) {
            iFraction = 0;
        } else {
            break;
        }
    }
    if (iDigits == 0 || a_szText[i] == 'e' || a_szText[i] == 'E') {
        return 0;
    }
    double fVal = 0;
    if (iDigits <= 15 && iFraction <= 22) {
        fVal = static_cast<double>(iMantissa);
        if (iFraction > 0) {
            fVal /= c_afExactPow10[iFraction];
        }
    } else if (iFraction > 27 ||
               !ConvertLongLiteral(iMantissa, iFraction < 0 ? 0 : iFraction, &fVal)) {
        return 0;
    }
    *a_fVal = bNegative ? -fVal : fVal;
    return i;
}

} // namespace

Parser::Parser() {
    AddValueReader(ReadBasedInteger, c_szBasedIntegerStart);
    AddValueReader(ReadNumber, c_szNumberStart);
    DefineCharacterSets();
    DefineFunctions();
    DefineOperators();
}

void Parser::DefineCharacterSets() {
    SetNameChars("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    SetOperatorChars("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ+-*^/?<>=#!$%&|~'_");
    SetInfixOperatorChars("/+-*^?<>=#!$%&|~'_");
}

// All built-ins are foldable: a call with constant arguments becomes one value at compile time.
void Parser::DefineFunctions() {
    for (const BuiltinFunction& row : BuiltinFunctionTable()) {
        DefineBuiltin(row, row.m_pFun);
    }
}

void Parser::SetAngleUnit(AngleUnit a_eUnit) {
    for (const BuiltinFunction& row : BuiltinFunctionTable()) {
        if (row.m_pDegreeFun != nullptr) {
            DefineBuiltin(row, a_eUnit == AngleUnit::Degrees ? row.m_pDegreeFun : row.m_pFun);
        }
    }
}

void Parser::DefineBuiltin(const BuiltinFunction& a_Row, GenericFun a_pFun) {
    const std::string sName = a_Row.m_szName;
    switch (a_Row.m_iArgc) {
    case 0:
        AddFunction(sName, reinterpret_cast<Fun0>(a_pFun));
        break;
    case 1:
        AddFunction(sName, reinterpret_cast<Fun1>(a_pFun));
        break;
    case 2:
        AddFunction(sName, reinterpret_cast<Fun2>(a_pFun));
        break;
    case 3:
        AddFunction(sName, reinterpret_cast<Fun3>(a_pFun));
        break;
    case 4:
        AddFunction(sName, reinterpret_cast<Fun4>(a_pFun));
        break;
    case 5:
        AddFunction(sName, reinterpret_cast<Fun5>(a_pFun));
        break;
    default:
        AddFunction(sName, reinterpret_cast<FunN>(a_pFun));
        break;
    }
    if (a_Row.m_bCallOnly) {
        SetCallOnly(sName);
    }
    if (a_Row.m_iMostArgs > 0) {
        SetMostArgs(sName, a_Row.m_iMostArgs);
    }
}

// The standard parser defines no named constants: scripts define pi and e as variables.
void Parser::DefineConstants() {}

// "!" after a value is the factorial, fac's function; "!=" stays the comparison, as the reader
// tries the default operators first.
void Parser::DefineOperators() {
    AddInfixOperator("-", UnaryMinus, 4);
    AddPostfixOperator("!", Fac);
}

namespace {

// Any other literal, through the C library: the length read, or 0 when it is no number. Kept out
// of line, so that the common literal pays nothing for the string and the library call.
[[gnu::noinline]] int ReadLibraryLiteral(const char* a_szText, double* a_fVal) {
    const int iLength = CollectLiteral(a_szText);
    if (iLength == 0) {
        return 0;
    }
    const std::string sLiteral(a_szText, static_cast<std::size_t>(iLength));
    char* pEnd = nullptr;
    const int iSavedErrno = errno;
    errno = 0;
    const double fVal = strtod_l(sLiteral.c_str(), &pEnd, ClassicLocale());
    const bool bRangeError = errno == ERANGE;
    errno = iSavedErrno;

    if (pEnd == sLiteral.c_str()) {
        return 0;
    }
    // Overflow and underflow to zero are no numbers; a subnormal result is still the closest
    // double to the text, so it is kept.
    if (bRangeError && (std::isinf(fVal) || fVal == 0)) {
        return 0;
    }
    *a_fVal = fVal;
    return iLength;
}

} // namespace

int Parser::ReadNumber(const char* a_szExpr, int* a_iPos, double* a_fVal) {
    int iSpace = 0;
    while (IsSpace(a_szExpr[iSpace])) {
        ++iSpace;
    }
    int iLength = ReadSimpleLiteral(a_szExpr + iSpace, a_fVal);
    if (iLength == 0) {
        iLength = ReadLibraryLiteral(a_szExpr + iSpace, a_fVal);
        if (iLength == 0) {
            return 0;
        }
    }
    *a_iPos += iSpace + iLength;
    return 1;
}

} // namespace mu
