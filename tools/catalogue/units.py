"""Unit tables of unit.xml.  Each unit is given by its exact size in the
reference unit of its kind (metre, square metre, litre, kilogram); the factor
written to the file is how many of that unit make one reference unit, that is
1 / size, rounded once to the nearest double and written with the shortest
text that reads back as that same double."""

import re
from fractions import Fraction as Fr

INCH = Fr("0.0254")
FOOT = 12 * INCH
YARD = 3 * FOOT
MILE = 1760 * YARD
CHI = Fr(1, 3)
MU = Fr(10000, 15)
US_GALLON = Fr("3.785411784")
IMP_GALLON = Fr("4.54609")
POUND = Fr("0.45359237")

# (English name, Chinese name, size in the reference unit)
KINDS = [
    ("Linear", [
        ("kilometre (km)", "千米 (km)", Fr(1000)),
        ("metre (m)", "米 (m)", Fr(1)),
        ("decimetre (dm)", "分米 (dm)", Fr(1, 10)),
        ("centimetre (cm)", "厘米 (cm)", Fr(1, 100)),
        ("millimetre (mm)", "毫米 (mm)", Fr(1, 1000)),
        ("micrometre (µm)", "微米 (µm)", Fr(1, 10**6)),
        ("nanometre (nm)", "纳米 (nm)", Fr(1, 10**9)),
        ("mile (mi)", "英里 (mi)", MILE),
        ("yard (yd)", "码 (yd)", YARD),
        ("foot (ft)", "英尺 (ft)", FOOT),
        ("inch (in)", "英寸 (in)", INCH),
        ("nautical mile (nmi)", "海里 (nmi)", Fr(1852)),
        ("li (Chinese, 500 m)", "里", Fr(500)),
        ("zhang (Chinese, 10 chi)", "丈", 10 * CHI),
        ("chi (Chinese foot, 1/3 m)", "尺", CHI),
        ("cun (Chinese inch, 1/10 chi)", "寸", CHI / 10),
        ("fen (Chinese, 1/10 cun)", "分", CHI / 100),
        ("astronomical unit (au)", "天文单位 (au)", Fr(149597870700)),
        ("light-year (ly)", "光年 (ly)", Fr(9460730472580800)),
    ]),
    ("Area", [
        ("square kilometre (km²)", "平方千米 (km²)", Fr(10**6)),
        ("hectare (ha)", "公顷 (ha)", Fr(10**4)),
        ("are (a)", "公亩 (a)", Fr(100)),
        ("square metre (m²)", "平方米 (m²)", Fr(1)),
        ("square decimetre (dm²)", "平方分米 (dm²)", Fr(1, 100)),
        ("square centimetre (cm²)", "平方厘米 (cm²)", Fr(1, 10**4)),
        ("square millimetre (mm²)", "平方毫米 (mm²)", Fr(1, 10**6)),
        ("square mile (sq mi)", "平方英里", MILE**2),
        ("acre (ac)", "英亩", 4840 * YARD**2),
        ("square yard (sq yd)", "平方码", YARD**2),
        ("square foot (sq ft)", "平方英尺", FOOT**2),
        ("square inch (sq in)", "平方英寸", INCH**2),
        ("qing (Chinese, 100 mu)", "顷", 100 * MU),
        ("mu (Chinese, 1/15 ha)", "亩", MU),
        ("fen (Chinese, 1/10 mu)", "分", MU / 10),
        ("square li (Chinese)", "平方里", Fr(500)**2),
        ("square zhang (Chinese)", "平方丈", (10 * CHI)**2),
        ("square chi (Chinese)", "平方尺", CHI**2),
        ("square cun (Chinese)", "平方寸", (CHI / 10)**2),
    ]),
    ("Volume", [
        ("cubic metre (m³)", "立方米 (m³)", Fr(1000)),
        ("litre (L)", "升 (L)", Fr(1)),
        ("decilitre (dL)", "分升 (dL)", Fr(1, 10)),
        ("centilitre (cL)", "厘升 (cL)", Fr(1, 100)),
        ("millilitre (mL)", "毫升 (mL)", Fr(1, 1000)),
        ("cubic centimetre (cm³)", "立方厘米 (cm³)", Fr(1, 1000)),
        ("cubic millimetre (mm³)", "立方毫米 (mm³)", Fr(1, 10**6)),
        ("US gallon (gal)", "美制加仑", US_GALLON),
        ("US quart (qt)", "美制夸脱", US_GALLON / 4),
        ("US pint (pt)", "美制品脱", US_GALLON / 8),
        ("US cup", "美制杯", US_GALLON / 16),
        ("US fluid ounce (fl oz)", "美制液量盎司", US_GALLON / 128),
        ("imperial gallon (gal)", "英制加仑", IMP_GALLON),
        ("imperial quart (qt)", "英制夸脱", IMP_GALLON / 4),
        ("imperial pint (pt)", "英制品脱", IMP_GALLON / 8),
        ("imperial fluid ounce (fl oz)", "英制液量盎司", IMP_GALLON / 160),
        ("oil barrel (bbl, 42 US gal)", "石油桶 (bbl)", 42 * US_GALLON),
        ("cubic yard (cu yd)", "立方码", YARD**3 * 1000),
        ("cubic foot (cu ft)", "立方英尺", FOOT**3 * 1000),
        ("cubic inch (cu in)", "立方英寸", INCH**3 * 1000),
        ("dan (Chinese, 100 L)", "石", Fr(100)),
        ("dou (Chinese, 10 L)", "斗", Fr(10)),
        ("ge (Chinese, 1/10 L)", "合", Fr(1, 10)),
    ]),
    ("Mass", [
        ("tonne (t)", "吨 (t)", Fr(1000)),
        ("kilogram (kg)", "千克 (kg)", Fr(1)),
        ("gram (g)", "克 (g)", Fr(1, 1000)),
        ("milligram (mg)", "毫克 (mg)", Fr(1, 10**6)),
        ("microgram (µg)", "微克 (µg)", Fr(1, 10**9)),
        ("carat (ct)", "克拉 (ct)", Fr(1, 5000)),
        ("long ton (2240 lb)", "英吨 (长吨)", 2240 * POUND),
        ("short ton (2000 lb)", "美吨 (短吨)", 2000 * POUND),
        ("stone (st)", "英石 (st)", 14 * POUND),
        ("pound (lb)", "磅 (lb)", POUND),
        ("ounce (oz)", "盎司 (oz)", POUND / 16),
        ("troy ounce (oz t)", "金衡盎司 (oz t)", Fr("0.0311034768")),
        ("grain (gr)", "格令 (gr)", POUND / 7000),
        ("dan (Chinese, 100 jin)", "担", Fr(50)),
        ("jin (Chinese pound, 0.5 kg)", "斤", Fr(1, 2)),
        ("liang (tael, 1/10 jin)", "两", Fr(1, 20)),
        ("qian (Chinese, 1/10 liang)", "钱", Fr(1, 200)),
    ]),
]


def factor_text(size):
    """The factor of a unit of the given exact size, as text."""
    value = float(1 / size)
    text = repr(value)
    if text.endswith(".0"):
        text = text[:-2]
    text = re.sub(r"e([+-])0*(\d)", lambda m: "e" + m.group(1).strip("+") + m.group(2), text)
    assert float(text) == value
    return text
