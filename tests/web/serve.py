#!/usr/bin/python3
"""Serves a folder on 127.0.0.1, as the page is meant to be served.

    serve.py FOLDER [PORT]     PORT 0 (the default) picks a free one

Prints "Serving FOLDER on http://127.0.0.1:PORT/" once it listens, and serves
until it is ended. WebAssembly goes out as application/wasm (which streaming
compilation needs), the manifest as application/manifest+json; every answer
says Cache-Control: no-cache, so a rebuilt page is never served stale, and
carries the page's Content-Security-Policy as a header, where frame-ancestors
(which a <meta> element cannot give) takes effect too.
"""

import functools
import http.server
import sys
import threading

# The same policy as the page's <meta http-equiv="Content-Security-Policy">.
CONTENT_SECURITY_POLICY = (
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
    "img-src 'self' data:; connect-src 'self'; manifest-src 'self'; worker-src 'self'; "
    "object-src 'none'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'")

CONTENT_TYPES = {
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".js": "text/javascript",
    ".html": "text/html",
    ".css": "text/css",
    ".png": "image/png",
    ".svg": "image/svg+xml",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **CONTENT_TYPES}

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Content-Security-Policy", CONTENT_SECURITY_POLICY)
        self.send_header("X-Content-Type-Options", "nosniff")
        super().end_headers()

    def log_message(self, format, *args):  # pylint: disable=redefined-builtin
        pass  # quiet: the tests print what matters


def start(folder, port=0):
    """A server of folder on 127.0.0.1:port, serving from a thread of its own.

    Its address is server.server_address; server.shutdown() ends it."""
    handler = functools.partial(Handler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main(argv):
    if len(argv) not in (2, 3):
        print("usage: serve.py FOLDER [PORT]", file=sys.stderr)
        return 2
    folder = argv[1]
    handler = functools.partial(Handler, directory=folder)
    port = int(argv[2]) if len(argv) == 3 else 0
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Serving {folder} on http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C ends it)",
              flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
