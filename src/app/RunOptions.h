#pragma once

#include "NumberFormatter.h"

// The choices a run is made with that the script itself does not state.
struct RunOptions {
    ResultDigits digits; // how the result texts are written
};
