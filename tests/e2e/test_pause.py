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
# Generous bounds that only limit how long a real fault takes to show.
WATCH_TIMEOUT = 40.0
TICK_TIMEOUT = 10.0


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


def window_state(xprop_output):
    """"Iconic" or "Normal" from xprop's account of a window's WM_STATE, else what it said."""
    for state in ("Iconic", "Normal"):
        if state in xprop_output:
            return state
    return xprop_output.strip()


def check_pause_leaves_time_out(screenshot, client, click, wait_for_state, restore, fail):
    """Pauses the game with its button, restores it after a while, and fails unless the clock
    left the minimized time out: screenshot() shows the screen the client's corner is on,
    wait_for_state() waits for the window's WM_STATE, restore() asks for the window back, and
    fail() raises with a message."""
    # Watch the clock count until it has shown ten seconds in a row: the last digits of ten
    # different consecutive times are the templates of all ten digits, in order, for reading
    # the seconds later. A skipped second would repeat a digit among the last ten.
    timeline = []

    def ten_seconds_in_a_row():
        image = clock_image(screenshot(), client)
        # Until the window first paints, the clock has nothing to read.
        if any(any(row) for row in image) and (not timeline or timeline[-1] != image):
            timeline.append(image)
        return len(set(last_digit(image) for image in timeline[-10:])) == 10

    if not xsession.wait_until(ten_seconds_in_a_row, WATCH_TIMEOUT):
        fail("the clock did not show ten seconds in a row within %.0f s "
             "(%d different times seen)" % (WATCH_TIMEOUT, len(timeline)))
    digits = [last_digit(image) for image in timeline[-10:]]

    def seconds_shown():
        """The seconds' last digit shown now, or None while the clock cannot be read."""
        image = clock_image(screenshot(), client)
        if not any(any(row) for row in image):
            return None
        digit = last_digit(image)
        return digits.index(digit) if digit in digits else None

    before = seconds_shown()
    click(client[0] + PAUSE_IN_CLIENT[0], client[1] + PAUSE_IN_CLIENT[1])
    wait_for_state("Iconic")
    # The pause itself: a span of time left out of the game, not a wait for anything.
    time.sleep(MINIMIZED_SECONDS)
    restore()
    wait_for_state("Normal")

    # The first tick after the restore moves the clock on from what it showed at the pause.
    readings = []

    def clock_ticked():
        now = seconds_shown()
        if now is not None:
            readings.append(now)
        return len(set(readings)) > 1

    if before is None or not xsession.wait_until(clock_ticked, TICK_TIMEOUT):
        fail("the clock's seconds could not be read before the pause, or did "
             "not move on within %.0f s of the restore" % TICK_TIMEOUT)
    step = (readings[-1] - before) % 10
    # One second of play after the restore, one more if the clock ticked as the pause began,
    # and one more if the machine was too slow to read the clock before the first tick;
    # the minimized seconds would add five.
    if step not in (1, 2, 3, 4):
        fail("the clock moved on %d s over a %d s pause and its first tick "
             "after; expected 1 to 4" % (step, MINIMIZED_SECONDS))


class PauseTest(unittest.TestCase):
    def setUp(self):
        self.config_home, self.session = xsession.session_for(self, window_manager=True)

    def fail_with_shot(self, message):
        self.fail(self.session.failure_report(message, self.game,
                                              os.path.join(ARTIFACTS, "e2e-pause-final.png")))

    def wm_state(self, wid):
        return window_state(self.session.run("xprop", "-id", wid, "WM_STATE", check=False))

    def wait_for_state(self, wid, state, timeout=15.0):
        if not xsession.wait_until(lambda: self.wm_state(wid) == state, timeout):
            self.fail_with_shot("the window's state is %r, expected %r" % (
                self.wm_state(wid), state))

    def test_pause_minimizes_and_the_clock_resumes_where_it_stood(self):
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        window = self.session.find_window(self.game, "Zellipo")
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)

        check_pause_leaves_time_out(
            self.session.screenshot, client, self.session.click,
            lambda state: self.wait_for_state(window.wid, state),
            lambda: self.session.run("xdotool", "windowmap", window.wid), self.fail_with_shot)


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
