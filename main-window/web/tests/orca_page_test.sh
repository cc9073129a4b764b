#!/usr/bin/env bash
# What Orca says of the page in Chromium, step by step, as a blind user meets
# it: the keys of the desktop window's test (typing 12, Tab, Tab, 8, Alt+C,
# the result box, the button; the link; a report of a failure, said once).
# Read from Orca's own log, with Chromium in Xvfb on a private session bus and
# the site served on 127.0.0.1.
#
#   orca_page_test.sh <site folder>
#
# Needs Xvfb, xdotool, dbus-run-session, at-spi2-core, python3-pyatspi, orca,
# speech-dispatcher and chromium.
set -uo pipefail  # not -e: every check runs and is counted
here=$(dirname "$(realpath "$0")")
source "$here/../../../testing/private_session.sh" "$@"
source "$testing/orca.sh"

site=$(realpath "$1")
lib="$here/../../../scripts/lib"
steps() {
    /usr/bin/python3 "$lib/site_server.py" "$site" "$orca_folder/address" &
    for _ in $(seq 100); do
        [ -s "$orca_folder/address" ] && break
        sleep 0.1
    done
    mark open
    chromium --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --force-renderer-accessibility \
        --user-data-dir="$orca_folder/profile" --window-position=0,0 --window-size=800,600 \
        "$(cat "$orca_folder/address")" >"$orca_folder/chromium.log" 2>&1 &
    local window
    window=$(find_window 60 'Tarnwick by Velmor')
    # Orca hears the page only once Chromium has put it on the accessibility bus.
    if [ -z "$window" ] || ! /usr/bin/python3 "$testing/orca_speech.py" wait-for-window 'Tarnwick by Velmor' 60; then
        echo "FAILED: Chromium did not show the page to Orca (its window: '${window}'); Chromium said:"
        tail -n 20 "$orca_folder/chromium.log"
        exit 1
    fi
    xdotool windowfocus "$window" 2>/dev/null
    sleep 4
    step typed-12 type 12
    step tab-to-minimum key Tab
    step tab-to-current-speed key Tab
    step typed-8 type 8
    step alt-c key alt+c
    # The browser's access key takes the focus to the button, as it clicks it.
    step back-to-result key shift+Tab
    step tab-to-calculate key Tab
    # On the button, Orca is in browse mode, whose Shift+K goes to the link before.
    step link key shift+k
    # From the link, Tab goes to the first box: on to the current speed, emptied.
    step tab-to-first-box key Tab
    step tab-to-current-speed-again key Tab Tab
    step emptied key ctrl+a BackSpace
    step report key alt+c
}
hear_with_orca "$work/orca" steps || exit 1

# Each box by its caption, its unit and its value, named as the desktop windows name it.
check "page opens in the first box" "$(said open 'DS Margin, dB entry\.')" "DS Margin, dB entry.|"
check "Tab: the minimum margin, its unit and its 6" "$(said tab-to-minimum 'Minimum margin, dB entry 6 selected\.')" \
    "Minimum margin, dB entry 6 selected.|"
check "Tab: the empty current speed" "$(said tab-to-current-speed 'Current speed:, in Mbps entry\.')" \
    "Current speed:, in Mbps entry.|"
check "Alt+C: the button, and the result and the verdict announced" \
    "$(said alt-c 'Calculate (push )?button|16 in Mbps, higher than the current speed')" \
    "Calculate button|16 in Mbps, higher than the current speed|"
check "the result box, its unit, its value and the verdict" \
    "$(said back-to-result 'Max New Speed:, in Mbps entry 16 selected\.|higher than the current speed\.')" \
    "Max New Speed:, in Mbps entry 16 selected.|higher than the current speed.|"
check "the link" "$(said link 'Velmor\.example link')" "Velmor.example link|"
# The report's message, an alert, said once as it appears, and nothing of
# the report twice. Orca 48 says its OK as the focus goes there; Orca 43 says
# nothing of a focus that moves into a dialog from a control the dialog has
# made inert (its log: "Notify: False").
check "the report's message, said once" "$(said report 'Invalid argument:')" "Invalid argument:|"
check "nothing of the report said twice" \
    "$(spoken report | sed 's/ | /\n/g' | sort | uniq -d | tr '\n' ' ')" ""
if [ "$(dpkg-query -W -f='${Version}' orca | cut -d. -f1)" -ge 48 ]; then
    check "the report's OK, as the focus goes there" "$(said report 'OK (push )?button')" "OK button|"
fi

finish_orca_test
