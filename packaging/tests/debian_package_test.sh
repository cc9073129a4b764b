#!/usr/bin/env bash
# Builds the .deb, unpacks it into a temporary root, checks its layout and
# control fields, and starts the unpacked binary under Xvfb until its window
# appears.
#
#   debian_package_test.sh <build folder> <application id>
set -uo pipefail
build=$1
id=$2
here=$(dirname "$0")
work=$(mktemp -d)
program_pid=""
failures=0
source "$here/expect_layout.sh"
source "$here/../../scripts/lib/xserver.sh"
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # check <what> <command...>
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
package=$(ls "$work"/package/tarnwick_*.deb)
echo "built $(basename "$package")"

depends=$(dpkg-deb --field "$package" Depends)
check "version 1.0.0.1" test "$(dpkg-deb --field "$package" Version)" == "1.0.0.1"
check "depends on Qt Widgets ($depends)" grep -q 'libqt6widgets6' <<<"$depends"
check "depends on Qt's platform plugins" grep -q 'qt6-qpa-plugins' <<<"$depends"
check "recommends Qt's Wayland plugin" grep -q 'qt6-wayland' <<<"$(dpkg-deb --field "$package" Recommends)"

dpkg-deb --extract "$package" "$work/root"
expect_layout "$work/root/usr" "$id"

start_xserver 96 "$work"
"$work/root/usr/bin/tarnwick" 2>"$work/program.log" &
program_pid=$!
window=$(wait_for_window)
check "the unpacked program shows its window" test -n "$window"

[ "$failures" -eq 0 ] || exit 1
echo "package as expected"
