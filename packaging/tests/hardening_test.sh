#!/usr/bin/env bash
# The Linux program as Debian's hardening-check sees it: position-independent,
# stack-protected, fortified, with read-only relocations bound at start, and
# built for the control-flow protection its processor has (x86's CET, arm64's
# pointer authentication and branch targets). Any architecture's program:
# its code is read with the objdump for it.
#
#   hardening_test.sh path/to/tarnwick [its debugging symbols]
#
# A stripped program (a package's) is read with its debugging symbols (the
# .debug file of its -dbgsym package), which say where its main is.
set -uo pipefail
binary=$1
symbols=${2:-$1}
source "$(dirname "$(realpath "$0")")/../../testing/checks.sh"

report=$(hardening-check --nocfprotection "$binary" 2>&1)
echo "$report"
line() { grep -F " $1:" <<<"$report" | sed 's/^[^:]*: //' | cut -d, -f1; }
check "position-independent executable" "$(line 'Position Independent Executable')" "yes"
check "stack protector" "$(line 'Stack protected')" "yes"
# Fortified where the compiler can bound a copy; the program's few calls to
# memcpy, memmove and memset copy into objects whose size only the running
# program knows, which hardening-check counts as "only unprotected functions".
fortify=$(grep -F ' Fortify Source functions:' <<<"$report" | sed 's/^[^:]*: //')
check "fortified functions, where any can be" \
    "$(grep -cE '^(yes|no, only unprotected functions found!)$' <<<"$fortify")" "1"
check "read-only relocations" "$(line 'Read-only relocations')" "yes"
check "immediate binding" "$(line 'Immediate binding')" "yes"
# "unknown" where no function of ours has a frame large enough to need probes.
check "stack clash protection, where it applies" "$(line 'Stack clash protection' | grep -cE '^(yes|unknown)$')" "1"
# hardening-check asks for the control-flow property of the whole binary,
# which the linker gives only if every object has it, and Debian 12's start
# files (Scrt1.o, crti.o) do not: so the program's own code is looked at,
# for the instruction that opens a protected function.
case $(readelf -h "$binary" | sed -n 's/^ *Machine: *//p') in
*X86-64* | *80386*) objdump=objdump opening='endbr(64|32)' ;;
*AArch64*) objdump=aarch64-linux-gnu-objdump opening='paciasp|bti' ;;
*) objdump="" ;;
esac
if [ -n "$objdump" ]; then
    read -r start size <<<"$(nm -S --defined-only "$symbols" | awk '$4 == "main" { print $1, $2 }')"
    check "control-flow protection of the program's code" \
        "$("$objdump" -d --start-address="0x$start" --stop-address="$((16#$start + 16#$size))" "$binary" |
            grep -m1 -cE "$opening")" "1"
else
    echo "skipped: control-flow protection, which this processor does not have"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "hardened as expected"
