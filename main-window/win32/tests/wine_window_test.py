#!/usr/bin/python3
"""Drives tarnwick.exe under Wine in a real X server (Xvfb) as a person would:
the scenario every window replays (testing/window_scenario.json), then Tab,
Shift+Tab, Enter and Escape, closing, and other DPIs, looking at the screen.
A fresh Wine prefix for every run.

    wine_window_test.py path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe

Needs Xvfb, xdotool, ImageMagick and Wine.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import x_scenario  # noqa: E402
from checks import check, eventually, finish  # noqa: E402
from x_window import Session, Wine, find_window  # noqa: E402

GREEN, WHITE, RED = [200, 255, 200], [255, 255, 255], [255, 180, 180]
os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml="


def client_size(window):
    """The client area's size on the screen: Wine's frame is as wide on the
    left, the right and the bottom."""
    _, _, width, height = window.geometry()
    return (width - 2 * window.x, height - window.y - window.x)


with Session() as session:
    wine = Wine(session, *sys.argv[1:4])

    # ---- At 96 dots per inch -----------------------------------------------------------
    window = wine.first_window()
    check("client size", client_size(window), window.client_size())
    check("centred", window.centred(), True)
    check("every caption whole", window.captions_cut(), [])
    check("caption readable", window.contrast("Label2") >= 7, True)
    check("the logo as sharp as its SVG", window.logo_difference() <= 0.02, True)
    check("the link cursor over the logo: 32 x 32, hot spot 6, 0", window.cursor_over_logo(), (32, 32, 6, 0))

    # What every window does: typing, Tab, Alt+C, the verdicts, a failure
    # reported and the program going on, the link (which Wine's browser
    # bridge writes with a slash for the empty path: the same address).
    x_scenario.replay(window)
    window.calculate("3", "6", "8")
    window.result_colour(RED)
    check("input box readable", window.contrast("txtMin", 2) >= 7, True)

    # The Tab cycle, seen through what each stop does: from txtDSM four Tabs
    # reach the button (space clicks it), a fifth comes back to txtDSM (Tab
    # selects a box's text, so typing replaces it), and Shift+Tab goes back.
    window.calculate("12", "6", "8")
    window.retype("txtDSM", "12")
    window.press("key Tab Tab Tab Tab space")
    check("four Tabs from txtDSM reach Calculate", window.result_colour(GREEN), GREEN)
    window.press("key Tab")
    window.press("type 3")
    window.press("key shift+Tab space")
    check("Tab wraps to txtDSM, Shift+Tab back to Calculate", window.result_colour(RED), RED)
    window.press("key shift+Tab shift+Tab shift+Tab")
    window.press("type 3")
    window.press("key Tab Tab Tab space")
    check("Shift+Tab reaches txtMin, Tab the button again", window.result_colour(WHITE), WHITE)

    # Enter and Escape in a box do nothing.
    window.calculate("3", "6", "8")
    window.result_colour(RED)
    window.retype("txtDSM", "12")
    window.press("key Return Escape")
    time.sleep(0.5)
    check("Enter and Escape do not calculate", window.result_colour(RED), RED)
    check("Escape does not close", find_window(seconds=0), window.window)

    # Closing the window (the system's close command) ends the program at once.
    window.xdotool("key", "--window", window.window, "alt+F4")
    check("closing ends the program", eventually(window.running, False, 5), False)
    wine.end(window.process)
    session.stop_all()

    # ---- At 144, 192 and 288 dots per inch the window is 1.5, 2 and 3 times larger ---------
    # The logo and the cursor made for each scale: as sharp as the text.
    for dpi in (144, 192, 288):
        session.x_server(dpi)
        wine.at_dpi(dpi)
        window = wine.start()
        if window is None:
            check(f"a window at {dpi} dpi", None, "shown")
            continue
        size, hot_spot = 32 * dpi // 96, 6 * dpi // 96
        check(f"client size at {dpi} dpi", client_size(window), window.client_size())
        if dpi == 144:
            check("every caption whole at 144 dpi", window.captions_cut(), [])
        check(f"the logo as sharp as its SVG at {dpi} dpi", window.logo_difference() <= 0.02, True)
        check(f"the link cursor at {dpi} dpi: {size} x {size}, hot spot {hot_spot}, 0", window.cursor_over_logo(),
              (size, size, hot_spot, 0))
        wine.end(window.process)
        session.stop_all()

finish()
