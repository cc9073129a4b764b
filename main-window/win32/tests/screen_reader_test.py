#!/usr/bin/python3
"""Reads tarnwick.exe over Active Accessibility from another process, as a
screen reader on Windows does, under Wine in a real X server: the boxes'
names and units, the button, the logo as a link and following it, and the
result box's verdict in words after each calculation, with the event that
announces it. A fresh Wine prefix for every run.

    screen_reader_test.py path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe path/to/screen_reader.exe

Needs Xvfb, xdotool, ImageMagick and Wine.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
from checks import check, eventually, finish  # noqa: E402
from x_window import Session, Wine, run  # noqa: E402

ROLE_EDIT, ROLE_LINK = "42", "30"
STATE_LINKED = 0x400000
os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml="
wine_program, reader = sys.argv[1], os.path.realpath(sys.argv[4])


def read_window():
    """What a screen reader reads of each control: {(role, name): (description,
    state, default action, keyboard shortcut)}. The captions carry the same
    names as the boxes, with another role. (Wine gives a button and a caption
    the role of a plain client area, where Windows gives push button and
    static text.)"""
    controls = {}
    for line in run(wine_program, reader, "read").replace("\r", "").splitlines():
        fields = line.split("\t") + [""] * 4  # the last empty fields of the last line are stripped
        controls.setdefault((fields[0], fields[1]), tuple(fields[2:6]))
    return controls


def described(controls, name):
    return controls.get((ROLE_EDIT, name), ("",))[0]


def named(controls, name):
    return next((fields for (_, shown), fields in controls.items() if shown == name), None)


with Session() as session:
    wine = Wine(session, *sys.argv[1:4])
    window = wine.first_window()
    # The watcher writes each event it sees, after a line that says it watches.
    events = session.file("events")
    session.start([wine_program, reader, "watch", "120"], output=events)

    def watching():
        with open(events, encoding="utf-8", errors="replace") as said:
            return "watching" in said.read()

    eventually(watching, True, 10)

    def announced(description):
        event = f"description-change\tMax New Speed:\t{description}"

        def seen():
            with open(events, encoding="utf-8", errors="replace") as said:
                return event in said.read().replace("\r", "").splitlines()
        return eventually(seen, True, 5)

    def result_tip():
        """The result box's tooltip, as the mouse rests on the box: what it shows."""
        x, y = window.point("txtSpeed")
        window.xdotool("mousemove", "--window", window.window, str(x), str(y + 60))
        time.sleep(0.3)
        window.xdotool("mousemove", "--window", window.window, str(x), str(y))
        time.sleep(1.5)
        return run(wine_program, reader, "tooltips").replace("\r", "")

    # ---- Before any calculation ------------------------------------------------------
    controls = read_window()
    check("DS Margin box and its unit", described(controls, "DS Margin"), "dB")
    check("Minimum margin box and its unit", described(controls, "Minimum margin"), "dB")
    check("Current speed box and its unit", described(controls, "Current speed:"), "in Mbps")
    check("result box: its unit, no verdict yet", described(controls, "Max New Speed:"), "in Mbps")
    check("Calculate button and its shortcut", (named(controls, "Calculate") or ("",) * 4)[3], "Alt+C")
    link = controls.get((ROLE_LINK, "Velmor.example"))
    check("logo is a link named Velmor.example", link is not None, True)
    check("link's state is linked", bool(link and int(link[1] or "0", 16) & STATE_LINKED), True)
    check("link's default action", link and link[2], "Jump")
    check("no tooltip on the result box before a calculation", result_tip(), "")

    # ---- The verdict, after a green and after a red calculation ------------------------
    for typed, verdict in (("12", "higher"), ("3", "lower")):
        window.calculate(typed, "6", "8")
        words = f"in Mbps, {verdict} than the current speed"
        check(f"{'green' if verdict == 'higher' else 'red'} calculation announced", announced(words), True)
        check(f"result box says {verdict}", described(read_window(), "Max New Speed:"), words)
        check("... and so does its tooltip", result_tip(), f"{verdict} than the current speed")
    check("the other boxes keep their units", described(read_window(), "DS Margin"), "dB")

    # ---- Following the link, as a screen reader does ------------------------------------
    check("default action done", run(wine_program, reader, "follow", "Velmor.example").replace("\r", ""), "done")
    check("following the link opens the home page",
          eventually(session.opened_address, "http://www.velmor.example/", 10), "http://www.velmor.example/")
    check("following the link keeps the result", window.result_colour([255, 180, 180]), [255, 180, 180])
    wine.end(window.process)

finish()
