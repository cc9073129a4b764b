# Sourced by the tests that hear what Orca, the screen reader of GNOME and
# most Linux desktops, says of a program: Orca's own words, read from its
# debug log (its "SPEECH OUTPUT:" lines), not the accessibility tree. The
# caller runs in a session bus of its own (dbus-run-session) and an X server.
#
#   hear_with_orca <folder> <steps function>
#                         starts Orca (start_orca <folder>/<run>), runs the
#                         steps, ends Orca (stop_orca); and once more if Orca
#                         never came up or stopped answering on the way
#   start_orca <folder>   starts the accessibility bus and Orca, with a home and
#                         run-time folder of their own under <folder>, and waits
#                         until Orca is listening; fails if it never is
#   mark <name>           what Orca says from now on is this step's
#   step <name> <xdotool arguments...>
#                         marks it, does it and waits for Orca to speak
#   stop_orca             ends Orca, with all its log written
#   replay_orca_scenario <front-end>
#                         the steps of the screen-reader scenario
#                         (orca_scenario.json) that the front-end takes
#   check_orca_scenario <front-end>
#                         after stop_orca: checks what Orca said at each step,
#                         prints it and exits with the outcome
#
# Needs orca, speech-dispatcher, at-spi2-core, python3-pyatspi and xdotool.

orca_lib=$(dirname "${BASH_SOURCE[0]}")

start_orca() {
    orca_folder=$1
    mkdir -p "$orca_folder/home" "$orca_folder/run"
    chmod 700 "$orca_folder/run"
    export HOME="$orca_folder/home" XDG_RUNTIME_DIR="$orca_folder/run"
    # What Orca says is its log's; a speech server of the machine's, with a
    # synthesizer and no sound card, can stall it.
    mkdir -p "$HOME/.config/speech-dispatcher"
    echo DisableAutoSpawn >"$HOME/.config/speech-dispatcher/speechd.conf"
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    orca_bus_pid=$!
    # No braille: looking for a display stalls Orca's speech now and then.
    orca --replace --disable braille --disable braille-monitor --debug-file="$orca_folder/orca.log" \
        >"$orca_folder/orca.out" 2>&1 &
    orca_pid=$!
    : >"$orca_folder/steps"
    # Orca is listening once it is on the accessibility bus itself (the log
    # comes out only as Orca ends, in some releases). Its first start in a
    # fresh home takes a few seconds more.
    if ! /usr/bin/python3 "$orca_lib/orca_speech.py" wait-for-orca 60; then
        echo "Orca printed:" >&2
        cat "$orca_folder/orca.out" >&2
        kill -KILL "$orca_pid" "$orca_bus_pid" 2>/dev/null
        wait "$orca_pid" "$orca_bus_pid" 2>/dev/null
        return 1
    fi
    sleep 1
}

# Orca 48, in a run of many, now and then never comes onto the bus, or stops
# answering midway: it no longer even echoes the keys pressed (stop_orca's
# presses of Shift). Such a run says nothing of the program, so it is made
# once more, after the jobs the steps started (but the X server) have ended.
hear_with_orca() {  # hear_with_orca <folder> <steps function>
    local run pid
    for run in 1 2; do
        if start_orca "$1/$run"; then
            "$2"
            stop_orca
            awk -F'\t' '$1 == "end"' "$orca_folder/spoken" | grep -q shift && return 0
            echo "Orca stopped answering (run $run of 2); it said:" >&2
            cat "$orca_folder/spoken" >&2
        else
            echo "Orca did not come onto the accessibility bus (run $run of 2)" >&2
        fi
        for pid in $(jobs -p); do
            [ "$pid" == "${xserver_pid:-}" ] || kill "$pid" 2>/dev/null
        done
        sleep 1
    done
    return 1
}

# Orca answers a key within a fraction of a second; the wait is long enough
# for a busy machine.
mark() { printf '%s %s\n' "$(date +%H:%M:%S.%6N)" "$1" >>"$orca_folder/steps"; }

step() {  # step <name> <xdotool arguments...>
    mark "$1"
    shift
    xdotool "$@"
    sleep "${ORCA_STEP_SECONDS:-2.5}"
}

# Orca 43 writes its log through a buffer, and when asked to end it may not:
# presses of Shift, which it only logs, push out all that comes before them.
stop_orca() {
    mark end
    for _ in $(seq 12); do
        xdotool key shift
        sleep 0.2
    done
    sleep 1
    kill -INT "$orca_pid" 2>/dev/null
    for _ in $(seq 30); do
        kill -0 "$orca_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$orca_pid" 2>/dev/null
    kill "$orca_bus_pid" 2>/dev/null
    wait "$orca_pid" "$orca_bus_pid" 2>/dev/null
    /usr/bin/python3 "$orca_lib/orca_speech.py" split "$orca_folder/orca.log" "$orca_folder/steps" \
        >"$orca_folder/spoken"
}

replay_orca_scenario() {  # replay_orca_scenario <front-end>
    local name command arguments
    while IFS=$'\t' read -r name command; do
        read -ra arguments <<<"$command"
        step "$name" "${arguments[@]}"
    done < <(/usr/bin/python3 "$orca_lib/orca_scenario.py" steps "$1")
}

check_orca_scenario() {  # check_orca_scenario <front-end>
    /usr/bin/python3 "$orca_lib/orca_scenario.py" check "$1" "$orca_folder/spoken" \
        "$(dpkg-query -W -f='${Version}' orca | cut -d. -f1)"
    exit
}
