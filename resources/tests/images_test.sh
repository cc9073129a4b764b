#!/usr/bin/env bash
# Every image in resources/ is what make_images makes of its source now: run
# in a copy of the folder, it must give the same pixels for each picture and
# the same bytes for the icon, the cursor and the outlined SVG. An SVG
# changed without its images made again fails here.
#
#   images_test.sh path/to/resources
set -uo pipefail
resources=$(realpath "$1")
source "$(dirname "$(realpath "$0")")/../../scripts/lib/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -r "$resources" "$work/made"
(cd "$work/made" && ./make_images) || { echo "make_images failed"; exit 1; }
for made in "$work"/made/*.png "$work"/made/*.bmp "$work"/made/*.ico "$work"/made/*.cur "$work"/made/*-outlined.svg; do
    name=$(basename "$made")
    case $name in
    *.png | *.bmp)  # the same pixels (PNG's metadata carries the day it was written)
        check "$name" "$(compare -metric AE "$resources/$name" "$made" null: 2>&1)" 0 ;;
    *) check "$name" "$(cmp -s "$resources/$name" "$made" && echo same || echo different)" same ;;
    esac
done

[ "$failures" -eq 0 ] || { echo "$failures image(s) not as their sources make them: run resources/make_images"; exit 1; }
echo "every image is as its source makes it"
