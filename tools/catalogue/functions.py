"""Catalogue entries of TRIGONOMETRIC, ARITHMETIC and DATETIME: one template per
built-in function, with its caption, short description and help section in
both languages.  Each help section carries examples whose results the
generator computes."""


def func(name, params, en, zh, page, examples, en_text, zh_text):
    """A style-1 entry calling a built-in function: the template is an empty
    call, and the caret lands where the first argument goes."""
    commas = "," * max(len(params) - 1, 0)
    template = name + "(" + commas + ")"
    back = len(commas) + 1 if params else 0
    syntax = name + "(" + ",".join(params) + ")"
    return {
        "show": {"en": syntax, "zh": syntax},
        "in": template,
        "bidx": back,
        "style": 1,
        "desc": {"en": en, "zh": zh},
        "help": page,
        "section": {
            "id": name,
            "title": {"en": name, "zh": name},
            "syntax": syntax,
            "text": {"en": en_text, "zh": zh_text},
            "examples": examples,
        },
    }


TRIGONOMETRIC = [
    func("sin", ["x"], "Sine of x (x in radians)", "正弦，x 为弧度", "trig.html",
         ["sin(radians(30))", "pi=3.14159265358979\nsin(pi/2)"],
         ["Returns the sine of the angle x, given in radians. To use degrees, "
          "convert with radians() first."],
         ["返回角 x 的正弦值，x 以弧度为单位。角度以度给出时，先用 radians() 换算。"]),
    func("cos", ["x"], "Cosine of x (x in radians)", "余弦，x 为弧度", "trig.html",
         ["cos(radians(60))", "cos(0)"],
         ["Returns the cosine of the angle x, given in radians."],
         ["返回角 x 的余弦值，x 以弧度为单位。"]),
    func("tan", ["x"], "Tangent of x (x in radians)", "正切，x 为弧度", "trig.html",
         ["tan(radians(45))"],
         ["Returns the tangent of the angle x, given in radians. Near odd multiples "
          "of a right angle the value grows very large."],
         ["返回角 x 的正切值，x 以弧度为单位。在直角的奇数倍附近，结果会变得非常大。"]),
    func("asin", ["x"], "Arc sine, result in radians", "反正弦，结果为弧度", "arctrig.html",
         ["degrees(asin(0.5))"],
         ["Returns the angle, in radians between -π/2 and π/2, whose sine is x. "
          "x must lie between -1 and 1; outside that range the result is not a number "
          "and the result box shows the calculation-error text."],
         ["返回正弦值为 x 的角，以弧度表示，范围为 -π/2 到 π/2。x 必须在 -1 与 1 之间；"
          "超出此范围时结果不是数，结果框显示计算错误的提示。"]),
    func("acos", ["x"], "Arc cosine, result in radians", "反余弦，结果为弧度", "arctrig.html",
         ["degrees(acos(0.5))"],
         ["Returns the angle, in radians between 0 and π, whose cosine is x. "
          "x must lie between -1 and 1."],
         ["返回余弦值为 x 的角，以弧度表示，范围为 0 到 π。x 必须在 -1 与 1 之间。"]),
    func("atan", ["x"], "Arc tangent, result in radians", "反正切，结果为弧度", "arctrig.html",
         ["degrees(atan(1))"],
         ["Returns the angle, in radians between -π/2 and π/2, whose tangent is x. "
          "Every x is allowed."],
         ["返回正切值为 x 的角，以弧度表示，范围为 -π/2 到 π/2。x 可取任意值。"]),
    func("sinh", ["x"], "Hyperbolic sine", "双曲正弦", "hyperbolic.html",
         ["sinh(1)"],
         ["Returns the hyperbolic sine of x, (e^x - e^-x) / 2."],
         ["返回 x 的双曲正弦 (e^x - e^-x) / 2。"]),
    func("cosh", ["x"], "Hyperbolic cosine", "双曲余弦", "hyperbolic.html",
         ["cosh(1)"],
         ["Returns the hyperbolic cosine of x, (e^x + e^-x) / 2."],
         ["返回 x 的双曲余弦 (e^x + e^-x) / 2。"]),
    func("tanh", ["x"], "Hyperbolic tangent", "双曲正切", "hyperbolic.html",
         ["tanh(0.5)"],
         ["Returns the hyperbolic tangent of x, sinh(x) / cosh(x); the result lies "
          "between -1 and 1."],
         ["返回 x 的双曲正切 sinh(x) / cosh(x)，结果在 -1 与 1 之间。"]),
    func("asinh", ["x"], "Inverse hyperbolic sine", "反双曲正弦", "hyperbolic.html",
         ["asinh(1)", "asinh(-1e10)"],
         ["Returns the number whose hyperbolic sine is x, as the C library's asinh gives it: "
          "correct to the last digits also for very large and very small x. Every x is "
          "allowed."],
         ["返回双曲正弦为 x 的数，取 C 标准库 asinh 的值：x 很大或很小时也精确到最后几位。"
          "x 可取任意值。"]),
    func("acosh", ["x"], "Inverse hyperbolic cosine", "反双曲余弦", "hyperbolic.html",
         ["acosh(2)"],
         ["Returns the non-negative number whose hyperbolic cosine is x, as the C "
          "library's acosh gives it. x must be at least 1; a smaller x gives no number."],
         ["返回双曲余弦为 x 的非负数，取 C 标准库 acosh 的值。x 必须不小于 1，否则没有结果。"]),
    func("atanh", ["x"], "Inverse hyperbolic tangent", "反双曲正切", "hyperbolic.html",
         ["atanh(0.5)"],
         ["Returns the number whose hyperbolic tangent is x, as the C library's atanh "
          "gives it. x must lie between -1 and 1; atanh(1) is infinity."],
         ["返回双曲正切为 x 的数，取 C 标准库 atanh 的值。x 必须在 -1 与 1 之间；"
          "atanh(1) 为无穷大。"]),
    func("degrees", ["x"], "Radians to degrees", "弧度换算为度", "angle.html",
         ["degrees(1)", "degrees(radians(90))"],
         ["Converts the angle x from radians to degrees: 180 * x / π."],
         ["把弧度 x 换算为度：180 * x / π。"]),
    func("radians", ["x"], "Degrees to radians", "度换算为弧度", "angle.html",
         ["radians(180)", "sin(radians(90))"],
         ["Converts the angle x from degrees to radians: π * x / 180. The trigonometric "
          "functions expect radians, so radians() is the usual way to give them degrees."],
         ["把角度 x 从度换算为弧度：π * x / 180。三角函数的参数是弧度，"
          "所以给它们度数时通常先用 radians() 换算。"]),
]

ARITHMETIC = [
    func("sqrt", ["x"], "Square root", "平方根", "power.html",
         ["sqrt(2)", "sqrt(144)"],
         ["Returns the square root of x. For a negative x the result is not a number "
          "and the result box shows the calculation-error text."],
         ["返回 x 的平方根。x 为负数时结果不是数，结果框显示计算错误的提示。"]),
    func("pow", ["x", "y"], "x raised to the power y", "x 的 y 次幂", "power.html",
         ["pow(2,10)", "pow(27,1/3)"],
         ["Returns x raised to the power y, the same as x^y. A fractional power of a "
          "negative number is not a number."],
         ["返回 x 的 y 次幂，与 x^y 相同。负数的分数次幂不是数。"]),
    func("exp", ["x"], "e raised to the power x", "e 的 x 次幂", "power.html",
         ["exp(1)", "exp(ln(5))"],
         ["Returns e (2.718281828...) raised to the power x; it undoes ln()."],
         ["返回 e (2.718281828...) 的 x 次幂，是 ln() 的逆运算。"]),
    func("ln", ["x"], "Natural logarithm", "自然对数", "logarithm.html",
         ["ln(100)", "ln(exp(2))"],
         ["Returns the natural logarithm (base e) of x. ln(0) is minus infinity; "
          "a negative x gives no number."],
         ["返回 x 的自然对数（以 e 为底）。ln(0) 为负无穷大；x 为负数时没有结果。"]),
    func("log", ["x"], "Common logarithm (base 10)", "常用对数（以 10 为底）", "logarithm.html",
         ["log(1000)", "log(2)"],
         ["Returns the common logarithm (base 10) of x. It is the same function as "
          "log10(); for the natural logarithm use ln()."],
         ["返回 x 的常用对数（以 10 为底），与 log10() 是同一个函数；自然对数请用 ln()。"]),
    func("log10", ["x"], "Logarithm to base 10", "以 10 为底的对数", "logarithm.html",
         ["log10(0.01)"],
         ["Returns the logarithm of x to base 10, exactly as log()."],
         ["返回 x 以 10 为底的对数，与 log() 完全相同。"]),
    func("log2", ["x"], "Logarithm to base 2", "以 2 为底的对数", "logarithm.html",
         ["log2(1024)", "log2(10)", "log2(536870912)"],
         ["Returns the logarithm of x to base 2, as the C library's log2 gives it: a power "
          "of two gives its exponent exactly, so log2(536870912) is 29."],
         ["返回 x 以 2 为底的对数，取 C 标准库 log2 的值：2 的整数次幂得到精确的指数，"
          "例如 log2(536870912) 正好是 29。"]),
    func("abs", ["x"], "Absolute value", "绝对值", "rounding.html",
         ["abs(-7.5)"],
         ["Returns x without its sign."],
         ["返回去掉符号的 x。"]),
    func("sign", ["x"], "Sign: -1, 0 or 1", "符号：-1、0 或 1", "rounding.html",
         ["sign(-3)", "sign(0)"],
         ["Returns -1 when x is negative, 1 when x is positive and 0 when x is 0."],
         ["x 为负数时返回 -1，为正数时返回 1，为 0 时返回 0。"]),
    func("rint", ["x"], "Round to the nearest integer", "四舍五入为整数", "rounding.html",
         ["rint(2.5)", "rint(-2.5)", "rint(-2.6)"],
         ["Rounds x to the nearest whole number. A value exactly halfway between two whole "
          "numbers goes up, toward plus infinity: 2.5 gives 3 and -2.5 gives -2. To round to "
          "two decimals, write rint(x*100)/100."],
         ["把 x 四舍五入为最接近的整数。恰好在两个整数正中间的值向上（朝正无穷方向）取整："
          "2.5 得 3，-2.5 得 -2。要保留两位小数，可写 rint(x*100)/100。"]),
    func("fac", ["n"], "Factorial n!", "阶乘 n!", "fac.html",
         ["fac(5)", "fac(20)", "fac(5.9)"],
         ["Returns the factorial 1 * 2 * ... * n of the whole part of n (the fraction is "
          "dropped). For n of 0 or less the result is 1; from 171 on the result is "
          "infinity."],
         ["返回 n 的整数部分的阶乘 1 * 2 * ... * n（小数部分被舍去）。n 小于等于 0 时结果为 1；"
          "n 为 171 及以上时结果为无穷大。"]),
    func("if", ["condition", "a", "b"], "a if condition is not 0, else b",
         "条件不为 0 时取 a，否则取 b", "if.html",
         ["x=-4\nif(x<0,-x,x)", "score=75\nif(score>=60,1,0)"],
         ["Returns a when condition is not 0 and b when it is 0. Comparisons such as "
          "x<0, x>=60, x==1 or x!=1 give 1 when true and 0 when false; and, or and xor "
          "combine whole numbers bit by bit. All three arguments are always computed."],
         ["condition 不为 0 时返回 a，为 0 时返回 b。比较运算 x<0、x>=60、x==1、x!=1 "
          "成立时得 1，不成立时得 0；and、or、xor 按二进制位组合整数。三个参数总是都会被计算。"]),
]

DATETIME = [
    func("today", [], "Today's date as yyyyMMdd", "今天的日期 yyyyMMdd", "dateadd.html",
         ["daydiff(today(),dayadd(today(),30))"],
         ["Returns the current date as a date number yyyyMMdd, for example 20091124 for "
          "24 November 2009. The date is read from the computer's clock each time the "
          "script runs."],
         ["以日期数 yyyyMMdd 的形式返回当前日期，例如 2009 年 11 月 24 日为 20091124。"
          "每次运行脚本时从计算机时钟读取日期。"]),
    func("dayadd", ["date", "n"], "Date plus n days", "日期加 n 天", "dateadd.html",
         ["dayadd(20091231,1)", "dayadd(20091124,-30)"],
         ["Returns the date n days after date (before it for a negative n). The fraction "
          "of n is dropped. A result that is no valid date gives 0."],
         ["返回 date 之后 n 天的日期（n 为负数时为之前）。n 的小数部分被舍去。"
          "结果不是有效日期时得 0。"]),
    func("monthadd", ["date", "n"], "Date plus n months", "日期加 n 个月", "dateadd.html",
         ["monthadd(20090131,1)", "monthadd(20091124,-12)"],
         ["Returns the date n months after date. A day that does not exist in the target "
          "month becomes that month's last day: 31 January plus one month is "
          "28 February."],
         ["返回 date 之后 n 个月的日期。目标月份没有的日子变为该月的最后一天："
          "1 月 31 日加一个月为 2 月 28 日。"]),
    func("yearadd", ["date", "n"], "Date plus n years", "日期加 n 年", "dateadd.html",
         ["yearadd(20080229,1)", "yearadd(20091124,10)"],
         ["Returns the date n years after date. 29 February in a year without it "
          "becomes 28 February."],
         ["返回 date 之后 n 年的日期。目标年份没有 2 月 29 日时变为 2 月 28 日。"]),
    func("datevalue", ["date"], "Day number of a date", "日期的序号", "datediff.html",
         ["datevalue(20091124)", "datevalue(19000101)"],
         ["Returns the number of days from 30 December 1899 to date, so 31 December 1899 "
          "is day 1. An impossible date such as 20090230 gives -2415019."],
         ["返回从 1899 年 12 月 30 日到 date 的天数，因此 1899 年 12 月 31 日为第 1 天。"
          "不存在的日期（如 20090230）得 -2415019。"]),
    func("daydiff", ["date1", "date2"], "Days from date1 to date2", "两个日期相差的天数",
         "datediff.html",
         ["daydiff(20090101,20091231)", "daydiff(20091231,20090101)"],
         ["Returns the number of days from date1 to date2, positive when date2 is later."],
         ["返回从 date1 到 date2 的天数，date2 较晚时为正数。"]),
    func("monthdiff", ["date1", "date2"], "Months from date1 to date2",
         "两个日期相差的月数", "datediff.html",
         ["monthdiff(20090131,20090201)", "monthdiff(20080815,20091124)"],
         ["Returns the difference of the calendar months, (year2 - year1) * 12 + "
          "(month2 - month1). The days of the month play no part, so 31 January to "
          "1 February counts as one month."],
         ["返回两个日期的月份差 (年2 - 年1) * 12 + (月2 - 月1)。日不参与计算，"
          "所以 1 月 31 日到 2 月 1 日算作一个月。"]),
    func("yeardiff", ["date1", "date2"], "Years from date1 to date2",
         "两个日期相差的年数", "datediff.html",
         ["yeardiff(20091231,20100101)", "yeardiff(19800315,20091124)"],
         ["Returns year2 - year1; months and days play no part."],
         ["返回 年2 - 年1；月和日不参与计算。"]),
    func("days360", ["date1", "date2"], "Days from date1 to date2 on a 360-day year",
         "按每年 360 天计算的天数差", "datediff.html",
         ["days360(20090131,20090301)", "days360(20090101,20091231)"],
         ["Returns the day count used in bond and interest calculations that treat every "
          "month as 30 days: (year2 - year1) * 360 + (month2 - month1) * 30 + "
          "(day2 - day1). The 31st counts as day 31; there is no end-of-month "
          "adjustment."],
         ["返回债券和利息计算中常用的天数，把每个月都按 30 天计算："
          "(年2 - 年1) * 360 + (月2 - 月1) * 30 + (日2 - 日1)。31 日按 31 计算，"
          "不做月末调整。"]),
]
