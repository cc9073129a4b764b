"""steps.py: the runner with fake steps (one passes, one fails, one waits for
another; the lanes; a skip), the plans it reads, and the step table."""
import io
import os
import pathlib
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import steps as runner  # noqa: E402

STEPS = pathlib.Path(__file__).resolve().parent / "steps.py"


def steps(*arguments, log):
    environment = dict(os.environ, TARNWICK_STEP_LOG=str(log), TARNWICK_STEP_PREFIX="")
    return subprocess.run([sys.executable, str(STEPS), *arguments], env=environment,
                          stdout=subprocess.PIPE, text=True, check=False)


def alive(pid):
    """Whether the process runs still, after a moment: not ended, nor ended
    and waiting for its parent to take its exit status."""
    time.sleep(0.5)
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            return stat.read().rpartition(")")[2].split()[0] != "Z"
    except FileNotFoundError:
        return False


class Folder(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = pathlib.Path(folder.name)
        self.log = self.folder / "steps.tsv"
        self.log.touch()


class Runner(Folder):
    def run_steps(self, *rows):
        """Runs (name, lane, waits, command) rows; their outcomes, and what the runner said."""
        said = io.StringIO()
        os.environ.update(TARNWICK_STEP_LOG=str(self.log), TARNWICK_STEP_PREFIX="")
        plan = [runner.Step(name, lane, command, waits, runner.PROCESSOR_NICENESS if lane == "processor" else 0)
                for name, lane, waits, command in rows]
        machine = runner.Runner(plan, str(self.folder / "logs"), said)
        passed = machine.run()
        return passed, machine.outcome, said.getvalue()

    def test_a_step_that_passes_one_that_fails_and_one_that_waits(self):
        cases = [
            ("one passes", [("a", "processor", [], "echo hello")], True, {"a": "passed"}),
            ("one fails", [("a", "processor", [], "exit 3")], False, {"a": "failed"}),
            ("one waits for another, which passed",
             [("b", "clock", ["a"], f"test -e {self.folder}/made"), ("a", "processor", [], f"touch {self.folder}/made")],
             True, {"a": "passed", "b": "passed"}),
            ("one waits for another, which failed",
             [("a", "processor", [], "exit 1"), ("b", "clock", ["a"], "true")], False, {"a": "failed"}),
            ("one skipped, and what waits for it",
             [("a", "processor", [], "exit 77"), ("b", "clock", ["a"], "exit 1"), ("c", "clock", [], "true")],
             True, {"a": "skipped", "b": "skipped", "c": "passed"}),
        ]
        for what, rows, passed, outcome in cases:
            with self.subTest(what):
                self.assertEqual(self.run_steps(*rows)[:2], (passed, outcome))

    def test_its_output_is_shown_with_its_outcome(self):
        _, _, said = self.run_steps(("greet", "clock", [], "echo hello; exit 4"))
        self.assertIn("== greet: FAILED, exit status 4", said)
        self.assertIn("hello", said)

    def test_the_clock_lane_runs_one_step_at_a_time(self):
        order = self.folder / "order"
        rows = [(name, "clock", [], f"echo start {name} >>{order}; sleep 0.3; echo end {name} >>{order}")
                for name in ("a", "b")]
        self.assertTrue(self.run_steps(*rows)[0])
        self.assertEqual(order.read_text().split("\n")[:4], ["start a", "end a", "start b", "end b"])

    def test_the_processor_lane_runs_steps_side_by_side(self):
        # Each passes only if it sees the other's mark while it runs.
        def meets(mine, other):
            return (f"touch {self.folder}/{mine}; for i in $(seq 50); do test -e {self.folder}/{other} && exit 0;"
                    " sleep 0.1; done; exit 1")
        self.assertTrue(self.run_steps(("a", "processor", [], meets("a", "b")),
                                       ("b", "processor", [], meets("b", "a")))[0])

    def test_a_failure_stops_every_step_and_what_it_started(self):
        pid_file = self.folder / "pid"
        began = time.monotonic()
        passed, outcome, _ = self.run_steps(
            ("long", "processor", [], f"sleep 60 & echo $! >{pid_file}; wait"),
            ("fails", "clock", [], f"while ! test -s {pid_file}; do sleep 0.1; done; exit 1"))
        self.assertFalse(passed)
        self.assertLess(time.monotonic() - began, 30)
        self.assertEqual(outcome["long"], "failed", "stopped")
        self.assertFalse(alive(int(pid_file.read_text())), "its child is stopped too")

    def test_processor_steps_run_at_a_lower_priority(self):
        self.assertTrue(self.run_steps(("low", "processor", [], f"test $(nice) -eq {min(19, os.nice(0) + 10)}"),
                                       ("high", "clock", [], f"test $(nice) -eq {os.nice(0)}"))[0])


class Plans(Folder):
    def plan(self, name, text):
        path = self.folder / name
        path.write_text(text)
        return str(path)

    def test_rows_and_the_parts_of_a_run(self):
        tests = self.plan("tests.plan", "# step | lane | runs | waits for | command\n"
                                        "build | processor | every | | make\n"
                                        "check | clock | every | build | make check\n"
                                        "lint | processor | once | build | make lint\n"
                                        "release | processor | again | | make release\n")
        ci = self.plan("ci.plan", "root | processor | every | | make-root\n"
                                  f"first | plan | every | | {tests}\n"
                                  f"later | plan again | every | root | {tests} through in-root 'the root'\n")
        found = [(step.name, step.lane, step.waits, step.command, step.niceness) for step in runner.read_plan(ci)]
        self.assertEqual(found, [
            ("root", "processor", [], "make-root", 10),
            ("first: build", "processor", [], "make", 10),
            ("first: check", "clock", ["first: build"], "make check", 0),
            ("first: lint", "processor", ["first: build"], "make lint", 10),
            ("later: build", "processor", ["root"], "in-root 'the root' make", 15),
            ("later: check", "clock", ["later: build", "root"], "in-root 'the root' 'make check'", 0),
            ("later: release", "processor", ["root"], "in-root 'the root' 'make release'", 15),
        ])

    def test_a_row_that_cannot_be_run(self):
        cases = [
            ("four fields", "a | clock | every\n"),
            ("no such lane", "a | fast | every | | true\n"),
            ("no such part", "a | clock | twice | | true\n"),
            ("waits for a step the plan does not have", "a | clock | every | b | true\n"),
        ]
        for what, text in cases:
            with self.subTest(what), self.assertRaises(ValueError):
                runner.read_plan(self.plan("bad.plan", text))


class Table(Folder):
    def test_inner_steps_are_named_beneath_their_own(self):
        inner = f"{sys.executable} {STEPS} run inner -- true"
        run = steps("run", "outer", "--", "sh", "-c", f"{inner} && exit 3", log=self.log)
        self.assertEqual(run.returncode, 3, "the command's status is the step's")
        recorded = [line.split("\t") for line in self.log.read_text().splitlines()]
        self.assertEqual([(name, status) for name, _, _, status, _ in recorded],
                         [("outer / inner", "0"), ("outer", "3")])
        table = steps("table", str(self.log), "Title", log=self.log).stdout.splitlines()
        self.assertEqual([line.split()[0] for line in table[2:4]], ["outer", "inner"])
        self.assertTrue(table[2].endswith("FAILED (3)"), table[2])
        self.assertTrue(table[3].startswith("  inner"), "indented beneath its own step")

    def test_the_total_is_the_wall_time(self):
        cases = [
            ("one after another", [("a", 100, 60), ("b", 160, 30)], "1:30"),
            ("side by side", [("a", 100, 60), ("b", 110, 30)], "1:00"),
            ("inner steps not counted again", [("a", 100, 60), ("a / x", 100, 50)], "1:00"),
        ]
        for what, recorded, total in cases:
            with self.subTest(what):
                self.log.write_text("".join(f"{name}\t{start}\t{seconds}\t0\n" for name, start, seconds in recorded))
                last = steps("table", str(self.log), log=self.log).stdout.splitlines()[-1]
                self.assertEqual(last.split()[-2], total)

    def test_inner_steps_stay_with_their_own_whatever_ran_beside(self):
        self.log.write_text("a / x\t110\t5\t0\nb\t105\t20\t0\na / y\t120\t5\t0\na\t100\t30\t0\n")
        table = steps("table", str(self.log), log=self.log).stdout.splitlines()
        self.assertEqual([line.split()[0] for line in table[2:6]], ["a", "x", "y", "b"])

    def test_processor_time_of_the_command_and_what_it_waited_for(self):
        # Two seconds of work in a grandchild, while the step waits one more
        # second doing nothing.
        busy = f"{sys.executable} -c 'import time\nend = time.process_time() + 2\nwhile time.process_time() < end: pass'"
        steps("run", "busy", "--", "sh", "-c", f"{busy} && sleep 1", log=self.log)
        _, _, seconds, _, processor = self.log.read_text().rstrip("\n").split("\t")
        self.assertGreaterEqual(float(processor), 1.9)
        self.assertGreaterEqual(float(seconds) - float(processor), 0.9, "the wait is not processor time")

    def test_the_total_processor_time_is_the_outer_steps_without_the_unmeasured(self):
        self.log.write_text("a\t100\t60\t0\t50.0\na / x\t100\t50\t0\t40.0\nb\t100\t60\t0\t70.0\nc\t100\t1\t77\t\n")
        table = steps("table", str(self.log), log=self.log).stdout.splitlines()
        self.assertEqual(table[-1].split()[-1], "2:00")
        self.assertEqual(table[-2].split(), ["c", "0:01", "skipped"], "no processor time where none was measured")

    def test_a_step_recorded_afterwards(self):
        steps("record", "beside", "1000", "2", "1090.5", log=self.log)
        self.assertEqual(self.log.read_text(), "beside\t1000.000\t90.5\t2\t\n")

    def test_a_failed_step_shows_its_log(self):
        log = self.folder / "its.log"
        run = subprocess.run([sys.executable, str(STEPS), "run", "--log", str(log), "x", "--", "sh", "-c",
                              "echo compiling; echo 'error: no such file'; exit 2"],
                             env=dict(os.environ, TARNWICK_STEP_LOG=""), capture_output=True, text=True, check=False)
        self.assertEqual(run.returncode, 2)
        self.assertIn("error: no such file", run.stderr)
        self.assertEqual(run.stdout, "", "nothing of a step kept in its log goes to the output")


if __name__ == "__main__":
    unittest.main()
