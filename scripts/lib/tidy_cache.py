"""clang-tidy over a build's sources, keeping each file's clean verdict so
that a later run skips the files whose input has not changed.

    tidy_cache.py [--clang-tidy PROGRAM] <build folder> <source...>

A verdict is kept under the hash of everything clang-tidy read for the file:
its version, the project's .clang-tidy, the file's compile command, the
file with every header it includes (the compiler's preprocessed output) and
each of those files as it stands, comments and all (a NOLINT changes a
verdict). So a change to the file, to any header it reaches, to its flags,
to the checks or to clang-tidy itself has it checked again. The source and build folders'
own paths are left out of the hash, so that another clone finds the verdicts
too. Only clean verdicts are kept: a file with findings is always checked
again. They are kept in ${TARNWICK_CACHE:-~/.cache/tarnwick}/clang-tidy.

Runs as many clang-tidy processes at once as there are processors, prints
what each says, and exits 1 if any found something.
"""
import concurrent.futures
import hashlib
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys

# Flags that name the compiler's outputs: left out when only preprocessing.
OUTPUT_FLAGS_WITH_VALUE = {"-o", "-MF", "-MT", "-MQ"}
OUTPUT_FLAGS = {"-c", "-MD", "-MMD"}
# The preprocessor's note of the file the lines that follow come from.
LINE_MARKER = re.compile(rb'^# [0-9]+ "([^"]+)"', re.MULTILINE)


def cache_folder():
    base = os.environ.get("TARNWICK_CACHE") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "tarnwick")
    return pathlib.Path(base) / "clang-tidy"


def compile_arguments(entry):
    return entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])


def preprocessing_arguments(arguments):
    """The compile command made to print the preprocessed file instead."""
    kept = []
    skip_next = False
    for argument in arguments:
        if skip_next:
            skip_next = False
        elif argument in OUTPUT_FLAGS_WITH_VALUE:
            skip_next = True
        elif argument in OUTPUT_FLAGS or any(
                argument.startswith(flag) and argument != flag for flag in OUTPUT_FLAGS_WITH_VALUE):
            pass
        else:
            kept.append(argument)
    return kept + ["-E", "-o", "-"]


def verdict_key(entry, tidy_version, tidy_config, source_root, build_root):
    """The hash of what clang-tidy reads for this file, or None if the
    preprocessor fails (then the file is simply checked)."""
    arguments = compile_arguments(entry)
    run = subprocess.run(preprocessing_arguments(arguments), cwd=entry["directory"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False)
    if run.returncode != 0:
        return None

    def relative(data):
        # The build folder first: it may lie inside the source folder.
        return data.replace(os.fsencode(build_root), b"<build>").replace(os.fsencode(source_root), b"<source>")

    # The preprocessed text has no comments, and a comment can change the
    # verdict (NOLINT): every file it came from is read as it stands too.
    read = sorted(set(LINE_MARKER.findall(run.stdout)))
    files = [pathlib.Path(entry["directory"], os.fsdecode(name)) for name in read]
    contents = [relative(os.fsencode(str(file))) + b"\0" + file.read_bytes() for file in files if file.is_file()]

    digest = hashlib.sha256()
    for part in (tidy_version, tidy_config, relative(os.fsencode(json.dumps(arguments))),
                 relative(os.fsencode(entry["file"])), relative(run.stdout), *contents):
        digest.update(len(part).to_bytes(8, "little"))
        digest.update(part)
    return digest.hexdigest()


def tidy(clang_tidy, build, source):
    run = subprocess.run([clang_tidy, "-p", str(build), "--quiet", source],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False)
    return run.returncode, run.stdout.decode(errors="replace")


def main(argv):
    clang_tidy = "clang-tidy"
    if argv[:1] == ["--clang-tidy"]:
        clang_tidy, argv = argv[1], argv[2:]
    if len(argv) < 1:
        sys.exit(__doc__)
    build = pathlib.Path(argv[0]).resolve()
    sources = [str(pathlib.Path(source).resolve()) for source in argv[1:]]
    source_root = pathlib.Path.cwd().resolve()
    entries = {entry["file"]: entry for entry in json.loads((build / "compile_commands.json").read_text())}
    tidy_version = subprocess.run([clang_tidy, "--version"], stdout=subprocess.PIPE, check=True).stdout
    tidy_config = (source_root / ".clang-tidy").read_bytes() if (source_root / ".clang-tidy").exists() else b""
    cache = cache_folder()
    cache.mkdir(parents=True, exist_ok=True)

    def check(source):
        key = None
        if source in entries:
            key = verdict_key(entries[source], tidy_version, tidy_config, str(source_root), str(build))
        if key and (cache / key).exists():
            return source, 0, "", True
        status, output = tidy(clang_tidy, build, source)
        if status == 0 and key:
            (cache / key).write_text(os.path.relpath(source, source_root) + "\n")
        return source, status, output, False

    failed = reused = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        for source, status, output, cached in pool.map(check, sources):
            sys.stdout.write(output)
            reused += cached
            if status != 0:
                failed += 1
                print(f"clang-tidy: findings in {os.path.relpath(source, source_root)}")
    print(f"clang-tidy: {len(sources) - reused} file(s) checked, {reused} unchanged since a clean verdict")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
