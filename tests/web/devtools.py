#!/usr/bin/python3
"""A headless Chromium (Blink) driven over the DevTools protocol, for the browser
build's tests.

    with Browser() as browser:
        browser.navigate("http://127.0.0.1:8642/")
        title = browser.evaluate("document.title")

Runs with Debian's /usr/bin/python3 and its python3-websocket. Each browser has
a profile folder of its own, and ends as driven.py says. Beside what every
driven browser does, it gives the protocol itself (send, wait_for_event), the
console as it comes, and the accessibility tree.
"""

import base64
import collections
import json
import re
import time
import urllib.request

import websocket

from driven import DrivenBrowser, DrivenError, key_of

CHROMIUM_FLAGS = [
    "--headless=new",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--remote-debugging-port=0",
]

DevToolsError = DrivenError  # the browser refused a command, or a page's script threw

# Chromium's roles where they differ from ARIA's.
_ARIA_ROLES = {"image": "img"}


class Browser(DrivenBrowser):
    engine = "chromium"

    def __init__(self, scale=None, chromium="chromium", timeout=30):
        super().__init__(timeout)
        self.scale = scale
        self.chromium = chromium
        self.console = []  # (type, text) of each console message, in order
        self.errors = []  # what uncaught exceptions and the browser's log reported
        self._next_id = 0
        self._events = collections.deque(maxlen=10000)  # the latest, not waited for yet

    def start(self):
        super().start()
        command = [self.chromium, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}"]
        if self.scale is not None:
            command.append(f"--force-device-scale-factor={self.scale}")
        command.append("about:blank")
        self.spawn(command)
        # "DevTools listening on ws://127.0.0.1:PORT/..." once it listens.
        port = int(self.announced(r"DevTools listening on ws://[^:]+:(\d+)/"))
        page = self._page_target(port)
        self.socket = websocket.create_connection(
            page["webSocketDebuggerUrl"], timeout=self.timeout, suppress_origin=True)
        for domain in ("Page", "Runtime", "Log"):
            self.send(f"{domain}.enable")

    def _page_target(self, port):
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list",
                                    timeout=self.timeout) as answer:
            targets = json.load(answer)
        pages = [t for t in targets if t.get("type") == "page"]
        if not pages:
            raise DevToolsError(f"no page among the browser's targets: {targets}")
        return pages[0]

    # The protocol: one command at a time; events that arrive meanwhile are kept.

    def send(self, method, timeout=None, **params):
        self._next_id += 1
        ident = self._next_id
        self.socket.send(json.dumps({"id": ident, "method": method, "params": params}))
        while True:
            message = self._receive(timeout)
            if message.get("id") == ident:
                if "error" in message:
                    raise DevToolsError(f"{method}: {message['error']}")
                return message.get("result", {})

    def _receive(self, timeout=None):
        self.socket.settimeout(self.timeout if timeout is None else timeout)
        message = json.loads(self.socket.recv())
        if "method" in message:
            self._note(message)
            self._events.append(message)
        return message

    def _note(self, event):
        method, params = event["method"], event.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(_remote_text(argument) for argument in params.get("args", []))
            self.console.append((params.get("type"), text))
        elif method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            exception = details.get("exception", {})
            self.errors.append(exception.get("description") or details.get("text", ""))
        elif method == "Log.entryAdded" and params.get("entry", {}).get("level") == "error":
            entry = params["entry"]
            where = f" ({entry['url']})" if entry.get("url") else ""
            self.errors.append(entry.get("text", "") + where)

    def wait_for_event(self, method, matching=None, timeout=None):
        """The parameters of the first event named method (and whose parameters
        matching accepts) not waited for yet, whether it came before or comes now."""
        deadline = time.monotonic() + (self.timeout if timeout is None else timeout)
        while True:
            for event in self._events:
                params = event.get("params", {})
                if event["method"] == method and (matching is None or matching(params)):
                    self._events.remove(event)
                    return params
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise DevToolsError(f"no {method} within the time allowed")
            try:
                self._receive(timeout=remaining)
            except websocket.WebSocketTimeoutException:
                continue

    def wait_for_console(self, pattern, timeout=None):
        """The text of the first console message matching pattern (a regular expression)."""
        deadline = time.monotonic() + (self.timeout if timeout is None else timeout)
        seen = 0
        while True:
            for _kind, text in self.console[seen:]:
                if re.search(pattern, text):
                    return text
            seen = len(self.console)
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise DevToolsError(f"no console message like {pattern!r}; last ones: "
                                    f"{[text for _kind, text in self.console[-5:]]}")
            try:
                self._receive(timeout=remaining)
            except websocket.WebSocketTimeoutException:
                continue

    # What the tests do with a page.

    def navigate(self, url):
        """Loads url and returns once its load event has fired."""
        self._events = collections.deque(
            (event for event in self._events if event["method"] != "Page.loadEventFired"),
            maxlen=self._events.maxlen)
        result = self.send("Page.navigate", url=url)
        if result.get("errorText"):
            raise DevToolsError(f"{url}: {result['errorText']}")
        self.wait_for_event("Page.loadEventFired")

    def evaluate(self, expression, await_promise=False, timeout=None):
        """The value of a JavaScript expression in the page (a promise's, if await_promise)."""
        result = self.send("Runtime.evaluate", timeout=timeout, expression=expression,
                           returnByValue=True, awaitPromise=await_promise)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            description = details.get("exception", {}).get("description") or details.get("text")
            raise DevToolsError(f"{expression}: {description}")
        return result["result"].get("value")

    def key(self, key, code, vk, modifiers=0, text=None):
        """Presses and releases one key: modifiers 1 Alt, 2 Ctrl, 4 Meta, 8 Shift."""
        down = dict(key=key, code=code, windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk,
                    modifiers=modifiers)
        if text is None:
            self.send("Input.dispatchKeyEvent", type="rawKeyDown", **down)
        else:
            self.send("Input.dispatchKeyEvent", type="keyDown", text=text, **down)
        self.send("Input.dispatchKeyEvent", type="keyUp", **down)

    def press(self, name, *modifiers):
        key, code, vk, _value = key_of(name)
        held = sum({"Alt": 1, "Control": 2, "Meta": 4, "Shift": 8}[m] for m in modifiers)
        # A key types its character unless Alt, Control or Meta is held.
        typed = key if len(key) == 1 and not held & 7 else {"Enter": "\r"}.get(key)
        if typed and held & 8:
            typed = typed.upper()
        self.key(key, code, vk, held, typed)

    def type_text(self, text):
        """Types text into the focused element, as an input method would."""
        self.send("Input.insertText", text=text)

    def click(self, x, y):
        """A left click at (x, y), in CSS pixels of the viewport."""
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def tap(self, x, y):
        """A tap of one finger at (x, y), in CSS pixels of the viewport, once
        touch is emulated (Emulation.setTouchEmulationEnabled)."""
        self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def screenshot(self, path):
        """Writes the viewport as a PNG file."""
        data = self.send("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def set_viewport(self, width, height):
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=self.scale or 1, mobile=False)

    def page_errors(self):
        return self.errors + [text for kind, text in self.console if kind == "error"]

    def forget_errors(self):
        self.errors.clear()
        self.console.clear()

    def accessibility_tree(self):
        """The page's full accessibility tree: a list of the protocol's AXNode objects."""
        return self.send("Accessibility.getFullAXTree")["nodes"]

    def ax_node(self, element_id):
        """The accessibility node of the element of that id, or None."""
        element = self.send("Runtime.evaluate",
                            expression=f"document.getElementById({element_id!r})")
        if "objectId" not in element["result"]:
            return None
        backend = self.send("DOM.describeNode",
                            objectId=element["result"]["objectId"])["node"]["backendNodeId"]
        nodes = self.send("Accessibility.getPartialAXTree", backendNodeId=backend,
                          fetchRelatives=False)["nodes"]
        found = [node for node in nodes
                 if node.get("backendDOMNodeId") == backend and not node.get("ignored")]
        return found[0] if found else None

    def presents(self, element_id, role, name):
        node = self.ax_node(element_id)
        if node is None:
            return False
        shown = node["role"]["value"]
        return (_ARIA_ROLES.get(shown, shown), node.get("name", {}).get("value")) == (role, name)

    def description(self, element_id):
        """The element's accessible description, as assistive tools get it."""
        node = self.ax_node(element_id)
        return node.get("description", {}).get("value") if node else None


def _remote_text(remote):
    if "value" in remote:
        value = remote["value"]
        return value if isinstance(value, str) else json.dumps(value)
    return remote.get("description", remote.get("type", ""))
