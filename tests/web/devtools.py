#!/usr/bin/python3
"""A headless Chromium driven over the DevTools protocol, for the browser build's tests.

    with Browser() as browser:
        browser.navigate("http://127.0.0.1:8642/")
        title = browser.evaluate("document.title")

Runs with Debian's /usr/bin/python3 and its python3-websocket. Each browser has
a profile folder of its own; the browser, all its processes, and that folder
are gone when the `with` block ends, however it ends, and also when the
program ends without leaving it (atexit; SIGTERM and SIGHUP; Ctrl+C leaves
the block as KeyboardInterrupt), or is killed (the browser gets SIGKILL when
this process dies; only the profile folder is then left behind).
"""

import atexit
import base64
import collections
import ctypes
import json
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket

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
    # A page left for another stays a client of its service worker while the
    # back-forward cache keeps it, which would hold back a new worker.
    "--disable-back-forward-cache",
]

_live = set()


class DevToolsError(RuntimeError):
    """The browser refused a command, or a page's script threw."""


def _end_all():
    for browser in list(_live):
        browser.close()


def _end_all_and_leave(signum, _frame):
    _end_all()
    signal.signal(signum, signal.SIG_DFL)
    os.kill(os.getpid(), signum)


atexit.register(_end_all)
for _signum in (signal.SIGTERM, signal.SIGHUP):
    if signal.getsignal(_signum) == signal.SIG_DFL:
        signal.signal(_signum, _end_all_and_leave)

_prctl = ctypes.CDLL(None, use_errno=True).prctl
_PR_SET_PDEATHSIG = 1


def _ended_with_parent():
    # In the browser's process, before it starts: SIGKILL when this one dies.
    _prctl(_PR_SET_PDEATHSIG, int(signal.SIGKILL))


class Browser:
    def __init__(self, scale=None, chromium="chromium", timeout=30):
        self.scale = scale
        self.chromium = chromium
        self.timeout = timeout
        self.console = []  # (type, text) of each console message, in order
        self.errors = []  # what uncaught exceptions and the browser's log reported
        self.process = None
        self.profile = None
        self._socket = None
        self._next_id = 0
        self._events = collections.deque(maxlen=10000)  # the latest, not waited for yet
        self._listening = threading.Event()
        self._stderr = []

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *_exception):
        self.close()

    def start(self):
        _live.add(self)
        self.profile = tempfile.mkdtemp(prefix="aurisplot-chromium-")
        command = [self.chromium, *CHROMIUM_FLAGS, f"--user-data-dir={self.profile}"]
        if self.scale is not None:
            command.append(f"--force-device-scale-factor={self.scale}")
        command.append("about:blank")
        # Its settings and crash reports go into the profile too, not into the
        # caller's home.
        home = {"HOME": self.profile, "XDG_CONFIG_HOME": os.path.join(self.profile, "config"),
                "XDG_CACHE_HOME": os.path.join(self.profile, "cache")}
        self.process = subprocess.Popen(
            command,
            env={**os.environ, **home},
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE,
            start_new_session=True,  # a group of its own, ended as one
            preexec_fn=_ended_with_parent,
        )
        port = self._port_from_stderr()
        page = self._page_target(port)
        self._socket = websocket.create_connection(
            page["webSocketDebuggerUrl"], timeout=self.timeout, suppress_origin=True)
        for domain in ("Page", "Runtime", "Log"):
            self.send(f"{domain}.enable")

    def _port_from_stderr(self):
        # Chromium writes "DevTools listening on ws://127.0.0.1:PORT/..." once it
        # listens; the rest of its output is kept for the error messages.
        found = {}

        def read():
            for raw in self.process.stderr:
                line = raw.decode(errors="replace").rstrip()
                self._stderr.append(line)
                match = re.search(r"DevTools listening on ws://[^:]+:(\d+)/", line)
                if match and not self._listening.is_set():
                    found["port"] = int(match.group(1))
                    self._listening.set()
            self._listening.set()

        threading.Thread(target=read, daemon=True).start()
        if not self._listening.wait(self.timeout) or "port" not in found:
            raise DevToolsError("chromium did not start:\n" + "\n".join(self._stderr[-20:]))
        return found["port"]

    def _page_target(self, port):
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list",
                                    timeout=self.timeout) as answer:
            targets = json.load(answer)
        pages = [t for t in targets if t.get("type") == "page"]
        if not pages:
            raise DevToolsError(f"no page among the browser's targets: {targets}")
        return pages[0]

    def close(self):
        """Ends the browser and every process it started, and removes its profile."""
        _live.discard(self)
        if self._socket is not None:
            try:
                self._socket.close()
            except OSError:
                pass
            self._socket = None
        if self.process is not None:
            try:
                os.killpg(self.process.pid, signal.SIGTERM)
                self.process.wait(timeout=5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                pass
            # What is left: the rest of its group, and the crash handlers,
            # which leave the group but name the profile on their command line.
            for pid in _processes_of(self.process.pid, self.profile):
                _kill_and_wait(pid)
            self.process.wait()
            if self.process.stderr is not None:
                self.process.stderr.close()
            self.process = None
        if self.profile is not None:
            shutil.rmtree(self.profile, ignore_errors=True)
            self.profile = None

    # The protocol: one command at a time; events that arrive meanwhile are kept.

    def send(self, method, timeout=None, **params):
        self._next_id += 1
        ident = self._next_id
        self._socket.send(json.dumps({"id": ident, "method": method, "params": params}))
        while True:
            message = self._receive(timeout)
            if message.get("id") == ident:
                if "error" in message:
                    raise DevToolsError(f"{method}: {message['error']}")
                return message.get("result", {})

    def _receive(self, timeout=None):
        self._socket.settimeout(self.timeout if timeout is None else timeout)
        message = json.loads(self._socket.recv())
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
            self.errors.append(params["entry"].get("text", ""))

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

    def type_text(self, text):
        """Types text into the focused element, as an input method would."""
        self.send("Input.insertText", text=text)

    def click(self, x, y):
        """A left click at (x, y), in CSS pixels of the viewport."""
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def screenshot(self, path):
        """Writes the viewport as a PNG file."""
        data = self.send("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))

    def accessibility_tree(self):
        """The page's full accessibility tree: a list of the protocol's AXNode objects."""
        return self.send("Accessibility.getFullAXTree")["nodes"]


def _processes_of(group, profile):
    """Processes of the group, or whose command line names the profile."""
    marker = profile.encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open(f"/proc/{entry}/stat", "rb") as file:
                stat = file.read()
            with open(f"/proc/{entry}/cmdline", "rb") as file:
                command_line = file.read()
        except OSError:
            continue
        # After the command's name in parentheses: state, parent, group.
        fields = stat[stat.rindex(b")") + 2:].split()
        if int(fields[2]) == group or marker in command_line:
            found.append(int(entry))
    return found


def _kill_and_wait(pid, timeout=5):
    try:
        descriptor = os.pidfd_open(pid)
    except ProcessLookupError:
        return
    try:
        os.kill(pid, signal.SIGKILL)
        select.select([descriptor], [], [], timeout)  # readable once it has ended
    except ProcessLookupError:
        pass
    finally:
        os.close(descriptor)


def _remote_text(remote):
    if "value" in remote:
        value = remote["value"]
        return value if isinstance(value, str) else json.dumps(value)
    return remote.get("description", remote.get("type", ""))
