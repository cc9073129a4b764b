#!/usr/bin/env bash
# The program as a native Wayland client. Weston runs in a window of its own
# on a real X server (Xvfb) and shows the program as a kiosk does, alone on
# a bare screen; xdotool types and clicks into weston's window, and weston
# hands the keys and clicks on to the program as any Wayland compositor does.
# The program starts without a word on stderr, asks for its window's size,
# fixed, and goes through the scenario every window replays
# (testing/window_scenario.json).
#
#   wayland_test.sh path/to/tarnwick path/to/form1-layout
#
# Needs Xvfb, weston, qt6-wayland, xdotool and ImageMagick.
set -uo pipefail  # not -e: every check runs and is counted

binary=$(realpath "$1")
layout=("$(realpath "$2")")
source "$(dirname "$0")/../../../testing/screen_checks.sh"
work=$(mktemp -d)
program_pid="" compositor_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null
    wait "$program_pid" "$compositor_pid" 2>/dev/null
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

start_xserver 96 "$work"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" WAYLAND_DISPLAY=tarnwick-test
# Its log, with the requests of its clients ("proto"), names its X window and
# tells which windows the program has up.
weston --backend=x11-backend.so --shell=kiosk-shell.so --use-pixman --idle-time=0 --width=640 --height=480 \
    --socket="$WAYLAND_DISPLAY" --logger-scopes=log,proto --log="$work/weston.log" &
compositor_pid=$!
weston_log=(/usr/bin/python3 "$testing/weston_log.py")
window=""
for _ in $(seq 100); do
    [ -s "$work/weston.log" ] && window=$("${weston_log[@]}" x-window "$work/weston.log")
    [ -n "$window" ] && [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
check "weston up in the X server" "$([ -n "$window" ] && echo yes)" "yes"
# Keys go to weston's window, and from it to the window weston has active.
# Weston takes the X focus before the program starts: as it takes it, it
# moves the keyboard away from its windows and back.
xdotool windowfocus "$window"

recording_opener "$work"
QT_QPA_PLATFORM=wayland PATH="$work/bin:$PATH" "$binary" 2>"$work/program.log" &
program_pid=$!

# The window is up once it has asked for its size, fixed. A kiosk shows it
# centred, or stretched over the screen with its controls in place: the
# client area is found from the blue rule.
read -r client_width client_height <<<"$(client_size)"
size=""
for _ in $(seq 50); do
    sleep 0.2
    size=$("${weston_log[@]}" size "$work/weston.log")
    [ "$size" == "${client_width}x${client_height}" ] && break
done
check "window asks for its size, fixed" "$size" "${client_width}x${client_height}"
rule_width=0
for _ in $(seq 50); do
    import -window "$window" "$work/shot.png"
    read -r rule_left rule_top rule_width _ <<<"$("${screen[@]}" rule "$work/shot.png")"
    [ "$rule_width" -gt 0 ] && break
    sleep 0.2
done
read -r left top line_width _ <<<"$(place Line1)"
# Qt draws the rule a pixel past the line's end.
check "window drawn at 100 %" "$rule_width" "$((line_width + 1))"
client_x=$((rule_left - left)) client_y=$((rule_top - top))

# Keys typed before the program has the keyboard would be lost.
for _ in $(seq 50); do
    [ "$("${weston_log[@]}" keyboard "$work/weston.log")" == in ] && break
    sleep 0.1
done
check "the program has the keyboard" "$("${weston_log[@]}" keyboard "$work/weston.log")" "in"
replay_scenario --compositor-log "$work/weston.log"

check "still running" "$(kill -0 "$program_pid" 2>/dev/null && echo yes)" "yes"
kill "$program_pid"
wait "$program_pid" 2>/dev/null
program_pid=""
check "nothing on stderr" "$(cat "$work/program.log")" ""

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
