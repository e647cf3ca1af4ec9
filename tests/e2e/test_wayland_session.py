#!/usr/bin/env python3
"""test_wayland_session.py: the real game in a Wayland session with XWayland beside it, as GNOME runs it: it takes the X display, its pause leaves the minimized time out, and SIGTERM still saves."""

import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from test_pause import check_pause_leaves_time_out, window_state  # noqa: E402
from test_startup_and_exit import (CLIENT_HEIGHT, expected_values, settings_path,  # noqa: E402
                                   settings_problems)

GAME = None
ARTIFACTS = None

# Generous bounds that only limit how long a real fault takes to show; XWayland is started on
# the game's first connection, so the window waits for a whole X server.
COMPOSITOR_TIMEOUT = 30.0
WINDOW_TIMEOUT = 60.0
EXIT_TIMEOUT = 20.0
STATE_TIMEOUT = 15.0

DESKTOP_ENTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                             "desktop", "org.belnovia.Zellipo.desktop")

# GNOME's compositor with XWayland, and a session bus for it, as Debian packages them.
NEEDED = ("mutter", "Xwayland", "dbus-run-session", "xdotool", "xprop", "xwininfo")


class WaylandSession:
    """mutter, GNOME's compositor, nested in a private Xvfb, with XWayland, in a runtime folder
    of its own.

    mutter draws its whole session into one window at the Xvfb's corner, unscaled, and takes its
    input from there: the Xvfb's screen shows what a player would see, at the coordinates of the
    session's X display, and the Xvfb's pointer is the player's hand.
    """

    def __init__(self):
        self.runtime = tempfile.TemporaryDirectory(prefix="zellipo-wl-")
        os.chmod(self.runtime.name, 0o700)
        self.socket = "wayland-zellipo"
        self.log_path = os.path.join(self.runtime.name, "mutter.log")
        self.display = None
        self.xauthority = None
        self.mutter = None
        self.screen = xsession.XSession()
        try:
            self.screen.__enter__()
            env = self.base_env()
            env["DISPLAY"] = self.screen.display
            env.pop("DBUS_SESSION_BUS_ADDRESS", None)
            with open(self.log_path, "wb") as log:
                # mutter asks the session bus for its settings and names; a machine running the
                # tests may have none, so the session brings its own.
                self.mutter = subprocess.Popen(
                    ["dbus-run-session", "--", "mutter", "--wayland", "--nested",
                     "--wayland-display=" + self.socket],
                    env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                    start_new_session=True)
        except BaseException:
            self.close()
            raise

    def base_env(self):
        env = {name: value for name, value in os.environ.items()
               if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                               "XAUTHORITY", "SESSION_MANAGER", "QT_QPA_PLATFORMTHEME")}
        env["XDG_RUNTIME_DIR"] = self.runtime.name
        return env

    def log(self):
        try:
            with open(self.log_path, errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def wait_ready(self):
        """The X display mutter serves with XWayland and its key, once its Wayland socket is
        there."""
        def ready():
            if self.mutter.poll() is not None:
                raise xsession.XSessionError("mutter ended (exit code %s):\n%s" % (
                    self.mutter.returncode, self.log()))
            match = re.search(r"Using public X11 display (:\d+)", self.log())
            keys = glob.glob(os.path.join(self.runtime.name, ".mutter-Xwaylandauth.*"))
            socket_there = os.path.exists(os.path.join(self.runtime.name, self.socket))
            return (match.group(1), keys[0]) if match and keys and socket_there else None

        answer = xsession.wait_until(ready, COMPOSITOR_TIMEOUT)
        if not answer:
            raise xsession.XSessionError("mutter was not ready within %.0f s:\n%s" % (
                COMPOSITOR_TIMEOUT, self.log()))
        self.display, self.xauthority = answer

    def desktop_env(self, extra):
        """What a program started from a Wayland desktop has: both displays and the session
        type."""
        env = self.base_env()
        env.update({"WAYLAND_DISPLAY": self.socket, "DISPLAY": self.display,
                    "XAUTHORITY": self.xauthority, "XDG_SESSION_TYPE": "wayland",
                    # The session bus is mutter's own; without an address libdbus would fork
                    # to launch one from the game's threads.
                    "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(
                        self.runtime.name, "no-session-bus")})
        env.update(extra)
        return env

    def run_x(self, *args):
        """A tool's output on the session's X display; a tool that finds nothing is an answer."""
        result = subprocess.run(list(args), env=self.desktop_env({}), stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=20)
        return result.stdout.decode(errors="replace")

    def x_windows(self, pid):
        # XWayland also has the toolkit's unmapped selection-owner window: only mapped ones count.
        return self.run_x("xdotool", "search", "--onlyvisible", "--pid", str(pid)).split()

    def x_property(self, wid, name):
        """The property's strings, as xprop prints them."""
        return re.findall(r'"((?:[^"\\]|\\.)*)"', self.run_x("xprop", "-id", wid, name))

    def client_corner(self, wid):
        """Where the window's client area (below its menu bar) begins on the screen."""
        info = self.run_x("xwininfo", "-id", wid)
        x, y, height = (int(re.search(pattern + r":\s*(-?\d+)", info).group(1))
                        for pattern in ("Absolute upper-left X", "Absolute upper-left Y",
                                        "Height"))
        return x, y + height - CLIENT_HEIGHT

    def close(self):
        if self.mutter is not None:
            xsession.stop_process(self.mutter)
        self.screen.close()
        self.runtime.cleanup()


@unittest.skipIf([tool for tool in NEEDED if shutil.which(tool) is None],
                 "missing %s: setup.sh installs mutter, xwayland, dbus-daemon, xdotool and "
                 "x11-utils" % ", ".join(tool for tool in NEEDED if shutil.which(tool) is None))
class WaylandSessionTest(unittest.TestCase):
    def setUp(self):
        self.config_home = tempfile.TemporaryDirectory(prefix="zellipo-config-")
        self.addCleanup(self.config_home.cleanup)
        self.session = WaylandSession()
        self.addCleanup(self.session.close)
        self.session.wait_ready()
        self.log = open(os.path.join(self.config_home.name, "zellipo.log"), "w+b")
        self.addCleanup(self.log.close)
        self.game = subprocess.Popen(
            [GAME], env=self.session.desktop_env({"XDG_CONFIG_HOME": self.config_home.name,
                                                  "SDL_AUDIODRIVER": "dummy"}),
            stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT,
            start_new_session=True)
        self.addCleanup(xsession.stop_process, self.game)

    def diagnose(self, message):
        self.log.seek(0)
        shot = os.path.join(ARTIFACTS, "e2e-wayland-session-final.png")
        try:
            self.session.screen.screenshot().save_png(shot)
        except Exception as error:  # the compositor may be the thing that failed
            shot = "(no screenshot at failure: %s)" % error
        self.fail("%s\nScreenshot: %s\nGame output:\n%s\nmutter log:\n%s" % (
            message, shot, self.log.read().decode(errors="replace").strip() or "(none)",
            self.session.log()))

    def main_window(self):
        """The id of the game's visible window titled "Zellipo" on the session's X display."""
        titles = {}

        def main_window_on_x():
            if self.game.poll() is not None:
                return True
            for wid in self.session.x_windows(self.game.pid):
                titles[wid] = "".join(self.session.x_property(wid, "_NET_WM_NAME"))
            return "Zellipo" in titles.values()

        xsession.wait_until(main_window_on_x, WINDOW_TIMEOUT, interval=0.2)
        if self.game.poll() is not None:
            self.diagnose("the game ended (exit code %s) before showing a window" %
                          self.game.returncode)
        if "Zellipo" not in titles.values():
            self.diagnose("no visible window titled 'Zellipo' on the X display %s within %.0f s "
                          "(windows seen: %r); the game is not on XWayland" % (
                              self.session.display, WINDOW_TIMEOUT, titles))
        return next(wid for wid, title in titles.items() if title == "Zellipo")

    def test_pause_minimizes_and_the_clock_leaves_the_time_out(self):
        wid = self.main_window()

        def wait_for_state(state):
            def state_now():
                return window_state(self.session.run_x("xprop", "-id", wid, "WM_STATE"))

            if not xsession.wait_until(lambda: state_now() == state, STATE_TIMEOUT):
                self.diagnose("the window's state is %r, expected %r" % (state_now(), state))

        # A player clicks on the session's screen; the restore is what a dock's click asks.
        check_pause_leaves_time_out(
            self.session.screen.screenshot, self.session.client_corner(wid),
            self.session.screen.click, wait_for_state,
            lambda: self.session.run_x("xdotool", "windowactivate", wid), self.diagnose)

    def test_game_takes_the_x_display_and_sigterm_saves(self):
        wid = self.main_window()

        # Docks match the running window to the desktop entry, and so to its icon, by its class.
        with open(DESKTOP_ENTRY, encoding="utf-8") as f:
            entry_class = re.search(r"^StartupWMClass=(.*)$", f.read(), re.M)
        window_class = self.session.x_property(wid, "WM_CLASS")
        if not entry_class or window_class[1:] != [entry_class.group(1)]:
            self.diagnose("the window's WM_CLASS is %r; the desktop entry's StartupWMClass is %r"
                          % (window_class, entry_class and entry_class.group(1)))

        self.game.send_signal(signal.SIGTERM)
        try:
            code = self.game.wait(EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.diagnose("the game was still running %.0f s after SIGTERM" % EXIT_TIMEOUT)
        if code != 0:
            self.diagnose("the game ended with exit code %d after SIGTERM; expected 0" % code)
        path = settings_path(self.config_home.name)
        if not os.path.exists(path):
            self.diagnose("no settings file at %s after SIGTERM" % path)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        problems = settings_problems(text, expected_values())
        if problems:
            self.diagnose("the saved settings are wrong:\n  %s\nFile:\n%s" % (
                "\n  ".join(problems), text))


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
