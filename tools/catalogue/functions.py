"""Catalogue entries of TRIGONOMETRIC, ARITHMETIC and DATETIME: one template per
built-in function, the help page that explains it and the examples shown there,
whose results the generator computes.  Captions, descriptions and help texts are
in each language's module under languages/, keyed by the function's name."""


def func(name, params, page, examples, key=None, syntax=None):
    """A style-1 entry calling a built-in function: the template is an empty
    call, and the caret lands where the first argument goes.  key tells apart
    two entries of one function (each language has a text per key); an entry
    without examples has no help section of its own, and syntax replaces the
    call's form in the section's syntax line."""
    commas = "," * max(len(params) - 1, 0)
    call = name + "(" + ",".join(params) + ")"
    return {
        "kind": "function",
        "key": key or name,
        "name": name,
        "in": name + "(" + commas + ")",
        "bidx": len(commas) + 1 if params else 0,
        "style": 1,
        "help": page,
        "show": call,
        "syntax": syntax or call,
        "examples": examples,
    }


TRIGONOMETRIC = [
    func("sin", ["x"], "trig.html", ["sin(radians(30))", "pi=3.14159265358979\nsin(pi/2)"]),
    func("cos", ["x"], "trig.html", ["cos(radians(60))", "cos(0)"]),
    func("tan", ["x"], "trig.html", ["tan(radians(45))"]),
    func("asin", ["x"], "arctrig.html", ["degrees(asin(0.5))"]),
    func("acos", ["x"], "arctrig.html", ["degrees(acos(0.5))"]),
    func("atan", ["x"], "arctrig.html", ["degrees(atan(1))"]),
    func("sinh", ["x"], "hyperbolic.html", ["sinh(1)"]),
    func("cosh", ["x"], "hyperbolic.html", ["cosh(1)"]),
    func("tanh", ["x"], "hyperbolic.html", ["tanh(0.5)"]),
    func("asinh", ["x"], "hyperbolic.html", ["asinh(1)", "asinh(-1e10)"]),
    func("acosh", ["x"], "hyperbolic.html", ["acosh(2)"]),
    func("atanh", ["x"], "hyperbolic.html", ["atanh(0.5)"]),
    func("degrees", ["x"], "angle.html", ["degrees(1)", "degrees(radians(90))"]),
    func("radians", ["x"], "angle.html", ["radians(180)", "sin(radians(90))"]),
    func("atan2", ["y", "x"], "arctrig.html", ["degrees(atan2(1,-1))", "atan2(0,-1)"]),
    func("sec", ["x"], "trig.html", ["sec(0)", "sec(radians(60))"]),
    func("csc", ["x"], "trig.html", ["csc(radians(30))"]),
    func("cot", ["x"], "trig.html", ["cot(radians(45))"]),
]

ARITHMETIC = [
    func("sqrt", ["x"], "power.html", ["sqrt(2)", "sqrt(144)"]),
    func("pow", ["x", "y"], "power.html", [
        "pow(2,10)",
        "pow(27,1/3)",
        "pow(458656324,2)-458656324^2",
    ]),
    func("exp", ["x"], "power.html", ["exp(1)", "exp(ln(5))"]),
    func("ln", ["x"], "logarithm.html", ["ln(100)", "ln(exp(2))"]),
    func("log", ["x"], "logarithm.html", ["log(1000)", "log(2)"]),
    func("log10", ["x"], "logarithm.html", ["log10(0.01)"]),
    func("log2", ["x"], "logarithm.html", ["log2(1024)", "log2(10)", "log2(536870912)"]),
    func("abs", ["x"], "rounding.html", ["abs(-7.5)"]),
    func("sign", ["x"], "rounding.html", ["sign(-3)", "sign(0)"]),
    func("rint", ["x"], "rounding.html", ["rint(2.5)", "rint(-2.5)", "rint(-2.6)"]),
    func("fac", ["n"], "fac.html", ["fac(5)", "fac(20)", "fac(5.9)", "5!", "(2+1)!"]),
    func("if", ["condition", "a", "b"], "if.html", [
        "x=-4\nif(x<0,-x,x)",
        "score=75\nif(score>=60,1,0)",
    ]),
    func("cbrt", ["x"], "power.html", ["cbrt(27)", "cbrt(-8)"]),
    func("root", ["x", "n"], "power.html", ["root(16,4)", "root(-27,3)", "root(1024,10)"]),
    func("exp2", ["x"], "power.html", ["exp2(10)", "exp2(-1)"]),
    func("expm1", ["x"], "power.html", ["expm1(1e-20)", "exp(1e-20)-1"]),
    func("hypot", ["x", "y"], "power.html", ["hypot(3,4)", "hypot(1e200,1e200)"]),
    func("log1p", ["x"], "logarithm.html", ["log1p(1e-20)", "ln(1+1e-20)"]),
    func("round", ["x"], "rounding.html", [
        "round(2.5)",
        "round(-2.5)",
        "round(2.675,2)",
        "round(1.005,2)",
        "round(1234.5,-2)",
    ], syntax="round(x), round(x,n)"),
    func("round", ["x", "n"], "rounding.html", None, key="round_n"),
    func("floor", ["x"], "rounding.html", ["floor(2.7)", "floor(-2.7)"]),
    func("ceil", ["x"], "rounding.html", ["ceil(2.1)", "ceil(-2.1)"]),
    func("trunc", ["x"], "rounding.html", ["trunc(2.7)", "trunc(-2.7)"]),
    func("frac", ["x"], "rounding.html", ["frac(3.75)", "frac(-3.75)"]),
    func("clamp", ["x", "lo", "hi"], "rounding.html", [
        "clamp(15,0,10)",
        "clamp(-3,0,10)",
        "clamp(7,0,10)",
    ]),
    func("mod", ["x", "y"], "integer.html", ["mod(7,3)", "mod(-7,3)", "mod(7.5,2)"]),
    func("gcd", ["a", "b"], "integer.html", ["gcd(12,18)", "gcd(-12,18)"]),
    func("lcm", ["a", "b"], "integer.html", ["lcm(4,6)"]),
    func("ncr", ["n", "k"], "integer.html", ["ncr(52,5)", "ncr(5,2)"]),
    func("npr", ["n", "k"], "integer.html", ["npr(5,2)", "npr(10,3)"]),
    func("gamma", ["x"], "fac.html", ["gamma(5)", "gamma(0.5)"]),
    func("erf", ["x"], "special.html", ["erf(1)", "erf(2/sqrt(2))"]),
    func("erfc", ["x"], "special.html", ["erfc(1)", "erfc(10)"]),
]


DATETIME = [
    func("today", [], "dateadd.html", ["daydiff(today(),dayadd(today(),30))"]),
    func("dayadd", ["date", "n"], "dateadd.html", ["dayadd(20091231,1)", "dayadd(20091124,-30)"]),
    func("monthadd", ["date", "n"], "dateadd.html", [
        "monthadd(20090131,1)",
        "monthadd(20091124,-12)",
    ]),
    func("yearadd", ["date", "n"], "dateadd.html", [
        "yearadd(20080229,1)",
        "yearadd(20091124,10)",
    ]),
    func("datevalue", ["date"], "datediff.html", ["datevalue(20091124)", "datevalue(19000101)"]),
    func("daydiff", ["date1", "date2"], "datediff.html", [
        "daydiff(20090101,20091231)",
        "daydiff(20091231,20090101)",
    ]),
    func("monthdiff", ["date1", "date2"], "datediff.html", [
        "monthdiff(20090131,20090201)",
        "monthdiff(20080815,20091124)",
    ]),
    func("yeardiff", ["date1", "date2"], "datediff.html", [
        "yeardiff(20091231,20100101)",
        "yeardiff(19800315,20091124)",
    ]),
    func("days360", ["date1", "date2"], "datediff.html", [
        "days360(20090131,20090301)",
        "days360(20090101,20091231)",
    ]),
]
