#!/usr/bin/python3
"""A release signed with keys made for the test, and one made without keys,
as the person who downloads them checks them: the checksums' OpenPGP
signature with gpg, each exe's and installer's Authenticode signature with
osslsigncode against the test's certificate authority, a changed byte found
out by each; and the signed programs still run under Wine, the signed
installer installs.

    release_signing_test.py [--unsigned <release without keys> <what scripts/release said making it>]
                            <signed release> <folder of make_throwaway_keys.sh>
"""
import getpass
import glob
import os
import re
import subprocess
import sys

TESTING = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TESTING)
from checks import check, finish  # noqa: E402
from x_window import Session, find_window, fresh_wine_prefix, run  # noqa: E402

arguments = sys.argv[1:]
unsigned = unsigned_log = None
if arguments[:1] == ["--unsigned"]:
    unsigned, unsigned_log, arguments = os.path.realpath(arguments[1]), arguments[2], arguments[3:]
signed, keys = (os.path.realpath(argument) for argument in arguments)


def output(*command):
    return subprocess.run(command, capture_output=True, text=True, check=False).stdout


def unpack(release, name):
    """Every tarnwick.exe of a release, unpacked from its zips and installers."""
    for file in sorted(glob.glob(f"{release}/*-windows-*.zip") + glob.glob(f"{release}/*.msi")):
        folder = session.file(f"{name}/{os.path.basename(file)}")
        os.makedirs(folder)
        if file.endswith(".zip"):
            subprocess.run(["cmake", "-E", "tar", "xf", file], cwd=folder, check=False)
        else:
            subprocess.run(["msiextract", "-C", folder, file], stdout=subprocess.DEVNULL, check=False)
    return sorted(glob.glob(session.file(f"{name}/**/tarnwick.exe"), recursive=True))


def verify(file):
    """What osslsigncode says of a file's Authenticode signature."""
    return subprocess.run(["osslsigncode", "verify", "-CAfile", f"{keys}/ca.crt", "-in", file], stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, check=False).stdout


def same_bytes(first, second):
    if not (os.path.isfile(first) and os.path.isfile(second)):
        return False
    with open(first, "rb") as one, open(second, "rb") as other:
        return one.read() == other.read()


def verified(file):
    return "Signature verification: ok" in verify(file).splitlines()


def with_a_byte_changed(file, offset):
    copy = session.file(f"changed-{os.path.basename(file)}")
    with open(file, "rb") as original:
        data = bytearray(original.read())
    data[offset] = (data[offset] + 1) % 256
    with open(copy, "wb") as changed:
        changed.write(data)
    return copy


def good_signature(signature, file):
    """The fingerprint of the key that made the signature, if it is good."""
    status = subprocess.run(["gpg", "--batch", "--status-fd", "1", "--verify", signature, file], capture_output=True,
                            text=True, check=False).stdout
    found = re.search(r"^\[GNUPG:\] VALIDSIG (\S+)", status, re.M)
    return found.group(1) if found else ""


def relative(file, release, name):
    return os.path.relpath(file, session.file(name)) if file.startswith(session.folder) else \
        os.path.relpath(file, release)


with Session() as session:
    os.environ.update(GNUPGHOME=f"{keys}/gnupg", WINEPREFIX=session.file("prefix"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    # ---- Without keys: nothing is signed, and the release says so -------------------------
    if unsigned:
        check("a release without keys: no signature of the checksums", glob.glob(f"{unsigned}/*.asc"), [])
        with open(unsigned_log, encoding="utf-8", errors="replace") as file:
            said = file.read().splitlines()
        check("it says SHA256SUMS is unsigned", sum(line.startswith("SHA256SUMS is unsigned") for line in said), 1)
        check("it says the Windows files are unsigned",
              sum(line.startswith("The Windows files are unsigned") for line in said), 1)
        for file in unpack(unsigned, "unsigned") + sorted(glob.glob(f"{unsigned}/*.msi")):
            extracted = subprocess.run(["osslsigncode", "extract-signature", "-in", file, "-out",
                                        session.file("signature")], capture_output=True, check=False).returncode
            check(f"no signature: {relative(file, unsigned, 'unsigned')}", extracted == 0, False)

    # ---- The checksums, signed with OpenPGP ----------------------------------------------
    fingerprint = next(line.split(":")[9] for line in output(
        "gpg", "--batch", "--with-colons", "--list-secret-keys").splitlines() if line.startswith("fpr:"))
    checksums = f"{signed}/SHA256SUMS"
    check("gpg --verify SHA256SUMS.asc SHA256SUMS: a good signature by the release key",
          good_signature(f"{checksums}.asc", checksums), fingerprint)
    with open(f"{checksums}.asc", encoding="ascii") as file:
        check("the signature is armoured", file.readline().strip(), "-----BEGIN PGP SIGNATURE-----")
    check("sha256sum -c SHA256SUMS: every file as listed",
          subprocess.run(["sha256sum", "--quiet", "-c", "SHA256SUMS"], cwd=signed, check=False).returncode, 0)
    with open(checksums, encoding="utf-8") as file:
        listed = [line.split()[1] for line in file if line.strip()]
    check("SHA256SUMS lists every file but itself and its signature", listed,
          sorted(set(os.listdir(signed)) - {"SHA256SUMS", "SHA256SUMS.asc"}))
    check("SHA256SUMS with a byte changed: no good signature",
          good_signature(f"{checksums}.asc", with_a_byte_changed(checksums, 10)), "")

    # ---- Every exe and installer, signed with Authenticode ---------------------------------
    signed_exes = unpack(signed, "signed")
    check("a tarnwick.exe in each zip and installer", len(signed_exes), 4)
    for file in signed_exes + sorted(glob.glob(f"{signed}/*.msi")):
        name = relative(file, signed, "signed")
        report = verify(file)
        check(f"osslsigncode verify accepts {name}", report.splitlines().count("Signature verification: ok"), 1)
        digest = re.search(r"^Message digest algorithm\s*:\s*(\S+)", report, re.M)
        check(f"{name}: SHA-256", digest and digest.group(1), "SHA256")
        signer = re.search(r"Subject:\s*(.*)", report)
        check(f"{name}: the signer named", signer and signer.group(1).strip(), "/CN=Tarnwick throwaway signer/O=Velmor")
        description = re.search(r"Text description:\s*(.*)", report)
        check(f"{name}: the program named", description and description.group(1).strip(), "Tarnwick")

    def exe_in(kind, arch):
        return next(iter(glob.glob(session.file(f"signed/*-windows-{arch}.{kind}/**/tarnwick.exe"), recursive=True)),
                    "")

    for arch in ("x86", "x64"):
        check(f"the {arch} installer holds the signed exe of the {arch} zip",
              same_bytes(exe_in("zip", arch), exe_in("msi", arch)), True)
    check("tarnwick.exe with a byte changed in its code: rejected",
          verified(with_a_byte_changed(exe_in("zip", "x64"), 4096)), False)
    # An installer's signature covers its streams, not the free space between
    # them: the byte changed is in the first of the maker's names.
    msi = glob.glob(f"{signed}/*-windows-x64.msi")[0]
    with open(msi, "rb") as file:
        maker = file.read().find(b"Velmor")
    check("the installer with a byte changed: rejected", verified(with_a_byte_changed(msi, maker)), False)

    # ---- Signed, they still run under Wine ---------------------------------------------------
    # Each architecture that Wine runs here (32-bit programs need wine32 and a
    # kernel that runs them: asked of Wine with a program that says it runs).
    session.x_server(96)
    fresh_wine_prefix(os.environ["WINEPREFIX"])
    subprocess.run(["wineserver", "-w"], check=False)
    installed = os.path.join(os.environ["WINEPREFIX"], "drive_c/users", getpass.getuser(),
                             "AppData/Local/Programs/Tarnwick/tarnwick.exe")
    for arch, triplet in (("x86", "i686-w64-mingw32"), ("x64", "x86_64-w64-mingw32")):
        # Not building the probe is a fault of this test, not a Wine that cannot run it.
        probe = session.file(f"says-it-runs-{arch}.exe")
        built = subprocess.run([f"{triplet}-g++-posix", "-static", "-o", probe,
                                os.path.join(TESTING, "..", "cmake", "says_it_runs.cpp")], check=False).returncode
        check(f"the {arch} probe of Wine builds", built, 0)
        if run("wine", probe).replace("\r", "") != "runs":
            print(f"skipped: Wine cannot run {arch} programs here")
            continue
        session.start(["wine", exe_in("zip", arch)])
        check(f"the signed {arch} exe runs under Wine: its window appears", bool(find_window(seconds=60)), True)
        subprocess.run(["wineserver", "-k"], check=False)
        subprocess.run(["wineserver", "-w"], check=False)
        msi = glob.glob(f"{signed}/*-windows-{arch}.msi")[0]
        check(f"the signed {arch} installer installs", subprocess.run(["wine", "msiexec", "/i", msi, "/qn"],
                                                                      check=False).returncode, 0)
        subprocess.run(["wineserver", "-w"], check=False)
        check("what it installs is the signed exe", same_bytes(exe_in("zip", arch), installed), True)
        subprocess.run(["wine", "msiexec", "/x", msi, "/qn"], check=False)
        subprocess.run(["wineserver", "-w"], check=False)
    subprocess.run(["wineserver", "-k"], check=False)

finish()
