#!/usr/bin/env bash
# The program as a native Wayland client, in a headless weston: it starts
# without a word on stderr, shows its window at the right size, and stays up
# until it is closed.
#
#   wayland_test.sh path/to/tarnwick
#
# Needs weston, qt6-wayland and ImageMagick.
set -uo pipefail  # not -e: every check runs and is counted

binary=$(realpath "$1")
work=$(mktemp -d)
convert=/usr/bin/convert  # ImageMagick itself, not a wrapper earlier on PATH
program_pid="" compositor_pid=""
source "$(dirname "$(realpath "$0")")/../../../testing/checks.sh"
export XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=tarnwick-test
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT


# Pixman rendering and --debug, so that weston-screenshooter can read the screen.
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=640 --height=480 \
    --socket="$WAYLAND_DISPLAY" >"$work/weston.log" 2>&1 &
compositor_pid=$!
for _ in $(seq 100); do
    [ -S "$work/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done

QT_QPA_PLATFORM=wayland "$binary" 2>"$work/program.log" &
program_pid=$!

# The window is up once the three light-blue input boxes are on the screen;
# their inner area (without the boxes' borders) spans 87 x 64 pixels.
boxes=""
for _ in $(seq 50); do
    sleep 0.2
    (cd "$work" && weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$work"/wayland-screenshot-*.png 2>/dev/null | tail -n 1)
    [ -n "$shot" ] || continue
    boxes=$("$convert" "$shot" -fill black +opaque 'rgb(230,230,255)' -fill white -opaque 'rgb(230,230,255)' \
        -format '%@' info: 2>/dev/null | cut -d + -f 1)
    rm -f "$work"/wayland-screenshot-*.png
    [ "$boxes" == "87x64" ] && break
done
check "window shown at its size" "$boxes" "87x64"

sleep 2
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
