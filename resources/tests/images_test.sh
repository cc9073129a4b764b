#!/usr/bin/env bash
# Every image in resources/ is what make_images makes of its source now: run
# in a copy of the folder, it must give the same pictures, so that a source
# changed without its images made again fails here. Each picture is compared
# by its pixels, allowing what another release's librsvg and ImageMagick
# draw otherwise at the edges (a root mean square of the colour channels of
# 0.02, 0 to 1; a changed colour or shape differs far more), and the 16 x 16
# icon in 256 colours more (0.1: each ImageMagick picks its own palette for
# it); the icon image by image, the outlined SVG as librsvg draws it, and the
# cursor, which a script sets pixel by pixel, byte for byte.
#
#   images_test.sh path/to/resources path/to/form1-layout
set -uo pipefail
resources=$(realpath "$1")
source "$(dirname "$(realpath "$0")")/../../testing/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -r "$resources" "$work/made"
layout=$(realpath "$2")
(cd "$work/made" && ./make_images "$layout") || { echo "make_images failed"; exit 1; }

# "same", or how far apart two pictures are.
alike() {  # alike <picture> <picture> [allowed difference]
    local difference
    difference=$(compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\))$/\1/p')
    awk -v d="$difference" -v most="${3:-0.02}" \
        'BEGIN { print (d != "" && d <= most) ? "same" : "different (" (d == "" ? "size" : d) ")" }'
}
palette=0.1  # the 16 x 16 icon's
for made in "$work"/made/*.png "$work"/made/*.bmp; do
    name=$(basename "$made")
    check "$name" "$(alike "$resources/$name" "$made" "$([ "$name" == icon-16.png ] && echo $palette)")" same
done
convert "$resources/tarnwick.ico" "$work/committed-icon-%d.png"
convert "$work/made/tarnwick.ico" "$work/made-icon-%d.png"
for frame in "$work"/committed-icon-*.png; do
    image=${frame##*-}
    check "tarnwick.ico, image ${image%.png}" \
        "$(alike "$frame" "${frame/committed-icon/made-icon}" "$([ "$image" == 0.png ] && echo $palette)")" same
done
rsvg-convert --zoom 3 "$resources/logo-outlined.svg" --output "$work/committed-outlined.png"
rsvg-convert --zoom 3 "$work/made/logo-outlined.svg" --output "$work/made-outlined.png"
check "logo-outlined.svg" "$(alike "$work/committed-outlined.png" "$work/made-outlined.png")" same
check "link-cursor.cur" "$(cmp -s "$resources/link-cursor.cur" "$work/made/link-cursor.cur" && echo same)" same

[ "$failures" -eq 0 ] || { echo "$failures image(s) not as their sources make them: run resources/make_images"; exit 1; }
echo "every image is as its source makes it"
