"""What the script model shares between its parts."""

import math


class ScriptError(Exception):
    """A script the engine would refuse, or one the model cannot follow."""


def int32(x):
    """x truncated toward zero to a signed 32-bit integer."""
    if math.isnan(x) or math.isinf(x):
        raise ScriptError("integer conversion of a non-finite value")
    v = int(x)
    if not -2**31 <= v < 2**31:
        raise ScriptError("integer conversion out of range")
    return v
