#!/usr/bin/env bash
# Drives the real program in a real X server (Xvfb) as a person would: types
# into the boxes, presses Tab and Alt+C, clicks, and looks at the screen.
#
#   real_window_test.sh path/to/tarnwick
#
# Needs Xvfb, xdotool, xprop, xrdb and ImageMagick.
set -uo pipefail  # not -e: every check runs and is counted

binary=$(realpath "$1")
source "$(dirname "$0")/../../../scripts/lib/xserver.sh"
work=$(mktemp -d)
convert=/usr/bin/convert  # ImageMagick itself, not a wrapper earlier on PATH
program_pid=""
failures=0

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # check <what> <actual> <expected>
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        echo "FAILED: $1: got '$2', expected '$3'"
        failures=$((failures + 1))
    fi
}

stop_all() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    stop_xserver
}

# Starts the program with a stand-in for xdg-open that records what it is asked
# to open, and with the environment given (VARIABLE=value ...).
start_program() {
    mkdir -p "$work/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s/opened"\n' "$work" >"$work/bin/xdg-open"
    chmod +x "$work/bin/xdg-open"
    env "$@" PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
    program_pid=$!
    window=$(wait_for_window)
    sleep 0.3  # let the first paint finish
}

# The colour "r,g,b" of a pixel of the program's window (window coordinates).
pixel() {
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' \
        -crop "1x1+$1+$2" info:
}

# The contrast ratio (WCAG's, 1 to 21) between the lightest and the darkest
# pixel of a region of the window: for a region of text, the text against its
# background.
contrast() {  # contrast <x> <y> <width> <height>
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -crop "${3}x${4}+$1+$2" +repage -depth 8 txt:- | awk -F'[(),]' '
        function linear(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
        NR > 1 {
            l = 0.2126 * linear($3) + 0.7152 * linear($4) + 0.0722 * linear($5)
            if (NR == 2 || l < darkest) darkest = l
            if (NR == 2 || l > lightest) lightest = l
        }
        END { printf "%.1f", (lightest + 0.05) / (darkest + 0.05) }'
}

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a >= b) ? "yes" : "no (" a ")" }'; }

# The captions that a cut would shorten ("Minimum m"), in pixels at 96 dpi:
# left, top, width, height.
captions=("8 64 65 17" "8 88 89 17" "8 112 89 17" "8 152 89 17" "200 64 25 17" "200 112 41 17")

# Whether every caption reads whole at the window's scale: the last columns of
# each caption's box hold no ink, so no glyph was cut there.
captions_whole() {
    local scale left top width height cut=""
    eval "$(xdotool getwindowgeometry --shell "$window")"
    scale=$(awk -v w="$WIDTH" 'BEGIN { print w / 279 }')
    for caption in "${captions[@]}"; do
        read -r left top width height <<<"$(awk -v s="$scale" -v c="$caption" \
            'BEGIN { split(c, v, " "); printf "%d %d %d %d", (v[1] + v[3]) * s - 3, v[2] * s, 2, v[4] * s }')"
        [ "$(at_least "$(contrast "$left" "$top" "$width" "$height")" 1.5)" == yes ] && cut+=" ${caption%% *},${top}"
    done
    echo "${cut:-yes}"
}

# Clicks into a box at (x, y) of the window and replaces its text.
retype() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    xdotool key ctrl+a BackSpace
    [ -n "$3" ] && xdotool type --delay 10 "$3"
    return 0
}

calculate() {  # calculate <ds margin> <minimum margin> <current speed>
    retype 148 73 "$1"
    retype 148 97 "$2"
    retype 148 121 "$3"
    xdotool key alt+c
}

# The result box's colour, once it is the expected one or after 5 s: on a
# loaded machine the program may take a while to paint.
result_colour() {  # result_colour <expected r,g,b>
    local colour
    for _ in $(seq 50); do
        colour=$(pixel 186 161)
        [ "$colour" == "$1" ] && break
        sleep 0.1
    done
    echo "$colour"
}

# ---- At 96 dots per inch ------------------------------------------------------

start_xserver 96 "$work"
start_program

check "title" "$(xdotool getwindowname "$window")" "Tarnwick by Velmor"
eval "$(xdotool getwindowgeometry --shell "$window")"
check "client size" "${WIDTH}x${HEIGHT}" "279x206"
check "centred across" "$(( (1024 - WIDTH) / 2 - X <= 1 && X - (1024 - WIDTH) / 2 <= 1 ))" "1"
check "centred down" "$(( (768 - HEIGHT) / 2 - Y <= 1 && Y - (768 - HEIGHT) / 2 <= 1 ))" "1"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
check "fixed minimum size" "$(grep -c 'minimum size: 279 by 206' <<<"$hints")" "1"
check "fixed maximum size" "$(grep -c 'maximum size: 279 by 206' <<<"$hints")" "1"
check "result box white at start" "$(result_colour 255,255,255)" "255,255,255"

# The focus starts in the DS margin box; Tab moves on, Alt+C calculates.
xdotool type --delay 10 "12"
xdotool key Tab Tab
xdotool type --delay 10 "8"
xdotool key alt+c
check "12, 6, 8 by keyboard is green" "$(result_colour 200,255,200)" "200,255,200"

calculate 6 6 8
check "6, 6, 8 is white" "$(result_colour 255,255,255)" "255,255,255"
calculate 3 6 8
check "3, 6, 8 is red" "$(result_colour 255,180,180)" "255,180,180"

# An empty current speed brings up the report; the program carries on.
calculate 3 6 ""
report=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tarnwick$' | head -n 1 || true)
check "failure reported" "$([ -n "$report" ] && echo yes)" "yes"
xdotool key Return  # the report has the focus
sleep 0.3
check "program still running" "$(kill -0 "$program_pid" 2>/dev/null && echo yes)" "yes"
check "result box keeps its colour" "$(result_colour 255,180,180)" "255,180,180"
calculate 12 6 8
check "next calculation works" "$(result_colour 200,255,200)" "200,255,200"

# The logo opens the home page.
xdotool mousemove --window "$window" 60 28 click 1
for _ in $(seq 50); do
    [ -s "$work/opened" ] && break
    sleep 0.1
done
check "logo opens the home page" "$(cat "$work/opened" 2>/dev/null)" "http://www.velmor.example"

stop_all

# ---- On other desktops ----------------------------------------------------------

# A dark GTK theme: the window fixes its text colours with its backgrounds.
start_xserver 96 "$work"
start_program QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
calculate 12 6 8
result_colour 200,255,200 >/dev/null
check "dark theme: caption readable" "$(at_least "$(contrast 8 88 89 17)" 7)" "yes"
check "dark theme: input box readable" "$(at_least "$(contrast 106 66 85 15)" 7)" "yes"
check "dark theme: result readable" "$(at_least "$(contrast 106 154 85 15)" 7)" "yes"
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
check "font DPI 144: every caption whole" "$(captions_whole)" "yes"
stop_all

# ---- At 144 dots per inch the window is 1.5 times larger ---------------------

start_xserver 144 "$work"
start_program
eval "$(xdotool getwindowgeometry --shell "$window")"
check "client size at 144 dpi" "$(( WIDTH >= 418 && WIDTH <= 419 && HEIGHT == 309 ))" "1"
stop_all

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
