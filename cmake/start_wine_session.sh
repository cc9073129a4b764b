#!/bin/sh
# Starts a Wine session that lasts until `wineserver -k`: a persistent server,
# and one program run alone so that Wine's services are up before any test
# starts beside it. A server that is still running (from configuring, or
# from listing the tests) is ended first; one that is still ending may refuse
# the new one for a moment, so it is asked again.
#
#   start_wine_session.sh path/to/wineserver path/to/wine
#
# What Wine leaves running keeps nothing of CTest's open: CTest would wait
# for it.
wineserver=$1
wine=$2
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w
    if "$wineserver" -p </dev/null >/dev/null 2>&1; then
        exec "$wine" cmd /c exit </dev/null >/dev/null 2>&1
    fi
    echo "attempt $attempt: Wine's server would not start; again" >&2
    sleep 1
done
exit 1
