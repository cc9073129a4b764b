#!/usr/bin/env bash
# cmake --install into a temporary prefix lays out the desktop's files.
#
#   install_layout_test.sh <build folder> <application id>
set -uo pipefail
source "$(dirname "$0")/../../testing/checks.sh"
source "$(dirname "$0")/../../testing/expect_layout.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$1" --prefix "$prefix" >/dev/null || exit 1
expect_layout "$prefix" "$2"

[ "$failures" -eq 0 ] || exit 1
echo "install layout as expected"
