"""The name under which a base tarball of a Debian release is kept for a
later run, so that the Debian package's checks make a new one only when the
archive has changed.

    base_tarball_key.py <apt source file...> -- <what else makes the tarball...>

Prints a hash of everything the tarball is made from: the apt source files
(one-line or deb822), the InRelease file of every suite they name, fetched
now from its archive, and the rest of the arguments (mmdebstrap's version
and options, say). A suite's InRelease holds the hashes of all its package
lists, so the same InRelease files mean the same packages: the tarball made
then is the one that would be made now. Exits 1, printing nothing, if any
InRelease cannot be fetched: the caller then makes the tarball afresh.
"""
import hashlib
import sys
import urllib.error
import urllib.request


def suites(text):
    """The (archive URI, suite) pairs of an apt source file's binary sources."""
    found = []
    if any(line.startswith(("Types:", "URIs:")) for line in text.splitlines()):
        for stanza in text.split("\n\n"):
            fields = {}
            for line in stanza.splitlines():
                if ":" in line and not line.startswith(("#", " ", "\t")):
                    name, value = line.split(":", 1)
                    fields[name.strip().lower()] = value.split()
            if "deb" in fields.get("types", []) and fields.get("enabled", ["yes"]) != ["no"]:
                found += [(uri, suite) for uri in fields.get("uris", []) for suite in fields.get("suites", [])]
    else:
        for line in text.splitlines():
            words = line.split("#", 1)[0].split()
            if words[:1] == ["deb"]:
                words = [word for word in words[1:] if not word.startswith("[")]  # [signed-by=…] and the like
                if len(words) >= 2:
                    found.append((words[0], words[1]))
    return found


def key(source_files, others, fetch):
    digest = hashlib.sha256()
    for path in source_files:
        with open(path, encoding="utf-8") as file:
            text = file.read()
        digest.update(text.encode())
        for uri, suite in suites(text):
            digest.update(fetch(f"{uri.rstrip('/')}/dists/{suite}/InRelease"))
    for other in others:
        digest.update(b"\0" + other.encode())
    return digest.hexdigest()[:32]


def fetch(url):
    with urllib.request.urlopen(url, timeout=60) as response:
        return response.read()


def main():
    if "--" not in sys.argv[1:]:
        sys.exit(__doc__)
    split = sys.argv.index("--")
    try:
        print(key(sys.argv[1:split], sys.argv[split + 1:], fetch))
    except (OSError, urllib.error.URLError) as error:
        print(f"base_tarball_key.py: {error}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
