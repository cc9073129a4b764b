#!/usr/bin/env bash
# What a screen reader gets from the real program: its accessibility tree,
# read and used over AT-SPI itself, in Xvfb on a private session bus.
#
#   accessibility_test.sh path/to/tarnwick
#
# Needs Xvfb, xdotool, dbus-run-session, at-spi2-core and python3-pyatspi.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../../../testing/private_session.sh" "$@"

binary=$(realpath "$1")
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
wait_for_window >/dev/null

# Debian's python, which has pyatspi, whatever python3 comes first on PATH.
/usr/bin/python3 "$here/accessibility_test.py" "$work/opened"
