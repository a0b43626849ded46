// A small parser of the tests' own on top of mu::ParserBase: the standard character sets, a
// number reader, a few functions of every signature, an infix "-" and "~", a postfix "m" and a
// user binary operator "mod". Results are chosen so that argument order shows in the value.
#ifndef ENGINE_TEST_PARSER_H
#define ENGINE_TEST_PARSER_H

#include "ParserBase.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace enginetest {

inline int g_iNumberReads = 0;       // successful reads of the number reader
inline int g_iTicks = 0;             // calls of the non-foldable "ticks"
inline std::vector<double> g_vLastN; // arguments of the last "args" call
inline std::string g_sLastString;    // string of the last string-function call

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal literals: digits, an optional fraction and an optional exponent; no sign, no hex.
inline int ReadTestNumber(const char* a_szExpr, int* a_iPos, double* a_fVal) {
    const char* pEnd = a_szExpr;
    while (IsDigit(*pEnd)) {
        ++pEnd;
    }
    if (*pEnd == '.') {
        ++pEnd;
        while (IsDigit(*pEnd)) {
            ++pEnd;
        }
    }
    if (pEnd == a_szExpr || (pEnd == a_szExpr + 1 && *a_szExpr == '.')) {
        return 0;
    }
    if (*pEnd == 'e' || *pEnd == 'E') {
        const char* pExp = pEnd + 1;
        if (*pExp == '+' || *pExp == '-') {
            ++pExp;
        }
        if (IsDigit(*pExp)) {
            while (IsDigit(*pExp)) {
                ++pExp;
            }
            pEnd = pExp;
        }
    }
    double fVal = 0;
    const auto [pStop, iErr] = std::from_chars(a_szExpr, pEnd, fVal);
    if (iErr != std::errc() || pStop != pEnd) {
        return 0;
    }
    *a_iPos += static_cast<int>(pEnd - a_szExpr);
    *a_fVal = fVal;
    ++g_iNumberReads;
    return 1;
}

inline double F0() {
    return 42;
}
inline double Ticks() {
    return ++g_iTicks;
}
inline double Sq(double x) {
    return x * x;
}
inline double Sin(double x) {
    return std::sin(x);
}
inline double Sub(double x, double y) {
    return x - y;
}
inline double F3(double a, double b, double c) {
    return a * 100 + b * 10 + c;
}
inline double F4(double a, double b, double c, double d) {
    return a * 1000 + F3(b, c, d);
}
inline double F5(double a, double b, double c, double d, double e) {
    return a * 10000 + F4(b, c, d, e);
}
inline double Sum(const double* a_afArg, int a_iArgc) {
    double fSum = 0;
    for (int i = 0; i < a_iArgc; ++i) {
        fSum += a_afArg[i];
    }
    return fSum;
}
inline double Args(const double* a_afArg, int a_iArgc) {
    g_vLastN.assign(a_afArg, a_afArg + a_iArgc);
    return a_iArgc;
}
inline double StrLen(const char* a_szArg) {
    g_sLastString = a_szArg;
    return static_cast<double>(std::strlen(a_szArg));
}
inline double StrPlus(const char* a_szArg, double x) {
    return StrLen(a_szArg) + x;
}
inline double StrPos(const char* a_szArg, double x, double y) {
    return StrLen(a_szArg) * 100 + x * 10 + y;
}
inline double StrFail(const char* /*a_szArg*/) {
    throw mu::ParserError("refused", -1, "");
}
inline double Neg(double x) {
    return -x;
}
inline double Compl(double x) {
    return -x - 1;
}
inline double Thousand(double x) {
    return x * 1000;
}
inline double Mod(double x, double y) {
    return std::fmod(x, y);
}

class EngineTestParser : public mu::ParserBase {
public:
    EngineTestParser() {
        AddValueReader(ReadTestNumber);
        Init();
    }

    using ParserBase::InstallBytecode;
    using ParserBase::InterpretBytecode;
    using ParserBase::RaiseError;

protected:
    void DefineCharacterSets() override {
        SetNameChars("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
        SetOperatorChars("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ+-*^/?<>=#!$%&|~'_");
        SetInfixOperatorChars("/+-*^?<>=#!$%&|~'_");
    }
    void DefineFunctions() override {
        AddFunction("f0", F0);
        AddFunction("ticks", Ticks, false);
        AddFunction("sq", Sq);
        AddFunction("sin", Sin);
        AddFunction("sub", Sub);
        AddFunction("f3", F3);
        AddFunction("f4", F4);
        AddFunction("f5", F5);
        AddFunction("sum", Sum);
        AddFunction("args", Args);
        AddFunction("strlen", StrLen);
        AddFunction("strplus", StrPlus);
        AddFunction("strpos", StrPos);
        AddFunction("strfail", StrFail);
    }
    void DefineConstants() override {
        AddConstant("c10", 10);
        AddStringConstant("greeting", "hello");
    }
    void DefineOperators() override {
        AddInfixOperator("-", Neg, 4);
        AddInfixOperator("~", Compl, 4);
        AddPostfixOperator("m", Thousand);
        AddOperator("mod", Mod, 4);
    }
};

// Storage for variables the factory creates; addresses stay valid as it grows.
struct VariableStore {
    std::deque<double> m_Values;
    std::vector<std::string> m_Names;

    static double* Create(const char* a_szName, void* a_pStore) {
        auto* pStore = static_cast<VariableStore*>(a_pStore);
        pStore->m_Names.emplace_back(a_szName);
        pStore->m_Values.push_back(0.0);
        return &pStore->m_Values.back();
    }
};

// The error that evaluating a_sExpr raises; fails the test when there is none.
inline mu::ParserError ErrorOf(mu::ParserBase& a_Parser, const std::string& a_sExpr) {
    try {
        a_Parser.SetExpression(a_sExpr);
        a_Parser.Evaluate();
    } catch (const mu::ParserError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for: " << a_sExpr;
    return mu::ParserError(mu::peINTERNAL);
}

// Names the rows of a parameterised table after their name field.
struct RowName {
    template <typename T> std::string operator()(const ::testing::TestParamInfo<T>& a_Row) const {
        return a_Row.param.name;
    }
};

// Same value, NaN included, bit for bit apart from the sign of zero.
inline bool SameValue(double a_fLeft, double a_fRight) {
    return (std::isnan(a_fLeft) && std::isnan(a_fRight)) || a_fLeft == a_fRight;
}

// The same bits, so -0 differs from 0; any two NaNs count as the same value.
inline bool SameBits(double a_fLeft, double a_fRight) {
    if (std::isnan(a_fLeft) && std::isnan(a_fRight)) {
        return true;
    }
    return std::memcmp(&a_fLeft, &a_fRight, sizeof(double)) == 0;
}

} // namespace enginetest

#endif
