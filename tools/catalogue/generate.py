#!/usr/bin/env python3
"""Writes the shipped catalogue data of both languages from the tables in this
folder: config/function.xml, config/unit.xml and the help pages.

    python3 tools/catalogue/generate.py [--check] [repository root]

Every example result in the help pages is computed here by the script model,
and every catalogue template is checked to run, so the files never carry a
result typed by hand.  The generated files are committed; run this again after
changing a table; --check writes nothing and fails when a committed file
differs from what the tables give."""

import os
import re
import sys
from html import escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import functions  # noqa: E402
import mainpage  # noqa: E402
import scriptmodel  # noqa: E402
import scripts  # noqa: E402
import units  # noqa: E402
from helppage import page, section  # noqa: E402
from pages import PAGES, base_body, constants_body  # noqa: E402

LANGUAGES = {"en": "en_us", "zh": "zh_cn"}

CATEGORIES = [
    ("TRIGONOMETRIC", functions.TRIGONOMETRIC),
    ("ARITHMETIC", functions.ARITHMETIC),
    ("BASECONVERSION", scripts.BASECONVERSION),
    ("STATISTICS", scripts.STATISTICS),
    ("FINANCE", scripts.FINANCE),
    ("CONSTANTS", scripts.CONSTANTS),
    ("DATETIME", functions.DATETIME),
    ("USERDEFINE", scripts.USERDEFINE),
]

DATE_FUNCTIONS = {"datevalue", "daydiff", "monthdiff", "yeardiff", "dayadd", "monthadd",
                  "yearadd", "days360"}
NAME = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


def check_names(template):
    """Names in a template must be read as the engine reads them: a function
    name only before a bracket, and no variable that starts like a word
    operator."""
    for m in NAME.finditer(template):
        if m.start() > 0 and (template[m.start() - 1].isalnum() or template[m.start() - 1] in "._"):
            continue
        name = m.group(0)
        called = template[m.end():m.end() + 1] == "("
        if called != (name in scriptmodel.FUNCTIONS):
            raise SystemExit("misused name %r in %r" % (name, template))
        if name not in ("and", "or", "xor") and name.startswith(("and", "or", "xor")):
            raise SystemExit("name %r would read as an operator in %r" % (name, template))


def filled(template):
    """The template with a sample argument in each empty slot."""
    name = template.split("(", 1)[0]
    if name in ("dayadd", "monthadd", "yearadd"):
        values = iter(["20091124", "1"])
    else:
        values = iter(lambda: "20091124" if name in DATE_FUNCTIONS else "0.5", None)
    return re.sub(r"(?<=[(,])(?=[,)])", lambda m: next(values), template)


def check_entry(entry):
    t = entry["in"]
    assert t.isascii() and "\t" not in t and "\r" not in t, t
    if entry["style"] == 1:
        assert 0 <= entry["bidx"] <= len(t), t
        assert "" not in t.split("\n"), "empty line in %r" % t
        check_names(t)
        scriptmodel.run(filled(t) if entry["bidx"] else t)
        if entry["bidx"]:
            assert t[len(t) - entry["bidx"] - 1] == "(", t
    elif entry["style"] == 2:
        assert 2 <= int(t) <= 36, t
    elif entry["style"] == 3:
        name, value = t.split("=", 1)
        check_names(name)
        float(value)
        scriptmodel.run(t)
    else:
        raise SystemExit("unknown style in %r" % entry)


def check_constant_keys():
    """A constant counts as defined when the script contains name=+four
    characters of its value; no definition may contain another's key."""
    defs = [e["in"] for e in scripts.CONSTANTS]
    keys = [d.split("=", 1)[0] + "=" + d.split("=", 1)[1][:4] for d in defs]
    for i, key in enumerate(keys):
        for j, d in enumerate(defs):
            if i != j and key in d:
                raise SystemExit("key %r found in %r" % (key, d))


def xml_text(s):
    return escape(s, quote=False).replace("\n", "&#10;")


def function_xml(lang):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<functions>"]
    for category, entries in CATEGORIES:
        out.append("  <%s>" % category)
        for e in entries:
            out.append("    <fun>")
            out.append("      <vk_show>%s</vk_show>" % xml_text(e["show"][lang]))
            out.append("      <vk_in>%s</vk_in>" % xml_text(e["in"]))
            out.append("      <vk_bidx>%d</vk_bidx>" % e["bidx"])
            out.append("      <vk_style>%d</vk_style>" % e["style"])
            out.append("      <vk_shortdesc>%s</vk_shortdesc>" % xml_text(e["desc"][lang]))
            out.append("      <vk_help>%s</vk_help>" % xml_text(e["help"]))
            out.append("    </fun>")
        out.append("  </%s>" % category)
    out.append("</functions>")
    return "\n".join(out) + "\n"


def unit_xml(lang):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', "<units>"]
    for kind, table in units.KINDS:
        out.append("  <%s>" % kind)
        names = set()
        for en, zh, size in table:
            name = en if lang == "en" else zh
            assert name not in names, name
            names.add(name)
            out.append("    <def><unit>%s</unit><num>%s</num></def>"
                       % (xml_text(name), units.factor_text(size)))
        out.append("  </%s>" % kind)
    out.append("</units>")
    return "\n".join(out) + "\n"


def help_pages(lang):
    pages = {}
    for name, (title, intro) in PAGES.items():
        parts = ["<p>%s</p>" % escape(p, quote=False) for p in intro[lang]]
        if name == "base.html":
            parts.append(base_body(lang))
        elif name == "constants.html":
            parts.append(constants_body(lang))
        for _, entries in CATEGORIES:
            for e in entries:
                if e["help"] == name and e["section"] is not None:
                    parts.append(section(e, lang))
        pages[name] = page(lang, title[lang], "\n".join(parts))
    body = mainpage.body_en(PAGES) if lang == "en" else mainpage.body_zh(PAGES)
    title = "ScriptCalc help" if lang == "en" else "ScriptCalc 帮助"
    pages["main.html"] = page(lang, title, body, with_nav=False)
    return pages


def write(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)


def differs(path, content):
    try:
        with open(path, encoding="utf-8", newline="") as f:
            return f.read() != content
    except OSError:
        return True


def main():
    args = sys.argv[1:]
    if any(a in ("-h", "--help") for a in args) or any(
            a.startswith("-") and a != "--check" for a in args) or len(args) > 2:
        print("usage: generate.py [--check] [REPOSITORY_ROOT]\n"
              "Writes data/lang/*/config/{function,unit}.xml and help/*.html from the tables here;\n"
              "--check only reports the files that are out of date (exit 1 if any).")
        sys.exit(0 if any(a in ("-h", "--help") for a in args) else 2)
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    root = args[0] if args else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..")
    for _, entries in CATEGORIES:
        for e in entries:
            check_entry(e)
            assert e["help"] in PAGES, e["help"]
    check_constant_keys()
    outputs = {}
    for lang, code in LANGUAGES.items():
        base = os.path.join(root, "data", "lang", code)
        outputs[os.path.join(base, "config", "function.xml")] = function_xml(lang)
        outputs[os.path.join(base, "config", "unit.xml")] = unit_xml(lang)
        for name, content in help_pages(lang).items():
            outputs[os.path.join(base, "help", name)] = content
    stale = [path for path, content in outputs.items() if differs(path, content)]
    if check:
        for path in stale:
            print("out of date: " + os.path.relpath(path, root))
        sys.exit(1 if stale else 0)
    for path in stale:
        write(path, outputs[path])


if __name__ == "__main__":
    main()
