"""The English texts of the catalogue and the help pages, written to
data/lang/en_us by the generator.  Each table is keyed as the language-neutral
tables of the generator are; the generator refuses a missing or unknown key."""

# The words that every help page uses; not_whole must be the text of
# IDS_BASE_NOT_WHOLE in the language's lang.xml.
WORDS = {
    "html_lang": "en",
    "contents": "Contents",
    "example": "Example:",
    "result": "Result: ",
    "syntax": "Syntax: ",
    "not_whole": "not a whole number in range",
    "help_title": "ScriptCalc help",
}

# help page -> title and introduction
DATE_INTRO = [
    "Dates are written as numbers of the form yyyyMMdd: 20091124 is 24 November 2009. The date "
    "functions read such numbers and return them, so their results can be used again as dates.",
]

PAGES = {
    "trig.html": ("Trigonometric functions", [
        "Angles are given in radians. radians() converts degrees to radians, degrees() converts "
        "back.",
    ]),
    "arctrig.html": ("Inverse trigonometric functions", [
        "The inverse functions return angles in radians; wrap them in degrees() to get degrees.",
    ]),
    "hyperbolic.html": ("Hyperbolic functions", []),
    "angle.html": ("Angle conversion", []),
    "power.html": ("Powers, roots and exponential", [
        "Besides these functions, the operator ^ raises to a power: 2^10 is 1024.",
    ]),
    "logarithm.html": ("Logarithms", [
        "Note that log() is the common logarithm to base 10, and ln() the natural logarithm.",
    ]),
    "rounding.html": ("Absolute value, sign and rounding", []),
    "fac.html": ("Factorial and gamma function", []),
    "integer.html": ("Remainder, divisors and combinations", [
        "These functions work with whole numbers: give them whole arguments, or they return no "
        "number (mod takes any).",
    ]),
    "special.html": ("Error function", []),
    "if.html": ("Conditions", []),
    "statistics.html": ("Statistics", [
        "sum, avg, min and max take any number of arguments, separated by commas. The scripts "
        "further down compute common statistics of a few values; replace the numbers on their "
        "first lines with your own.",
    ]),
    "finance.html": ("Finance", [
        "Each finance entry inserts a complete script. Its first lines hold the inputs; change "
        "them and press = to recompute. Rates are fractions per period: 5 % a year is 0.05.",
    ]),
    "base.html": ("Base conversion", []),
    "constants.html": ("Constants", []),
    "dateadd.html": ("Today and date arithmetic", DATE_INTRO),
    "datediff.html": ("Date differences", DATE_INTRO),
    "functions.html": ("Functions of your own", [
        "A formula that a script needs several times can be named once and then used like a "
        "built-in function. The line f(x)=x^2+1 defines the function f of the parameter x; later "
        "lines call it: f(3), f(a+1), 2*f(b).",
    ]),
    "examples.html": ("Example scripts", [
        "The USERDEFINE category holds worked examples. Insert one, change its numbers and run "
        "it. You can add your own entries to this category (see the Contents page).",
    ]),
}

# built-in function -> short description and the paragraphs of its help section
FUNCTIONS = {
    "sin": ("Sine of x (x in radians)", [
        "Returns the sine of the angle x, given in radians. To use degrees, convert with "
        "radians() first.",
    ]),
    "cos": ("Cosine of x (x in radians)", [
        "Returns the cosine of the angle x, given in radians.",
    ]),
    "tan": ("Tangent of x (x in radians)", [
        "Returns the tangent of the angle x, given in radians. Near odd multiples of a right "
        "angle the value grows very large.",
    ]),
    "asin": ("Arc sine, result in radians", [
        "Returns the angle, in radians between -π/2 and π/2, whose sine is x. x must lie between "
        "-1 and 1; outside that range the result is not a number and the result box shows the "
        "calculation-error text.",
    ]),
    "acos": ("Arc cosine, result in radians", [
        "Returns the angle, in radians between 0 and π, whose cosine is x. x must lie between -1 "
        "and 1.",
    ]),
    "atan": ("Arc tangent, result in radians", [
        "Returns the angle, in radians between -π/2 and π/2, whose tangent is x. Every x is "
        "allowed.",
    ]),
    "sinh": ("Hyperbolic sine", [
        "Returns the hyperbolic sine of x, (e^x - e^-x) / 2.",
    ]),
    "cosh": ("Hyperbolic cosine", [
        "Returns the hyperbolic cosine of x, (e^x + e^-x) / 2.",
    ]),
    "tanh": ("Hyperbolic tangent", [
        "Returns the hyperbolic tangent of x, sinh(x) / cosh(x); the result lies between -1 and "
        "1.",
    ]),
    "asinh": ("Inverse hyperbolic sine", [
        "Returns the number whose hyperbolic sine is x, as the C library's asinh gives it: "
        "correct to the last digits also for very large and very small x. Every x is allowed.",
    ]),
    "acosh": ("Inverse hyperbolic cosine", [
        "Returns the non-negative number whose hyperbolic cosine is x, as the C library's acosh "
        "gives it. x must be at least 1; a smaller x gives no number.",
    ]),
    "atanh": ("Inverse hyperbolic tangent", [
        "Returns the number whose hyperbolic tangent is x, as the C library's atanh gives it. x "
        "must lie between -1 and 1; atanh(1) is infinity.",
    ]),
    "degrees": ("Radians to degrees", [
        "Converts the angle x from radians to degrees: 180 * x / π.",
    ]),
    "radians": ("Degrees to radians", [
        "Converts the angle x from degrees to radians: π * x / 180. The trigonometric functions "
        "expect radians, so radians() is the usual way to give them degrees.",
    ]),
    "sqrt": ("Square root", [
        "Returns the square root of x. For a negative x the result is not a number and the "
        "result box shows the calculation-error text.",
    ]),
    "pow": ("x raised to the power y", [
        "Returns x raised to the power y, the same as x^y. A fractional power of a negative "
        "number is not a number.",
        "pow(x,2) and x^2 both compute the square as x*x, the correctly rounded product, so the "
        "two always agree to the last digit.",
    ]),
    "exp": ("e raised to the power x", [
        "Returns e (2.718281828...) raised to the power x; it undoes ln().",
    ]),
    "ln": ("Natural logarithm", [
        "Returns the natural logarithm (base e) of x. ln(0) is minus infinity; a negative x "
        "gives no number.",
    ]),
    "log": ("Common logarithm (base 10)", [
        "Returns the common logarithm (base 10) of x. It is the same function as log10(); for "
        "the natural logarithm use ln().",
    ]),
    "log10": ("Logarithm to base 10", [
        "Returns the logarithm of x to base 10, exactly as log().",
    ]),
    "log2": ("Logarithm to base 2", [
        "Returns the logarithm of x to base 2, as the C library's log2 gives it: a power of two "
        "gives its exponent exactly, so log2(536870912) is 29.",
    ]),
    "abs": ("Absolute value", [
        "Returns x without its sign.",
    ]),
    "sign": ("Sign: -1, 0 or 1", [
        "Returns -1 when x is negative, 1 when x is positive and 0 when x is 0.",
    ]),
    "rint": ("Round to the nearest integer", [
        "Rounds x to the nearest whole number. A value exactly halfway between two whole numbers "
        "goes up, toward plus infinity: 2.5 gives 3 and -2.5 gives -2. To round to two decimals, "
        "write rint(x*100)/100.",
    ]),
    "fac": ("Factorial n!", [
        "Returns the factorial 1 * 2 * ... * n of the whole part of n (the fraction is dropped). "
        "For n of 0 or less the result is 1; from 171 on the result is infinity.",
        "A ! right after a number or a closing bracket is the same factorial: 5! is 120 and "
        "(2+1)! is 6. It takes only the value just before it, so -3! is -6 and 2^3! is 64; != "
        "still means not equal.",
    ]),
    "if": ("a if condition is not 0, else b", [
        "Returns a when condition is not 0 and b when it is 0. Comparisons such as x<0, x>=60, "
        "x==1 or x!=1 give 1 when true and 0 when false; and, or and xor combine whole numbers "
        "bit by bit. All three arguments are always computed.",
    ]),
    "sum": ("Sum of the arguments", [
        "Adds any number of arguments, at least one, in the order given.",
    ]),
    "avg": ("Arithmetic mean", [
        "Returns the sum of the arguments divided by their count.",
    ]),
    "min": ("Smallest argument", [
        "Returns the smallest of its arguments.",
    ]),
    "max": ("Largest argument", [
        "Returns the largest of its arguments.",
    ]),
    "today": ("Today's date as yyyyMMdd", [
        "Returns the current date as a date number yyyyMMdd, for example 20091124 for 24 "
        "November 2009. The date is read from the computer's clock each time the script runs.",
    ]),
    "dayadd": ("Date plus n days", [
        "Returns the date n days after date (before it for a negative n). The fraction of n is "
        "dropped. A result that is no valid date gives 0.",
    ]),
    "monthadd": ("Date plus n months", [
        "Returns the date n months after date. A day that does not exist in the target month "
        "becomes that month's last day: 31 January plus one month is 28 February.",
    ]),
    "yearadd": ("Date plus n years", [
        "Returns the date n years after date. 29 February in a year without it becomes 28 "
        "February.",
    ]),
    "datevalue": ("Day number of a date", [
        "Returns the number of days from 30 December 1899 to date, so 31 December 1899 is day 1. "
        "An impossible date such as 20090230 gives -2415019.",
    ]),
    "daydiff": ("Days from date1 to date2", [
        "Returns the number of days from date1 to date2, positive when date2 is later.",
    ]),
    "monthdiff": ("Months from date1 to date2", [
        "Returns the difference of the calendar months, (year2 - year1) * 12 + (month2 - "
        "month1). The days of the month play no part, so 31 January to 1 February counts as one "
        "month.",
    ]),
    "yeardiff": ("Years from date1 to date2", [
        "Returns year2 - year1; months and days play no part.",
    ]),
    "days360": ("Days from date1 to date2 on a 360-day year", [
        "Returns the day count used in bond and interest calculations that treat every month as "
        "30 days: (year2 - year1) * 360 + (month2 - month1) * 30 + (day2 - day1). The 31st "
        "counts as day 31; there is no end-of-month adjustment.",
    ]),
    "atan2": ("Angle of the point (x, y), in radians", [
        "Returns the angle, in radians between -π and π, from the positive x axis to the point "
        "(x, y). Unlike atan(y/x) it tells the four quadrants apart, and x may be 0. Note the "
        "order: y comes first.",
    ]),
    "sec": ("Secant, 1/cos(x)", [
        "Returns the secant of the angle x, given in radians: 1 / cos(x).",
    ]),
    "csc": ("Cosecant, 1/sin(x)", [
        "Returns the cosecant of the angle x, given in radians: 1 / sin(x). At multiples of π "
        "the value grows very large or is infinite.",
    ]),
    "cot": ("Cotangent, 1/tan(x)", [
        "Returns the cotangent of the angle x, given in radians: 1 / tan(x).",
    ]),
    "cbrt": ("Cube root", [
        "Returns the cube root of x. Unlike pow(x,1/3) it takes negative numbers too: cbrt(-8) "
        "is -2.",
    ]),
    "root": ("n-th root of x", [
        "Returns the real n-th root of x for a whole number n other than 0. An odd root of a "
        "negative number is negative; an even one is not a number. A root that is a whole "
        "number comes out exactly.",
    ]),
    "exp2": ("2 raised to the power x", [
        "Returns 2 raised to the power x; it undoes log2().",
    ]),
    "expm1": ("e^x - 1, precise for small x", [
        "Returns e^x - 1 without losing the digits of a small x: exp(1e-20)-1 gives 0, "
        "expm1(1e-20) gives 1e-20.",
    ]),
    "hypot": ("Length of the vector (x, y)", [
        "Returns sqrt(x^2 + y^2), the hypotenuse of a right triangle with the legs x and y, "
        "without overflow or underflow on the way.",
    ]),
    "log1p": ("ln(1 + x), precise for small x", [
        "Returns the natural logarithm of 1 + x without losing the digits of a small x: "
        "ln(1+1e-20) gives 0, log1p(1e-20) gives 1e-20.",
    ]),
    "round": ("Round to the nearest integer, halves away from 0", [
        "round(x) rounds x to the nearest whole number; a value exactly halfway goes away "
        "from zero: 2.5 gives 3 and -2.5 gives -3 (rint() rounds that -2.5 up to -2).",
        "round(x,n) rounds to n decimals, n being a whole number from -15 to 15; a negative "
        "n rounds to tens, hundreds and so on. It rounds the decimals that x shows when "
        "written out in full, as a spreadsheet does, so round(2.675,2) is 2.68 although "
        "the computer stores 2.675 as a value slightly below it.",
    ]),
    "round_n": ("Round to n decimals", []),
    "floor": ("Largest integer not above x", [
        "Rounds x down, toward minus infinity: floor(2.7) is 2, floor(-2.7) is -3.",
    ]),
    "ceil": ("Smallest integer not below x", [
        "Rounds x up, toward plus infinity: ceil(2.1) is 3, ceil(-2.1) is -2.",
    ]),
    "trunc": ("Integer part of x", [
        "Drops the fraction of x, rounding toward zero: trunc(2.7) is 2, trunc(-2.7) is -2.",
    ]),
    "frac": ("Fractional part of x", [
        "Returns x - trunc(x), the part after the decimal point, with the sign of x.",
    ]),
    "clamp": ("x limited to the range lo to hi", [
        "Returns lo when x is below lo, hi when x is above hi, and x otherwise. When lo is "
        "greater than hi the result is not a number.",
    ]),
    "mod": ("Remainder of x divided by y", [
        "Returns the remainder of x / y, x - n * y for the whole number n that x / y "
        "truncates to. The remainder has the sign of x: mod(-7,3) is -1. y = 0 gives no "
        "number.",
    ]),
    "gcd": ("Greatest common divisor", [
        "Returns the greatest whole number that divides both a and b. The arguments must be "
        "whole numbers; any other gives no number.",
    ]),
    "lcm": ("Least common multiple", [
        "Returns the smallest positive whole number that both a and b divide; 0 when either "
        "is 0. The arguments must be whole numbers.",
    ]),
    "ncr": ("Combinations: n choose k", [
        "Returns the number of ways to choose k of n things without regard to order, n! / "
        "(k! (n - k)!). n and k must be whole numbers and n at least 0; the result is 0 when "
        "k is negative or greater than n. It is exact while below 2^53 (about 9e15).",
    ]),
    "npr": ("Permutations: ordered choices of k of n", [
        "Returns the number of ordered ways to choose k of n things, n! / (n - k)!. The same "
        "rules for n and k apply as for ncr().",
    ]),
    "gamma": ("Gamma function", [
        "Returns the gamma function of x, which extends the factorial: gamma(n) is (n - 1)! "
        "for whole n, and gamma(0.5) is the square root of π. At 0 and the negative whole "
        "numbers there is no value.",
    ]),
    "erf": ("Error function", [
        "Returns the error function of x, 2/sqrt(π) times the integral of e^(-t^2) from 0 to "
        "x. The chance that a normally distributed value lies within k standard deviations of "
        "the mean is erf(k/sqrt(2)).",
    ]),
    "erfc": ("Complementary error function", [
        "Returns 1 - erf(x), computed without losing the small values of large x.",
    ]),
}

# complete script entry -> caption, short description and help paragraphs
SCRIPTS = {
    "variance": ("Variance (population)",
        "Mean squared deviation of five values", [
        "The population variance is the mean of the squared deviations from the mean. Put your "
        "data on the first five lines; for more values add lines and add them to both avg() "
        "calls.",
    ]),
    "stddev": ("Standard deviation (sample)",
        "Sample standard deviation of five values", [
        "The sample standard deviation divides the sum of squared deviations by n - 1 and takes "
        "the square root.",
    ]),
    "weighted": ("Weighted average",
        "Average of values with weights", [
        "Each value counts as often as its weight says.",
    ]),
    "geomean": ("Geometric mean",
        "Cube root of the product of three values", [
        "The geometric mean of n positive values is the n-th root of their product; it suits "
        "growth factors and ratios.",
    ]),
    "change": ("Percentage change",
        "Change from old to new in percent", [
        "The change from the old value to the new one, in percent of the old value.",
    ]),
    "simple": ("Simple interest",
        "Amount after simple interest", [
        "Interest is paid on the principal only: amount = principal * (1 + rate * years). The "
        "rate is written as a fraction: 5 % is 0.05.",
    ]),
    "compound": ("Compound interest",
        "Amount after yearly compounding", [
        "Interest is added to the principal every year and earns interest itself: amount = "
        "principal * (1 + rate)^years.",
    ]),
    "compoundperiods": ("Compound interest, n periods a year",
        "Amount with monthly (or other) compounding", [
        "With periods compounding steps a year (12 for monthly), each step adds rate / periods.",
    ]),
    "continuous": ("Continuous compounding",
        "Amount with continuous compounding", [
        "The limit of ever more frequent compounding: amount = principal * e^(rate * years).",
    ]),
    "presentvalue": ("Present value",
        "Today's value of a future amount", [
        "How much must be invested today at the given rate to reach the future amount: present = "
        "future / (1 + rate)^years.",
    ]),
    "loan": ("Loan payment (annuity)",
        "Monthly payment of a loan", [
        "The equal payment per period that repays the loan with interest: payment = loan * i * "
        "(1 + i)^n / ((1 + i)^n - 1), where i is the interest rate per month and n the number of "
        "monthly payments.",
    ]),
    "loaninterest": ("Total interest of a loan",
        "Interest paid over the whole loan", [
        "All payments together minus the amount borrowed.",
    ]),
    "annuityfv": ("Future value of an annuity",
        "Savings from equal payments", [
        "The amount reached by paying the same sum at the end of every period, with interest "
        "rate per period: payment * ((1 + rate)^periods - 1) / rate.",
    ]),
    "annuitypv": ("Present value of an annuity",
        "Today's value of equal future payments", [
        "What a series of equal payments at the end of every period is worth today: payment * (1 "
        "- (1 + rate)^-periods) / rate.",
    ]),
    "effective": ("Effective annual rate",
        "Yearly rate equal to a compounded nominal rate", [
        "A nominal yearly rate compounded periods times a year grows money as fast as this "
        "effective rate compounded once.",
    ]),
    "doubling": ("Doubling time",
        "Years until an amount doubles", [
        "The number of years after which yearly compound interest doubles an amount.",
    ]),
    "cagr": ("Compound annual growth rate",
        "Average yearly growth from start to end value", [
        "The constant yearly rate that turns the start value into the final value in the given "
        "years.",
    ]),
    "circle": ("Circle area",
        "Area of a circle of radius r", [
        "The area of a circle is π r². The script defines pi first, because the calculator has "
        "no built-in constants.",
    ]),
    "sphere": ("Sphere volume",
        "Volume of a sphere of radius r", [
        "The volume of a sphere is 4/3 π r³.",
    ]),
    "hypotenuse": ("Right triangle hypotenuse",
        "Hypotenuse from the two legs", [
        "By Pythagoras' theorem the hypotenuse is the square root of a² + b².",
    ]),
    "heron": ("Triangle area (Heron)",
        "Area of a triangle from its three sides", [
        "Heron's formula: with s half the perimeter, the area is sqrt(s (s - a) (s - b) (s - c)).",
    ]),
    "quadratic": ("Quadratic equation root",
        "Larger root of a x² + b x + c = 0", [
        "For a positive a this gives the larger root; write -sqrt instead of +sqrt on the last "
        "line for the other one. When b² - 4ac is negative there is no real root and the result "
        "box shows the calculation-error text.",
    ]),
    "bmi": ("Body mass index",
        "Mass in kg divided by height in m squared", [
        "The body mass index is the mass in kilograms divided by the square of the height in "
        "metres.",
    ]),
    "c2f": ("Celsius to Fahrenheit",
        "Temperature in °F from °C", [
        "°F = °C × 9/5 + 32.",
    ]),
    "f2c": ("Fahrenheit to Celsius",
        "Temperature in °C from °F", [
        "°C = (°F - 32) × 5/9.",
    ]),
    "function": ("Define a function",
        "Starts a line that defines f(x)", [
        "A definition line holds the function's name, its parameters in brackets separated by "
        "commas, then = and the expression that gives its value. A function has 1 to 5 "
        "parameters; the name and the parameters are written as variable names are.",
        "The expression may use the parameters, numbers, built-in functions, functions defined "
        "on earlier lines and the script's variables. A variable in it is read each time the "
        "function is called, so changing the variable between two calls changes the result. A "
        "parameter hides a variable of the same name.",
        "A function cannot call itself or a function defined further down, and it cannot take "
        "the name of a built-in function: the definition line is then an error. A later line "
        "may define the same name again; the lines below it use the new definition.",
        "A name is a function only where an opening bracket follows it, so one name may stand "
        "for a variable and for a function in the same script. A call with the wrong number of "
        "arguments is an error at the call.",
        "The column beside the editor shows a definition line as the function's name and "
        "parameters, f(x); so does the result box when the last line is a definition.",
    ]),
}

# base -> caption of its conversion entry
BASES = {
    2: "Binary (base 2)",
    8: "Octal (base 8)",
    16: "Hexadecimal (base 16)",
}
BASE_DESCRIPTION = "Run, then show the result in base %d"

# base.html, above its examples
BASE_PAGE = [
    "The base-conversion entries do not insert anything. A double-click runs the script, as the "
    "= button does, and then shows the result in the result box twice: as the calculator wrote "
    "it, an arrow -->>, and the same number in the chosen base, in capital letters.",
    "The value of the run is converted, not the text in the box, so a large whole number shown "
    "in exponent form converts exactly. It must be a whole number within the 64-bit signed range "
    "(about ±9.2e+18); any other result (a fraction, an infinity, a larger number) is followed "
    "by a note that it is not a whole number in range. A negative number is shown as its 64-bit "
    "two's complement pattern, so -1 becomes sixteen F digits in hexadecimal.",
    "If the script has an error, the error message appears and nothing is converted; the result "
    "box keeps what it showed.",
]

# constant -> meaning; the unit follows after UNIT_SEPARATOR
CONSTANTS = {
    "pi": "Circle constant π",
    "e": "Base of the natural logarithm",
    "c0": "Speed of light in vacuum (exact)",
    "g0": "Standard acceleration of gravity (exact)",
    "h": "Planck constant (exact)",
    "hbar": "Reduced Planck constant h/2π",
    "NA": "Avogadro constant (exact)",
    "k": "Boltzmann constant (exact)",
    "qe": "Elementary charge (exact)",
    "R": "Molar gas constant",
    "F": "Faraday constant",
    "Vm": "Molar volume of an ideal gas at 273.15 K and 101.325 kPa",
    "G": "Newtonian constant of gravitation",
    "me": "Electron mass",
    "mp": "Proton mass",
    "mn": "Neutron mass",
    "u": "Atomic mass constant",
    "eps0": "Vacuum electric permittivity",
    "mu0": "Vacuum magnetic permeability",
    "sigma": "Stefan-Boltzmann constant",
    "alpha": "Fine-structure constant",
    "a0": "Bohr radius",
    "Rinf": "Rydberg constant",
    "atm": "Standard atmosphere (exact)",
}
UNIT_SEPARATOR = ", "

# constants.html: paragraphs above the table, the table's head, the heading of
# the examples
CONSTANTS_PAGE = {
    "paragraphs": [
        "The calculator has no built-in constants: a script defines them as ordinary variables. "
        "A double-click on a constant inserts its name at the caret and, if the script does not "
        "define it yet, adds the definition as a new first line. The definition counts as "
        "present when the script contains the name, = and the first four characters of the value "
        "(for pi: pi=3.14) anywhere.",
        "Values marked exact are fixed by definition; the others are the CODATA 2018 recommended "
        "values.",
    ],
    "head": ("Name", "Value", "Unit", "Meaning"),
    "examples": "Examples",
}

# kind of unit.xml -> unit -> its name in the unit lists
UNITS = {
    "Linear": {
        "kilometre": "kilometre (km)",
        "metre": "metre (m)",
        "decimetre": "decimetre (dm)",
        "centimetre": "centimetre (cm)",
        "millimetre": "millimetre (mm)",
        "micrometre": "micrometre (µm)",
        "nanometre": "nanometre (nm)",
        "mile": "mile (mi)",
        "yard": "yard (yd)",
        "foot": "foot (ft)",
        "inch": "inch (in)",
        "nautical_mile": "nautical mile (nmi)",
        "li": "li (Chinese, 500 m)",
        "zhang": "zhang (Chinese, 10 chi)",
        "chi": "chi (Chinese foot, 1/3 m)",
        "cun": "cun (Chinese inch, 1/10 chi)",
        "fen": "fen (Chinese, 1/10 cun)",
        "astronomical_unit": "astronomical unit (au)",
        "light_year": "light-year (ly)",
    },
    "Area": {
        "square_kilometre": "square kilometre (km²)",
        "hectare": "hectare (ha)",
        "are": "are (a)",
        "square_metre": "square metre (m²)",
        "square_decimetre": "square decimetre (dm²)",
        "square_centimetre": "square centimetre (cm²)",
        "square_millimetre": "square millimetre (mm²)",
        "square_mile": "square mile (sq mi)",
        "acre": "acre (ac)",
        "square_yard": "square yard (sq yd)",
        "square_foot": "square foot (sq ft)",
        "square_inch": "square inch (sq in)",
        "qing": "qing (Chinese, 100 mu)",
        "mu": "mu (Chinese, 1/15 ha)",
        "fen": "fen (Chinese, 1/10 mu)",
        "square_li": "square li (Chinese)",
        "square_zhang": "square zhang (Chinese)",
        "square_chi": "square chi (Chinese)",
        "square_cun": "square cun (Chinese)",
    },
    "Volume": {
        "cubic_metre": "cubic metre (m³)",
        "litre": "litre (L)",
        "decilitre": "decilitre (dL)",
        "centilitre": "centilitre (cL)",
        "millilitre": "millilitre (mL)",
        "cubic_centimetre": "cubic centimetre (cm³)",
        "cubic_millimetre": "cubic millimetre (mm³)",
        "us_gallon": "US gallon (gal)",
        "us_quart": "US quart (qt)",
        "us_pint": "US pint (pt)",
        "us_cup": "US cup",
        "us_fluid_ounce": "US fluid ounce (fl oz)",
        "imperial_gallon": "imperial gallon (gal)",
        "imperial_quart": "imperial quart (qt)",
        "imperial_pint": "imperial pint (pt)",
        "imperial_fluid_ounce": "imperial fluid ounce (fl oz)",
        "oil_barrel": "oil barrel (bbl, 42 US gal)",
        "cubic_yard": "cubic yard (cu yd)",
        "cubic_foot": "cubic foot (cu ft)",
        "cubic_inch": "cubic inch (cu in)",
        "dan": "dan (Chinese, 100 L)",
        "dou": "dou (Chinese, 10 L)",
        "ge": "ge (Chinese, 1/10 L)",
    },
    "Mass": {
        "tonne": "tonne (t)",
        "kilogram": "kilogram (kg)",
        "gram": "gram (g)",
        "milligram": "milligram (mg)",
        "microgram": "microgram (µg)",
        "carat": "carat (ct)",
        "long_ton": "long ton (2240 lb)",
        "short_ton": "short ton (2000 lb)",
        "stone": "stone (st)",
        "pound": "pound (lb)",
        "ounce": "ounce (oz)",
        "troy_ounce": "troy ounce (oz t)",
        "grain": "grain (gr)",
        "dan": "dan (Chinese, 100 jin)",
        "jin": "jin (Chinese pound, 0.5 kg)",
        "liang": "liang (tael, 1/10 jin)",
        "qian": "qian (Chinese, 1/10 liang)",
    },
    "Temperature": {
        "kelvin": "kelvin (K)",
        "celsius": "degree Celsius (°C)",
        "fahrenheit": "degree Fahrenheit (°F)",
        "rankine": "degree Rankine (°R)",
    },
    "Time": {
        "nanosecond": "nanosecond (ns)",
        "microsecond": "microsecond (µs)",
        "millisecond": "millisecond (ms)",
        "second": "second (s)",
        "minute": "minute (min)",
        "hour": "hour (h)",
        "day": "day (d)",
        "week": "week",
        "month": "month (1/12 year)",
        "year": "Julian year (365.25 d)",
    },
    "Speed": {
        "metre_per_second": "metre per second (m/s)",
        "kilometre_per_hour": "kilometre per hour (km/h)",
        "mile_per_hour": "mile per hour (mph)",
        "knot": "knot (kn)",
        "foot_per_second": "foot per second (ft/s)",
    },
    "Data": {
        "bit": "bit",
        "byte": "byte (B)",
        "kilobyte": "kilobyte (kB, 1000 B)",
        "megabyte": "megabyte (MB)",
        "gigabyte": "gigabyte (GB)",
        "terabyte": "terabyte (TB)",
        "kibibyte": "kibibyte (KiB, 1024 B)",
        "mebibyte": "mebibyte (MiB)",
        "gibibyte": "gibibyte (GiB)",
        "tebibyte": "tebibyte (TiB)",
    },
    "Energy": {
        "joule": "joule (J)",
        "kilojoule": "kilojoule (kJ)",
        "calorie": "calorie (cal)",
        "kilocalorie": "kilocalorie (kcal)",
        "watt_hour": "watt-hour (Wh)",
        "kilowatt_hour": "kilowatt-hour (kWh)",
        "electronvolt": "electronvolt (eV)",
        "btu": "British thermal unit (BTU)",
    },
    "Pressure": {
        "pascal": "pascal (Pa)",
        "kilopascal": "kilopascal (kPa)",
        "bar": "bar",
        "atmosphere": "atmosphere (atm)",
        "psi": "pound per sq inch (psi)",
        "millimetre_of_mercury": "mm of mercury (mmHg)",
        "torr": "torr (Torr)",
    },
    "Angle": {
        "degree": "degree (°)",
        "radian": "radian (rad)",
        "gradian": "gradian (gon)",
        "turn": "turn",
        "arcminute": "arcminute (′)",
        "arcsecond": "arcsecond (″)",
    },
}

# main.html: the headings of its sections, and its paragraphs (p), lists (ul)
# and tables by the names the page's layout gives them
MAIN_HEADINGS = {
    "scripts": "Scripts",
    "variables": "Variables",
    "operators": "Operators",
    "results": "Results",
    "keypad": "Keypad",
    "catalogue": "Function catalogue",
    "userdefine": "Adding your own entries",
    "units": "Unit conversion",
    "errors": "Errors",
    "dates": "Dates",
    "pages": "Help pages",
}

MAIN = {
    "p:intro": [
        "ScriptCalc evaluates small scripts: a few lines of expressions, where earlier lines "
        "usually give values to variables and the last line computes the answer. Type the script "
        "in the editor and press = (or Ctrl+Return, or F9) to run it; the value of the last line "
        "appears in the result box. The column beside the editor shows the value of every line, "
        "and it follows your typing. The keypad, the function catalogue and the unit converter "
        "help to write the script.",
    ],
    "ul:scripts": [
        "Write one expression per line. The lines are evaluated from top to bottom, and the "
        "result box shows the value of the last one.",
        "Every line is evaluated, an empty one too, and an empty line is an error. Do not leave "
        "a line break after the last line.",
        "There are no comments. Spaces between the parts of an expression are allowed; tabs are "
        "not.",
        "Numbers are written with a decimal point and an optional exponent: 12, 3.5, .5, 2.5e-3. "
        "There are no thousands separators; a comma always separates function arguments.",
        "Whole numbers may also be written in base 16, 2 or 8: 0x1F, 0b1011 and 0o17 (capital X, "
        "B and O work too).",
    ],
    "p:variables": [
        "A line such as rate=0.05 gives the variable rate the value 0.05; later lines use it by "
        "name. A variable that has not been given a value reads as 0, and every run starts all "
        "variables at 0 again.",
    ],
    "ul:variables": [
        "Names consist of the letters A to Z and a to z, digits and the underscore, and begin "
        "with a letter or underscore. Capital and small letters differ: R and r are two "
        "variables.",
        "Do not use the name of a built-in function (sum, log, if, ...) as a variable.",
        "A name may not begin with and, or or xor, because those words are operators: order or "
        "android do not work as names.",
        "The calculator knows no constants. pi, e and the physical constants are ordinary "
        "variables that the script defines; the π and e keys and the Constants category add "
        "their definition lines for you.",
    ],
    "p:operators": [
        "From the lowest to the highest precedence. Operators of the same precedence group from "
        "the left, even ^: 2^3^2 is (2^3)^2 = 64. The minus sign in front of a value binds like "
        "* and /, so -2^2 is -(2^2) = -4. Use brackets when in doubt.",
        "Two minus signs in a row, as in --2, 1 -- -1 or sin(--1), are rejected. Write a "
        "subtraction of a negative value with a blank between the signs, 1- -2, or with "
        "brackets, -(-2).",
    ],
    "table:operators": (
        ("Operators", "Meaning"),
        [
            ("=", "assignment to a variable, only directly after its name"),
            ("and  or  xor",
             "bit-wise and, or, exclusive or of whole numbers (the fractions are dropped)"),
            ("<  <=  >  >=  ==  !=", "comparisons: 1 when true, 0 when false"),
            ("+  -", "addition, subtraction"),
            ("*  /", "multiplication, division; the minus sign of a negative value"),
            ("^", "power"),
            ("!", "factorial of the number or bracket just before it: 5! is 120"),
            ("( )  ,", "brackets; the comma separates the arguments of a function"),
        ],
    ),
    "p:results": [
        "Results from 1 up to 100000000 (without the sign) are shown with up to eight decimals, "
        "without trailing zeros. Other results are shown with six significant digits, in "
        "exponent form when they are very large or very small. An infinite result, such as from "
        "a division by zero, is shown as ∞; a result that is no number, such as sqrt(-1), shows "
        "the calculation-error text.",
    ],
    "table:keypad": (
        ("Key", "Action"),
        [
            ("0 to 9, 00, .", "type digits and the decimal point"),
            ("+  -  *  /  (  )  ,", "type the operator, bracket or comma"),
            ("←┘", "start a new line"),
            ("←", "delete the selection or the character before the caret"),
            ("√", "insert sqrt() with the caret between the brackets"),
            ("x^2", "insert pow(,2) with the caret where the base goes"),
            ("π, e",
             "insert the name pi or e, and the line that defines it at the top of the script if "
             "it is not there yet"),
            ("=", "run the script (also Ctrl+Return or F9)"),
            ("C", "clear the script and the result"),
        ],
    ),
    "p:catalogue": [
        "The catalogue beside the editor lists, by category, what the calculator offers: "
        "trigonometric functions, arithmetic, base conversion, statistics, finance, constants, "
        "date and time, and your own entries. A double-click on an entry acts on the script:",
    ],
    "ul:catalogue": [
        "A function inserts its call, with the caret where the first argument goes.",
        "A script entry (finance, statistics, examples) inserts a complete script that runs as "
        "it stands; change its numbers to suit.",
        "A base-conversion entry runs the script and shows the result in another base.",
        "A constant inserts its name and adds its definition line to the top of the script when "
        "it is missing.",
    ],
    "p:help_button": [
        "The ? button opens the help page of the selected entry, or this page when no entry is "
        "selected.",
    ],
    "p:userdefine": [
        "The catalogue is read from the file lang/en_us/config/function.xml in the installation "
        "folder every time a category is chosen. Each entry is a fun element with six parts: "
        "vk_show (the name shown), vk_in (the text inserted), vk_bidx (how many characters the "
        "caret moves back after inserting), vk_style (1 inserts text, 2 converts the result to "
        "the base given in vk_in, 3 inserts a constant written as name=value), vk_shortdesc (the "
        "description shown) and vk_help (the help page). A line break inside vk_in is written as "
        "&#10;. An entry for the USERDEFINE category could look like this:",
    ],
    "p:units": [
        "The second page converts lengths, areas, volumes, masses, temperatures, times, speeds, "
        "amounts of data, energies, pressures and angles. Choose the kind of quantity in the "
        "list on the left, type the value in the box above the left unit list, and click the "
        "unit to convert from in the left list and the unit to convert to in the right list. The "
        "converted value, with six significant digits, appears above the right list; OK inserts "
        "it into the script at the caret. The units include metric, imperial and US units and "
        "the traditional Chinese units; they are read from lang/en_us/config/unit.xml.",
    ],
    "p:errors": [
        "When a line cannot be understood, a message box tells what is wrong and shows the "
        "offending part of the line. The run stops at that line, the lines after it are not "
        "evaluated, and the result box keeps the previous result. Frequent causes:",
    ],
    "ul:errors": [
        "an empty line, also a line break after the last line;",
        "a missing or extra bracket;",
        "two values without an operator between them, such as 2 3 or 2x (write 2*x);",
        "a character the calculator does not know, such as a tab or a letter outside A to Z;",
        "a function called with the wrong number of arguments, such as pow(2);",
        "= after something that is not a variable, such as 2=x.",
    ],
    "p:dates": [
        "Dates are numbers of the form yyyyMMdd, such as 20091124 for 24 November 2009. The date "
        "functions compute with such numbers.",
    ],
}
