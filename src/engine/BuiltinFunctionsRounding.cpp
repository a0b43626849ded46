// The rounding functions and the remainder.
#include "BuiltinFunctions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace mu {

double Round(double a_fVal) {
    return std::round(a_fVal);
}

// Works on the digits of the shortest text that reads back as x, as a spreadsheet does: the
// user typed 2.675 and expects 2.68, whatever binary fraction stands for it.
double Round2(double a_fVal, double a_fDigits) {
    if (std::isnan(a_fVal) || !(a_fDigits >= -15 && a_fDigits <= 15) ||
        a_fDigits != std::trunc(a_fDigits)) {
        return std::nan("");
    }
    if (!std::isfinite(a_fVal) || a_fVal == 0) {
        return a_fVal;
    }
    // d.ddde[+-]xx: at most 17 digits.
    char acText[32];
    const std::to_chars_result text = std::to_chars(
        acText, acText + sizeof(acText), std::fabs(a_fVal), std::chars_format::scientific);
    char acDigits[20];
    int iDigits = 0;
    const char* p = acText;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            acDigits[iDigits++] = *p;
        }
    }
    int iExponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), text.ptr, iExponent);
    // The digits kept: those down to the place 10^-n.
    const int iDecimals = static_cast<int>(a_fDigits);
    const int iKept = iExponent + 1 + iDecimals;
    if (iKept >= iDigits) {
        return a_fVal;
    }
    if (iKept < 0) {
        return std::copysign(0.0, a_fVal);
    }
    std::uint64_t iMantissa = 0;
    for (int i = 0; i < iKept; ++i) {
        iMantissa = iMantissa * 10 + static_cast<std::uint64_t>(acDigits[i] - '0');
    }
    if (acDigits[iKept] >= '5') {
        ++iMantissa;
    }
    // The kept digits times 10^-n, converted once, so the result is the double nearest to the
    // rounded decimal.
    char acRounded[40];
    const int iLength = std::snprintf(acRounded, sizeof(acRounded), "%llue%d",
                                      static_cast<unsigned long long>(iMantissa), -iDecimals);
    double fRounded = 0;
    std::from_chars(acRounded, acRounded + iLength, fRounded);
    return std::copysign(fRounded, a_fVal);
}

double RoundArgs(const double* a_afArg, int a_iArgc) {
    if (a_iArgc == 1) {
        return Round(a_afArg[0]);
    }
    return a_iArgc == 2 ? Round2(a_afArg[0], a_afArg[1]) : std::nan("");
}

double Floor(double a_fVal) {
    return std::floor(a_fVal);
}
double Ceil(double a_fVal) {
    return std::ceil(a_fVal);
}
double Trunc(double a_fVal) {
    return std::trunc(a_fVal);
}
double Frac(double a_fVal) {
    return a_fVal - std::trunc(a_fVal);
}
double Mod(double a_fX, double a_fY) {
    return std::fmod(a_fX, a_fY);
}

} // namespace mu
