"""The one driver of a running Tarnwick window for the tests that use it as a
person would: it starts an X server (Xvfb), finds windows, types, clicks and
reads the screen where the window's layout says (screen.py). One class,
XWindow, drives the Qt window under Xvfb, the Win32 window under Wine, and,
through InWeston, the Qt window as a Wayland client of weston.

Besides: a stand-in for the desktop's URL opener that writes down what it
is asked to open, a fresh Wine prefix, a private session bus, and the
programs started, all ended and removed with the test (Session).
"""
import atexit
import contextlib
import fcntl
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen  # noqa: E402
import weston_log  # noqa: E402
from checks import eventually, until  # noqa: E402

TESTING = os.path.dirname(os.path.abspath(__file__))
PROJECT = os.path.dirname(TESTING)
TITLE = "^Tarnwick by Velmor$"
# ImageMagick itself, never a wrapper earlier on PATH.
IMPORT, CONVERT, COMPARE = "/usr/bin/import", "/usr/bin/convert", "/usr/bin/compare"
SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768


def run(*command, **options):
    """What a command prints, stripped; never a failure of the test itself."""
    return subprocess.run(command, check=False, capture_output=True, text=True, **options).stdout.strip()


def with_private_bus():
    """Runs this script again on a session bus of its own (which starts the
    accessibility bus when asked for it), unless it runs on one already."""
    if not os.environ.get("TARNWICK_PRIVATE_BUS"):
        os.environ["TARNWICK_PRIVATE_BUS"] = "1"
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])


class Session:
    """What a test starts, ended and removed when it ends: a work folder,
    X servers, programs, and a stand-in for xdg-open in <folder>/bin that
    appends what it is asked to open to <folder>/opened, a line each."""

    def __init__(self):
        atexit.register(self.__exit__)  # also when a test gives up with sys.exit
        self.folder = tempfile.mkdtemp()
        self.processes = []
        self.opened = os.path.join(self.folder, "opened")
        os.makedirs(os.path.join(self.folder, "bin"))
        opener = os.path.join(self.folder, "bin", "xdg-open")
        with open(opener, "w", encoding="utf-8") as file:
            file.write(f'#!/bin/sh\nprintf "%s\\n" "$@" >>"{self.opened}"\n')
        os.chmod(opener, 0o755)
        self.path = os.path.join(self.folder, "bin") + os.pathsep + os.environ["PATH"]

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.stop_all()
        shutil.rmtree(self.folder, ignore_errors=True)

    def file(self, name):
        return os.path.join(self.folder, name)

    def start(self, command, log=os.devnull, output=os.devnull, **environment):
        """A program started with the opener's stand-in first on PATH, its
        stderr to <log> and its stdout to <output>: a Popen."""
        env = dict(os.environ, PATH=self.path, **environment)
        with open(log, "w", encoding="utf-8") as sink, open(output, "w", encoding="utf-8") as out:
            process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=sink)
        self.processes.append(process)
        return process

    def stop(self, process):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if process in self.processes:
            self.processes.remove(process)

    def stop_all(self):
        for process in reversed(list(self.processes)):
            self.stop(process)

    def x_server(self, dpi):
        """Xvfb at 1024 x 768 on a free display, at this DPI, which it also
        gives as Xft.dpi, Qt's scale. -noreset keeps X resources such as
        Xft.dpi after the last client leaves. Sets DISPLAY."""
        read_end, write_end = os.pipe()
        log = self.file("xvfb.log")
        with open(log, "w", encoding="utf-8") as sink:
            server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                 "-dpi", str(dpi), "-noreset", "-nolisten", "tcp"], pass_fds=[write_end], stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=sink)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            display = pipe.readline().strip()
        if not display:
            with open(log, encoding="utf-8") as said:
                sys.exit(f"Xvfb did not start:\n{said.read()}")
        self.processes.append(server)
        os.environ["DISPLAY"] = f":{display}"
        subprocess.run(["xrdb", "-nocpp", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True, check=False)
        return server

    def opened_address(self):
        try:
            with open(self.opened, encoding="utf-8") as file:
                return file.read().strip()
        except FileNotFoundError:
            return ""


def find_window(title=TITLE, seconds=20):
    """The id of the first shown window whose title matches, once there is
    one, or "" after that many seconds. (xdotool's own --sync gives up for
    good when a window goes away while it looks, as windows do while a
    program starts, and more often on a busy machine.)"""
    deadline = time.monotonic() + seconds
    while True:
        found = run("xdotool", "search", "--onlyvisible", "--name", title).split()
        if found or time.monotonic() > deadline:
            return found[0] if found else ""
        time.sleep(0.1)


def running(process):
    return process.poll() is None


class Layout:
    """The window's layout at a DPI, from its own description: what
    form1-layout prints (run through an emulator, if it needs one)."""

    def __init__(self, command):
        self.command = command
        self.at = {}

    def __call__(self, dpi):
        if dpi not in self.at:
            text = run(*self.command, str(dpi)).replace("\r", "")
            self.at[dpi] = screen.read_layout(text), text
        return self.at[dpi][0]

    def client_size(self, dpi):
        self(dpi)
        words = next(line.split() for line in self.at[dpi][1].splitlines() if line.startswith("window "))
        return int(words[1]), int(words[2])


class XWindow:
    """A Tarnwick window in an X server, driven as a person would. Its
    client area starts at (x, y) in the X window, at `scale` pixels per
    pixel at 96 dpi."""

    def __init__(self, window, layout, session, process, x=0, y=0, scale=1.0):
        self.window, self.layout, self.session, self.process = window, layout, session, process
        self.x, self.y, self.scale = x, y, scale
        self.shot_file = session.file("shot.png")

    @property
    def dpi(self):
        return round(96 * self.scale)

    @property
    def controls(self):
        return self.layout(self.dpi)

    def client_size(self):
        return self.layout.client_size(self.dpi)

    # ---- Input ------------------------------------------------------------------

    def xdotool(self, *arguments):
        return run("xdotool", *arguments)

    def press(self, step):
        """Keys pressed ("key Tab space") or text typed ("type 12")."""
        kind, what = step.split(" ", 1)
        if kind == "type":
            self.xdotool("type", "--delay", "20", what)
        else:
            self.xdotool("key", *what.split())

    def point(self, control, where="centre"):
        return screen.spot(self.controls, control, self.x, self.y, where)

    def place(self, control, inset=0):
        return screen.place(self.controls, control, self.x, self.y, inset)

    def move_to(self, control, where="centre"):
        x, y = self.point(control, where)
        self.xdotool("mousemove", "--window", self.window, str(x), str(y))

    def click(self, control):
        x, y = self.point(control)
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def retype(self, box, text):
        self.click(box)
        self.xdotool("key", "ctrl+a", "BackSpace")
        if text:
            self.xdotool("type", "--delay", "20", text)

    def calculate(self, ds_margin, minimum, current_speed):
        for box, text in zip(("txtDSM", "txtMin", "txtCurSpeed"), (ds_margin, minimum, current_speed)):
            self.retype(box, text)
        self.press("key alt+c")

    # ---- The screen ---------------------------------------------------------------

    def shot(self):
        from PIL import Image

        subprocess.run([IMPORT, "-window", self.window, self.shot_file], check=False)
        return Image.open(self.shot_file).convert("RGB")

    def colour(self, control="txtSpeed", where="end"):
        """The colour [r, g, b] of a point of a control: the result box's,
        past its text."""
        return list(self.shot().getpixel(self.point(control, where)))

    def result_colour(self, expected, seconds=10):
        """The result box's colour once it is the expected one, or after some
        seconds: a loaded machine, or an emulated program, may take a while
        to paint."""
        return eventually(self.colour, expected, seconds)

    def contrast(self, control, inset=0):
        """WCAG's contrast ratio between the lightest and the darkest pixel of
        a control, less <inset> pixels each side: its text against its
        background."""
        left, top, width, height = self.place(control, inset)
        return screen.contrast(screen.region(self.shot(), left, top, width, height))

    def captions_cut(self):
        """The captions whose last two pixel columns hold ink: none, if every
        caption reads whole."""
        return screen.captions_cut(self.shot(), self.controls, self.x, self.y)

    def logo_difference(self):
        """How far the logo on the screen is from its SVG drawn at its size
        there (librsvg, on the window's white): the root mean square of the
        colour channels, from 0 to 1. The picture made for the scale, drawn
        pixel for pixel, differs by nothing; the 96 dpi one blown up twice or
        three times, by 0.07 and more."""
        left, top, width, height = self.place("imgLogo")
        shown, drawn = self.session.file("logo-shown.png"), self.session.file("logo-drawn.png")
        self.shot().crop((left, top, left + width, top + height)).save(shown)
        subprocess.run(["rsvg-convert", "--width", str(width), "--height", str(height), "--output",
                        self.session.file("logo.png"), os.path.join(PROJECT, "resources", "logo.svg")], check=False)
        subprocess.run([CONVERT, self.session.file("logo.png"), "-background", "white", "-flatten", drawn],
                       check=False)
        compared = subprocess.run([COMPARE, "-metric", "RMSE", shown, drawn, "null:"], capture_output=True,
                                  text=True, check=False).stderr
        found = re.search(r"\(([\d.e-]+)\)", compared)
        return float(found.group(1)) if found else 1.0

    def cursor_over_logo(self):
        """The mouse cursor's (width, height, hot spot x, y) over the logo, as
        the X server shows it (XFixes)."""
        self.move_to("imgLogo")
        time.sleep(0.5)
        from Xlib import display
        from Xlib.ext import xfixes  # noqa: F401  (registers the extension)

        server = display.Display()
        server.xfixes_query_version()
        image = server.xfixes_get_cursor_image(server.screen().root)
        server.close()
        return (image.width, image.height, image.xhot, image.yhot)

    def geometry(self):
        """(x, y, width, height) of the X window on the screen."""
        said = dict(line.split("=", 1) for line in self.xdotool("getwindowgeometry", "--shell", self.window).split())
        return tuple(int(said[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def centred(self):
        x, y, width, height = self.geometry()
        return abs((SCREEN_WIDTH - width) // 2 - x) <= 1 and abs((SCREEN_HEIGHT - height) // 2 - y) <= 1

    def find_client_area(self):
        """Where the client area starts, and at what scale, found from the blue
        rule (Line1), whatever frame a window manager or compositor draws
        around it, or none: the rule is a pixel longer than the line it
        draws, at every scale. False if no rule is shown."""
        found = screen.rule(self.shot())
        if not found:
            return False
        rule_left, rule_top, rule_width, _ = found
        _, left, top, right, _ = self.layout(96)["Line1"]
        self.scale = round((rule_width - 1) / (right - left), 2)
        _, left, top, _, _ = self.controls["Line1"]
        self.x, self.y = rule_left - left, rule_top - top
        return True

    # ---- What the scenario reads ------------------------------------------------------

    def title(self):
        return self.xdotool("getwindowname", self.window)

    def report_up(self):
        return bool(self.xdotool("search", "--onlyvisible", "--name", "^Tarnwick$"))

    def running(self):
        return running(self.process)

    def opened_address(self):
        return self.session.opened_address()


class InWeston(XWindow):
    """The Qt window as a Wayland client of weston, whose own screen is the X
    window: keys and clicks reach the program through weston, and its
    windows' titles are read from the requests weston logs, since they are
    not X windows."""

    def __init__(self, compositor_log, *arguments, **options):
        super().__init__(*arguments, **options)
        self.compositor_log = compositor_log

    def log(self):
        with open(self.compositor_log, encoding="utf-8", errors="replace") as file:
            return file.read()

    def titles(self):
        return weston_log.standing_titles(self.log())

    def title(self):
        return (self.titles() or [""])[0]

    def report_up(self):
        return "Tarnwick" in self.titles()

    def click(self, control):
        """A click, made again until weston's log shows that the program got
        it: on a loaded machine, weston may take the pointer's first move into
        its window for no more than a move."""
        for _ in range(3):
            pressed = weston_log.button_presses(self.log())
            super().click(control)
            if until(lambda: weston_log.button_presses(self.log()) > pressed, 3):
                return


@contextlib.contextmanager
def locked(path):
    with open(path, "w", encoding="utf-8") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        yield


def fresh_wine_prefix(prefix):
    """Makes WINEPREFIX (new or empty) what `wineboot --init` makes, with the
    WINEDLLOVERRIDES and WINEARCH in effect: a copy of a prefix made so once
    and kept, for this Wine, in ~/.cache/tarnwick/wine-prefix/ (or
    $TARNWICK_CACHE's). wineboot takes a quarter of a minute and more, a copy
    a second; tests that run side by side share the one made first. A Wine of
    another version, or other overrides, make a prefix of their own."""
    cache = os.path.join(os.environ.get("TARNWICK_CACHE") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "tarnwick"), "wine-prefix")
    identity = "|".join([run("wine", "--version"), os.environ.get("WINEARCH", ""),
                         os.environ.get("WINEDLLOVERRIDES", ""), str(os.getuid())])
    template = os.path.join(cache, hashlib.sha256(identity.encode()).hexdigest()[:16])
    os.makedirs(cache, exist_ok=True)
    with locked(template + ".lock"):
        if not os.path.exists(os.path.join(template, "made")):
            shutil.rmtree(template, ignore_errors=True)
            env = dict(os.environ, WINEPREFIX=template)
            subprocess.run(["wineboot", "--init"], env=env, capture_output=True, check=False)
            # Everything written before it is copied: the registry is saved as its server ends.
            subprocess.run(["wineserver", "-w"], env=env, check=False)
            open(os.path.join(template, "made"), "w", encoding="utf-8").close()
    os.makedirs(prefix, exist_ok=True)
    subprocess.run(["cp", "-a", template + "/.", prefix + "/"], check=True)
    os.remove(os.path.join(prefix, "made"))


class Wine:
    """tarnwick.exe under Wine in a prefix of the test's own."""

    def __init__(self, session, wine, exe, layout_exe):
        self.session, self.wine, self.exe = session, wine, os.path.realpath(exe)
        self.layout = Layout([wine, os.path.realpath(layout_exe)])
        os.environ.update(WINEPREFIX=session.file("prefix"), WINEDEBUG="-all")

    def server_ended(self):
        subprocess.run(["wineserver", "-k"], capture_output=True, check=False)
        subprocess.run(["wineserver", "-w"], capture_output=True, check=False)

    def at_dpi(self, dpi):
        """Wine's DPI, as Windows' display scale sets it."""
        run(self.wine, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
            "/d", str(dpi), "/f")
        subprocess.run(["wineserver", "-w"], check=False)

    def start(self, exe=None, **environment):
        """The program started, its window found and its client area found in
        it (Wine draws the frame itself where no window manager does); None
        if no window came."""
        process = self.session.start([self.wine, exe or self.exe], log=self.session.file("program.log"),
                                     **environment)
        window = find_window(seconds=60)
        if not window:
            print("the program showed no window", file=sys.stderr)
            return None
        time.sleep(0.5)  # let the first paint finish
        shown = XWindow(window, self.layout, self.session, process)
        return shown if shown.find_client_area() else None

    def first_window(self):
        """The program in a fresh prefix, on an X server of its own at 96 dpi:
        its window, or the test ends here, as nothing else can be checked."""
        fresh_wine_prefix(os.environ["WINEPREFIX"])
        self.session.x_server(96)
        window = self.start()
        if window is None:
            sys.exit("FAILED: the program showed no window")
        return window

    def end(self, process):
        self.session.stop(process)
        self.server_ended()


def stopped(signal_number, _):
    sys.exit(128 + signal_number)


# A test stopped by CTest's timeout still ends what it started.
signal.signal(signal.SIGTERM, stopped)
