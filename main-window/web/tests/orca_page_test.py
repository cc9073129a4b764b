#!/usr/bin/python3
"""What Orca says of the page in Chromium, step by step, as a blind user
meets it: the screen-reader scenario that the desktop window's test replays
too (testing/orca_scenario.json). Read from Orca's own log, with Chromium in
Xvfb on a private session bus and the site served on 127.0.0.1.

    orca_page_test.py <site folder>

Needs Xvfb, xdotool, dbus-run-session, at-spi2-core, python3-pyatspi, orca,
speech-dispatcher and chromium.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
import x_window  # noqa: E402

x_window.with_private_bus()
import orca  # noqa: E402
import orca_speech  # noqa: E402
from checks import until  # noqa: E402

site = os.path.realpath(sys.argv[1])
server = os.path.join(x_window.PROJECT, "scripts", "lib", "site_server.py")
with x_window.Session() as session:
    session.x_server(96)

    def open_window():
        address = session.file("address")
        session.start(["/usr/bin/python3", server, site, address])

        def served():
            with open(address, encoding="utf-8") as file:
                return file.read().strip()
        url = until(lambda: os.path.exists(address) and served(), 10)
        chromium_log = session.file("chromium.log")
        session.start(["chromium", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                       "--disable-background-networking", "--disable-component-update", "--disable-sync",
                       "--force-renderer-accessibility", f"--user-data-dir={session.file('profile')}",
                       "--window-position=0,0", "--window-size=800,600", url], log=chromium_log)
        window = x_window.find_window("Tarnwick by Velmor", 60)
        # Orca hears the page only once Chromium has put it on the accessibility bus.
        try:
            orca_speech.wait_on_bus(orca_speech.window_titled("Tarnwick by Velmor"), 60, "")
        except SystemExit:
            window = ""
        if not window:
            with open(chromium_log, encoding="utf-8", errors="replace") as said:
                print(f"FAILED: Chromium did not show the page to Orca; Chromium said:\n{said.read()[-3000:]}")
            return False
        x_window.run("xdotool", "windowfocus", window)
        time.sleep(4)
        return True

    failures = orca.hear_scenario(session, "chromium", open_window)
sys.exit(failures)
