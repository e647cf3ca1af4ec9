#!/usr/bin/env python3
"""test_pause.py: the pause button minimizes the real game under a window manager, and the clock leaves the minimized time out."""

import os
import sys
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from test_startup_and_exit import CLIENT_HEIGHT, CLOCK_IN_CLIENT, LIME  # noqa: E402

GAME = None
ARTIFACTS = None

PAUSE_IN_CLIENT = (428 + 45, 40 + 20)
MINIMIZED_SECONDS = 5


def clock_image(shot, client):
    x, y, w, h = CLOCK_IN_CLIENT
    return tuple(tuple(shot.pixel(client[0] + x + i, client[1] + y + j) == LIME for i in range(w))
                 for j in range(h))


def last_digit(image):
    """The columns of the rightmost glyph: the seconds' last digit, whatever the rest reads."""
    columns = [any(row[i] for row in image) for i in range(len(image[0]))]
    right = max(i for i, lit in enumerate(columns) if lit)
    left = right
    while left > 0 and columns[left - 1]:
        left -= 1
    return tuple(row[left:right + 1] for row in image)


class PauseTest(unittest.TestCase):
    def setUp(self):
        self.config_home, self.session = xsession.session_for(self, window_manager=True)

    def fail_with_shot(self, message):
        self.fail(self.session.failure_report(message, self.game,
                                              os.path.join(ARTIFACTS, "e2e-pause-final.png")))

    def wm_state(self, wid):
        out = self.session.run("xprop", "-id", wid, "WM_STATE", check=False)
        return "Iconic" if "Iconic" in out else "Normal" if "Normal" in out else out.strip()

    def wait_for_state(self, wid, state, timeout=5.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.wm_state(wid) == state:
                return
            time.sleep(0.05)
        self.fail_with_shot("the window's state is %r, expected %r" % (self.wm_state(wid), state))

    def test_pause_minimizes_and_the_clock_resumes_where_it_stood(self):
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        window = self.session.find_window(self.game, "Zellipo")
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)

        # Watch the clock count for a while: each second shows a new picture of its text, and
        # the last digit of each picture is a template of that digit for reading it later.
        timeline = []
        deadline = time.monotonic() + 11.5
        while time.monotonic() < deadline:
            image = clock_image(self.session.screenshot(), client)
            # Until the window first paints, the clock has nothing to read.
            painted = any(any(row) for row in image)
            if painted and (not timeline or timeline[-1] != image):
                timeline.append(image)
            time.sleep(0.1)
        if len(timeline) < 11:
            self.fail_with_shot("the clock showed only %d different times in 11.5 s" %
                                len(timeline))
        digits = [last_digit(image) for image in timeline]

        self.session.click(client[0] + PAUSE_IN_CLIENT[0], client[1] + PAUSE_IN_CLIENT[1])
        self.wait_for_state(window.wid, "Iconic")
        before = digits.index(digits[-1], len(digits) - 10)
        time.sleep(MINIMIZED_SECONDS)
        self.session.run("xdotool", "windowmap", window.wid)
        self.wait_for_state(window.wid, "Normal")

        # A tick comes a second after the restore; read the seconds a little after it.
        time.sleep(1.5)
        after = last_digit(clock_image(self.session.screenshot(), client))
        if after not in digits[-10:]:
            self.fail_with_shot("the clock's last digit after the restore matches no digit seen")
        step = (digits[-10:].index(after) - (before - (len(digits) - 10))) % 10
        if step not in (1, 2):
            self.fail_with_shot("the clock moved on %d s over a %d s pause and 1.5 s of play; "
                                "expected 1 or 2" % (step, MINIMIZED_SECONDS))


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
