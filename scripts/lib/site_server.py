"""Serves a folder on 127.0.0.1 with the types a web app's files need, for
scripts/serve-web, the page's tests and its benchmark. From a shell:

    site_server.py <folder> <file> [--delay=<name>=<seconds> ...]
        serves until ended, with its address written to the file"""
import functools
import http.server
import os
import sys
import threading
import time


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".css": "text/css"}

    def __init__(self, *args, delays=None, **kwargs):
        self.delays = delays or {}
        super().__init__(*args, **kwargs)

    def do_GET(self):
        time.sleep(self.delays.get(self.path.split("?")[0].rsplit("/", 1)[-1], 0))
        super().do_GET()

    def log_message(self, *args):
        pass


def start(folder, port=0, delays=None):
    """Serves folder in a thread of its own; returns the server (shutdown() stops it) and its address.
    delays: {file name: seconds} to hold back some files' answers, as a slow network would."""
    handler = functools.partial(SiteHandler, directory=folder, delays=delays)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


if __name__ == "__main__":
    held = dict(argument[len("--delay="):].split("=") for argument in sys.argv[3:])
    _, address = start(sys.argv[1], delays={name: float(seconds) for name, seconds in held.items()})
    with open(sys.argv[2] + ".partial", "w") as written:
        written.write(address)
    os.replace(sys.argv[2] + ".partial", sys.argv[2])
    threading.Event().wait()
