"""Catalogue entries of STATISTICS, FINANCE, BASECONVERSION, CONSTANTS and
USERDEFINE.  Script entries insert a complete small script that runs as it
stands; the user then changes the numbers on its first lines.  Captions and
texts are in each language's module under languages/: a script under its id, a
base under its number, a constant under its name."""

from functions import func


def definition(key, template, page, examples):
    """A style-1 entry that starts a definition line: the caret lands after
    the "=", where the body goes.  Its examples define and call functions."""
    return {
        "kind": "script",
        "key": key,
        "in": template,
        "bidx": 0,
        "style": 1,
        "help": page,
        "syntax": "name(p1, ..., pn) = expression",
        "examples": examples,
        "defines": True,
    }


def script(sid, page, lines, extra_examples=()):
    template = "\n".join(lines)
    return {
        "kind": "script",
        "key": sid,
        "in": template,
        "bidx": 0,
        "style": 1,
        "help": page,
        "syntax": None,
        "examples": [template] + list(extra_examples),
    }


STATISTICS = [
    func("sum", ["x1", "x2", "..."], "statistics.html", [
        "sum(1,2,3,4)",
        "a=2.5\nb=4\nsum(a,b,10)",
    ]),
    func("avg", ["x1", "x2", "..."], "statistics.html", ["avg(2,4,9)", "avg(1,2,6)"]),
    func("min", ["x1", "x2", "..."], "statistics.html", ["min(7,-2,5)"]),
    func("max", ["x1", "x2", "..."], "statistics.html", ["max(7,-2,5)"]),
    script("variance", "statistics.html", [
        "x1=2", "x2=4", "x3=4", "x4=5", "x5=5", "mean=avg(x1,x2,x3,x4,x5)",
        "avg((x1-mean)^2,(x2-mean)^2,(x3-mean)^2,(x4-mean)^2,(x5-mean)^2)",
    ]),
    script("stddev", "statistics.html", [
        "x1=2", "x2=4", "x3=4", "x4=5", "x5=5", "n=5", "mean=sum(x1,x2,x3,x4,x5)/n",
        "sqrt(sum((x1-mean)^2,(x2-mean)^2,(x3-mean)^2,(x4-mean)^2,(x5-mean)^2)/(n-1))",
    ]),
    script("weighted", "statistics.html", [
        "score1=80", "weight1=2", "score2=90", "weight2=3", "score3=70", "weight3=5",
        "(score1*weight1+score2*weight2+score3*weight3)/(weight1+weight2+weight3)",
    ]),
    script("geomean", "statistics.html", [
        "x1=2", "x2=8", "x3=4", "pow(x1*x2*x3,1/3)",
    ]),
    script("change", "statistics.html", [
        "old=80", "new=100", "(new-old)/old*100",
    ]),
]

FINANCE = [
    script("simple", "finance.html", [
        "principal=1000", "rate=0.05", "years=3", "principal*(1+rate*years)",
    ]),
    script("compound", "finance.html", [
        "principal=1000", "rate=0.05", "years=10", "principal*(1+rate)^years",
    ]),
    script("compoundperiods", "finance.html", [
        "principal=1000", "rate=0.05", "years=10", "periods=12",
        "principal*(1+rate/periods)^(periods*years)",
    ]),
    script("continuous", "finance.html", [
        "principal=1000", "rate=0.05", "years=10", "principal*exp(rate*years)",
    ]),
    script("presentvalue", "finance.html", [
        "future=10000", "rate=0.05", "years=10", "future/(1+rate)^years",
    ]),
    script("loan", "finance.html", [
        "loan=200000", "rate=0.06", "years=30", "i=rate/12", "n=years*12",
        "loan*i*(1+i)^n/((1+i)^n-1)",
    ]),
    script("loaninterest", "finance.html", [
        "loan=200000", "rate=0.06", "years=30", "i=rate/12", "n=years*12",
        "payment=loan*i*(1+i)^n/((1+i)^n-1)", "payment*n-loan",
    ]),
    script("annuityfv", "finance.html", [
        "payment=100", "rate=0.05", "periods=10", "payment*((1+rate)^periods-1)/rate",
    ]),
    script("annuitypv", "finance.html", [
        "payment=100", "rate=0.05", "periods=10", "payment*(1-(1+rate)^(-periods))/rate",
    ]),
    script("effective", "finance.html", [
        "nominal=0.06", "periods=12", "(1+nominal/periods)^periods-1",
    ]),
    script("doubling", "finance.html", [
        "rate=0.07", "ln(2)/ln(1+rate)",
    ]),
    script("cagr", "finance.html", [
        "start=1000", "final=2000", "years=5", "(final/start)^(1/years)-1",
    ]),
]

USERDEFINE = [
    script("circle", "examples.html", [
        "pi=3.14159265358979", "r=2", "pi*r^2",
    ]),
    script("sphere", "examples.html", [
        "pi=3.14159265358979", "r=3", "4/3*pi*r^3",
    ]),
    script("hypotenuse", "examples.html", [
        "a=3", "b=4", "sqrt(a^2+b^2)",
    ]),
    script("heron", "examples.html", [
        "a=3", "b=4", "c=5", "s=(a+b+c)/2", "sqrt(s*(s-a)*(s-b)*(s-c))",
    ]),
    script("quadratic", "examples.html", [
        "a=1", "b=-3", "c=2", "(-b+sqrt(b^2-4*a*c))/(2*a)",
    ]),
    script("bmi", "examples.html", [
        "mass=70", "height=1.75", "mass/height^2",
    ]),
    script("c2f", "examples.html", [
        "celsius=25", "celsius*9/5+32",
    ]),
    script("f2c", "examples.html", [
        "fahrenheit=98.6", "(fahrenheit-32)*5/9",
    ]),
    definition("function", "f(x)=", "functions.html", [
        "f(x)=x^2+1\nf(3)",
        "payment(loan,rate,years)=loan*rate/12/(1-(1+rate/12)^(-12*years))\n"
        "payment(200000,0.06,30)",
        "sq(x)=x*x\nhyp(a,b)=sqrt(sq(a)+sq(b))\nhyp(3,4)",
        "a=2\nf(x)=a*x\na=3\nf(1)",
        "x=10\nhalf(x)=x/2\nhalf(4)+x",
        "f(x)=x+1\nf(1)\nf(x)=2*x\nf(1)",
        "f(x)=x^2\nf(3)-f(2)",
    ]),
]


def base(number):
    return {"kind": "base", "key": number, "in": str(number), "bidx": 0, "style": 2,
            "help": "base.html", "syntax": None, "examples": None}


BASECONVERSION = [base(2), base(8), base(16)]

# name, value, unit.  Values are exact where the quantity is defined exactly,
# otherwise the CODATA 2018 recommended value.
CONSTANT_TABLE = [
    ("pi", "3.14159265358979", ""),
    ("e", "2.71828182845905", ""),
    ("c0", "299792458", "m/s"),
    ("g0", "9.80665", "m/s²"),
    ("h", "6.62607015e-34", "J·s"),
    ("hbar", "1.054571817e-34", "J·s"),
    ("NA", "6.02214076e23", "1/mol"),
    ("k", "1.380649e-23", "J/K"),
    ("qe", "1.602176634e-19", "C"),
    ("R", "8.314462618", "J/(mol·K)"),
    ("F", "96485.33212", "C/mol"),
    ("Vm", "22.41396954e-3", "m³/mol"),
    ("G", "6.67430e-11", "m³/(kg·s²)"),
    ("me", "9.1093837015e-31", "kg"),
    ("mp", "1.67262192369e-27", "kg"),
    ("mn", "1.67492749804e-27", "kg"),
    ("u", "1.66053906660e-27", "kg"),
    ("eps0", "8.8541878128e-12", "F/m"),
    ("mu0", "1.25663706212e-6", "N/A²"),
    ("sigma", "5.670374419e-8", "W/(m²·K⁴)"),
    ("alpha", "7.2973525693e-3", ""),
    ("a0", "5.29177210903e-11", "m"),
    ("Rinf", "10973731.568160", "1/m"),
    ("atm", "101325", "Pa"),
]


def constant(name, value, unit):
    return {"kind": "constant", "key": name, "in": name + "=" + value, "bidx": 0, "style": 3,
            "help": "constants.html", "syntax": None, "examples": None,
            "show": name + " = " + value, "unit": unit}


CONSTANTS = [constant(*row) for row in CONSTANT_TABLE]
