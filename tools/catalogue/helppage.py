"""HTML building blocks of the help pages.  Pages are written so that they are
well-formed XML as well as HTML: every element closed, only the entities
&lt; &gt; &amp; &quot;, UTF-8 throughout, no external resources."""

from html import escape

import scriptmodel

STYLE = """body { font-family: sans-serif; margin: 1em 2em; line-height: 1.45; max-width: 52em; }
h1 { font-size: 1.5em; } h2 { font-size: 1.2em; margin-top: 1.5em; }
code, pre { font-family: monospace; }
pre.script { background: #f4f6f6; color: #1a1a1a; border: 1px solid #c8d0d0; padding: 0.4em 0.7em; }
div.example { margin: 0.4em 0 1em 1.2em; }
code.result { font-weight: bold; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #c8d0d0; padding: 0.2em 0.6em; text-align: left; vertical-align: top; }
p.nav { font-size: 0.9em; }"""

# "not_whole" is the text of IDS_BASE_NOT_WHOLE in the language's lang.xml;
# the help examples test compares the two through every base example.
WORDS = {
    "en": {"contents": "Contents", "example": "Example:", "result": "Result: ",
           "syntax": "Syntax: ", "lang": "en", "not_whole": "not a whole number in range"},
    "zh": {"contents": "目录", "example": "示例：", "result": "结果：",
           "syntax": "语法：", "lang": "zh-CN", "not_whole": "不是范围内的整数"},
}


def text(s):
    return escape(s, quote=False)


def attr(s):
    return escape(s, quote=True)


def result_of(script, lang, base=None):
    value = scriptmodel.run(script)
    shown = scriptmodel.format_result(value)
    if base is not None:
        shown = scriptmodel.convert_base(shown, value, base, WORDS[lang]["not_whole"])
    return shown


def example(script, lang, base=None):
    """One runnable example: the script exactly as it is typed, and the text the
    result box shows after running it (after a base conversion when base is
    given)."""
    w = WORDS[lang]
    base_attr = ' data-base="%d"' % base if base is not None else ""
    return ('<div class="example"%s>\n<p>%s</p>\n<pre class="script">%s</pre>\n'
            '<p>%s<code class="result">%s</code></p>\n</div>'
            % (base_attr, w["example"], text(script), w["result"],
               text(result_of(script, lang, base))))


def page(lang, title, body, with_nav=True):
    w = WORDS[lang]
    nav = ('<p class="nav"><a href="main.html">%s</a></p>\n' % w["contents"]
           if with_nav else "")
    return ('<!DOCTYPE html>\n'
            '<html xmlns="http://www.w3.org/1999/xhtml" lang="%s" xml:lang="%s">\n'
            '<head>\n<meta charset="utf-8" />\n<title>%s</title>\n'
            '<style>\n%s\n</style>\n</head>\n<body>\n%s<h1>%s</h1>\n%s\n</body>\n</html>\n'
            % (w["lang"], w["lang"], text(title + " - ScriptCalc"), STYLE, nav,
               text(title), body))


def section(entry, lang):
    s = entry["section"]
    w = WORDS[lang]
    parts = ['<h2 id="%s">%s</h2>' % (attr(s["id"]), text(s["title"][lang]))]
    if s["syntax"]:
        parts.append('<p class="syntax">%s<code>%s</code></p>' % (w["syntax"], text(s["syntax"])))
    for para in s["text"][lang]:
        parts.append("<p>%s</p>" % text(para))
    for script in s["examples"]:
        parts.append(example(script, lang))
    return "\n".join(parts)
