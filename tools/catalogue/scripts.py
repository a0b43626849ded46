"""Catalogue entries of STATISTICS, FINANCE, BASECONVERSION, CONSTANTS and
USERDEFINE.  Script entries insert a complete small script that runs as it
stands; the user then changes the numbers on its first lines."""

from functions import func


def script(sid, show, desc, page, lines, en_text, zh_text, extra_examples=()):
    template = "\n".join(lines)
    return {
        "show": show,
        "in": template,
        "bidx": 0,
        "style": 1,
        "desc": desc,
        "help": page,
        "section": {
            "id": sid,
            "title": show,
            "syntax": None,
            "text": {"en": en_text, "zh": zh_text},
            "examples": [template] + list(extra_examples),
        },
    }


STATISTICS = [
    func("sum", ["x1", "x2", "..."], "Sum of the arguments", "各参数之和", "statistics.html",
         ["sum(1,2,3,4)", "a=2.5\nb=4\nsum(a,b,10)"],
         ["Adds any number of arguments, at least one, in the order given."],
         ["把任意多个参数（至少一个）按给出的顺序相加。"]),
    func("avg", ["x1", "x2", "..."], "Arithmetic mean", "算术平均值", "statistics.html",
         ["avg(2,4,9)", "avg(1,2,6)"],
         ["Returns the sum of the arguments divided by their count."],
         ["返回各参数之和除以参数个数。"]),
    func("min", ["x1", "x2", "..."], "Smallest argument", "最小值", "statistics.html",
         ["min(7,-2,5)"],
         ["Returns the smallest of its arguments."],
         ["返回各参数中最小的一个。"]),
    func("max", ["x1", "x2", "..."], "Largest argument", "最大值", "statistics.html",
         ["max(7,-2,5)"],
         ["Returns the largest of its arguments."],
         ["返回各参数中最大的一个。"]),
    script("variance", {"en": "Variance (population)", "zh": "方差（总体）"},
           {"en": "Mean squared deviation of five values", "zh": "五个数据的总体方差"},
           "statistics.html",
           ["x1=2", "x2=4", "x3=4", "x4=5", "x5=5",
            "mean=avg(x1,x2,x3,x4,x5)",
            "avg((x1-mean)^2,(x2-mean)^2,(x3-mean)^2,(x4-mean)^2,(x5-mean)^2)"],
           ["The population variance is the mean of the squared deviations from the "
            "mean. Put your data on the first five lines; for more values add lines and "
            "add them to both avg() calls."],
           ["总体方差是各数据与平均值之差的平方的平均值。把数据写在前五行；数据更多时，"
            "增加行并把它们加入两个 avg() 调用中。"]),
    script("stddev", {"en": "Standard deviation (sample)", "zh": "标准差（样本）"},
           {"en": "Sample standard deviation of five values", "zh": "五个数据的样本标准差"},
           "statistics.html",
           ["x1=2", "x2=4", "x3=4", "x4=5", "x5=5", "n=5",
            "mean=sum(x1,x2,x3,x4,x5)/n",
            "sqrt(sum((x1-mean)^2,(x2-mean)^2,(x3-mean)^2,(x4-mean)^2,(x5-mean)^2)/(n-1))"],
           ["The sample standard deviation divides the sum of squared deviations by n - 1 "
            "and takes the square root."],
           ["样本标准差用离差平方和除以 n - 1，再开平方。"]),
    script("weighted", {"en": "Weighted average", "zh": "加权平均"},
           {"en": "Average of values with weights", "zh": "带权重的平均值"},
           "statistics.html",
           ["score1=80", "weight1=2", "score2=90", "weight2=3", "score3=70", "weight3=5",
            "(score1*weight1+score2*weight2+score3*weight3)/(weight1+weight2+weight3)"],
           ["Each value counts as often as its weight says."],
           ["每个数据按其权重计入平均值。"]),
    script("geomean", {"en": "Geometric mean", "zh": "几何平均"},
           {"en": "Cube root of the product of three values", "zh": "三个数乘积的立方根"},
           "statistics.html",
           ["x1=2", "x2=8", "x3=4", "pow(x1*x2*x3,1/3)"],
           ["The geometric mean of n positive values is the n-th root of their product; "
            "it suits growth factors and ratios."],
           ["n 个正数的几何平均是它们乘积的 n 次方根，适用于增长率和比率。"]),
    script("change", {"en": "Percentage change", "zh": "变化百分比"},
           {"en": "Change from old to new in percent", "zh": "从旧值到新值的变化百分比"},
           "statistics.html",
           ["old=80", "new=100", "(new-old)/old*100"],
           ["The change from the old value to the new one, in percent of the old value."],
           ["从旧值到新值的变化量，以旧值的百分比表示。"]),
]

FINANCE = [
    script("simple", {"en": "Simple interest", "zh": "单利终值"},
           {"en": "Amount after simple interest", "zh": "按单利计算的本利和"},
           "finance.html",
           ["principal=1000", "rate=0.05", "years=3", "principal*(1+rate*years)"],
           ["Interest is paid on the principal only: amount = principal * (1 + rate * years). "
            "The rate is written as a fraction: 5 % is 0.05."],
           ["只对本金计息：本利和 = 本金 * (1 + 利率 * 年数)。利率写成小数：5 % 写作 0.05。"]),
    script("compound", {"en": "Compound interest", "zh": "复利终值"},
           {"en": "Amount after yearly compounding", "zh": "按年复利的本利和"},
           "finance.html",
           ["principal=1000", "rate=0.05", "years=10", "principal*(1+rate)^years"],
           ["Interest is added to the principal every year and earns interest itself: "
            "amount = principal * (1 + rate)^years."],
           ["每年把利息计入本金，利息也再生利息：本利和 = 本金 * (1 + 利率)^年数。"]),
    script("compoundperiods", {"en": "Compound interest, n periods a year",
                               "zh": "复利终值（每年多期）"},
           {"en": "Amount with monthly (or other) compounding", "zh": "按月（或其他周期）复利的本利和"},
           "finance.html",
           ["principal=1000", "rate=0.05", "years=10", "periods=12",
            "principal*(1+rate/periods)^(periods*years)"],
           ["With periods compounding steps a year (12 for monthly), each step adds "
            "rate / periods."],
           ["每年复利 periods 次（按月为 12），每次计入 利率 / periods 的利息。"]),
    script("continuous", {"en": "Continuous compounding", "zh": "连续复利"},
           {"en": "Amount with continuous compounding", "zh": "连续复利的本利和"},
           "finance.html",
           ["principal=1000", "rate=0.05", "years=10", "principal*exp(rate*years)"],
           ["The limit of ever more frequent compounding: amount = principal * e^(rate * years)."],
           ["复利次数无限增多时的极限：本利和 = 本金 * e^(利率 * 年数)。"]),
    script("presentvalue", {"en": "Present value", "zh": "现值"},
           {"en": "Today's value of a future amount", "zh": "未来一笔钱在今天的价值"},
           "finance.html",
           ["future=10000", "rate=0.05", "years=10", "future/(1+rate)^years"],
           ["How much must be invested today at the given rate to reach the future amount: "
            "present = future / (1 + rate)^years."],
           ["按给定利率今天需要投入多少，才能在若干年后得到该金额：现值 = 终值 / (1 + 利率)^年数。"]),
    script("loan", {"en": "Loan payment (annuity)", "zh": "等额本息月供"},
           {"en": "Monthly payment of a loan", "zh": "贷款的每月还款额"},
           "finance.html",
           ["loan=200000", "rate=0.06", "years=30", "i=rate/12", "n=years*12",
            "loan*i*(1+i)^n/((1+i)^n-1)"],
           ["The equal payment per period that repays the loan with interest: "
            "payment = loan * i * (1 + i)^n / ((1 + i)^n - 1), where i is the interest rate "
            "per month and n the number of monthly payments."],
           ["在期限内还清贷款本息的每期等额还款：月供 = 贷款 * i * (1 + i)^n / ((1 + i)^n - 1)，"
            "其中 i 为月利率，n 为还款月数。"]),
    script("loaninterest", {"en": "Total interest of a loan", "zh": "贷款利息总额"},
           {"en": "Interest paid over the whole loan", "zh": "整个贷款期内支付的利息"},
           "finance.html",
           ["loan=200000", "rate=0.06", "years=30", "i=rate/12", "n=years*12",
            "payment=loan*i*(1+i)^n/((1+i)^n-1)", "payment*n-loan"],
           ["All payments together minus the amount borrowed."],
           ["全部还款额减去贷款本金。"]),
    script("annuityfv", {"en": "Future value of an annuity", "zh": "年金终值"},
           {"en": "Savings from equal payments", "zh": "定期等额存入的终值"},
           "finance.html",
           ["payment=100", "rate=0.05", "periods=10", "payment*((1+rate)^periods-1)/rate"],
           ["The amount reached by paying the same sum at the end of every period, with "
            "interest rate per period: payment * ((1 + rate)^periods - 1) / rate."],
           ["每期期末存入相同金额、按每期利率计息，最终得到的金额："
            "每期金额 * ((1 + 利率)^期数 - 1) / 利率。"]),
    script("annuitypv", {"en": "Present value of an annuity", "zh": "年金现值"},
           {"en": "Today's value of equal future payments", "zh": "未来等额收付在今天的价值"},
           "finance.html",
           ["payment=100", "rate=0.05", "periods=10", "payment*(1-(1+rate)^(-periods))/rate"],
           ["What a series of equal payments at the end of every period is worth today: "
            "payment * (1 - (1 + rate)^-periods) / rate."],
           ["每期期末收付相同金额的一系列款项在今天的价值："
            "每期金额 * (1 - (1 + 利率)^-期数) / 利率。"]),
    script("effective", {"en": "Effective annual rate", "zh": "实际年利率"},
           {"en": "Yearly rate equal to a compounded nominal rate",
            "zh": "名义利率多次复利后的实际年利率"},
           "finance.html",
           ["nominal=0.06", "periods=12", "(1+nominal/periods)^periods-1"],
           ["A nominal yearly rate compounded periods times a year grows money as fast as "
            "this effective rate compounded once."],
           ["名义年利率每年复利 periods 次，与按此实际利率每年复利一次的增长相同。"]),
    script("doubling", {"en": "Doubling time", "zh": "翻倍所需年数"},
           {"en": "Years until an amount doubles", "zh": "金额翻倍需要的年数"},
           "finance.html",
           ["rate=0.07", "ln(2)/ln(1+rate)"],
           ["The number of years after which yearly compound interest doubles an amount."],
           ["按年复利时，金额翻一番所需的年数。"]),
    script("cagr", {"en": "Compound annual growth rate", "zh": "年均复合增长率"},
           {"en": "Average yearly growth from start to end value",
            "zh": "从起始值到最终值的年均增长率"},
           "finance.html",
           ["start=1000", "final=2000", "years=5", "(final/start)^(1/years)-1"],
           ["The constant yearly rate that turns the start value into the final value in "
            "the given years."],
           ["在给定年数内把起始值变为最终值的固定年增长率。"]),
]

USERDEFINE = [
    script("circle", {"en": "Circle area", "zh": "圆面积"},
           {"en": "Area of a circle of radius r", "zh": "半径为 r 的圆的面积"},
           "examples.html",
           ["pi=3.14159265358979", "r=2", "pi*r^2"],
           ["The area of a circle is π r². The script defines pi first, because the "
            "calculator has no built-in constants."],
           ["圆面积为 π r²。计算器没有内置常数，所以脚本先定义 pi。"]),
    script("sphere", {"en": "Sphere volume", "zh": "球体积"},
           {"en": "Volume of a sphere of radius r", "zh": "半径为 r 的球的体积"},
           "examples.html",
           ["pi=3.14159265358979", "r=3", "4/3*pi*r^3"],
           ["The volume of a sphere is 4/3 π r³."],
           ["球的体积为 4/3 π r³。"]),
    script("hypotenuse", {"en": "Right triangle hypotenuse", "zh": "直角三角形斜边"},
           {"en": "Hypotenuse from the two legs", "zh": "由两条直角边求斜边"},
           "examples.html",
           ["a=3", "b=4", "sqrt(a^2+b^2)"],
           ["By Pythagoras' theorem the hypotenuse is the square root of a² + b²."],
           ["由勾股定理，斜边等于 a² + b² 的平方根。"]),
    script("heron", {"en": "Triangle area (Heron)", "zh": "三角形面积（海伦公式）"},
           {"en": "Area of a triangle from its three sides", "zh": "由三边长求三角形面积"},
           "examples.html",
           ["a=3", "b=4", "c=5", "s=(a+b+c)/2", "sqrt(s*(s-a)*(s-b)*(s-c))"],
           ["Heron's formula: with s half the perimeter, the area is "
            "sqrt(s (s - a) (s - b) (s - c))."],
           ["海伦公式：设 s 为周长的一半，面积为 sqrt(s (s - a) (s - b) (s - c))。"]),
    script("quadratic", {"en": "Quadratic equation root", "zh": "一元二次方程的根"},
           {"en": "Larger root of a x² + b x + c = 0", "zh": "a x² + b x + c = 0 的较大根"},
           "examples.html",
           ["a=1", "b=-3", "c=2", "(-b+sqrt(b^2-4*a*c))/(2*a)"],
           ["For a positive a this gives the larger root; write -sqrt instead of +sqrt on "
            "the last line for the other one. When b² - 4ac is negative there is no real "
            "root and the result box shows the calculation-error text."],
           ["a 为正数时得到较大的根；把最后一行的 +sqrt 改为 -sqrt 得到另一个根。"
            "b² - 4ac 为负数时没有实根，结果框显示计算错误的提示。"]),
    script("bmi", {"en": "Body mass index", "zh": "身体质量指数 BMI"},
           {"en": "Mass in kg divided by height in m squared", "zh": "体重（千克）除以身高（米）的平方"},
           "examples.html",
           ["mass=70", "height=1.75", "mass/height^2"],
           ["The body mass index is the mass in kilograms divided by the square of the "
            "height in metres."],
           ["身体质量指数等于体重（千克）除以身高（米）的平方。"]),
    script("c2f", {"en": "Celsius to Fahrenheit", "zh": "摄氏度换算为华氏度"},
           {"en": "Temperature in °F from °C", "zh": "由 °C 求 °F"},
           "examples.html",
           ["celsius=25", "celsius*9/5+32"],
           ["°F = °C × 9/5 + 32."],
           ["°F = °C × 9/5 + 32。"]),
    script("f2c", {"en": "Fahrenheit to Celsius", "zh": "华氏度换算为摄氏度"},
           {"en": "Temperature in °C from °F", "zh": "由 °F 求 °C"},
           "examples.html",
           ["fahrenheit=98.6", "(fahrenheit-32)*5/9"],
           ["°C = (°F - 32) × 5/9."],
           ["°C = (°F - 32) × 5/9。"]),
]


def base(number, en, zh):
    return {
        "show": {"en": en, "zh": zh},
        "in": str(number),
        "bidx": 0,
        "style": 2,
        "desc": {"en": "Run, then show the result in base %d" % number,
                 "zh": "运行脚本，并以 %d 进制显示结果" % number},
        "help": "base.html",
        "section": None,
    }


BASECONVERSION = [
    base(2, "Binary (base 2)", "二进制"),
    base(8, "Octal (base 8)", "八进制"),
    base(16, "Hexadecimal (base 16)", "十六进制"),
]

# name, value, unit, English meaning, Chinese meaning.  Values are exact where
# the quantity is defined exactly, otherwise the CODATA 2018 recommended value.
CONSTANT_TABLE = [
    ("pi", "3.14159265358979", "", "Circle constant π", "圆周率 π"),
    ("e", "2.71828182845905", "", "Base of the natural logarithm", "自然对数的底 e"),
    ("c0", "299792458", "m/s", "Speed of light in vacuum (exact)", "真空中的光速（精确值）"),
    ("g0", "9.80665", "m/s²", "Standard acceleration of gravity (exact)",
     "标准重力加速度（精确值）"),
    ("h", "6.62607015e-34", "J·s", "Planck constant (exact)", "普朗克常数（精确值）"),
    ("hbar", "1.054571817e-34", "J·s", "Reduced Planck constant h/2π", "约化普朗克常数 h/2π"),
    ("NA", "6.02214076e23", "1/mol", "Avogadro constant (exact)", "阿伏伽德罗常数（精确值）"),
    ("k", "1.380649e-23", "J/K", "Boltzmann constant (exact)", "玻尔兹曼常数（精确值）"),
    ("qe", "1.602176634e-19", "C", "Elementary charge (exact)", "元电荷（精确值）"),
    ("R", "8.314462618", "J/(mol·K)", "Molar gas constant", "摩尔气体常数"),
    ("F", "96485.33212", "C/mol", "Faraday constant", "法拉第常数"),
    ("Vm", "22.41396954e-3", "m³/mol", "Molar volume of an ideal gas at 273.15 K and 101.325 kPa",
     "理想气体摩尔体积（273.15 K，101.325 kPa）"),
    ("G", "6.67430e-11", "m³/(kg·s²)", "Newtonian constant of gravitation", "万有引力常数"),
    ("me", "9.1093837015e-31", "kg", "Electron mass", "电子质量"),
    ("mp", "1.67262192369e-27", "kg", "Proton mass", "质子质量"),
    ("mn", "1.67492749804e-27", "kg", "Neutron mass", "中子质量"),
    ("u", "1.66053906660e-27", "kg", "Atomic mass constant", "原子质量常数"),
    ("eps0", "8.8541878128e-12", "F/m", "Vacuum electric permittivity", "真空电容率"),
    ("mu0", "1.25663706212e-6", "N/A²", "Vacuum magnetic permeability", "真空磁导率"),
    ("sigma", "5.670374419e-8", "W/(m²·K⁴)", "Stefan-Boltzmann constant",
     "斯特藩-玻尔兹曼常数"),
    ("alpha", "7.2973525693e-3", "", "Fine-structure constant", "精细结构常数"),
    ("a0", "5.29177210903e-11", "m", "Bohr radius", "玻尔半径"),
    ("Rinf", "10973731.568160", "1/m", "Rydberg constant", "里德伯常量"),
    ("atm", "101325", "Pa", "Standard atmosphere (exact)", "标准大气压（精确值）"),
]


def constant(name, value, unit, en, zh):
    unit_text = " " + unit if unit else ""
    return {
        "show": {"en": name + " = " + value, "zh": name + " = " + value},
        "in": name + "=" + value,
        "bidx": 0,
        "style": 3,
        "desc": {"en": en + unit_text.replace(" ", ", ", 1) if unit else en,
                 "zh": zh + unit_text.replace(" ", "，", 1) if unit else zh},
        "help": "constants.html",
        "section": None,
    }


CONSTANTS = [constant(*row) for row in CONSTANT_TABLE]
