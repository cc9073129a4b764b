"""Serves a folder on 127.0.0.1 with the types a web app's files need, for
scripts/serve-web, the page's tests and its benchmark. From a shell:

    site_server.py <folder> <file> [--hosted] [--delay=<name>=<seconds> ...]
        serves until ended, with its address written to the file

--hosted serves it as the README asks a host to: its text compressed (gzip)
for a browser that takes that, and every file to be checked for a newer one
before it is used again (Cache-Control: no-cache), as the names of the
site's files carry no version."""
import functools
import gzip
import http.server
import os
import sys
import threading
import time

COMPRESSED = {"text/html", "text/javascript", "text/css", "image/svg+xml", "application/manifest+json"}


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".css": "text/css", ".svg": "image/svg+xml"}

    def __init__(self, *args, delays=None, hosted=False, **kwargs):
        self.delays = delays or {}
        self.hosted = hosted
        super().__init__(*args, **kwargs)

    def do_GET(self):
        time.sleep(self.delays.get(self.path.split("?")[0].rsplit("/", 1)[-1], 0))
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        kind = self.guess_type(path)
        if self.hosted and kind in COMPRESSED and os.path.isfile(path) and "gzip" in self.headers.get(
                "Accept-Encoding", ""):
            with open(path, "rb") as file:
                body = gzip.compress(file.read(), mtime=0)
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Encoding", "gzip")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Vary", "Accept-Encoding")
            self.end_headers()
            self.wfile.write(body)
            return
        super().do_GET()

    def end_headers(self):
        if self.hosted:
            self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, *args):
        pass


def start(folder, port=0, delays=None, hosted=False):
    """Serves folder in a thread of its own; returns the server (shutdown() stops it) and its address.
    delays: {file name: seconds} to hold back some files' answers, as a slow network would.
    hosted: compressed, to be checked again before reuse, as a host should serve it."""
    handler = functools.partial(SiteHandler, directory=folder, delays=delays, hosted=hosted)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


if __name__ == "__main__":
    options = sys.argv[3:]
    held = dict(option[len("--delay="):].split("=") for option in options if option.startswith("--delay="))
    _, address = start(sys.argv[1], delays={name: float(seconds) for name, seconds in held.items()},
                       hosted="--hosted" in options)
    with open(sys.argv[2] + ".partial", "w") as written:
        written.write(address)
    os.replace(sys.argv[2] + ".partial", sys.argv[2])
    threading.Event().wait()
