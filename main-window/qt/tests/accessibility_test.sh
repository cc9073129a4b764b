#!/usr/bin/env bash
# What a screen reader gets from the real program: its accessibility tree,
# read and used over AT-SPI itself, in Xvfb on a private session bus.
#
#   accessibility_test.sh path/to/tarnwick
#
# Needs Xvfb, xdotool, dbus-run-session, at-spi2-core and python3-pyatspi.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
if [ -z "${TARNWICK_PRIVATE_BUS:-}" ]; then
    # The session bus activates the accessibility bus (at-spi-bus-launcher) on request.
    exec env TARNWICK_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi

binary=$(realpath "$1")
source "$here/../../../testing/xserver.sh"
source "$here/../../../testing/checks.sh"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; stop_xserver; rm -rf "$work"' EXIT
start_xserver 96 "$work"

recording_opener "$work"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
wait_for_window >/dev/null

# Debian's python, which has pyatspi, whatever python3 comes first on PATH.
/usr/bin/python3 "$here/accessibility_test.py" "$work/opened"
