#!/usr/bin/python3
"""The shared window tests against the web window, in a headless Chromium.

    window_tests.py FOLDER [GTEST ARGUMENTS...]

Serves FOLDER (the runner page, the page's page.js and page.css, and the test
program aurisplot_window_tests.js and .wasm), opens runner.html with the
arguments, and prints the test program's output as it comes. The test driver
asks for its input through the DevTools binding window.aurisplotDriver; it is
answered here with real browser input (Input.dispatchKeyEvent, insertText,
dispatchMouseEvent), a device scale factor, or a screenshot, then told so
with runnerAnswer(). Exits with the test program's status.
"""

import json
import re
import sys
import time
import urllib.parse

import devtools
import serve

DEADLINE = 540  # seconds for the whole run
# The page registers its service worker, which the runner's folder does not
# have, and the browser asks for a /favicon.ico.
ALLOWED_ERROR = re.compile(r"\(404\)|status of 404")
VIEWPORT = (800, 600)  # CSS pixels
ENDED = re.compile(r"^\[window tests ended with status (.+)\]$")


def typed_key(char):
    """The key, code and virtual key code that type an ASCII character, or None."""
    if char.isascii() and char.isalpha():
        return char, f"Key{char.upper()}", ord(char.upper())
    if char.isascii() and char.isdigit():
        return char, f"Digit{char}", ord(char)
    if char == " ":
        return " ", "Space", 32
    return None


def set_scale(browser, ratio):
    """A viewport the whole window fits in, at ratio device pixels per pixel.

    Chromium re-evaluates the page's media queries (the page watches
    "(resolution: Ndppx)") only when the emulated viewport changes, not when
    its scale factor alone does: so each change also makes the viewport one
    pixel wider or narrower, as a window moved to another monitor changes size."""
    browser.viewport_wider = not getattr(browser, "viewport_wider", False)
    browser.send("Emulation.setDeviceMetricsOverride",
                 width=VIEWPORT[0] + (1 if browser.viewport_wider else 0), height=VIEWPORT[1],
                 deviceScaleFactor=ratio, mobile=False)


def answer(browser, request):
    op = request["op"]
    if op == "key":
        browser.key(request["key"], request["code"], request["vk"], request["modifiers"],
                    request["text"])
    elif op == "type":
        for char in request["text"]:
            key = typed_key(char)
            if key is None:
                browser.type_text(char)
            else:
                browser.key(*key, text=char)
    elif op == "click":
        browser.click(request["x"], request["y"])
    elif op == "scale":
        set_scale(browser, request["ratio"])
    elif op == "shot":
        clip = {name: request[name] for name in ("x", "y", "width", "height")}
        return browser.send("Page.captureScreenshot", format="png",
                            clip={**clip, "scale": 1})["data"]
    else:
        raise devtools.DevToolsError(f"the driver asked for {op!r}")
    return True


def run(folder, arguments):
    server = serve.start(folder)
    try:
        query = urllib.parse.urlencode([("arg", argument) for argument in arguments])
        url = f"http://127.0.0.1:{server.server_address[1]}/runner.html?{query}"
        with devtools.Browser() as browser:
            browser.send("Runtime.addBinding", name="aurisplotDriver")
            set_scale(browser, 1)
            browser.navigate(url)
            deadline = time.monotonic() + DEADLINE
            printed = 0
            while time.monotonic() < deadline:
                for _kind, text in browser.console[printed:]:
                    print(text, flush=True)
                    ended = ENDED.match(text)
                    if ended:
                        status = ended.group(1)
                        return int(status) if status.isdigit() else 1
                printed = len(browser.console)
                failures = [e for e in browser.errors if not ALLOWED_ERROR.search(e)]
                if failures:
                    print("the page failed:", *failures, sep="\n", file=sys.stderr)
                    return 1
                try:
                    called = browser.wait_for_event(
                        "Runtime.bindingCalled",
                        matching=lambda params: params.get("name") == "aurisplotDriver",
                        timeout=0.2)
                except devtools.DevToolsError:
                    continue
                request = json.loads(called["payload"])
                result = answer(browser, request)
                browser.evaluate(f"runnerAnswer({request['id']}, {json.dumps(result)})")
            print(f"the tests did not end within {DEADLINE} s", file=sys.stderr)
            return 1
    finally:
        server.shutdown()
        server.server_close()


def main(argv):
    if len(argv) < 2:
        print("usage: window_tests.py FOLDER [GTEST ARGUMENTS...]", file=sys.stderr)
        return 2
    started = time.monotonic()
    status = run(argv[1], argv[2:])
    print(f"[window_tests.py: status {status} after {time.monotonic() - started:.1f} s]")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
