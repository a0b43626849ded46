#!/usr/bin/python3
"""Walks ScriptCalc's window as a screen reader does, through the AT-SPI bus.

Run it through tools/a11y-walk.sh, which starts Xvfb, a session bus, the
accessibility registry and the window. It prints the accessible tree (role,
name, description), checks that every input and output widget has its
spoken name, types a script through the editor's text interface, presses
"=" through the action interface, reads the result box and the per-line
column line by line, and hears the names that counted as 0. On the Graph
page it finds every control by its name, reads the legend and the analysis
list, moves through the analysis with the keys and reads the trace, sets a
parameter through the slider's value, and tabs through the page.
Exit status 0 when every check passed.

    a11y-walk.py --lang-file build/bin/lang/en_us/config/lang.xml [--tree]
"""
import argparse
import subprocess
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

# The Graph page: a script with three functions and a parameter the shown ones read.
GRAPH_SCRIPT = "f(x)=x^2-2\ng(x)=sin(x)\na=2\nh(x)=a*x\nf(1)"
GRAPH_NAMES = [
    ("IDS_ACC_GRAPH_EXPRESSION", "text"),
    ("IDS_ACC_GRAPH", "chart"),
    ("IDS_ACC_GRAPH_LEGEND", "list"),
    ("IDS_ACC_GRAPH_ANALYSIS", "list"),
    ("IDS_ACC_GRAPH_TRACE", "text"),
    ("IDS_GRAPH_FIT", "push button"),
    ("IDS_GRAPH_RESET", "push button"),
    ("IDS_GRAPH_PNG", "push button"),
    ("IDS_GRAPH_SVG", "push button"),
    ("IDS_GRAPH_COPY", "push button"),
    ("IDS_GRAPH_PARAMETER", "slider"),
    ("IDS_GRAPH_PARAMETER_LOW", "text"),
    ("IDS_GRAPH_PARAMETER_HIGH", "text"),
]

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


def filled(table, key, *values):
    text = table.get(key, "")
    for i, value in enumerate(values):
        text = text.replace("%%%d" % (i + 1), value)
    return text


def wait_for(condition, timeout=5.0):
    end = time.monotonic() + timeout
    while not condition() and time.monotonic() < end:
        time.sleep(0.2)
    return condition()


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def focused(app):
    for _, node in walk(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def activate():
    """Gives the window the keyboard, as a click would: Xvfb has no window manager to do it, and
    an inactive window takes no focus request."""
    subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "scriptcalc", "windowfocus",
                    "--sync"], check=False, capture_output=True)
    time.sleep(0.3)


def key(name):
    """A key pressed on the window, as the user presses it."""
    subprocess.run(["xdotool", "key", name], check=False, capture_output=True)
    time.sleep(0.3)


def graph_page(app, table, script, column):
    """The Graph page as a screen reader user meets it."""
    script.queryEditableText().setTextContents(GRAPH_SCRIPT)
    graph_tab = filled(table, "IDS_TAB_GRAPH")
    tabs = [n for _, n in walk(app) if n.getRoleName() == "page tab list"]
    chosen = False
    for tab_list in tabs:
        for i in range(tab_list.childCount):
            if tab_list.getChildAtIndex(i).name == graph_tab:
                chosen = bool(press(tab_list.getChildAtIndex(i)))
    check(chosen, "page tab %r chosen" % graph_tab)

    def named(key, role):
        name = filled(table, key, "a")
        for _, node in walk(app):
            if node.name == name and node.getRoleName() == role and showing(node):
                return node
        return None

    check(wait_for(lambda: named("IDS_GRAPH_PARAMETER", "slider") is not None),
          "the page shows a slider for a")
    nodes = {}
    for key_name, role in GRAPH_NAMES:
        nodes[key_name] = named(key_name, role)
        check(nodes[key_name] is not None, "%s %r" % (role, filled(table, key_name, "a")))
    if None in nodes.values():
        return

    legend = nodes["IDS_ACC_GRAPH_LEGEND"]
    entries = [legend.getChildAtIndex(i) for i in range(legend.childCount)]
    check([e.name for e in entries] == ["f(x)", "g(x)", "h(x)"],
          "legend reads %r" % [e.name for e in entries])
    check(all(e.getState().contains(pyatspi.STATE_CHECKED) for e in entries),
          "every legend entry is checked (shown)")

    analysis = nodes["IDS_ACC_GRAPH_ANALYSIS"]
    root = filled(table, "IDS_GRAPH_ROOT", "f(x)", "1.41421356")
    listed = lambda: [analysis.getChildAtIndex(i).name for i in range(analysis.childCount)]
    check(wait_for(lambda: root in listed()), "analysis lists %r" % root)
    # The keys move through the list; each entry moves the trace, which the trace line reads.
    trace = nodes["IDS_ACC_GRAPH_TRACE"]
    # A list takes no focus request over the bus: Tab there from the expression field.
    activate()
    nodes["IDS_ACC_GRAPH_EXPRESSION"].queryComponent().grabFocus()
    for _ in range(3):
        key("Tab")
    now = focused(app)
    check(now is not None and now.name == analysis.name,
          "Tab reaches the analysis list (%r)" % (now.name if now else None))
    at_root = filled(table, "IDS_GRAPH_TRACE", "f(x)", "1.41421356", "").rstrip()
    for _ in range(len(listed())):
        if text_of(trace).startswith(at_root):
            break
        key("Down")
    check(text_of(trace).startswith(at_root),
          "trace reads %r" % text_of(trace))
    chart = nodes["IDS_ACC_GRAPH"]
    check(chart.description.startswith(text_of(trace)),
          "the chart's description leads with the trace: %r" % chart.description)

    # The slider speaks and takes the parameter's value, and the script and column follow.
    value = nodes["IDS_GRAPH_PARAMETER"].queryValue()
    check(value.currentValue == 2 and value.minimumValue == 0 and value.maximumValue == 4,
          "slider value %r in [%r, %r]" % (value.currentValue, value.minimumValue,
                                           value.maximumValue))
    value.currentValue = 3
    check(wait_for(lambda: text_of(script).split("\n")[2] == "a=3"),
          "slider set to 3 through the bus: script line %r" % text_of(script).split("\n")[2])
    check(wait_for(lambda: lines_of(column)[2:3] == ["3"]),
          "column follows: %r" % lines_of(column)[:5])

    # Tab from the expression field visits every control of the page in order, and leaves it.
    nodes["IDS_ACC_GRAPH_EXPRESSION"].queryComponent().grabFocus()
    order = ["IDS_ACC_GRAPH_EXPRESSION", "IDS_ACC_GRAPH", "IDS_ACC_GRAPH_LEGEND",
             "IDS_ACC_GRAPH_ANALYSIS", "IDS_ACC_GRAPH_TRACE", "IDS_GRAPH_FIT", "IDS_GRAPH_RESET",
             "IDS_GRAPH_PNG", "IDS_GRAPH_SVG", "IDS_GRAPH_COPY", "IDS_GRAPH_PARAMETER_LOW",
             "IDS_GRAPH_PARAMETER", "IDS_GRAPH_PARAMETER_HIGH"]
    visited = []
    for _ in range(len(order) + 1):
        now = focused(app)
        visited.append(now.name if now is not None else None)
        key("Tab")
    wanted = [filled(table, k, "a") for k in order]
    check(visited[:len(order)] == wanted, "Tab visits %r" % visited)
    check(visited[len(order)] not in wanted, "Tab leaves the page (to %r)" % visited[len(order)])

    # An expression that does not compile: its message is spoken with the error label.
    nodes["IDS_ACC_GRAPH_EXPRESSION"].queryEditableText().setTextContents("x+")
    error = lambda: named("IDS_ACC_GRAPH_ERROR", "label")
    check(wait_for(lambda: error() is not None and bool(error().description)),
          "expression error readable: %r" % (error().description if error() else None))


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
    graph_page(app, table, script, column)
    print("%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
