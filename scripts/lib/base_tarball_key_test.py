"""base_tarball_key.py: a kept base tarball is used again only while every
suite it came from is unchanged, and what it is made with is the same."""
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import base_tarball_key  # noqa: E402

KEY = pathlib.Path(__file__).resolve().parent / "base_tarball_key.py"

DEB822 = """Types: deb
URIs: {archive}
Suites: trixie trixie-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: {archive}
Suites: forky
Components: main
"""
ONE_LINE = "# the archive\ndeb [signed-by=/k.gpg] {archive} trixie main\ndeb-src {archive} forky main\n"


class Key(unittest.TestCase):
    def setUp(self):
        self.work = pathlib.Path(tempfile.mkdtemp())
        self.archive = self.work / "archive"
        for suite in ("trixie", "trixie-updates"):
            self.release(suite, f"{suite} as of Monday")

    def tearDown(self):
        subprocess.run(["rm", "-rf", str(self.work)], check=True)

    def release(self, suite, text):
        folder = self.archive / "dists" / suite
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "InRelease").write_text(text)

    def sources(self, template, name="debian.sources"):
        path = self.work / name
        path.write_text(template.format(archive=self.archive.as_uri()))
        return str(path)

    def key(self, *arguments):
        run = subprocess.run([sys.executable, str(KEY), *arguments], stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True, check=False)
        return run.returncode, run.stdout.strip()

    def test_the_suites_of_both_formats(self):
        cases = [
            ("deb822, binary stanzas only", DEB822, ["trixie", "trixie-updates"]),
            ("one-line, options and comments left out", ONE_LINE, ["trixie"]),
        ]
        for what, template, expected in cases:
            with self.subTest(what):
                found = base_tarball_key.suites(template.format(archive="http://deb.example/debian"))
                self.assertEqual(found, [("http://deb.example/debian", suite) for suite in expected])

    def test_the_same_key_until_anything_changes(self):
        sources = self.sources(DEB822)
        status, before = self.key(sources, "--", "mmdebstrap 1.3.5")
        self.assertEqual((status, len(before)), (0, 32))
        self.assertEqual(self.key(sources, "--", "mmdebstrap 1.3.5"), (0, before), "unchanged: the kept tarball")
        changes = [
            ("an update in one suite", lambda: self.release("trixie-updates", "trixie-updates as of Tuesday"),
             lambda: self.key(sources, "--", "mmdebstrap 1.3.5")),
            ("another mmdebstrap", lambda: None, lambda: self.key(sources, "--", "mmdebstrap 1.5.7")),
            ("another source file", lambda: None,
             lambda: self.key(self.sources(ONE_LINE, "one-line.list"), "--", "mmdebstrap 1.3.5")),
        ]
        for what, change, key_after in changes:
            with self.subTest(what):
                change()
                status, after = key_after()
                self.assertEqual(status, 0)
                self.assertNotEqual(after, before)

    def test_no_key_when_a_suite_cannot_be_fetched(self):
        os.remove(self.archive / "dists" / "trixie-updates" / "InRelease")
        self.assertEqual(self.key(self.sources(DEB822), "--"), (1, ""))


if __name__ == "__main__":
    unittest.main()
