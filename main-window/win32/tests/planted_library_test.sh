#!/usr/bin/env bash
# DLLs planted beside a downloaded tarnwick.exe never run inside it. The exe
# is copied into a folder of its own, as a download sits in Downloads, and
# run under Wine through what loads libraries: its start, a click on the logo
# and a screen reader's reading of the window over Active Accessibility from
# another process. First as it is, to learn which DLLs it loads (Wine's
# +loaddll); then once for each such name (and shell32 and oleacc, whatever
# the first run saw) with a DLL of that name beside it, set to be taken from
# the program's folder before the system's, as Windows looks for any DLL that
# is not one of its KnownDLLs. The planted DLL must never run, and the window
# must still be there. Last, without oleacc at all: the window must work and
# be read as Windows' standard objects give it. A fresh Wine prefix for the
# test.
#
#   planted_library_test.sh path/to/wine path/to/tarnwick.exe path/to/form1-layout.exe path/to/screen_reader.exe \
#       path/to/planted_library.dll
#
# Needs Xvfb, xdotool, ImageMagick and Wine.
set -uo pipefail  # not -e: every check runs and is counted

here=$(dirname "$(realpath "$0")")
source "$here/wine_program.sh" "$@"
built_exe=$exe
reader=$(realpath "$4")
planted=$(realpath "$5")
downloads="$work/Downloads"
exe="$downloads/tarnwick.exe"
trap 'stop_all; rm -rf "$work"' EXIT

# Ends the program and its Wine session, but not the X server.
end_program() {
    kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    wait "$program_pid" 2>/dev/null
    program_pid=""
}

# KnownDLLs, which Windows takes from its own directory whatever the folder
# holds (as the windows-exe test lists them), and what Wine's own system DLLs
# load as they start, before any code of the program's runs, which Windows'
# do not (msvcrt takes no ucrtbase there, advapi32 no version or zlib1) or
# which are Wine's alone (its X11 driver).
never_planted=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 kernelbase
    msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32
    wldap32 ws2_32  ucrtbase version zlib1 win32u winex11 "

# Runs the program through its start, a click on the logo and a screen
# reader's reading, and says whether its window is still there afterwards.
exercise() {
    still_there=""
    rm -f "$work/read" "$work/opened"
    if ! start_program; then
        end_program
        return
    fi
    read -r x y <<<"$(spot imgLogo centre)"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    for _ in $(seq 100); do
        [ -s "$work/opened" ] && break
        sleep 0.1
    done
    (cd "$work" && WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" "$reader" read 2>/dev/null | tr -d '\r' >"$work/read")
    sleep 0.5
    still_there=$(xdotool search --onlyvisible --name '^Tarnwick by Velmor$' 2>/dev/null | head -n 1)
    end_program
}

start_xserver 96 "$work"
mkdir -p "$downloads"
cp "$built_exe" "$exe"
fresh_wine_prefix

# ---- Which DLLs it loads ---------------------------------------------------------------------

export WINEDLLOVERRIDES="mscoree,mshtml="
WINEDEBUG=+pid,+loaddll exercise 2>/dev/null
# start_program sends the program's stderr, where Wine traces, to program.log.
process=$(grep -m 1 'Loaded L".*\\tarnwick.exe"' "$work/program.log" | cut -d : -f 1)
loaded=$(grep "^$process:" "$work/program.log" | grep -o 'Loaded L"[^"]*"' | sed 's/.*\\//; s/"$//' |
    tr 'A-Z' 'a-z' | sed 's/\.[a-z0-9]*$//' | sort -u)
check "read over Active Accessibility" "$(grep -c 'DS Margin' "$work/read")" "2"
names=(oleacc shell32)
for name in $loaded; do
    [[ $never_planted == *[[:space:]]$name[[:space:]]* || $name == tarnwick ]] || names+=("$name")
done
mapfile -t names < <(printf '%s\n' "${names[@]}" | sort -u)
echo "planting: ${names[*]}"

# ---- Each planted beside it, and taken from the program's folder first ----------------------

for name in "${names[@]}"; do
    cp "$planted" "$downloads/$name.dll"
    WINEDLLOVERRIDES="mscoree,mshtml=;$name=n,b" exercise
    check "$name.dll planted: the window works" \
        "$(cat "$work/opened" 2>/dev/null) $(grep -c 'DS Margin' "$work/read" 2>/dev/null) ${still_there:+there}" \
        "http://www.velmor.example/ 2 there"
    check "$name.dll planted: it never ran" "$(cd "$downloads" && ls -- *.ran 2>/dev/null)" ""
    rm -f "$downloads/$name.dll" "$downloads"/*.ran
done

# ---- Without Active Accessibility ----------------------------------------------------------
# The screen reader's own oleacc builds the standard objects then: the box is
# named after its caption, but nothing says its unit.

WINEDLLOVERRIDES="mscoree,mshtml=;oleacc=" exercise
check "no oleacc: the window works" "$(cat "$work/opened" 2>/dev/null) ${still_there:+there}" \
    "http://www.velmor.example/ there"
check "no oleacc: read as standard objects" "$(awk -F'\t' '$1 == 42 && $2 == "DS Margin" { print $2 "|" $3 }' "$work/read")" \
    "DS Margin|"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
