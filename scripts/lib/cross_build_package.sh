#!/usr/bin/env bash
# Cross-builds a Debian source package for another architecture as Debian's
# tools do (dpkg-buildpackage --host-arch with the cross and nocheck
# profiles), in a fresh root made from a base tarball of the release, with
# only the build dependencies the package declares for that; prints the
# build's log (for blhc) and leaves the .debs, .buildinfo and .changes in the
# output folder.
#
#   cross_build_package.sh <base tarball> <package.dsc> <architecture> <output folder>
#
# Run from the top of the source tree, as root. (sbuild --host does the same,
# but Debian 12's sbuild cannot resolve cross build dependencies in a Debian
# 13 root: its resolver runs an apt solver linked to Debian 12's libapt-pkg.)
set -euo pipefail
base=$1
dsc=$(realpath "$2")
architecture=$3
output=$(realpath -m "$4")
source scripts/lib/tarball_root.sh
mkdir -p "$output"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/source"
dcmd cp "$dsc" "$work/source/"
in_tarball_root "$base" "$work" "
    dpkg --add-architecture $architecture
    apt-get update -q >/dev/null
    cd source && dpkg-source -x --no-check ./$(basename "$dsc") package >/dev/null && cd package
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends crossbuild-essential-$architecture >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends -a $architecture -P cross,nocheck ./ >/dev/null
    DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage --host-arch $architecture --build-profiles=cross,nocheck -us -uc -b
"
cp "$work"/source/*.deb "$work"/source/*.buildinfo "$work"/source/*.changes "$output/"
