"""The start page, main.html: its layout here, its texts in the language's
MAIN_HEADINGS and MAIN tables."""

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

# (block, argument): "h2" takes a heading id of MAIN_HEADINGS; "p", "ul" and
# "table" take a key of MAIN (as "p:intro"); "example" a script; "pre" a text
# shown as it is; "index" lists the other pages.
LAYOUT = [
    ("p", "intro"),
    ("example", "r=2\n3*r^2"),
    ("h2", "scripts"), ("ul", "scripts"),
    ("example", "0x1F+0b1011+0o17"),
    ("h2", "variables"), ("p", "variables"), ("ul", "variables"),
    ("example", "principal=1000\nrate=0.05\nprincipal*rate"),
    ("h2", "operators"), ("p", "operators"), ("table", "operators"),
    ("example", "2^3^2"),
    ("example", "-2^2"),
    ("example", "1- -2"),
    ("example", "-(-2)"),
    ("example", "6 xor 3"),
    ("h2", "results"), ("p", "results"),
    ("example", "1/3+1"),
    ("example", "2/3"),
    ("example", "123456789"),
    ("example", "1/0"),
    ("h2", "keypad"), ("table", "keypad"),
    ("h2", "catalogue"), ("p", "catalogue"), ("ul", "catalogue"), ("p", "help_button"),
    ("h2", "userdefine"), ("p", "userdefine"), ("pre", USER_ENTRY),
    ("h2", "units"), ("p", "units"),
    ("h2", "errors"), ("p", "errors"), ("ul", "errors"),
    ("h2", "dates"), ("p", "dates"),
    ("example", "daydiff(20090101,20091231)"),
    ("h2", "pages"), ("index", None),
]


def text_keys():
    """The keys of MAIN that the layout uses."""
    return {kind + ":" + arg for kind, arg in LAYOUT if kind in ("p", "ul", "table")}


def heading_keys():
    return {arg for kind, arg in LAYOUT if kind == "h2"}


def _table(head, rows):
    out = ["<table>", "<tr>%s</tr>" % "".join("<th>%s</th>" % text(h) for h in head)]
    for row in rows:
        out.append("<tr>%s</tr>" % "".join("<td>%s</td>" % text(c) for c in row))
    out.append("</table>")
    return "\n".join(out)


def _block(kind, arg, language, page_order):
    if kind == "h2":
        return '<h2 id="%s">%s</h2>' % (arg, text(language.MAIN_HEADINGS[arg]))
    if kind == "p":
        return "\n".join("<p>%s</p>" % text(s) for s in language.MAIN["p:" + arg])
    if kind == "ul":
        items = language.MAIN["ul:" + arg]
        return "<ul>\n%s\n</ul>" % "\n".join("<li>%s</li>" % text(s) for s in items)
    if kind == "table":
        return _table(*language.MAIN["table:" + arg])
    if kind == "example":
        return example(arg, language)
    if kind == "pre":
        return "<pre>%s</pre>" % text(arg)
    if kind == "index":
        items = ['<li><a href="%s">%s</a></li>' % (name, text(language.PAGES[name][0]))
                 for name in page_order]
        return "<ul>\n%s\n</ul>" % "\n".join(items)
    raise SystemExit("unknown block %r in the start page's layout" % kind)


def body(language, page_order):
    return "\n".join(_block(kind, arg, language, page_order) for kind, arg in LAYOUT)
