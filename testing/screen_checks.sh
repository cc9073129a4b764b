# Sourced by the tests that drive a real Tarnwick window as a person would and
# read the screen. Every place they look at is the window's own, from its
# description (form1-layout, read through screen.py), at the DPI it is shown
# at. The caller sets:
#   work      a folder for screenshots
#   window    the X window to look at
#   layout    the command that prints the window's layout at a DPI
#             (form1-layout, and the emulator it needs first, if any), an array
#   client_x, client_y, scale
#             where the window's client area starts in that X window, and its
#             pixels per pixel at 96 dpi (0, 0 and 1 where the X window is the
#             client area at 96 dpi)
# and counts failures in `failures` (checks.sh).

testing=$(dirname "${BASH_SOURCE[0]}")
source "$testing/checks.sh"
source "$testing/xserver.sh"  # the X server the window is shown in
convert=/usr/bin/convert  # ImageMagick itself, not a wrapper earlier on PATH
client_x=0 client_y=0 scale=1
screen=(/usr/bin/python3 "$testing/screen.py")

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a >= b) ? "yes" : "no (" a ")" }'; }

# The window's layout at the scale it is shown at, printed once per DPI.
layout_file() {
    local dpi
    dpi=$(awk -v s="$scale" 'BEGIN { printf "%d", 96 * s + 0.5 }')
    [ -s "$work/layout-$dpi" ] || "${layout[@]}" "$dpi" | tr -d '\r' >"$work/layout-$dpi"
    echo "$work/layout-$dpi"
}

# Where a control is in the X window: "left top width height", less <inset>
# pixels on each side (a box's frame, say).
place() {  # place <control> [inset]
    "${screen[@]}" place "$(layout_file)" "$1" "$client_x" "$client_y" "${2:-0}"
}

# A point of a control in the X window, "x y": its centre, or its end (in the
# last tenth, past a box's short text).
spot() {  # spot <control> centre|end
    "${screen[@]}" spot "$(layout_file)" "$1" "$client_x" "$client_y" "$2"
}

# The client area's size at the scale it is shown at, "width height".
client_size() { awk '$1 == "window" { print $2, $3 }' "$(layout_file)"; }

# The colour "r,g,b" of a point of the X window.
pixel() {  # pixel <x> <y>
    local x=$1 y=$2
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' \
        -crop "1x1+$x+$y" info:
}

# The contrast ratio (WCAG's, 1 to 21) between the lightest and the darkest
# pixel of a control, less <inset> pixels on each side: for a caption or a
# box's inside, its text against its background.
contrast() {  # contrast <control> [inset]
    local x y width height
    read -r x y width height <<<"$(place "$@")"
    import -window "$window" "$work/shot.png"
    "${screen[@]}" contrast "$work/shot.png" "$x" "$y" "$width" "$height"
}

# Whether every caption reads whole: the last two pixel columns of each
# caption's place hold no ink, so no glyph was cut there. Prints "yes" or the
# captions cut.
captions_whole() {
    import -window "$window" "$work/shot.png"
    "${screen[@]}" captions-cut "$work/shot.png" "$(layout_file)" "$client_x" "$client_y"
}

# Clicks into a box and replaces its text.
retype() {  # retype <box> <text>
    local x y
    read -r x y <<<"$(spot "$1" centre)"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    xdotool key ctrl+a BackSpace
    [ -n "$2" ] && xdotool type --delay 10 "$2"
    return 0
}

calculate() {  # calculate <ds margin> <minimum margin> <current speed>
    retype txtDSM "$1"
    retype txtMin "$2"
    retype txtCurSpeed "$3"
    xdotool key alt+c
}

# The result box's colour, once it is the expected one or after 5 s: on a
# loaded machine the program may take a while to paint.
result_colour() {  # result_colour <expected r,g,b>
    local colour x y
    read -r x y <<<"$(spot txtSpeed end)"
    for _ in $(seq 50); do
        colour=$(pixel "$x" "$y")
        [ "$colour" == "$1" ] && break
        sleep 0.1
    done
    echo "$colour"
}

# The scenario every window replays (window_scenario.json), played here
# through xdotool and the screen, its failures counted with the others. The
# program's stand-in for xdg-open writes to $work/opened (recording_opener).
# Options are x_scenario.py's (--compositor-log for a window inside weston).
replay_scenario() {  # replay_scenario [options]
    local status=0
    "${screen[0]}" "$testing/x_scenario.py" "$window" "$(layout_file)" "$client_x" "$client_y" "$work/opened" \
        "$program_pid" "$@" || status=$?
    failures=$((failures + status))
}

# Whether the logo on the screen is as sharp as the SVG drawn at its size
# there (rsvg-convert, on the window's white): "yes", or "no" and the
# difference, the root mean square of the colour channels from 0 to 1. The
# picture made for the scale, drawn pixel for pixel, differs by nothing; the
# 96 dpi picture blown up twice or three times, by 0.07 and more.
logo_sharp() {
    local x y width height difference
    read -r x y width height <<<"$(place imgLogo)"
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -crop "${width}x${height}+$x+$y" +repage "$work/logo-shown.png"
    rsvg-convert --width "$width" --height "$height" "$testing/../resources/logo.svg" |
        "$convert" - -background white -flatten "$work/logo-drawn.png"
    difference=$(compare -metric RMSE "$work/logo-shown.png" "$work/logo-drawn.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    awk -v d="$difference" 'BEGIN { print (d <= 0.02) ? "yes" : "no (" d ")" }'
}

# The mouse cursor's size and hot spot over the logo, "width height x y", as
# the X server shows it.
cursor_over_logo() {
    local x y
    read -r x y <<<"$(spot imgLogo centre)"
    xdotool mousemove --window "$window" "$x" "$y"
    sleep 0.5
    "$testing/cursor_image.py"
}
