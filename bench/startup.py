#!/usr/bin/python3
"""Start-up to the window on screen: the real program against a bare Qt window
of the same size with one label, started in turn, five times each, on the X
server of $DISPLAY with its window manager running (nothing else maps windows meanwhile).

    startup.py PLATFORM PROGRAM BARE_WINDOW     (bash scripts/dev bench runs it)

A start is timed from the spawn to the moment the window manager maps the
window's frame, as the X server reports it (MapNotify on the root window),
and the program is then ended. Prints the medians and their ratio.
"""

import ctypes
import select
import statistics
import subprocess
import sys
import time

RUNS = 9
SUBSTRUCTURE_NOTIFY = 1 << 19
MAP_NOTIFY = 19


class Event(ctypes.Union):  # XEvent: its type first, in a union of 24 longs
    _fields_ = [("type", ctypes.c_int), ("pad", ctypes.c_long * 24)]


def main(argv):
    platform, programs = argv[1], {"program": argv[2], "bare window": argv[3]}
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    for name in ("XDefaultRootWindow", "XConnectionNumber", "XPending", "XFlush"):
        getattr(x11, name).argtypes = [ctypes.c_void_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
    display = x11.XOpenDisplay(None)
    if not display:
        raise SystemExit("startup.py: no X server on $DISPLAY")
    x11.XSelectInput(display, x11.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY)
    x11.XFlush(display)
    connection = x11.XConnectionNumber(display)

    def shown_after(program):
        """ms from the spawn to the first frame mapped on the root window."""
        while x11.XPending(display):  # what came before this start
            x11.XNextEvent(display, ctypes.byref(Event()))
        start = time.monotonic()
        process = subprocess.Popen([program], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            deadline = start + 30
            while time.monotonic() < deadline:
                if not x11.XPending(display):
                    select.select([connection], [], [], 0.5)
                    continue
                event = Event()
                x11.XNextEvent(display, ctypes.byref(event))
                # The window manager's frame (icewm's is override-redirect).
                if event.type == MAP_NOTIFY:
                    return (time.monotonic() - start) * 1000
            raise SystemExit(f"startup.py: {program} showed no window within 30 s")
        finally:
            process.terminate()
            process.wait()

    took = {name: [] for name in programs}
    for _ in range(RUNS):
        for name, program in programs.items():
            took[name].append(shown_after(program))
    program, bare = (statistics.median(took[name]) for name in programs)
    label = "start-up to the window on screen / bare"
    print(f"{platform:<12} {label:<40} {program / bare:8.2f}  ({program:.0f} ms / {bare:.0f} ms,"
          f" medians of {RUNS})", flush=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
