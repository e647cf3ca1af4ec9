#!/usr/bin/env python3
"""test_settings_files.py: settings files a player may have, and saves that fail, in the game."""

import os
import shutil
import signal
import sys
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
import test_play_basic  # noqa: E402
import test_startup_and_exit as startup  # noqa: E402
from test_startup_and_exit import SECTION, expected_values, settings_path  # noqa: E402

GAME = None
ARTIFACTS = None

CAP = 4 << 20
BOX_TITLE = "Quorvel"


def settings_text(*values, size=None):
    """The game's section with the values, padded with comment lines to exactly size bytes."""
    text = "REGEDIT4\n\n[%s]\n%s\n" % (SECTION, "\n".join(values))
    if size is not None:
        lines, rest = divmod(size - len(text), 100)
        text += (";" * 99 + "\n") * lines + (";" * (rest - 1) + "\n" if rest else "")
    return text.encode()


def no_settings_folder(config_home):
    """A regular file where the settings folder should be: no save can succeed, even as root."""
    folder = os.path.dirname(settings_path(config_home))
    shutil.rmtree(folder, ignore_errors=True)
    with open(folder, "w"):
        pass


# Each case: the file the game starts from (None for none), whether a box shows at the start,
# the level then drawn, what is done before leaving, how the game is left, whether a box shows
# then, and what the settings file holds after: the values expected, or None when the file
# must be as it was.
CASES = [
    ("a mistyped value is told and only it takes its default",
     settings_text('"Level"=dword:00000002', '"Sound"="oops"', '"Music"=dword:00000000',
                   '"Number"=dword:00000000'),
     True, 2, None, "menu", False, expected_values(Level=2, Music=0, Number=0)),
    ("a file of the cap is read, and not written when it would grow past it",
     settings_text('"Level"=dword:00000001', size=CAP), False, 1, None, "menu", True, None),
    ("a file over the cap is told and left untouched",
     settings_text('"Level"=dword:00000001', size=CAP + 1), True, 0, None, "menu", True, None),
    ("a save that fails as the player leaves is told", None, False, 0, no_settings_folder,
     "menu", True, None),
    ("a save that fails as a signal ends the game goes to standard error", None, False, 0,
     no_settings_folder, "signal", False, None),
]


class SettingsFilesTest(unittest.TestCase):
    maxDiff = None
    check_board = startup.StartupAndExitTest.check_board
    diagnose = startup.StartupAndExitTest.diagnose
    wait_for_exit = startup.StartupAndExitTest.wait_for_exit
    open_game_menu = startup.StartupAndExitTest.open_game_menu

    def setUp(self):
        startup.ARTIFACTS = test_play_basic.ARTIFACTS = ARTIFACTS
        test_play_basic.GAME = GAME

    def answer_box(self, game, when):
        """Finds the error box of the game and closes it with Return."""
        # The box answered before may still be listed for a moment as it closes; then the
        # new one is looked for again.
        for attempt in range(2):
            try:
                box = self.session.find_window(game, BOX_TITLE, timeout=15.0)
                self.last_shot = self.session.screenshot()
                self.session.key(box.wid, "Return")
                break
            except xsession.XSessionError as error:
                if attempt == 1:
                    self.diagnose("no error box %s: %s" % (when, error))
        if not self.session.wait_until_hidden(game, box.wid):
            self.diagnose("Return did not close the error box %s" % when)

    def test_files_and_failed_saves(self):
        for (what, before, start_box, level, meanwhile, leave, end_box, after) in CASES:
            with self.subTest(what):
                self.config_home, self.session = xsession.session_for(self)
                self.game = self.last_shot = None
                path = settings_path(self.config_home.name)
                os.makedirs(os.path.dirname(path))
                backups = [path + ".backup", path + ".2024q1"]
                for name in backups:
                    with open(name, "w") as f:
                        f.write("mine\n")
                    os.utime(name, (time.time() - 3600,) * 2)
                if before is not None:
                    with open(path, "wb") as f:
                        f.write(before)
                self.game = self.session.launch(
                    [GAME], env={"XDG_CONFIG_HOME": self.config_home.name,
                                 "SDL_AUDIODRIVER": "dummy"}, log_name="zellipo.log")
                if start_box:
                    self.answer_box(self.game, "at the start")
                window = self.session.find_window(self.game, "Zellipo")
                self.check_board(window, level)
                if meanwhile:
                    meanwhile(self.config_home.name)
                if leave == "menu":
                    self.open_game_menu(window)
                    self.session.key_to_focused("x")
                else:
                    self.game.send_signal(signal.SIGTERM)
                if end_box:
                    self.answer_box(self.game, "as the game ended")
                self.wait_for_exit(leave)
                if leave == "signal" and "Not a directory" not in self.session.program_log(
                        self.game):
                    self.diagnose("the failed save was not told on standard error")
                if meanwhile is None:
                    for name in backups:
                        if not os.path.exists(name):
                            self.diagnose("the player's %s was removed" % name)
                    with open(path, "rb") as f:
                        saved = f.read()
                    if after is None and saved != before:
                        self.diagnose("the settings file was changed")
                    if after is not None:
                        self.check_settings(saved.decode(), after)
                self.session.close()

    def check_settings(self, text, expected):
        problems = startup.settings_problems(text, expected)
        if problems:
            self.diagnose("the saved settings are wrong:\n  %s\nFile:\n%s" % (
                "\n  ".join(problems), text))

    def test_a_new_record_that_cannot_be_saved_is_told_and_the_game_goes_on(self):
        play = test_play_basic.PlayBasicTest(
            "test_solving_basic_flashes_the_clock_and_takes_the_record")
        play.setUp()
        self.addCleanup(play.doCleanups)
        self.session, self.last_shot = play.session, None
        self.game = play.game = play.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": play.config_home, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        window = play.session.find_window(play.game, "Zellipo")
        client, (left, top), start = play.locate_board(window)
        no_settings_folder(play.config_home)
        play.play(window, left, top, start, test_play_basic.solve(start))
        play.enter_record()
        self.answer_box(play.game, "after the new record")
        # The game goes on: a new game is shuffled on the same board.
        play.session.key(window.wid, "F2")
        play.locate_board(window)
        self.open_game_menu(window)
        play.session.key_to_focused("x")
        self.answer_box(play.game, "as the player left")
        self.wait_for_exit("遊戲 → 離開 (Alt+G, X)")


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
