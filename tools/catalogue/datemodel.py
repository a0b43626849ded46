"""The date functions of the script model: dates travel as numbers whose
digits read yyyyMMdd, day numbers count from 30 December 1899."""

import datetime
import re

from errors import ScriptError, int32

_ORIGIN = datetime.date(1899, 12, 30)
_INVALID_DAY = -2415019


def decode(x):
    text = "%.6f" % x
    def field(s):
        return int(s) if re.fullmatch(r"[+-]?\d+", s) else 0
    try:
        return datetime.date(field(text[:4]), field(text[4:6]), field(text[6:8]))
    except ValueError:
        return None


def encode(d):
    return float(d.strftime("%Y%m%d")) if d is not None else 0.0


def datevalue(x):
    d = decode(x)
    return float((d - _ORIGIN).days) if d else float(_INVALID_DAY)


def _add_months(d, n):
    if d is None:
        raise ScriptError("date arithmetic on an invalid date")
    m = d.month - 1 + n
    y = d.year + m // 12
    m = m % 12 + 1
    if not 1 <= y <= 9999:
        raise ScriptError("a date beyond the model's calendar")
    last = [31, 29 if (y % 4 == 0 and (y % 100 != 0 or y % 400 == 0)) else 28,
            31, 30, 31, 30, 31, 31, 30, 31, 30, 31][m - 1]
    return datetime.date(y, m, min(d.day, last))


def dayadd(x, n):
    d = decode(x)
    if d is None:
        raise ScriptError("date arithmetic on an invalid date")
    try:
        return encode(d + datetime.timedelta(days=int(n)))
    except OverflowError:
        raise ScriptError("a date beyond the model's calendar")


def monthadd(x, n):
    return encode(_add_months(decode(x), int(n)))


def yearadd(x, n):
    return encode(_add_months(decode(x), 12 * int(n)))


def _days360_fields(x):
    digits = str(int32(x))
    text = list("19000101")
    written = digits[:8]
    for i, ch in enumerate(written):
        text[i] = ch
    end = len(written)

    def atoi(start, length):
        chars = []
        for i in range(start, start + length):
            if i == end:
                break
            chars.append(text[i])
        m = re.match(r"\s*([+-]?\d+)", "".join(chars))
        return int(m.group(1)) if m else 0
    return atoi(0, 4), atoi(4, 2), atoi(6, 2)


def days360(a, b):
    ya, ma, da = _days360_fields(a)
    yb, mb, db = _days360_fields(b)
    return float((yb - ya) * 360 + (mb - ma) * 30 + (db - da))


def today():
    return encode(datetime.date.today())
