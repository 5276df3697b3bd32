#!/usr/bin/python3
"""The browser tests' own tools: the server answers as the page needs, its
policy lets the page compile WebAssembly and nothing inline run, and a driven
browser leaves no process and no profile behind, however its driver ends."""

import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import textwrap
import unittest
import urllib.request

import devtools
import serve

HERE = os.path.dirname(os.path.abspath(__file__))

# The smallest WebAssembly module: the magic number and version 1.
EMPTY_MODULE = b"\0asm\1\0\0\0"


def living(group, profile):
    """Processes of the browser's group, or naming its profile, that have not ended."""
    alive = []
    for pid in devtools._processes_of(group, profile):  # pylint: disable=protected-access
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
    def test_each_file_has_its_type_and_every_answer_the_headers(self):
        for name, content_type in [("aurisplot.wasm", "application/wasm"),
                                   ("manifest.webmanifest", "application/manifest+json"),
                                   ("page.js", "text/javascript"),
                                   ("index.html", "text/html")]:
            self.write(name, "x")
            with urllib.request.urlopen(self.url + name) as answer:
                headers = answer.headers
            self.assertEqual(headers.get_content_type(), content_type, name)
            self.assertEqual(headers["Cache-Control"], "no-cache", name)
            self.assertEqual(headers["Content-Security-Policy"], serve.CONTENT_SECURITY_POLICY,
                             name)
        self.assertIn("frame-ancestors 'none'", serve.CONTENT_SECURITY_POLICY)


class BrowserTest(Site):
    def test_under_the_policy_wasm_compiles_and_inline_script_does_not_run(self):
        self.write("module.wasm", EMPTY_MODULE)
        self.write("load.js", textwrap.dedent("""\
            window.compiled = WebAssembly.instantiateStreaming(fetch("module.wasm"))
                .then(() => "compiled", (error) => String(error));
            """))
        self.write("index.html", textwrap.dedent("""\
            <!doctype html><title>policy</title>
            <script>window.inline = "ran";</script>
            <script src="load.js"></script>
            """))
        with devtools.Browser() as browser:
            browser.navigate(self.url)
            self.assertEqual(browser.evaluate("window.compiled", await_promise=True), "compiled")
            self.assertIsNone(browser.evaluate("window.inline"))

    def test_no_process_and_no_profile_outlive_the_browser(self):
        self.write("index.html", "<!doctype html><title>page</title>")
        ways_out = {"the block's end": None, "an exception": RuntimeError}
        for way, exception in ways_out.items():
            with self.subTest(way):
                with self.assertRaises(RuntimeError) if exception else contextlib.nullcontext():
                    with devtools.Browser() as browser:
                        group, profile = browser.process.pid, browser.profile
                        browser.navigate(self.url)
                        self.assertTrue(living(group, profile))
                        if exception:
                            raise exception("leaving")
                self.assertEqual(living(group, profile), [])
                self.assertFalse(os.path.exists(profile))

    def test_a_driver_ended_by_sigterm_ends_its_browser(self):
        driver = subprocess.Popen(
            [sys.executable, "-c", textwrap.dedent("""\
                import sys, devtools
                browser = devtools.Browser()
                browser.start()
                print(browser.process.pid, browser.profile, flush=True)
                sys.stdin.read()
                """)],
            cwd=HERE, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        for end in (driver.stdout.close, driver.stdin.close, driver.wait, driver.kill):
            self.addCleanup(end)
        group, profile = driver.stdout.readline().split()
        group = int(group)
        self.assertTrue(living(group, profile))
        driver.send_signal(signal.SIGTERM)
        self.assertEqual(driver.wait(timeout=30), -signal.SIGTERM)
        self.assertEqual(living(group, profile), [])
        self.assertFalse(os.path.exists(profile))


if __name__ == "__main__":
    unittest.main()
