#!/usr/bin/env python3
"""test_music.py: the real game plays the music beside it without a word; without it, one box at start and one for each music switch; music the synthesizer cannot play is one box, and the game plays on."""

import os
import shutil
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
    BOARD_IN_CLIENT, CLIENT_HEIGHT, read_section, settings_path)

GAME = None
ARTIFACTS = None

MUSIC_BUTTON_IN_CLIENT = (208 + 12, 4 + 12)
BOARD_SIZE = 360
# A MIDI file timed in SMPTE frames, which the synthesizer cannot play: a header of format 0 with
# one track and a division of 25 frames of 40 ticks, then one note.
SMPTE_MUSIC = (b"MThd" + bytes.fromhex("00000006 0000 0001 E728") +
               b"MTrk" + bytes.fromhex("0000000C 00903C64 30803C40 00FF2F00"))
MAIN_TITLE = "Zellipo"
# Message boxes carry the application's title.
BOX_TITLE = "Quorvel"


class MusicTest(unittest.TestCase):
    def setUp(self):
        self.config_home, self.session = xsession.session_for(self)

    def fail_with_shot(self, message):
        self.fail(self.session.failure_report(message, self.game, os.path.join(
            ARTIFACTS, "e2e-music-%s.png" % self._testMethodName)))

    def launch(self, game):
        self.game = self.session.launch(
            [game], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")

    def titles(self):
        return [self.session.title(w) for w in self.session.visible_windows(self.game.pid)]

    def expect_no_box(self, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if BOX_TITLE in self.titles():
                self.fail_with_shot("a message box appeared %s" % what)
            time.sleep(0.1)

    def click_music(self, window):
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)
        self.session.click(client[0] + MUSIC_BUTTON_IN_CLIENT[0],
                           client[1] + MUSIC_BUTTON_IN_CLIENT[1])

    def music_from_menu(self, window):
        """遊戲 → 音樂 by its mnemonics, as a player without a mouse switches it."""
        known = self.session.visible_windows(self.game.pid)
        self.session.key(window.wid, "alt+g")
        menu = self.session.wait_for_new_window(self.game, known)
        if menu is None:
            self.fail_with_shot("Alt+G did not open the 遊戲 menu")
        self.session.key_to_focused("m")
        if not self.session.wait_until_hidden(self.game, menu):
            self.fail_with_shot("M in the 遊戲 menu did not close the menu")

    def close_box(self, what):
        try:
            box = self.session.find_window(self.game, BOX_TITLE, timeout=5)
        except xsession.XSessionError as error:
            self.fail_with_shot("no message box %s: %s" % (what, error))
        self.session.key(box.wid, "Return")
        if not self.session.wait_until_hidden(self.game, box.wid):
            self.fail_with_shot("Return did not close the message box %s" % what)

    def stored_music(self):
        self.game.send_signal(signal.SIGTERM)
        try:
            code = self.game.wait(15)
        except subprocess.TimeoutExpired:
            self.fail_with_shot("the game was still running 15 s after SIGTERM")
        self.assertEqual(code, 0)
        with open(settings_path(self.config_home.name), encoding="utf-8") as f:
            values = {name: value for name, _, value, _ in read_section(f.read())}
        return values.get("Music")

    def test_music_beside_the_game_plays_without_a_word(self):
        self.launch(GAME)
        window = self.session.find_window(self.game, MAIN_TITLE)
        self.expect_no_box(1.5, "at start with the music beside the game")
        self.click_music(window)
        self.music_from_menu(window)
        self.music_from_menu(window)
        self.expect_no_box(1.0, "after switching the music off, on and off")
        self.assertEqual(self.stored_music(), 0)

    def game_apart(self, music=None):
        """The game and its sound module in a folder of their own, with the music given or none."""
        folder = tempfile.TemporaryDirectory(prefix="zellipo-game-")
        self.addCleanup(folder.cleanup)
        game = shutil.copy(GAME, folder.name)
        shutil.copy(os.path.join(os.path.dirname(GAME), "zellipo-audio.so"), folder.name)
        if music is not None:
            with open(os.path.join(folder.name, "Music.mid"), "wb") as f:
                f.write(music)
        return game

    def board(self, window):
        client = (window.x, window.y + window.height - CLIENT_HEIGHT)
        return self.session.screenshot().crop(client[0] + BOARD_IN_CLIENT[0],
                                              client[1] + BOARD_IN_CLIENT[1], BOARD_SIZE,
                                              BOARD_SIZE)

    def test_missing_music_is_reported_once_and_the_switch_still_flips(self):
        self.launch(self.game_apart())

        # The music is opened just after the window first reaches the screen, so the box comes
        # with the window rather than holding it up.
        box = self.session.find_window(self.game, BOX_TITLE)
        window = self.session.find_window(self.game, MAIN_TITLE)
        self.session.key(box.wid, "Return")
        self.expect_no_box(1.5, "a second time at start")

        self.click_music(window)
        self.close_box("after switching the music off")
        self.expect_no_box(0.5, "twice for one switch")
        self.assertEqual(self.stored_music(), 0)

    def test_music_the_synthesizer_cannot_play_is_one_box_and_the_game_plays_on(self):
        self.launch(self.game_apart(SMPTE_MUSIC))
        box = self.session.find_window(self.game, BOX_TITLE)
        window = self.session.find_window(self.game, MAIN_TITLE)
        self.session.key(box.wid, "Return")
        if not self.session.wait_until_hidden(self.game, box.wid):
            self.fail_with_shot("Return did not close the message box of the music")
        self.expect_no_box(1.0, "a second time for the music")

        # Up moves the tile below the hole, Down the one above: one of them moves a tile.
        before = self.board(window)
        self.session.focus(window.wid)
        for key in ("Up", "Down"):
            self.session.key(window.wid, key)
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and self.board(window).rgb == before.rgb:
                time.sleep(0.1)
            if self.board(window).rgb != before.rgb:
                break
        else:
            self.fail_with_shot("neither Up nor Down moved a tile after the music was refused")

        self.assertEqual(self.stored_music(), 1)
        # The refusal is told in the box, not over and over on the terminal.
        lines = [line for line in self.session.program_log(self.game).splitlines() if line]
        self.assertEqual(len(lines), len(set(lines)), "\n".join(lines[:20]))


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
