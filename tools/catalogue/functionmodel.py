"""The built-in functions of the script model, with the engine's semantics:
the C library's function where the engine calls one (through ctypes, so that
the values are the same to the last bit, infinities and NaN included), and
the engine's own rules written out where it has them."""

import ctypes
import ctypes.util
import decimal
import math

from datemodel import (days360, dayadd, datevalue, decode, monthadd, today,
                       yearadd)
from errors import ScriptError

PI = 3.141592653589793
NAN = math.nan
INF = math.inf

_LIBM = ctypes.CDLL(ctypes.util.find_library("m") or "libm.so.6")


def _c(name, count=1):
    f = getattr(_LIBM, name)
    f.restype = ctypes.c_double
    f.argtypes = [ctypes.c_double] * count
    return f


_floor, _ceil, _trunc, _round = _c("floor"), _c("ceil"), _c("trunc"), _c("round")
_pow, _fmod = _c("pow", 2), _c("fmod", 2)
_cos, _sin, _tan = _c("cos"), _c("sin"), _c("tan")


def divide(a, b):
    """a / b as the hardware divides: no exception for a zero divisor."""
    if b == 0:
        if a == 0 or math.isnan(a):
            return NAN
        return math.copysign(INF, a) * math.copysign(1.0, b)
    return a / b


def power(x, y):
    """The ^ operator and pow(): a square is the product x*x, the correctly
    rounded square, anything else the C library's pow."""
    return x * x if y == 2 else _pow(x, y)


def _whole(x):
    return math.isfinite(x) and x == _trunc(x)


def _rint(x):
    f = _floor(x)
    return f + 1 if x - f >= 0.5 else f + 0.0


def _round2(x, n):
    """x rounded to n decimals of the shortest text that reads back as x,
    halves away from zero."""
    if math.isnan(x) or not -15 <= n <= 15 or n != _trunc(n):
        return NAN
    if math.isinf(x) or x == 0:
        return x
    shortest = decimal.Decimal(repr(abs(x))).normalize()
    digits = shortest.as_tuple().digits
    exponent = shortest.adjusted()
    kept = exponent + 1 + int(n)
    if kept >= len(digits):
        return x
    if kept < 0:
        return math.copysign(0.0, x)
    mantissa = int("".join(map(str, digits[:kept])) or "0")
    if digits[kept] >= 5:
        mantissa += 1
    return math.copysign(float("%de%d" % (mantissa, -int(n))), x)


def _round_args(*a):
    if len(a) == 1:
        return _round(a[0])
    return _round2(*a) if len(a) == 2 else NAN


def _frac(x):
    return x - _trunc(x)


def _root(x, n):
    """The real n-th root where the model can give it to the last bit: n of 1,
    2 or 3, or a root that is a whole number, which the engine gives exactly;
    other roots the engine refines by its own steps."""
    if math.isnan(x) or not _whole(n) or n == 0:
        return NAN
    if n < 0:
        return divide(1.0, _root(x, -n))
    if n == 1:
        return x
    if n == 2:
        return _c("sqrt")(x)
    if n == 3:
        return _c("cbrt")(x)
    if x < 0:
        return -_root(-x, n) if _fmod(n, 2) == 1 else NAN
    if math.isinf(x):
        return x
    whole = _c("nearbyint")(_pow(x, divide(1.0, n)))
    if _whole(x) and int(whole) ** int(n) == int(x):
        return whole
    raise ScriptError("a root that is not whole")


_WIDE_MAX = 2**128 - 1
_EXACT_LIMIT = 2.0**63


def _rising_product(first, count, divide_by_index):
    """first * (first + 1) * ... (count factors), each divided by its position
    when divide_by_index is set, exactly in 128-bit integers while they hold
    it, then in doubles."""
    product = 1
    index = 1.0
    if first + count < _EXACT_LIMIT:
        start = int(first)
        while index <= count:
            factor = start + int(index) - 1
            if product > _WIDE_MAX // factor:
                break
            product *= factor
            if divide_by_index:
                product //= int(index)
            index += 1
    value = float(product)
    while index <= count and not math.isinf(value):
        value *= first + index - 1
        if divide_by_index:
            value /= index
        index += 1
    return value


def _gcd(a, b):
    if not _whole(a) or not _whole(b):
        return NAN
    return float(math.gcd(int(a), int(b)))


def _lcm(a, b):
    if not _whole(a) or not _whole(b):
        return NAN
    if a == 0 or b == 0:
        return 0.0
    return abs(a / _gcd(a, b) * b)


def _ncr(n, k):
    if not _whole(n) or not _whole(k) or n < 0:
        return NAN
    if k < 0 or k > n:
        return 0.0
    k = min(k, n - k)
    if k > 1100:
        return INF
    return _rising_product(n - k + 1, k, True)


def _npr(n, k):
    if not _whole(n) or not _whole(k) or n < 0:
        return NAN
    if k < 0 or k > n:
        return 0.0
    return _rising_product(n - k + 1, k, False)


def _clamp(x, lo, hi):
    if math.isnan(x) or math.isnan(lo) or math.isnan(hi) or lo > hi:
        return NAN
    if x < lo:
        return lo
    return hi if x > hi else x


def fac(x):
    if math.isnan(x):
        return x
    last = _trunc(x)
    product = 1.0
    f = 2.0
    while f <= last and not math.isinf(product):
        product *= f
        f += 1
    return product


def _date(x):
    d = decode(x)
    if d is None:
        raise ScriptError("a date the model does not follow")
    return d


def _sign(x):
    return -1.0 if x < 0 else (1.0 if x > 0 else 0.0)


def _sum(*a):
    # From the first argument, so that a negative zero survives.
    r = a[0]
    for v in a[1:]:
        r += v
    return r


def _min(*a):
    r = a[0]
    for v in a[1:]:
        if v < r:
            r = v
    return r


def _max(*a):
    r = a[0]
    for v in a[1:]:
        if v > r:
            r = v
    return r


# name -> (argument count or None for any count >= 1, function)
FUNCTIONS = {name: (1, _c(c_name)) for name, c_name in [
    ("sin", "sin"), ("cos", "cos"), ("tan", "tan"), ("asin", "asin"), ("acos", "acos"),
    ("atan", "atan"), ("sinh", "sinh"), ("cosh", "cosh"), ("tanh", "tanh"), ("asinh", "asinh"),
    ("acosh", "acosh"), ("atanh", "atanh"), ("log2", "log2"), ("log10", "log10"),
    ("log", "log10"), ("ln", "log"), ("exp", "exp"), ("sqrt", "sqrt")]}
FUNCTIONS.update({
    "sign": (1, _sign),
    "rint": (1, _rint),
    "abs": (1, _c("fabs")),
    "if": (3, lambda c, a, b: a if c != 0 else b),
    "sum": (None, _sum),
    "avg": (None, lambda *a: _sum(*a) / len(a)),
    "min": (None, _min),
    "max": (None, _max),
    "pow": (2, power),
    "fac": (1, fac),
    "degrees": (1, lambda x: (180.0 * x) / PI),
    "radians": (1, lambda x: (PI * x) / 180.0),
    "datevalue": (1, datevalue),
    "daydiff": (2, lambda a, b: datevalue(b) - datevalue(a)),
    "monthdiff": (2, lambda a, b: float((_date(b).year - _date(a).year) * 12
                                        + _date(b).month - _date(a).month)),
    "yeardiff": (2, lambda a, b: float(_date(b).year - _date(a).year)),
    "today": (0, today),
    "dayadd": (2, dayadd),
    "monthadd": (2, monthadd),
    "yearadd": (2, yearadd),
    "days360": (2, days360),
    "round": (None, _round_args),
    "floor": (1, _floor),
    "ceil": (1, _ceil),
    "trunc": (1, _trunc),
    "frac": (1, _frac),
    "mod": (2, _fmod),
    "cbrt": (1, _c("cbrt")),
    "root": (2, _root),
    "exp2": (1, _c("exp2")),
    "log1p": (1, _c("log1p")),
    "expm1": (1, _c("expm1")),
    "hypot": (2, _c("hypot", 2)),
    "atan2": (2, _c("atan2", 2)),
    "sec": (1, lambda x: divide(1.0, _cos(x))),
    "csc": (1, lambda x: divide(1.0, _sin(x))),
    "cot": (1, lambda x: divide(1.0, _tan(x))),
    "erf": (1, _c("erf")),
    "erfc": (1, _c("erfc")),
    "gamma": (1, _c("tgamma")),
    "gcd": (2, _gcd),
    "lcm": (2, _lcm),
    "ncr": (2, _ncr),
    "npr": (2, _npr),
    "clamp": (3, _clamp),
})

# The functions that read dates: their arguments are yyyyMMdd numbers.
DATE_FUNCTIONS = {"datevalue", "daydiff", "monthdiff", "yeardiff", "dayadd", "monthadd",
                  "yearadd", "days360"}
