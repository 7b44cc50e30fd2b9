#!/usr/bin/python3
"""End-to-end test of the real zelba program.

The script starts everything the program needs by itself: a private D-Bus
session (it runs itself again under dbus-run-session), an Xvfb server on a
display of its own (-displayfd, so parallel runs never collide) and the
openbox window manager. It drives the program with real X11 input (xdotool),
reads its widgets through the AT-SPI accessibility bus (pyatspi) and checks
window facts with xwininfo/xprop. Everything it started is stopped when it
ends, also on failure; a failing case leaves a screenshot of the screen in
the artifacts folder.

    /usr/bin/python3 zelba_e2e.py --program build/dev/zelba [--artifacts DIR] [unittest args]

Debian's /usr/bin/python3 is needed: pyatspi comes from python3-pyatspi.
"""

import argparse
import contextlib
import functools
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import warnings
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import xsession  # noqa: E402
from xsession import wait_until  # noqa: E402

SCREEN_WIDTH, SCREEN_HEIGHT = xsession.SCREEN_SIZE
PYTHON = "/usr/bin/python3"
TOOLS = ("dbus-run-session",) + xsession.TOOLS + ("import", "xclip")
MODULES = {"pyatspi": "python3-pyatspi"}
INNER_MARK = "ZELBA_E2E_PRIVATE_SESSION"

pyatspi = None  # imported inside the private session only
Atspi = None


# --------------------------------------------------------------------------
# Harness (the desktop itself is xsession.XSession)
# --------------------------------------------------------------------------

def _end_everything_and_exit(number, _frame):
    """On TERM or INT: ends what was started, newest first, and exits at
    once (an exception would be taken for a failing test by unittest)."""
    xsession.stop_all(timeout=2)
    os._exit(128 + number)


def role_name(role):
    return Atspi.role_get_name(role)


def centre(extents):
    x, y, width, height = extents
    return x + width // 2, y + height // 2


class Program:
    """One running zelba, seen through X and the accessibility bus."""

    def __init__(self, desktop, path, log_name):
        self.desktop = desktop
        self.path = path
        self.log_name = log_name
        self.process = None
        self.app = None
        self.window = None  # the main window's accessible
        self.wid = None  # its X window id
        self._x_windows = {}  # X window ids by title

    def start(self, title):
        env = self.desktop.env
        env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   LANG="C.UTF-8")
        try:
            self.process = xsession.spawn([self.path], self.desktop.log(self.log_name), env=env)
        except OSError as error:
            raise xsession.SessionError(f"cannot start {self.path}: {error}") from error
        self.app = wait_until(self._application, 20, "the program on the accessibility bus")
        # The program's answers are read live, never from libatspi's cache,
        # which follows only the changes the toolkit announces.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        self.window, self.wid = self.find_window(title, timeout=20)
        return self

    def find_window(self, title, timeout=5.0, role=None):
        """A shown top-level window of the program, a frame unless `role`
        says otherwise: (accessible, X window id)."""
        role = role or pyatspi.ROLE_FRAME

        def single():  # top-level windows are the application's children
            xsession.ensure_running(self.process)
            found = [child for child in self.app
                     if child is not None and (child.getRole(), child.name) == (role, title)]
            assert len(found) <= 1, f"{len(found)} windows are {role_name(role)} {title!r}"
            return found[0] if found else None
        window = wait_until(single, timeout, f"a {role_name(role)} named {title!r}")
        wid = self.desktop.find_window(self.process, title, timeout)
        self._x_windows[title] = wid
        return window, wid

    def _application(self):
        xsession.ensure_running(self.process)
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.process.pid:
                assert app.name == os.path.basename(self.path), f"application named {app.name!r}"
                return app
        return None

    def visible_windows(self):
        """The X ids of the program's windows on screen."""
        return self.desktop.visible_windows(self.process.pid)

    # -- finding -----------------------------------------------------------

    def find_all(self, role, name=None, within=None):
        """Every accessible under `within` (default: the application) with the
        role and a name equal to `name` (a string) or matching it (a regex)."""
        def matches(accessible):
            if accessible is None or accessible.getRole() != role:
                return False
            if name is None:
                return True
            if isinstance(name, re.Pattern):
                return name.fullmatch(accessible.name) is not None
            return accessible.name == name
        return pyatspi.findAllDescendants(within or self.app, matches)

    def find(self, role, name=None, within=None, timeout=5.0):
        """The one accessible with the role and name; fails if there is none
        within `timeout` or if there are several."""
        def single():
            xsession.ensure_running(self.process)
            found = self.find_all(role, name, within)
            assert len(found) <= 1, f"{len(found)} accessibles are {role_name(role)} {name!r}"
            return found[0] if found else None
        return wait_until(single, timeout, f"a {role_name(role)} named {name!r}")

    # -- reading -----------------------------------------------------------

    @staticmethod
    def text_of(accessible):
        return accessible.queryText().getText(0, -1)

    @staticmethod
    def has_state(accessible, state):
        return accessible.getState().contains(state)

    @classmethod
    def is_enabled(cls, accessible):
        return cls.has_state(accessible, pyatspi.STATE_ENABLED)

    @classmethod
    def is_showing(cls, accessible):
        return cls.has_state(accessible, pyatspi.STATE_SHOWING)

    @staticmethod
    def extents(accessible):
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    # -- acting ------------------------------------------------------------

    def window_of(self, accessible):
        """The X window id of the top-level window holding an accessible."""
        node = accessible
        while node is not None and node.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG):
            node = node.parent
        assert node is not None, f"{accessible.name!r} is in no window"
        if node.name not in self._x_windows:
            self.find_window(node.name)
        return self._x_windows[node.name]

    def activate(self, wid=None):
        """Raises a window (default: the main one) and gives it the keyboard focus."""
        self.desktop.activate(wid or self.wid)

    def move_mouse(self, x, y):
        self.desktop.move_pointer(x, y)

    def hover(self, accessible):
        self.move_mouse(*centre(self.extents(accessible)))

    def click(self, accessible):
        self.activate(self.window_of(accessible))
        self.desktop.click(*centre(self.extents(accessible)))

    def press(self, *keys):
        """Presses keys (X keysym names, "ctrl+v" style combinations) in turn."""
        self.desktop.press(*keys)

    def type_into(self, accessible, keys):
        """Clicks a box, waits until it has the focus and presses `keys`."""
        self.click(accessible)
        wait_until(lambda: self.has_state(accessible, pyatspi.STATE_FOCUSED), 5, f"{accessible.name!r} focused")
        if keys:
            self.press(*keys)

    # -- ending ------------------------------------------------------------

    def wait_for_exit(self, timeout=5.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end within {timeout:g} s") from None

    def stop(self):
        xsession.stop_process(self.process)


class ZelbaCase(unittest.TestCase):
    """A test case that talks to a fresh zelba for each test.

    A failing test (or sub-test) leaves a screenshot of the screen, taken at
    the moment it failed, in the artifacts folder.
    """

    desktop = None  # set by main()
    program_path = None
    title = "Zelba 1 - Peso corporeo"
    start_program = True

    def __init_subclass__(cls, **kwargs):
        super().__init_subclass__(**kwargs)
        for name, method in list(vars(cls).items()):
            if name.startswith("test") and callable(method):
                setattr(cls, name, cls._screenshot_on_failure(method))

    @staticmethod
    def _screenshot_on_failure(method):
        @functools.wraps(method)
        def wrapper(self, *args, **kwargs):
            try:
                return method(self, *args, **kwargs)
            except Exception as error:
                self.screenshot(error)
                raise
        return wrapper

    @contextlib.contextmanager
    def subTest(self, msg=unittest.case._subtest_msg_sentinel, **params):
        with super().subTest(msg, **params):
            try:
                yield
            except Exception as error:
                self.screenshot(error, str(msg) if msg is not unittest.case._subtest_msg_sentinel else str(params))
                raise

    def screenshot(self, error, detail=""):
        """Saves the screen as it is when `error` happened (once per error)."""
        if getattr(error, "screenshot_taken", False):
            return
        with contextlib.suppress(AttributeError):
            error.screenshot_taken = True
        name = re.sub(r"[^\w.-]+", "_", f"{self.id()}-{detail}".strip("-"))
        path = os.path.join(self.desktop.logs, f"{name}.png")
        try:
            self.desktop.screenshot(path)
            print(f"\nscreenshot: {path}", file=sys.stderr)
        except Exception as error:  # the failure itself matters more
            print(f"\nno screenshot ({error})", file=sys.stderr)

    start_failure = None  # why the program could not be started, once it could not

    def launch(self, for_class=False):
        """Starts a zelba of its own for this test (or, with `for_class`, for
        the rest of its class); it is stopped afterwards.

        Once the program has failed to start, later tests fail at once with
        that reason instead of waiting for it again.
        """
        if ZelbaCase.start_failure:
            self.fail(f"the program did not start in an earlier test: {ZelbaCase.start_failure}")
        number = getattr(self, "_launches", 0) + 1
        self._launches = number
        program = Program(self.desktop, self.program_path, f"{self.id()}-{number}.log")
        (self.addClassCleanup if for_class else self.addCleanup)(program.stop)
        try:
            return program.start(self.title)
        except Exception as error:
            ZelbaCase.start_failure = f"{type(error).__name__}: {error}"
            self.screenshot(error, "start")
            raise

    def setUp(self):
        # Every test starts with the pointer in a corner, away from any window.
        self.desktop.move_pointer(0, 0)
        if self.start_program:
            self.zelba = self.launch()


# --------------------------------------------------------------------------
# Tests
# --------------------------------------------------------------------------

class StartUpTest(ZelbaCase):
    """The main window as it first appears."""

    def menu_bar_height(self):
        bar = self.zelba.find(pyatspi.ROLE_MENU_BAR, within=self.zelba.window)
        height = self.zelba.extents(bar)[3]
        self.assertTrue(15 <= height <= 40, f"menu bar {height} px tall")
        return height

    def test_title_and_icon(self):
        self.assertEqual(self.desktop.xdotool("getwindowname", self.zelba.wid).rstrip("\n"), self.title)
        self.assertEqual(self.zelba.window.name, self.title)
        # The program's own icon, not the toolkit's stand-in: its largest
        # image shows the purple frame and the navy figure on a light ground.
        images = self.desktop.icons(self.zelba.wid)
        self.assertTrue(images, "the window has no _NET_WM_ICON")
        width, height, pixels = max(images, key=lambda image: image[0] * image[1])
        opaque = [p for alpha, *p in pixels if alpha > 200]
        for colour, name in [((128, 0, 128), "purple"), ((0, 0, 128), "navy"), ((255, 240, 224), "light")]:
            share = sum(tuple(p) == colour for p in opaque) / (width * height)
            self.assertGreater(share, 0.1, f"{name} in the {width}x{height} icon")

    def test_size_and_position(self):
        x, y, width, height = self.desktop.geometry(self.zelba.wid)
        self.assertEqual((width, height), (728, 506 + self.menu_bar_height()))
        self.assertEqual(self.zelba.extents(self.zelba.window), (x, y, width, height),
                         "the accessible window lies where X has it")
        # Centred on the screen, give or take the title bar the manager adds.
        centre_x, centre_y = x + width / 2, y + height / 2
        self.assertLessEqual(abs(centre_x - SCREEN_WIDTH / 2), 8, f"window at {x},{y}")
        self.assertLessEqual(abs(centre_y - SCREEN_HEIGHT / 2), 40, f"window at {x},{y}")

    def test_not_resizable(self):
        hints = self.desktop.property(self.zelba.wid, "WM_NORMAL_HINTS")
        def size(kind):
            found = re.search(rf"program specified {kind} size: (\d+) by (\d+)", hints)
            return tuple(map(int, found.groups())) if found else None
        _, _, width, height = self.desktop.geometry(self.zelba.wid)
        self.assertEqual(size("minimum"), (width, height), hints)
        self.assertEqual(size("maximum"), (width, height), hints)
        # A resize request through the window manager changes nothing. The
        # move requested right after it is the sign that both were handled.
        self.desktop.xdotool("windowsize", self.zelba.wid, width + 100, height + 80)
        self.desktop.xdotool("windowmove", self.zelba.wid, 40, 60)
        moved = wait_until(lambda: (lambda g: g if g[:2] != (0, 0) and g[0] <= 60 else None)(
            self.desktop.geometry(self.zelba.wid)), 5, "the window to move")
        self.assertEqual(moved[2:], (width, height))

    def test_menu_bar(self):
        bar = self.zelba.find(pyatspi.ROLE_MENU_BAR, within=self.zelba.window)
        items = [item for item in bar if item.getRole() == pyatspi.ROLE_MENU_ITEM]
        self.assertEqual([item.name for item in items], ["Peso corporeo", "File", "Peso ideale", "Calorie"])
        for item in items:
            self.assertTrue(self.zelba.is_showing(item), item.name)
        xs = [self.zelba.extents(item)[0] for item in items]
        self.assertEqual(xs, sorted(xs), "the menus are shown left to right in that order")


class BodyWeightTest(ZelbaCase):
    """The body-weight window: entering height and weight and computing."""

    def setUp(self):
        super().setUp()
        z = self.zelba
        self.height = z.find(pyatspi.ROLE_TEXT, "Statura in metri")
        self.weight = z.find(pyatspi.ROLE_TEXT, "Peso in chilogrammi")
        self.calculate = z.find(pyatspi.ROLE_PUSH_BUTTON, "Calcola")
        self.result = z.find(pyatspi.ROLE_LABEL, re.compile(r"Valore peso corporeo(: .*)?"))

    def text_becomes(self, box, expected):
        wait_until(lambda: self.zelba.text_of(box) == expected, 5, f"{box.name!r} to read {expected!r}",
                   shown=lambda: self.zelba.text_of(box))

    def enter(self, box, keys):
        """Clicks a box (which empties it) and types keys into it."""
        self.zelba.type_into(box, keys)

    def test_initial_state(self):
        z = self.zelba
        # role, name, text (None: no text to read), enabled
        expected = [
            (pyatspi.ROLE_TEXT, "Statura in metri", "Mt", True),
            (pyatspi.ROLE_TEXT, "Peso in chilogrammi", "Kg", False),
            (pyatspi.ROLE_PUSH_BUTTON, "Calcola", None, False),
            (pyatspi.ROLE_PUSH_BUTTON, "Chiudi", None, True),
            (pyatspi.ROLE_LABEL, "Valore peso corporeo", None, True),
            (pyatspi.ROLE_LABEL, "Tabella", None, True),
        ]
        for role, name, text, enabled in expected:
            with self.subTest(name):
                accessible = z.find(role, name)
                self.assertTrue(z.is_showing(accessible))
                self.assertEqual(z.is_enabled(accessible), enabled)
                if text is not None:
                    self.assertEqual(z.text_of(accessible), text)
        table = z.find(pyatspi.ROLE_TEXT, "Tabella dei valori")
        self.assertFalse(z.is_showing(table), "the threshold table starts hidden")
        self.assertTrue(z.has_state(self.height, pyatspi.STATE_FOCUSED), "the height box has the focus")

    def test_height_box_keys(self):
        # keys pressed after clicking the box, the text they leave
        cases = [
            (["1", "period", "7", "5"], "1,75"),
            (["1", "comma", "8", "0"], "1,80"),
            (["1", "a", "7", "minus", "5"], "1,7,5"),
            (["space", "6"], ",6"),
            (["1", "2", "BackSpace", "7"], "17"),
            (["shift+q", "1"], ",1"),
        ]
        for keys, expected in cases:
            with self.subTest(" ".join(keys)):
                self.enter(self.height, [])
                self.text_becomes(self.height, "")
                self.zelba.press(*keys)
                self.text_becomes(self.height, expected)

    def test_typed_text(self):
        # xdotool type sends the characters of a string, as a paste-free typist would
        self.enter(self.height, [])
        self.text_becomes(self.height, "")
        self.desktop.xdotool("type", "--delay", "30", "1.75")
        self.text_becomes(self.height, "1,75")

    def test_ctrl_v_types_a_comma(self):
        clipboard = xsession.spawn(["xclip", "-quiet", "-selection", "clipboard"], subprocess.DEVNULL,
                                   stdin=subprocess.PIPE, env=self.desktop.env)
        self.addCleanup(xsession.stop_process, clipboard)
        clipboard.stdin.write(b"99")
        clipboard.stdin.close()
        wait_until(lambda: self.desktop.run("xclip", "-o", "-selection", "clipboard", check=False) == "99", 5,
                   "the clipboard to hold 99", shown=lambda: self.desktop.run("xclip", "-o", "-selection",
                                                                             "clipboard", check=False))
        self.enter(self.height, ["1"])  # the key also enables the weight box
        wait_until(lambda: self.zelba.is_enabled(self.weight), 5, "the weight box to be enabled")
        for box in (self.height, self.weight):
            with self.subTest(box.name):
                self.enter(box, ["1"])
                self.text_becomes(box, "1")
                self.zelba.press("ctrl+v")
                self.text_becomes(box, "1,")
                self.zelba.press("2")  # whatever came after the comma would show before this
                self.text_becomes(box, "1,2")

    def test_first_key_enables_weight_box(self):
        z = self.zelba
        self.enter(self.height, [])
        self.text_becomes(self.height, "")
        self.assertFalse(z.is_enabled(self.weight), "a click is not a key")
        z.press("1")
        self.text_becomes(self.height, "1")
        wait_until(lambda: z.is_enabled(self.weight), 5, "the weight box to be enabled")
        self.assertFalse(z.is_enabled(self.calculate))
        self.enter(self.weight, [])
        self.text_becomes(self.weight, "")
        self.assertFalse(z.is_enabled(self.calculate), "an empty weight does not enable Calcola")
        z.press("7", "0")
        self.text_becomes(self.weight, "70")
        wait_until(lambda: z.is_enabled(self.calculate), 5, "Calcola to be enabled")

    def test_calculation(self):
        z = self.zelba
        self.assertEqual(self.result.name, "Valore peso corporeo")
        # height keys, weight keys, how Calcola is pressed, result shown
        cases = [
            ("1.75", "70", "click", "22"),
            ("1.80", "81", "alt+c", "25"),
            ("1.60", "90", "Tab space", "35"),
            ("1,75", "70", "Tab Return", "22"),
        ]
        for height, weight, how, expected in cases:
            with self.subTest(f"{height} m, {weight} kg, {how}"):
                self.enter(self.height, [{".": "period", ",": "comma"}.get(c, c) for c in height])
                self.text_becomes(self.height, height.replace(".", ","))
                self.enter(self.weight, list(weight))
                self.text_becomes(self.weight, weight)
                wait_until(lambda: z.is_enabled(self.calculate), 5, "Calcola to be enabled")
                if how == "click":
                    z.click(self.calculate)
                else:
                    z.press(*how.split())
                name = f"Valore peso corporeo: {expected}"
                wait_until(lambda: self.result.name == name, 10, f"the result {name!r}",
                           shown=lambda: self.result.name)

    def test_threshold_table_on_hover(self):
        z = self.zelba
        table = z.find(pyatspi.ROLE_TEXT, "Tabella dei valori")
        label = z.find(pyatspi.ROLE_LABEL, "Tabella")
        self.assertEqual(z.text_of(table).split("\n")[1:5],
                         ["     25 = Sovrappeso", "     30 = Obesità", "     35 = Allarmante",
                          "     40 = Pericolo di vita!"])
        wx, wy, ww, wh = z.extents(z.window)
        menu_bottom = sum(z.extents(z.find(pyatspi.ROLE_MENU_BAR, within=z.window))[1::2])
        left_frame = z.extents(z.find(pyatspi.ROLE_PANEL, "Statura e peso"))
        result_frame = z.extents(z.find(pyatspi.ROLE_PANEL, "Valore peso corporeo"))
        between_x = (left_frame[0] + left_frame[2] + result_frame[0]) // 2
        # where the pointer goes to hide the table again
        away = [
            ("window background at the left edge", (wx + 3, menu_bottom + 3)),
            ("between the frames", (between_x, result_frame[1] + result_frame[3] // 2)),
            ("result frame, above the table", (result_frame[0] + 20, result_frame[1] + 20)),
        ]
        peach = (255, 224, 192)
        for place, point in away:
            with self.subTest(place):
                z.activate()
                z.hover(label)
                wait_until(lambda: z.is_showing(table), 5, "the table to show")
                area = z.extents(table)
                self.assertTrue(area[2] > 100 and area[3] > 100, f"table at {area}")
                share = lambda: sum(p == peach for p in self.desktop.pixels(area)) / (area[2] * area[3])
                wait_until(lambda: share() > 0.5, 5, "the table's peach background on screen")
                z.move_mouse(*point)
                wait_until(lambda: not z.is_showing(table), 5, "the table to hide")
                wait_until(lambda: share() < 0.01, 5, "the peach background to go")


class ClosingTest(ZelbaCase):
    """Ending the program."""

    start_program = False

    def test_close_button(self):
        zelba = self.launch()
        zelba.click(zelba.find(pyatspi.ROLE_PUSH_BUTTON, "Chiudi"))
        self.assertEqual(zelba.wait_for_exit(5), 0)

    def test_window_manager_close(self):
        # how the window manager is asked to close the window
        requests = {
            "close request (wmctrl -c)": lambda z: self.desktop.run("wmctrl", "-i", "-c", z.wid),
            "Alt+F4": lambda z: (z.activate(), z.press("alt+F4")),
        }
        for how, close in requests.items():
            with self.subTest(how):
                zelba = self.launch()
                close(zelba)
                self.assertEqual(zelba.wait_for_exit(5), 0)


class ModalWindowCase(ZelbaCase):
    """A window that the start-up window opens modally from its menu bar.

    The tests of a class share one program: each opens the window and closes
    it again. A test that leaves more than the start-up window on screen
    ends the program, and the next test starts a fresh one.
    """

    start_program = False
    menu_item = window_title = result_name = None  # set by each class
    shared = None

    def setUp(self):
        super().setUp()
        cls = type(self)
        if cls.shared is None or cls.shared.process.poll() is not None:
            cls.shared = self.launch(for_class=True)
        self.zelba = cls.shared
        self.addCleanup(self.end_program_unless_clean)

    def end_program_unless_clean(self):
        if self.zelba.process.poll() is None and self.zelba.visible_windows() != [self.zelba.wid]:
            self.zelba.stop()

    def open_window(self):
        z = self.zelba
        z.click(z.find(pyatspi.ROLE_MENU_ITEM, self.menu_item, within=z.window))
        self.window, self.wid = z.find_window(self.window_title)
        self.parts = {}

    def assert_closed(self):
        z = self.zelba
        wait_until(lambda: z.visible_windows() == [z.wid] and
                   all(child.name != self.window_title for child in z.app if child is not None), 5,
                   f"{self.window_title!r} to close", shown=z.visible_windows)
        self.assertIsNone(z.process.poll(), "the program ended")

    def part(self, kind, name=None):
        """A control of the window: a "box", "button", "option", "label" or the "result"."""
        if (kind, name) not in self.parts:
            z = self.zelba
            if kind == "result":  # the lowest label of that name: a heading above it may share it
                pattern = re.compile(rf"{re.escape(self.result_name)}(: .*)?")
                found = wait_until(lambda: z.find_all(pyatspi.ROLE_LABEL, pattern, within=self.window), 5,
                                   f"the result label {self.result_name!r}")
                self.parts[kind, name] = max(found, key=lambda label: z.extents(label)[1])
            else:
                role = {"box": pyatspi.ROLE_TEXT, "button": pyatspi.ROLE_PUSH_BUTTON,
                        "option": pyatspi.ROLE_RADIO_BUTTON, "label": pyatspi.ROLE_LABEL}[kind]
                self.parts[kind, name] = z.find(role, name, within=self.window)
        return self.parts[kind, name]

    def read(self, kind, name):
        """A box's text, whether a button is enabled, an option checked or a
        label showing, or the result's accessible name."""
        z, accessible = self.zelba, self.part(kind, name)
        readers = {"box": z.text_of, "button": z.is_enabled, "label": z.is_showing,
                   "option": lambda a: z.has_state(a, pyatspi.STATE_CHECKED), "result": lambda a: a.name}
        return readers[kind](accessible)

    def expect(self, rows):
        """Waits until every (kind, name, value) row reads its value."""
        def differing():
            return [(kind, name, f"{self.read(kind, name)!r} instead of {value!r}") for kind, name, value in rows
                    if self.read(kind, name) != value]
        wait_until(lambda: not differing(), 5, "the window to read as expected", shown=differing)

    def enter(self, name, text):
        """Types digits into a box after erasing what it held (a click leaves it)."""
        z, box = self.zelba, self.part("box", name)
        z.type_into(box, ["End"] + ["BackSpace"] * len(z.text_of(box)) + list(text))
        self.expect([("box", name, text)])

    def calculate(self, button, message=None, close_with="Return"):
        """Clicks a Calcola button; a `message` expected instead of the result
        is checked and the message box closed with Enter or its "OK" button."""
        z = self.zelba
        z.click(self.part("button", button))
        if message is None:
            return
        box, wid = z.find_window("Zelba 1", timeout=10, role=pyatspi.ROLE_ALERT)
        self.assertEqual([label.name for label in z.find_all(pyatspi.ROLE_LABEL, within=box) if label.name],
                         [message])
        z.activate(wid)
        if close_with == "OK":
            z.hover(z.find(pyatspi.ROLE_PUSH_BUTTON, "OK", within=box))
            self.desktop.xdotool("click", "1")
        else:
            z.press(close_with)
        wait_until(lambda: all(child.getRole() != pyatspi.ROLE_ALERT for child in z.app if child is not None)
                   and wid not in z.visible_windows(), 5, "the message box to close")


MAN_HEIGHT, WOMAN_HEIGHT = "Altezza dell'uomo in centimetri", "Altezza della donna in centimetri"
FOR_MAN, FOR_WOMAN = "Calcola per l'uomo", "Calcola per la donna"


class IdealWeightTest(ModalWindowCase):
    """The ideal-weight window."""

    menu_item, window_title, result_name = "Peso ideale", "Zelba 1 - Peso ideale", "Peso ideale calcolato"
    as_designed = [("box", MAN_HEIGHT, ""), ("box", WOMAN_HEIGHT, ""), ("result", None, "Peso ideale calcolato"),
                   ("button", FOR_MAN, False), ("button", FOR_WOMAN, False),
                   ("label", "Uomo", False), ("label", "Donna", False)]

    def test_modal_over_the_start_up_window(self):
        z = self.zelba
        height = z.find(pyatspi.ROLE_TEXT, "Statura in metri", within=z.window)
        z.type_into(height, ["1"])
        wait_until(lambda: z.text_of(height) == "1", 5, "the start-up height box to read 1")
        self.open_window()
        geometry = self.desktop.geometry(self.wid)
        self.assertEqual(geometry, self.desktop.geometry(z.wid), "same size and place as the start-up window")
        self.assertIn("_NET_WM_STATE_MODAL", self.desktop.property(self.wid, "_NET_WM_STATE"))
        # Moved aside, the window uncovers the start-up window's height box.
        box = z.extents(height)
        self.desktop.xdotool("windowmove", self.wid, SCREEN_WIDTH - geometry[2], geometry[1])
        wait_until(lambda: self.desktop.geometry(self.wid)[0] > box[0] + box[2], 5, "the window to move aside")
        z.move_mouse(*centre(box))
        self.desktop.xdotool("click", "1")
        # The program handles the input in turn: once a key typed after that
        # click has reached this window, the click has been dealt with too.
        z.type_into(self.part("box", MAN_HEIGHT), ["1"])
        self.expect([("box", MAN_HEIGHT, "1"), ("button", FOR_MAN, True), ("button", FOR_WOMAN, False)])
        self.assertEqual(z.text_of(height), "1", "the click on the start-up window emptied its height box")
        self.assertFalse(z.has_state(height, pyatspi.STATE_FOCUSED))
        z.click(self.part("button", "Chiudi"))
        self.assert_closed()

    def test_calculation(self):
        z = self.zelba
        self.open_window()
        self.expect(self.as_designed)
        for box in (MAN_HEIGHT, WOMAN_HEIGHT):
            z.type_into(self.part("box", box), [])
        self.expect([("button", FOR_MAN, False), ("button", FOR_WOMAN, False)])  # a click is not a key
        z.press("1")
        self.expect([("box", WOMAN_HEIGHT, "1"), ("button", FOR_MAN, False), ("button", FOR_WOMAN, True)])
        # height box, cm, Calcola, message instead of a result, result shown then, sex label shown, hidden
        cases = [
            (MAN_HEIGHT, "175", FOR_MAN, None, "75", "Uomo", "Donna"),
            (WOMAN_HEIGHT, "90", FOR_WOMAN, "Altezza non valida!", "75", "Uomo", "Donna"),
            (WOMAN_HEIGHT, "175", FOR_WOMAN, None, "71", "Donna", "Uomo"),
            (MAN_HEIGHT, "100", FOR_MAN, "Altezza non valida!", "71", "Donna", "Uomo"),
            (MAN_HEIGHT, "101", FOR_MAN, None, "1", "Uomo", "Donna"),
        ]
        for box, height, button, message, result, shown, hidden in cases:
            with self.subTest(f"{box}: {height}"):
                self.enter(box, height)
                self.calculate(button, message)
                self.expect([("result", None, f"Peso ideale calcolato: {result}"), ("label", shown, True),
                             ("label", hidden, False)])
        z.click(self.part("button", "Chiudi"))
        self.assert_closed()

    def test_closing(self):
        z = self.zelba
        height = z.find(pyatspi.ROLE_TEXT, "Statura in metri", within=z.window)
        ways = {
            "Chiudi": lambda: z.click(self.part("button", "Chiudi")),
            "menu item << Peso corporeo":
                lambda: z.click(z.find(pyatspi.ROLE_MENU_ITEM, "<< Peso corporeo", within=self.window)),
            "window manager's close request (wmctrl -c)": lambda: self.desktop.run("wmctrl", "-i", "-c", self.wid),
        }
        self.open_window()
        for how, close in ways.items():
            with self.subTest(how):
                self.enter(MAN_HEIGHT, "175")
                self.calculate(FOR_MAN)
                self.expect([("result", None, "Peso ideale calcolato: 75"), ("label", "Uomo", True)])
                z.type_into(self.part("box", WOMAN_HEIGHT), ["2"])
                close()
                self.assert_closed()
                # The start-up window takes input again: a key, then a click that empties the box.
                for keys, text in ((["1"], "1"), ([], "")):
                    z.type_into(height, keys)
                    wait_until(lambda: z.text_of(height) == text, 5, f"the start-up height box to read {text!r}")
                self.open_window()
                self.expect(self.as_designed)
        z.click(self.part("button", "Chiudi"))
        self.assert_closed()


ENERGY = "Dispendio energetico in kcal al giorno"


class EnergyTest(ModalWindowCase):
    """The energy window."""

    menu_item, window_title, result_name = "Calorie", "Zelba 1 - Calorie", ENERGY
    # each sex's age, weight and basal metabolism boxes and its Calcola
    columns = {
        "man": ("Età dell'uomo in anni", "Peso dell'uomo in chilogrammi", "Metabolismo basale dell'uomo", FOR_MAN),
        "woman": ("Età della donna in anni", "Peso della donna in chilogrammi", "Metabolismo basale della donna",
                  FOR_WOMAN),
    }

    def test_calculation(self):
        z = self.zelba
        self.open_window()
        self.expect([("result", None, ENERGY), ("button", FOR_MAN, False), ("button", FOR_WOMAN, False),
                     ("label", "Uomo", False), ("label", "Donna", False),
                     ("option", "Attività moderata, uomo", True), ("option", "Attività moderata, donna", True)])
        too_young = "Il calcolo vale solo per età superiori a 18 anni."
        # sex, age, weight, activity clicked (None: moderate, as it was), message, then: expenditure, basal, sex shown
        cases = [
            ("man", "40", "70", None, None, "3009,98", "1691", "Uomo"),
            ("woman", "25", "60", "leggera", None, "2149,68", "1378", "Donna"),
            # Refused: the result, the basal metabolism and the label stay.
            ("man", "17", "70", None, too_young, "2149,68", "1691", "Donna"),
            ("man", "18", "70", None, too_young, "2149,68", "1691", "Donna"),
        ]
        for sex, age, weight, activity, message, energy, basal, shown in cases:
            with self.subTest(f"{sex}, {age} years, {weight} kg"):
                age_box, weight_box, basal_box, button = self.columns[sex]
                self.enter(age_box, age)
                self.enter(weight_box, weight)
                if activity:
                    whose = "uomo" if sex == "man" else "donna"
                    z.click(self.part("option", f"Attività {activity}, {whose}"))
                    self.expect([("option", f"Attività {activity}, {whose}", True),
                                 ("option", f"Attività moderata, {whose}", False)])
                self.calculate(button, message, close_with="OK")
                hidden = "Donna" if shown == "Uomo" else "Uomo"
                self.expect([("result", None, f"{ENERGY}: {energy}"), ("box", basal_box, basal),
                             ("label", shown, True), ("label", hidden, False)])
        z.click(self.part("button", "Chiudi"))
        self.assert_closed()


# --------------------------------------------------------------------------
# Entry point
# --------------------------------------------------------------------------

def parse_arguments(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True, help="the zelba executable")
    parser.add_argument("--artifacts", default=None,
                        help="folder for logs and failure screenshots (default: a temporary one)")
    parser.add_argument("--time-limit", type=int, default=0,
                        help="seconds after which the run gives up, ending all it started (default: none)")
    return parser.parse_known_args(argv)


def run_in_private_session(argv):
    """Runs this script again inside a private D-Bus session, in a clean
    environment, and returns its exit status."""
    missing = xsession.missing_tools(TOOLS, MODULES)
    if missing:
        print(f"FAILED: missing {', '.join(missing)}; scripts/install-deps installs them", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory(prefix="zelba-e2e-") as scratch:
        env = xsession.clean_environment(scratch)
        env[INNER_MARK] = "1"
        return xsession.run_in_private_bus([PYTHON, os.path.abspath(__file__), *argv], env)


def run_tests(argv):
    global pyatspi, Atspi
    arguments, rest = parse_arguments(argv)
    artifacts = arguments.artifacts or tempfile.mkdtemp(prefix="zelba-e2e-artifacts-")
    os.makedirs(artifacts, exist_ok=True)
    for name in os.listdir(artifacts):  # what an earlier run left would mislead
        if name.endswith((".png", ".log")):
            os.remove(os.path.join(artifacts, name))
    program = os.path.abspath(arguments.program)
    if not os.access(program, os.X_OK):
        print(f"FAILED: {program} is not an executable program", file=sys.stderr)
        return 1
    xsession.die_with_parent()  # should dbus-run-session go, this process goes too, cleaning up
    warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")
    import pyatspi as _pyatspi
    from gi.repository import Atspi as _Atspi
    pyatspi, Atspi = _pyatspi, _Atspi

    # A TERM (CTest's time-out, a forwarded Ctrl+C) still stops what was started.
    signal.signal(signal.SIGTERM, _end_everything_and_exit)
    signal.signal(signal.SIGINT, _end_everything_and_exit)
    if arguments.time_limit > 0:
        def out_of_time(number, frame):
            print(f"\nFAILED: the run took longer than {arguments.time_limit} s", file=sys.stderr)
            _end_everything_and_exit(number, frame)
        signal.signal(signal.SIGALRM, out_of_time)
        signal.alarm(arguments.time_limit)

    desktop = xsession.XSession(artifacts)
    try:
        try:
            desktop.start()
        except xsession.SessionError as error:
            print(f"FAILED: {error}", file=sys.stderr)
            return 1
        print(f"display {desktop.display}, artifacts in {artifacts}", file=sys.stderr)
        ZelbaCase.desktop = desktop
        ZelbaCase.program_path = program
        started = time.monotonic()
        result = unittest.main(module=__name__, argv=[sys.argv[0], *rest], exit=False, verbosity=2,
                               warnings=False).result
        failed = len({getattr(test, "test_case", test).id() for test, _ in result.failures + result.errors}
                     | {test.id() for test in result.unexpectedSuccesses})
        passed = result.testsRun - failed - len(result.skipped)
        print(f"e2e: {passed} passed, {failed} failed in {time.monotonic() - started:.1f} s", file=sys.stderr)
        return 0 if result.wasSuccessful() and not result.skipped else 1
    finally:
        desktop.stop()


def main():
    if os.environ.get(INNER_MARK) == "1":
        return run_tests(sys.argv[1:])
    return run_in_private_session(sys.argv[1:])


if __name__ == "__main__":
    sys.exit(main())
