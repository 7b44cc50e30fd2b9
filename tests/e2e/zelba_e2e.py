#!/usr/bin/python3
"""End-to-end test of the real program on an Xvfb of its own, typed into with
xdotool and read through the accessibility bus (pyatspi). CTest runs it in a
private D-Bus session: zelba_e2e.py PROGRAM ARTIFACTS [unittest arguments]
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

warnings.filterwarnings("ignore", category=DeprecationWarning)
import pyatspi  # noqa: E402
from gi.repository import Atspi  # noqa: E402

PROGRAM, ARTIFACTS = (os.path.abspath(argument) for argument in sys.argv[1:3])
MAIN, IDEAL, ENERGY = "Zelba 1 - Peso corporeo", "Zelba 1 - Peso ideale", "Zelba 1 - Calorie"
RESULTS = {MAIN: "Valore peso corporeo", IDEAL: "Peso ideale calcolato",
           ENERGY: "Dispendio energetico in kcal al giorno"}  # the result labels' names
ENV = {}  # the programs' environment: the private display, nothing of the caller's desktop
STARTED = []  # every process started here, stopped at the end whatever happens


def wait(read, what, expected=True, timeout=10):
    """Polls read() until it returns `expected` (with True: anything true); its last value."""
    deadline, value = time.monotonic() + timeout, None
    while True:
        try:
            value = read()
        except AssertionError:
            raise
        except Exception as error:  # an accessible that went away while being read
            value = error
        if value == expected or (expected is True and value and not isinstance(value, Exception)):
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: {value!r} after {timeout} s, expected {expected!r}")
        time.sleep(0.05)


def start(command, **options):
    STARTED.append(subprocess.Popen(command, **{"stdin": subprocess.DEVNULL, "env": ENV, **options}))
    return STARTED[-1]


def stop(process):
    process.terminate()
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()


def tool(*command):
    return subprocess.run(command, env=ENV, check=True, capture_output=True, timeout=20).stdout


def start_display():
    """Xvfb on a display it picks itself (-displayfd): its name."""
    reader, writer = os.pipe()
    with open(os.path.join(ARTIFACTS, "xvfb.log"), "w") as log:
        start(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
              pass_fds=(writer,), stdout=log, stderr=subprocess.STDOUT)
    os.close(writer)
    number = b""  # Xvfb may write the number and its line end apart
    while not number.endswith(b"\n") and select.select([reader], [], [], 20)[0]:
        if not (more := os.read(reader, 16)):
            break
        number += more
    if not number.endswith(b"\n"):
        raise RuntimeError(f"Xvfb named no display; see {ARTIFACTS}/xvfb.log")
    return ":" + number.decode().strip()


def find_all(within, role, name):
    return pyatspi.findAllDescendants(within, lambda accessible: accessible is not None and
                                      accessible.getRoleName() == role and re.fullmatch(name, accessible.name))


class Zelba:
    def __init__(self, case, **env):
        self.process = start([PROGRAM], env=dict(ENV, **env))
        case.addCleanup(stop, self.process)
        self.app = wait(self.application, "the program on the accessibility bus", timeout=20)
        self.app.set_cache_mask(Atspi.Cache.NONE)  # read live, not what libatspi last heard
        self.window = self.open(MAIN)

    def application(self):
        assert self.process.poll() is None, f"zelba ended with status {self.process.returncode}"
        apps = [app for app in pyatspi.Registry.getDesktop(0) if app and app.get_process_id() == self.process.pid]
        assert len(apps) <= 1, f"zelba is {len(apps)} applications on the accessibility bus"
        return apps[0] if apps else None

    def open(self, title, role="frame"):
        """The top-level window of that title, once shown, with the keyboard focus."""
        window = self.find(role, re.escape(title), self.app)
        wid = tool("xdotool", "search", "--all", "--sync", "--onlyvisible", "--pid", str(self.process.pid),
                   "--name", f"^{re.escape(title)}$").split()
        assert len(wid) == 1, f"X windows {wid} are {title!r}"
        tool("xdotool", "windowfocus", "--sync", wid[0])
        return window

    def find(self, role, name, within=None):
        return wait(lambda: self.application() and find_all(within or self.window, role, name),
                    f"a {role} {name!r}")[0]

    def text(self, name, within=None):
        return self.find("text", re.escape(name), within).queryText().getText(0, -1)

    def click(self, role, name, within=None):
        accessible = self.find(role, re.escape(name), within)
        wait(lambda: accessible.getState().contains(pyatspi.STATE_ENABLED), f"{name!r} enabled")
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        tool("xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
        return accessible

    def type_into(self, name, keys, expected, within=None):
        """Clicks a box (in the start-up window that empties it), presses keys, waits for `expected`."""
        box = self.click("text", name, within)
        wait(lambda: box.getState().contains(pyatspi.STATE_FOCUSED), f"{name!r} focused")
        press(*keys)
        wait(lambda: self.text(name, within), f"the text of {name!r}", expected)

    def result(self, prefix, value, within=None):
        self.find("label", re.escape(f"{prefix}: {value}"), within)

    def windows(self):
        """Opens each window in turn from the start-up window's menu bar: (title, accessible)."""
        yield MAIN, self.window
        for menu, title in (("Peso ideale", IDEAL), ("Calorie", ENERGY)):
            self.click("menu item", menu)
            window = self.open(title)
            yield title, window
            self.click("push button", "Chiudi", window)
            wait(lambda: find_all(self.app, "frame", title), f"{title!r} to close", [])


def press(*keys):
    tool("xdotool", "key", "--delay", "40", *keys)


class Keyboard(unittest.TestCase):
    def test_typing_in_the_start_up_window(self):
        z = Zelba(self)
        press("1", "comma", "7", "5")  # the focus is there and "Mt" selected: typing replaces it
        wait(lambda: z.text("Statura in metri"), "the height box", "1,75")
        z.type_into("Peso in chilogrammi", ["7", "0"], "70")
        press("alt+c")  # "Chiudi" has another access key: Alt+C presses "Calcola"
        z.result(RESULTS[MAIN], "22")
        # Modified keys type a comma, and so does Ctrl+V (a paste would add no comma).
        z.type_into("Statura in metri", ["1", "alt+period", "alt+a", "alt+minus", "super+b", "ctrl+v", "7"],
                    "1,,,,,7")

    def test_other_windows(self):
        z = Zelba(self)
        z.click("menu item", "Peso ideale")
        window = z.open(IDEAL)
        z.type_into("Altezza dell'uomo in centimetri", ["1", "7", "5", "alt+period", "5"], "175,5", window)
        z.click("push button", "Calcola per l'uomo", window)
        z.result(RESULTS[IDEAL], "75,5", window)
        z.click("push button", "Chiudi", window)
        z.click("menu item", "Calorie")
        window = z.open(ENERGY)
        z.type_into("Età della donna in anni", ["2", "5"], "25", window)
        z.type_into("Peso della donna in chilogrammi", ["6", "0"], "60", window)
        z.click("push button", "Calcola per la donna", window)
        z.result(RESULTS[ENERGY], "2259,92", window)  # 1,64 x (60 x 14,7 + 496)


# What a screen reader finds in every window: its kinds of control, every
# control that takes input or shows a value named, and the result by name.
ROLES = {"menu item", "push button", "text", "label", "panel", "progress bar"}
EXTRA_ROLES = {MAIN: {"image"}, IDEAL: set(), ENERGY: {"radio button", "separator"}}


class Look(unittest.TestCase):
    def test_accessibility_trees(self):
        for title, window in Zelba(self).windows():
            found = [(accessible.getRoleName(), accessible.name)
                     for accessible in pyatspi.findAllDescendants(window, lambda a: a is not None)]
            self.assertLessEqual(ROLES | EXTRA_ROLES[title], {role for role, _ in found}, title)
            named = (ROLES | EXTRA_ROLES[title]) - {"label", "separator"}
            unnamed = [role for role, name in found if not name and role in named]
            self.assertEqual(unnamed, [], f"unnamed in {title}")
            self.assertIn(("label", RESULTS[title]), found, title)

    def test_light_under_a_dark_desktop_theme(self):
        z = Zelba(self, QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME="Adwaita:dark")
        with open(f"/proc/{z.process.pid}/maps") as maps:
            self.assertIn("libgtk-3", maps.read(), "the gtk3 desktop theme is not loaded")
        for title, window in z.windows():
            bar = z.find("menu bar", "", window).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            points = {"menu bar": (bar.x + bar.width - 8, bar.y + bar.height // 2),
                      "window background": (bar.x + 3, bar.y + bar.height + 3)}
            for place, (x, y) in points.items():  # Adwaita's dark grey is 50, 50, 50
                colour = wait(lambda: tuple(tool("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth",
                                                 "8", "rgb:-")), f"the {place} painted", timeout=5)
                self.assertGreaterEqual(min(colour), 180, f"{title}: {place} at {x},{y} is {colour}")


def main():
    signal.signal(signal.SIGTERM, signal.default_int_handler)  # CTest's time-out still cleans up
    os.makedirs(ARTIFACTS, exist_ok=True)
    home = tempfile.mkdtemp(prefix="zelba-e2e-")
    ENV.update({key: value for key, value in os.environ.items()
                if not re.match(r"DISPLAY|WAYLAND_|XAUTHORITY|XDG_|QT_|GTK_|LC_|LANG", key)})
    ENV.update(HOME=home, XDG_RUNTIME_DIR=home, LANG="C.UTF-8", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    try:
        ENV["DISPLAY"] = start_display()
        wait(lambda: pyatspi.Registry.getDesktop(0).get_name() == "main", "the accessibility registry", timeout=30)
        runner = unittest.TextTestRunner(verbosity=2)
        result = unittest.main(argv=sys.argv[:1] + sys.argv[3:], testRunner=runner, exit=False).result
        return 0 if result.wasSuccessful() else 1
    finally:
        for process in reversed(STARTED):
            stop(process)
        shutil.rmtree(home)


if __name__ == "__main__":
    sys.exit(main())
