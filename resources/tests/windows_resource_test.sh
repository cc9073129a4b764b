#!/usr/bin/env bash
# Compiles the Windows resource script and checks the compiled record field
# by field, read back from the binary resource; or reads them back from the
# resources of a built tarnwick.exe.
#
#   windows_resource_test.sh path/to/windres path/to/tarnwick.rc|tarnwick.exe
set -uo pipefail
windres=$1
script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

if [[ $script == *.exe ]]; then
    "$windres" --input "$script" --input-format coff --output "$work/decompiled.rc" --output-format rc || exit 1
else
    "$windres" --input "$script" --output "$work/tarnwick.res" --output-format res || exit 1
    "$windres" --input "$work/tarnwick.res" --input-format res --output "$work/decompiled.rc" --output-format rc || exit 1
fi
compiled=$(cat "$work/decompiled.rc")

expect() {  # expect <what> <line the compiled record must hold>
    if grep -qF -- "$2" <<<"$compiled"; then
        echo "ok: $1"
    else
        echo "FAILED: $1: no line '$2'"
        failures=$((failures + 1))
    fi
}

expect "file version" "FILEVERSION 1, 0, 0, 1"
expect "product version" "PRODUCTVERSION 1, 0, 0, 1"
expect "file version text" 'VALUE "FileVersion", "1.00.0001"'
expect "product version text" 'VALUE "ProductVersion", "1.00.0001"'
expect "description" 'VALUE "FileDescription", "Tarnwick"'
expect "product name" 'VALUE "ProductName", "Tarnwick"'
expect "trademarks" 'VALUE "LegalTrademarks", "Tarnwick"'
expect "comments" 'VALUE "Comments", "Tarnwick"'
expect "internal name" 'VALUE "InternalName", "tarnwick"'
expect "file name" 'VALUE "OriginalFilename", "tarnwick.exe"'
expect "company" 'VALUE "CompanyName", "Velmor, www.velmor.example"'
expect "legal notice" 'VALUE "LegalCopyright", "Copyright (C) 2026 Velmor, www.velmor.example"'
expect "an application" "FILETYPE 0x1"
expect "for 32-bit Windows" "FILEOS 0x4"

# The icon: one group of three images, as "width height colours pad", planes, bits.
expect "icon 16 x 16, 256 colours" '"\020\020\000\000", 1, 8,'
expect "icon 32 x 32, 24-bit colour" '"\040\040\000\000", 1, 24,'
expect "icon 48 x 48, 24-bit colour" '"\060\060\000\000", 1, 24,'
expect "three images in the icon" "Has 3 elements"

[ "$failures" -eq 0 ] || { echo "$failures field(s) wrong"; exit 1; }
echo "all fields as expected"
