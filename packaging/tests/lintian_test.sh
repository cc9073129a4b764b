#!/usr/bin/env bash
# The .deb as Debian's lintian sees it: no error and no warning.
#
#   lintian_test.sh <build folder>
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
package=$(ls "$work"/package/tarnwick_*.deb)
# Informational tags are shown too, but only errors and warnings fail.
lintian --info --display-info --fail-on error,warning "$package" 2>&1 | grep -v 'running with root privileges'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] && echo "lintian: no error, no warning"
exit "$status"
