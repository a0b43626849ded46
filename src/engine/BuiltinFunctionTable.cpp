#include "BuiltinFunctionTable.h"

#include "BuiltinFunctions.h"
#include "DateFunctions.h"
#include "DegreeFunctions.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <type_traits>
#include <utility>

namespace mu {

namespace {

template <typename TFun> constexpr int ArgumentCount() {
    if constexpr (std::is_same_v<TFun, Fun0>) {
        return 0;
    } else if constexpr (std::is_same_v<TFun, Fun1>) {
        return 1;
    } else if constexpr (std::is_same_v<TFun, Fun2>) {
        return 2;
    } else if constexpr (std::is_same_v<TFun, Fun3>) {
        return 3;
    } else if constexpr (std::is_same_v<TFun, Fun4>) {
        return 4;
    } else if constexpr (std::is_same_v<TFun, Fun5>) {
        return 5;
    } else {
        static_assert(std::is_same_v<TFun, FunN>, "a numeric function");
        return -1;
    }
}

// The argument count follows from the function's type, so a row cannot state a wrong one.
template <typename TFun>
BuiltinFunction Row(const char* a_szName, TFun a_pFun, bool a_bMachineCode = true) {
    return {a_szName, ArgumentCount<TFun>(), reinterpret_cast<GenericFun>(a_pFun), a_bMachineCode,
            false};
}
// A function added after the first vocabulary: a name only before "(". One of any number of
// arguments may have a most (round: one or two).
template <typename TFun>
BuiltinFunction CallOnlyRow(const char* a_szName, TFun a_pFun, int a_iMostArgs = 0) {
    BuiltinFunction row = Row(a_szName, a_pFun);
    row.m_bCallOnly = true;
    row.m_iMostArgs = a_iMostArgs;
    return row;
}

// A trigonometric function and its variant in degrees, of the same argument count.
template <typename TFun>
BuiltinFunction AngleRow(const char* a_szName, TFun a_pFun, TFun a_pDegreeFun, bool a_bCallOnly) {
    BuiltinFunction row = Row(a_szName, a_pFun);
    row.m_bCallOnly = a_bCallOnly;
    row.m_pDegreeFun = reinterpret_cast<GenericFun>(a_pDegreeFun);
    return row;
}

// The date functions go through Qt's date and text classes: no direct calls from machine code.
constexpr bool c_bDate = false;

// The rows, in a static array of their own count, which asks nothing of the heap.
const auto& Rows() {
    static const std::array s_aTable = {
        AngleRow("sin", Sin, SinDeg, false),
        AngleRow("cos", Cos, CosDeg, false),
        AngleRow("tan", Tan, TanDeg, false),
        AngleRow("asin", ASin, ASinDeg, false),
        AngleRow("acos", ACos, ACosDeg, false),
        AngleRow("atan", ATan, ATanDeg, false),
        Row("sinh", Sinh),
        Row("cosh", Cosh),
        Row("tanh", Tanh),
        Row("asinh", ASinh),
        Row("acosh", ACosh),
        Row("atanh", ATanh),
        Row("log2", Log2),
        Row("log10", Log10),
        Row("log", Log10),
        Row("ln", Ln),
        Row("exp", Exp),
        Row("sqrt", Sqrt),
        Row("sign", Sign),
        Row("rint", Rint),
        Row("abs", Abs),
        Row("if", If),
        Row("sum", Sum),
        Row("avg", Avg),
        Row("min", Min),
        Row("max", Max),
        Row("pow", Pow),
        Row("fac", Fac),
        Row("degrees", Degrees),
        Row("radians", Radians),
        Row("datevalue", DateValue, c_bDate),
        Row("daydiff", DayDiff, c_bDate),
        Row("monthdiff", MonthDiff, c_bDate),
        Row("yeardiff", YearDiff, c_bDate),
        Row("today", Today, c_bDate),
        Row("dayadd", DayAdd, c_bDate),
        Row("monthadd", MonthAdd, c_bDate),
        Row("yearadd", YearAdd, c_bDate),
        Row("days360", Days360, c_bDate),
        CallOnlyRow("round", RoundArgs, 2),
        CallOnlyRow("floor", Floor),
        CallOnlyRow("ceil", Ceil),
        CallOnlyRow("trunc", Trunc),
        CallOnlyRow("frac", Frac),
        CallOnlyRow("mod", Mod),
        CallOnlyRow("cbrt", Cbrt),
        CallOnlyRow("root", Root),
        CallOnlyRow("exp2", Exp2),
        CallOnlyRow("log1p", Log1p),
        CallOnlyRow("expm1", Expm1),
        CallOnlyRow("hypot", Hypot),
        AngleRow("atan2", ATan2, ATan2Deg, true),
        AngleRow("sec", Sec, SecDeg, true),
        AngleRow("csc", Csc, CscDeg, true),
        AngleRow("cot", Cot, CotDeg, true),
        CallOnlyRow("erf", Erf),
        CallOnlyRow("erfc", Erfc),
        CallOnlyRow("gamma", Gamma),
        CallOnlyRow("gcd", Gcd),
        CallOnlyRow("lcm", Lcm),
        CallOnlyRow("ncr", NCr),
        CallOnlyRow("npr", NPr),
        CallOnlyRow("clamp", Clamp),
    };
    return s_aTable;
}

} // namespace

std::span<const BuiltinFunction> BuiltinFunctionTable() {
    return Rows();
}

bool IsMachineCodeBuiltin(GenericFun a_pFun, std::int32_t a_iArgc) {
    using Key = std::pair<std::uintptr_t, std::int32_t>;
    // Sorted once, so that translating a program with many calls stays cheap; built without the
    // heap, as the first evaluation, which translates, allocates nothing. A row machine code may
    // not call keeps the null address, which no function has.
    static const auto s_aKeys = [] {
        // Two keys a row: the function and its variant in degrees, which cannot throw either.
        std::array<Key, 2 * std::tuple_size_v<std::remove_cvref_t<decltype(Rows())>>> aKeys{};
        std::size_t i = 0;
        for (const BuiltinFunction& row : Rows()) {
            if (row.m_bMachineCode) {
                aKeys[i] = Key(reinterpret_cast<std::uintptr_t>(row.m_pFun), row.m_iArgc);
                if (row.m_pDegreeFun != nullptr) {
                    aKeys[i + 1] =
                        Key(reinterpret_cast<std::uintptr_t>(row.m_pDegreeFun), row.m_iArgc);
                }
            }
            i += 2;
        }
        std::sort(aKeys.begin(), aKeys.end());
        return aKeys;
    }();
    return std::binary_search(
        s_aKeys.begin(), s_aKeys.end(),
        Key(reinterpret_cast<std::uintptr_t>(a_pFun), a_iArgc < 0 ? -1 : a_iArgc));
}

} // namespace mu
