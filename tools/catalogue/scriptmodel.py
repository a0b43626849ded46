"""A small model of the calculator's script language, used only to compute the
expected results printed in the help pages and to check that every catalogue
template runs.  It follows the engine's rules: one expression per line, every
line evaluated, binary operators grouping from the left, prefix minus binding
as tightly as * and /, comparisons giving 1 or 0, and/or/xor working bitwise
on operands truncated to 32-bit integers, variables starting at 0 in each run.
A line name(p1, ..., pn) = expression defines a function of 1 to 5 parameters
that later lines call: its body reads the variables when it is called, its
parameters hide variables, and it may call only functions defined before it.
The value of a definition line is its signature, the text "name(p1, ..., pn)".
The engine's own tests check the engine; this model only has to agree with it
on the scripts shipped in the help and the catalogue."""

import math
import re
from collections import ChainMap

from errors import ScriptError, int32
from functionmodel import DATE_FUNCTIONS, FUNCTIONS, divide, fac, power  # noqa: F401

# Default operators in the order the engine tries them (longest texts first
# where one is a prefix of another).  "!" after a number or a closing bracket
# is the factorial of that value.
OPERATORS = ["<=", ">=", "!=", "==", "<", ">", "+", "-", "*", "/", "^",
             "and", "or", "xor", "=", "(", ")", "!"]
PRECEDENCE = {"and": 1, "or": 1, "xor": 1,
              "<=": 2, ">=": 2, "!=": 2, "==": 2, "<": 2, ">": 2,
              "+": 3, "-": 3, "*": 4, "/": 4, "^": 5}
PREFIX_MINUS_PRECEDENCE = 4
NAME_CHARS = set("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")

BUILTIN_NAMES = list(FUNCTIONS)


def _binary(op, a, b):
    if op == "+":
        return a + b
    if op == "-":
        return a - b
    if op == "*":
        return a * b
    if op == "/":
        return divide(a, b)
    if op == "^":
        return power(a, b)
    if op in ("and", "or", "xor"):
        x, y = int32(a), int32(b)
        r = {"and": x & y, "or": x | y, "xor": x ^ y}[op]
        r = (r + 2**31) % 2**32 - 2**31
        return float(r)
    if op == "<=":
        return 1.0 if a <= b else 0.0
    if op == ">=":
        return 1.0 if a >= b else 0.0
    if op == "<":
        return 1.0 if a < b else 0.0
    if op == ">":
        return 1.0 if a > b else 0.0
    if op == "==":
        return 1.0 if a == b else 0.0
    if op == "!=":
        return 0.0 if a == b else 1.0
    raise ScriptError("unknown operator " + op)


_NUMBER = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")
# Whole numbers in base 16, 2 and 8, rounded to the nearest double.
_BASE_NUMBER = re.compile(r"0([xX][0-9a-fA-F]+|[bB][01]+|[oO][0-7]+)")
_BASES = {"x": 16, "b": 2, "o": 8}


def _tokenize(line):
    tokens = []
    i = 0
    n = len(line)
    while True:
        while i < n and line[i] == " ":
            i += 1
        if i >= n:
            break
        j = i
        while j < n and line[j] in NAME_CHARS:
            j += 1
        run = line[i:j]
        if run in FUNCTIONS:
            tokens.append(("func", run))
            i = j
            continue
        if line.startswith("--", i):
            raise ScriptError("two minus signs in a row at %d in %r" % (i, line))
        op = next((o for o in OPERATORS if line.startswith(o, i)), None)
        if op is not None:
            tokens.append(("op", op))
            i += len(op)
            continue
        if line[i] == ",":
            tokens.append(("sep", ","))
            i += 1
            continue
        m = _BASE_NUMBER.match(line, i)
        if m and (m.end() == n or line[m.end()] not in NAME_CHARS | {"."}):
            digits = m.group(1)
            tokens.append(("num", float(int(digits[1:], _BASES[digits[0].lower()]))))
            i = m.end()
            continue
        m = _NUMBER.match(line, i)
        if m and line[i] not in "+-":
            value = float(m.group(0))
            if math.isinf(value):
                raise ScriptError("number out of range: " + m.group(0))
            tokens.append(("num", value))
            i = m.end()
            continue
        if run and not run[0].isdigit():
            tokens.append(("var", run))
            i = j
            continue
        raise ScriptError("unknown token at %d in %r" % (i, line))
    tokens.append(("end", None))
    return tokens


class _Parser:
    def __init__(self, tokens, variables, defined):
        self.t = tokens
        self.i = 0
        self.vars = variables
        self.defined = defined

    def peek(self):
        return self.t[self.i]

    def take(self):
        tok = self.t[self.i]
        self.i += 1
        return tok

    def expect(self, kind, value=None):
        tok = self.take()
        if tok[0] != kind or (value is not None and tok[1] != value):
            raise ScriptError("expected %s %s, got %r" % (kind, value, tok))
        return tok

    def statement(self):
        if self.peek()[0] == "end":
            raise ScriptError("empty expression")
        if self.peek()[0] == "var" and self.t[self.i + 1] == ("op", "="):
            name = self.take()[1]
            self.take()
            value = self.expression(0)
            self.vars[name] = value
        else:
            value = self.expression(0)
        self.expect("end")
        return value

    def expression(self, min_prec):
        left = self.unary()
        while True:
            tok = self.peek()
            if tok[0] != "op" or tok[1] not in PRECEDENCE:
                return left
            prec = PRECEDENCE[tok[1]]
            if prec < min_prec:
                return left
            self.take()
            right = self.expression(prec + 1)
            left = _binary(tok[1], left, right)

    def unary(self):
        if self.peek() == ("op", "-"):
            self.take()
            return -self.expression(PREFIX_MINUS_PRECEDENCE + 1)
        return self.primary()

    def primary(self):
        kind, value = self.take()
        if kind == "var" and self.peek() == ("op", "("):
            return self.call(value)
        if kind == "var":
            return self.vars.setdefault(value, 0.0)
        v = self.operand(kind, value)
        if self.peek() == ("op", "!"):
            self.take()
            return fac(v)
        return v

    def arguments(self):
        self.expect("op", "(")
        args = []
        if self.peek() != ("op", ")"):
            args.append(self.expression(0))
            while self.peek()[0] == "sep":
                self.take()
                args.append(self.expression(0))
        self.expect("op", ")")
        return args

    def call(self, name):
        """A call of a function the script defined: its body, with the
        arguments for the parameters, over the variables as they are now."""
        if name not in self.defined:
            raise ScriptError("%s is no function" % name)
        params, body = self.defined[name]
        args = self.arguments()
        if len(args) != len(params):
            raise ScriptError("%s takes %d arguments, got %d" % (name, len(params), len(args)))
        scope = ChainMap(dict(zip(params, args)), self.vars)
        inner = _Parser(body, scope, self.defined)
        value = inner.expression(0)
        inner.expect("end")
        return value

    def operand(self, kind, value):
        """A number, a bracket or a call: what a postfix "!" may follow."""
        if kind == "num":
            return value
        if kind == "op" and value == "(":
            v = self.expression(0)
            self.expect("op", ")")
            return v
        if kind == "func":
            count, f = FUNCTIONS[value]
            args = self.arguments()
            if count is None and not args:
                raise ScriptError("too few arguments for " + value)
            if count is not None and len(args) != count:
                raise ScriptError("%s takes %d arguments, got %d" % (value, count, len(args)))
            return float(f(*args))
        raise ScriptError("unexpected token %r" % ((kind, value),))


_HEAD = re.compile(r" *([A-Za-z_][A-Za-z0-9_]*) *\( *([A-Za-z_][A-Za-z0-9_]*"
                   r"(?: *, *[A-Za-z_][A-Za-z0-9_]*)*) *\) *=(?!=)")


def function_head(line):
    """(name, parameters, body) of a definition line, or None for any other
    line."""
    m = _HEAD.match(line)
    if not m:
        return None
    params = [p.strip() for p in m.group(2).split(",")]
    if len(params) > 5:
        return None
    return m.group(1), params, line[m.end():]


def _define(head, defined):
    name, params, text = head
    if name in FUNCTIONS:
        raise ScriptError("%s is a built-in function" % name)
    if len(set(params)) != len(params):
        raise ScriptError("a parameter of %s is named twice" % name)
    body = _tokenize(text)
    for at, (kind, value) in enumerate(body[:-1]):
        if kind == "var" and body[at + 1] == ("op", "(") and (
                value == name or value not in defined):
            raise ScriptError("%s calls %s, which is not defined before it" % (name, value))
    if body[0][0] == "end":
        raise ScriptError("empty body of " + name)
    defined[name] = (params, body)
    return "%s(%s)" % (name, ",".join(params))


def run(script):
    """Evaluates a script as a run does and returns the last line's value: a
    number, or the signature of a definition."""
    variables = {}
    defined = {}
    value = None
    for line in script.split("\n"):
        head = function_head(line)
        if head:
            value = _define(head, defined)
        else:
            value = _Parser(_tokenize(line), variables, defined).statement()
    return value


def _trim(text):
    return text.rstrip("0").rstrip(".")


def format_result(v):
    """The result box's text for v (NaN shown by the caller's error text)."""
    if isinstance(v, str):
        return v
    if math.isnan(v):
        raise ScriptError("NaN result")
    if abs(v) >= 1e8 or -1 < v < 1:
        text = "%g" % v
        return text.replace("inf", "\u221e")
    return _trim("%.8f" % v)


def convert_base(result_text, value, base, not_whole):
    """What a base-conversion entry shows after a run that gave value, shown
    as result_text: a whole number within the 64-bit signed range in the base
    (a negative one as its 64-bit two's complement pattern outside base 10),
    anything else followed by the localized not_whole text."""
    if math.isfinite(value) and value == math.floor(value) and -2**63 <= value < 2**63:
        n = int(value)
        if base != 10 and n < 0:
            n += 2**64
        digits = "0123456789abcdefghijklmnopqrstuvwxyz"
        out = ""
        m = abs(n)
        while True:
            out = digits[m % base] + out
            m //= base
            if m == 0:
                break
        if n < 0:
            out = "-" + out
    else:
        out = not_whole
    return (result_text + " -->> " + out).upper()


def _self_test():
    cases = [
        ("1+2", "3"), ("10/4", "2.5"), ("1/3+1", "1.33333333"), ("-1", "-1"),
        ("2/3", "0.666667"), ("0", "0"), ("-0.5", "-0.5"), ("123456789", "1.23457e+08"),
        ("100000000", "1e+08"), ("99999999.5", "99999999.5"), ("1/0", "\u221e"),
        ("-1/0", "-\u221e"), ("a=3\na*2", "6"), ("2^3^2", "64"), ("-2^2", "-4"),
        ("-2*3", "-6"), ("5 and 3", "1"), ("6 or 3", "7"), ("6 xor 3", "5"),
        ("2.9 and 3", "2"), ("log(100)", "2"), ("rint(2.5)", "3"), ("rint(-2.5)", "-2"),
        ("rint(-2.6)", "-3"), ("fac(5.9)", "120"), ("fac(-3)", "1"), ("fac(171)", "\u221e"),
        ("if(-0.5,1,2)", "1"), ("avg(1,2,6)", "3"), ("datevalue(18991231)", "1"),
        ("datevalue(19000101)", "2"), ("datevalue(20091124)", "40141"),
        ("daydiff(20090101, 20091231)", "364"), ("monthdiff(20090131, 20090201)", "1"),
        ("yeardiff(20091231, 20100101)", "1"), ("dayadd(20091231, 1)", "20100101"),
        ("dayadd(20091124, 1.9)", "20091125"), ("dayadd(20091124, -1.9)", "20091123"),
        ("monthadd(20090131, 1)", "20090228"), ("yearadd(20080229, 1)", "20090228"),
        ("datevalue(20090230)", "-2415019"), ("days360(20090131, 20090301)", "30"),
        ("days360(0, 20091124)", "723563"), ("3.5e2", "350"), ("2e+1", "20"),
        ("rint(0.49999999999999994)", "0"), ("5!", "120"), ("(2+1)!", "6"), ("-3!", "-6"),
        ("2^3!", "64"), ("3!=6", "1"), ("0x1F+0b1011+0o17", "57"), ("round(2.675,2)", "2.68"),
        ("round(1.005,2)", "1.01"), ("round(-2.5)", "-3"), ("ncr(52,5)", "2598960"),
        ("gcd(12,18)", "6"), ("root(-27,3)", "-3"), ("cbrt(-8)", "-2"),
        ("f(x)=x^2+1\nf(3)", "10"), ("a=2\nf(x)=a*x\na=3\nf(1)", "3"), ("f(x)=2*x", "f(x)"),
        ("x=10\nf(x)=x/2\nf(4)+x", "12"), ("f(x)=x+1\ng(x)=f(x)*2\ng(f(1))", "6"),
        ("f(x)=x\nf(x)=2*x\nf(1)", "2"), ("f=2\nf(x)=x+f\nf(1)", "3"),
    ]
    for script, expected in cases:
        got = format_result(run(script))
        assert got == expected, (script, got, expected)
    assert convert_base("255", 255.0, 16, "x") == "255 -->> FF"
    assert convert_base("2.5", 2.5, 16, "not whole") == "2.5 -->> NOT WHOLE"
    assert convert_base("-1", -1.0, 16, "x") == "-1 -->> FFFFFFFFFFFFFFFF"
    assert convert_base("5", 5.0, 2, "x") == "5 -->> 101"
    assert convert_base("2.14748e+09", 2.0**31, 16, "x") == "2.14748E+09 -->> 80000000"
    for refused in ["f(x)=f(x)", "f(x)=g(x)\ng(x)=1", "f(x)=x\nf(1,2)", "sin(x)=x"]:
        try:
            run(refused)
        except ScriptError:
            continue
        raise AssertionError(refused)
    assert convert_base("9.22337e+18", 2.0**63, 16, "x") == "9.22337E+18 -->> X"


_self_test()
