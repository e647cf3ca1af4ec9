#!/usr/bin/env python3
"""test_wayland_session.py: the real game in a Wayland session with XWayland beside it, as GNOME and Plasma run it: it takes the X display, and SIGTERM still saves."""

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
from test_startup_and_exit import expected_values, settings_path, settings_problems  # noqa: E402

GAME = None
ARTIFACTS = None

# Generous bounds that only limit how long a real fault takes to show; XWayland is started on
# the game's first connection, so the window waits for a whole X server.
COMPOSITOR_TIMEOUT = 30.0
WINDOW_TIMEOUT = 60.0
EXIT_TIMEOUT = 20.0

DESKTOP_ENTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                             "desktop", "org.belnovia.Zellipo.desktop")

# weston, for its headless back end and XWayland, as Debian packages them.
NEEDED = ("weston", "Xwayland", "xdotool", "xprop")


class WaylandSession:
    """A headless weston with XWayland, in a runtime folder of its own.

    The headless back end has no input seat: the test sends signals, never pointer motion.
    """

    def __init__(self):
        self.runtime = tempfile.TemporaryDirectory(prefix="zellipo-wl-")
        os.chmod(self.runtime.name, 0o700)
        self.socket = "wayland-zellipo"
        self.log_path = os.path.join(self.runtime.name, "weston.log")
        self.display = None
        self.weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--xwayland", "--idle-time=0",
             "--width=1024", "--height=768", "--socket=" + self.socket,
             "--log=" + self.log_path],
            env=self.base_env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.STDOUT, start_new_session=True)

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
        """The X display weston listens on for XWayland, once its Wayland socket is there."""
        def ready():
            if self.weston.poll() is not None:
                raise xsession.XSessionError("weston ended (exit code %s):\n%s" % (
                    self.weston.returncode, self.log()))
            match = re.search(r"xserver listening on display (:\d+)", self.log())
            socket_there = os.path.exists(os.path.join(self.runtime.name, self.socket))
            return match.group(1) if match and socket_there else None

        self.display = xsession.wait_until(ready, COMPOSITOR_TIMEOUT)
        if not self.display:
            raise xsession.XSessionError("weston was not ready within %.0f s:\n%s" % (
                COMPOSITOR_TIMEOUT, self.log()))

    def desktop_env(self, extra):
        """What a program started from a Wayland desktop has: both displays and the session
        type."""
        env = self.base_env()
        env.update({"WAYLAND_DISPLAY": self.socket, "DISPLAY": self.display,
                    "XDG_SESSION_TYPE": "wayland"})
        env.update(extra)
        return env

    def x_windows(self, pid):
        # XWayland also has the toolkit's unmapped selection-owner window: only mapped ones count.
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                                env=self.desktop_env({}), stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=20)
        return result.stdout.decode().split()

    def x_property(self, wid, name):
        """The property's strings, as xprop prints them."""
        result = subprocess.run(["xprop", "-id", wid, name], env=self.desktop_env({}),
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=20)
        return re.findall(r'"((?:[^"\\]|\\.)*)"', result.stdout.decode(errors="replace"))

    def close(self):
        xsession.stop_process(self.weston)
        self.runtime.cleanup()


@unittest.skipIf([tool for tool in NEEDED if shutil.which(tool) is None],
                 "missing %s: setup.sh installs weston, xwayland, xdotool and x11-utils" %
                 ", ".join(tool for tool in NEEDED if shutil.which(tool) is None))
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
        self.fail("%s\nGame output:\n%s\nweston log:\n%s" % (
            message, self.log.read().decode(errors="replace").strip() or "(none)",
            self.session.log()))

    def test_game_takes_the_x_display_and_sigterm_saves(self):
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

        # Docks match the running window to the desktop entry, and so to its icon, by its class.
        wid = next(wid for wid, title in titles.items() if title == "Zellipo")
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
