#!/usr/bin/python3
"""What a screen reader gets from the real program: its accessibility tree,
read and used over AT-SPI itself, in Xvfb on a private session bus.

    accessibility_test.py path/to/tarnwick

Needs Xvfb, xdotool, dbus-run-session, at-spi2-core and python3-pyatspi.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import x_window  # noqa: E402

x_window.with_private_bus()
import pyatspi  # noqa: E402  (after the bus it reads)

from checks import check, eventually, finish  # noqa: E402
import checks  # noqa: E402


def application(name):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit(f"FAILED: no application {name!r} on the accessibility bus")


def nodes(node):
    yield node
    for child in node:
        yield from nodes(child)


session = x_window.Session()
session.x_server(96)
session.start([os.path.realpath(sys.argv[1])], log=session.file("program.log"), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
x_window.find_window()
opened = session.opened
app = application("tarnwick")
everything = list(nodes(app))


def named(name, role):
    # Roles by their constants: their names change between AT-SPI releases
    # (a push button is "button" in Debian 13's).
    found = [n for n in everything if n.name == name and n.getRole() == role]
    return found[0] if found else None


def description(node):
    node.clear_cache()  # read what the program says now, not what was cached
    return node.description


# ---- Roles and names ----------------------------------------------------------
boxes = {name: named(name, pyatspi.ROLE_TEXT) for name in ("DS Margin", "Minimum margin", "Current speed:", "Max New Speed:")}
for name, box in boxes.items():
    check(f"text box {name!r}", box is not None, True)
if None in boxes.values():
    sys.exit(f"{checks.failures} check(s) failed")
button = named("Calculate", pyatspi.ROLE_PUSH_BUTTON)
check("push button 'Calculate'", button is not None, True)
link = named("Velmor.example", pyatspi.ROLE_LINK)
check("link 'Velmor.example'", link is not None, True)

# ---- Each box is labelled by its caption alone, which says its unit too -----------
for box, unit in (("DS Margin", "dB"), ("Minimum margin", "dB"), ("Current speed:", "in Mbps"),
                  ("Max New Speed:", "in Mbps")):
    labels = [target.name
              for relation in boxes[box].getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
    check(f"{box!r} labelled by", labels, [f"{box}, {unit}"])

# ---- The verdict in words, after a calculation ------------------------------------
check("no verdict before a calculation", description(boxes["Max New Speed:"]), "")


def calculate(ds_margin, current_speed):
    boxes["DS Margin"].queryEditableText().setTextContents(ds_margin)
    boxes["Current speed:"].queryEditableText().setTextContents(current_speed)
    actions = button.queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Press"))


result = boxes["Max New Speed:"]
calculate("12", "8")
check("green calculation described", eventually(lambda: description(result), "higher than the current speed"),
      "higher than the current speed")
check("result text", result.queryText().getText(0, -1), "16")
calculate("3", "8")
check("red calculation described", eventually(lambda: description(result), "lower than the current speed"),
      "lower than the current speed")

# ---- The link's action opens the page -------------------------------------------
if link is not None:
    actions = link.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    check("link actions", names, ["Press"])
    actions.doAction(0)

    def recorded():
        try:
            with open(opened) as record:
                return record.read().split()
        except FileNotFoundError:
            return []
    check("link's action opens the home page", eventually(recorded, ["http://www.velmor.example"]),
          ["http://www.velmor.example"])

finish()
