#!/usr/bin/python3
"""Walks ScriptCalc's window as a screen reader does, through the AT-SPI bus.

Run it through tools/a11y-walk.sh, which starts Xvfb, a session bus, the
accessibility registry and the window. It prints the accessible tree (role,
name, description), checks that every input and output widget has its
spoken name, types a script through the editor's text interface, presses
"=" through the action interface, reads the result box and the per-line
column line by line, and hears the names that counted as 0. Exit status 0 when every check passed.

    a11y-walk.py --lang-file build/bin/lang/en_us/config/lang.xml [--tree]
"""
import argparse
import sys
import time

import xml.etree.ElementTree as ET

import pyatspi

APP_NAME = "scriptcalc"

# The spoken name's string-table key, its role, and its exact en_us text.
EXPECTED = [
    ("IDS_ACC_SCRIPT", "text", "Script"),
    ("IDS_ACC_RESULT", "text", "Result"),
    ("IDS_ACC_LINE_RESULTS", "text", "Line results"),
    ("IDS_ACC_UNDEFINED", "label", "Not defined"),
    ("IDS_ACC_FUNCTIONS", "table", "Functions"),
    ("IDS_ACC_FROM_UNIT", "list", "From unit"),
    ("IDS_ACC_TO_UNIT", "list", "To unit"),
    ("IDS_ACC_CONVERTED", "text", "Converted value"),
    ("IDS_ACC_KEY_SQRT", "push button", "Square root"),
    ("IDS_ACC_KEY_DEL", "push button", "Backspace"),
    ("IDS_ACC_KEY_ENTER", "push button", "New line"),
    ("IDS_ACC_KEY_PI", "push button", "Pi"),
    ("IDS_ACC_KEY_POW2", "push button", "Square"),
    ("IDS_ACC_RUN", "push button", "Calculate"),
]

# No line break after the last line: an empty last line is an error by design.
SCRIPT = "a = 2\nb = a * 3\nb + 1"
EXPECTED_LINES = ["2", "6", "7"]

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def string_table(path):
    table = {}
    for item in ET.parse(path).getroot().iter("item"):
        table[item.findtext("code")] = item.findtext("desc")
    return table


def find_app(timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower().startswith(APP_NAME):
                if app.childCount > 0:
                    return app
        time.sleep(0.3)
    return None


def walk(node, depth=0, out=None):
    if out is None:
        out = []
    if node is None:
        return out
    out.append((depth, node))
    role = node.getRoleName()
    # Table cells and list items are many; their parents are what matters here.
    if role in ("table", "list", "tree table"):
        return out
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1, out)
    return out


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def lines_of(node):
    """Reads a text widget line by line, as a screen reader's line navigation does."""
    text = node.queryText()
    lines = []
    offset = 0
    while offset < text.characterCount:
        line, start, end = text.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
        lines.append(line.rstrip("\n"))
        # Some toolkits end a line before its line break, others after it.
        offset = max(end, offset + 1)
        if offset < text.characterCount and text.getText(offset, offset + 1) == "\n":
            offset += 1
    return lines


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            return action.doAction(i)
    return action.nActions > 0 and action.doAction(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lang-file", required=True,
                        help="the window's lang.xml; en_us's names are also checked word for word")
    parser.add_argument("--tree", action="store_true", help="print the whole tree")
    args = parser.parse_args()

    app = find_app()
    if app is None:
        print("FAIL  no application named %s on the accessibility bus" % APP_NAME)
        return 1
    nodes = walk(app)
    by_name = {}
    for depth, node in nodes:
        name = node.name
        role = node.getRoleName()
        if args.tree:
            desc = node.description
            print("%s%s %r%s" % ("  " * depth, role, name, "  -- " + desc if desc else ""))
        by_name.setdefault(name, []).append(node)

    editable = [n for _, n in nodes if n.getRoleName() in ("text", "table", "list")
                and n.getState().contains(pyatspi.STATE_SHOWING)]
    for node in editable:
        check(bool(node.name), "%s has a name (%r)" % (node.getRoleName(), node.name))

    table = string_table(args.lang_file)
    english = "/en_us/" in args.lang_file.replace("\\", "/")
    named = {}
    for key, role, english_text in EXPECTED:
        name = table.get(key, "")
        if english:
            check(name == english_text, "en_us text of %s is %r" % (key, english_text))
        found = [n for n in by_name.get(name, []) if n.getRoleName() == role] if name else []
        check(bool(found), "%s %r" % (role, name))
        named[key] = found[0] if found else None
    script = named["IDS_ACC_SCRIPT"]
    result = named["IDS_ACC_RESULT"]
    column = named["IDS_ACC_LINE_RESULTS"]
    run = named["IDS_ACC_RUN"]

    if None in (script, result, column, run):
        print("%d failed" % len(failures))
        return 1
    editable_text = script.queryEditableText()
    editable_text.setTextContents(SCRIPT)
    check(text_of(script) == SCRIPT, "script typed through the bus")
    check(bool(press(run)), "'=' pressed through the bus")
    # The button's press action is an animated click; give it time on a loaded machine.
    end = time.monotonic() + 5
    while text_of(result) != EXPECTED_LINES[-1] and time.monotonic() < end:
        time.sleep(0.2)
    check(text_of(result) == EXPECTED_LINES[-1], "result box reads %r" % text_of(result))
    lines = lines_of(column)
    check(lines[:len(EXPECTED_LINES)] == EXPECTED_LINES,
          "line results read line by line: %r" % lines)
    # The names that counted as 0 are spoken with the line's name.
    undefined = named["IDS_ACC_UNDEFINED"]
    if undefined is not None:
        editable_text.setTextContents("1 + q")
        end = time.monotonic() + 5
        while "q" not in undefined.description and time.monotonic() < end:
            time.sleep(0.2)
        check("q" in undefined.description,
              "undefined names readable: %r %r" % (undefined.name, undefined.description))
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
