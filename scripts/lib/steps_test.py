"""steps.py: steps started inside others are named and shown beneath them,
a failed step is recorded with its status, and the total is the wall time,
whatever ran side by side."""
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

STEPS = pathlib.Path(__file__).resolve().parent / "steps.py"


def steps(*arguments, log):
    environment = dict(os.environ, TARNWICK_STEP_LOG=str(log), TARNWICK_STEP_PREFIX="")
    return subprocess.run([sys.executable, str(STEPS), *arguments], env=environment,
                          stdout=subprocess.PIPE, text=True, check=False)


class Steps(unittest.TestCase):
    def setUp(self):
        handle, name = tempfile.mkstemp()
        os.close(handle)
        self.log = pathlib.Path(name)
        self.addCleanup(self.log.unlink)

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
        self.log.write_text("a\t100\t60\t0\t50.0\na / x\t100\t50\t0\t40.0\nb\t100\t60\t0\t70.0\nc\t100\t1\t0\t\n")
        table = steps("table", str(self.log), log=self.log).stdout.splitlines()
        self.assertEqual(table[-1].split()[-1], "2:00")
        self.assertEqual(table[-2].split(), ["c", "0:01", "ok"], "no processor time where none was measured")

    def test_a_step_recorded_afterwards(self):
        steps("record", "beside", "1000", "2", "1090.5", log=self.log)
        self.assertEqual(self.log.read_text(), "beside\t1000.000\t90.5\t2\t\n")


if __name__ == "__main__":
    unittest.main()
