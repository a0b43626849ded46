"""The help pages in the order main.html lists them, and the bodies of the
pages that are not made of catalogue sections: base.html and constants.html.
Each language's PAGES table gives every page its title and introduction."""

from helppage import attr, example, text
from scripts import CONSTANT_TABLE

PAGE_ORDER = [
    "trig.html", "arctrig.html", "hyperbolic.html", "angle.html", "power.html",
    "logarithm.html", "rounding.html", "fac.html", "integer.html", "special.html", "if.html",
    "statistics.html",
    "finance.html", "base.html", "constants.html", "dateadd.html", "datediff.html",
    "functions.html", "examples.html",
]


def base_body(language):
    body = ["<p>%s</p>" % text(p) for p in language.BASE_PAGE]
    for script, b in [("255", 16), ("5", 2), ("64", 8), ("a=12\nb=10\na*b", 16),
                      ("-1", 16), ("2^31", 16)]:
        body.append(example(script, language, base=b))
    return "\n".join(body)


def constants_body(language):
    texts = language.CONSTANTS_PAGE
    body = ["<p>%s</p>" % text(p) for p in texts["paragraphs"]]
    body.append("<table>\n<tr>%s</tr>" % "".join("<th>%s</th>" % text(h) for h in texts["head"]))
    for name, value, unit in CONSTANT_TABLE:
        body.append('<tr id="%s"><td><code>%s</code></td><td><code>%s</code></td>'
                    "<td>%s</td><td>%s</td></tr>"
                    % (attr(name), text(name), text(value), text(unit),
                       text(language.CONSTANTS[name])))
    body.append("</table>")
    body.append("<h2>%s</h2>" % text(texts["examples"]))
    for script in ["pi=3.14159265358979\nr=2\n2*pi*r",
                   "c0=299792458\nm=0.001\nm*c0^2",
                   "h=6.62607015e-34\nc0=299792458\nwavelength=500e-9\nh*c0/wavelength",
                   "R=8.314462618\nn=1\nT=273.15\nP=101325\nn*R*T/P"]:
        body.append(example(script, language))
    return "\n".join(body)
