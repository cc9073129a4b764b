#!/usr/bin/python3
"""What weston's log says of the windows it shows, for the tests that run the
program as a Wayland client in a weston on an X server (the x11 backend,
with the "log" and "proto" scopes: its own lines and its clients' requests).

    weston_log.py x-window <log>   the X window weston shows its screen in
    weston_log.py size <log>       "<width>x<height>" that the first window up
                                   asks for as its fixed size (its last minimum
                                   and maximum sizes, when they are one), or ""
    weston_log.py keyboard <log>   "in" once the program has the keyboard (the
                                   last of weston's keyboard enter and leave
                                   events to it is an enter), else "out"

button_presses() counts the mouse buttons weston has passed on to the
program as pressed.

Wayland windows are not X windows: what xdotool reads of an X client (its
title, whether a window is up) is read here from the requests the program
made. libwayland writes an object as interface@id, newer releases as
interface#id.
"""
import re
import sys

X_WINDOW = re.compile(r"x11 output \d+x\d+, window id (\d+)")
TOPLEVEL = re.compile(r"\brq xdg_surface[@#]\d+\.get_toplevel\(new id xdg_toplevel[@#](\d+)\)")
TITLE = re.compile(r'\brq xdg_toplevel[@#](\d+)\.set_title\("(.*)"\)')
SIZE = re.compile(r"\brq xdg_toplevel[@#](\d+)\.set_(min|max)_size\((\d+), (\d+)\)")
KEYBOARD = re.compile(r"\bev wl_keyboard[@#]\d+\.(enter|leave)\(")
BUTTON_PRESSED = re.compile(r"\bev wl_pointer[@#]\d+\.button\(\d+, \d+, \d+, 1\)")
GONE = re.compile(r"\brq xdg_toplevel[@#](\d+)\.destroy\(\)")


def windows(log):
    """{id: {"title": ..., "min": (w, h), "max": (w, h)}} of the windows up,
    in the order they came (an id is used again once its window has gone)."""
    up = {}
    for line in log.splitlines():
        if match := TOPLEVEL.search(line):
            up[match.group(1)] = {"title": ""}
        elif (match := TITLE.search(line)) and match.group(1) in up:
            up[match.group(1)]["title"] = match.group(2)
        elif (match := SIZE.search(line)) and match.group(1) in up:
            up[match.group(1)][match.group(2)] = (int(match.group(3)), int(match.group(4)))
        elif match := GONE.search(line):
            up.pop(match.group(1), None)
    return up


def standing_titles(log):
    return [window["title"] for window in windows(log).values()]


def fixed_size(log):
    first = next(iter(windows(log).values()), {})
    if first.get("min") and first.get("min") == first.get("max"):
        return "{}x{}".format(*first["min"])
    return ""


def keyboard(log):
    events = KEYBOARD.findall(log)
    return "in" if events and events[-1] == "enter" else "out"


def button_presses(log):
    return len(BUTTON_PRESSED.findall(log))


def x_window(log):
    found = X_WINDOW.search(log)
    return found.group(1) if found else ""


COMMANDS = {"x-window": x_window, "size": fixed_size, "keyboard": keyboard}


def main(argv):
    if len(argv) != 3 or argv[1] not in COMMANDS:
        sys.exit(__doc__)
    with open(argv[2], encoding="utf-8", errors="replace") as file:
        print(COMMANDS[argv[1]](file.read()))


if __name__ == "__main__":
    main(sys.argv)
