#!/usr/bin/python3
"""WebKitGTK's MiniBrowser (WebKit, Safari's engine) driven by WebKitWebDriver
over W3C WebDriver (classic, HTTP), on a virtual X server of its own, since
MiniBrowser has no headless mode.

    with Browser() as browser:
        browser.navigate("http://127.0.0.1:8642/")

WebKitWebDriver refuses BiDi, so there is no console stream: after each load
the page gets a hook that keeps its console errors, uncaught exceptions and
unhandled rejections, which page_errors() reads. Errors before the load event
are not seen. The server, the driver and the browser end as driven.py says.
"""

import base64
import json
import os
import socket
import subprocess
import time
import urllib.error
import urllib.request

from driven import DrivenBrowser, DrivenError, WebDriverInput, end_group, start_group

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# WebKit's roles where they differ from ARIA's.
_ARIA_ROLES = {"image": "img"}
# W3C WebDriver's name for an element reference in JSON.
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"

_ERROR_HOOK = """
    if (!window.aurisplotErrors) {
        window.aurisplotErrors = [];
        const error = console.error.bind(console);
        console.error = (...words) => { window.aurisplotErrors.push(words.join(" ")); error(...words); };
        addEventListener("error", (event) => window.aurisplotErrors.push(String(event.message)));
        addEventListener("unhandledrejection",
                         (event) => window.aurisplotErrors.push(String(event.reason)));
    }
"""


def _free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Browser(WebDriverInput, DrivenBrowser):
    engine = "webkit"

    def __init__(self, minibrowser=MINIBROWSER, timeout=30):
        super().__init__(timeout)
        self.minibrowser = minibrowser
        self.server = None  # the X server
        self._base = None
        self._session = None

    def start(self):
        super().start()
        readable, writable = os.pipe()
        try:
            self.server = start_group(["Xvfb", "-displayfd", str(writable), "-screen", "0",
                                       "1280x1024x24", "-nolisten", "tcp"], self.profile,
                                      pass_fds=(writable,), stderr=subprocess.DEVNULL)
            os.close(writable)
            writable = None
            with os.fdopen(readable, "rb") as numbers:
                readable = None
                display = numbers.readline().decode().strip()
        finally:
            for end in (readable, writable):
                if end is not None:
                    os.close(end)
        if not display.isdigit():
            raise DrivenError("Xvfb did not start")
        port = _free_port()
        self.spawn(["WebKitWebDriver", f"--port={port}"], env={"DISPLAY": f":{display}"},
                   stderr=subprocess.DEVNULL)
        self._base = f"http://127.0.0.1:{port}"
        deadline = time.monotonic() + self.timeout
        while True:
            try:
                self._request("GET", "/status", timeout=1)
                break
            except (OSError, DrivenError):
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise DrivenError("WebKitWebDriver did not start") from None
                time.sleep(0.05)
        # Without --automation, MiniBrowser never answers the new session.
        capabilities = {"alwaysMatch": {"webkitgtk:browserOptions": {
            "binary": self.minibrowser, "args": ["--automation"]}}}
        session = self._request("POST", "/session", {"capabilities": capabilities})
        self._session = f"/session/{session['sessionId']}"
        self._command("POST", "/timeouts", {"script": self.timeout * 1000})

    def groups(self):
        return super().groups() + ([self.server.pid] if self.server else [])

    def close(self):
        """Ends the session, the driver and the browser, then the X server."""
        if self._session is not None:
            try:
                self._command("DELETE", "", timeout=10)
            except (OSError, DrivenError):
                pass
            self._session = None
        server, self.server = self.server, None
        profile = self.profile
        super().close()
        end_group(server, profile)

    def _request(self, method, path, body=None, timeout=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self._base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=timeout or self.timeout) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as error:
            value = json.load(error).get("value", {})
            raise DrivenError(f"{method} {path}: {value.get('error')}: "
                              f"{value.get('message')}") from None

    def _command(self, method, path, body=None, timeout=None):
        return self._request(method, self._session + path, body, timeout)

    # What every driven browser does.

    def navigate(self, url):
        self._command("POST", "/url", {"url": url})
        self._command("POST", "/execute/sync", {"script": _ERROR_HOOK, "args": []})

    def back(self):
        self._command("POST", "/back", {})
        self._command("POST", "/execute/sync", {"script": _ERROR_HOOK, "args": []})

    def evaluate(self, expression, await_promise=False, timeout=None):
        if not await_promise:
            return self._command("POST", "/execute/sync",
                                 {"script": f"return ({expression});", "args": []}, timeout)
        script = (f"const done = arguments[arguments.length - 1];"
                  f"Promise.resolve().then(() => ({expression})).then("
                  f"(value) => done({{value}}), (error) => done({{error: String(error)}}));")
        answer = self._command("POST", "/execute/async", {"script": script, "args": []},
                               timeout)
        if "error" in answer:
            raise DrivenError(f"{expression}: {answer['error']}")
        return answer.get("value")

    def perform(self, actions):
        self._command("POST", "/actions", {"actions": actions})
        self._command("DELETE", "/actions")

    def screenshot(self, path):
        data = self._command("GET", "/screenshot")
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def set_viewport(self, width, height):
        # The window's outer size, less what its frame takes, is the viewport.
        self._command("POST", "/window/rect", {"width": width, "height": height})
        inner = self.evaluate("[innerWidth, innerHeight]")
        self._command("POST", "/window/rect", {"width": 2 * width - inner[0],
                                              "height": 2 * height - inner[1]})

    def page_errors(self):
        return self.evaluate("window.aurisplotErrors || []")

    def presents(self, element_id, role, name):
        try:
            element = self._command("POST", "/element",
                                    {"using": "css selector", "value": f"#{element_id}"})
        except DrivenError:
            return False
        path = f"/element/{element[ELEMENT]}"
        shown = self._command("GET", path + "/computedrole")
        return (_ARIA_ROLES.get(shown, shown),
                self._command("GET", path + "/computedlabel")) == (role, name)
