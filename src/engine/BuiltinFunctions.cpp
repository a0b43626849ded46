#include "BuiltinFunctions.h"

#include "ParserDef.h"

#include <cmath>

namespace mu {

namespace {
// The value of pi the conversions have always used; kept literally so that
// degrees and radians give the same digits as before.
constexpr double kPi = 3.141592653589793;
} // namespace

double Sin(double a_fVal) {
    return std::sin(a_fVal);
}
double Cos(double a_fVal) {
    return std::cos(a_fVal);
}
double Tan(double a_fVal) {
    return std::tan(a_fVal);
}
double ASin(double a_fVal) {
    return std::asin(a_fVal);
}
double ACos(double a_fVal) {
    return std::acos(a_fVal);
}
double ATan(double a_fVal) {
    return std::atan(a_fVal);
}
double Sinh(double a_fVal) {
    return std::sinh(a_fVal);
}
double Cosh(double a_fVal) {
    return std::cosh(a_fVal);
}
double Tanh(double a_fVal) {
    return std::tanh(a_fVal);
}
double ASinh(double a_fVal) {
    return std::asinh(a_fVal);
}
double ACosh(double a_fVal) {
    return std::acosh(a_fVal);
}
double ATanh(double a_fVal) {
    return std::atanh(a_fVal);
}

double Log2(double a_fVal) {
    return std::log2(a_fVal);
}
double Log10(double a_fVal) {
    return std::log10(a_fVal);
}
double Ln(double a_fVal) {
    return std::log(a_fVal);
}
double Exp(double a_fVal) {
    return std::exp(a_fVal);
}
// The library call also raises the domain signal for negative arguments.
double Sqrt(double a_fVal) {
    return std::sqrt(a_fVal);
}
double Pow(double a_fBase, double a_fExponent) {
    return Power(a_fBase, a_fExponent);
}

double Sign(double a_fVal) {
    if (a_fVal < 0) {
        return -1;
    }
    if (a_fVal > 0) {
        return 1;
    }
    return 0;
}

double Rint(double a_fVal) {
    // x - floor(x) is exact for every finite double, unlike x + 0.5, which
    // rounds 0.49999999999999994 up to 1. For infinities the difference is
    // NaN, the test fails and floor's infinity is returned.
    // Adding +0 turns the floor of -0 into +0, as floor(x + 0.5) gives.
    const double fFloor = std::floor(a_fVal);
    return (a_fVal - fFloor >= 0.5) ? fFloor + 1 : fFloor + 0.0;
}

double Abs(double a_fVal) {
    return std::fabs(a_fVal);
}

double UnaryMinus(double a_fVal) {
    return -a_fVal;
}

double If(double a_fCond, double a_fThen, double a_fElse) {
    return (a_fCond != 0) ? a_fThen : a_fElse;
}

// Starts from the first argument rather than from 0, so that a negative zero survives.
double Sum(const double* a_afArg, int a_iArgc) {
    double fSum = a_afArg[0];
    for (int i = 1; i < a_iArgc; ++i) {
        fSum += a_afArg[i];
    }
    return fSum;
}

double Avg(const double* a_afArg, int a_iArgc) {
    return Sum(a_afArg, a_iArgc) / a_iArgc;
}

double Min(const double* a_afArg, int a_iArgc) {
    double fMin = a_afArg[0];
    for (int i = 1; i < a_iArgc; ++i) {
        if (a_afArg[i] < fMin) {
            fMin = a_afArg[i];
        }
    }
    return fMin;
}

double Max(const double* a_afArg, int a_iArgc) {
    double fMax = a_afArg[0];
    for (int i = 1; i < a_iArgc; ++i) {
        if (a_afArg[i] > fMax) {
            fMax = a_afArg[i];
        }
    }
    return fMax;
}

double Fac(double a_fVal) {
    if (std::isnan(a_fVal)) {
        return a_fVal;
    }
    const double fLast = std::trunc(a_fVal);
    double fProduct = 1;
    // Stops once the product is infinite (from 171 on), so huge arguments
    // cost no more than 171 steps.
    for (double f = 2; f <= fLast && !std::isinf(fProduct); ++f) {
        fProduct *= f;
    }
    return fProduct;
}

namespace {

// The library's roots may miss a whole root by an ulp (cbrt(27) is 3.0000000000000004); the
// nearest whole number is the root when its power gives x back.
double WholeRootOr(double a_fRoot, double a_fVal, double a_fN) {
    const double fWhole = std::nearbyint(a_fRoot);
    if (fWhole != a_fRoot && std::pow(fWhole, a_fN) == a_fVal) {
        return fWhole;
    }
    return a_fRoot;
}

} // namespace

double Cbrt(double a_fVal) {
    return WholeRootOr(std::cbrt(a_fVal), a_fVal, 3);
}

double Root(double a_fVal, double a_fN) {
    if (std::isnan(a_fVal) || !std::isfinite(a_fN) || a_fN != std::trunc(a_fN) || a_fN == 0) {
        return std::nan("");
    }
    if (a_fN < 0) {
        return 1 / Root(a_fVal, -a_fN);
    }
    if (a_fN == 1) {
        return a_fVal;
    }
    if (a_fN == 2) {
        return std::sqrt(a_fVal);
    }
    if (a_fN == 3) {
        return Cbrt(a_fVal);
    }
    if (a_fVal < 0) {
        return std::fmod(a_fN, 2) == 1 ? -Root(-a_fVal, a_fN) : std::nan("");
    }
    // The reciprocal of n is rounded, which pow's result magnifies by log(x); one Newton step
    // takes the root back to within about an ulp.
    double fRoot = std::pow(a_fVal, 1 / a_fN);
    const double fPower = std::pow(fRoot, a_fN);
    if (std::isfinite(fPower) && fPower != 0) {
        fRoot -= fRoot * (fPower - a_fVal) / (a_fN * fPower);
    }
    return WholeRootOr(fRoot, a_fVal, a_fN);
}

double Exp2(double a_fVal) {
    return std::exp2(a_fVal);
}
double Log1p(double a_fVal) {
    return std::log1p(a_fVal);
}
double Expm1(double a_fVal) {
    return std::expm1(a_fVal);
}
double Hypot(double a_fX, double a_fY) {
    return std::hypot(a_fX, a_fY);
}

double ATan2(double a_fY, double a_fX) {
    return std::atan2(a_fY, a_fX);
}
double Sec(double a_fVal) {
    return 1 / std::cos(a_fVal);
}
double Csc(double a_fVal) {
    return 1 / std::sin(a_fVal);
}
double Cot(double a_fVal) {
    return 1 / std::tan(a_fVal);
}

double Erf(double a_fVal) {
    return std::erf(a_fVal);
}
double Erfc(double a_fVal) {
    return std::erfc(a_fVal);
}
double Gamma(double a_fVal) {
    return std::tgamma(a_fVal);
}

double Clamp(double a_fVal, double a_fLow, double a_fHigh) {
    if (std::isnan(a_fVal) || std::isnan(a_fLow) || std::isnan(a_fHigh) || a_fLow > a_fHigh) {
        return std::nan("");
    }
    if (a_fVal < a_fLow) {
        return a_fLow;
    }
    return a_fVal > a_fHigh ? a_fHigh : a_fVal;
}

double Degrees(double a_fRadians) {
    return (180.0 * a_fRadians) / kPi;
}
double Radians(double a_fDegrees) {
    return (kPi * a_fDegrees) / 180.0;
}

} // namespace mu
