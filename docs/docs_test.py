"""Keeps the project's documents true to the tree and easy to read: every
relative link leads to a file (and a heading, where it names one), every
file or folder of the project that a document names in `code` exists, every
preset it names is one of CMakePresets.json, the README stays short enough
to read in a minute, and the sentences are short: one idea each.

    docs_test.py [project folder]
"""
import json
import pathlib
import re
import sys
import unittest

PROJECT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
README_LINES = 120
# Words a sentence: the documents' mean, and the longest one.
MEAN_WORDS = 18
MOST_WORDS = 50

LINK = re.compile(r"\[[^\]]*\]\(([^)\s]+)\)")
CODE = re.compile(r"`([^`\n]+)`")
PRESET = re.compile(r"--preset[ =]([A-Za-z0-9_-]+)")
BRACES = re.compile(r"\{([^{}]*)\}")


def documents(project):
    return sorted([*project.glob("*.md"), *(project / "docs").glob("*.md")])


def anchor(heading):
    """The anchor a heading gets, as GitHub and most Markdown readers make it."""
    text = re.sub(r"[`*_]", "", heading.strip().lower())
    return re.sub(r"\s", "-", re.sub(r"[^\w\s-]", "", text))


def anchors(document):
    return {anchor(line.lstrip("#")) for line in document.read_text().splitlines() if line.startswith("#")}


def expanded(path):
    """a/{b,c}.txt as a/b.txt and a/c.txt."""
    match = BRACES.search(path)
    if not match:
        return [path]
    return [alternative for choice in match.group(1).split(",")
            for alternative in expanded(path[:match.start()] + choice + path[match.end():])]


def named_paths(text, top_folders):
    """The project paths a document names in code: those that begin with one
    of the project's own top-level folders, up to the first blank."""
    for code in CODE.findall(text):
        first = code.split()[0].rstrip(".,:;")
        if first.split("/")[0] in top_folders and "/" in first and "<" not in first and "*" not in first:
            yield from expanded(first)


def prose(text):
    """The document's running text: no code, tables, headings or comments;
    a link is its words, inline code one word, a list item a paragraph."""
    kept, fenced = [], False
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith(("```", "~~~")):
            fenced = not fenced
        elif fenced or line.startswith(("    ", "\t")) or stripped.startswith(("|", "#", "<!--")):
            continue
        elif re.match(r"([-*+]|\d+\.)\s", stripped):
            kept += ["", re.sub(r"^([-*+]|\d+\.)\s+", "", stripped)]
        else:
            kept.append(stripped)
    joined = re.sub(r"\]\([^)]*\)", "]", "\n".join(kept))
    return re.sub(r"`[^`]*`", "X", joined)


def sentence_lengths(text):
    """The words of each sentence: one ends at . ! or ? before a capital or an
    opening bracket or quote, or where its paragraph ends."""
    lengths = []
    for paragraph in re.split(r"\n\s*\n", prose(text)):
        for sentence in re.split(r"(?<=[.!?])\s+(?=[A-Z(\"'`*])", " ".join(paragraph.split())):
            words = re.findall(r"[\w'’%.,/-]+", sentence)
            if len(words) >= 3:
                lengths.append(len(words))
    return lengths


def broken_links(document, project):
    broken = []
    for target in LINK.findall(document.read_text()):
        if re.match(r"[a-z]+:", target):
            continue  # a web address or mail
        path, _, fragment = target.partition("#")
        linked = (document.parent / path).resolve() if path else document
        if not linked.exists():
            broken.append(f"{target}: no such file")
        elif fragment and linked.suffix == ".md" and fragment not in anchors(linked):
            broken.append(f"{target}: no such heading")
    return broken


def missing_paths(document, project):
    top_folders = {path.name for path in project.iterdir() if path.is_dir() and not path.name.startswith(".")}
    top_folders.discard("build")
    return [path for path in named_paths(document.read_text(), top_folders)
            if not (project / path.rstrip("/")).exists()]


def unknown_presets(document, project):
    presets = json.loads((project / "CMakePresets.json").read_text())
    known = {preset["name"] for kind in presets.values() if isinstance(kind, list) for preset in kind}
    return sorted(set(PRESET.findall(document.read_text())) - known)


class Documents(unittest.TestCase):
    def test_every_link_leads_somewhere(self):
        for document in documents(PROJECT):
            with self.subTest(document=document.name):
                self.assertEqual(broken_links(document, PROJECT), [])

    def test_every_named_file_exists(self):
        for document in documents(PROJECT):
            with self.subTest(document=document.name):
                self.assertEqual(missing_paths(document, PROJECT), [])

    def test_every_named_preset_exists(self):
        for document in documents(PROJECT):
            with self.subTest(document=document.name):
                self.assertEqual(unknown_presets(document, PROJECT), [])

    def test_the_readme_is_short(self):
        lines = len((PROJECT / "README.md").read_text().splitlines())
        self.assertLessEqual(lines, README_LINES, f"README.md has {lines} lines")

    def test_short_sentences(self):
        lengths = {document.name: sentence_lengths(document.read_text()) for document in documents(PROJECT)}
        every = [length for found in lengths.values() for length in found]
        self.assertLessEqual(sum(every) / len(every), MEAN_WORDS, "words a sentence, on average")
        for name, found in lengths.items():
            with self.subTest(document=name):
                self.assertLessEqual(max(found, default=0), MOST_WORDS, "words in its longest sentence")

    def test_each_document_opens_with_its_reader(self):
        # The line after the title says who the document is for.
        for document in (PROJECT / "docs").glob("*.md"):
            with self.subTest(document=document.name):
                opening = document.read_text().split("\n\n")[1]
                self.assertRegex(opening, r"^For ", "the first paragraph names its reader")


class Sentences(unittest.TestCase):
    def test_what_counts_as_a_sentence(self):
        cases = [
            ("two sentences", "One two three. Four five six seven.", [3, 4]),
            ("a list item is one of its own", "- one two three\n- four five six", [3, 3]),
            ("a paragraph ends one", "One two three\n\nfour five six", [3, 3]),
            ("an abbreviation before a small letter ends none", "Use e.g. the full stop here.", [6]),
            ("inline code is one word", "Run `cmake --workflow --preset dev` now.", [3]),
            ("a link is its words", "Read [the user guide](docs/user-guide.md) first.", [5]),
            ("no code, table or heading", "# A title here\n\n```\nrun it now please\n```\n\n| a | b | c |\n",
             []),
        ]
        for what, text, lengths in cases:
            with self.subTest(what):
                self.assertEqual(sentence_lengths(text), lengths)


class TheChecksThemselves(unittest.TestCase):
    """The checks find what they are for, in a project made up here."""

    def setUp(self):
        import tempfile
        self.folder = tempfile.TemporaryDirectory()
        self.project = pathlib.Path(self.folder.name)
        (self.project / "docs").mkdir()
        (self.project / "scripts").mkdir()
        (self.project / "scripts" / "run").write_text("")
        (self.project / "CMakePresets.json").write_text('{"configurePresets": [{"name": "dev"}]}')

    def tearDown(self):
        self.folder.cleanup()

    def document(self, text):
        path = self.project / "docs" / "guide.md"
        path.write_text("# Guide\n\nFor you.\n\n## Keys and colours\n\n" + text)
        return path

    def test_cases(self):
        cases = [
            ("a link to a file that is there", "[run](../scripts/run)", [], [], []),
            ("a link to a file that is not", "[old](old.md)", ["old.md: no such file"], [], []),
            ("a link to a heading", "[keys](#keys-and-colours)", [], [], []),
            ("a link to a heading that is not", "[keys](#keys)", ["#keys: no such heading"], [], []),
            ("a web address", "[site](https://example.org/x)", [], [], []),
            ("a named script that is there", "`scripts/run 60`", [], [], []),
            ("a named script that is not", "`scripts/test`", [], ["scripts/test"], []),
            ("braces", "`scripts/{run,lint}`", [], ["scripts/lint"], []),
            ("a path of the build, not of the tree", "`build/dev/x`", [], [], []),
            ("a preset", "`cmake --workflow --preset dev`", [], [], []),
            ("a preset that is not", "`cmake --preset nightly`", [], [], ["nightly"]),
        ]
        for what, text, links, paths, presets in cases:
            with self.subTest(what):
                document = self.document(text)
                self.assertEqual(broken_links(document, self.project), links)
                self.assertEqual(missing_paths(document, self.project), paths)
                self.assertEqual(unknown_presets(document, self.project), presets)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
