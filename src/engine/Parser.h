// Parser: the standard expression engine the application creates. It gives the base its
// character sets, the number reader, the 39 built-in functions and the prefix minus; binary
// operators, brackets, variables, compilation and evaluation are the base's.
#ifndef MU_PARSER_H
#define MU_PARSER_H

#include "ParserBase.h"

namespace mu {

class Parser : public ParserBase {
public:
    Parser();

    // Reads a numeric literal at a_szExpr in the "C" locale, whatever the process locale:
    //   [white space except line feed] [+|-] digits with at most one '.' [(e|E) [+|-] digits]
    // The exponent mark counts only after a mantissa digit. All collected characters are
    // consumed even where the conversion stops early ("1e+" reads 1 and uses 3 characters).
    // Fails, changing nothing, when no digit converts or the value overflows or underflows to
    // zero; subnormal values are accepted. No hexadecimal, no inf, no nan.
    static int ReadNumber(const char* a_szExpr, int* a_iPos, double* a_fVal);
    // Every byte a literal ReadNumber accepts may start with; the reader skips it elsewhere.
    static constexpr const char* c_szNumberStart = " \t\r\v\f+-.0123456789";

protected:
    void DefineCharacterSets() override;
    void DefineFunctions() override;
    void DefineConstants() override;
    void DefineOperators() override;
};

} // namespace mu

#endif
