"""Replays the window scenario (window_scenario.json) on a Tarnwick window
under an X server, as a person would, through the window driver
(x_window.py): under Xvfb, under Wine, or in weston. Prints a line for each
check, counted by checks.py.

What no X client can read of the window (the focus, the boxes' texts, what a
screen reader is told, the report's words) is said as not checked here: the
accessibility and screen-reader tests read those.
"""
import json
import os
import urllib.parse

from checks import check
import checks

# A loaded machine, or an emulated program, may take a while to paint.
SECONDS = 10


def eventually(read, expected):
    return checks.eventually(read, expected, SECONDS)


UNREAD = {
    "focus": "the focus",
    "result": "the result's text",
    "announced": "what a screen reader is told",
    "tooltip": "the tooltip",
}


def same_address(url):
    """An address as the browser takes it: an empty path is "/" (Wine's bridge writes it so)."""
    parts = urllib.parse.urlsplit(url.strip())
    return parts._replace(path=parts.path or "/").geturl()


CHECKED = {"title", "colour", "report", "running", "opened"}


def replay(window, scenario=None):
    scenario = scenario or load()
    colours = scenario["colours"]
    for step in scenario["steps"]:
        what = step["what"]
        for key in step.get("keys", []):
            window.press(key)
        if "calculate" in step:
            for box, text in zip(("txtDSM", "txtMin", "txtCurSpeed"), step["calculate"]):
                window.retype(box, text)
            window.press("key alt+c")
        if "click" in step:
            window.click(step["click"])
        unread = []
        for name, expected in step["expect"].items():
            if name == "title":
                check(f"{what}: titled {expected}", window.title(), expected)
            elif name == "colour":
                check(f"{what}: {expected}", eventually(window.colour, colours[expected]), colours[expected])
            elif name == "report":
                up = expected is not None
                check(f"{what}: {'a failure report' if up else 'no report'} up", eventually(window.report_up, up), up)
                if up:
                    unread.append("the report's words")
            elif name == "running":
                check(f"{what}: the program still running", window.running(), expected)
            elif name == "opened":
                address = same_address(expected)
                check(f"{what}: {expected} opened",
                      eventually(lambda: same_address(window.opened_address()), address), address)
            else:
                unread.append(UNREAD[name])
        if unread:
            print(f"not checked here: {what}: {', '.join(unread)}"
                  " (not read off the screen; the accessibility tests read them)")


def load():
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "window_scenario.json"), encoding="utf-8") as f:
        return json.load(f)
