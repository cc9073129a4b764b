"""Times the steps of the test command, CI and the release, and prints where
the time went.

    steps.py run [--output FILE] <name> -- <command...>
        Runs the command (its output to FILE if given) and says how long it
        took. Where TARNWICK_STEP_LOG names a file, the step is added to it
        as a line of tab-separated fields: its name, when it started, how
        long it took (s), its exit status and its processor time (s; empty
        where not measured). Steps started by the command
        itself are named beneath this one ("outer / inner"), through
        TARNWICK_STEP_PREFIX. Exits with the command's status. The step's
        processor time is recorded too: the user and system time of the
        command and every process it waited for, which on a machine busy
        throughout says where the time goes better than the wall time.

    steps.py record <name> <started> [status [ended]]
        Adds a step that started at <started> and ended at <ended> or now
        (seconds since the epoch, as `date +%s.%N` gives), with that exit
        status (0 unless given): for a step that is a shell function, or
        that had to run before this script could (the install of Python
        itself), or that ran beside others.

    steps.py table <log> [title]
        Prints the log's steps as a table in the order they started, each
        inner step indented beneath its own (and after it, whatever else
        started meanwhile), and the total: the wall time
        from the start of the first outer step to the end of the last, so
        that steps run side by side are not counted twice.
"""
import os
import resource
import subprocess
import sys
import time

SEPARATOR = " / "


def record(log, name, started, seconds, status, processor=None):
    measured = "" if processor is None else f"{processor:.1f}"
    with open(log, "a", encoding="utf-8") as file:
        file.write(f"{name}\t{started:.3f}\t{seconds:.1f}\t{status}\t{measured}\n")


def children_processor_time():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run(arguments):
    output = None
    if arguments[:1] == ["--output"]:
        output, arguments = arguments[1], arguments[2:]
    if len(arguments) < 3 or arguments[1] != "--":
        sys.exit("usage: steps.py run [--output FILE] <name> -- <command...>")
    name, command = arguments[0], arguments[2:]
    full_name = os.environ.get("TARNWICK_STEP_PREFIX", "") + name
    environment = dict(os.environ, TARNWICK_STEP_PREFIX=full_name + SEPARATOR)
    started = time.time()
    beginning = time.monotonic()
    processor = children_processor_time()
    try:
        if output:
            with open(output, "wb") as sink:
                status = subprocess.call(command, env=environment, stdout=sink, stderr=subprocess.STDOUT)
        else:
            status = subprocess.call(command, env=environment)
    except OSError as error:
        print(f"{name}: {error}", file=sys.stderr)
        status = 127
    seconds = time.monotonic() - beginning
    processor = children_processor_time() - processor
    log = os.environ.get("TARNWICK_STEP_LOG")
    if log:
        record(log, full_name, started, seconds, status, processor)
    return status


def read(log):
    steps = []
    with open(log, encoding="utf-8") as file:
        for line in file:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 4:
                fields.append("")
            if len(fields) == 5:
                processor = float(fields[4]) if fields[4] else None
                steps.append((fields[0], float(fields[1]), float(fields[2]), int(fields[3]), processor))
    return steps


def duration(seconds):
    minutes, seconds = divmod(round(seconds), 60)
    return f"{minutes}:{seconds:02d}"


def table(steps, title):
    """The lines of the table: outer steps first, each followed by its own."""
    if not steps:
        return [f"{title}: no steps were timed"]
    started = {name: start for name, start, *_ in steps}
    depth_of = {name: name.count(SEPARATOR) for name, *_ in steps}

    def place(step):
        """Each step right after the one it ran in: the start times of the
        steps it ran in, outermost first, then its own; each with its name,
        so that steps started in the same instant keep their own together."""
        parts = step[0].split(SEPARATOR)
        prefixes = [SEPARATOR.join(parts[:length]) for length in range(1, len(parts) + 1)]
        return [(started.get(prefix, step[1]), prefix) for prefix in prefixes]

    ordered = sorted(steps, key=place)
    top = min(depth_of.values())
    rows = []
    for name, _, seconds, status, processor in ordered:
        depth = depth_of[name] - top
        label = "  " * depth + name.split(SEPARATOR)[-1]
        rows.append((label, duration(seconds), "" if processor is None else duration(processor),
                     "ok" if status == 0 else f"FAILED ({status})"))
    outer = [step for step in steps if depth_of[step[0]] == top]
    total = max(started + seconds for _, started, seconds, *_ in outer) - min(started for _, started, *_ in outer)
    processor = sum(step[4] or 0 for step in outer)
    rows.append(("total: wall time; processor time of the steps measured", duration(total), duration(processor), ""))
    width = max(len(label) for label, *_ in rows)
    lines = [f"== {title}", f"{'step'.ljust(width)}  {'m:ss':>6}  {'cpu':>6}  status"]
    lines += [f"{label.ljust(width)}  {wall:>6}  {cpu:>6}  {status}".rstrip() for label, wall, cpu, status in rows]
    return lines


def main():
    if sys.argv[1:2] == ["run"]:
        sys.exit(run(sys.argv[2:]))
    if sys.argv[1:2] == ["record"] and 4 <= len(sys.argv) <= 6:
        log = os.environ.get("TARNWICK_STEP_LOG")
        if log:
            started = float(sys.argv[3])
            status = int(sys.argv[4]) if len(sys.argv) >= 5 else 0
            ended = float(sys.argv[5]) if len(sys.argv) == 6 else time.time()
            name = os.environ.get("TARNWICK_STEP_PREFIX", "") + sys.argv[2]
            record(log, name, started, ended - started, status)
        return
    if sys.argv[1:2] == ["table"] and len(sys.argv) in (3, 4):
        log = sys.argv[2]
        steps = read(log) if os.path.exists(log) else []
        print("\n".join(table(steps, sys.argv[3] if len(sys.argv) == 4 else "Steps")))
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
