#!/usr/bin/python3
"""tarnwick.exe as a file: a GUI program of the expected kind that imports
only DLLs that Windows always takes from its own directory (everything else
is loaded from there when it is needed), carries its version record, icon,
manifest, logo and cursor, and is handed out in a zip named with the
version.

    windows_exe_test.py <mingw triplet> path/to/tarnwick.exe <build folder>
"""
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "../../testing"))
from checks import check, finish  # noqa: E402

# Windows looks beside the exe first for any imported DLL that is not one of
# its KnownDLLs, before the program's first line runs. These are Windows 10's
# (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs), less the
# WOW64 and emulation layers, with ntdll and kernelbase, which Windows takes
# from the system directory whatever the list says.
KNOWN_DLLS = set("""advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 kernelbase
    msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32
    wldap32 ws2_32""".split())
triplet, exe, build = sys.argv[1:4]
x86 = triplet.startswith("i686-")
zip_name = "windows-x86" if x86 else "windows-x64"


def output(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, check=False, **options).stdout


headers = output(f"{triplet}-objdump", "-p", exe)
# As the PE header says it (file(1) words it otherwise in each release).
kind = [re.search(r"file format (\S+)", headers).group(1), re.search(r"^Magic\s+\S+\s+\((\S+)\)", headers, re.M)
        .group(1), " ".join(re.search(r"^Subsystem\s+\S+\s+\((.*)\)", headers, re.M).group(1).split()[:2])]
check("PE kind", " ".join(kind), "pei-i386 PE32 Windows GUI" if x86 else "pei-x86-64 PE32+ Windows GUI")
imports = {name.lower().removesuffix(".dll") for name in re.findall(r"DLL Name: (\S+)", headers)}
check("imports only KnownDLLs", sorted(imports - KNOWN_DLLS), [])

# Hardened: ASLR (high-entropy on 64-bit), DEP, and mingw-w64's stack
# protector, linked in (it takes its random guard from advapi32).
flags = re.search(r"^DllCharacteristics.*\n((?:\t\t.*\n)*)", headers, re.M).group(1).split()
expected = ["DYNAMIC_BASE", "NX_COMPAT"] if x86 else ["DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT"]
check("ASLR and DEP" if x86 else "ASLR, high-entropy ASLR and DEP", sorted(flags), expected)
check("stack protector", len(re.findall(r" T ___*stack_chk_fail$", output(f"{triplet}-nm", exe), re.M)), 1)
# No link time in the header: the same sources give the same bytes.
check("no link time", re.search(r"^Time/Date\t+(.*)", headers, re.M).group(1), "Thu Jan  1 00:00:00 1970")

# The version record and the icon, read back field by field.
resource_test = subprocess.run([os.path.join(HERE, "../../resources/tests/windows_resource_test.sh"),
                                f"{triplet}-windres", exe], check=False)
check("the version record and the icon", resource_test.returncode, 0)
resources = output(f"{triplet}-windres", "--input", exe, "--input-format", "coff", "--output-format", "rc")
check("manifest", resources.count("/* RT_MANIFEST */"), 1)
check("the logo at 96, 144, 192 and 288 dots per inch", resources.count("/* RT_BITMAP */"), 4)
check("the link cursor at 32, 48, 64 and 96 pixels, hot spots 6, 9, 12 and 18, 0",
      re.findall(r"Hotspot x: (\d+), y: (\d+)", resources), [("6", "0"), ("9", "0"), ("12", "0"), ("18", "0")])

# The zip that cpack writes.
with tempfile.TemporaryDirectory() as work:
    packed = subprocess.run(["cpack", "-G", "ZIP", "-B", f"{work}/package"], cwd=build, capture_output=True,
                            text=True, check=False)
    if packed.returncode:
        print(packed.stdout, packed.stderr)
    archive = f"{work}/package/tarnwick-1.0.0.1-{zip_name}.zip"
    check("zip named with the version", os.path.isfile(archive), True)
    folder = f"tarnwick-1.0.0.1-{zip_name}"
    check("zip holds the exe, the licence and the user guide",
          sorted(output("cmake", "-E", "tar", "tf", archive).split()),
          [f"{folder}/LICENSE", f"{folder}/tarnwick.exe", f"{folder}/user-guide.txt"])
    subprocess.run(["cmake", "-E", "tar", "xf", archive], cwd=work, check=False)
    handed_out = f"{work}/{folder}/tarnwick.exe"
    size = os.path.getsize(handed_out) if os.path.exists(handed_out) else 0
    check(f"the exe handed out is under 1 MB ({size} bytes)", 0 < size < 1048576, True)
finish()
