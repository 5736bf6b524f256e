#!/usr/bin/env python3
"""Start-up to the first shown window: the designer, the toolkit's own form
designer and an empty main window (the floor), each started RUNS times in
turn on one virtual display; reports the medians and the designer's ratio
to the toolkit's designer.

    bench/startup/startup.py [BUILD_DIR] [--runs N]

Run without a display, it starts itself again under xvfb-run. The time runs
from starting a program to the X server mapping its first top-level window,
watched through the server's structure events on the root window, so no
polling interval adds to it. Every program gets the same fresh home, so
that none starts with settings or leftovers of a user; one run of each,
not counted, comes first.
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TOOLKIT_DESIGNER = "/usr/lib/qt6/bin/designer"
TOOLKIT_PACKAGE = "designer-qt6"

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
MAP_NOTIFY = 19


class MapEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", MapEvent), ("pad", ctypes.c_long * 24)]


class Display:
    """The X server's structure events of the root window: a window mapped
    there is a top-level window shown."""

    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow",):
            getattr(self.x, name).restype = ctypes.c_ulong
            getattr(self.x, name).argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.dpy = self.x.XOpenDisplay(None)
        if not self.dpy:
            sys.exit("cannot open the display")
        root = self.x.XDefaultRootWindow(self.dpy)
        self.x.XSelectInput(self.dpy, root, SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.dpy)
        self.fd = self.x.XConnectionNumber(self.dpy)

    def drain(self):
        event = Event()
        while self.x.XPending(self.dpy):
            self.x.XNextEvent(self.dpy, ctypes.byref(event))

    def wait_for_map(self, deadline):
        """The time of the first top-level window mapped, or None."""
        event = Event()
        while True:
            while self.x.XPending(self.dpy):
                self.x.XNextEvent(self.dpy, ctypes.byref(event))
                if event.type == MAP_NOTIFY and not event.map.override_redirect:
                    return time.monotonic()
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.fd], [], [], left)


def start_once(display, command, env):
    display.drain()
    started = time.monotonic()
    process = subprocess.Popen(
        command,
        env=env,
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
        start_new_session=True,
    )
    shown = display.wait_for_map(started + 60)
    os.killpg(process.pid, signal.SIGKILL)
    process.wait()
    if shown is None:
        sys.exit(f"{command[0]} showed no window within 60 s")
    return (shown - started) * 1000.0


def fresh_home(root, name):
    home = os.path.join(root, name)
    shutil.rmtree(home, ignore_errors=True)
    for sub in ("config", "data", "cache", "runtime"):
        os.makedirs(os.path.join(home, sub), mode=0o700)
    env = dict(os.environ)
    env.update(
        HOME=home,
        XDG_CONFIG_HOME=os.path.join(home, "config"),
        XDG_DATA_HOME=os.path.join(home, "data"),
        XDG_CACHE_HOME=os.path.join(home, "cache"),
        XDG_RUNTIME_DIR=os.path.join(home, "runtime"),
        QT_QPA_PLATFORM="xcb",
    )
    return env


def ensure_toolkit_designer():
    if os.path.exists(TOOLKIT_DESIGNER):
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    print(f"Installing {TOOLKIT_PACKAGE} for this benchmark only", flush=True)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", TOOLKIT_PACKAGE], check=True)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=os.path.join(here, "..", "..", "build"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        os.execvp(
            "xvfb-run",
            ["xvfb-run", "-a", "-s", "-screen 0 1600x1000x24", sys.executable] + sys.argv,
        )
    ensure_toolkit_designer()
    build = os.path.abspath(args.build)
    programs = {
        "Form Designer": [os.path.join(build, "formdesigner")],
        "toolkit designer": [TOOLKIT_DESIGNER],
        "empty QMainWindow": [os.path.join(build, "bench", "startup", "bench_empty_window")],
    }
    for name, command in programs.items():
        if not os.access(command[0], os.X_OK):
            sys.exit(f"{name}: {command[0]} is not built")
    display = Display()
    times = {name: [] for name in programs}
    with tempfile.TemporaryDirectory() as root:
        envs = {name: fresh_home(root, str(i)) for i, name in enumerate(programs)}
        for name, command in programs.items():
            start_once(display, command, envs[name])
        for _ in range(args.runs):
            for name, command in programs.items():
                times[name].append(start_once(display, command, envs[name]))
    medians = {name: statistics.median(t) for name, t in times.items()}
    for name, t in times.items():
        runs = " ".join(f"{x:.0f}" for x in t)
        print(f"{name:20s} median {medians[name]:7.1f} ms   runs: {runs}")
    ratio = medians["Form Designer"] / medians["toolkit designer"]
    print(f"Form Designer / toolkit designer: {ratio:.2f}x (target at most 0.70x)")
    floor = medians["empty QMainWindow"]
    above = (medians["Form Designer"] - floor) / (medians["toolkit designer"] - floor)
    print(f"above the floor: {above:.2f}x")


if __name__ == "__main__":
    main()
