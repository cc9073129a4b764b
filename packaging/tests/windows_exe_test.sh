#!/usr/bin/env bash
# tarnwick.exe as a file: a GUI program of the expected kind that imports
# only DLLs that Windows always takes from its own directory (everything else
# is loaded from there when it is needed), carries its version record, icon,
# manifest, logo and cursor, and is handed out in a zip named with the
# version.
#
#   windows_exe_test.sh <mingw triplet> path/to/tarnwick.exe <build folder>
set -uo pipefail
triplet=$1
exe=$2
build=$3
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/../../testing/checks.sh"


case $triplet in
i686-*) kind="pei-i386 PE32 Windows GUI" zip_name=windows-x86 ;;
*) kind="pei-x86-64 PE32+ Windows GUI" zip_name=windows-x64 ;;
esac
headers=$("$triplet-objdump" -p "$exe")
# As the PE header says it (file(1) words it otherwise in each release).
check "PE kind" "$(awk '/file format/ { print $NF } /^Magic/ { print $3 } /^Subsystem/ { print $3, $4 }' <<<"$headers" |
    tr -d '()' | tr '\n' ' ' | sed 's/ $//')" "$kind"

# Windows looks beside the exe first for any imported DLL that is not one of
# its KnownDLLs, before the program's first line runs. These are Windows 10's
# (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs), less
# the WOW64 and emulation layers, with ntdll and kernelbase, which Windows
# takes from the system directory whatever the list says.
known_dlls=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 kernelbase msctf
    msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32
    ws2_32 "
foreign=""
for dll in $(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers"); do
    [[ $known_dlls == *[[:space:]]${dll%.dll}[[:space:]]* ]] || foreign+="$dll "
done
check "imports only KnownDLLs" "$foreign" ""

# Hardened: ASLR (high-entropy on 64-bit), DEP, and mingw-w64's stack
# protector, linked in (it takes its random guard from advapi32).
characteristics=$(sed -n '/^DllCharacteristics/,/^[A-Z]/p' <<<"$headers" | awk 'NF == 1 && $1 ~ /^[A-Z_]+$/ { print $1 }' |
    sort | tr '\n' ' ')
case $triplet in
i686-*) check "ASLR and DEP" "$characteristics" "DYNAMIC_BASE NX_COMPAT " ;;
*) check "ASLR, high-entropy ASLR and DEP" "$characteristics" "DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT " ;;
esac
check "stack protector" "$("$triplet-nm" "$exe" | grep -c ' T ___*stack_chk_fail$')" "1"
# No link time in the header: the same sources give the same bytes.
check "no link time" "$(awk -F '\t+' '/^Time\/Date/ { print $2 }' <<<"$headers")" "Thu Jan  1 00:00:00 1970"

# The version record and the icon, read back field by field.
"$here/../../resources/tests/windows_resource_test.sh" "$triplet-windres" "$exe" || failures=$((failures + 1))
resources=$("$triplet-windres" --input "$exe" --input-format coff --output-format rc 2>/dev/null)
check "manifest" "$(grep -c '/\* RT_MANIFEST \*/' <<<"$resources")" "1"
check "the logo at 96, 144, 192 and 288 dots per inch" "$(grep -c '/\* RT_BITMAP \*/' <<<"$resources")" "4"
check "the link cursor at 32, 48, 64 and 96 pixels, hot spots 6, 9, 12 and 18, 0" \
    "$(grep -o 'Hotspot x: [0-9]*, y: [0-9]*' <<<"$resources" | tr '\n' ' ')" \
    "Hotspot x: 6, y: 0 Hotspot x: 9, y: 0 Hotspot x: 12, y: 0 Hotspot x: 18, y: 0 "

# The zip that cpack writes.
(cd "$build" && cpack -G ZIP -B "$work/package" >"$work/cpack.log" 2>&1) || cat "$work/cpack.log"
archive="$work/package/tarnwick-1.0.0.1-$zip_name.zip"
check "zip named with the version" "$([ -f "$archive" ] && echo yes)" "yes"
check "zip holds the exe, the licence and the user guide" "$(cmake -E tar tf "$archive" 2>/dev/null | sort | tr '\n' ' ')" \
    "tarnwick-1.0.0.1-$zip_name/LICENSE tarnwick-1.0.0.1-$zip_name/tarnwick.exe tarnwick-1.0.0.1-$zip_name/user-guide.txt "

(cd "$work" && cmake -E tar xf "$archive")
size=$(stat -c %s "$work/tarnwick-1.0.0.1-$zip_name/tarnwick.exe" 2>/dev/null || echo 0)
check "the exe handed out is under 1 MB ($size bytes)" "$([ "$size" -gt 0 ] && [ "$size" -lt 1048576 ] && echo yes)" "yes"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "tarnwick.exe as expected"
