#!/usr/bin/env bash
# The Windows installer under Wine, as a user runs it: installed silently for
# the user, the Start-menu shortcut starts the program, the uninstall entry
# tells what it is, a newer version replaces it, and uninstalling leaves
# nothing of it. A fresh Wine prefix and X server for every run.
#
#   msi_test.sh path/to/wine path/to/tarnwick-<version>-windows-<arch>.msi <version>
#               path/to/cmake <make_msi.cmake arguments but version and output...>
#
# Wine writes its registry to the prefix's .reg files when its server stops:
# every look at the registry waits for that.
set -uo pipefail  # not -e: every check runs and is counted

wine=$1
msi=$(realpath "$2")
version=$3
cmake=$4
shift 4
here=$(dirname "$(realpath "$0")")
source "$here/../../testing/checks.sh"
source "$here/../../testing/xserver.sh"
source "$here/../../testing/wine_prefix.sh"
work=$(mktemp -d)
# No menus on the machine running the test: Wine would copy the shortcut there.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; stop_xserver; rm -rf "$work"' EXIT

msiexec() { "$wine" msiexec "$@" /qn; local status=$?; wineserver -w; return $status; }
user="$WINEPREFIX/drive_c/users/$(id -un)"
program="$user/AppData/Local/Programs/Tarnwick"
shortcut="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tarnwick.lnk"

# The uninstall entries' values, "name=value" a line, of every product named
# Tarnwick, an empty line between products. A 32-bit installer's are in the
# registry's 32-bit view, under Wow6432Node.
uninstall_entries() {
    awk '/^\[Software\\\\(Wow6432Node\\\\)?Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\/ { entry = ""; inside = 1; next }
         /^\[/ { if (inside && entry ~ /"DisplayName"="Tarnwick"/) print entry; inside = 0; next }
         inside && /^"/ { entry = entry $0 "\n" }
         END { if (inside && entry ~ /"DisplayName"="Tarnwick"/) print entry }' "$WINEPREFIX/system.reg"
}
entry_value() { grep -m 1 "^\"$1\"=" <<<"$entries" | cut -d = -f 2- | tr -d '"'; }
# Whether a window titled as Tarnwick's appears within 60 seconds.
window_appears() { [ -n "$(find_window 60 '^Tarnwick by Velmor$')" ] && echo yes; }
# What the user's profile holds, but Wine's own logs and caches and the
# folder where Windows Installer keeps the icons of what it installed (its
# own, and left as Windows leaves it: what was in it goes).
profile() {
    (cd "$user" && find . | grep -v -e '^./Temp' -e '^./AppData/Local/Microsoft' |
        grep -vx './AppData/Roaming/Microsoft/Installer' | sort)
}

start_xserver 96 "$work"
fresh_wine_prefix
wineserver -w
profile >"$work/before"

# ---- Installed -----------------------------------------------------------------
msiexec /i "$msi"
check "installs silently, without administrator rights" "$?" 0
check "the program under AppData\\Local\\Programs\\Tarnwick" \
    "$(cd "$program" 2>/dev/null && ls | tr '\n' ' ')" "LICENSE.txt tarnwick.exe user-guide.txt "
check "a Start-menu shortcut \"Tarnwick\"" "$([ -f "$shortcut" ] && echo yes)" yes
entries=$(uninstall_entries)
check "one uninstall entry" "$(grep -c DisplayName <<<"$entries")" 1
check "its version" "$(entry_value DisplayVersion)" "$version"
check "its publisher" "$(entry_value Publisher)" Velmor
check "its home page" "$(entry_value URLInfoAbout)" "http://www.velmor.example"
check "it removes itself with msiexec" "$(entry_value UninstallString | sed 's/{.*//')" "str(2):MsiExec.exe /X"
icon=$(grep -m 1 '^"ProductIcon"=' "$WINEPREFIX/user.reg" | cut -d '"' -f 4 | sed 's/\\\\/\\/g')
check "its icon" "$([ -n "$icon" ] && [ -s "$("$wine" winepath -u "$icon" 2>/dev/null)" ] && echo yes)" yes

# The shortcut opens the installed program.
"$wine" start /unix "$shortcut" >/dev/null 2>&1 &
check "the shortcut starts the program: its window appears" "$(window_appears)" yes
wineserver -k
wineserver -w

# ---- A newer version replaces it -------------------------------------------------
IFS=. read -r major minor patch tweak <<<"$version"
newer_version="$major.$minor.$patch.$((tweak + 1))"
"$cmake" "-DVERSION=$newer_version" "-DOUTPUT=$work/newer.msi" "$@" >/dev/null 2>"$work/newer.log" ||
    cat "$work/newer.log"
msiexec /i "$work/newer.msi"
check "a newer version installs over it" "$?" 0
entries=$(uninstall_entries)
check "one uninstall entry after the upgrade" "$(grep -c DisplayName <<<"$entries")" 1
check "the newer version's" "$(entry_value DisplayVersion)" "$newer_version"
check "one program" "$(cd "$program" 2>/dev/null && ls | tr '\n' ' ')" "LICENSE.txt tarnwick.exe user-guide.txt "

# ---- Uninstalled: nothing of it is left -----------------------------------------
msiexec /x "$work/newer.msi"
check "uninstalls silently" "$?" 0
profile >"$work/after"
check "no file, shortcut or folder left" "$(diff "$work/before" "$work/after" | grep '^[<>]' | tr '\n' ' ')" ""
check "no uninstall entry left" "$(uninstall_entries)" ""
check "no registry key or value left" \
    "$(cat "$WINEPREFIX"/*.reg | grep -i -e tarnwick -e velmor | head -n 3 | tr '\n' ' ')" ""

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
