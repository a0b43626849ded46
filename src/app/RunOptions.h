#pragma once

#include "NumberFormatter.h"
#include "Parser.h"

// The choices a run is made with that the script itself does not state.
struct RunOptions {
    ResultDigits digits; // how the result texts are written
    // Of the arguments of sin ... cot and the results of asin ... atan2.
    mu::AngleUnit angle = mu::AngleUnit::Radians;
};
