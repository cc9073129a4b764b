#!/usr/bin/env bash
# What Orca says of the real program, step by step, as a blind user meets
# it: typing 12, Tab, Tab, 8, Alt+C, Tab, Tab; a report of a failure; and the
# link, read by Orca's flat review. Read from Orca's own log, in Xvfb on a
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
    step flat-review-line key KP_Home
    step typed-12 type 12
    step tab-to-minimum key Tab
    step tab-to-current-speed key Tab
    step typed-8 type 8
    step alt-c key alt+c
    step tab-to-result key Tab
    step tab-to-calculate key Tab
    # An empty current speed cannot be calculated from: back to its box,
    # empty it, Alt+C.
    step back-to-current-speed key shift+Tab shift+Tab
    step emptied key ctrl+a BackSpace
    step report key alt+c
}
hear_with_orca "$work/orca" steps || exit 1

# Each box by its caption, then its unit (Orca 48 says the value after them,
# Orca 43 before: Qt 6.4 tells it the selection first), and an empty box too.
check "window opens in the first box" "$(said open 'Tarnwick by Velmor\.|DS Margin, dB text\.')" \
    "Tarnwick by Velmor.|DS Margin, dB text.|"
check "the link, in flat review" "$(said flat-review-line 'Velmor\.example')" "Velmor.example|"
check "Tab: the minimum margin by its caption and unit" "$(said tab-to-minimum 'Minimum margin, dB text\.')" \
    "Minimum margin, dB text.|"
check "... and its 6" "$(said tab-to-minimum '(^|\| )6( |$)' | tr -d ' |')" "6"
check "Tab: the empty current speed, named" "$(said tab-to-current-speed 'Current speed:, in Mbps text\.')" \
    "Current speed:, in Mbps text.|"
# Without moving the focus: an announcement where Qt has them (6.8), a
# notification shown to screen readers before.
check "Alt+C: the result and the verdict, announced" \
    "$(said alt-c '16 in Mbps, higher than the current speed')" "16 in Mbps, higher than the current speed|"
check "Tab: the result box, its unit, its value and the verdict" \
    "$(said tab-to-result 'Max New Speed:, in Mbps text\.|higher than the current speed\.')" \
    "Max New Speed:, in Mbps text.|higher than the current speed.|"
check "... and its 16" "$(said tab-to-result '(^|\| )16( |$)' | tr -d ' |')" "16"
check "Tab: the button" "$(said tab-to-calculate 'Calculate (push )?button')" "Calculate button|"
check "the report, as the alert dialog it is" "$(said report 'alert Tarnwick\.|Invalid argument:|OK (push )?button')" \
    "alert Tarnwick.|Invalid argument:|OK button|"

finish_orca_test
