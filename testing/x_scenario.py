#!/usr/bin/python3
"""Replays the window scenario (window_scenario.json) on a Tarnwick window
under an X server, as a person would: xdotool types, presses and clicks,
and the screen is read where the window's layout says (screen.py). Prints a
line for each check, as the shell tests do, and exits with the number that
failed.

    x_scenario.py <X window> <layout> <client x> <client y> <opened> <program pid>
                  [--compositor-log <weston's log>]

<layout> is form1-layout's output at the DPI the window is shown at; <client
x> and <client y> where its client area starts in the X window; <opened> the
file that the stand-in for the desktop's URL opener appends to.

With --compositor-log, the X window is weston's, which shows the program as
a Wayland client: keys and clicks reach it through weston, and its windows'
titles are read from the requests weston logs (weston_log.py), since they
are not X windows.

What no X client can read of the window (the focus, the boxes' texts, what a
screen reader is told, the report's words) is said as not checked here: the
accessibility and screen-reader tests read those.
"""
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402
import weston_log  # noqa: E402
from checks import check  # noqa: E402
import checks  # noqa: E402

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


class XWindow:
    def __init__(self, window, layout, client_x, client_y, opened, pid):
        self.window, self.x, self.y, self.opened, self.pid = window, client_x, client_y, opened, pid
        with open(layout, encoding="utf-8") as file:
            self.controls = screen.read_layout(file.read())
        self.folder = tempfile.TemporaryDirectory()  # removed with the object
        self.shot = os.path.join(self.folder.name, "shot.png")

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

    def title(self):
        return self.xdotool("getwindowname", self.window)

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


class InWeston(XWindow):
    def __init__(self, compositor_log, *arguments):
        super().__init__(*arguments)
        self.compositor_log = compositor_log

    def titles(self):
        with open(self.compositor_log, encoding="utf-8", errors="replace") as file:
            return weston_log.standing_titles(file.read())

    def title(self):
        return (self.titles() or [""])[0]

    def report_up(self):
        return "Tarnwick" in self.titles()


CHECKED = {"title", "colour", "report", "running", "opened"}


def replay(window, scenario):
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
                check(f"{what}: {expected} opened", eventually(window.opened_address, same_address(expected)),
                    same_address(expected))
            else:
                unread.append(UNREAD[name])
        if unread:
            print(f"not checked here: {what}: {', '.join(unread)}"
                  " (not read off the screen; the accessibility tests read them)")


def main(argv):
    arguments = (argv[1], argv[2], int(argv[3]), int(argv[4]), argv[5], int(argv[6]))
    if argv[7:8] == ["--compositor-log"]:
        window = InWeston(argv[8], *arguments)
    else:
        window = XWindow(*arguments)
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "window_scenario.json"), encoding="utf-8") as f:
        scenario = json.load(f)
    replay(window, scenario)
    return checks.failures


if __name__ == "__main__":
    sys.exit(main(sys.argv))
