#ifndef MU_BUILTIN_FUNCTIONS_H
#define MU_BUILTIN_FUNCTIONS_H

// The numeric built-in functions of the standard parser, as plain functions of
// doubles so that they can be registered as callbacks and tested directly.
// None of them fails: domain and range problems give NaN or an infinity.
// The date functions are in DateFunctions.h.

namespace mu {

// Trigonometric and hyperbolic functions of the C library (radians).
double Sin(double a_fVal);
double Cos(double a_fVal);
double Tan(double a_fVal);
double ASin(double a_fVal);
double ACos(double a_fVal);
double ATan(double a_fVal);
double Sinh(double a_fVal);
double Cosh(double a_fVal);
double Tanh(double a_fVal);
// The library's inverse hyperbolics: accurate for tiny and huge arguments,
// where log(x + sqrt(x*x + 1)) and its kin cancel or overflow.
double ASinh(double a_fVal);
double ACosh(double a_fVal);
double ATanh(double a_fVal);

// Logarithms and powers. "log" is the base-10 logarithm, "ln" the natural one.
double Log2(double a_fVal);
double Log10(double a_fVal);
double Ln(double a_fVal);
double Exp(double a_fVal);
double Sqrt(double a_fVal);
double Pow(double a_fBase, double a_fExponent);

// -1, 0 or 1; 0 for NaN as well.
double Sign(double a_fVal);
// Nearest integer, halves toward +infinity (2.5 -> 3, -2.5 -> -2).
double Rint(double a_fVal);
double Abs(double a_fVal);
// The prefix minus.
double UnaryMinus(double a_fVal);
// a_fThen when a_fCond is not 0 (NaN counts as not 0), else a_fElse.
double If(double a_fCond, double a_fThen, double a_fElse);

// Functions of any number of arguments (a_iArgc >= 1, guaranteed by the
// compiler). Min and Max compare with < and >, so a leading NaN wins and a
// later NaN is passed over.
double Sum(const double* a_afArg, int a_iArgc);
double Avg(const double* a_afArg, int a_iArgc);
double Min(const double* a_afArg, int a_iArgc);
double Max(const double* a_afArg, int a_iArgc);

// Factorial of the integer part: 1 for parts <= 0, +infinity from 171 on,
// NaN for NaN.
double Fac(double a_fVal);
double Degrees(double a_fRadians);
double Radians(double a_fDegrees);

} // namespace mu

#endif // MU_BUILTIN_FUNCTIONS_H
