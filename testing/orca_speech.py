"""What Orca said, for orca.py: wait_on_bus() until Orca, or a window of a
title (window_titled), is on the accessibility bus; split_text() of Orca's
log, "step<TAB>utterance | utterance ..." a line for each step.

Orca's debug log begins its lines with the time ("12:34:56.789012 - "); an
utterance is a "SPEECH OUTPUT: '...'" line, which may go on over further
lines. The steps file has a line "<time> <name>" for each step, in order.
Times are of one day, as the tests run for a minute or two."""
import os
import re
import sys
import time

STAMP = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - ")
# Orca 43 writes SPEECH OUTPUT: 'text'{...} and Orca 48 'text' {...}; list forms have [...].
UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*)'\s*[\[{]", re.DOTALL)


def seconds(stamp):
    hours, minutes, rest = stamp.split(":")
    return int(hours) * 3600 + int(minutes) * 60 + float(rest)


def utterances(log):
    """(time, text) of each thing Orca said, in order."""
    entries, current = [], None
    with open(log, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            match = STAMP.match(line)
            if match:
                if current:
                    entries.append(current)
                current = [seconds(match.group(1)), line[match.end():]]
            elif current:
                current[1] += line
    if current:
        entries.append(current)
    said = []
    for at, text in entries:
        match = UTTERANCE.search(text)
        if match:
            said.append((at, " ".join(match.group(1).split())))
    return said


def split_text(log, steps):
    with open(steps, encoding="utf-8") as lines:
        marks = [(seconds(line.split()[0]), line.split()[1]) for line in lines if line.strip()]
    said = utterances(log) if os.path.exists(log) else []
    text = ""
    for index, (start, name) in enumerate(marks):
        end = marks[index + 1][0] if index + 1 < len(marks) else float("inf")
        text += f"{name}\t" + " | ".join(text for at, text in said if start <= at < end) + "\n"
    return text


def wait_on_bus(found, limit, failure):
    """Until found(the accessibility bus's applications) is true, or exits."""
    import pyatspi
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            if found([app for app in pyatspi.Registry.getDesktop(0) if app is not None]):
                return
        except Exception:  # an application that leaves while it is asked
            pass
        time.sleep(0.2)
    sys.exit(failure)


def window_titled(title):
    # Browsers add their own name to a page's title ("... - Chromium").
    return lambda apps: any(window is not None and window.name.startswith(title) for app in apps for window in app)
