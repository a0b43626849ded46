// The functions of whole numbers: greatest common divisor, least common multiple, combinations
// and permutations.
#include "BuiltinFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mu {

namespace {

bool IsWhole(double a_fVal) {
    return std::isfinite(a_fVal) && a_fVal == std::trunc(a_fVal);
}

// Below this, n fits an unsigned 64-bit integer and a factor of the exact products.
constexpr double c_fExactLimit = 9223372036854775808.0; // 2^63

__extension__ typedef unsigned __int128 Wide;
constexpr Wide c_iWideMax = ~Wide{0};

// The product of the factors a_fFirst, a_fFirst + 1, ... (a_iCount of them), each divided by its
// position 1, 2, ... when a_bDivide is set: the binomial coefficient C(first + count - 1, count)
// then, otherwise first * ... * (first + count - 1). Each partial result is a whole number, so
// the integer steps are exact; once one would overflow 128 bits the rest is multiplied in double
// arithmetic, where the result is far beyond 2^53 anyway.
double RisingProduct(double a_fFirst, double a_fCount, bool a_bDivide) {
    Wide iProduct = 1;
    double fIndex = 1;
    if (a_fFirst + a_fCount < c_fExactLimit) {
        const Wide iFirst = static_cast<Wide>(a_fFirst);
        for (; fIndex <= a_fCount; ++fIndex) {
            const Wide iFactor = iFirst + static_cast<Wide>(fIndex) - 1;
            if (iProduct > c_iWideMax / iFactor) {
                break;
            }
            iProduct *= iFactor;
            if (a_bDivide) {
                iProduct /= static_cast<Wide>(fIndex);
            }
        }
    }
    double fProduct = static_cast<double>(iProduct);
    // The factors are at least 1 and grow, so the product becomes infinite within about a
    // thousand steps however large the count.
    for (; fIndex <= a_fCount && !std::isinf(fProduct); ++fIndex) {
        fProduct *= a_fFirst + fIndex - 1;
        if (a_bDivide) {
            fProduct /= fIndex;
        }
    }
    return fProduct;
}

} // namespace

// Euclid's algorithm on doubles: fmod is exact, so every step is.
double Gcd(double a_fA, double a_fB) {
    if (!IsWhole(a_fA) || !IsWhole(a_fB)) {
        return std::nan("");
    }
    double fA = std::fabs(a_fA);
    double fB = std::fabs(a_fB);
    while (fB != 0) {
        const double fRest = std::fmod(fA, fB);
        fA = fB;
        fB = fRest;
    }
    return fA;
}

// a / gcd(a, b) is exact (it has no more significant bits than a), so only the last product
// rounds.
double Lcm(double a_fA, double a_fB) {
    if (!IsWhole(a_fA) || !IsWhole(a_fB)) {
        return std::nan("");
    }
    if (a_fA == 0 || a_fB == 0) {
        return 0;
    }
    return std::fabs(a_fA / Gcd(a_fA, a_fB) * a_fB);
}

double NCr(double a_fN, double a_fK) {
    if (!IsWhole(a_fN) || !IsWhole(a_fK) || a_fN < 0) {
        return std::nan("");
    }
    if (a_fK < 0 || a_fK > a_fN) {
        return 0;
    }
    const double fK = std::min(a_fK, a_fN - a_fK);
    // C(n, k) >= C(2k, k) >= 4^k / (2k + 1), beyond the double range for such k.
    if (fK > 1100) {
        return std::numeric_limits<double>::infinity();
    }
    return RisingProduct(a_fN - fK + 1, fK, true);
}

double NPr(double a_fN, double a_fK) {
    if (!IsWhole(a_fN) || !IsWhole(a_fK) || a_fN < 0) {
        return std::nan("");
    }
    if (a_fK < 0 || a_fK > a_fN) {
        return 0;
    }
    return RisingProduct(a_fN - a_fK + 1, a_fK, false);
}

} // namespace mu
