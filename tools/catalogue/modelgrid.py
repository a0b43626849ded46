#!/usr/bin/env python3
"""Prints the script model's value of every built-in function on a grid of
arguments, one line each: the expression, a tab, the value as Python writes
it (nan, inf, -0.0 included), a tab, and the result box's text for it (empty
for NaN).  A test runs every line through the engine and wants the same
double and the same text, so that the help pages' results computed by the
model are the engine's.  Points where the model gives up are left out."""

import itertools
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scriptmodel  # noqa: E402
from errors import ScriptError  # noqa: E402

# Arguments as the script writes them: halves, near-halves, zeros of both
# signs, whole numbers around the integer functions' limits, huge values, the
# infinities and NaN.
VALUES = ["0", "-0", "0.5", "-0.5", "0.49999999999999994", "-0.49999999999999994", "1", "-1",
          "1.5", "-1.5", "2", "2.5", "-2.5", "3", "-3", "2.675", "1.005", "0.1", "7", "10",
          "-10", "12", "18", "20", "52", "100", "170", "171", "1e-10", "1e-300", "1e10",
          "9007199254740993", "1e300", "-1e300", "(1/0)", "(-1/0)", "(0/0)"]
PAIR_VALUES = ["0", "-0", "0.5", "-1", "1", "2", "-2.5", "3", "5", "7", "12", "-7", "18",
               "1e10", "(1/0)", "(0/0)"]
# Arguments for functions of dates, with a day count or a second date.
DATES = ["20091124", "20091231", "20080229", "20090131", "19000101", "18991231", "20090230",
         "0", "99991231"]
COUNTS = ["1", "-1", "30", "1.9", "-1.9", "12", "0"]

SKIPPED = {"today"}  # its value is the day the test runs

# The operators around a value of the grid: powers (a square is a product),
# the postfix factorial, prefix minus, the bitwise words and comparisons.
OPERATOR_FORMS = ["%s^2", "2^%s", "%s^0.5", "(-2)^%s", "(%s)!", "-(%s)!", "-%s", "%s and 6",
                  "%s xor 3", "%s or 1", "%s==0", "%s!=0.5", "%s<=0", "1/%s", "%s/0"]
# Whole numbers written in other bases, one beyond 2^53 rounded as a decimal is.
LITERALS = ["0x1F", "0X1f", "0xff", "0b1011", "0B1", "0o17", "0O777", "0x1FFFFFFFFFFFFF1",
            "0b" + "1" * 64, "-0x10", "0x1F!", "5!", "0!", "2*3!+1"]


def calls():
    for name, (count, _) in scriptmodel.FUNCTIONS.items():
        if name in SKIPPED:
            continue
        if name in scriptmodel.DATE_FUNCTIONS:
            second = COUNTS if name in ("dayadd", "monthadd", "yearadd") else DATES
            for args in itertools.product(DATES, second if count == 2 else [None]):
                yield "%s(%s)" % (name, ",".join(a for a in args if a is not None))
        elif count == 1:
            for x in VALUES:
                yield "%s(%s)" % (name, x)
        elif count == 2 or count is None:
            for x, y in itertools.product(PAIR_VALUES, repeat=2):
                yield "%s(%s,%s)" % (name, x, y)
        else:
            for args in itertools.product(PAIR_VALUES[:8], repeat=count):
                yield "%s(%s)" % (name, ",".join(args))
    for x in VALUES:
        for form in OPERATOR_FORMS:
            yield form % x
    yield from LITERALS


def main():
    out = []
    for script in calls():
        try:
            value = scriptmodel.run(script)
        except ScriptError:
            continue
        shown = "" if math.isnan(value) else scriptmodel.format_result(value)
        out.append("%s\t%r\t%s" % (script, value, shown))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
