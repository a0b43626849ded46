#include "DegreeFunctions.h"

#include "BuiltinFunctions.h"

#include <cmath>
#include <limits>

namespace mu {

namespace {

constexpr double c_fInf = std::numeric_limits<double>::infinity();

// An angle of 0 to 90 degrees, with the sign its function's value takes.
struct Reduced {
    double m_fAngle;
    double m_fSign;
};

// a_fDegrees modulo 180 folded into [0, 90]: tan and cot have period 180 and
// are odd, and tan(180 - a) = -tan(a). Every step is exact.
Reduced HalfTurn(double a_fDegrees) {
    double fSign = std::signbit(a_fDegrees) ? -1 : 1;
    double fAngle = std::fmod(std::fabs(a_fDegrees), 180.0);
    if (fAngle > 90) {
        fAngle = 180 - fAngle;
        fSign = -fSign;
    }
    return {fAngle, fSign};
}

// The zero that an exact zero of a function is: the argument's own when that
// is a zero, else +0.
double Zero(double a_fDegrees) {
    return a_fDegrees == 0 ? a_fDegrees : 0.0;
}

} // namespace

double SinDeg(double a_fDegrees) {
    // sin is odd with period 360, and sin(a) = -sin(a - 180) = sin(180 - a).
    double fSign = std::signbit(a_fDegrees) ? -1 : 1;
    double fAngle = std::fmod(std::fabs(a_fDegrees), 360.0);
    if (fAngle >= 180) {
        fAngle -= 180;
        fSign = -fSign;
    }
    if (fAngle > 90) {
        fAngle = 180 - fAngle;
    }
    if (fAngle == 0) {
        return Zero(a_fDegrees);
    }
    if (fAngle == 30) {
        return fSign * 0.5;
    }
    if (fAngle == 90) {
        return fSign;
    }
    return fSign * (fAngle > 45 ? std::cos(Radians(90 - fAngle)) : std::sin(Radians(fAngle)));
}

double CosDeg(double a_fDegrees) {
    // cos is even with period 360, cos(a) = cos(360 - a) and -cos(180 - a).
    double fAngle = std::fmod(std::fabs(a_fDegrees), 360.0);
    if (fAngle > 180) {
        fAngle = 360 - fAngle;
    }
    double fSign = 1;
    if (fAngle > 90) {
        fAngle = 180 - fAngle;
        fSign = -1;
    }
    if (fAngle == 90) {
        return 0.0;
    }
    if (fAngle == 60) {
        return fSign * 0.5;
    }
    if (fAngle == 0) {
        return fSign;
    }
    return fSign * (fAngle > 45 ? std::sin(Radians(90 - fAngle)) : std::cos(Radians(fAngle)));
}

double TanDeg(double a_fDegrees) {
    const Reduced r = HalfTurn(a_fDegrees);
    if (r.m_fAngle == 0) {
        return Zero(a_fDegrees);
    }
    if (r.m_fAngle == 45) {
        return r.m_fSign;
    }
    if (r.m_fAngle == 90) {
        return r.m_fSign * c_fInf;
    }
    return r.m_fSign * (r.m_fAngle > 45 ? 1 / std::tan(Radians(90 - r.m_fAngle))
                                        : std::tan(Radians(r.m_fAngle)));
}

double SecDeg(double a_fDegrees) {
    return 1 / CosDeg(a_fDegrees);
}

double CscDeg(double a_fDegrees) {
    return 1 / SinDeg(a_fDegrees);
}

double CotDeg(double a_fDegrees) {
    const Reduced r = HalfTurn(a_fDegrees);
    if (r.m_fAngle == 90) {
        return 0.0;
    }
    if (r.m_fAngle == 45) {
        return r.m_fSign;
    }
    if (r.m_fAngle == 0) {
        return r.m_fSign * c_fInf;
    }
    return r.m_fSign * (r.m_fAngle > 45 ? std::tan(Radians(90 - r.m_fAngle))
                                        : 1 / std::tan(Radians(r.m_fAngle)));
}

double ASinDeg(double a_fVal) {
    const double fAbs = std::fabs(a_fVal);
    const double fSign = std::signbit(a_fVal) ? -1 : 1;
    if (fAbs == 1) {
        return fSign * 90;
    }
    if (fAbs == 0.5) {
        return fSign * 30;
    }
    return Degrees(std::asin(a_fVal));
}

double ACosDeg(double a_fVal) {
    if (a_fVal == 1) {
        return 0;
    }
    if (a_fVal == -1) {
        return 180;
    }
    if (a_fVal == 0) {
        return 90;
    }
    if (a_fVal == 0.5) {
        return 60;
    }
    if (a_fVal == -0.5) {
        return 120;
    }
    return Degrees(std::acos(a_fVal));
}

double ATanDeg(double a_fVal) {
    const double fSign = std::signbit(a_fVal) ? -1 : 1;
    if (std::isinf(a_fVal)) {
        return fSign * 90;
    }
    if (std::fabs(a_fVal) == 1) {
        return fSign * 45;
    }
    return Degrees(std::atan(a_fVal));
}

// atan2's quadrants and axes in whole degrees: the axes are 0, 90, 180 and
// -90 (and -180 below the negative x axis), the diagonals 45, 135, -45, -135.
double ATan2Deg(double a_fY, double a_fX) {
    if (std::isnan(a_fY) || std::isnan(a_fX)) {
        return a_fY + a_fX;
    }
    const double fSign = std::signbit(a_fY) ? -1 : 1;
    if (a_fY == 0) {
        return std::signbit(a_fX) ? fSign * 180 : a_fY;
    }
    if (a_fX == 0 || (std::isinf(a_fY) && std::isfinite(a_fX))) {
        return fSign * 90;
    }
    if (std::fabs(a_fY) == std::fabs(a_fX)) {
        return fSign * (a_fX > 0 ? 45 : 135);
    }
    return Degrees(std::atan2(a_fY, a_fX));
}

} // namespace mu
