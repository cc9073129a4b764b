#!/usr/bin/python3
"""The program as a native Wayland client. Weston runs in a window of its own
on a real X server (Xvfb) and shows the program as a kiosk does, alone on a
bare screen; xdotool types and clicks into weston's window, and weston
hands the keys and clicks on to the program as any Wayland compositor does.
The program starts without a word on stderr, asks for its window's size,
fixed, and goes through the scenario every window replays
(testing/window_scenario.json).

    wayland_test.py path/to/tarnwick path/to/form1-layout

Needs Xvfb, weston, qt6-wayland, xdotool and ImageMagick.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import weston_log  # noqa: E402
import x_scenario  # noqa: E402
from checks import check, eventually, finish, until  # noqa: E402
from x_window import InWeston, Layout, Session, run  # noqa: E402

program = os.path.realpath(sys.argv[1])
layout = Layout([os.path.realpath(sys.argv[2])])

with Session() as session:
    session.x_server(96)
    os.makedirs(session.file("run"), mode=0o700)
    os.environ.update(XDG_RUNTIME_DIR=session.file("run"), WAYLAND_DISPLAY="tarnwick-test")
    # Its log, with the requests of its clients ("proto"), names its X window
    # and tells which windows the program has up.
    compositor_log = session.file("weston.log")
    session.start(["weston", "--backend=x11-backend.so", "--shell=kiosk-shell.so", "--use-pixman", "--idle-time=0",
                   "--width=640", "--height=480", "--socket=tarnwick-test", "--logger-scopes=log,proto",
                   f"--log={compositor_log}"])

    def compositor():
        if not os.path.exists(os.path.join(session.file("run"), "tarnwick-test")):
            return ""
        with open(compositor_log, encoding="utf-8", errors="replace") as file:
            return weston_log.x_window(file.read())

    x_window = until(compositor, 10)
    check("weston up in the X server", bool(x_window), True)
    # Keys go to weston's window, and from it to the window weston has
    # active. Weston takes the X focus before the program starts: as it
    # takes it, it moves the keyboard away from its windows and back.
    run("xdotool", "windowfocus", x_window)

    process = session.start([program], log=session.file("program.log"), QT_QPA_PLATFORM="wayland")
    window = InWeston(compositor_log, x_window, layout, session, process)
    # The window is up once it has asked for its size, fixed. A kiosk shows
    # it centred, or stretched over the screen with its controls in place:
    # the client area is found from the blue rule.
    width, height = window.client_size()
    check("window asks for its size, fixed",
          eventually(lambda: weston_log.fixed_size(window.log()), f"{width}x{height}", 10), f"{width}x{height}")
    check("window drawn at 100 %", eventually(window.find_client_area, True, 10) and window.scale, 1.0)
    # Keys typed before the program has the keyboard would be lost.
    check("the program has the keyboard", eventually(lambda: weston_log.keyboard(window.log()), "in", 5), "in")
    x_scenario.replay(window)

    check("still running", window.running(), True)
    session.stop(process)
    with open(session.file("program.log"), encoding="utf-8", errors="replace") as said:
        check("nothing on stderr", said.read(), "")

finish()
