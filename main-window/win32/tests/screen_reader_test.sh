#!/usr/bin/env bash
# Reads tarnwick.exe over Active Accessibility from another process, as a
# screen reader on Windows does, under Wine in a real X server: the boxes'
# names and units, the button, the logo as a link and following it, and the
# result box's verdict in words after each calculation, with the event that
# announces it. A fresh Wine prefix for every run.
#
#   screen_reader_test.sh path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe path/to/screen_reader.exe
#
# Needs Xvfb, xdotool, ImageMagick and Wine.
set -uo pipefail  # not -e: every check runs and is counted

here=$(dirname "$(realpath "$0")")
source "$here/wine_program.sh" "$@"
reader=$(realpath "$4")
watcher_pid=""
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
    [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

read_window() { "$wine" "$reader" read 2>/dev/null | tr -d '\r' >"$work/read"; }

# What a screen reader reads of the control with this name and role (a
# number: 42 an edit box, 30 a link; any role for "*"): "description|state
# (hexadecimal)|default action|keyboard shortcut". The captions carry the
# same names as the boxes, with another role. (Wine gives a button and a
# caption the role of a plain client area, where Windows gives push button
# and static text.)
control() {  # control <role> <name>
    awk -F'\t' -v role="$1" -v name="$2" '(role == "*" || $1 == role) && $2 == name {
        print $3 "|" $4 "|" $5 "|" $6; exit }' "$work/read"
}

# Whether the watcher has seen the result box's description become this.
announced() {  # announced <description>
    local event
    event=$(printf 'description-change\tMax New Speed:\t%s' "$1")
    for _ in $(seq 50); do
        tr -d '\r' <"$work/events" | grep -qxF "$event" && echo yes && return
        sleep 0.1
    done
}

start_xserver 96 "$work"
fresh_wine_prefix
start_program

"$wine" "$reader" watch 120 >"$work/events" 2>/dev/null &
watcher_pid=$!
for _ in $(seq 100); do
    grep -q watching "$work/events" 2>/dev/null && break
    sleep 0.1
done

# ---- Before any calculation ----------------------------------------------------------

read_window
role_edit=42 role_link=30
check "DS Margin box and its unit" "$(control $role_edit 'DS Margin' | cut -d'|' -f1)" "dB"
check "Minimum margin box and its unit" "$(control $role_edit 'Minimum margin' | cut -d'|' -f1)" "dB"
check "Current speed box and its unit" "$(control $role_edit 'Current speed:' | cut -d'|' -f1)" "in Mbps"
check "result box: its unit, no verdict yet" "$(control $role_edit 'Max New Speed:' | cut -d'|' -f1)" "in Mbps"
check "Calculate button and its shortcut" "$(control '*' 'Calculate' | cut -d'|' -f4)" "Alt+C"

link=$(control $role_link 'Velmor.example')
check "logo is a link named Velmor.example" "${link:+found}" "found"
link_state=$(cut -d'|' -f2 <<<"$link")
check "link's state is linked" "$(((0x${link_state:-0} & 0x400000) != 0))" "1"
check "link's default action" "$(cut -d'|' -f3 <<<"$link")" "Jump"

# The result box's tooltip, as the mouse rests on the box: what it shows.
result_tip() {
    read -r x y <<<"$(spot txtSpeed centre)"
    xdotool mousemove --window "$window" "$x" "$((y + 60))"
    sleep 0.3
    xdotool mousemove --window "$window" "$x" "$y"
    sleep 1.5
    "$wine" "$reader" tooltips 2>/dev/null | tr -d '\r'
}
check "no tooltip on the result box before a calculation" "$(result_tip)" ""

# ---- The verdict, after a green and after a red calculation ----------------------------

calculate 12 6 8
check "green calculation announced" "$(announced 'in Mbps, higher than the current speed')" "yes"
read_window
check "result box says higher" "$(control $role_edit 'Max New Speed:' | cut -d'|' -f1)" \
    "in Mbps, higher than the current speed"
check "... and so does its tooltip" "$(result_tip)" "higher than the current speed"

calculate 3 6 8
check "red calculation announced" "$(announced 'in Mbps, lower than the current speed')" "yes"
read_window
check "result box says lower" "$(control $role_edit 'Max New Speed:' | cut -d'|' -f1)" \
    "in Mbps, lower than the current speed"
check "... and so does its tooltip" "$(result_tip)" "lower than the current speed"
check "the other boxes keep their units" "$(control $role_edit 'DS Margin' | cut -d'|' -f1)" "dB"

# ---- Following the link, as a screen reader does ----------------------------------------

check "default action done" "$("$wine" "$reader" follow Velmor.example 2>/dev/null | tr -d '\r')" "done"
for _ in $(seq 100); do
    [ -s "$work/opened" ] && break
    sleep 0.1
done
check "following the link opens the home page" "$(cat "$work/opened" 2>/dev/null)" "http://www.velmor.example/"
check "following the link keeps the result" "$(result_colour 255,180,180)" "255,180,180"

stop_all
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
