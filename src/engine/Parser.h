// Parser: the standard expression engine the application creates. It gives the base its
// character sets, the number readers, the built-in functions of BuiltinFunctionTable, the prefix
// minus and the postfix "!"; binary operators, brackets, variables, compilation and evaluation
// are the base's.
#ifndef MU_PARSER_H
#define MU_PARSER_H

#include "ParserBase.h"

namespace mu {

struct BuiltinFunction;

// The unit of the angles the trigonometric functions take (sin ... cot) and give (asin ... atan2).
enum class AngleUnit { Radians, Degrees };

class Parser : public ParserBase {
public:
    Parser();

    // Defines the trigonometric built-ins for a_eUnit; a new parser works in radians.
    void SetAngleUnit(AngleUnit a_eUnit);

    // Reads a numeric literal at a_szExpr in the "C" locale, whatever the process locale:
    //   [white space except line feed] [+|-] digits with at most one '.' [(e|E) [+|-] digits]
    // The exponent mark counts only after a mantissa digit. All collected characters are
    // consumed even where the conversion stops early ("1e+" reads 1 and uses 3 characters).
    // Fails, changing nothing, when no digit converts or the value overflows or underflows to
    // zero; subnormal values are accepted. No hexadecimal, no inf, no nan.
    static int ReadNumber(const char* a_szExpr, int* a_iPos, double* a_fVal);
    // Every byte a literal ReadNumber accepts may start with; the reader skips it elsewhere.
    static constexpr const char* c_szNumberStart = " \t\r\v\f+-.0123456789";

    // Reads a whole number written in base 16, 2 or 8 at a_szExpr, after the white space that
    // ReadNumber skips: "0x" or "0X" and hexadecimal digits, "0b"/"0B" and binary ones,
    // "0o"/"0O" and octal ones. A value beyond 2^53 is rounded to the nearest double. Returns 0
    // for any other text (a zero followed by a word operator, as in "0or1", is left to the
    // decimal reader as it always was); returns -1 with the bad text's length added to *a_iPos
    // when the prefix is not followed by a digit of its base, or the digits run on into a name
    // character or a point ("0x", "0b2", "0x1.5"), or the value overflows.
    static int ReadBasedInteger(const char* a_szExpr, int* a_iPos, double* a_fVal);
    static constexpr const char* c_szBasedIntegerStart = " \t\r\v\f0";

protected:
    void DefineCharacterSets() override;
    void DefineFunctions() override;
    void DefineConstants() override;
    void DefineOperators() override;

private:
    void DefineBuiltin(const BuiltinFunction& a_Row, GenericFun a_pFun);
};

} // namespace mu

#endif
