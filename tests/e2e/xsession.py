"""xsession.py: a private X server for driving the real game in end-to-end tests."""

import argparse
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

# Green of the board's hole and margins, and of the main window's face.
GREEN = (0, 128, 0)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# twm asks the user to place every new window by hand unless told otherwise, which would stall a
# test for ever; these settings let windows appear where they ask to be, with no grabs. Without
# X font packages the server has only its built-in "fixed", and twm quits when a font is missing.
TWM_CONFIG = """\
RandomPlacement
UsePPosition "on"
NoGrabServer
DecorateTransients
TitleFont "fixed"
ResizeFont "fixed"
MenuFont "fixed"
IconFont "fixed"
IconManagerFont "fixed"
"""


class XSessionError(RuntimeError):
    pass


def wait_until(condition, timeout, interval=0.05):
    """Asks the condition again until it holds or the time is up; its last answer.

    The deadline is generous on purpose: it only bounds how long a real fault takes to show, and a
    loaded machine passes as soon as the condition holds.
    """
    deadline = time.monotonic() + timeout
    while True:
        answer = condition()
        if answer or time.monotonic() >= deadline:
            return answer
        time.sleep(interval)


class Screenshot:
    """Pixels of the whole root window, 8 bits per channel, read from a binary PPM."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    @classmethod
    def from_ppm(cls, data):
        # Header: magic, width, height, maximum, each separated by whitespace; comments are rare
        # from ImageMagick but allowed by the format, so they are skipped.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        pos += 1
        if fields[0] != b"P6":
            raise XSessionError("screenshot is not a binary PPM (magic %r)" % fields[0])
        width, height, maximum = (int(f) for f in fields[1:])
        if maximum != 255:
            raise XSessionError("screenshot has %d levels per channel; want 8-bit" % maximum)
        rgb = data[pos:pos + width * height * 3]
        if len(rgb) != width * height * 3:
            raise XSessionError("screenshot is truncated")
        return cls(width, height, rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        i = (y * self.width + x) * 3
        return (self.rgb[i], self.rgb[i + 1], self.rgb[i + 2])

    def crop(self, x, y, w, h):
        rows = []
        for row in range(y, y + h):
            i = (row * self.width + x) * 3
            rows.append(self.rgb[i:i + w * 3])
        return Screenshot(w, h, b"".join(rows))

    def save_png(self, path):
        # Written by hand so a failure leaves a picture even where no converter is installed.
        raw = b"".join(b"\x00" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
                       for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        png = (b"\x89PNG\r\n\x1a\n" +
               chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)) +
               chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
        with open(path, "wb") as out:
            out.write(png)


class Window:
    def __init__(self, wid, title, x, y, width, height):
        self.wid = wid
        self.title = title
        self.x = x
        self.y = y
        self.width = width
        self.height = height

    def __repr__(self):
        return "Window(%s %r at %d,%d size %dx%d)" % (
            self.wid, self.title, self.x, self.y, self.width, self.height)


class XSession:
    """Xvfb on a free display, optionally twm, and the programs started on it.

    Use as a context manager: everything started here is ended on leaving, also after a failure.
    """

    def __init__(self, window_manager=False, screen="1024x768x24", startup_timeout=15.0):
        self.window_manager = window_manager
        self.screen = screen
        self.startup_timeout = startup_timeout
        self.display = None
        self.xvfb = None
        self.twm = None
        self.programs = []
        self._logs = []
        self._scratch = None

    # --- life cycle ---

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self):
        self._scratch = tempfile.TemporaryDirectory(prefix="zellipo-x-")
        read_end, write_end = os.pipe()
        try:
            # -displayfd lets the server pick a free display and tell us once it accepts clients,
            # so parallel test runs never collide and no sleep is needed.
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=self._open_log("xvfb.log"),
                start_new_session=True)
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.monotonic() + self.startup_timeout
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
                if not ready:
                    raise XSessionError("Xvfb did not report a display within %.0f s" %
                                        self.startup_timeout)
                piece = os.read(read_end, 64)
                if not piece:
                    raise XSessionError("Xvfb ended before reporting a display:\n" +
                                        self.log("xvfb.log"))
                number += piece
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ":" + number.decode().strip()
        if self.window_manager:
            self._start_twm()

    def _start_twm(self):
        config = self._path("twmrc")
        with open(config, "w") as out:
            out.write(TWM_CONFIG)
        self.twm = subprocess.Popen(
            ["twm", "-display", self.display, "-f", config],
            env=self.env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=self._open_log("twm.log"), start_new_session=True)
        # twm announces nothing when it is ready, but it makes its own windows on the root only
        # after it has taken over the root window's placing of windows.
        def twm_has_windows():
            if self.twm.poll() is not None:
                raise XSessionError("twm ended at once:\n" + self.log("twm.log"))
            out = self.run("xwininfo", "-root", "-children")
            return re.search(r"^\s*[1-9]\d* child", out, re.M) is not None

        if not wait_until(twm_has_windows, self.startup_timeout):
            raise XSessionError("twm made no window within %.0f s:\n%s" % (
                self.startup_timeout, self.log("twm.log")))

    def close(self):
        for program in reversed(self.programs):
            stop_process(program)
        self.programs = []
        if self.twm is not None:
            stop_process(self.twm)
            self.twm = None
        if self.xvfb is not None:
            stop_process(self.xvfb)
            self.xvfb = None
        for log in self._logs:
            log.close()
        self._logs = []
        if self._scratch is not None:
            self._scratch.cleanup()
            self._scratch = None

    def _path(self, name):
        return os.path.join(self._scratch.name, name)

    def _open_log(self, name):
        log = open(self._path(name), "wb")
        self._logs.append(log)
        return log

    def log(self, name):
        try:
            with open(self._path(name), "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def env(self, extra=None):
        env = dict(os.environ)
        # Keep the program off the desktop the tests were started from.
        for name in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "XAUTHORITY", "QT_QPA_PLATFORMTHEME"):
            env.pop(name, None)
        env["DISPLAY"] = self.display
        env["QT_QPA_PLATFORM"] = "xcb"
        # The texts as written, whatever the language of the desktop the tests were started from:
        # the tests find windows and menus by them.
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(name, None)
        env["LANG"] = "C.UTF-8"
        # No session bus here, as on a desktop whose bus is down: without an address libdbus
        # would fork to launch one from the program's threads (Qt's and SDL's both ask), and a
        # child forked from a sanitized, threaded program can hang before it execs.
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + self._path("no-session-bus")
        if extra:
            env.update(extra)
        return env

    # --- programs ---

    def launch(self, argv, env=None, log_name=None):
        """Starts a program on this display; its standard output and errors go to a log."""
        log_name = log_name or (os.path.basename(argv[0]) + ".log")
        process = subprocess.Popen(
            argv, env=self.env(env), stdin=subprocess.DEVNULL,
            stdout=self._open_log(log_name), stderr=subprocess.STDOUT,
            start_new_session=True)
        process.log_name = log_name
        self.programs.append(process)
        return process

    def program_log(self, process):
        return self.log(process.log_name)

    # --- windows ---

    def run(self, *args, timeout=10.0, check=True):
        result = subprocess.run(list(args), env=self.env(), stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise XSessionError("%s failed (%d): %s" % (
                " ".join(args), result.returncode, result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    def visible_windows(self, pid):
        # A search that finds nothing exits with 1; that is an answer, not an error.
        out = self.run("xdotool", "search", "--onlyvisible", "--pid", str(pid), check=False)
        return [line.strip() for line in out.splitlines() if line.strip()]

    def title(self, wid):
        # Qt leaves WM_NAME empty and puts the title in _NET_WM_NAME only.
        out = self.run("xprop", "-id", wid, "_NET_WM_NAME", check=False)
        match = re.search(r'=\s*"((?:[^"\\]|\\.)*)"', out)
        return re.sub(r"\\(.)", r"\1", match.group(1)) if match else None

    def geometry(self, wid):
        """The window's inside, in root coordinates (its frame, if any, left out)."""
        out = self.run("xwininfo", "-id", wid)
        fields = {}
        for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                           ("width", "Width"), ("height", "Height")):
            match = re.search(r"^\s*%s:\s*(-?\d+)" % re.escape(label), out, re.M)
            if not match:
                raise XSessionError("xwininfo gave no %s for %s:\n%s" % (label, wid, out))
            fields[key] = int(match.group(1))
        return fields

    def find_window(self, process, title, timeout=20.0):
        """Waits for a visible window of the process with exactly this title.

        Polls rather than using `xdotool search --sync`, which would wait for ever if the
        program died before showing a window.
        """
        deadline = time.monotonic() + timeout
        seen = {}
        while time.monotonic() < deadline:
            if process.poll() is not None:
                raise XSessionError("the program ended (exit code %s) before showing %r:\n%s" % (
                    process.returncode, title, self.program_log(process)))
            for wid in self.visible_windows(process.pid):
                seen[wid] = self.title(wid)
                if seen[wid] == title:
                    try:
                        g = self.geometry(wid)
                    except XSessionError:
                        continue  # closed as it was found, as a box just answered may be
                    return Window(wid, title, g["x"], g["y"], g["width"], g["height"])
            time.sleep(0.1)
        raise XSessionError("no visible window titled %r within %.0f s; windows seen: %r" % (
            title, timeout, seen))

    def wait_for_new_window(self, process, known, timeout=5.0):
        """Waits for a visible window of the process that is not among `known` (a popup menu,
        a dialog) and returns its id."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            fresh = [w for w in self.visible_windows(process.pid) if w not in known]
            if fresh:
                return fresh[0]
            time.sleep(0.05)
        return None

    def wait_until_hidden(self, process, wid, timeout=5.0):
        """Waits until the window is no longer visible; False if it still is at the deadline."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if wid not in self.visible_windows(process.pid):
                return True
            time.sleep(0.05)
        return False

    # --- input ---

    def focus(self, wid):
        self.run("xdotool", "windowfocus", "--sync", wid)

    def key(self, wid, *keys):
        """Real key presses through XTEST, to the window given focus first; events sent to a
        window directly are marked synthetic and ignored by Qt."""
        self.focus(wid)
        self.key_to_focused(*keys)

    def key_to_focused(self, *keys):
        """Key presses to whatever holds the keyboard now, such as an open popup menu, which
        focusing its main window again would close."""
        self.run("xdotool", "key", "--clearmodifiers", *keys)

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    # --- pixels ---

    def failure_report(self, message, process, final_path, checked=None, checked_path=None):
        """The message with the screenshots that tell why (the screen now, and the picture that
        was judged, if any) and the game's output, for a failing test to fail with."""
        saved = []
        try:
            self.screenshot().save_png(final_path)
            saved.append(final_path)
        except Exception as error:  # the X server may be the thing that failed
            saved.append("(no screenshot at failure: %s)" % error)
        if checked is not None:
            checked.save_png(checked_path)
            saved.append(checked_path)
        log = self.program_log(process) if process else ""
        return "%s\nScreenshots: %s\nGame output:\n%s" % (
            message, ", ".join(saved), log.strip() or "(none)")

    def screenshot(self):
        # Straight to 8-bit PPM: without -depth 8 ImageMagick writes 16 bits per channel.
        data = subprocess.run(["import", "-display", self.display, "-window", "root",
                               "-depth", "8", "ppm:-"],
                              env=self.env(), stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=20, check=True).stdout
        return Screenshot.from_ppm(data)


def stop_process(process, grace=3.0):
    """Ends a process we started, gently first; its session goes with it."""
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()


def session_for(test, **options):
    """A fresh settings folder and X session for one test case, both gone when it ends."""
    config_home = tempfile.TemporaryDirectory(prefix="zellipo-config-")
    test.addCleanup(config_home.cleanup)
    session = XSession(**options)
    session.__enter__()
    test.addCleanup(session.close)
    return config_home, session


def test_main(module):
    """Runs an end-to-end test module: --game names the executable, --artifacts the folder for
    screenshots of failures; both land in the module's GAME and ARTIFACTS."""
    parser = argparse.ArgumentParser(description=module.__doc__)
    parser.add_argument("--game", required=True, help="the zellipo executable")
    parser.add_argument("--artifacts", default=os.getcwd(),
                        help="folder for screenshots of failures")
    args, rest = parser.parse_known_args()
    module.GAME = os.path.abspath(args.game)
    module.ARTIFACTS = os.path.abspath(args.artifacts)
    os.makedirs(module.ARTIFACTS, exist_ok=True)
    if not os.access(module.GAME, os.X_OK):
        sys.exit("not an executable: %s" % module.GAME)
    missing = [tool for tool in ("Xvfb", "xdotool", "xprop", "xwininfo", "import")
               if shutil.which(tool) is None]
    if missing:
        sys.exit("missing %s: setup.sh installs them (xvfb, xdotool, x11-utils, imagemagick)"
                 % ", ".join(missing))
    unittest.main(module=module.__name__, argv=[sys.argv[0]] + rest, verbosity=2)
