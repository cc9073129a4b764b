# Sourced first, with the script's arguments, by the tests that hear the
# program as a screen reader does: runs the script again on a private session
# bus (which starts the accessibility bus, at-spi-bus-launcher, when asked
# for it), then gives it a work folder, an X server at 96 dpi and a
# stand-in for xdg-open that writes down what it is asked to open
# (checks.sh), all stopped and removed at exit.
#
#   source testing/private_session.sh "$@"
if [ -z "${TARNWICK_PRIVATE_BUS:-}" ]; then
    exec env TARNWICK_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
testing=$(dirname "${BASH_SOURCE[0]}")
source "$testing/xserver.sh"
source "$testing/checks.sh"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; stop_xserver; rm -rf "$work"' EXIT
start_xserver 96 "$work"
recording_opener "$work"
