# Sourced by the tests that run a Windows program under Wine, each in a fresh
# prefix of its own, as a new Windows account would be.
#
#   fresh_wine_prefix   makes $WINEPREFIX (new or empty) what
#                       `wineboot --init` makes, with the WINEDLLOVERRIDES and
#                       WINEARCH in effect: a copy of a prefix made so once
#                       and kept, for this Wine, in
#                       ${TARNWICK_CACHE:-~/.cache/tarnwick}/wine-prefix/.
#
# wineboot takes a quarter of a minute and more, a copy a second; the tests
# that run beside each other share the one made first (under a lock). A Wine
# of another version, or other overrides, make a prefix of their own.

fresh_wine_prefix() {
    local cache key template
    cache=${TARNWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}/wine-prefix
    key=$(printf '%s|%s|%s|%s' "$(wine --version 2>/dev/null)" "${WINEARCH:-}" "${WINEDLLOVERRIDES:-}" "$(id -u)" |
        sha256sum | cut -c 1-16)
    template=$cache/$key
    mkdir -p "$cache"
    (
        flock 9
        if [ ! -e "$template/made" ]; then
            rm -rf "$template"
            WINEPREFIX=$template wineboot --init >/dev/null 2>&1
            # Everything written before it is copied: the registry is saved as
            # its server ends.
            WINEPREFIX=$template wineserver -w
            touch "$template/made"
        fi
    ) 9>"$template.lock"
    mkdir -p "$WINEPREFIX"
    cp -a "$template/." "$WINEPREFIX/"
    rm -f "$WINEPREFIX/made"
}
