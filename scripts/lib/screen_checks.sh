# Sourced by the tests that drive a real Tarnwick window as a person would and
# read the screen. The caller sets:
#   work      a folder for screenshots
#   window    the X window to look at
#   client_x, client_y, scale
#             where the window's client area starts in that X window, and its
#             pixels per pixel at 96 dpi (0, 0 and 1 where the X window is the
#             client area at 96 dpi)
# and counts failures in `failures` (checks.sh).

source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
convert=/usr/bin/convert  # ImageMagick itself, not a wrapper earlier on PATH
client_x=0 client_y=0 scale=1

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { print (a >= b) ? "yes" : "no (" a ")" }'; }

# Client coordinates at 96 dpi to the X window's: at <x> <y> prints "x y".
at() { awk -v x="$1" -v y="$2" -v s="$scale" -v cx="$client_x" -v cy="$client_y" \
    'BEGIN { printf "%d %d", cx + x * s, cy + y * s }'; }

# The colour "r,g,b" of a pixel of the client area.
pixel() {  # pixel <x> <y>
    local x y
    read -r x y <<<"$(at "$1" "$2")"
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -format '%[fx:int(255*r+0.5)],%[fx:int(255*g+0.5)],%[fx:int(255*b+0.5)]' \
        -crop "1x1+$x+$y" info:
}

# The contrast ratio (WCAG's, 1 to 21) between the lightest and the darkest
# pixel of a region of the client area: for a region of text, the text
# against its background.
contrast() {  # contrast <x> <y> <width> <height>, at 96 dpi
    local x y width height
    read -r x y <<<"$(at "$1" "$2")"
    read -r width height <<<"$(awk -v w="$3" -v h="$4" -v s="$scale" 'BEGIN { printf "%d %d", w * s, h * s }')"
    window_contrast "$x" "$y" "$width" "$height"
}

window_contrast() {  # window_contrast <x> <y> <width> <height>, in the X window's pixels
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

# The captions that a cut would shorten ("Minimum m"): left, top, width,
# height at 96 dpi.
captions=("8 64 65 17" "8 88 89 17" "8 112 89 17" "8 152 89 17" "200 64 25 17" "200 112 41 17")

# Whether every caption reads whole: the last two pixel columns of each
# caption's box hold no ink, so no glyph was cut there. The box's right edge
# is rounded from twips as the window rounds it. Prints "yes" or the
# captions cut.
captions_whole() {
    local left top width height x y rows cut=""
    for caption in "${captions[@]}"; do
        read -r left top width height <<<"$caption"
        read -r x y rows <<<"$(awk -v l="$left" -v t="$top" -v w="$width" -v h="$height" -v s="$scale" \
            -v cx="$client_x" -v cy="$client_y" 'function px(v) { return int((v * 15 * 96 * s + 720) / 1440) }
            BEGIN { printf "%d %d %d", cx + px(l + w) - 2, cy + px(t), px(h) }')"
        [ "$(at_least "$(window_contrast "$x" "$y" 2 "$rows")" 1.5)" == yes ] && cut+=" ${caption%% *},$top"
    done
    echo "${cut:-yes}"
}

# Clicks into a box at (x, y) of the client area and replaces its text.
retype() {  # retype <x> <y> <text>
    local x y
    read -r x y <<<"$(at "$1" "$2")"
    xdotool mousemove --window "$window" "$x" "$y" click 1
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

# Whether the logo on the screen is as sharp as the SVG drawn at its size
# there (rsvg-convert, on the window's white): "yes", or "no" and the
# difference, the root mean square of the colour channels from 0 to 1. The
# picture made for the scale, drawn pixel for pixel, differs by nothing; the
# 96 dpi picture blown up twice or three times, by 0.07 and more.
logo_sharp() {
    local x y width height difference
    read -r x y <<<"$(at 8 8)"
    read -r width height <<<"$(awk -v s="$scale" 'BEGIN { printf "%d %d", int(137 * s + 0.5), int(41 * s + 0.5) }')"
    import -window "$window" "$work/shot.png"
    "$convert" "$work/shot.png" -crop "${width}x${height}+$x+$y" +repage "$work/logo-shown.png"
    rsvg-convert --width "$width" --height "$height" "$(dirname "${BASH_SOURCE[0]}")/../../resources/logo.svg" |
        "$convert" - -background white -flatten "$work/logo-drawn.png"
    difference=$(compare -metric RMSE "$work/logo-shown.png" "$work/logo-drawn.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    awk -v d="$difference" 'BEGIN { print (d <= 0.02) ? "yes" : "no (" d ")" }'
}

# The mouse cursor's size and hot spot over the logo, "width height x y", as
# the X server shows it.
cursor_over_logo() {
    local x y
    read -r x y <<<"$(at 60 28)"
    xdotool mousemove --window "$window" "$x" "$y"
    sleep 0.5
    "$(dirname "${BASH_SOURCE[0]}")/cursor_image.py"
}
