"""Runs the steps of the test command, CI and the release, and says where
the time went.

    steps.py plan <plan> [<title>]
        Runs the steps of a plan (see read_plan), each once the steps it
        waits for have passed, and prints the step table at the end. The
        first failure stops every step still running.

    steps.py run [--log FILE] <name> -- <command...>
        Runs one command as a step, timed. With --log its output goes to
        FILE, and is shown if the step fails. Exits with its status.

    steps.py record <name> <started> [status [ended]]
        Adds a step that ran outside the runner (times in seconds since the
        epoch, as `date +%s.%N` gives them).

    steps.py table <log> [title]
        Prints a log's steps as a table.

Where TARNWICK_STEP_LOG names a file, each step is added to it as a line of
tab-separated fields: its name, when it started, how long it took (s), its
exit status and its processor time (s; empty where not measured). Steps
that a step's command runs are named beneath it ("outer / inner"), through
TARNWICK_STEP_PREFIX. The processor time is the user and system time of
the command and of every process it waited for.

A command that exits with 77 says that its step does not apply where it
runs: the step is skipped, and so is every step that waits for it.
"""
import dataclasses
import os
import re
import resource
import shlex
import signal
import subprocess
import sys
import time

SEPARATOR = " / "
SKIPPED = 77
# The processor lane runs at a lower priority, so that the clock lane's
# tests, which wait on windows, browsers and Wine, are never the ones kept
# waiting. A later part of CI's runs lower still: its builds take what the
# first part's leave, as its tests start only after the first part's.
PROCESSOR_NICENESS = 10
LATER_PART_NICENESS = 15


@dataclasses.dataclass
class Step:
    name: str
    lane: str  # "processor", or "clock": one step at a time
    command: str  # run by bash
    waits: list = dataclasses.field(default_factory=list)
    niceness: int = 0


# ---- Plans -----------------------------------------------------------------------------

def read_plan(path, again=False, prefix="", through=""):
    """The steps of a plan file, a table whose rows are

        step | lane | runs | waits for | command

    lane is "processor" or "clock" (see Runner). runs is "every"; "once", for a step
    that CI runs in its first part only; or "again", for one that runs in
    its later parts only. waits for names steps of the same plan,
    comma-separated; a step left out counts as passed. A row whose lane is
    "plan" takes the steps of another plan, named beneath its own name;
    "plan again" takes them as a later part. Its command is the plan's file,
    then optionally "through" and a command: each step's command is given to
    it as one more argument. Lines that begin with # are comments.
    """
    steps, left_out = [], set()
    with open(path, encoding="utf-8") as file:
        rows = [line for line in file if line.strip() and not line.lstrip().startswith("#")]
    for row in rows:
        fields = [field.strip() for field in row.split("|", 4)]
        if len(fields) != 5:
            raise ValueError(f"{path}: not a row of five fields: {row.strip()!r}")
        name, lane, runs, waits, command = fields
        waits = [prefix + wait.strip() for wait in waits.split(",") if wait.strip()]
        if lane in ("plan", "plan again"):
            plan, _, inner_through = command.partition(" through ")
            inner = read_plan(plan, lane == "plan again", f"{prefix}{name}: ", inner_through)
            for step in inner:
                step.waits += waits
            steps += inner
        elif lane not in ("processor", "clock") or runs not in ("every", "once", "again"):
            raise ValueError(f"{path}: {name}: no lane {lane!r} or no runs {runs!r}")
        elif runs == ("once" if again else "again"):
            left_out.add(prefix + name)
        else:
            command = f"{through} {shlex.quote(command)}" if through else command
            niceness = 0 if lane == "clock" else LATER_PART_NICENESS if again else PROCESSOR_NICENESS
            steps.append(Step(prefix + name, lane, command, waits, niceness))
    names = {step.name for step in steps}
    for step in steps:
        step.waits = [wait for wait in step.waits if wait not in left_out]
        unknown = sorted(set(step.waits) - names)
        if unknown:
            raise ValueError(f"{path}: {step.name} waits for steps it does not have: {unknown}")
    return steps


# ---- Running them --------------------------------------------------------------------------

def record(log, name, started, seconds, status, processor=None):
    measured = "" if processor is None else f"{processor:.1f}"
    with open(log, "a", encoding="utf-8") as file:
        file.write(f"{name}\t{started:.3f}\t{seconds:.1f}\t{status}\t{measured}\n")


def log_name(folder, name):
    return os.path.join(folder, re.sub(r"[^A-Za-z0-9.-]+", "-", name).strip("-") + ".log")


def status_of(wait_status):
    return os.waitstatus_to_exitcode(wait_status) if os.WIFEXITED(wait_status) else 128 + os.WTERMSIG(wait_status)


class Runner:
    """Starts each step once those it waits for have passed: a clock step
    only while no other clock step runs, a processor step at its lower
    priority (its niceness). Each step runs in a process group
    of its own, with all it starts, so that the first failure, or the
    runner's own end, stops them all."""

    def __init__(self, steps, logs, out=sys.stdout):
        self.steps, self.logs, self.out = steps, logs, out
        self.outcome = {}  # name: "passed", "failed", "skipped"
        self.running = {}  # pid: (step, process, started, beginning)
        os.makedirs(logs, exist_ok=True)

    def say(self, text):
        print(text, file=self.out, flush=True)

    def start(self, step):
        full_name = os.environ.get("TARNWICK_STEP_PREFIX", "") + step.name
        environment = dict(os.environ, TARNWICK_STEP_PREFIX=full_name + SEPARATOR)
        niceness = step.niceness
        with open(log_name(self.logs, step.name), "wb") as log:
            process = subprocess.Popen(["bash", "-c", step.command], stdin=subprocess.DEVNULL, stdout=log,
                                       stderr=subprocess.STDOUT, env=environment, process_group=0,
                                       preexec_fn=lambda: os.nice(niceness))
        self.running[process.pid] = (step, process, time.time(), time.monotonic())
        self.say(f"-- {step.name}: started")

    def ready(self):
        """The steps that can start now, in the plan's order. A step that
        waits for one that was skipped is skipped too."""
        running = {step.name for step, *_ in self.running.values()}
        skipping = True
        while skipping:
            skipping = False
            for step in self.steps:
                if step.name not in self.outcome and any(self.outcome.get(wait) == "skipped" for wait in step.waits):
                    self.outcome[step.name] = "skipped"
                    self.say(f"== {step.name}: skipped, as a step it waits for was")
                    skipping = True
        clock_busy = any(step.lane == "clock" for step, *_ in self.running.values())
        found = []
        for step in self.steps:
            if step.name in self.outcome or step.name in running:
                continue
            if all(self.outcome.get(wait) == "passed" for wait in step.waits):
                if step.lane == "clock" and clock_busy:
                    continue
                clock_busy = clock_busy or step.lane == "clock"
                found.append(step)
        return found

    def finish(self, pid, wait_status, usage):
        step, process, started, beginning = self.running.pop(pid)
        process.returncode = status = status_of(wait_status)
        seconds = time.monotonic() - beginning
        log = os.environ.get("TARNWICK_STEP_LOG")
        if log:
            full_name = os.environ.get("TARNWICK_STEP_PREFIX", "") + step.name
            record(log, full_name, started, seconds, status, usage and usage.ru_utime + usage.ru_stime)
        outcome = {0: "passed", SKIPPED: "skipped"}.get(status, "failed")
        self.outcome[step.name] = outcome
        with open(log_name(self.logs, step.name), encoding="utf-8", errors="replace") as file:
            shown = file.read()
        said = {"passed": "ok", "skipped": "skipped here"}.get(outcome, f"FAILED, exit status {status}")
        self.say(f"== {step.name}: {said} ({duration(seconds)})\n{shown.rstrip()}\n== {step.name}: end of its output")
        return outcome

    def stop(self):
        """Ends every step still running, and all it started: asked first,
        then, after ten seconds, made to."""
        for number in (signal.SIGTERM, signal.SIGKILL):
            for _, process, *_ in self.running.values():
                try:
                    os.killpg(process.pid, number)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + 10
            while self.running and time.monotonic() < deadline:
                for pid in list(self.running):
                    ended, wait_status = os.waitpid(pid, os.WNOHANG)
                    if ended:
                        self.finish(pid, wait_status, None)
                time.sleep(0.1)

    def run(self):
        """True if every step passed or was skipped."""
        def stopped(signal_number, _):
            self.stop()
            sys.exit(128 + signal_number)

        signal.signal(signal.SIGTERM, stopped)
        signal.signal(signal.SIGINT, stopped)
        while True:
            for step in self.ready():
                self.start(step)
            if not self.running:
                break
            pid, wait_status, usage = os.wait4(-1, 0)
            if pid in self.running and self.finish(pid, wait_status, usage) == "failed":
                self.stop()
                break
        not_run = [step.name for step in self.steps if step.name not in self.outcome]
        if not_run:
            self.say(f"== Not run, after the failure: {', '.join(not_run)}")
        return all(outcome != "failed" for outcome in self.outcome.values()) and not not_run


def children_processor_time():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_one(arguments):
    log = None
    if arguments[:1] == ["--log"]:
        log, arguments = arguments[1], arguments[2:]
    if len(arguments) < 3 or arguments[1] != "--":
        sys.exit("usage: steps.py run [--log FILE] <name> -- <command...>")
    name, command = arguments[0], arguments[2:]
    full_name = os.environ.get("TARNWICK_STEP_PREFIX", "") + name
    environment = dict(os.environ, TARNWICK_STEP_PREFIX=full_name + SEPARATOR)
    started, beginning, processor = time.time(), time.monotonic(), children_processor_time()
    try:
        if log:
            with open(log, "wb") as sink:
                status = subprocess.call(command, env=environment, stdout=sink, stderr=subprocess.STDOUT)
        else:
            status = subprocess.call(command, env=environment)
    except OSError as error:
        print(f"{name}: {error}", file=sys.stderr)
        status = 127
    seconds, processor = time.monotonic() - beginning, children_processor_time() - processor
    if os.environ.get("TARNWICK_STEP_LOG"):
        record(os.environ["TARNWICK_STEP_LOG"], full_name, started, seconds, status, processor)
    if log and status not in (0, SKIPPED):
        show_failure(log)
    return status


def show_failure(log):
    """The lines of a failed step's log that name an error or a failure, then its last lines."""
    with open(log, encoding="utf-8", errors="replace") as file:
        lines = file.read().splitlines()
    named = [line for line in lines if re.search(r"error|fail", line, re.IGNORECASE)][:40]
    print("\n".join(["--- its log's lines that name an error or a failure:", *named,
                     f"--- its last lines ({log}):", *lines[-40:], "---"]), file=sys.stderr)


# ---- The table -----------------------------------------------------------------------------

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
        said = {0: "ok", SKIPPED: "skipped"}.get(status, f"FAILED ({status})")
        rows.append((label, duration(seconds), "" if processor is None else duration(processor), said))
    outer = [step for step in steps if depth_of[step[0]] == top]
    total = max(started + seconds for _, started, seconds, *_ in outer) - min(started for _, started, *_ in outer)
    processor = sum(step[4] or 0 for step in outer)
    rows.append(("total: wall time; processor time of the steps measured", duration(total), duration(processor), ""))
    width = max(len(label) for label, *_ in rows)
    lines = [f"== {title}", f"{'step'.ljust(width)}  {'m:ss':>6}  {'cpu':>6}  status"]
    lines += [f"{label.ljust(width)}  {wall:>6}  {cpu:>6}  {status}".rstrip() for label, wall, cpu, status in rows]
    return lines


def main():
    command, arguments = sys.argv[1:2], sys.argv[2:]
    if command == ["plan"] and len(arguments) in (1, 2):
        log = os.environ.setdefault("TARNWICK_STEP_LOG", os.path.abspath("build/test-steps.tsv"))
        logs = os.path.join(os.path.dirname(log), "step-logs")
        passed = Runner(read_plan(arguments[0]), logs).run()
        print("\n".join(table(read(log), arguments[1] if len(arguments) == 2 else arguments[0])))
        sys.exit(0 if passed else 1)
    if command == ["run"]:
        sys.exit(run_one(arguments))
    if command == ["record"] and 2 <= len(arguments) <= 4:
        log = os.environ.get("TARNWICK_STEP_LOG")
        if log:
            started = float(arguments[1])
            status = int(arguments[2]) if len(arguments) >= 3 else 0
            ended = float(arguments[3]) if len(arguments) == 4 else time.time()
            name = os.environ.get("TARNWICK_STEP_PREFIX", "") + arguments[0]
            record(log, name, started, ended - started, status)
        return
    if command == ["table"] and len(arguments) in (1, 2):
        steps = read(arguments[0]) if os.path.exists(arguments[0]) else []
        print("\n".join(table(steps, arguments[1] if len(arguments) == 2 else "Steps")))
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
