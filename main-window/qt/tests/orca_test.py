#!/usr/bin/python3
"""What Orca says of the real program, step by step, as a blind user meets
it: the screen-reader scenario that the page's test replays too
(testing/orca_scenario.json). Read from Orca's own log, in Xvfb on a
private session bus.

    orca_test.py path/to/tarnwick

Needs Xvfb, xdotool, dbus-run-session, at-spi2-core, python3-pyatspi, orca
and speech-dispatcher.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import x_window  # noqa: E402

x_window.with_private_bus()
import orca  # noqa: E402

program = os.path.realpath(sys.argv[1])
with x_window.Session() as session:
    session.x_server(96)

    def open_window():
        session.start([program], log=session.file("program.log"), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        x_window.find_window()
        time.sleep(orca.STEP_SECONDS)
        return True

    failures = orca.hear_scenario(session, "qt", open_window)
sys.exit(failures)
