#ifndef MU_DEGREE_FUNCTIONS_H
#define MU_DEGREE_FUNCTIONS_H

// The trigonometric built-ins for a parser whose angle unit is the degree: the
// argument of sin ... cot and the result of asin ... atan2 are in degrees.
//
// The argument is reduced in degrees, exactly (fmod and the subtractions from
// 90, 180 and 360 round nothing), before it is converted, so that whole
// multiples of 30 and 45 give exact results: sin(180) and cos(90) are 0,
// sin(30) is 0.5, tan(45) is 1, and tan(90) is an infinity. An exact zero
// result is +0 unless the argument is a zero. The inverses give exact degrees
// where the exact answer is a whole number of them: asin(0.5) is 30,
// atan2(1, -1) is 135.

namespace mu {

double SinDeg(double a_fDegrees);
double CosDeg(double a_fDegrees);
double TanDeg(double a_fDegrees);
double SecDeg(double a_fDegrees);
double CscDeg(double a_fDegrees);
double CotDeg(double a_fDegrees);
double ASinDeg(double a_fVal);
double ACosDeg(double a_fVal);
double ATanDeg(double a_fVal);
double ATan2Deg(double a_fY, double a_fX);

} // namespace mu

#endif // MU_DEGREE_FUNCTIONS_H
