#!/usr/bin/python3
"""Walks the accessibility tree of ZOK's main window and of each of its dialogs, as a screen
reader sees them over AT-SPI, and fails on any focusable control that has no name or no role.

Run by CTest as: a11y_tree.py TOUR_PROGRAM ZOK_SIM. It starts everything it needs and stops it
again: the receiver simulator on a pseudo-terminal, Xvfb on a free display, a private D-Bus
session (dbus-run-session) in which the AT-SPI bus is started on demand, then the tour program
(A11yTour.cpp) once in English and once in French.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

# Items of lists and tables are named by their content (an empty cell is no unnamed control).
ITEM_ROLES = {"table cell", "list item", "tree item", "column header", "row header", "separator"}
# Roles that tell a screen reader nothing about what a control is.
NO_ROLES = {"unknown", "invalid", "filler"}
WAIT_SECONDS = 20
TOUR_SECONDS = 120


def log(text):
    print(text, flush=True)


def start_xvfb():
    """Xvfb on a display it picks itself; the display number arrives on a pipe once it is ready."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        xvfb.kill()
        raise SystemExit("a11y: Xvfb did not start")
    return xvfb, ":" + display


def outer(tour, sim):
    try:
        import pyatspi  # noqa: F401  (only checked here; the walk runs in the D-Bus session)
    except ImportError:
        raise SystemExit("a11y: python3-pyatspi is missing for " + sys.executable + " (scripts/deps.sh installs it)")
    for program in ("Xvfb", "dbus-run-session"):
        if not shutil.which(program):
            raise SystemExit(f"a11y: {program} is missing (scripts/deps.sh installs it)")
    started = time.monotonic()
    xvfb, display = start_xvfb()
    simulator = subprocess.Popen([sim], stdout=subprocess.PIPE, text=True)
    try:
        port = simulator.stdout.readline().strip()
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   NO_AT_BRIDGE="0")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        rc = subprocess.call(["dbus-run-session", "--", sys.executable, __file__, "--walk", tour, port], env=env)
    finally:
        simulator.terminate()
        xvfb.terminate()
        simulator.wait()
        xvfb.wait()
    log(f"a11y: walked in {time.monotonic() - started:.1f} s")
    return rc


def wait_for(what, condition):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    raise SystemExit(f"a11y: timed out waiting for {what}")


class Walker:
    def __init__(self, tour):
        self.tour = tour
        self.failures = []
        self.visited = 0

    def ask(self, line):
        self.tour.stdin.write(line + "\n")
        self.tour.stdin.flush()

    def answer(self, prefix):
        while True:
            line = self.tour.stdout.readline()
            if not line:
                raise SystemExit("a11y: the tour program ended early")
            line = line.rstrip("\n")
            if line.startswith(prefix) or line.startswith("MISSING") or line == "DONE":
                return line

    def application(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.tour.pid:
                    return app
            except Exception:
                continue
        return None

    def window(self, title):
        import pyatspi
        app = self.application()
        if app is None:
            return None
        # The newest showing window of that title, the active one first (a dialog may carry the
        # main window's title).
        found = None
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None or window.name != title:
                continue
            state = window.getState()
            if state.contains(pyatspi.STATE_SHOWING):
                if state.contains(pyatspi.STATE_ACTIVE):
                    return window
                found = window
        return found

    def identify(self, node):
        """The control's objectName and class, asked of the program by the control's place."""
        import pyatspi
        try:
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            self.ask(f"who {box.x + box.width // 2} {box.y + box.height // 2}")
            _, _, rest = self.answer("IS ").partition(" ")
            name, _, cls = rest.partition("\t")
            return name, cls
        except Exception:
            return "?", "?"

    def walk(self, step, node, depth=0):
        import pyatspi
        if node is None or depth > 40:
            return
        self.visited += 1
        role = node.getRoleName()
        state = node.getState()
        if role in ITEM_ROLES:
            return
        if state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING):
            problem = "has no accessible name" if not (node.name or "").strip() else \
                "has no role" if role in NO_ROLES else None
            if problem:
                name, cls = self.identify(node)
                self.failures.append(f"{step}: control objectName '{name}' ({cls}, role {role}) {problem}")
        for i in range(node.childCount):
            self.walk(step, node.getChildAtIndex(i), depth + 1)


def walk_language(tour_program, port, language):
    work = tempfile.mkdtemp(prefix="zok-a11y-")
    try:
        with open(os.path.join(work, "ZOK.ini"), "w", newline="") as ini:
            ini.write(f"[ZOK]\r\nSERIAL_PORT={port}\r\nLANGUAGE={language}\r\nRECEIVER_ID=01\r\n")
        tour = subprocess.Popen([tour_program], cwd=work, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True)
        walker = Walker(tour)
        steps = 0
        # A tour that hangs (a window that never comes) is ended, so the walk fails instead of waiting.
        watchdog = threading.Timer(TOUR_SECONDS, tour.kill)
        watchdog.start()
        try:
            while True:
                line = walker.answer("READY ")
                if line == "DONE":
                    break
                if line.startswith("MISSING"):
                    walker.failures.append(f"{line.split()[1]}: the dialog did not open")
                    continue
                step, _, title = line[len("READY "):].partition("\t")
                began = time.monotonic()
                window = wait_for(f"the window '{title}' ({step}) over AT-SPI", lambda: walker.window(title))
                walker.walk(f"{language} {step}", window)
                log(f"a11y: {language} {step}: {walker.visited} objects in {time.monotonic() - began:.1f} s")
                walker.visited = 0
                steps += 1
                walker.ask("next")
        finally:
            watchdog.cancel()
            tour.stdin.close()
            try:
                tour.wait(timeout=WAIT_SECONDS)
            except subprocess.TimeoutExpired:
                tour.kill()
                tour.wait()
        if tour.returncode != 0:
            walker.failures.append(f"{language}: the tour program ended with status {tour.returncode}")
        log(f"a11y: {language}: {steps} windows walked")
        return walker.failures
    finally:
        shutil.rmtree(work, ignore_errors=True)


def inner(tour_program, port):
    failures = []
    for language in ("ENGLISH", "FRENCH"):
        failures += walk_language(tour_program, port, language)
    for failure in failures:
        log("a11y: FAILED: " + failure)
    log(f"a11y: {len(failures)} unnamed controls")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--walk":
        sys.exit(inner(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        sys.exit("usage: a11y_tree.py TOUR_PROGRAM ZOK_SIM")
    sys.exit(outer(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])))
