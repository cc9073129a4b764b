#!/usr/bin/python3
"""Replays the window scenario (window_scenario.json) on a Tarnwick window
under an X server, as a person would: xdotool types, presses and clicks,
and the screen is read where the window's layout says (screen.py). Prints a
line for each check, as the shell tests do, and exits with the number that
failed.

    x_scenario.py <X window> <layout> <client x> <client y> <opened> <program pid>

<layout> is form1-layout's output at the DPI the window is shown at; <client
x> and <client y> where its client area starts in the X window; <opened> the
file that the stand-in for the desktop's URL opener appends to.

What no X client can read of the window (the focus, the boxes' texts, what a
screen reader is told, the report's words) is said as not checked here: the
accessibility and screen-reader tests read those.
"""
import json
import os
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402

UNREAD = {
    "focus": "the focus",
    "result": "the result's text",
    "announced": "what a screen reader is told",
    "tooltip": "the tooltip",
}


def eventually(read, expected, seconds=10.0):
    """What read() gives once it is the expected value, or when the time is up:
    a loaded machine, or an emulated program, may take a while to paint."""
    deadline = time.monotonic() + seconds
    while True:
        got = read()
        if got == expected or time.monotonic() > deadline:
            return got
        time.sleep(0.1)


def same_address(url):
    """An address as the browser takes it: an empty path is "/" (Wine's bridge writes it so)."""
    parts = urllib.parse.urlsplit(url.strip())
    return parts._replace(path=parts.path or "/").geturl()


class XWindow:
    def __init__(self, window, layout, client_x, client_y, opened, pid):
        self.window, self.x, self.y, self.opened, self.pid = window, client_x, client_y, opened, pid
        with open(layout, encoding="utf-8") as file:
            self.controls = screen.read_layout(file.read())
        self.shot = os.path.join(tempfile.mkdtemp(), "shot.png")

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], check=False, capture_output=True, text=True).stdout.strip()

    def press(self, step):
        kind, what = step.split(" ", 1)
        if kind == "type":
            self.xdotool("type", "--delay", "20", what)
        else:
            self.xdotool("key", what)

    def click(self, control):
        x, y = screen.spot(self.controls, control, self.x, self.y, "centre")
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def retype(self, box, text):
        self.click(box)
        self.xdotool("key", "ctrl+a", "BackSpace")
        if text:
            self.xdotool("type", "--delay", "20", text)

    def colour(self):
        from PIL import Image

        subprocess.run(["import", "-window", self.window, self.shot], check=False)
        x, y = screen.spot(self.controls, "txtSpeed", self.x, self.y, "end")
        return list(Image.open(self.shot).convert("RGB").getpixel((x, y)))

    def report_up(self):
        found = self.xdotool("search", "--onlyvisible", "--name", "^Tarnwick$")
        return bool(found)

    def running(self):
        try:
            os.kill(self.pid, 0)
            return True
        except OSError:
            return False

    def opened_address(self):
        try:
            with open(self.opened, encoding="utf-8") as file:
                return same_address(file.read())
        except FileNotFoundError:
            return ""


CHECKED = {"title", "colour", "report", "running", "opened"}


def replay(window, scenario, say):
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
        for check, expected in step["expect"].items():
            if check == "title":
                say(f"{what}: titled {expected}", window.xdotool("getwindowname", window.window), expected)
            elif check == "colour":
                say(f"{what}: {expected}", eventually(window.colour, colours[expected]), colours[expected])
            elif check == "report":
                up = expected is not None
                say(f"{what}: {'a failure report' if up else 'no report'} up", eventually(window.report_up, up), up)
                if up:
                    unread.append("the report's words")
            elif check == "running":
                say(f"{what}: the program still running", window.running(), expected)
            elif check == "opened":
                say(f"{what}: {expected} opened", eventually(window.opened_address, same_address(expected)),
                    same_address(expected))
            else:
                unread.append(UNREAD[check])
        if unread:
            print(f"not checked here: {what}: {', '.join(unread)} (not read off the screen; the accessibility tests read them)")


def main(argv):
    window = XWindow(argv[1], argv[2], int(argv[3]), int(argv[4]), argv[5], int(argv[6]))
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "window_scenario.json"), encoding="utf-8") as f:
        scenario = json.load(f)
    failures = 0

    def say(what, got, expected):
        nonlocal failures
        if got == expected:
            print(f"ok: {what}")
        else:
            print(f"FAILED: {what}: got {got!r}, expected {expected!r}")
            failures += 1

    replay(window, scenario, say)
    return failures


if __name__ == "__main__":
    sys.exit(main(sys.argv))
