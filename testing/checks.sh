# Sourced by the test scripts that count their checks: check <what> <actual>
# <expected> prints the outcome and counts failures in `failures`.

failures=0

check() {
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        echo "FAILED: $1: got '$2', expected '$3'"
        failures=$((failures + 1))
    fi
}

# A stand-in for xdg-open in <folder>/bin that appends what it is asked to
# open to <folder>/opened, a line each.
recording_opener() {  # recording_opener <folder>
    mkdir -p "$1/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s/opened"\n' "$1" >"$1/bin/xdg-open"
    chmod +x "$1/bin/xdg-open"
}
