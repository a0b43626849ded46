"""The start page, main.html, in both languages."""

from helppage import example, text

USER_ENTRY = """<USERDEFINE>
  <fun>
    <vk_show>Cylinder volume</vk_show>
    <vk_in>pi=3.14159265358979&#10;r=1&#10;height=2&#10;pi*r^2*height</vk_in>
    <vk_bidx>0</vk_bidx>
    <vk_style>1</vk_style>
    <vk_shortdesc>Volume of a cylinder</vk_shortdesc>
    <vk_help>examples.html</vk_help>
  </fun>
</USERDEFINE>"""


def _p(items):
    return "\n".join("<p>%s</p>" % text(s) for s in items)


def _ul(items):
    return "<ul>\n%s\n</ul>" % "\n".join("<li>%s</li>" % text(s) for s in items)


def _table(head, rows):
    out = ["<table>", "<tr>%s</tr>" % "".join("<th>%s</th>" % text(h) for h in head)]
    for row in rows:
        out.append("<tr>%s</tr>" % "".join("<td>%s</td>" % text(c) for c in row))
    out.append("</table>")
    return "\n".join(out)


def _h2(ident, title):
    return '<h2 id="%s">%s</h2>' % (ident, text(title))


def _index(lang, pages):
    items = ['<li><a href="%s">%s</a></li>' % (name, text(title[lang]))
             for name, (title, _) in pages.items()]
    return "<ul>\n%s\n</ul>" % "\n".join(items)


def body_en(pages):
    lang = "en"
    parts = [
        _p(["ScriptCalc evaluates small scripts: a few lines of expressions, where earlier "
            "lines usually give values to variables and the last line computes the answer. "
            "Type the script in the editor and press = (or Ctrl+Return, or F9) to run it; "
            "the value of the last line appears in the result box. The column beside the "
            "editor shows the value of every line, and it follows your typing. The keypad, "
            "the function catalogue and the unit converter help to write the script."]),
        example("r=2\n3*r^2", lang),
        _h2("scripts", "Scripts"),
        _ul(["Write one expression per line. The lines are evaluated from top to bottom, "
             "and the result box shows the value of the last one.",
             "Every line is evaluated, an empty one too, and an empty line is an error. "
             "Do not leave a line break after the last line.",
             "There are no comments. Spaces between the parts of an expression are allowed; "
             "tabs are not.",
             "Numbers are written with a decimal point and an optional exponent: 12, 3.5, "
             ".5, 2.5e-3. There are no thousands separators; a comma always separates "
             "function arguments."]),
        _h2("variables", "Variables"),
        _p(["A line such as rate=0.05 gives the variable rate the value 0.05; later lines "
            "use it by name. A variable that has not been given a value reads as 0, and "
            "every run starts all variables at 0 again."]),
        _ul(["Names consist of the letters A to Z and a to z, digits and the underscore, "
             "and begin with a letter or underscore. Capital and small letters differ: "
             "R and r are two variables.",
             "Do not use the name of a built-in function (sum, log, if, ...) as a variable.",
             "A name may not begin with and, or or xor, because those words are operators: "
             "order or android do not work as names.",
             "The calculator knows no constants. pi, e and the physical constants are "
             "ordinary variables that the script defines; the π and e keys and the "
             "Constants category add their definition lines for you."]),
        example("principal=1000\nrate=0.05\nprincipal*rate", lang),
        _h2("operators", "Operators"),
        _p(["From the lowest to the highest precedence. Operators of the same precedence "
            "group from the left, even ^: 2^3^2 is (2^3)^2 = 64. The minus sign in front of "
            "a value binds like * and /, so -2^2 is -(2^2) = -4. Use brackets when in "
            "doubt.",
            "Two minus signs in a row, as in --2, 1 -- -1 or sin(--1), are rejected. Write "
            "a subtraction of a negative value with a blank between the signs, 1- -2, or "
            "with brackets, -(-2)."]),
        _table(["Operators", "Meaning"], [
            ["=", "assignment to a variable, only directly after its name"],
            ["and  or  xor", "bit-wise and, or, exclusive or of whole numbers "
                             "(the fractions are dropped)"],
            ["<  <=  >  >=  ==  !=", "comparisons: 1 when true, 0 when false"],
            ["+  -", "addition, subtraction"],
            ["*  /", "multiplication, division; the minus sign of a negative value"],
            ["^", "power"],
            ["( )  ,", "brackets; the comma separates the arguments of a function"],
        ]),
        example("2^3^2", lang),
        example("-2^2", lang),
        example("1- -2", lang),
        example("-(-2)", lang),
        example("6 xor 3", lang),
        _h2("results", "Results"),
        _p(["Results from 1 up to 100000000 (without the sign) are shown with up to eight "
            "decimals, without trailing zeros. Other results are shown with six significant "
            "digits, in exponent form when they are very large or very small. An infinite "
            "result, such as from a division by zero, is shown as ∞; a result that is no "
            "number, such as sqrt(-1), shows the calculation-error text."]),
        example("1/3+1", lang),
        example("2/3", lang),
        example("123456789", lang),
        example("1/0", lang),
        _h2("keypad", "Keypad"),
        _table(["Key", "Action"], [
            ["0 to 9, 00, .", "type digits and the decimal point"],
            ["+  -  *  /  (  )  ,", "type the operator, bracket or comma"],
            ["←┘", "start a new line"],
            ["←", "delete the selection or the character before the caret"],
            ["√", "insert sqrt() with the caret between the brackets"],
            ["x^2", "insert pow(,2) with the caret where the base goes"],
            ["π, e", "insert the name pi or e, and the line that defines it at the top of the "
                     "script if it is not there yet"],
            ["=", "run the script (also Ctrl+Return or F9)"],
            ["C", "clear the script and the result"],
        ]),
        _h2("catalogue", "Function catalogue"),
        _p(["The catalogue beside the editor lists, by category, what the calculator offers: "
            "trigonometric functions, arithmetic, base conversion, statistics, finance, "
            "constants, date and time, and your own entries. A double-click on an entry acts "
            "on the script:"]),
        _ul(["A function inserts its call, with the caret where the first argument goes.",
             "A script entry (finance, statistics, examples) inserts a complete script that "
             "runs as it stands; change its numbers to suit.",
             "A base-conversion entry runs the script and shows the result in another base.",
             "A constant inserts its name and adds its definition line to the top of the "
             "script when it is missing."]),
        _p(["The ? button opens the help page of the selected entry, or this page when no "
            "entry is selected."]),
        _h2("userdefine", "Adding your own entries"),
        _p(["The catalogue is read from the file lang/en_us/config/function.xml in the "
            "installation folder every time a category is chosen. Each entry is a fun "
            "element with six parts: vk_show (the name shown), vk_in (the text inserted), "
            "vk_bidx (how many characters the caret moves back after inserting), vk_style "
            "(1 inserts text, 2 converts the result to the base given in vk_in, 3 inserts a "
            "constant written as name=value), vk_shortdesc (the description shown) and "
            "vk_help (the help page). A line break inside vk_in is written as &#10;. "
            "An entry for the USERDEFINE category could look like this:"]),
        "<pre>%s</pre>" % text(USER_ENTRY),
        _h2("units", "Unit conversion"),
        _p(["The second page converts lengths, areas, volumes and masses. Choose the kind of "
            "quantity in the list on the left, type the value in the box above the left unit "
            "list, and click the unit to convert from in the left list and the unit to "
            "convert to in the right list. The converted value, with six significant digits, "
            "appears above the right list; OK inserts it into the script at the caret. The "
            "units include metric, imperial and US units and the traditional Chinese units; "
            "they are read from lang/en_us/config/unit.xml."]),
        _h2("errors", "Errors"),
        _p(["When a line cannot be understood, a message box tells what is wrong and shows "
            "the offending part of the line. The run stops at that line, the lines after it "
            "are not evaluated, and the result box keeps the previous result. Frequent "
            "causes:"]),
        _ul(["an empty line, also a line break after the last line;",
             "a missing or extra bracket;",
             "two values without an operator between them, such as 2 3 or 2x "
             "(write 2*x);",
             "a character the calculator does not know, such as a tab or a letter outside "
             "A to Z;",
             "a function called with the wrong number of arguments, such as pow(2);",
             "= after something that is not a variable, such as 2=x."]),
        _h2("dates", "Dates"),
        _p(["Dates are numbers of the form yyyyMMdd, such as 20091124 for 24 November 2009. "
            "The date functions compute with such numbers."]),
        example("daydiff(20090101,20091231)", lang),
        _h2("pages", "Help pages"),
        _index(lang, pages),
    ]
    return "\n".join(parts)


def body_zh(pages):
    lang = "zh"
    parts = [
        _p(["ScriptCalc 计算由若干行表达式组成的小脚本：前面的行通常给变量赋值，最后一行算出答案。"
            "在编辑区中输入脚本，按 =（或 Ctrl+Return、F9）运行，最后一行的值显示在结果框中。"
            "编辑区旁的一栏显示每一行的值，并随输入更新。键盘、函数目录和单位换算帮助您编写脚本。"]),
        example("r=2\n3*r^2", lang),
        _h2("scripts", "脚本"),
        _ul(["每行写一个表达式。各行从上到下依次计算，结果框显示最后一行的值。",
             "每一行都会被计算，空行也不例外，而空行是错误。最后一行之后不要留下换行。",
             "脚本中没有注释。表达式各部分之间可以有空格，但不能有制表符。",
             "数用小数点和可选的指数书写：12、3.5、.5、2.5e-3。不使用千位分隔符；"
             "逗号总是用来分隔函数参数。"]),
        _h2("variables", "变量"),
        _p(["像 rate=0.05 这样的一行把值 0.05 赋给变量 rate，后面的行可以按名称使用它。"
            "未赋值的变量读作 0，每次运行时所有变量都重新从 0 开始。"]),
        _ul(["名称由字母 A 到 Z、a 到 z、数字和下划线组成，以字母或下划线开头。"
             "大小写不同：R 和 r 是两个变量。",
             "不要用内置函数的名称（sum、log、if 等）作变量名。",
             "名称不能以 and、or 或 xor 开头，因为这些词是运算符：order 或 android 不能作变量名。",
             "计算器没有内置常数。pi、e 和各物理常数都是由脚本定义的普通变量；"
             "π 键、e 键和“常数”类别会替您加上定义它们的行。"]),
        example("principal=1000\nrate=0.05\nprincipal*rate", lang),
        _h2("operators", "运算符"),
        _p(["下表按优先级从低到高排列。优先级相同的运算符从左向右结合，^ 也是如此："
            "2^3^2 等于 (2^3)^2 = 64。数前面的负号与 * 和 / 的优先级相同，所以 -2^2 等于 "
            "-(2^2) = -4。拿不准时请加括号。",
            "连续两个负号（如 --2、1 -- -1 或 sin(--1)）会被拒绝。减去一个负数时，"
            "请在两个符号之间加空格，写作 1- -2，或者加括号，写作 -(-2)。"]),
        _table(["运算符", "含义"], [
            ["=", "给变量赋值，只能紧跟在变量名之后"],
            ["and  or  xor", "整数的按位与、或、异或（小数部分被舍去）"],
            ["<  <=  >  >=  ==  !=", "比较：成立时为 1，不成立时为 0"],
            ["+  -", "加、减"],
            ["*  /", "乘、除；负数前的负号"],
            ["^", "乘方"],
            ["( )  ,", "括号；逗号分隔函数的各个参数"],
        ]),
        example("2^3^2", lang),
        example("-2^2", lang),
        example("1- -2", lang),
        example("-(-2)", lang),
        example("6 xor 3", lang),
        _h2("results", "结果"),
        _p(["绝对值在 1 到 100000000 之间的结果最多显示八位小数，末尾的 0 不显示。"
            "其他结果显示六位有效数字，很大或很小时采用指数形式。无穷大的结果（如除以零）"
            "显示为 ∞；不是数的结果（如 sqrt(-1)）显示计算错误的提示。"]),
        example("1/3+1", lang),
        example("2/3", lang),
        example("123456789", lang),
        example("1/0", lang),
        _h2("keypad", "键盘"),
        _table(["按键", "作用"], [
            ["0 到 9、00、.", "输入数字和小数点"],
            ["+  -  *  /  (  )  ,", "输入运算符、括号或逗号"],
            ["←┘", "开始新的一行"],
            ["←", "删除所选内容或光标前的一个字符"],
            ["√", "插入 sqrt()，光标位于括号之间"],
            ["x^2", "插入 pow(,2)，光标位于底数处"],
            ["π、e", "插入名称 pi 或 e；若脚本中还没有定义它的行，则在脚本顶部加上"],
            ["=", "运行脚本（也可按 Ctrl+Return 或 F9）"],
            ["C", "清除脚本和结果"],
        ]),
        _h2("catalogue", "函数目录"),
        _p(["编辑区旁的函数目录按类别列出计算器提供的内容：三角函数、算术、进制转换、统计、金融、"
            "常数、日期时间以及您自己的条目。双击条目时："]),
        _ul(["函数条目插入函数调用，光标位于第一个参数处。",
             "脚本条目（金融、统计、示例）插入一段可直接运行的完整脚本；按需修改其中的数。",
             "进制转换条目运行脚本，并以另一种进制显示结果。",
             "常数条目插入常数名称；若脚本中缺少定义，则在脚本顶部加上定义行。"]),
        _p(["? 按钮打开所选条目的帮助页；未选择条目时打开本页。"]),
        _h2("userdefine", "添加自己的条目"),
        _p(["每次选择类别时，都会从安装目录下的 lang/zh_cn/config/function.xml 读取函数目录。"
            "每个条目是一个 fun 元素，包含六部分：vk_show（显示的名称）、vk_in（插入的文本）、"
            "vk_bidx（插入后光标后退的字符数）、vk_style（1 插入文本，2 把结果转换为 vk_in "
            "给出的进制，3 插入写成 名称=数值 的常数）、vk_shortdesc（显示的说明）和 "
            "vk_help（帮助页）。vk_in 中的换行写作 &#10;。USERDEFINE 类别中的一个条目可以是这样："]),
        "<pre>%s</pre>" % text(USER_ENTRY),
        _h2("units", "单位换算"),
        _p(["第二页换算长度、面积、体积和质量。在左侧列表中选择量的种类，在左侧单位列表上方的框中"
            "输入数值，然后在左侧列表中点击原单位，在右侧列表中点击目标单位。换算结果（六位有效数字）"
            "显示在右侧列表上方；按“确定”把它插入脚本的光标处。单位包括公制、英制、美制和市制单位，"
            "从 lang/zh_cn/config/unit.xml 读取。"]),
        _h2("errors", "错误"),
        _p(["某一行无法理解时，消息框会说明错误并显示出错的部分。运行在该行停止，之后的行不再计算，"
            "结果框保留原来的结果。常见原因："]),
        _ul(["空行，包括最后一行之后的换行；",
             "缺少或多出括号；",
             "两个值之间没有运算符，如 2 3 或 2x（应写 2*x）；",
             "计算器不认识的字符，如制表符、中文字符或全角符号；",
             "函数参数个数不对，如 pow(2)；",
             "= 前面不是变量，如 2=x。"]),
        _h2("dates", "日期"),
        _p(["日期是 yyyyMMdd 形式的数，例如 20091124 表示 2009 年 11 月 24 日。"
            "日期函数用这种数进行计算。"]),
        example("daydiff(20090101,20091231)", lang),
        _h2("pages", "帮助页"),
        _index(lang, pages),
    ]
    return "\n".join(parts)
