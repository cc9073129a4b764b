"""Serves a folder on 127.0.0.1 with the types a web app's files need, for
scripts/serve-web, the page's test and its benchmark."""
import functools
import http.server
import threading


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".css": "text/css"}

    def log_message(self, *args):
        pass


def start(folder, port=0):
    """Serves folder in a thread of its own; returns the server (shutdown() stops it) and its address."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(SiteHandler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"
