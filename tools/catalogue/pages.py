"""Titles and introductions of the help pages, and the bodies of the pages that
are not made of catalogue sections: main.html, base.html and constants.html."""

from helppage import attr, example, text
from scripts import CONSTANT_TABLE

DATE_INTRO = {
    "en": ["Dates are written as numbers of the form yyyyMMdd: 20091124 is "
           "24 November 2009. The date functions read such numbers and return them, so "
           "their results can be used again as dates."],
    "zh": ["日期写成 yyyyMMdd 形式的数：20091124 表示 2009 年 11 月 24 日。"
           "日期函数读取这种数并返回这种数，因此结果可以再作为日期使用。"],
}

# file name -> title and introduction, in the order main.html lists them.
PAGES = {
    "trig.html": ({"en": "Trigonometric functions", "zh": "三角函数"},
                  {"en": ["Angles are given in radians. radians() converts degrees to "
                          "radians, degrees() converts back."],
                   "zh": ["角以弧度为单位。radians() 把度换算为弧度，degrees() 把弧度换算为度。"]}),
    "arctrig.html": ({"en": "Inverse trigonometric functions", "zh": "反三角函数"},
                     {"en": ["The inverse functions return angles in radians; wrap them in "
                             "degrees() to get degrees."],
                      "zh": ["反三角函数返回以弧度表示的角；用 degrees() 包起来即得到度数。"]}),
    "hyperbolic.html": ({"en": "Hyperbolic functions", "zh": "双曲函数"}, {"en": [], "zh": []}),
    "angle.html": ({"en": "Angle conversion", "zh": "角度换算"}, {"en": [], "zh": []}),
    "power.html": ({"en": "Powers, roots and exponential", "zh": "乘方、开方与指数"},
                   {"en": ["Besides these functions, the operator ^ raises to a power: "
                           "2^10 is 1024."],
                    "zh": ["除这些函数外，运算符 ^ 也表示乘方：2^10 等于 1024。"]}),
    "logarithm.html": ({"en": "Logarithms", "zh": "对数"},
                       {"en": ["Note that log() is the common logarithm to base 10, "
                               "and ln() the natural logarithm."],
                        "zh": ["注意 log() 是以 10 为底的常用对数，ln() 是自然对数。"]}),
    "rounding.html": ({"en": "Absolute value, sign and rounding", "zh": "绝对值、符号与取整"},
                      {"en": [], "zh": []}),
    "fac.html": ({"en": "Factorial", "zh": "阶乘"}, {"en": [], "zh": []}),
    "if.html": ({"en": "Conditions", "zh": "条件"}, {"en": [], "zh": []}),
    "statistics.html": ({"en": "Statistics", "zh": "统计"},
                        {"en": ["sum, avg, min and max take any number of arguments, "
                                "separated by commas. The scripts further down compute "
                                "common statistics of a few values; replace the numbers on "
                                "their first lines with your own."],
                         "zh": ["sum、avg、min、max 可以有任意多个参数，参数之间用逗号分隔。"
                                "下面的脚本计算几个数据的常用统计量；把前几行的数换成自己的数据即可。"]}),
    "finance.html": ({"en": "Finance", "zh": "金融"},
                     {"en": ["Each finance entry inserts a complete script. Its first lines "
                             "hold the inputs; change them and press = to recompute. Rates "
                             "are fractions per period: 5 % a year is 0.05."],
                      "zh": ["每个金融条目插入一段完整的脚本。前几行是输入数据，修改后按 = 重新计算。"
                             "利率写成每期的小数：年利率 5 % 写作 0.05。"]}),
    "base.html": ({"en": "Base conversion", "zh": "进制转换"}, {"en": [], "zh": []}),
    "constants.html": ({"en": "Constants", "zh": "常数"}, {"en": [], "zh": []}),
    "dateadd.html": ({"en": "Today and date arithmetic", "zh": "今天与日期推算"}, DATE_INTRO),
    "datediff.html": ({"en": "Date differences", "zh": "日期差"}, DATE_INTRO),
    "examples.html": ({"en": "Example scripts", "zh": "示例脚本"},
                      {"en": ["The USERDEFINE category holds worked examples. Insert one, "
                              "change its numbers and run it. You can add your own entries "
                              "to this category (see the Contents page)."],
                       "zh": ["“自定义”类别中是一些完整的示例。插入后修改其中的数据再运行即可。"
                              "也可以向此类别添加自己的条目（见目录页）。"]}),
}


def base_body(lang):
    if lang == "en":
        paras = [
            "The base-conversion entries do not insert anything. A double-click runs the "
            "script, as the = button does, and then shows the result in the result box "
            "twice: as the calculator wrote it, an arrow -->>, and the same number in the "
            "chosen base, in capital letters.",
            "The value of the run is converted, not the text in the box, so a large whole "
            "number shown in exponent form converts exactly. It must be a whole number "
            "within the 64-bit signed range (about ±9.2e+18); any other result (a fraction, "
            "an infinity, a larger number) is followed by a note that it is not a whole "
            "number in range. A negative number is shown as its 64-bit two's complement "
            "pattern, so -1 becomes sixteen F digits in hexadecimal.",
            "If the script has an error, the error message appears and nothing is converted; "
            "the result box keeps what it showed.",
        ]
    else:
        paras = [
            "进制转换条目不插入任何内容。双击时先像按 = 按钮一样运行脚本，然后在结果框中显示："
            "计算器给出的结果、箭头 -->>、以及该数在所选进制下的写法（大写字母）。",
            "转换的是运行得到的数值，而不是结果框中的文字，所以以指数形式显示的大整数也能精确转换。"
            "该数必须是 64 位有符号整数范围内（约 ±9.2e+18）的整数；其他结果（带小数、无穷大、"
            "更大的数）后面会注明它不是范围内的整数。负数显示为 64 位二进制补码，"
            "所以 -1 在十六进制下是十六个 F。",
            "脚本有错误时会显示错误信息，不做转换，结果框保持原来的内容。",
        ]
    body = ["<p>%s</p>" % text(p) for p in paras]
    for script, b in [("255", 16), ("5", 2), ("64", 8), ("a=12\nb=10\na*b", 16),
                      ("-1", 16), ("2^31", 16)]:
        body.append(example(script, lang, base=b))
    return "\n".join(body)


def constants_body(lang):
    if lang == "en":
        paras = [
            "The calculator has no built-in constants: a script defines them as ordinary "
            "variables. A double-click on a constant inserts its name at the caret and, if "
            "the script does not define it yet, adds the definition as a new first line. "
            "The definition counts as present when the script contains the name, = and the "
            "first four characters of the value (for pi: pi=3.14) anywhere.",
            "Values marked exact are fixed by definition; the others are the CODATA 2018 "
            "recommended values.",
        ]
        head = ("Name", "Value", "Unit", "Meaning")
    else:
        paras = [
            "计算器没有内置常数：脚本把它们定义为普通变量。双击某个常数时，在光标处插入其名称；"
            "若脚本中尚无其定义，则把定义作为新的第一行加入。只要脚本中任意位置含有"
            "“名称=数值的前四个字符”（如 pi=3.14），就认为已经定义。",
            "标注为精确值的常数由定义给出；其余为 CODATA 2018 推荐值。",
        ]
        head = ("名称", "数值", "单位", "含义")
    body = ["<p>%s</p>" % text(p) for p in paras]
    body.append("<table>\n<tr>%s</tr>" % "".join("<th>%s</th>" % text(h) for h in head))
    for name, value, unit, en, zh in CONSTANT_TABLE:
        body.append('<tr id="%s"><td><code>%s</code></td><td><code>%s</code></td>'
                    "<td>%s</td><td>%s</td></tr>"
                    % (attr(name), text(name), text(value), text(unit),
                       text(en if lang == "en" else zh)))
    body.append("</table>")
    body.append("<h2>%s</h2>" % ("Examples" if lang == "en" else "示例"))
    for script in ["pi=3.14159265358979\nr=2\n2*pi*r",
                   "c0=299792458\nm=0.001\nm*c0^2",
                   "h=6.62607015e-34\nc0=299792458\nwavelength=500e-9\nh*c0/wavelength",
                   "R=8.314462618\nn=1\nT=273.15\nP=101325\nn*R*T/P"]:
        body.append(example(script, lang))
    return "\n".join(body)
