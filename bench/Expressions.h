#pragma once
// The benchmark expression set, each with the same computation written in C++.
#include <cmath>
#include <string>

namespace bench {

using NativeFn = double (*)(double a, double b, double c);

struct BenchExpression {
    const char* name;
    const char* text;
    NativeFn native;
};

inline const BenchExpression kExpressions[] = {
    {"E1", "a+b*c", [](double a, double b, double c) { return a + b * c; }},
    {"E2", "(a+b)*(a-b)/2", [](double a, double b, double) { return (a + b) * (a - b) / 2; }},
    {"E3", "sin(a)^2+cos(a)^2",
     [](double a, double, double) { return std::pow(std::sin(a), 2) + std::pow(std::cos(a), 2); }},
    {"E4", "a*a+3*a+7", [](double a, double, double) { return a * a + 3 * a + 7; }},
    {"E5", "sqrt(a*a+b*b)", [](double a, double b, double) { return std::sqrt(a * a + b * b); }},
    {"E6", "exp(-a*a/2)/sqrt(2*3.141592653589793)",
     [](double a, double, double) { return std::exp(-a * a / 2) / std::sqrt(2 * 3.141592653589793); }},
    {"E7", "((((a*1.1+2.2)*a+3.3)*a+4.4)*a+5.5)",
     [](double a, double, double) { return (((a * 1.1 + 2.2) * a + 3.3) * a + 4.4) * a + 5.5; }},
    {"E8", "2*3+4*5-6/7", [](double, double, double) { return 2.0 * 3 + 4.0 * 5 - 6.0 / 7; }},
    {"E9", "a*b+b*c+c*a-(a+b+c)/3",
     [](double a, double b, double c) { return a * b + b * c + c * a - (a + b + c) / 3; }},
    {"E10", "1/(1+exp(-a))", [](double a, double, double) { return 1 / (1 + std::exp(-a)); }},
    {"E11", "abs(a-b)+abs(b-c)",
     [](double a, double b, double c) { return std::fabs(a - b) + std::fabs(b - c); }},
    {"E12", "(a+1)*(b+2)*(c+3)*(a+4)*(b+5)*(c+6)",
     [](double a, double b, double c) {
         return (a + 1) * (b + 2) * (c + 3) * (a + 4) * (b + 5) * (c + 6);
     }},
};

inline constexpr int kExpressionCount = sizeof(kExpressions) / sizeof(kExpressions[0]);

} // namespace bench
