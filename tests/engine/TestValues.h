// The special values and the one-line evaluation through the standard parser that the engine's
// value tables share.
#ifndef ENGINE_TEST_VALUES_H
#define ENGINE_TEST_VALUES_H

#include "Parser.h"

#include <limits>
#include <string>

namespace enginetest {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

inline double Evaluate(const std::string& a_sExpr) {
    mu::Parser parser;
    parser.SetExpression(a_sExpr);
    return parser.Evaluate();
}

} // namespace enginetest

#endif
