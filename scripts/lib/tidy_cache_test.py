"""tidy_cache.py checks again whatever clang-tidy would read differently, and
nothing else. A stand-in clang-tidy writes down each file it is asked about
and finds fault with any file that says FAULT."""
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import textwrap
import unittest

HERE = pathlib.Path(__file__).resolve().parent
STAND_IN = textwrap.dedent("""\
    #!/bin/sh
    [ "$1" = --version ] && { echo "stand-in clang-tidy ${TIDY_VERSION:-1}"; exit 0; }
    for source; do :; done
    echo "$source" >>"$TIDY_CALLS"
    ! grep -q FAULT "$source" || { echo "$source: a finding"; exit 1; }
    """)


class TidyCache(unittest.TestCase):
    def setUp(self):
        self.work = pathlib.Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, self.work)
        self.clang_tidy = self.work / "clang-tidy"
        self.clang_tidy.write_text(STAND_IN)
        self.clang_tidy.chmod(0o755)
        self.calls = self.work / "calls"
        os.environ.update(TARNWICK_CACHE=str(self.work / "cache"), TIDY_CALLS=str(self.calls))
        os.environ.pop("TIDY_VERSION", None)
        self.project = self.make_project(self.work / "project")

    @staticmethod
    def make_project(project):
        (project / "build").mkdir(parents=True)
        (project / ".clang-tidy").write_text("Checks: 'bugprone-*'\n")
        (project / "part.h").write_text("inline int part() { return 1; }\n")
        (project / "main.cpp").write_text('#include "part.h"\nint main() { return part(); }\n')
        (project / "other.cpp").write_text("int other() { return 2; }\n")
        commands = [{"directory": str(project / "build"), "file": str(project / name),
                     "command": f"c++ -I{project} -DLEVEL=1 -MD -MT x.o -MF x.o.d -o x.o -c {project / name}"}
                    for name in ("main.cpp", "other.cpp")]
        (project / "build" / "compile_commands.json").write_text(json.dumps(commands))
        return project

    def tidy(self, project=None, files=("main.cpp", "other.cpp")):
        """The files clang-tidy was run on, and the exit status."""
        project = project or self.project
        self.calls.write_text("")
        run = subprocess.run([sys.executable, str(HERE / "tidy_cache.py"), "--clang-tidy", str(self.clang_tidy),
                              "build", *files], cwd=project, stdout=subprocess.PIPE, check=False)
        checked = sorted(pathlib.Path(line).name for line in self.calls.read_text().split())
        return checked, run.returncode

    def test_what_is_checked_again(self):
        def edit(path, old, new):
            path.write_text(path.read_text().replace(old, new))

        cases = [
            ("nothing changed", lambda: None, []),
            ("the file itself", lambda: edit(self.project / "other.cpp", "2", "3"), ["other.cpp"]),
            ("a header it includes", lambda: edit(self.project / "part.h", "1", "4"), ["main.cpp"]),
            ("a comment only", lambda: edit(self.project / "main.cpp", "int main", "// why\nint main"),
             ["main.cpp"]),
            ("a NOLINT at the end of a header's line", lambda: edit(self.project / "part.h", "}\n", "} // NOLINT\n"),
             ["main.cpp"]),
            ("its compile flags", lambda: edit(self.project / "build" / "compile_commands.json", "-DLEVEL=1",
                                               "-DLEVEL=2"), ["main.cpp", "other.cpp"]),
            ("the checks", lambda: edit(self.project / ".clang-tidy", "bugprone", "performance"),
             ["main.cpp", "other.cpp"]),
            ("clang-tidy's version", lambda: os.environ.update(TIDY_VERSION="2"), ["main.cpp", "other.cpp"]),
        ]
        self.assertEqual(self.tidy(), (["main.cpp", "other.cpp"], 0), "a first run checks every file")
        for what, change, expected in cases:
            with self.subTest(changed=what):
                change()
                self.assertEqual(self.tidy(), (expected, 0))

    def test_a_finding_fails_and_is_never_kept(self):
        self.tidy()
        (self.project / "other.cpp").write_text("int other() { return 2; } // FAULT\n")
        for run in ("first", "second"):
            with self.subTest(run=run):
                self.assertEqual(self.tidy(), (["other.cpp"], 1))

    def test_another_clone_finds_the_verdicts(self):
        self.tidy()
        clone = self.make_project(self.work / "elsewhere" / "clone")
        self.assertEqual(self.tidy(clone), ([], 0))

    def test_the_dependency_file_of_the_build_is_left_alone(self):
        self.tidy()
        self.assertFalse((self.project / "build" / "x.o.d").exists())


if __name__ == "__main__":
    unittest.main()
