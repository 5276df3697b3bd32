#!/usr/bin/python3
"""The browser tests' own tools: the server answers as a static host does, its
headers from the site's _headers file or none, and a driven browser of each
engine leaves no process and no profile behind, however its driver ends."""

import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import textwrap
import unittest
import urllib.error
import urllib.request

import browsers
import driven
import serve

HERE = os.path.dirname(os.path.abspath(__file__))


def living(groups, profile):
    """Processes of the browser's groups, or naming its profile, that have not ended."""
    alive = []
    for pid in {pid for group in groups for pid in driven.processes_of(group, profile)}:
        try:
            with open(f"/proc/{pid}/stat", "rb") as file:
                stat = file.read()
        except OSError:
            continue
        if stat[stat.rindex(b")") + 2:].split()[0] != b"Z":
            alive.append(pid)
    return alive


class Site(unittest.TestCase):
    """A folder served by serve.py, for the length of each test."""

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        self.server = serve.start(self.folder)
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"

    def write(self, name, content):
        with open(os.path.join(self.folder, name), "wb") as file:
            file.write(content if isinstance(content, bytes) else content.encode())


class ServerTest(Site):
    def test_each_file_has_its_type_and_the_headers_of_the_hosts_file_or_none(self):
        self.write("_headers", "/*\n  X-Test: all\n  Content-Security-Policy: default-src 'self'\n"
                               "/service-worker.js\n  Cache-Control: no-cache\n  X-Test: worker\n")
        for name, content_type, test in [("aurisplot.wasm", "application/wasm", "all"),
                                         ("manifest.webmanifest", "application/manifest+json",
                                          "all"),
                                         ("page.js", "text/javascript", "all"),
                                         ("service-worker.js", "text/javascript", "worker"),
                                         ("index.html", "text/html", "all")]:
            self.write(name, "x")
            with urllib.request.urlopen(self.url + name) as answer:
                headers = answer.headers
            self.assertEqual(headers.get_content_type(), content_type, name)
            self.assertEqual(headers["Cache-Control"], "no-cache", name)
            self.assertEqual(headers["X-Test"], test, name)
            self.assertEqual(headers["Content-Security-Policy"], "default-src 'self'", name)
        with self.assertRaises(urllib.error.HTTPError):
            urllib.request.urlopen(self.url + "_headers")  # pylint: disable=consider-using-with

        for options, kept, test in [({"host_headers": False}, "no-cache", None),
                                    ({"max_age": 600}, "max-age=600", "all")]:
            server = serve.start(self.folder, **options)
            self.addCleanup(server.server_close)
            self.addCleanup(server.shutdown)
            with urllib.request.urlopen(
                    f"http://127.0.0.1:{server.server_address[1]}/page.js") as answer:
                self.assertEqual(answer.headers["Cache-Control"], kept, options)
                self.assertEqual(answer.headers["X-Test"], test, options)


class BrowserTest(Site):
    def test_no_process_and_no_profile_outlive_the_browser(self):
        self.write("index.html", "<!doctype html><title>page</title>")
        ways_out = {"the block's end": None, "an exception": RuntimeError}
        for engine in browsers.ENGINES:
            for way, exception in ways_out.items():
                with self.subTest(engine=engine, way=way):
                    with self.assertRaises(RuntimeError) if exception else contextlib.nullcontext():
                        with browsers.browser(engine) as browser:
                            groups, profile = browser.groups(), browser.profile
                            browser.navigate(self.url)
                            self.assertTrue(living(groups, profile))
                            if exception:
                                raise exception("leaving")
                    self.assertEqual(living(groups, profile), [])
                    self.assertFalse(os.path.exists(profile))

    def test_a_driver_ended_by_sigterm_ends_its_browser(self):
        for engine in browsers.ENGINES:
            with self.subTest(engine=engine):
                driver = subprocess.Popen(
                    [sys.executable, "-c", textwrap.dedent(f"""\
                        import sys, browsers
                        browser = browsers.browser({engine!r})
                        browser.start()
                        print(*browser.groups(), browser.profile, flush=True)
                        sys.stdin.read()
                        """)],
                    cwd=HERE, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
                for end in (driver.stdout.close, driver.stdin.close, driver.wait, driver.kill):
                    self.addCleanup(end)
                *groups, profile = driver.stdout.readline().split()
                groups = [int(group) for group in groups]
                self.assertTrue(living(groups, profile))
                driver.send_signal(signal.SIGTERM)
                self.assertEqual(driver.wait(timeout=30), -signal.SIGTERM)
                self.assertEqual(living(groups, profile), [])
                self.assertFalse(os.path.exists(profile))


if __name__ == "__main__":
    unittest.main()
