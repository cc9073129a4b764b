"""The files a release is made of, and whether two builds of one source gave
the same bytes (scripts/check-reproducible).

    same_release.py <first release> <second release, signed> <work folder> <source tree> <CA certificate>

Every file is compared as it is, but for the signed ones: each tarnwick.exe
of the second, its signature taken away, must be the first's; each of its
installers must be what its signed exe gives when built again here, with
the installer's signature put back. Each release's SHA256SUMS must hold for
its own files. Where something differs, diffoscope shows how. Exits with 1
if anything differs or a release is not the files it should be.
"""

import fnmatch
import hashlib
import pathlib
import shutil
import subprocess
import sys
import zipfile
from collections.abc import Callable

# Every file of a release (scripts/release), by what it is.
RELEASE_FILES = {
    "the Debian package": "tarnwick_*.deb",
    "its debugging information": "tarnwick-dbgsym_*.deb",
    "the source": "tarnwick_*.orig.tar.xz",
    "the Debian source package": "tarnwick_*.dsc",
    "its Debian folder": "tarnwick_*.debian.tar.xz",
    "what the Debian package was built with": "tarnwick_*.buildinfo",
    "the Debian upload": "tarnwick_*.changes",
    "32-bit Windows, the program": "tarnwick-*-windows-x86.zip",
    "32-bit Windows, the installer": "tarnwick-*-windows-x86.msi",
    "64-bit Windows, the program": "tarnwick-*-windows-x64.zip",
    "64-bit Windows, the installer": "tarnwick-*-windows-x64.msi",
    "the web site": "tarnwick-*-web.zip",
    "the checksums": "SHA256SUMS",
}
# And in a release made with an OpenPGP key.
SIGNED_FILES = {"the checksums' signature": "SHA256SUMS.asc"}


def missing_or_unknown(release: pathlib.Path, signed: bool) -> list[str]:
    """What keeps the folder from being a release: a file missing, twice or unknown."""
    expected = RELEASE_FILES | (SIGNED_FILES if signed else {})
    names = sorted(p.name for p in release.iterdir())
    problems = []
    for what, pattern in expected.items():
        matches = [n for n in names if fnmatch.fnmatchcase(n, pattern)]
        if len(matches) != 1:
            problems.append(f"{release}: {what} ({pattern}): {len(matches)} files, expected 1")
    for name in names:
        if not any(fnmatch.fnmatchcase(name, p) for p in expected.values()):
            problems.append(f"{release}: {name}: not a file of a release")
    return problems


def checksums_hold(release: pathlib.Path) -> list[str]:
    """Each file that SHA256SUMS lists, as it lists it; and every file but the checksums listed."""
    problems = []
    listed = set()
    for line in (release / "SHA256SUMS").read_text().splitlines():
        digest, name = line.split(maxsplit=1)
        name = name.removeprefix("*")
        listed.add(name)
        path = release / name
        if not path.is_file() or hashlib.sha256(path.read_bytes()).hexdigest() != digest:
            problems.append(f"{release}: SHA256SUMS does not hold for {name}")
    for path in release.iterdir():
        if path.name not in listed and not path.name.startswith("SHA256SUMS"):
            problems.append(f"{release}: {path.name} is not in SHA256SUMS")
    return problems


class Comparison:
    """Says of each pair of files whether they are the same bytes, and counts those that are not."""

    def __init__(self, unsigned: Callable[[pathlib.Path, pathlib.Path], None],
                 show_difference: Callable[[pathlib.Path, pathlib.Path], None]):
        self.unsigned = unsigned  # unsigned(signed file, output): the file without its Authenticode signature
        self.show_difference = show_difference
        self.different = 0

    def same(self, what: str, first: pathlib.Path, second: pathlib.Path) -> None:
        if first.read_bytes() == second.read_bytes():
            print(f"same bytes: {what}")
        else:
            print(f"DIFFERENT: {what}")
            self.show_difference(first, second)
            self.different += 1

    def same_zip(self, name: str, first: pathlib.Path, second: pathlib.Path, work: pathlib.Path) -> None:
        """The same entries, with the same names, modes and times, and the same contents, each
        tarnwick.exe of the second once its signature is taken away."""
        listings, folders = [], []
        for place, archive in (("first", first), ("second", second)):
            folder = work / "unpacked" / place / name
            folder.mkdir(parents=True, exist_ok=True)
            with zipfile.ZipFile(archive) as unpacked:
                entries = unpacked.infolist()
                unpacked.extractall(folder)
            listing = folder.parent / f"{name}.entries"
            listing.write_text("".join(
                f"{e.filename} {e.external_attr >> 16:o} {'%04d-%02d-%02d %02d:%02d:%02d' % e.date_time}\n"
                for e in entries))
            listings.append(listing)
            folders.append(folder)
        self.same(f"{name}: the files, their modes and times", *listings)
        with zipfile.ZipFile(first) as unpacked:
            members = [e.filename for e in unpacked.infolist() if not e.is_dir()]
        for member in members:
            ours, theirs = folders[0] / member, folders[1] / member
            if not theirs.is_file():
                continue  # the listing has said so
            if member.endswith(".exe"):
                stripped = theirs.with_name(theirs.name + ".unsigned")
                self.unsigned(theirs, stripped)
                self.same(f"{name}: {member}, unsigned", ours, stripped)
            else:
                self.same(f"{name}: {member}", ours, theirs)


def run(*command: str | pathlib.Path) -> None:
    subprocess.run([str(c) for c in command], check=True, stdout=subprocess.DEVNULL)


def remove_signature(signed: pathlib.Path, output: pathlib.Path) -> None:
    run("osslsigncode", "remove-signature", "-in", signed, "-out", output)


def diffoscope(first: pathlib.Path, second: pathlib.Path) -> None:
    shown = subprocess.run(["diffoscope", "--text", "-", str(first), str(second)], stdout=subprocess.PIPE,
                           text=True, errors="replace")
    print("\n".join(shown.stdout.splitlines()[:200]))


def only_exe(folder: pathlib.Path) -> pathlib.Path:
    found = list(folder.rglob("tarnwick.exe"))
    if len(found) != 1:
        raise SystemExit(f"{folder}: {len(found)} tarnwick.exe, expected 1")
    return found[0]


def same_msi(comparison: Comparison, name: str, first: pathlib.Path, second: pathlib.Path, work: pathlib.Path,
             source: pathlib.Path, ca: pathlib.Path) -> None:
    """An installer is the bytes its exe gives: each is built again here, from the exe it holds,
    and the second's signature is put back."""
    arch = name.split("-windows-")[1].removesuffix(".msi")
    version = name.split("-")[1]
    rebuilt = {}
    for place, msi in (("first", first), ("second", second)):
        output = work / "rebuilt" / place / name
        files = output.with_name(output.name + ".files")
        files.mkdir(parents=True, exist_ok=True)
        run("msiextract", "-C", files, msi)
        run("cmake", f"-DWIXL={shutil.which('wixl')}", f"-DMSIBUILD={shutil.which('msibuild')}",
            f"-DFAKETIME={shutil.which('faketime')}", f"-DEXE={only_exe(files)}", f"-DLICENCE={source}/LICENSE",
            f"-DGUIDE={source}/docs/user-guide.md", f"-DICON={source}/resources/tarnwick.ico", f"-DARCH={arch}",
            f"-DVERSION={version}", f"-DOUTPUT={output}", "-P", source / "packaging/windows/make_msi.cmake")
        rebuilt[place] = output
    comparison.same(f"{name}, built again from its exe", first, rebuilt["first"])
    signature = rebuilt["second"].with_name(name + ".signature")
    signed = rebuilt["second"].with_name(name + ".signed")
    run("osslsigncode", "extract-signature", "-in", second, "-out", signature)
    run("osslsigncode", "attach-signature", "-sigin", signature, "-CAfile", ca, "-in", rebuilt["second"],
        "-out", signed)
    comparison.same(f"{name}, signed, built again from its exe with its signature", second, signed)
    # And that exe is the unsigned one of the first release.
    stripped = rebuilt["second"].with_name(name + ".exe")
    comparison.unsigned(only_exe(rebuilt["second"].with_name(name + ".files")), stripped)
    comparison.same(f"{name}: tarnwick.exe, unsigned", only_exe(rebuilt["first"].with_name(name + ".files")),
                    stripped)


def compare_releases(first: pathlib.Path, second: pathlib.Path, work: pathlib.Path, comparison: Comparison,
                     msi: Callable[[str, pathlib.Path, pathlib.Path], None]) -> list[str]:
    """Compares every file of the two releases, the first without keys and the second signed;
    returns what keeps them from being the same release."""
    problems = missing_or_unknown(first, signed=False) + missing_or_unknown(second, signed=True)
    if problems:
        return problems
    for path in sorted(first.iterdir()):
        name = path.name
        if name == "SHA256SUMS":
            continue  # lists the signed files in the second: checked against each release
        if fnmatch.fnmatchcase(name, "*-windows-*.zip"):
            comparison.same_zip(name, path, second / name, work)
        elif name.endswith(".msi"):
            msi(name, path, second / name)
        else:
            comparison.same(name, path, second / name)
    problems += checksums_hold(first) + checksums_hold(second)
    if comparison.different:
        problems.append(f"{comparison.different} file(s) differ between two builds of the same source")
    return problems


def main(first: str, second: str, work: str, source: str, ca: str) -> int:
    comparison = Comparison(remove_signature, diffoscope)
    work_folder = pathlib.Path(work)
    problems = compare_releases(
        pathlib.Path(first), pathlib.Path(second), work_folder, comparison,
        lambda name, a, b: same_msi(comparison, name, a, b, work_folder, pathlib.Path(source), pathlib.Path(ca)))
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print("the release is reproducible: two builds gave the same bytes, the signed ones once unsigned")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 6:
        raise SystemExit(__doc__)
    sys.exit(main(*sys.argv[1:]))
