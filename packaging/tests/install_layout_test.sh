#!/usr/bin/env bash
# cmake --install into a temporary prefix lays out the desktop's files.
#
#   install_layout_test.sh <build folder> <application id>
set -uo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
source "$(dirname "$0")/../../testing/expect_layout.sh"

cmake --install "$build" --prefix "$work/prefix" >/dev/null || exit 1
expect_layout "$work/prefix" "$id"

[ "$failures" -eq 0 ] || exit 1
echo "install layout as expected"
