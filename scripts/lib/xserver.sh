# Sourced by the scripts that run the program in a real X server of their own.
#
#   start_xserver <dots per inch> <folder for its files>   sets DISPLAY and xserver_pid
#   stop_xserver

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

# Prints the id of the program's main window once it is shown (20 s at most).
wait_for_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Tarnwick by Velmor$' | head -n 1
}
