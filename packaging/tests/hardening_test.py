#!/usr/bin/python3
"""The Linux program as Debian's hardening-check sees it: position-independent,
stack-protected, fortified, with read-only relocations bound at start, and
built for the control-flow protection its processor has (x86's CET, arm64's
pointer authentication and branch targets). Any architecture's program: its
code is read with the objdump for it.

    hardening_test.py path/to/tarnwick [its debugging symbols]

A stripped program (a package's) is read with its debugging symbols (the
.debug file of its -dbgsym package), which say where its main is.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../testing"))
from checks import check, finish  # noqa: E402

binary = sys.argv[1]
symbols = sys.argv[2] if len(sys.argv) > 2 else binary


def output(*command):
    return subprocess.run(command, capture_output=True, text=True, check=False).stdout


report = subprocess.run(["hardening-check", "--nocfprotection", binary], stdout=subprocess.PIPE,
                        stderr=subprocess.STDOUT, text=True, check=False).stdout
print(report)


def said(what):
    found = re.search(rf" {re.escape(what)}: (.*)", report)
    return found.group(1) if found else ""


def first(what):
    return said(what).split(",")[0]


check("position-independent executable", first("Position Independent Executable"), "yes")
check("stack protector", first("Stack protected"), "yes")
# Fortified where the compiler can bound a copy; the program's few calls to
# memcpy, memmove and memset copy into objects whose size only the running
# program knows, which hardening-check counts as "only unprotected functions".
fortified = said("Fortify Source functions")
check("fortified functions, where any can be",
      fortified.startswith("yes") or fortified == "no, only unprotected functions found!", True)
check("read-only relocations", first("Read-only relocations"), "yes")
check("immediate binding", first("Immediate binding"), "yes")
# "unknown" where no function of ours has a frame large enough to need probes.
check("stack clash protection, where it applies", first("Stack clash protection") in ("yes", "unknown"), True)
# hardening-check asks for the control-flow property of the whole binary,
# which the linker gives only if every object has it, and Debian 12's start
# files (Scrt1.o, crti.o) do not: so the program's own code is looked at, for
# the instruction that opens a protected function.
machine = re.search(r"Machine:\s*(.*)", output("readelf", "-h", binary)).group(1)
objdump, opening = next(((tool, pattern) for kind, tool, pattern in (
    ("X86-64", "objdump", r"endbr(64|32)"), ("80386", "objdump", r"endbr(64|32)"),
    ("AArch64", "aarch64-linux-gnu-objdump", r"paciasp|bti")) if kind in machine), (None, None))
if objdump:
    start, size = next(line.split()[:2] for line in output("nm", "-S", "--defined-only", symbols).splitlines()
                       if line.split()[3:4] == ["main"])
    code = output(objdump, "-d", f"--start-address=0x{start}", f"--stop-address={int(start, 16) + int(size, 16)}",
                  binary)
    check("control-flow protection of the program's code", bool(re.search(opening, code)), True)
else:
    print("skipped: control-flow protection, which this processor does not have")
finish()
