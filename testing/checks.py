"""What the test scripts share: check() prints and counts each outcome,
eventually() waits for a value and until() for any, and finish() ends the
script with the count."""
import sys
import time

failures = 0


def check(what, actual, expected):
    global failures
    if actual == expected:
        print(f"ok: {what}")
    else:
        print(f"FAILED: {what}: got {actual!r}, expected {expected!r}")
        failures += 1


def eventually(read, expected, seconds=5):
    """What read() gives once it is the expected value, or after some seconds."""
    deadline = time.monotonic() + seconds
    while True:
        value = read()
        if value == expected or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def until(read, seconds=5):
    """What read() gives once it is anything (not empty, not false), or after some seconds."""
    deadline = time.monotonic() + seconds
    while True:
        value = read()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def finish():
    if failures:
        sys.exit(f"{failures} check(s) failed")
    print("all checks passed")
