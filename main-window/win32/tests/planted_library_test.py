#!/usr/bin/python3
"""DLLs planted beside a downloaded tarnwick.exe never run inside it. The exe
is copied into a folder of its own, as a download sits in Downloads, and run
under Wine through what loads libraries: its start, a click on the logo and
a screen reader's reading of the window over Active Accessibility from
another process. First as it is, to learn which DLLs it loads (Wine's
+loaddll); then once for each such name (and shell32 and oleacc, whatever
the first run saw) with a DLL of that name beside it, set to be taken from
the program's folder before the system's, as Windows looks for any DLL that
is not one of its KnownDLLs. The planted DLL must never run, and the window
must still be there. Last, without oleacc at all: the window must work and
be read as Windows' standard objects give it. A fresh Wine prefix for the
test.

    planted_library_test.py path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe path/to/screen_reader.exe \\
        path/to/planted_library.dll

Needs Xvfb, xdotool, ImageMagick and Wine.
"""
import glob
import os
import re
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../testing"))
from checks import check, eventually, finish  # noqa: E402
from x_window import Session, Wine, find_window, fresh_wine_prefix, run  # noqa: E402

OVERRIDES = "mscoree,mshtml="
HOME_PAGE = "http://www.velmor.example/"
# KnownDLLs, which Windows takes from its own directory whatever the folder
# holds (as the windows-exe test lists them), and what Wine's own system DLLs
# load as they start, before any code of the program's runs, which Windows'
# do not (msvcrt takes no ucrtbase there, advapi32 no version or zlib1) or
# which are Wine's alone (its X11 driver).
NEVER_PLANTED = set("""advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
    kernelbase msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi
    user32 wldap32 ws2_32 ucrtbase version zlib1 win32u winex11 tarnwick""".split())
wine_program, reader, planted = sys.argv[1], os.path.realpath(sys.argv[4]), os.path.realpath(sys.argv[5])


def exercise(overrides, debug="-all"):
    """Runs the program through its start, a click on the logo and a screen
    reader's reading: (the address opened, the reading's lines, whether the
    window is still there afterwards)."""
    for name in ("opened",):
        if os.path.exists(session.file(name)):
            os.remove(session.file(name))
    os.environ.update(WINEDLLOVERRIDES=overrides, WINEDEBUG=debug)
    window = wine.start(downloaded)
    if window is None:
        wine.server_ended()
        return "", [], False
    # A click made while a loaded machine still sets the window up can be
    # lost: one more is made before the link counts as broken.
    window.click("imgLogo")
    opened = eventually(session.opened_address, HOME_PAGE, 10)
    if not opened:
        window.click("imgLogo")
        opened = eventually(session.opened_address, HOME_PAGE, 10)
    reading = run(wine_program, reader, "read", cwd=session.folder,
                  env=dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES=OVERRIDES)).replace("\r", "")
    still_there = bool(find_window(seconds=0.5))
    wine.end(window.process)
    return opened, reading.splitlines(), still_there


def read_as_boxes(reading):
    return sum(1 for line in reading if "DS Margin" in line)


with Session() as session:
    wine = Wine(session, *sys.argv[1:4])
    os.environ["WINEDLLOVERRIDES"] = OVERRIDES
    fresh_wine_prefix(os.environ["WINEPREFIX"])
    session.x_server(96)
    downloads = session.file("Downloads")
    os.makedirs(downloads)
    downloaded = os.path.join(downloads, "tarnwick.exe")
    shutil.copy(wine.exe, downloaded)

    # ---- Which DLLs it loads -----------------------------------------------------------
    _, reading, _ = exercise(OVERRIDES, "+pid,+loaddll")
    # The program's stderr, where Wine traces, is in program.log.
    with open(session.file("program.log"), encoding="utf-8", errors="replace") as file:
        trace = file.read()
    process = re.search(r'^([0-9a-f]+):.*Loaded L".*\\tarnwick\.exe"', trace, re.M | re.I)
    loaded = set()
    if process:
        for path in re.findall(rf'^{process.group(1)}:.*Loaded L"([^"]*)"', trace, re.M):
            loaded.add(re.sub(r"\.[a-z0-9]*$", "", path.rpartition("\\")[2].lower()))
    check("read over Active Accessibility", read_as_boxes(reading), 2)
    names = sorted({"oleacc", "shell32"} | (loaded - NEVER_PLANTED))
    print(f"planting: {' '.join(names)}")

    # ---- Each planted beside it, and taken from the program's folder first ---------------
    for name in names:
        shutil.copy(planted, os.path.join(downloads, f"{name}.dll"))
        opened, reading, there = exercise(f"{OVERRIDES};{name}=n,b")
        check(f"{name}.dll planted: the window works", (opened, read_as_boxes(reading), there), (HOME_PAGE, 2, True))
        ran = [os.path.basename(path) for path in glob.glob(os.path.join(downloads, "*.ran"))]
        check(f"{name}.dll planted: it never ran", ran, [])
        for path in glob.glob(os.path.join(downloads, "*.ran")) + [os.path.join(downloads, f"{name}.dll")]:
            os.remove(path)

    # ---- Without Active Accessibility ----------------------------------------------------
    # The screen reader's own oleacc builds the standard objects then: the box
    # is named after its caption, but nothing says its unit.
    opened, reading, there = exercise(f"{OVERRIDES};oleacc=")
    check("no oleacc: the window works", (opened, there), (HOME_PAGE, True))
    boxes = [line.split("\t") for line in reading if line.startswith("42\tDS Margin\t")]
    check("no oleacc: read as standard objects", [fields[2] if len(fields) > 2 else "" for fields in boxes], [""])

finish()
