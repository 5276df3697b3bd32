"""Starts the program on the accessibility bus and reads it as a screen reader
does: the window, every control with its caption, the chart; then graphs with
Alt+G and hears the chart's new description. Prints the tree before and after.
Run by accessibility_bus.sh, which brings up the bus.
Usage: accessibility_bus.py path/to/aurisplot"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITLE = "Quarnel Labs - Aurisplot"
RESULT_TITLE = TITLE + " - [MPE range is ~2m]"
DESCRIPTION_CHANGED = "object:property-change:accessible-description"
BLANK_CHART = "Nothing drawn yet"
DEFAULT_CHART = "Power density of 600 W at 2.2 dBi: below the 5 mW/cm² limit from 2 m"
WAIT_SECONDS = 20

# The controls that take the focus, in the window's order: role and name.
FOCUSABLE = [
    ("chart", "Exposure chart"),
    ("push button", "Graph"),
    ("push button", "Exit"),
    ("text", "Source power in watts"),
    ("text", "Antenna gain in dBi"),
    ("text", "Vertical full scale in milliwatts per square centimetre"),
    ("text", "Horizontal full scale in metres"),
    ("combo box", "1 m"),  # Qt on Linux names a list by its value; the caption labels it
    ("check box", "Draw grid"),
]
# Control name: (caption that labels it, unit that describes it).
CAPTIONS = {
    "Source power in watts": ("Source Power:", "Watts"),
    "Antenna gain in dBi": ("Antenna Gain:", "dBi"),
    "1 m": ("Graph Resolution:", ""),
}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def related(accessible, relation_type):
    names = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == relation_type:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def tree(accessible, depth=0):
    """The tree below accessible as lines: role, name, description, relations."""
    line = "  " * depth + "%s %r" % (accessible.getRoleName(), accessible.name)
    if accessible.description:
        line += " description=%r" % accessible.description
    for relation in accessible.getRelationSet():
        targets = [relation.getTarget(i).name for i in range(relation.getNTargets())]
        line += " %s=%r" % (relation.getRelationType().value_nick, targets)
    lines = [line]
    for child in accessible:
        lines += tree(child, depth + 1)
    return lines


def find_application(program):
    """Polls the bus until the program's application shows its window."""
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        check(program.poll() is None,
              "the program ended (status %s) before it showed on the bus" % program.returncode)
        for application in pyatspi.Registry.getDesktop(0):
            if (application is not None and application.get_process_id() == program.pid
                    and application.childCount > 0):
                return application
        time.sleep(0.05)
    raise Failure("the program did not appear on the accessibility bus within %d s" % WAIT_SECONDS)


def check_window(application):
    check(application.childCount == 1, "%d windows" % application.childCount)
    frame = application[0]
    check(frame.getRole() == pyatspi.ROLE_FRAME and frame.name == TITLE,
          "window: %s %r" % (frame.getRoleName(), frame.name))
    focusable = [c for c in frame if c.getState().contains(pyatspi.STATE_FOCUSABLE)]
    check([(c.getRoleName(), c.name) for c in focusable] == FOCUSABLE,
          "focusable controls: %r" % [(c.getRoleName(), c.name) for c in focusable])
    for control in focusable:
        caption, unit = CAPTIONS.get(control.name, ("", ""))
        labels = related(control, pyatspi.RELATION_LABELLED_BY)
        check(labels == ([caption] if caption else []),
              "%r labelled by %r" % (control.name, labels))
        if caption:
            label = next((c for c in frame if c.name == caption), None)
            check(label is not None and label.getRole() == pyatspi.ROLE_LABEL
                  and related(label, pyatspi.RELATION_LABEL_FOR) == [control.name],
                  "%r labels %r" % (caption, related(label, pyatspi.RELATION_LABEL_FOR)))
        if control.getRole() != pyatspi.ROLE_CHART:
            check(control.description == unit,
                  "%r described as %r" % (control.name, control.description))
    chart = focusable[0]
    check(chart.description == BLANK_CHART, "chart before Graph: %r" % chart.description)
    return frame, chart


def graph_and_listen(chart):
    """Presses Alt+G and returns the chart's description changes up to the
    first that tells the default result."""
    changes = []

    def on_description(event):
        if event.source == chart:
            changes.append(event.source.description)
            if changes[-1] == DEFAULT_CHART:
                pyatspi.Registry.stop()

    def give_up():
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(on_description, DESCRIPTION_CHANGED)
    window = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % TITLE],
        check=True, capture_output=True, text=True, timeout=WAIT_SECONDS).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=WAIT_SECONDS)
    subprocess.run(["xdotool", "key", "alt+g"], check=True, timeout=WAIT_SECONDS)
    GLib.timeout_add_seconds(WAIT_SECONDS, give_up)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_description, DESCRIPTION_CHANGED)
    return changes


def main():
    # accessibility_bus.sh has chosen the X platform and cleared the desktop's settings.
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # Qt asks the registry which events have listeners as it starts, and sends
    # only those: one is registered before, so that none is missed.
    pyatspi.Registry.registerEventListener(lambda event: None, DESCRIPTION_CHANGED)
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        application = find_application(program)
        print("Before Graph:\n" + "\n".join(tree(application)))
        frame, chart = check_window(application)

        changes = graph_and_listen(chart)
        check(changes == [DEFAULT_CHART],
              "description changes heard after Alt+G: %r" % changes)
        check(frame.name == RESULT_TITLE, "window name after Graph: %r" % frame.name)
        print("After Graph:\n" + "\n".join(tree(application)))

        subprocess.run(["xdotool", "key", "alt+x"], check=True, timeout=WAIT_SECONDS)
        check(program.wait(timeout=WAIT_SECONDS) == 0, "exit status %s" % program.returncode)
    except (Failure, subprocess.SubprocessError) as error:
        print("FAIL: %s" % error, file=sys.stderr)
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    print("accessibility bus: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
