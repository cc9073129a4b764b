#!/usr/bin/env bash
# The installed-package test (debian/tests/installed-program) for a package
# of another architecture, as a user of that architecture would meet it: the
# package installed with its own architecture's libraries (Debian's
# multiarch) in a fresh root of this machine's, made from a base tarball, the
# test's own tools this machine's, and the program run under QEMU's
# user-mode emulator. autopkgtest itself would ask for the test's tools in
# the package's architecture, which could not run here.
#
#   foreign_program_test.sh <base tarball> <package.deb> <QEMU's name for its processor>
#
# Run from the top of the source tree, as root.
set -euo pipefail
base=$1
package=$(realpath "$2")
qemu=$3
architecture=$(dpkg-deb --field "$package" Architecture)
source scripts/lib/tarball_root.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r debian scripts packaging testing speed-calc main-window "$package" "$work/"
# The test's tools, from its Depends but the package itself ("@").
tools=$(sed -n '/^Depends:/,/^[A-Z]/{s/^Depends://;/^[A-Z]/d;p}' debian/tests/control | tr -d ' ,' | grep -v '^@$' |
    tr '\n' ' ')
in_tarball_root "$base" "$work" "
    dpkg --add-architecture $architecture
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        ./$(basename "$package") qemu-user $tools
    TARNWICK_RUN=qemu-$qemu debian/tests/installed-program
"
