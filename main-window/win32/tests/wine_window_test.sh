#!/usr/bin/env bash
# Drives tarnwick.exe under Wine in a real X server (Xvfb) as a person would:
# the scenario every window replays (testing/window_scenario.json), then
# Tab, Shift+Tab, Enter and Escape, closing, and other DPIs, looking at the
# screen. A fresh Wine prefix for every run (testing/wine_prefix.sh).
#
#   wine_window_test.sh path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe
#
# Needs Xvfb, xdotool, ImageMagick and Wine.
set -uo pipefail  # not -e: every check runs and is counted

here=$(dirname "$(realpath "$0")")
source "$here/wine_program.sh" "$@"
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

# ---- At 96 dots per inch ------------------------------------------------------

start_xserver 96 "$work"
fresh_wine_prefix
start_program

check "client size" "${client_width} ${client_height}" "$(client_size)"
check "centred across" "$(( (1024 - WIDTH) / 2 - X <= 1 && X - (1024 - WIDTH) / 2 <= 1 ))" "1"
check "centred down" "$(( (768 - HEIGHT) / 2 - Y <= 1 && Y - (768 - HEIGHT) / 2 <= 1 ))" "1"
check "every caption whole" "$(captions_whole)" "yes"
check "caption readable" "$(at_least "$(contrast Label2)" 7)" "yes"
check "the logo as sharp as its SVG" "$(logo_sharp)" "yes"
check "the link cursor over the logo: 32 x 32, hot spot 6, 0" "$(cursor_over_logo)" "32 32 6 0"

# What every window does: typing, Tab, Alt+C, the verdicts, a failure
# reported and the program going on, the link (which Wine's browser bridge
# writes with a slash for the empty path: the same address).
replay_scenario
calculate 3 6 8
result_colour 255,180,180 >/dev/null
check "input box readable" "$(at_least "$(contrast txtMin 2)" 7)" "yes"

# The Tab cycle, seen through what each stop does: from txtDSM four Tabs
# reach the button (space clicks it), a fifth comes back to txtDSM (Tab
# selects a box's text, so typing replaces it), and Shift+Tab goes back.
calculate 12 6 8
retype txtDSM 12
xdotool key Tab Tab Tab Tab space
check "four Tabs from txtDSM reach Calculate" "$(result_colour 200,255,200)" "200,255,200"
xdotool key Tab
xdotool type "3"
xdotool key shift+Tab space
check "Tab wraps to txtDSM, Shift+Tab back to Calculate" "$(result_colour 255,180,180)" "255,180,180"
xdotool key shift+Tab shift+Tab shift+Tab
xdotool type "3"
xdotool key Tab Tab Tab space
check "Shift+Tab reaches txtMin, Tab the button again" "$(result_colour 255,255,255)" "255,255,255"

# Enter and Escape in a box do nothing.
calculate 3 6 8
result_colour 255,180,180 >/dev/null
retype txtDSM 12
xdotool key Return Escape
sleep 0.5
check "Enter and Escape do not calculate" "$(result_colour 255,180,180)" "255,180,180"
check "Escape does not close" "$(xdotool search --onlyvisible --name '^Tarnwick by Velmor$' | head -n 1)" "$window"

# Closing the window (the system's close command) ends the program at once.
xdotool key --window "$window" alt+F4
for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
check "closing ends the program" "$(kill -0 "$program_pid" 2>/dev/null && echo running || echo ended)" "ended"
stop_all

# ---- At 144, 192 and 288 dots per inch the window is 1.5, 2 and 3 times larger -

# Wine's DPI setting, as Windows' display scale sets it.
at_dpi() {
    start_xserver "$1" "$work"
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
    start_program
}

at_dpi 144
check "client size at 144 dpi" "${client_width} ${client_height}" "$(client_size)"
check "every caption whole at 144 dpi" "$(captions_whole)" "yes"
check "the logo as sharp as its SVG at 144 dpi" "$(logo_sharp)" "yes"
check "the link cursor at 144 dpi: 48 x 48, hot spot 9, 0" "$(cursor_over_logo)" "48 48 9 0"
stop_all

# The logo and the cursor made for each scale: as sharp as the text.
for dpi in 192 288; do
    at_dpi "$dpi"
    size=$((32 * dpi / 96))
    check "client size at $dpi dpi" "${client_width} ${client_height}" "$(client_size)"
    check "the logo as sharp as its SVG at $dpi dpi" "$(logo_sharp)" "yes"
    check "the link cursor at $dpi dpi: $size x $size, hot spot $((6 * dpi / 96)), 0" \
        "$(cursor_over_logo)" "$size $size $((6 * dpi / 96)) 0"
    stop_all
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
