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

# kind -> (unit, size in the reference unit); each language's module names the
# units in its UNITS table
KINDS = [
    ("Linear", [
        ("kilometre", Fr(1000)),
        ("metre", Fr(1)),
        ("decimetre", Fr(1, 10)),
        ("centimetre", Fr(1, 100)),
        ("millimetre", Fr(1, 1000)),
        ("micrometre", Fr(1, 10**6)),
        ("nanometre", Fr(1, 10**9)),
        ("mile", MILE),
        ("yard", YARD),
        ("foot", FOOT),
        ("inch", INCH),
        ("nautical_mile", Fr(1852)),
        ("li", Fr(500)),
        ("zhang", 10 * CHI),
        ("chi", CHI),
        ("cun", CHI / 10),
        ("fen", CHI / 100),
        ("astronomical_unit", Fr(149597870700)),
        ("light_year", Fr(9460730472580800)),
    ]),
    ("Area", [
        ("square_kilometre", Fr(10**6)),
        ("hectare", Fr(10**4)),
        ("are", Fr(100)),
        ("square_metre", Fr(1)),
        ("square_decimetre", Fr(1, 100)),
        ("square_centimetre", Fr(1, 10**4)),
        ("square_millimetre", Fr(1, 10**6)),
        ("square_mile", MILE**2),
        ("acre", 4840 * YARD**2),
        ("square_yard", YARD**2),
        ("square_foot", FOOT**2),
        ("square_inch", INCH**2),
        ("qing", 100 * MU),
        ("mu", MU),
        ("fen", MU / 10),
        ("square_li", Fr(500)**2),
        ("square_zhang", (10 * CHI)**2),
        ("square_chi", CHI**2),
        ("square_cun", (CHI / 10)**2),
    ]),
    ("Volume", [
        ("cubic_metre", Fr(1000)),
        ("litre", Fr(1)),
        ("decilitre", Fr(1, 10)),
        ("centilitre", Fr(1, 100)),
        ("millilitre", Fr(1, 1000)),
        ("cubic_centimetre", Fr(1, 1000)),
        ("cubic_millimetre", Fr(1, 10**6)),
        ("us_gallon", US_GALLON),
        ("us_quart", US_GALLON / 4),
        ("us_pint", US_GALLON / 8),
        ("us_cup", US_GALLON / 16),
        ("us_fluid_ounce", US_GALLON / 128),
        ("imperial_gallon", IMP_GALLON),
        ("imperial_quart", IMP_GALLON / 4),
        ("imperial_pint", IMP_GALLON / 8),
        ("imperial_fluid_ounce", IMP_GALLON / 160),
        ("oil_barrel", 42 * US_GALLON),
        ("cubic_yard", YARD**3 * 1000),
        ("cubic_foot", FOOT**3 * 1000),
        ("cubic_inch", INCH**3 * 1000),
        ("dan", Fr(100)),
        ("dou", Fr(10)),
        ("ge", Fr(1, 10)),
    ]),
    ("Mass", [
        ("tonne", Fr(1000)),
        ("kilogram", Fr(1)),
        ("gram", Fr(1, 1000)),
        ("milligram", Fr(1, 10**6)),
        ("microgram", Fr(1, 10**9)),
        ("carat", Fr(1, 5000)),
        ("long_ton", 2240 * POUND),
        ("short_ton", 2000 * POUND),
        ("stone", 14 * POUND),
        ("pound", POUND),
        ("ounce", POUND / 16),
        ("troy_ounce", Fr("0.0311034768")),
        ("grain", POUND / 7000),
        ("dan", Fr(50)),
        ("jin", Fr(1, 2)),
        ("liang", Fr(1, 20)),
        ("qian", Fr(1, 200)),
    ]),
]


def number_text(value):
    """The shortest text that reads back as the double nearest to value."""
    value = float(value)
    text = repr(value)
    if text.endswith(".0"):
        text = text[:-2]
    text = re.sub(r"e([+-])0*(\d)", lambda m: "e" + m.group(1).strip("+") + m.group(2), text)
    assert float(text) == value
    return text


def factor_text(size):
    """The factor of a unit of the given exact size, as text."""
    return number_text(1 / size)


def offset_attribute(offset=None):
    """The def element's offset attribute, for a unit whose zero is not the
    reference unit's."""
    return "" if offset is None else ' offset="%s"' % number_text(offset)
