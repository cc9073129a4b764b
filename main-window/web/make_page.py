"""Writes the page from its template: the panel that write_panel makes from
Form1's description, and the page's style sheet with the panel's places
after it, in the page's own <style>, so that the first answer from the
server is all the browser needs to show the panel. The Content-Security-
Policy allows that one style by its SHA-256.

    make_page.py <site sources> <site folder> <write_panel command...>
"""

import base64
import hashlib
import pathlib
import subprocess
import sys


def style_hash(style: str) -> str:
    """The style's SHA-256 as a Content-Security-Policy writes it: in base64."""
    return base64.b64encode(hashlib.sha256(style.encode()).digest()).decode()


def fill(template: str, values: dict[str, str]) -> str:
    """The template with each @NAME@ replaced by its value."""
    for name, value in values.items():
        template = template.replace(f"@{name}@", value)
    return template


def main(source: pathlib.Path, site: pathlib.Path, write_panel: list[str]) -> None:
    def piece(name: str) -> str:
        return subprocess.run(write_panel + [name], check=True, stdout=subprocess.PIPE).stdout.decode()

    page_css = (source / "page.css").read_text(encoding="utf-8")
    style = f"\n{page_css}\n/* Form1's controls, from its description. */\n{piece('css')}"
    page = fill((source / "index.html.in").read_text(encoding="utf-8"), {
        "TARNWICK_PANEL_HTML": piece("html"),
        "TARNWICK_TITLE": piece("title").strip(),
        "TARNWICK_STYLE": style,
        "TARNWICK_STYLE_HASH": style_hash(style),
    })
    (site / "index.html").write_bytes(page.encode())


if __name__ == "__main__":
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3:])
