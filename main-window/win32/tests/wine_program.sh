# Sourced by the tests that run tarnwick.exe under Wine in a real X server,
# with what they share: the X server, a fresh Wine prefix (in a work folder
# of their own, `work`) and reading the screen. Sourced with the test's
# arguments, of which the first three are Wine, tarnwick.exe and
# form1-layout.exe: it sets wine, exe and layout (see screen_checks.sh) from
# them.
#
#   source wine_program.sh path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe ...
#
#   start_program   starts it and finds its window: sets window, program_pid and
#                   the client area's place and scale (see screen_checks.sh)
#   stop_all        ends the program, Wine's server and the X server

wine_tests_lib=$(dirname "${BASH_SOURCE[0]}")/../../../testing
source "$wine_tests_lib/wine_prefix.sh"
source "$wine_tests_lib/screen_checks.sh"
wine=$1
exe=$(realpath "$2")
layout=("$wine" "$(realpath "$3")")
work=$(mktemp -d)
program_pid=""
export WINEPREFIX="$work/prefix" WINEDEBUG=-all

stop_all() {
    kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    wait "$program_pid" 2>/dev/null
    program_pid=""
    stop_xserver
}

# Starts the program with a stand-in for xdg-open, which Wine hands URLs to,
# that records what it is asked to open. Then finds the client area, and the
# scale, from the blue rule (Line1): Wine draws the window's frame itself
# where no window manager does. Fails when no window comes.
start_program() {
    recording_opener "$work"
    PATH="$work/bin:$PATH" "$wine" "$exe" 2>"$work/program.log" &
    program_pid=$!
    window=$(find_window 60 '^Tarnwick by Velmor$')
    if [ -z "$window" ]; then
        echo "the program showed no window" >&2
        return 1
    fi
    sleep 0.5  # let the first paint finish
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window "$window" "$work/shot.png"
    local rule_width rule_left rule_top line_width left top
    read -r rule_left rule_top rule_width _ <<<"$("${screen[@]}" rule "$work/shot.png")"
    # The rule is a pixel longer than the line it draws, at every scale.
    client_x=0 client_y=0 scale=1
    read -r _ _ line_width _ <<<"$(place Line1)"
    scale=$(awk -v w="$rule_width" -v l="$line_width" 'BEGIN { printf "%.2f", (w - 1) / l }')
    read -r left top _ <<<"$(place Line1)"
    client_x=$((rule_left - left))
    client_y=$((rule_top - top))
    border=$client_x  # the frame's width, the same on the left, right and bottom
    client_width=$((WIDTH - 2 * border))
    client_height=$((HEIGHT - client_y - border))
}

