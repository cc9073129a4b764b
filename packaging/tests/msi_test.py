#!/usr/bin/python3
"""The Windows installer under Wine, as a user runs it: installed silently
for the user, the Start-menu shortcut starts the program, the uninstall
entry tells what it is, a newer version replaces it, and uninstalling leaves
nothing of it. A fresh Wine prefix and X server for every run.

    msi_test.py path/to/wine path/to/tarnwick-<version>-windows-<arch>.msi <version>
                path/to/cmake <make_msi.cmake arguments but version and output...>

Wine writes its registry to the prefix's .reg files when its server stops:
every look at the registry waits for that.
"""
import getpass
import glob
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../testing"))
from checks import check, finish  # noqa: E402
from x_window import Session, find_window, fresh_wine_prefix, run  # noqa: E402

wine, msi, version, cmake, *make_msi = sys.argv[1:]
msi = os.path.realpath(msi)
UNINSTALL = re.compile(r"^\[Software\\\\(Wow6432Node\\\\)?Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\")


def msiexec(*arguments):
    status = subprocess.run([wine, "msiexec", *arguments, "/qn"], capture_output=True, check=False).returncode
    subprocess.run(["wineserver", "-w"], check=False)
    return status


def registry(name):
    with open(os.path.join(os.environ["WINEPREFIX"], name), encoding="utf-8", errors="replace") as file:
        return file.read()


def uninstall_entries():
    """{value name: value} of each uninstall entry of a product named
    Tarnwick. A 32-bit installer's are in the registry's 32-bit view, under
    Wow6432Node."""
    entries, entry = [], None
    for line in registry("system.reg").splitlines() + ["["]:
        if line.startswith("["):
            if entry is not None and entry.get("DisplayName") == "Tarnwick":
                entries.append(entry)
            entry = {} if UNINSTALL.match(line) else None
        elif entry is not None and line.startswith('"'):
            name, _, value = line.partition("=")
            entry[name.strip('"')] = value.replace('"', '')
    return entries


def profile():
    """What the user's profile holds, but Wine's own logs and caches and the
    folder where Windows Installer keeps the icons of what it installed (its
    own, and left as Windows leaves it: what was in it goes)."""
    found = set()
    for folder, folders, files in os.walk(user):
        for name in folders + files:
            path = "./" + os.path.relpath(os.path.join(folder, name), user)
            if not path.startswith(("./Temp", "./AppData/Local/Microsoft")) and \
                    path != "./AppData/Roaming/Microsoft/Installer":
                found.add(path)
    return found


def installed_files():
    return sorted(os.listdir(program)) if os.path.isdir(program) else []


with Session() as session:
    # No menus on the machine running the test: Wine would copy the shortcut there.
    os.environ.update(WINEPREFIX=session.file("prefix"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    user = os.path.join(os.environ["WINEPREFIX"], "drive_c/users", getpass.getuser())
    program = os.path.join(user, "AppData/Local/Programs/Tarnwick")
    shortcut = os.path.join(user, "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tarnwick.lnk")
    files = ["LICENSE.txt", "tarnwick.exe", "user-guide.txt"]
    session.x_server(96)
    fresh_wine_prefix(os.environ["WINEPREFIX"])
    subprocess.run(["wineserver", "-w"], check=False)
    before = profile()

    # ---- Installed -------------------------------------------------------------------
    check("installs silently, without administrator rights", msiexec("/i", msi), 0)
    check("the program under AppData\\Local\\Programs\\Tarnwick", installed_files(), files)
    check('a Start-menu shortcut "Tarnwick"', os.path.isfile(shortcut), True)
    entries = uninstall_entries()
    check("one uninstall entry", len(entries), 1)
    entry = entries[0] if entries else {}
    check("its version", entry.get("DisplayVersion"), version)
    check("its publisher", entry.get("Publisher"), "Velmor")
    check("its home page", entry.get("URLInfoAbout"), "http://www.velmor.example")
    check("it removes itself with msiexec", entry.get("UninstallString", "").split("{")[0], "str(2):MsiExec.exe /X")
    icon = re.search(r'^"ProductIcon"="([^"]*)"', registry("user.reg"), re.M)
    icon_file = run(wine, "winepath", "-u", icon.group(1).replace("\\\\", "\\")) if icon else ""
    check("its icon", bool(icon_file) and os.path.getsize(icon_file) > 0, True)

    # The shortcut opens the installed program.
    session.start([wine, "start", "/unix", shortcut])
    check("the shortcut starts the program: its window appears", bool(find_window(seconds=60)), True)
    subprocess.run(["wineserver", "-k"], check=False)
    subprocess.run(["wineserver", "-w"], check=False)

    # ---- A newer version replaces it ---------------------------------------------------
    major, minor, patch, tweak = version.split(".")
    newer_version = f"{major}.{minor}.{patch}.{int(tweak) + 1}"
    newer = session.file("newer.msi")
    made = subprocess.run([cmake, f"-DVERSION={newer_version}", f"-DOUTPUT={newer}", *make_msi], capture_output=True,
                          text=True, check=False)
    if made.returncode:
        print(made.stderr)
    check("a newer version installs over it", msiexec("/i", newer), 0)
    entries = uninstall_entries()
    check("one uninstall entry after the upgrade", len(entries), 1)
    check("the newer version's", entries[0].get("DisplayVersion") if entries else None, newer_version)
    check("one program", installed_files(), files)

    # ---- Uninstalled: nothing of it is left ----------------------------------------------
    check("uninstalls silently", msiexec("/x", newer), 0)
    check("no file, shortcut or folder left", sorted(profile() ^ before), [])
    check("no uninstall entry left", uninstall_entries(), [])
    left = [line for path in sorted(glob.glob(os.path.join(os.environ["WINEPREFIX"], "*.reg")))
            for line in registry(os.path.basename(path)).splitlines() if re.search("tarnwick|velmor", line, re.I)]
    check("no registry key or value left", left[:3], [])
    subprocess.run(["wineserver", "-k"], check=False)

finish()
