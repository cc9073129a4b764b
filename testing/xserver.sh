# Sourced by the scripts that run the program in a real X server of their own.
#
#   start_xserver <dots per inch> <folder for its files>   sets DISPLAY and xserver_pid
#   stop_xserver
#   find_window <seconds> <title regex>                    the first shown window of that title
#   wait_for_window                                        the program's main window

# Starts Xvfb at 1024 x 768 on a free display. -noreset keeps X resources
# such as Xft.dpi, from which Qt takes its scale, after the last client leaves.
start_xserver() {
    local dpi=$1 folder=$2
    : >"$folder/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi "$dpi" -noreset -nolisten tcp \
        3>"$folder/display" 2>"$folder/xvfb.log" &
    xserver_pid=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$folder/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$folder/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$folder/display")"
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
}

stop_xserver() {
    if [ -n "${xserver_pid:-}" ]; then
        kill "$xserver_pid" 2>/dev/null || true
        wait "$xserver_pid" 2>/dev/null || true
        xserver_pid=""
    fi
}

# Prints the id of the first shown window whose title matches, once there is
# one, or nothing after that many seconds. (xdotool's own --sync gives up
# for good when a window goes away while it looks at it, as windows do while
# a program starts, and more often on a busy machine.)
find_window() {  # find_window <seconds> <title regex>
    local deadline=$((SECONDS + $1)) window
    while :; do
        window=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ] || [ "$SECONDS" -ge "$deadline" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.1
    done
}

# Prints the id of the program's main window once it is shown (20 s at most).
wait_for_window() {
    find_window 20 '^Tarnwick by Velmor$'
}
