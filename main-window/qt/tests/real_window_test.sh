#!/usr/bin/env bash
# Drives the real program in a real X server (Xvfb) as a person would: the
# scenario every window replays (testing/window_scenario.json), then the
# window on other desktops and at other scales, looking at the screen.
#
#   real_window_test.sh path/to/tarnwick path/to/form1-layout
#
# Needs Xvfb, xdotool, xprop, xrdb and ImageMagick.
set -uo pipefail  # not -e: every check runs and is counted

binary=$(realpath "$1")
layout=("$(realpath "$2")")
source "$(dirname "$0")/../../../testing/screen_checks.sh"
work=$(mktemp -d)
program_pid=""

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

stop_all() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    stop_xserver
}

# Starts the program with a stand-in for xdg-open that records what it is asked
# to open, and with the environment given (VARIABLE=value ...).
start_program() {
    recording_opener "$work"
    env "$@" PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
    program_pid=$!
    window=$(wait_for_window)
    sleep 0.3  # let the first paint finish
}

# ---- At 96 dots per inch ------------------------------------------------------

start_xserver 96 "$work"
start_program

eval "$(xdotool getwindowgeometry --shell "$window")"
read -r client_width client_height <<<"$(client_size)"
check "client size" "${WIDTH}x${HEIGHT}" "${client_width}x${client_height}"
check "centred across" "$(( (1024 - WIDTH) / 2 - X <= 1 && X - (1024 - WIDTH) / 2 <= 1 ))" "1"
check "centred down" "$(( (768 - HEIGHT) / 2 - Y <= 1 && Y - (768 - HEIGHT) / 2 <= 1 ))" "1"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
check "fixed minimum size" "$(grep -c "minimum size: $client_width by $client_height" <<<"$hints")" "1"
check "fixed maximum size" "$(grep -c "maximum size: $client_width by $client_height" <<<"$hints")" "1"
check "the logo as sharp as its SVG" "$(logo_sharp)" "yes"
check "the link cursor over the logo: 32 x 32, hot spot 6, 0" "$(cursor_over_logo)" "32 32 6 0"

# What every window does: typing, Tab, Alt+C, the verdicts, a failure
# reported and the program going on, the link.
replay_scenario

stop_all

# ---- On other desktops ----------------------------------------------------------

# A dark GTK theme: the window fixes its text colours with its backgrounds.
start_xserver 96 "$work"
start_program QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
calculate 12 6 8
result_colour 200,255,200 >/dev/null
check "dark theme: caption readable" "$(at_least "$(contrast Label2)" 7)" "yes"
check "dark theme: input box readable" "$(at_least "$(contrast txtDSM 2)" 7)" "yes"
check "dark theme: result readable" "$(at_least "$(contrast txtSpeed 2)" 7)" "yes"
stop_all

# The user's own font through qt6ct, and a larger font DPI: the font shrinks
# until every caption fits.
mkdir -p "$work/config/qt6ct"
printf '[Fonts]\ngeneral="DejaVu Sans,11,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"\n' >"$work/config/qt6ct/qt6ct.conf"
start_xserver 96 "$work"
start_program QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/config"
check "qt6ct at 11 pt: every caption whole" "$(captions_whole)" "yes"
stop_all
start_xserver 96 "$work"
start_program QT_FONT_DPI=144
scale=1.5
check "font DPI 144: every caption whole" "$(captions_whole)" "yes"
scale=1
stop_all

# ---- At 200 % and 300 %: the logo and the cursor made for the scale ----------

for factor in 2 3; do
    start_xserver 96 "$work"
    start_program QT_SCALE_FACTOR="$factor"
    scale=$factor
    size=$((32 * factor))
    check "the logo as sharp as its SVG at ${factor}00 %" "$(logo_sharp)" "yes"
    check "the link cursor at ${factor}00 %: $size x $size, hot spot $((6 * factor)), 0" \
        "$(cursor_over_logo)" "$size $size $((6 * factor)) 0"
    scale=1
    stop_all
done

# ---- At 144 dots per inch the window is 1.5 times larger ---------------------
# (Qt scales its 96 dpi size, which may round a half pixel down.)

start_xserver 144 "$work"
start_program
eval "$(xdotool getwindowgeometry --shell "$window")"
scale=1.5
read -r client_width client_height <<<"$(client_size)"
check "client size at 144 dpi, ${client_width} x ${client_height}" \
    "$(( WIDTH >= client_width - 1 && WIDTH <= client_width && HEIGHT == client_height ))" "1"
scale=1
stop_all

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
