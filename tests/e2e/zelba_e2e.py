#!/usr/bin/python3
"""The real program on an Xvfb of its own (X11), then in weston (Wayland) in that Xvfb: typed into and clicked
with xdotool, read through the accessibility bus. Run in a private D-Bus session: zelba_e2e.py PROGRAM ARTIFACTS"""

import itertools
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import warnings

warnings.filterwarnings("ignore", category=DeprecationWarning)
import pyatspi  # noqa: E402
from gi.repository import Atspi  # noqa: E402

PROGRAM, ARTIFACTS = (os.path.abspath(argument) for argument in sys.argv[1:3])
MAIN, IDEAL, ENERGY = "Zelba 1 - Peso corporeo", "Zelba 1 - Peso ideale", "Zelba 1 - Calorie"
ENV = {}  # the programs' environment: the private display, nothing of the caller's desktop
STARTED = []  # every process started here, stopped at the end whatever happens
ORCA = None  # the screen reader of the ScreenReader tests
PLATFORM = None  # the run's platform: X11 or Wayland


def wait(read, what, expected=True, timeout=10):
    """Polls read() until it returns `expected` (with True: anything true); its last value."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = read()
        except AssertionError:
            raise
        except Exception as error:  # an accessible that went away while being read
            value = error
        if value == expected or (expected is True and value and not isinstance(value, Exception)):
            return value
        assert time.monotonic() < deadline, f"{what}: {value!r} after {timeout} s, expected {expected!r}"
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
    """Xvfb on a display it picks itself: its name. No key repeats itself: held a little long, it would type twice.
    No reset when the last client leaves: while it resets, a client connecting (weston after the X11 tests) fails."""
    with open(os.path.join(ARTIFACTS, "xvfb.log"), "w") as log:
        xvfb = start(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                      "-ardelay", "60000", "-noreset"], stdout=subprocess.PIPE, stderr=log)
    number = xvfb.stdout.readline().decode().strip()
    assert number, f"Xvfb named no display; see {ARTIFACTS}/xvfb.log"
    return ":" + number


class X11:
    """Zelba's windows on the Xvfb itself, no window manager: found, focused and read with xdotool and xprop."""
    env = {"QT_QPA_PLATFORM": "xcb"}

    def window(self, title, zelba):
        wid = tool("xdotool", "search", "--all", "--sync", "--onlyvisible", "--pid", str(zelba.process.pid),
                   "--name", f"^{re.escape(title)}$").split()
        assert len(wid) == 1, f"X windows {wid} are {title!r}"
        return wid[0]

    def focus(self, title, zelba):
        tool("xdotool", "windowfocus", "--sync", self.window(title, zelba))

    def extents(self, accessible, title, zelba):
        return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    def parent(self, title, zelba):  # WM_TRANSIENT_FOR(WINDOW): window id # 0x400006
        wid = re.findall(rb"window id # (\w+)", tool("xprop", "-id", self.window(title, zelba), "WM_TRANSIENT_FOR"))
        return tool("xdotool", "getwindowname", wid[0]).decode().strip() if wid else None  # else "not found."

    def maximise(self, title, zelba):  # no title bar here; window managers honour the fixed size
        pass


class Wayland:
    """Zelba's windows in weston, in the Xvfb's top left corner. Where each lies is in weston's scene graph,
    what Zelba asked of weston and what it was told in Zelba's own log (WAYLAND_DEBUG)."""
    env = {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DEBUG": "1"}

    def __init__(self):
        config = os.path.join(ENV["HOME"], "weston.ini")
        with open(config, "w") as ini:  # no panel, no fading in (its veil takes the clicks), no on-screen keyboard
            ini.write("[shell]\npanel-position=none\nstartup-animation=none\n[input-method]\npath=\n"
                      "[keyboard]\nrepeat-delay=60000\n")  # as on the Xvfb: no key repeats itself
        with open(os.path.join(ARTIFACTS, "weston.log"), "w") as log:
            start(["weston", "--backend=x11-backend.so", "--socket=zelba-e2e", "--width=1200", "--height=960",
                   "--use-pixman", "--idle-time=0", "--debug", f"--config={config}"], stdout=log, stderr=log)
        ENV["WAYLAND_DISPLAY"] = "zelba-e2e"
        weston = wait(lambda: tool("xdotool", "search", "--class", "Weston Compositor").split(), "weston", timeout=30)
        tool("xdotool", "windowfocus", "--sync", weston[0])  # keys go to weston, and on to its active window
        # The pointer waits outside: weston learns where it is when it enters, and follows it from there.
        tool("xdotool", "mousemove", "1279", "1023")

    def windows(self, drawn=False):  # drawn: once weston has drawn them, and so can point at them
        graph = tool("weston-debug", "scene-graph").decode()
        if drawn and "repaint status: no repaint" not in graph:
            return {}
        return {title: [int(number) for number in corners] for title, *corners in re.findall(
            r"top-level window '(.*)' of .*\n\t\tposition: \((\d+), (\d+)\) -> \((\d+), (\d+)\)\n"
            r"\t\t\[opaque: \((\d+), (\d+)\)", graph)}  # the frame's corners, then the window's own

    def focus(self, title, zelba):  # weston gives a new window the focus
        return wait(lambda: self.windows(drawn=True).get(title), f"{title!r} in weston")

    def extents(self, accessible, title, zelba):  # Qt knows only where in its window each control is
        box, corners = accessible.queryComponent().getExtents(pyatspi.WINDOW_COORDS), self.windows()[title]
        box.x, box.y = box.x + corners[4], box.y + corners[5]
        return box

    def parent(self, title, zelba):  # a new window's parent is set before its title
        titles, parents, found = {}, {}, {}
        for number, of, text in re.findall(r'-> xdg_toplevel[@#](\d+)\.set_(?:parent\(xdg_toplevel[@#](\d+)|title\("(.*)")',
                                           zelba.said()):
            if of:
                parents[number] = titles.get(of)
            else:
                titles[number], found[text] = text, parents.pop(number, None)
        return found.get(title)

    def maximise(self, title, zelba):  # the button Qt draws left of the close box
        def widths():  # weston's sizes for the window since the click, 0 for its own
            number = re.findall(rf'xdg_toplevel[@#](\d+)\.set_title\("{re.escape(title)}"\)', zelba.said())[-1]
            return [int(width) for width in re.findall(rf"xdg_toplevel[@#]{number}\.configure\((\d+),", zelba.said())]
        before, given = self.focus(title, zelba), len(widths())
        tool("xdotool", "mousemove", str(before[2] - 40), str(before[1] + 15), "click", "1")
        wait(lambda: zelba.application() and any(widths()[given:]) and not widths()[-1],
             f"{title!r} maximised, then as it was")
        wait(lambda: self.windows()[title], f"{title!r} where it was", before)


# Roles by number: their names differ between releases ("push button", "button").
MENU_ITEM, BUTTON, TEXT, FRAME = pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_FRAME


def find_all(within, role, name):
    return pyatspi.findAllDescendants(within, lambda accessible: accessible is not None and
                                      accessible.getRole() == role and re.fullmatch(name, accessible.name))


class Zelba:
    def __init__(self, case, **env):
        self.log = os.path.join(ARTIFACTS, f"zelba-{len(STARTED)}.log")
        with open(self.log, "w") as log:
            self.process = start([PROGRAM], env=dict(ENV, **PLATFORM.env, **env), stderr=log)
        case.addCleanup(stop, self.process)
        self.app = wait(self.application, "the program on the accessibility bus", timeout=20)
        self.app.set_cache_mask(Atspi.Cache.NONE)  # read live, not what libatspi last heard
        self.window = self.open(MAIN)

    def said(self):
        return pathlib.Path(self.log).read_text(errors="replace")

    def application(self):
        assert self.process.poll() is None, f"zelba ended with status {self.process.returncode}"
        apps = [app for app in pyatspi.Registry.getDesktop(0) if app and app.get_process_id() == self.process.pid]
        assert len(apps) <= 1, f"zelba is {len(apps)} applications on the accessibility bus"
        return apps[0] if apps else None

    def open(self, title):  # the top-level window of that title, once shown, with the keyboard focus
        window = self.find(FRAME, re.escape(title), self.app)
        PLATFORM.focus(title, self)
        return window

    def find(self, role, name, within=None):
        return wait(lambda: self.application() and find_all(within or self.window, role, name),
                    f"a {role} {name!r}")[0]

    def text(self, name, within=None):
        return self.find(TEXT, re.escape(name), within).queryText().getText(0, -1)

    def click(self, role, name, within=None):
        accessible = self.find(role, re.escape(name), within)
        wait(lambda: accessible.getState().contains(pyatspi.STATE_ENABLED), f"{name!r} enabled")
        box = PLATFORM.extents(accessible, (within or self.window).name, self)
        tool("xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1")
        return accessible

    def type_into(self, name, keys, expected, within=None):  # a click empties a box of the start-up window
        box = self.click(TEXT, name, within)
        wait(lambda: box.getState().contains(pyatspi.STATE_FOCUSED), f"{name!r} focused")
        press(*keys)
        wait(lambda: self.text(name, within), f"the text of {name!r}", expected)

    def close(self, title, window):  # with "Chiudi", and gone before anything else is clicked
        self.click(BUTTON, "Chiudi", window)
        wait(lambda: find_all(self.app, FRAME, title), f"{title!r} to close", [])

    def windows(self):  # each window in turn, opened from the start-up window's menu bar: (title, accessible)
        yield MAIN, self.window
        for menu, title in (("Peso ideale", IDEAL), ("Calorie", ENERGY)):
            self.click(MENU_ITEM, menu)
            window = self.open(title)
            yield title, window
            self.close(title, window)


def press(*keys):
    tool("xdotool", "key", "--delay", "40", *keys)


class Orca:
    """The Orca screen reader, speech off, its own settings; what it would say is in its debug log, read
    through a pseudo-terminal, where Python writes line by line (into a file it would keep a block back)."""

    def __init__(self):
        prefs = tempfile.mkdtemp(prefix="orca-", dir=ENV["HOME"])
        with open(os.path.join(prefs, "user-settings.conf"), "w") as settings:
            json.dump({"general": {"enableSpeech": False}, "pronunciations": {}, "keybindings": {},
                       "profiles": {"default": {"profile": ["Default", "default"]}}}, settings)
        self.said, (self.reader, terminal) = [], os.openpty()  # the terminal stays open here: no EOF between
        threading.Thread(target=self.read, daemon=True).start()
        # Orca refuses to start beside another Orca of the same user (the developer's own screen reader, another
        # run of this test): it starts in a process namespace of its own where the system allows one.
        alone = ["unshare", "--user", "--map-current-user", "--pid", "--fork", "--mount-proc", "--kill-child"]
        alone = alone if subprocess.run(alone + ["true"], stderr=subprocess.DEVNULL).returncode == 0 else []
        for _ in range(3):  # on a loaded machine Orca may give up reaching the bus, and says so
            with open(os.path.join(ARTIFACTS, "orca.out"), "a") as output:
                self.process = start(alone + ["orca", "--user-prefs", prefs, "--debug-file", os.ttyname(terminal)],
                                     stdout=output, stderr=subprocess.STDOUT)
            on_bus = lambda: any(app and app.name == "orca" for app in pyatspi.Registry.getDesktop(0))
            wait(lambda: self.process.poll() is not None or on_bus(), "Orca on the bus or ended", timeout=30)
            if on_bus():
                return
        raise AssertionError(f"Orca did not start: see {ARTIFACTS}/orca.out")

    def read(self):
        log_path = os.path.join(ARTIFACTS, f"orca-{type(PLATFORM).__name__}.log")
        with open(self.reader, "rb") as lines, open(log_path, "wb") as log:
            try:
                for line in lines:
                    log.write(line)
                    # Orca 48 with speech off does not voice a message (an announcement):
                    # it shows in braille what it would say.
                    if said := re.search(rb"(?:SPEECH OUTPUT|Display message): '(.*)'\s*(?:\{.*\}|\(flashTime.*)?\s*$", line):
                        self.said.append(said[1].decode(errors="replace"))
            except OSError:  # Orca has ended
                pass

    def heard(self, pattern, since):
        """Waits for Orca to say `pattern` (and its full stop) after the `since`-th utterance; how often."""
        matching = lambda: [said for said in self.said[since:] if re.fullmatch(pattern + r"\.?", said)]
        return len(wait(matching, f"Orca saying {pattern!r}; it said {self.said[since:]}"))


def answers_every_text_query(window):  # within the bus's time-out: Qt's own line edit hung on some
    for text in (box.queryText() for box in find_all(window, TEXT, ".*")):
        for offset, boundary in itertools.product(range(text.characterCount + 1), range(pyatspi.TEXT_BOUNDARY_LINE_END + 1)):
            for query in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                query(offset, boundary)


class ScreenReader(unittest.TestCase):
    """With Orca running: each result is spoken once, each box whole and with its prompt."""

    @classmethod
    def setUpClass(cls):
        global ORCA
        ORCA = Orca()

    @classmethod
    def tearDownClass(cls):
        stop(ORCA.process)

    def test_start_up_window(self):
        z = Zelba(self)
        z.type_into("Statura in metri", ["1", "comma", "7", "5"], "1,75")
        z.type_into("Peso in chilogrammi", ["7", "0"], "70")
        since = len(ORCA.said)
        press("alt+c")  # "Chiudi" has another access key: Alt+C presses "Calcola"
        z.find(pyatspi.ROLE_NOTIFICATION, "Valore peso corporeo: 22")
        ORCA.heard(r"(notification )?Valore peso corporeo: 22", since)
        z.click(TEXT, "Statura in metri")  # the box's prompt is said with it; the result was said once
        ORCA.heard(r"(Inserire la statura in metri: es; 1,75 )?(Statura in metri )?text", since)
        self.assertEqual(ORCA.heard(r"(notification )?Valore peso corporeo: 22", since), 1, "once, not once a pass")
        answers_every_text_query(z.window)

    def test_other_windows(self):
        z = Zelba(self)
        z.click(MENU_ITEM, "Peso ideale")
        window = z.open(IDEAL)
        z.type_into("Altezza dell'uomo in centimetri", ["1", "7", "5", "comma", "5"], "175,5", window)
        since = len(ORCA.said)
        press("alt+c")
        ORCA.heard(r"(notification )?Peso ideale calcolato: 75,5 \(Uomo\)", since)
        answers_every_text_query(window)
        z.close(IDEAL, window)
        z.click(MENU_ITEM, "Calorie")
        window = z.open(ENERGY)
        z.type_into("Età della donna in anni", ["2", "5"], "25", window)
        z.type_into("Peso della donna in chilogrammi", ["7", "0"], "70", window)
        since = len(ORCA.said)
        press("alt+c")  # 1,64 x (70 x 14,7 + 496)
        ORCA.heard(r"(notification )?Dispendio energetico in kcal al giorno: 2501 "
                   r"\(Donna; metabolismo basale: 1525\)", since)
        z.click(TEXT, "Età della donna in anni", window)
        z.click(TEXT, "Peso della donna in chilogrammi", window)  # all its digits
        ORCA.heard(r"(Inserire il peso: )?(Peso della donna in chilogrammi )?text", since)
        ORCA.heard(r"70", since)
        answers_every_text_query(window)


class Desktop(unittest.TestCase):
    def test_windows_stay_with_their_opener(self):
        """Modal windows and message boxes are transient for their opener. A maximise (Qt draws the button under
        Wayland) leaves every window as it is, with what was typed."""
        z = Zelba(self)
        z.type_into("Statura in metri", ["3"], "3")
        z.type_into("Peso in chilogrammi", ["7", "0"], "70")
        press("alt+c")  # "Statura esagerata!"
        wait(lambda: PLATFORM.parent("Zelba 1", z), "the message's opener", MAIN)
        PLATFORM.maximise("Zelba 1", z)
        press("Return")
        z.click(MENU_ITEM, "Calorie")
        window = z.open(ENERGY)
        self.assertEqual(PLATFORM.parent(ENERGY, z), MAIN)
        PLATFORM.maximise(ENERGY, z)
        z.type_into("Età della donna in anni", ["2", "5"], "25", window)
        z.close(ENERGY, window)
        PLATFORM.maximise(MAIN, z)
        self.assertEqual((z.text("Statura in metri"), z.text("Peso in chilogrammi")), ("3", "70"))


# What a screen reader finds in every window: each control that takes input or shows a value, by its name.
NAMED = {pyatspi.ROLE_TEXT, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_NOTIFICATION,
         pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_IMAGE, pyatspi.ROLE_MENU_ITEM}
SHARED = ["Chiudi", "Avanzamento del calcolo", "File"]
CONTROLS = {
    MAIN: SHARED + ["Statura in metri", "Peso in chilogrammi", "Calcola", "Valore peso corporeo", "Barra del peso",
                    "Peso corporeo", "Peso ideale", "Calorie"],
    IDEAL: SHARED + ["Peso ideale calcolato", "<< Peso corporeo"] + [
        name for sex in ("l'uomo", "la donna") for name in (f"Altezza del{sex} in centimetri", f"Calcola per {sex}")],
    ENERGY: SHARED + ["Dispendio energetico in kcal al giorno", "<< Peso corporeo"] + [
        name for of, to, sex in (("dell'uomo", "per l'uomo", "uomo"), ("della donna", "per la donna", "donna"))
        for name in (f"Età {of} in anni", f"Peso {of} in chilogrammi", f"Metabolismo basale {of}", f"Calcola {to}",
                     f"Attività leggera, {sex}", f"Attività moderata, {sex}", f"Attività pesante, {sex}")]}

class Look(unittest.TestCase):
    def test_accessibility_trees(self):
        for title, window in Zelba(self).windows():
            shown = [accessible for accessible in pyatspi.findAllDescendants(window, lambda a: a is not None)
                     if accessible.getState().contains(pyatspi.STATE_SHOWING)]
            self.assertCountEqual([a.name for a in shown if a.getRole() in NAMED], CONTROLS[title], title)
            unlabelled = [box.name for box in shown if box.getRole() == TEXT and not any(  # read with its prompt
                relation.getRelationType() == pyatspi.RELATION_LABELLED_BY for relation in box.getRelationSet())]
            self.assertEqual(unlabelled, [], title)

    def test_keys_and_look_under_a_dark_desktop_theme(self):
        z = Zelba(self, QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME="Adwaita:dark")
        maps = pathlib.Path(f"/proc/{z.process.pid}/maps").read_text()
        self.assertTrue("libgtk-3" in maps, "the gtk3 desktop theme is not loaded")
        self.assertTrue("/qtbase_it.qm" in maps, "Qt's own texts are not loaded in Italian")  # whatever the locale
        press("1", "comma", "7", "5")  # the focus is there and "Mt" selected: typing replaces it
        wait(lambda: z.text("Statura in metri"), "the height box", "1,75")
        # Modified keys type a comma, and so does Ctrl+V (a paste would add no comma).
        z.type_into("Statura in metri", ["1", "alt+period", "alt+a", "alt+minus", "super+b", "ctrl+v", "7"],
                    "1,,,,,7")
        for title, window in z.windows():
            bar = PLATFORM.extents(z.find(pyatspi.ROLE_MENU_BAR, "", window), title, z)
            points = {"menu bar": (bar.x + bar.width - 8, bar.y + bar.height // 2),
                      "window background": (bar.x + 3, bar.y + bar.height + 3)}
            for place, (x, y) in points.items():  # light once painted; Adwaita's dark grey is 50, 50, 50
                wait(lambda: min(tool("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "rgb:-"))
                     >= 180, f"{title}: the {place} at {x},{y} light")


def main():
    signal.signal(signal.SIGTERM, signal.default_int_handler)  # CTest's time-out still cleans up
    os.makedirs(ARTIFACTS, exist_ok=True)
    home = tempfile.mkdtemp(prefix="zelba-e2e-")
    ENV.update({key: value for key, value in os.environ.items()
                if not re.match(r"DISPLAY|WAYLAND_|XAUTHORITY|XDG_|QT_|GTK_|LC_|LANG", key)})
    ENV.update(HOME=home, XDG_RUNTIME_DIR=home, LANG="C.UTF-8", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    global PLATFORM
    try:
        ENV["DISPLAY"] = start_display()
        wait(lambda: pyatspi.Registry.getDesktop(0).get_name() == "main", "the accessibility registry", timeout=30)
        Atspi.set_timeout(5000, -1)  # a program that does not answer fails the test
        passed = True
        for platform in (X11, Wayland):  # the same checks on both
            print(f"\n{platform.__name__}:", file=sys.stderr)
            PLATFORM = platform()
            passed &= unittest.main(argv=sys.argv[:1] + sys.argv[3:], exit=False, verbosity=2).result.wasSuccessful()
        return 0 if passed else 1
    finally:
        for process in reversed(STARTED):
            stop(process)
        shutil.rmtree(home)


if __name__ == "__main__":
    sys.exit(main())
