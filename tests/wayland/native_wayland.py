"""Starts the program natively on Wayland and drives it through the
accessibility bus, as a headless compositor has no keyboard: reads its window
and title bar, presses Graph, reads the result in the title, presses Exit.
Run by native_wayland.sh, which brings up the compositor and the bus.
Usage: native_wayland.py path/to/aurisplot"""

import os
import re
import subprocess
import sys
import time

import pyatspi

TITLE = "Quarnel Labs - Aurisplot"
RESULT_TITLE = TITLE + " - [MPE range is ~2m]"
WAIT_SECONDS = 20
# What a title bar may offer that the window must not: any way to resize it
# or to minimise it.
FORBIDDEN = re.compile(r"maxim|minim|restore|resize|shade", re.IGNORECASE)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def descendants(accessible):
    for child in accessible:
        yield child
        yield from descendants(child)


def fresh_name(accessible):
    """The name as the program gives it now, not as the bus cached it."""
    accessible.clearCache()
    return accessible.name


def wait_for(what, condition):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise Failure("%s within %d s" % (what, WAIT_SECONDS))


def find_application(program):
    """Polls the bus until the program's application shows its window."""
    found = []

    def shown():
        check(program.poll() is None,
              "the program ended (status %s) before it showed on the bus" % program.returncode)
        found[:] = [a for a in pyatspi.Registry.getDesktop(0)
                    if a is not None and a.get_process_id() == program.pid and a.childCount > 0]
        return bool(found)

    wait_for("the program on the accessibility bus", shown)
    return found[0]


def press(control):
    """Presses a button through its accessible action, as a screen reader does."""
    action = control.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names, "%r offers %r, no Press" % (control.name, names))
    action.doAction(names.index("Press"))


def check_title_bar(frame):
    bars = [c for c in descendants(frame) if c.name == "Title bar"]
    check(len(bars) == 1, "%d title bars" % len(bars))
    buttons = [(c.getRoleName(), c.name) for c in descendants(bars[0])]
    check(buttons == [("push button", "Close")], "title bar offers %r" % buttons)
    offered = [c.name for c in descendants(frame) if FORBIDDEN.search(c.name or "")]
    check(not offered, "the window offers %r" % offered)


def main():
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        application = find_application(program)
        check(application.childCount == 1, "%d windows" % application.childCount)
        frame = application[0]
        check(frame.getRole() == pyatspi.ROLE_FRAME and fresh_name(frame) == TITLE,
              "window: %s %r" % (frame.getRoleName(), frame.name))
        check_title_bar(frame)
        buttons = {c.name: c for c in descendants(frame) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON}

        press(buttons["Graph"])
        wait_for("the result title %r (last seen %r)" % (RESULT_TITLE, frame.name),
                 lambda: fresh_name(frame) == RESULT_TITLE)

        press(buttons["Exit"])
        check(program.wait(timeout=WAIT_SECONDS) == 0, "exit status %s" % program.returncode)
    except (Failure, subprocess.SubprocessError, KeyError) as error:
        print("FAIL: %s" % error, file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("window on the bus: title %r, title bar with a close box only, graphed, ended"
          % RESULT_TITLE)
    return 0


if __name__ == "__main__":
    sys.exit(main())
