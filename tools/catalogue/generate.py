#!/usr/bin/env python3
"""Writes the shipped catalogue data of every language from the tables in this
folder: config/function.xml, config/unit.xml and the help pages.

    python3 tools/catalogue/generate.py [--check] [repository root]

The tables here hold what all languages share (templates, examples, unit sizes,
page layout); each module in languages/ holds one language's texts and writes
data/lang/<its name>.  Every example result in the help pages is computed here
by the script model, and every catalogue template is checked to run, so the
files never carry a result typed by hand.  The generated files are committed
and say so in their first lines; run this again after changing a table;
--check writes nothing and fails when a committed file differs from what the
tables give."""

import os
import re
import sys
from html import escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import functions  # noqa: E402
import languages  # noqa: E402
import mainpage  # noqa: E402
import scriptmodel  # noqa: E402
import scripts  # noqa: E402
import units  # noqa: E402
from helppage import GENERATED, page, section  # noqa: E402
from pages import PAGE_ORDER, base_body, constants_body  # noqa: E402

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

DATE_FUNCTIONS = scriptmodel.DATE_FUNCTIONS
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


def check_definition(template):
    """A definition template is one line that stops where the body goes: a
    new function name (no built-in) with its parameters, and once a body is
    typed the line defines it."""
    head = scriptmodel.function_head(template)
    assert head is not None and head[2] == "" and "\n" not in template, template
    assert head[0] not in scriptmodel.FUNCTIONS, template
    assert scriptmodel.run(template + "1") == template[:-1], template


def check_entry(entry):
    t = entry["in"]
    assert t.isascii() and "\t" not in t and "\r" not in t, t
    if entry.get("defines"):
        check_definition(t)
    elif entry["style"] == 1:
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


# What each language module must define, beside the tables checked key by key.
LANGUAGE_TEXTS = ["WORDS", "PAGES", "FUNCTIONS", "SCRIPTS", "BASES", "BASE_DESCRIPTION",
                  "BASE_PAGE", "CONSTANTS", "UNIT_SEPARATOR", "CONSTANTS_PAGE", "UNITS",
                  "MAIN_HEADINGS", "MAIN"]
WORDS = {"html_lang", "contents", "example", "result", "syntax", "not_whole", "help_title"}


def entries_of(kind):
    return {e["key"] for _, entries in CATEGORIES for e in entries if e["kind"] == kind}


def check_keys(code, table, have, expected):
    missing = sorted(map(str, set(expected) - set(have)))
    unknown = sorted(map(str, set(have) - set(expected)))
    if missing or unknown:
        raise SystemExit("languages/%s.py, %s: missing %s, unknown %s"
                         % (code, table, missing or "nothing", unknown or "nothing"))


def check_language(code, language):
    """A language must give a text for every key of the shared tables, and no
    other, so that every language's files hold the same entries and pages."""
    for name in LANGUAGE_TEXTS:
        if not hasattr(language, name):
            raise SystemExit("languages/%s.py defines no %s" % (code, name))
    check_keys(code, "WORDS", language.WORDS, WORDS)
    check_keys(code, "PAGES", language.PAGES, PAGE_ORDER)
    check_keys(code, "FUNCTIONS", language.FUNCTIONS, entries_of("function"))
    check_keys(code, "SCRIPTS", language.SCRIPTS, entries_of("script"))
    check_keys(code, "BASES", language.BASES, entries_of("base"))
    check_keys(code, "CONSTANTS", language.CONSTANTS, entries_of("constant"))
    check_keys(code, "CONSTANTS_PAGE", language.CONSTANTS_PAGE, {"paragraphs", "head", "examples"})
    check_keys(code, "UNITS", language.UNITS, [kind for kind, _ in units.KINDS])
    for kind, table in units.KINDS:
        check_keys(code, "UNITS[%r]" % kind, language.UNITS[kind], [u for u, *_ in table])
    check_keys(code, "MAIN_HEADINGS", language.MAIN_HEADINGS, mainpage.heading_keys())
    check_keys(code, "MAIN", language.MAIN, mainpage.text_keys())
    assert "%d" in language.BASE_DESCRIPTION, code


def texts(entry, language):
    """The caption (show), short description (desc) and, for an entry with a
    help section, its title and paragraphs, in the language."""
    key = entry["key"]
    if entry["kind"] == "function":
        desc, paragraphs = language.FUNCTIONS[key]
        return {"show": entry["show"], "desc": desc, "title": entry["name"],
                "paragraphs": paragraphs}
    if entry["kind"] == "script":
        show, desc, paragraphs = language.SCRIPTS[key]
        return {"show": show, "desc": desc, "title": show, "paragraphs": paragraphs}
    if entry["kind"] == "base":
        return {"show": language.BASES[key], "desc": language.BASE_DESCRIPTION % key}
    meaning = language.CONSTANTS[key]
    if entry["unit"]:
        meaning += language.UNIT_SEPARATOR + entry["unit"]
    return {"show": entry["show"], "desc": meaning}


def xml_text(s):
    return escape(s, quote=False).replace("\n", "&#10;")


def xml_head(root):
    return ['<?xml version="1.0" encoding="UTF-8"?>', GENERATED, "<%s>" % root]


def function_xml(language):
    out = xml_head("functions")
    for category, entries in CATEGORIES:
        out.append("  <%s>" % category)
        for e in entries:
            t = texts(e, language)
            out.append("    <fun>")
            out.append("      <vk_show>%s</vk_show>" % xml_text(t["show"]))
            out.append("      <vk_in>%s</vk_in>" % xml_text(e["in"]))
            out.append("      <vk_bidx>%d</vk_bidx>" % e["bidx"])
            out.append("      <vk_style>%d</vk_style>" % e["style"])
            out.append("      <vk_shortdesc>%s</vk_shortdesc>" % xml_text(t["desc"]))
            out.append("      <vk_help>%s</vk_help>" % xml_text(e["help"]))
            out.append("    </fun>")
        out.append("  </%s>" % category)
    out.append("</functions>")
    return "\n".join(out) + "\n"


def unit_xml(language):
    out = xml_head("units")
    for kind, table in units.KINDS:
        out.append("  <%s>" % kind)
        names = set()
        for unit, size, *offset in table:
            name = language.UNITS[kind][unit]
            assert name not in names, name
            names.add(name)
            out.append("    <def%s><unit>%s</unit><num>%s</num></def>"
                       % (units.offset_attribute(*offset), xml_text(name),
                          units.factor_text(size)))
        out.append("  </%s>" % kind)
    out.append("</units>")
    return "\n".join(out) + "\n"


def help_pages(language):
    pages = {}
    for name in PAGE_ORDER:
        title, intro = language.PAGES[name]
        parts = ["<p>%s</p>" % escape(p, quote=False) for p in intro]
        if name == "base.html":
            parts.append(base_body(language))
        elif name == "constants.html":
            parts.append(constants_body(language))
        for _, entries in CATEGORIES:
            for e in entries:
                if e["help"] == name and e["examples"] is not None:
                    parts.append(section(e, texts(e, language), language))
        pages[name] = page(language, title, "\n".join(parts))
    pages["main.html"] = page(language, language.WORDS["help_title"],
                              mainpage.body(language, PAGE_ORDER), with_nav=False)
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
            assert e["help"] in PAGE_ORDER, e["help"]
    check_constant_keys()
    outputs = {}
    for code, language in languages.load().items():
        check_language(code, language)
        base = os.path.join(root, "data", "lang", code)
        outputs[os.path.join(base, "config", "function.xml")] = function_xml(language)
        outputs[os.path.join(base, "config", "unit.xml")] = unit_xml(language)
        for name, content in help_pages(language).items():
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
