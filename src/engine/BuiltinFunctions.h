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
// The "^" operator's own computation, so that pow(x, 2) and x^2 agree bit for bit.
double Pow(double a_fBase, double a_fExponent);

// -1, 0 or 1; 0 for NaN as well.
double Sign(double a_fVal);
// Nearest integer, halves toward +infinity (2.5 -> 3, -2.5 -> -2); a zero result is +0.
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

// Rounding. Round: halves away from zero. Round2 rounds to a_fDigits decimals (a whole number
// in -15..15, else NaN) the decimal text that x shows in its shortest form, halves away from
// zero, so 2.675 gives 2.68 although the double nearest to 2.675 lies below it.
double Round(double a_fVal);
double Round2(double a_fVal, double a_fDigits);
// "round" with one argument or two (the parser refuses a call with more); NaN for more.
double RoundArgs(const double* a_afArg, int a_iArgc);
double Floor(double a_fVal);
double Ceil(double a_fVal);
double Trunc(double a_fVal);
// x - trunc(x).
double Frac(double a_fVal);
// The remainder of fmod: the sign of x.
double Mod(double a_fX, double a_fY);

// Powers and roots.
// The library's cube root, exact where the root is a whole number.
double Cbrt(double a_fVal);
// The real a_fN-th root for a whole, non-zero a_fN: an odd root of a negative x is negative,
// an even one NaN. A root that is a whole number comes out exact.
double Root(double a_fVal, double a_fN);
double Exp2(double a_fVal);
double Log1p(double a_fVal);
double Expm1(double a_fVal);
double Hypot(double a_fX, double a_fY);

// Trigonometry (radians).
double ATan2(double a_fY, double a_fX);
double Sec(double a_fVal);
double Csc(double a_fVal);
double Cot(double a_fVal);

// Special functions of the C library; Gamma is tgamma.
double Erf(double a_fVal);
double Erfc(double a_fVal);
double Gamma(double a_fVal);

// Integer functions of whole arguments (NaN for any other). Exact while the result is below
// 2^53; beyond that the nearest double of the rounded product, or infinity.
double Gcd(double a_fA, double a_fB);
double Lcm(double a_fA, double a_fB);
// Combinations and permutations of k out of n (n >= 0; 0 for k < 0 or k > n).
double NCr(double a_fN, double a_fK);
double NPr(double a_fN, double a_fK);
// x limited to [lo, hi]; NaN when any argument is NaN or lo > hi.
double Clamp(double a_fVal, double a_fLow, double a_fHigh);

} // namespace mu

#endif // MU_BUILTIN_FUNCTIONS_H
