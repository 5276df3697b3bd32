#!/usr/bin/python3
"""What every driven browser of the tests shares, whatever its engine: a process
group of its own that ends, with everything it started and its profile
folder, however its driver ends; and the few things a test does with a page.

A browser is ended when its `with` block ends, however it ends, and also when
the program ends without leaving it (atexit; SIGTERM and SIGHUP; Ctrl+C leaves
the block as KeyboardInterrupt), or is killed (the browser gets SIGKILL when
this process dies; only its profile folder is then left behind).
"""

import atexit
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import threading

_live = set()


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


class DrivenError(RuntimeError):
    """The browser refused a command, or a page's script threw."""


# The keys the tests press, by the names of KeyboardEvent.key: each as
# (code, Windows virtual key code, WebDriver's key value). A printable key of
# one character is itself.
KEYS = {
    "Tab": ("Tab", 9, "\ue004"),
    "Enter": ("Enter", 13, "\ue007"),
    "Escape": ("Escape", 27, "\ue00c"),
    "End": ("End", 35, "\ue010"),
    "ArrowDown": ("ArrowDown", 40, "\ue015"),
    " ": ("Space", 32, " "),
}
MODIFIERS = {"Alt": "\ue00a", "Control": "\ue009", "Shift": "\ue008", "Meta": "\ue03d"}


def key_of(name):
    """(key, code, virtual key code, WebDriver value) of a key name or a character."""
    if name in KEYS:
        return (name, *KEYS[name])
    if len(name) == 1 and name.isascii() and name.isalnum():
        upper = name.upper()
        code = f"Key{upper}" if name.isalpha() else f"Digit{name}"
        return name, code, ord(upper), name
    raise ValueError(f"no such key: {name!r}")


class WebDriverInput:
    """Keys, typing and clicks as WebDriver's actions, which WebDriver BiDi
    shares; a driver gives perform(actions)."""

    def press(self, name, *modifiers):
        held = [MODIFIERS[modifier] for modifier in modifiers]
        value = key_of(name)[3]
        self.perform([{"type": "key", "id": "keyboard", "actions":
                       [{"type": "keyDown", "value": key} for key in held] +
                       [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}] +
                       [{"type": "keyUp", "value": key} for key in reversed(held)]}])

    def type_text(self, text):
        self.perform([{"type": "key", "id": "keyboard", "actions": [
            {"type": kind, "value": char} for char in text for kind in ("keyDown", "keyUp")]}])

    def click(self, x, y):
        self.perform([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                       "actions": [{"type": "pointerMove", "x": round(x), "y": round(y),
                                    "origin": "viewport"},
                                   {"type": "pointerDown", "button": 0},
                                   {"type": "pointerUp", "button": 0}]}])


class DrivenBrowser:
    """A browser of the tests. Engines give start() and close() their own, and:

    navigate(url)             loads url; returns once its load event has fired
    back()                    goes back one page in the history, as the Back button does
    evaluate(expression, await_promise=False, timeout=None)
                              the JSON value of a JavaScript expression in the page
    press(key, *modifiers)    a key (a name of KEYS, or a letter or digit), with
                              "Alt", "Control", "Shift" held
    type_text(text)           types text into the focused element
    click(x, y)               a left click at (x, y), CSS pixels of the viewport
    screenshot(path)          the viewport as a PNG file
    set_viewport(w, h)        the viewport's size in CSS pixels
    page_errors()             uncaught exceptions and console errors of the page
    forget()                  leaves the page, and forgets its errors
    presents(id, role, name)  whether assistive tools see the element of that id
                              with that role and name; None where the engine
                              does not say
    """

    engine = None

    def __init__(self, timeout=30):
        self.timeout = timeout
        self.profile = None
        self.process = None
        self.socket = None  # the protocol's websocket, for the drivers that speak over one
        self.stderr_lines = []

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
        self.profile = tempfile.mkdtemp(prefix=f"aurisplot-{self.engine}-")

    def close(self):
        _live.discard(self)
        if self.socket is not None:
            try:
                self.socket.close()
            except OSError:
                pass
            self.socket = None
        end_group(self.process, self.profile)
        self.process = None
        if self.profile is not None:
            shutil.rmtree(self.profile, ignore_errors=True)
            self.profile = None

    def announced(self, pattern):
        """What the browser's first process writes on its standard error where
        pattern (a regular expression) matches, group 1 of the first match; the
        rest is kept for the error messages."""
        found = {}
        seen = threading.Event()

        def read():
            for raw in self.process.stderr:
                line = raw.decode(errors="replace").rstrip()
                self.stderr_lines.append(line)
                match = re.search(pattern, line)
                if match and not seen.is_set():
                    found["what"] = match.group(1)
                    seen.set()
            seen.set()

        threading.Thread(target=read, daemon=True).start()
        if not seen.wait(self.timeout) or "what" not in found:
            raise DrivenError(f"{self.engine} did not start:\n" +
                              "\n".join(self.stderr_lines[-20:]))
        return found["what"]

    def groups(self):
        """The process groups the browser's processes run in."""
        return [self.process.pid] if self.process else []

    def spawn(self, command, env=None, pass_fds=(), stderr=subprocess.PIPE):
        """Starts the browser's first process, which close() ends with its group."""
        self.process = start_group(command, self.profile, env, pass_fds, stderr)
        return self.process

    def back(self):
        self.evaluate("(history.back(), true)")

    def forget(self):
        self.navigate("about:blank")
        self.forget_errors()

    def forget_errors(self):
        pass

    def presents(self, element_id, role, name):  # pylint: disable=unused-argument
        return None


def start_group(command, profile, env=None, pass_fds=(), stderr=subprocess.PIPE):
    """Starts a process in a group of its own, with its home in the profile
    folder, and its standard error to be read."""
    home = {"HOME": profile, "XDG_CONFIG_HOME": os.path.join(profile, "config"),
            "XDG_CACHE_HOME": os.path.join(profile, "cache"),
            "XDG_DATA_HOME": os.path.join(profile, "data")}
    return subprocess.Popen(
        command,
        env={**os.environ, **home, **(env or {})},
        stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL,
        stderr=stderr,
        pass_fds=pass_fds,
        start_new_session=True,  # a group of its own, ended as one
        preexec_fn=_ended_with_parent,
    )


def end_group(process, profile):
    """Ends a process's group, and what left the group but names the profile
    on its command line (crash handlers), and reaps the process."""
    if process is None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=5)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        pass
    for pid in processes_of(process.pid, profile):
        kill_and_wait(pid)
    process.wait()
    if process.stderr is not None:
        process.stderr.close()


def processes_of(group, profile):
    """Processes of the group, or whose command line names the profile."""
    marker = profile.encode() if profile else None
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
        if int(fields[2]) == group or (marker and marker in command_line):
            found.append(int(entry))
    return found


def kill_and_wait(pid, timeout=5):
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
