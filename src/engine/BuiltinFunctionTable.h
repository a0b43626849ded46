// The table of the standard parser's built-in functions: one row per name. The parser defines its
// functions from it, the machine code learns from it which calls it may make directly, and the
// catalogue's tests check against it that every built-in is listed and explained.
#ifndef MU_BUILTIN_FUNCTION_TABLE_H
#define MU_BUILTIN_FUNCTION_TABLE_H

#include "ParserDef.h"

#include <cstdint>
#include <span>

namespace mu {

struct BuiltinFunction {
    const char* m_szName;
    // 0 to 5 doubles, or -1: any number (at least one), passed as an array with its count.
    int m_iArgc;
    // The function, of the type its argument count gives (Fun0 ... Fun5, FunN).
    GenericFun m_pFun;
    // Machine code may call it: it neither throws nor keeps state.
    bool m_bMachineCode;
    // A function only where the next non-blank character is "(": elsewhere the name is an
    // ordinary name, so that scripts which use it as a variable read as they always did.
    bool m_bCallOnly;
    // The same function with its angles in degrees, for a parser set to that unit; null where
    // no angle is involved.
    GenericFun m_pDegreeFun = nullptr;
    // With any number of arguments: the most a call may pass; 0 for no limit.
    int m_iMostArgs = 0;
};

// Every built-in function, in the order the parser defines them.
std::span<const BuiltinFunction> BuiltinFunctionTable();

// Whether a_pFun is a built-in of a_iArgc arguments that machine code may call; any negative
// count stands for a call with an array.
bool IsMachineCodeBuiltin(GenericFun a_pFun, std::int32_t a_iArgc);

} // namespace mu

#endif
