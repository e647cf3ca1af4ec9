#!/usr/bin/env python3
"""test_dialogs.py: the real game's sample chooser, custom size dialog and About box, opened as a player opens them."""

import os
import sys
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from test_startup_and_exit import (  # noqa: E402
    CLIENT_HEIGHT, expected_values, settings_path, settings_problems)

GAME = None
ARTIFACTS = None

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
NEW_BUTTON_IN_CLIENT = (32 + 12, 4 + 12)
USER_BUTTON_IN_CLIENT = (172 + 12, 4 + 12)
FINAL_IMAGE_IN_CLIENT = (388, 236, 165, 165)
# The fourth sample's button, inside the chooser.
FOURTH_SAMPLE_IN_CHOOSER = (92 + 60, 136 + 50)


class DialogsTest(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.config_home, self.session = xsession.session_for(
            self, screen="%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT))
        self.game = None

    def diagnose(self, message):
        """Fails with the message, the game's output and a screenshot."""
        self.fail(self.session.failure_report(message, self.game,
                                              os.path.join(ARTIFACTS, "e2e-dialogs-final.png")))

    def open_dialog(self, title, width, height):
        """Waits for the dialog and checks that it has its size and sits in the screen's middle."""
        try:
            dialog = self.session.find_window(self.game, title, timeout=10.0)
        except xsession.XSessionError as error:
            self.diagnose(str(error))
        if (dialog.width, dialog.height) != (width, height):
            self.diagnose("%s is %dx%d; expected %dx%d" % (
                title, dialog.width, dialog.height, width, height))
        centre = (dialog.x + dialog.width / 2, dialog.y + dialog.height / 2)
        if abs(centre[0] - SCREEN_WIDTH / 2) > 1 or abs(centre[1] - SCREEN_HEIGHT / 2) > 1:
            self.diagnose("%s is centred at %r, not in the middle of the screen" % (title, centre))
        return dialog

    def close_dialog(self, dialog, *keys):
        if keys:
            self.session.key(dialog.wid, *keys)
        if not self.session.wait_until_hidden(self.game, dialog.wid):
            self.diagnose("%s is still open" % dialog.title)

    def final_image(self, client):
        x, y, w, h = FINAL_IMAGE_IN_CLIENT
        return self.session.screenshot().crop(client[0] + x, client[1] + y, w, h).rgb

    def test_sample_custom_size_and_about_box(self):
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        window = self.session.find_window(self.game, "Zellipo")
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)
        default_picture = self.final_image(client)

        # The toolbar's picture button opens the chooser; the fourth sample becomes the picture.
        self.session.click(client[0] + NEW_BUTTON_IN_CLIENT[0], client[1] + NEW_BUTTON_IN_CLIENT[1])
        chooser = self.open_dialog("選擇圖片", 446, 297)
        self.session.click(chooser.x + FOURTH_SAMPLE_IN_CHOOSER[0],
                           chooser.y + FOURTH_SAMPLE_IN_CHOOSER[1])
        self.close_dialog(chooser)
        deadline = time.monotonic() + 5
        while self.final_image(client) == default_picture and time.monotonic() < deadline:
            time.sleep(0.1)
        if self.final_image(client) == default_picture:
            self.diagnose("the finished picture is still the default one after a sample was chosen")

        # The toolbar's size button: 99 columns become 11 on leaving the field, a letter is
        # refused, and Enter accepts 11 x 2.
        self.session.click(client[0] + USER_BUTTON_IN_CLIENT[0], client[1] + USER_BUTTON_IN_CLIENT[1])
        size = self.open_dialog("自訂大小", 203, 128)
        self.session.key(size.wid, "Tab", "Tab")
        self.session.run("xdotool", "type", "--delay", "40", "99")
        self.session.key_to_focused("Tab")
        self.session.run("xdotool", "type", "--delay", "40", "a2")
        self.close_dialog(size, "Return")

        # The help menu's item opens the About box; Enter closes it.
        self.session.key(window.wid, "alt+h")
        menu = self.session.wait_for_new_window(self.game, [window.wid])
        if menu is None:
            self.diagnose("Alt+H did not open the 說明 menu")
        self.session.key_to_focused("a")
        about = self.open_dialog("關於Zellipo", 298, 238)
        self.close_dialog(about, "Return")

        # Leaving through the menu saves the custom size and level; the sample is not stored.
        self.session.key(window.wid, "alt+g")
        if self.session.wait_for_new_window(self.game, [window.wid]) is None:
            self.diagnose("Alt+G did not open the 遊戲 menu")
        self.session.key_to_focused("x")
        try:
            code = self.game.wait(15)
        except Exception:
            self.diagnose("the game did not end after 離開")
        if code != 0:
            self.diagnose("the game ended with exit code %d" % code)
        with open(settings_path(self.config_home.name), encoding="utf-8") as f:
            text = f.read()
        problems = settings_problems(text, expected_values(**{
            "Level": 3, "User define number H": 11, "User define number V": 2}))
        if problems:
            self.diagnose("the saved settings are wrong:\n  %s\nFile:\n%s" % (
                "\n  ".join(problems), text))


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
