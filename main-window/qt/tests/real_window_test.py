#!/usr/bin/python3
"""Drives the real program in a real X server (Xvfb) as a person would: the
scenario every window replays (testing/window_scenario.json), then the
window on other desktops and at other scales, looking at the screen.

    real_window_test.py path/to/tarnwick path/to/form1-layout

Needs Xvfb, xdotool, xprop, xrdb and ImageMagick.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import x_scenario  # noqa: E402
from checks import check, finish  # noqa: E402
from x_window import Layout, Session, XWindow, find_window, run  # noqa: E402

program = os.path.realpath(sys.argv[1])
layout = Layout([os.path.realpath(sys.argv[2])])


def shown(session, dpi=96, scale=1.0, **environment):
    """The program started in an X server of its own, at that DPI, with the
    environment given; its window at that scale once it is painted."""
    session.x_server(dpi)
    process = session.start([program], log=session.file("program.log"), **environment)
    window = find_window()
    time.sleep(0.3)  # let the first paint finish
    return XWindow(window, layout, session, process, scale=scale)


# ---- At 96 dots per inch -------------------------------------------------------------
with Session() as session:
    window = shown(session)
    width, height = window.client_size()
    check("client size", window.geometry()[2:], (width, height))
    check("centred", window.centred(), True)
    hints = run("xprop", "-id", window.window, "WM_NORMAL_HINTS")
    check("fixed minimum size", f"minimum size: {width} by {height}" in hints, True)
    check("fixed maximum size", f"maximum size: {width} by {height}" in hints, True)
    check("the logo as sharp as its SVG", window.logo_difference() <= 0.02, True)
    check("the link cursor over the logo: 32 x 32, hot spot 6, 0", window.cursor_over_logo(), (32, 32, 6, 0))
    # What every window does: typing, Tab, Alt+C, the verdicts, a failure
    # reported and the program going on, the link.
    x_scenario.replay(window)

# ---- On other desktops ------------------------------------------------------------------
# A dark GTK theme: the window fixes its text colours with its backgrounds.
with Session() as session:
    window = shown(session, QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME="Adwaita:dark")
    window.calculate("12", "6", "8")
    window.result_colour([200, 255, 200])
    check("dark theme: caption readable", window.contrast("Label2") >= 7, True)
    check("dark theme: input box readable", window.contrast("txtDSM", 2) >= 7, True)
    check("dark theme: result readable", window.contrast("txtSpeed", 2) >= 7, True)

# The user's own font through qt6ct, and a larger font DPI: the font shrinks
# until every caption fits.
with Session() as session:
    os.makedirs(session.file("config/qt6ct"))
    with open(session.file("config/qt6ct/qt6ct.conf"), "w", encoding="utf-8") as config:
        config.write('[Fonts]\ngeneral="DejaVu Sans,11,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"\n')
    window = shown(session, QT_QPA_PLATFORMTHEME="qt6ct", XDG_CONFIG_HOME=session.file("config"))
    check("qt6ct at 11 pt: every caption whole", window.captions_cut(), [])
with Session() as session:
    window = shown(session, scale=1.5, QT_FONT_DPI="144")
    check("font DPI 144: every caption whole", window.captions_cut(), [])

# ---- At 200 % and 300 %: the logo and the cursor made for the scale --------------------
for factor in (2, 3):
    with Session() as session:
        window = shown(session, scale=factor, QT_SCALE_FACTOR=str(factor))
        check(f"the logo as sharp as its SVG at {factor}00 %", window.logo_difference() <= 0.02, True)
        size = 32 * factor
        check(f"the link cursor at {factor}00 %: {size} x {size}, hot spot {6 * factor}, 0",
              window.cursor_over_logo(), (size, size, 6 * factor, 0))

# ---- At 144 dots per inch the window is 1.5 times larger ------------------------------
# (Qt scales its 96 dpi size, which may round a half pixel down.)
with Session() as session:
    window = shown(session, dpi=144, scale=1.5)
    width, height = window.client_size()
    shown_width, shown_height = window.geometry()[2:]
    check(f"client size at 144 dpi, {width} x {height}",
          width - 1 <= shown_width <= width and shown_height == height, True)

finish()
