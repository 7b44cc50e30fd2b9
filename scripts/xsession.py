"""A private X desktop for running the real program: an Xvfb server on a
display of its own (-displayfd, so parallel runs never collide) with the
openbox window manager, which draws the title bars and honours close
requests; and what drives the program there with real X input (xdotool)
and reads its windows (xwininfo, xprop, ImageMagick's import).

Used by the end-to-end test, the screenshot script and the package test:

    sys.path.insert(0, str(Path(__file__).resolve().parents[N] / "scripts"))
    import xsession

    env = xsession.clean_environment(scratch)
    with xsession.XSession(logs, env) as session:
        process = xsession.spawn([program], session.log("zelba.log"), env=session.env)
        wid = session.find_window(process, "Zelba 1 - Peso corporeo")

Every helper process started here dies with the process that started it
(even when that one is killed), and stop_all() ends those still running.
"""

import contextlib
import ctypes
import importlib.util
import os
import re
import select
import shutil
import signal
import subprocess
import time

SCREEN_SIZE = (1280, 1024)
TOOL_TIMEOUT = 15  # seconds for any one helper command (xdotool, xprop, ...)
# What an XSession and its window queries need; capture(), pixels() and
# screenshot() need ImageMagick's import too, run_in_private_bus() dbus-run-session.
TOOLS = ("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "wmctrl")

# Variables of the caller's desktop that must not reach the private one.
FOREIGN_VARIABLES = re.compile(
    r"^(DISPLAY|WAYLAND_.*|XAUTHORITY|DBUS_.*|AT_SPI_.*|SESSION_MANAGER|XDG_.*|QT_.*|GTK_.*|GDK_.*|"
    r"NO_AT_BRIDGE|XMODIFIERS|LC_.*|LANGUAGE|LANG|DESKTOP_SESSION)$"
)


class SessionError(Exception):
    """The desktop could not be set up."""


def wait_until(predicate, timeout=5.0, what="the condition", interval=0.05, shown=None):
    """Polls `predicate` until it returns a truthy value, which is returned.

    Fails with `what` and the last value seen (or the last exception raised
    by the predicate) once `timeout` seconds have passed; `shown`, if given,
    is called then to tell what there was instead. An AssertionError or a
    SessionError from the predicate fails at once.
    """
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            value = predicate()
            if value:
                return value
            last = repr(value)
        except (AssertionError, SessionError):
            raise
        except Exception as error:  # the window went away, a tool failed...
            last = f"{type(error).__name__}: {error}"
        if time.monotonic() >= deadline:
            if shown is not None:
                try:
                    last = repr(shown())
                except Exception as error:
                    last = f"{type(error).__name__}: {error}"
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what} (instead: {last})")
        time.sleep(interval)


def missing_tools(tools=TOOLS, modules=None):
    """Which of the commands `tools` are not on the PATH, and which of the
    Python `modules` (a dict: module name -> the Debian package with it)
    cannot be imported."""
    missing = [tool for tool in tools if shutil.which(tool) is None]
    missing += [f"{module} ({package})" for module, package in (modules or {}).items()
                if importlib.util.find_spec(module) is None]
    return missing


def clean_environment(scratch):
    """The caller's environment without its desktop, in a neutral locale, with
    home and XDG folders of its own under `scratch`."""
    env = {key: value for key, value in os.environ.items() if not FOREIGN_VARIABLES.match(key)}
    folders = {"HOME": "home", "XDG_RUNTIME_DIR": "runtime", "XDG_CONFIG_HOME": "config",
               "XDG_CACHE_HOME": "cache", "XDG_DATA_HOME": "data"}
    for variable, name in folders.items():
        path = os.path.join(scratch, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[variable] = path
    env["LANG"] = "C.UTF-8"
    return env


# -- processes -----------------------------------------------------------------

def die_with_parent():
    """Makes this process get SIGTERM when its parent dies, even by SIGKILL
    (as a child's preexec_fn: the child dies with its starter)."""
    try:
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except OSError:
        pass


_started = []  # the processes spawn() started and stop_process() has not ended, newest last


def spawn(command, log, env=None, stdin=subprocess.DEVNULL, **kwargs):
    """Starts a helper process that dies with this one; its output goes to
    `log` (an open file, or subprocess.DEVNULL)."""
    process = subprocess.Popen(command, stdin=stdin, stdout=log, stderr=subprocess.STDOUT, env=env,
                               preexec_fn=die_with_parent, **kwargs)
    process.log_path = getattr(log, "name", None)
    _started.append(process)
    return process


def ensure_running(process):
    """Fails, naming its status and log, if a spawned process has ended."""
    if process.poll() is not None:
        log = f"; see {process.log_path}" if process.log_path else ""
        raise AssertionError(f"{process.args[0]} exited with status {process.returncode}{log}")


def stop_process(process, timeout=5.0):
    """Ends a process this module started (TERM, then KILL); its status."""
    if process is None:
        return None
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout)
    with contextlib.suppress(ValueError):
        _started.remove(process)
    return process.returncode


def stop_all(timeout=2.0):
    """Ends every process spawn() started that is still there, newest first;
    never fails (for signal handlers and last-ditch cleanup)."""
    for process in reversed(list(_started)):
        with contextlib.suppress(Exception):
            stop_process(process, timeout)


def run_in_private_bus(command, env, **kwargs):
    """Runs `command` inside a private D-Bus session (dbus-run-session) with
    the environment `env` and returns its exit status. The session runs in a
    process group of its own, which a TERM or INT to this process is passed
    on to: whatever the bus started there (the accessibility bus and
    registry) ends with it. `kwargs` go to subprocess.Popen (stdout, ...)."""
    child = subprocess.Popen(["dbus-run-session", "--", *command], env=env, stdin=subprocess.DEVNULL,
                             preexec_fn=die_with_parent, start_new_session=True, **kwargs)

    def end_session(number, _frame):
        with contextlib.suppress(ProcessLookupError):
            os.killpg(child.pid, number)
    previous = {number: signal.signal(number, end_session) for number in (signal.SIGTERM, signal.SIGINT)}
    try:
        return child.wait()
    finally:
        with contextlib.suppress(ProcessLookupError):
            os.killpg(child.pid, signal.SIGTERM)
        for number, handler in previous.items():
            signal.signal(number, handler)


# -- the desktop ---------------------------------------------------------------

class XSession:
    """Xvfb plus openbox, in the environment `env` (default: this process's).
    Use as a context manager, or call start() and stop(). The servers' logs,
    and those log() opens, go to the folder `logs`."""

    def __init__(self, logs, env=None):
        self.logs = logs
        self.base_env = dict(os.environ if env is None else env)
        self.display = None
        self._xvfb = None
        self._openbox = None
        self._handles = []

    def start(self):
        """Starts both servers; on failure stops what started and raises
        SessionError."""
        try:
            self._start_xvfb()
            self._start_openbox()
        except BaseException:
            self.stop()
            raise
        return self

    def __enter__(self):
        return self.start()

    def __exit__(self, *_):
        self.stop()

    @property
    def env(self):
        """The environment for a program on this display (a fresh copy)."""
        return dict(self.base_env, DISPLAY=self.display)

    def log(self, name):
        """A new log file in the logs folder, closed by stop()."""
        handle = open(os.path.join(self.logs, name), "w")
        self._handles.append(handle)
        return handle

    def _start_xvfb(self):
        reader, writer = os.pipe()
        try:
            self._xvfb = spawn(["Xvfb", "-displayfd", str(writer), "-screen", "0",
                                f"{SCREEN_SIZE[0]}x{SCREEN_SIZE[1]}x24", "-nolisten", "tcp", "-noreset"],
                               self.log("xvfb.log"), env=self.base_env, pass_fds=(writer,))
        except OSError as error:
            raise SessionError(f"cannot start Xvfb: {error}") from error
        finally:
            os.close(writer)
        number = b""
        deadline = time.monotonic() + 20
        try:
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise SessionError("Xvfb did not report its display within 20 s")
                ready, _, _ = select.select([reader], [], [], remaining)
                if ready:
                    chunk = os.read(reader, 64)
                    if not chunk:
                        raise SessionError(f"Xvfb exited (status {self._xvfb.wait()}) before reporting a display;"
                                           f" see {self.logs}/xvfb.log")
                    number += chunk
        finally:
            os.close(reader)
        self.display = ":" + number.decode().strip()

    def _start_openbox(self):
        try:
            self._openbox = spawn(["openbox", "--sm-disable"], self.log("openbox.log"), env=self.env)
        except OSError as error:
            raise SessionError(f"cannot start openbox: {error}") from error

        def managing():
            if self._openbox.poll() is not None:
                raise SessionError(f"openbox exited with status {self._openbox.returncode};"
                                   f" see {self.logs}/openbox.log")
            return "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")

        try:
            wait_until(managing, 20, "openbox to manage the screen")
        except AssertionError as error:
            raise SessionError(str(error)) from error

    def stop(self):
        """Ends openbox and Xvfb and closes the logs; may be called again."""
        stop_process(self._openbox)
        stop_process(self._xvfb)
        for handle in self._handles:
            handle.close()
        self._handles = []

    # -- tools -----------------------------------------------------------------

    def run(self, *command, check=True, text=True):
        """Runs a helper tool on this display; its standard output (bytes
        unless `text`). With `check`, a failing tool fails the caller."""
        done = subprocess.run([str(part) for part in command], env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=text, timeout=TOOL_TIMEOUT)
        if check and done.returncode != 0:
            error = done.stderr if text else done.stderr.decode(errors="replace")
            raise AssertionError(f"{' '.join(map(str, command))} failed ({done.returncode}): {error.strip()}")
        return done.stdout

    def xdotool(self, *arguments):
        return self.run("xdotool", *arguments)

    # -- windows ---------------------------------------------------------------

    def window_of(self, pid, title):
        """The id of the one viewable top-level window of process `pid` with
        exactly that title, or None."""
        found = self.run("xdotool", "search", "--all", "--onlyvisible", "--pid", pid, "--name",
                         f"^{re.escape(title)}$", check=False).split()
        if len(found) == 1 and "IsViewable" in self.run("xwininfo", "-id", found[0]):
            return found[0]
        return None

    def find_window(self, process, title, timeout=20):
        """window_of(the spawned process, title), once there is one; fails at
        once if the process ends."""
        def shown():
            ensure_running(process)
            return self.window_of(process.pid, title)
        return wait_until(shown, timeout, f"the window {title!r} of process {process.pid}")

    def visible_windows(self, pid):
        """The ids of the windows of process `pid` on screen."""
        return self.run("xdotool", "search", "--onlyvisible", "--pid", pid, check=False).split()

    def property(self, window, name):
        """xprop's line for a property of a window."""
        return self.run("xprop", "-id", window, name)

    def geometry(self, window):
        """(x, y, width, height) of a window, x and y on the screen."""
        info = self.run("xwininfo", "-id", window)
        field = lambda name: int(re.search(rf"^\s*{name}:\s*(-?\d+)", info, re.M).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))

    def frame_geometry(self, window):
        """(x, y, width, height) of a window with the frame openbox drew
        around it (title bar and borders), from _NET_FRAME_EXTENTS."""
        extents = self.property(window, "_NET_FRAME_EXTENTS")
        numbers = re.findall(r"\d+", extents.partition("=")[2])
        if len(numbers) != 4:
            raise AssertionError(f"no frame extents on window {window}: {extents.strip()!r}")
        left, right, top, bottom = map(int, numbers)
        x, y, width, height = self.geometry(window)
        return x - left, y - top, width + left + right, height + top + bottom

    def icons(self, window):
        """The images of a window's _NET_WM_ICON: (width, height, [(a, r, g, b)])."""
        output = self.run("xprop", "-id", window, "-f", "_NET_WM_ICON", "32c", "=$0+\n", "_NET_WM_ICON")
        if "=" not in output:
            return []
        numbers = [int(n) for n in output.split("=", 1)[1].replace(",", " ").split()]
        images = []
        while len(numbers) >= 2:
            width, height = numbers[:2]
            data, numbers = numbers[2:2 + width * height], numbers[2 + width * height:]
            images.append((width, height, [(p >> 24 & 255, p >> 16 & 255, p >> 8 & 255, p & 255) for p in data]))
        return images

    # -- input -----------------------------------------------------------------

    def activate(self, window):
        """Raises a window and gives it the keyboard focus."""
        self.xdotool("windowactivate", "--sync", window)
        self.xdotool("windowfocus", "--sync", window)

    def pointer(self):
        """(x, y) of the pointer."""
        location = self.xdotool("getmouselocation")
        return tuple(int(re.search(rf"{axis}:(-?\d+)", location).group(1)) for axis in "xy")

    def move_pointer(self, x, y):
        """Moves the pointer and waits until the server has it there."""
        self.xdotool("mousemove", x, y)
        wait_until(lambda: self.pointer() == (x, y), 5, f"the pointer at {x},{y}")

    def click(self, x, y):
        """A click of the first button at a point of the screen."""
        self.move_pointer(x, y)
        self.xdotool("click", "1")

    def press(self, *keys):
        """Presses keys (X keysym names, "ctrl+v" style combinations) in turn."""
        self.xdotool("key", "--delay", "30", *keys)

    # -- pictures --------------------------------------------------------------

    def _grab(self, area, *output):
        x, y, width, height = area
        return self.run("import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage", *output,
                        text=False)

    def capture(self, area, path=None):
        """The pixels of a screen area (x, y, width, height) as PNG bytes; also
        written to `path`."""
        picture = self._grab(area, "-strip", "png:-")
        if path is not None:
            with open(path, "wb") as file:
                file.write(picture)
        return picture

    def pixels(self, area):
        """The pixels of a screen area (x, y, width, height), as a list of (r, g, b)."""
        data = self._grab(area, "-depth", "8", "ppm:-")
        fields, position = [], 0
        while len(fields) < 4:  # P6 width height maxval, separated by white space
            while data[position:position + 1].isspace():
                position += 1
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        body = data[position + 1:]
        if fields[0] != b"P6" or fields[3] != b"255":
            raise AssertionError(f"unexpected image header {fields}")
        return [tuple(body[i:i + 3]) for i in range(0, int(fields[1]) * int(fields[2]) * 3, 3)]

    def screenshot(self, path):
        """The whole screen, written to `path` (a PNG); the path."""
        self.run("import", "-window", "root", path)
        return path
