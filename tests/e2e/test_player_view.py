#!/usr/bin/env python3
"""test_player_view.py: what the player sees of the real game: the switches after a settings error, and under a real window manager whole frames centred, the error box's too, and Escape only where there is something to cancel."""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from test_startup_and_exit import (  # noqa: E402
    CLIENT_HEIGHT, SECTION, expected_values, settings_path, settings_problems)

GAME = None
ARTIFACTS = None

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
BOX_TITLE = "Quorvel"
USER_BUTTON_IN_CLIENT = (172 + 12, 4 + 12)
SCOPE_BUTTON_IN_CLIENT = (300 + 12, 4 + 12)
# The OK buttons of the two dialogs without a cancel button, inside each dialog.
RECORDS_OK = (123, 248, 75, 25)
ABOUT_OK = (111, 208, 75, 25)


def start_openbox(test, session):
    """Runs openbox on the session's display and waits until it has announced itself."""
    process = subprocess.Popen(
        ["openbox", "--sm-disable"], env=session.env(), stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    test.addCleanup(xsession.stop_process, process)
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise xsession.XSessionError("openbox ended at once (code %d)" % process.returncode)
        if running_window_manager(session) == "Openbox":
            return
        time.sleep(0.05)
    raise xsession.XSessionError("openbox did not announce itself on the root window")


def running_window_manager(session):
    """The name a running EWMH window manager gives: the root window names its check window,
    which names itself, and carries the manager's name."""
    out = session.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False)
    match = re.search(r"window id # (0x[0-9a-fA-F]+)", out)
    if not match:
        return None
    check = match.group(1)
    own = session.run("xprop", "-id", check, "_NET_SUPPORTING_WM_CHECK", check=False)
    if not re.search(r"window id # %s\b" % check, own):
        return None
    return session.title(check)


def frame_of(session, wid):
    """The window's whole frame in root coordinates and the height of its title bar, as
    (x, y, width, height, title bar), or None before the window manager has framed it."""
    out = session.run("xprop", "-id", wid, "_NET_FRAME_EXTENTS", check=False)
    match = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
    if not match:
        return None
    left, right, top, bottom = (int(v) for v in match.groups())
    g = session.geometry(wid)
    return (g["x"] - left, g["y"] - top, g["width"] + left + right, g["height"] + top + bottom,
            top)


class PlayerViewTest(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.config_home, self.session = xsession.session_for(
            self, screen="%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT))
        self.game = None

    def diagnose(self, message):
        """Fails with the message, the game's output and a screenshot."""
        name = self.id().rsplit(".", 1)[-1]
        self.fail(self.session.failure_report(
            message, self.game, os.path.join(ARTIFACTS, "e2e-%s-final.png" % name)))

    def launch(self, env=None):
        self.game = self.session.launch(
            [GAME], env=dict({"XDG_CONFIG_HOME": self.config_home.name,
                              "SDL_AUDIODRIVER": "dummy"}, **(env or {})),
            log_name="zellipo.log")

    def find(self, title, timeout=20.0):
        try:
            return self.session.find_window(self.game, title, timeout=timeout)
        except xsession.XSessionError as error:
            self.diagnose(str(error))

    def saved_settings(self):
        self.game.send_signal(signal.SIGTERM)
        try:
            code = self.game.wait(15)
        except subprocess.TimeoutExpired:
            self.diagnose("the game was still running 15 s after SIGTERM")
        if code != 0:
            self.diagnose("the game ended with exit code %d" % code)
        with open(settings_path(self.config_home.name), encoding="utf-8") as f:
            return f.read()

    # --- a settings file the game cannot read ---

    def test_settings_error_keeps_music_sound_and_numbers_on(self):
        path = settings_path(self.config_home.name)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8") as f:
            f.write('REGEDIT4\n\n[%s]\n"Level"="2"\n' % SECTION)
        # The sound card is a file, so the music can be heard as samples that are not silence.
        folder = tempfile.TemporaryDirectory(prefix="zellipo-audio-")
        self.addCleanup(folder.cleanup)
        samples = os.path.join(folder.name, "audio.raw")
        self.launch({"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": samples})

        box = self.find(BOX_TITLE)
        self.session.key(box.wid, "Return")
        if not self.session.wait_until_hidden(self.game, box.wid):
            self.diagnose("Return did not close the box about the settings")
        self.find("Zellipo")

        # The music switch is on as designed, so the music plays; the soundfont takes a while.
        heard = False
        read = 0
        deadline = time.monotonic() + 30
        while not heard and time.monotonic() < deadline:
            if os.path.exists(samples):
                with open(samples, "rb") as f:
                    f.seek(read)
                    chunk = f.read()
                read += len(chunk)
                heard = chunk.strip(b"\0") != b""
            if not heard:
                time.sleep(0.2)
        if not heard:
            self.diagnose("no music was played in 30 s after the settings error "
                          "(%d bytes of silence)" % read)

        text = self.saved_settings()
        problems = settings_problems(text, expected_values())
        if problems:
            self.diagnose("after a settings error the game must keep Basic and its switches on; "
                          "saved:\n  %s\nFile:\n%s" % ("\n  ".join(problems), text))

    # --- under a window manager ---

    def wait_centred(self, window):
        """Waits until the window's whole frame sits in the middle of the screen."""
        deadline = time.monotonic() + 10
        while True:
            frame = frame_of(self.session, window.wid)
            if frame is not None:
                x, y, w, h, top = frame
                off = (x + w / 2 - SCREEN_WIDTH / 2, y + h / 2 - SCREEN_HEIGHT / 2)
                if top > 0 and abs(off[0]) <= 1 and abs(off[1]) <= 1:
                    return
            if time.monotonic() > deadline:
                self.diagnose("the frame of %r is %r (x, y, width, height, title bar), not centred "
                              "on the %dx%d screen" % (window.title, frame, SCREEN_WIDTH,
                                                       SCREEN_HEIGHT))
            time.sleep(0.1)

    def ok_pixels(self, dialog, ok):
        x, y, w, h = ok
        g = self.session.geometry(dialog.wid)
        return self.session.screenshot().crop(g["x"] + x, g["y"] + y, w, h).rgb

    def check_escape_keeps_open(self, dialog, ok):
        """Escape must leave the dialog open; a space held down on its OK button afterwards shows
        the button pressed, which tells that the Escape before it was handled, and releasing it
        closes the dialog."""
        before = self.ok_pixels(dialog, ok)
        self.session.key(dialog.wid, "Escape")
        self.session.run("xdotool", "keydown", "space")
        try:
            deadline = time.monotonic() + 10
            while True:
                if dialog.wid not in self.session.visible_windows(self.game.pid):
                    self.diagnose("Escape closed %r, which has no cancel button" % dialog.title)
                if self.ok_pixels(dialog, ok) != before:
                    break
                if time.monotonic() > deadline:
                    self.diagnose("a space held on %r did not press its OK button" %
                                  dialog.title)
                time.sleep(0.05)
        finally:
            self.session.run("xdotool", "keyup", "space")
        if not self.session.wait_until_hidden(self.game, dialog.wid):
            self.diagnose("releasing space on its OK button did not close %r" % dialog.title)

    def test_frames_are_centred_and_escape_cancels_only_where_it_can(self):
        start_openbox(self, self.session)
        self.launch()
        window = self.find("Zellipo")
        self.wait_centred(window)
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)

        self.session.click(client[0] + SCOPE_BUTTON_IN_CLIENT[0],
                           client[1] + SCOPE_BUTTON_IN_CLIENT[1])
        records = self.find("最高記錄", timeout=10)
        self.wait_centred(records)
        self.check_escape_keeps_open(records, RECORDS_OK)

        self.session.key(window.wid, "alt+h")
        if self.session.wait_for_new_window(self.game, [window.wid]) is None:
            self.diagnose("Alt+H did not open the 說明 menu")
        self.session.key_to_focused("a")
        about = self.find("關於Zellipo", timeout=10)
        self.wait_centred(about)
        self.check_escape_keeps_open(about, ABOUT_OK)

        # The custom size dialog has a cancel button, so Escape closes it.
        self.session.click(client[0] + USER_BUTTON_IN_CLIENT[0],
                           client[1] + USER_BUTTON_IN_CLIENT[1])
        size = self.find("自訂大小", timeout=10)
        self.wait_centred(size)
        self.session.key(size.wid, "Escape")
        if not self.session.wait_until_hidden(self.game, size.wid):
            self.diagnose("Escape did not close the custom size dialog")

    def test_error_box_is_centred_and_the_refused_picture_forgotten(self):
        # A FIFO named as the picture is refused at start, in a box, rather than waited on.
        picture = os.path.join(self.config_home.name, "fifo.bmp")
        os.mkfifo(picture)
        path = settings_path(self.config_home.name)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8") as f:
            f.write('REGEDIT4\n\n[%s]\n"Bitmap file name"="%s"\n' % (SECTION, picture))
        start_openbox(self, self.session)
        self.launch()
        box = self.find(BOX_TITLE)
        self.wait_centred(box)
        self.session.key(box.wid, "Return")
        self.find("Zellipo")
        self.assertIn('"Bitmap file name"=""', self.saved_settings())


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
