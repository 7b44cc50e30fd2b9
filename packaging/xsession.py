"""A private X desktop for running the real program: an Xvfb server on a
display of its own (-displayfd, so parallel runs never collide) with the
openbox window manager, which draws the title bars and honours close
requests. Used by the screenshot script and the package test.
"""

import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import time

SCREEN_SIZE = (1280, 1024)
TOOL_TIMEOUT = 15  # seconds for any one helper command (xdotool, xprop, ...)
TOOLS = ("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "wmctrl")

# Variables of the caller's desktop that must not reach the private one.
FOREIGN_VARIABLES = re.compile(
    r"^(DISPLAY|WAYLAND_.*|XAUTHORITY|DBUS_.*|AT_SPI_.*|SESSION_MANAGER|XDG_.*|QT_.*|GTK_.*|GDK_.*|"
    r"NO_AT_BRIDGE|XMODIFIERS|LC_.*|LANGUAGE|LANG|DESKTOP_SESSION)$"
)


class SessionError(Exception):
    """The desktop could not be set up."""


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls `predicate` until it returns a truthy value, which is returned;
    raises AssertionError naming `what` and the last value or error seen
    once `timeout` seconds have passed."""
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
        except Exception as error:  # a tool failed, the window went away...
            last = f"{type(error).__name__}: {error}"
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what} (last: {last})")
        time.sleep(interval)


def missing_tools(tools=TOOLS):
    return [tool for tool in tools if shutil.which(tool) is None]


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


def _die_with_parent():
    """Makes a child get SIGTERM if its parent dies, even by SIGKILL."""
    try:
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except OSError:
        pass


def spawn(command, log, env=None, **kwargs):
    return subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, env=env,
                            preexec_fn=_die_with_parent, **kwargs)


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
    return process.returncode


class XSession:
    """Xvfb plus openbox; use as a context manager. Logs go to `logs`."""

    def __init__(self, logs, env=None):
        self.logs = logs
        self.base_env = dict(os.environ if env is None else env)
        self.display = None
        self._xvfb = None
        self._openbox = None
        self._handles = []

    def __enter__(self):
        try:
            self._start_xvfb()
            self._start_openbox()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *_):
        self.stop()

    @property
    def env(self):
        return dict(self.base_env, DISPLAY=self.display)

    def log(self, name):
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
        stop_process(self._openbox)
        stop_process(self._xvfb)
        for handle in self._handles:
            handle.close()
        self._handles = []

    # -- tools ---------------------------------------------------------------

    def run(self, *command, check=True):
        """Runs a helper tool on this display; its standard output."""
        done = subprocess.run([str(part) for part in command], env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=TOOL_TIMEOUT)
        if check and done.returncode != 0:
            raise AssertionError(f"{' '.join(map(str, command))} failed ({done.returncode}): {done.stderr.strip()}")
        return done.stdout

    def xdotool(self, *arguments):
        return self.run("xdotool", *arguments)

    def window_of(self, pid, title):
        """The id of the one viewable top-level window of process `pid` with
        exactly that title, or None."""
        found = self.run("xdotool", "search", "--all", "--onlyvisible", "--pid", pid, "--name",
                         f"^{re.escape(title)}$", check=False).split()
        if len(found) == 1 and "IsViewable" in self.run("xwininfo", "-id", found[0]):
            return found[0]
        return None

    def find_window(self, pid, title, timeout=20):
        """The window_of(pid, title), once there is one."""
        return wait_until(lambda: self.window_of(pid, title), timeout, f"the window {title!r} of process {pid}")

    def geometry(self, window):
        """(x, y, width, height) of a window, x and y on the screen."""
        info = self.run("xwininfo", "-id", window)
        field = lambda name: int(re.search(rf"^\s*{name}:\s*(-?\d+)", info, re.M).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))

    def frame_geometry(self, window):
        """(x, y, width, height) of a window with the frame openbox drew
        around it (title bar and borders), from _NET_FRAME_EXTENTS."""
        extents = self.run("xprop", "-id", window, "_NET_FRAME_EXTENTS")
        numbers = re.findall(r"\d+", extents.partition("=")[2])
        if len(numbers) != 4:
            raise AssertionError(f"no frame extents on window {window}: {extents.strip()!r}")
        left, right, top, bottom = map(int, numbers)
        x, y, width, height = self.geometry(window)
        return x - left, y - top, width + left + right, height + top + bottom

    def capture(self, area, path=None):
        """The pixels of a screen area as PNG bytes; also written to `path`."""
        x, y, width, height = area
        done = subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                               "-strip", "png:-"], env=self.env, capture_output=True, timeout=TOOL_TIMEOUT)
        if done.returncode != 0:
            raise AssertionError(f"import failed ({done.returncode}): {done.stderr.decode().strip()}")
        if path is not None:
            with open(path, "wb") as file:
                file.write(done.stdout)
        return done.stdout
