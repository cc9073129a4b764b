"""same_release.py: a release is exactly its files; two releases are the same
only if every file, every entry of a zip (its name, mode and time) and every
exe once unsigned are the same bytes; each release's checksums must hold."""
import hashlib
import io
import pathlib
import sys
import tempfile
import unittest
import zipfile
from contextlib import redirect_stdout

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import same_release  # noqa: E402

SIGNATURE = b"<signature>"
UNSIGNED_FILES = ["tarnwick_1.0-1_amd64.deb", "tarnwick-dbgsym_1.0-1_amd64.deb", "tarnwick_1.0.orig.tar.xz",
                  "tarnwick_1.0-1.dsc", "tarnwick_1.0-1.debian.tar.xz", "tarnwick_1.0-1_amd64.buildinfo",
                  "tarnwick_1.0-1_amd64.changes", "tarnwick-1.0-windows-x86.msi", "tarnwick-1.0-windows-x64.msi",
                  "tarnwick-1.0-web.zip"]
ZIPS = ["tarnwick-1.0-windows-x86.zip", "tarnwick-1.0-windows-x64.zip"]
EXE = "tarnwick-1.0-windows-x64/tarnwick.exe"


def write_zip(path, entries):
    """entries: (name, bytes or None for a folder, mode, date_time)"""
    with zipfile.ZipFile(path, "w") as archive:
        for name, data, mode, when in entries:
            info = zipfile.ZipInfo(name, when)
            info.external_attr = mode << 16
            archive.writestr(info, data if data is not None else b"")


def zip_entries(signed, exe_time=(2026, 1, 2, 3, 4, 6), guide=b"how to use it"):
    return [("tarnwick-1.0-windows-x64/", None, 0o40755, (2026, 1, 2, 3, 4, 6)),
            (EXE, b"MZ program" + (SIGNATURE if signed else b""), 0o100755, exe_time),
            ("tarnwick-1.0-windows-x64/user-guide.md", guide, 0o100644, (2026, 1, 2, 3, 4, 6))]


def write_release(folder, signed, zip_changes=None, file_changes=()):
    folder.mkdir(parents=True)
    for name in UNSIGNED_FILES:
        data = name.encode() + (SIGNATURE if signed and name.endswith(".msi") else b"")
        (folder / name).write_bytes(data + (b"!" if name in file_changes else b""))
    for name in ZIPS:  # the changes to the 64-bit one
        write_zip(folder / name, zip_entries(signed, **(zip_changes or {}) if name == ZIPS[1] else {}))
    sums = "".join(f"{hashlib.sha256(p.read_bytes()).hexdigest()}  {p.name}\n" for p in sorted(folder.iterdir()))
    (folder / "SHA256SUMS").write_text(sums)
    if signed:
        (folder / "SHA256SUMS.asc").write_text("a signature")


def without_signature(signed, output):
    output.write_bytes(signed.read_bytes().removesuffix(SIGNATURE))


def compare(first, second, work):
    comparison = same_release.Comparison(without_signature, lambda a, b: None)
    msis = []

    def msi(name, a, b):  # as if each were built again from its exe
        msis.append(name)
        stripped = work / name
        work.mkdir(parents=True, exist_ok=True)
        without_signature(b, stripped)
        comparison.same(name, a, stripped)

    output = io.StringIO()
    with redirect_stdout(output):
        problems = same_release.compare_releases(first, second, work, comparison, msi)
    return problems, output.getvalue(), msis


class SameRelease(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = pathlib.Path(folder.name)

    def test_which_folders_are_releases(self):
        cases = [
            ("every file", [], False, []),
            ("signed, with the checksums' signature", [], True, []),
            ("signed, without it", ["SHA256SUMS.asc"], True, ["the checksums' signature (SHA256SUMS.asc): 0 files"]),
            ("a file missing", ["tarnwick-1.0-web.zip"], False, ["the web site (tarnwick-*-web.zip): 0 files"]),
        ]
        for case, (what, removed, signed, expected) in enumerate(cases):
            with self.subTest(what):
                release = self.folder / str(case)
                write_release(release, signed=True)
                if not signed:
                    (release / "SHA256SUMS.asc").unlink()
                for name in removed:
                    (release / name).unlink()
                problems = same_release.missing_or_unknown(release, signed)
                self.assertEqual(len(problems), len(expected), problems)
                for problem, part in zip(problems, expected):
                    self.assertIn(part, problem)
        release = self.folder / "extra"
        write_release(release, signed=False)
        (release / "notes.txt").write_text("left over")
        (release / "tarnwick_1.0-2_amd64.deb").write_text("a second package")
        problems = same_release.missing_or_unknown(release, signed=False)
        self.assertTrue(any("the Debian package (tarnwick_*.deb): 2 files" in p for p in problems), problems)
        self.assertTrue(any("notes.txt: not a file of a release" in p for p in problems), problems)

    def test_what_two_builds_must_share(self):
        cases = [
            ("the same, the second signed", {}, (), []),
            ("a byte of a file", {}, ["tarnwick_1.0-1_amd64.deb"], ["DIFFERENT: tarnwick_1.0-1_amd64.deb"]),
            ("a byte of an installer", {}, ["tarnwick-1.0-windows-x86.msi"], ["DIFFERENT: tarnwick-1.0-windows-x86.msi"]),
            ("an exe's time in a zip", {"exe_time": (2026, 1, 2, 3, 4, 8)}, (),
             ["DIFFERENT: tarnwick-1.0-windows-x64.zip: the files, their modes and times"]),
            ("a file in a zip", {"guide": b"how to use it!"}, (),
             ["DIFFERENT: tarnwick-1.0-windows-x64.zip: tarnwick-1.0-windows-x64/user-guide.md"]),
        ]
        for case, (what, zip_changes, file_changes, expected) in enumerate(cases):
            with self.subTest(what):
                first, second = self.folder / f"{case}-first", self.folder / f"{case}-second"
                write_release(first, signed=False)
                write_release(second, signed=True, zip_changes=zip_changes, file_changes=file_changes)
                problems, said, msis = compare(first, second, self.folder / f"{case}-work")
                self.assertEqual(msis, ["tarnwick-1.0-windows-x64.msi", "tarnwick-1.0-windows-x86.msi"])
                self.assertIn(f"same bytes: {ZIPS[1]}: {EXE}, unsigned", said)
                self.assertEqual([line for line in said.splitlines() if line.startswith("DIFFERENT")], expected)
                self.assertEqual(bool(problems), bool(expected), problems)

    def test_checksums_that_do_not_hold(self):
        first, second = self.folder / "first", self.folder / "second"
        write_release(first, signed=False)
        write_release(second, signed=True)
        (second / "tarnwick-1.0-web.zip").write_bytes(b"changed after its checksum")
        (first / "SHA256SUMS").write_text("".join(
            line + "\n" for line in (first / "SHA256SUMS").read_text().splitlines() if "dsc" not in line))
        problems, _, _ = compare(first, second, self.folder / "work")
        self.assertIn(f"{first}: tarnwick_1.0-1.dsc is not in SHA256SUMS", problems)
        self.assertIn(f"{second}: SHA256SUMS does not hold for tarnwick-1.0-web.zip", problems)


if __name__ == "__main__":
    unittest.main()
