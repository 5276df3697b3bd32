#!/usr/bin/python3
"""Serves a folder on 127.0.0.1, as a static host serves the site.

    serve.py FOLDER [PORT]     PORT 0 (the default) picks a free one

Prints "Serving FOLDER on http://127.0.0.1:PORT/" once it listens, and serves
until it is ended. Every file goes out with its type (WebAssembly as
application/wasm, which streaming compilation needs). Like the hosts that read
it, the server applies the site's _headers file (its security headers), and
never serves that file itself; or, as a host that sets no headers of its own,
only the types. Answers say Cache-Control: no-cache, so that a rebuilt page is
never served stale, unless the test asks for a max-age, as many hosts send.
"""

import fnmatch
import functools
import http.server
import os
import sys
import threading

CONTENT_TYPES = {
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".js": "text/javascript",
    ".html": "text/html",
    ".css": "text/css",
    ".png": "image/png",
    ".svg": "image/svg+xml",
}
HEADERS_FILE = "_headers"


def read_headers(folder):
    """The rules of a _headers file: (path pattern, [(name, value)]) in order."""
    rules = []
    try:
        with open(os.path.join(folder, HEADERS_FILE), encoding="utf-8") as file:
            lines = file.read().splitlines()
    except FileNotFoundError:
        return rules
    for line in lines:
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if not line[0].isspace():
            rules.append((line.strip(), []))
        elif rules and ":" in line:
            name, value = line.split(":", 1)
            rules[-1][1].append((name.strip(), value.strip()))
    return rules


def headers_for(rules, path):
    """The headers the rules give a path; a later rule's header replaces an earlier one's."""
    chosen = {}
    for pattern, headers in rules:
        if fnmatch.fnmatchcase(path, pattern):
            for name, value in headers:
                chosen[name.lower()] = (name, value)
    return list(chosen.values())


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **CONTENT_TYPES}

    def __init__(self, *args, host_headers=True, max_age=None, **kwargs):
        self.host_headers = host_headers
        self.max_age = max_age
        super().__init__(*args, **kwargs)

    def send_head(self):
        if self.path.split("?", 1)[0].lstrip("/") == HEADERS_FILE:
            self.send_error(404)
            return None
        # Python's handler would answer "not modified" by the file's time in
        # whole seconds, so that a version deployed within the second of the
        # last fetch stayed unseen, as on no static host; a browser asking
        # again gets the file.
        del self.headers["If-Modified-Since"]
        return super().send_head()

    def end_headers(self):
        given = headers_for(read_headers(self.directory), self.path.split("?", 1)[0]) \
            if self.host_headers else []
        if self.max_age is not None:
            given = [(name, value) for name, value in given if name.lower() != "cache-control"]
            self.send_header("Cache-Control", f"max-age={self.max_age}")
        elif not any(name.lower() == "cache-control" for name, _value in given):
            self.send_header("Cache-Control", "no-cache")
        for name, value in given:
            self.send_header(name, value)
        super().end_headers()

    def log_message(self, format, *args):  # pylint: disable=redefined-builtin
        pass  # quiet: the tests print what matters


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A browser that stops reading (a page left, a browser ended) is no fault.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


def start(folder, port=0, host_headers=True, max_age=None):
    """A server of folder on 127.0.0.1:port, serving from a thread of its own.

    Its address is server.server_address; server.shutdown() ends it.
    host_headers=False serves as a host that reads no _headers file; max_age
    makes every answer cacheable for that many seconds."""
    handler = functools.partial(Handler, directory=folder, host_headers=host_headers,
                                max_age=max_age)
    server = Server(("127.0.0.1", port), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main(argv):
    if len(argv) not in (2, 3):
        print("usage: serve.py FOLDER [PORT]", file=sys.stderr)
        return 2
    folder = argv[1]
    handler = functools.partial(Handler, directory=folder)
    port = int(argv[2]) if len(argv) == 3 else 0
    with Server(("127.0.0.1", port), handler) as server:
        print(f"Serving {folder} on http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C ends it)",
              flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
