#!/usr/bin/env bash
# What Orca says of the page in Chromium, step by step, as a blind user meets
# it: the screen-reader scenario that the desktop window's test replays too
# (testing/orca_scenario.json). Read from Orca's own log, with Chromium in
# Xvfb on a private session bus and the site served on 127.0.0.1.
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
    replay_orca_scenario chromium
}
hear_with_orca "$work/orca" steps || exit 1
check_orca_scenario chromium
