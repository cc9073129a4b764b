#!/usr/bin/env bash
# What Orca says of the real program, step by step, as a blind user meets
# it: the screen-reader scenario that the page's test replays too
# (testing/orca_scenario.json). Read from Orca's own log, in Xvfb on a
# private session bus.
#
#   orca_test.sh path/to/tarnwick
#
# Needs Xvfb, xdotool, dbus-run-session, at-spi2-core, python3-pyatspi, orca
# and speech-dispatcher.
set -uo pipefail  # not -e: every check runs and is counted
here=$(dirname "$(realpath "$0")")
source "$here/../../../testing/private_session.sh" "$@"
source "$testing/orca.sh"

binary=$(realpath "$1")

steps() {
    mark open
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
    wait_for_window >/dev/null
    sleep 2.5
    replay_orca_scenario qt
}
hear_with_orca "$work/orca" steps || exit 1
check_orca_scenario qt
