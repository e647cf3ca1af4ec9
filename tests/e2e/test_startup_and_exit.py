#!/usr/bin/env python3
"""test_startup_and_exit.py: the real game starts from its settings file, draws the board and saves on leaving."""

import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from xsession import BLACK, GREEN, WHITE  # noqa: E402

GAME = None
ARTIFACTS = None

SECTION = r"HKEY_CURRENT_USER\Software\Belnovia\Quorvel"

# The fourteen stored values in the order the game writes them, with their defaults.
STORED_VALUES = [
    ("Bitmap file name", "sz", ""),
    ("Bitmap path", "sz", ""),
    ("Level", "dword", 0),
    ("Sound", "dword", 1),
    ("Music", "dword", 1),
    ("Number", "dword", 1),
    ("Basic recorder", "sz", "???"),
    ("Basic record time", "dword", 35999),
    ("Middle recorder", "sz", "???"),
    ("Middle record time", "dword", 35999),
    ("Advance recorder", "sz", "???"),
    ("Advance record time", "dword", 35999),
    ("User define number H", "dword", 4),
    ("User define number V", "dword", 4),
]

# Columns (= rows), tile size and the grid's offset inside the 360-pixel board, per level.
LEVEL_GRIDS = {0: (3, 120, 0), 1: (5, 72, 0), 2: (7, 51, 1)}

BOARD_SIZE = 360
CLIENT_WIDTH, CLIENT_HEIGHT = 567, 410
BOARD_IN_CLIENT = (12, 40)
CLOCK_IN_CLIENT = (440, 4, 120, 25)
NAVY = (0, 0, 128)
LIME = (0, 255, 0)

# Lines the game does not own: a comment and a value inside its section, and another key.
# A player who edits the file by hand must not lose them at the next exit.
FOREIGN_COMMENT = "; Advance without numbers, as Mei likes it"
FOREIGN_VALUE = '"Window colour"="teal"'
FOREIGN_SECTION = r"[HKEY_CURRENT_USER\Software\Belnovia\Other]"
FOREIGN_OTHER_VALUE = '"Volume"=dword:00000007'

PREPARED_FILE = "\n".join([
    "REGEDIT4",
    "",
    "[" + SECTION + "]",
    FOREIGN_COMMENT,
    '"Number"=dword:00000000',
    FOREIGN_VALUE,
    '"Level"=dword:00000002',
    '"Basic recorder"="Mei"',
    '"Basic record time"=dword:0000007b',
    "",
    FOREIGN_SECTION,
    FOREIGN_OTHER_VALUE,
    "",
])


def settings_path(config_home):
    return os.path.join(config_home, "Belnovia", "Quorvel.reg")


def read_section(text):
    """The value lines of the game's section, in file order, as (name, kind, value, line)."""
    values = []
    inside = False
    for line in text.splitlines():
        stripped = line.strip()
        if stripped.startswith("[") and stripped.endswith("]"):
            inside = stripped[1:-1].lower() == SECTION.lower()
            continue
        if not inside:
            continue
        match = re.fullmatch(r'"((?:[^"\\]|\\.)*)"=(.*)', stripped)
        if not match:
            continue
        name, data = match.group(1), match.group(2)
        if re.fullmatch(r'"((?:[^"\\]|\\.)*)"', data):
            values.append((name, "sz", re.sub(r"\\(.)", r"\1", data[1:-1]), line))
        elif re.fullmatch(r"dword:[0-9a-fA-F]{8}", data):
            values.append((name, "dword", int(data[6:], 16), line))
        else:
            values.append((name, "other", data, line))
    return values


def settings_problems(text, expected):
    """Differences between the saved file and the fourteen values expected, in their order."""
    problems = []
    values = read_section(text)
    positions = []
    for name, kind, want in expected:
        found = [(i, v) for i, v in enumerate(values) if v[0].lower() == name.lower()]
        if not found:
            problems.append("%r is missing" % name)
            continue
        if len(found) > 1:
            problems.append("%r is stored %d times" % (name, len(found)))
        index, (_, got_kind, got, line) = found[-1]
        positions.append((index, name))
        if got_kind != kind:
            problems.append("%r should be %s, the file has %r" % (name, kind, line))
        elif got != want:
            problems.append("%r should be %r, the file has %r" % (name, want, got))
    order = [name for _, name in sorted(positions)]
    written = [name for name, _, _ in expected if name in order]
    if order != written:
        problems.append("the values are not in the game's order:\n    expected %r\n    found    %r"
                        % (written, order))
    return problems


def expected_values(**changes):
    result = []
    for name, kind, default in STORED_VALUES:
        result.append((name, kind, changes.get(name, default)))
    return result


class TBoardCheck:
    """Compares the board on screen with the framed grid of a level."""

    def __init__(self, shot, level):
        self.shot = shot
        self.cols, self.tile, self.offset = LEVEL_GRIDS[level]

    def problems(self, left, top):
        """What is wrong with a board whose top-left pixel is at (left, top) on the screen."""
        px = self.shot.pixel
        n, tile, offset = self.cols, self.tile, self.offset
        grid_end = offset + n * tile
        problems = []

        margin_faults = []
        for y in range(BOARD_SIZE):
            in_rows = offset <= y < grid_end
            for x in range(BOARD_SIZE):
                if in_rows and offset <= x < grid_end:
                    continue
                if px(left + x, top + y) != GREEN:
                    margin_faults.append((x, y, px(left + x, top + y)))
        if margin_faults:
            problems.append("%d margin pixels are not green, first at board (%d,%d): %r" % (
                (len(margin_faults),) + margin_faults[0]))

        holes = []
        for row in range(n):
            for col in range(n):
                x0 = left + offset + col * tile
                y0 = top + offset + row * tile
                fault = self._frame_fault(x0, y0)
                if fault:
                    problems.append("cell (col %d, row %d): %s" % (col, row, fault))
                if all(px(x, y) == GREEN for y in range(y0 + 1, y0 + tile - 1)
                       for x in range(x0 + 1, x0 + tile - 1)):
                    holes.append((col, row))
        if len(holes) != 1:
            problems.append("expected exactly one green hole cell, found %d: %r" % (
                len(holes), holes))
        return problems

    def _frame_fault(self, x0, y0):
        px = self.shot.pixel
        t = self.tile
        # White left edge down to the last-but-one pixel and white top edge up to the
        # last-but-one; black bottom edge in full and black right edge below its top pixel,
        # which neither line touches.
        lines = [
            ("left edge", WHITE, [(x0, y) for y in range(y0, y0 + t - 1)]),
            ("top edge", WHITE, [(x, y0) for x in range(x0, x0 + t - 1)]),
            ("bottom edge", BLACK, [(x, y0 + t - 1) for x in range(x0, x0 + t)]),
            ("right edge", BLACK, [(x0 + t - 1, y) for y in range(y0 + 1, y0 + t)]),
        ]
        for label, colour, points in lines:
            wrong = [(x, y, px(x, y)) for x, y in points if px(x, y) != colour]
            if wrong:
                x, y, got = wrong[0]
                return "%s should be %r, %d pixels are not; first at offset (%d,%d): %r" % (
                    label, colour, len(wrong), x - x0, y - y0, got)
        return None

    def search(self, window):
        """Where inside the window a complete board is, or None: to say where a misplaced
        board went."""
        px = self.shot.pixel
        t, off = self.tile, self.offset
        for y in range(window.y, window.y + window.height):
            for x in range(window.x, window.x + window.width):
                # Corners of the first cell and the start of the next, before the full check.
                if (px(x, y) == WHITE and px(x + t - 1, y + t - 1) == BLACK and
                        px(x + t, y) == WHITE and px(x, y + t) == WHITE and
                        px(x - 1, y - 1) in (GREEN, None) and
                        not self.problems(x - off, y - off)):
                    return (x - off, y - off)
        return None


class StartupAndExitTest(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.config_home, self.session = xsession.session_for(self)
        self.game = None
        self.last_shot = None

    def launch_game(self):
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        return self.session.find_window(self.game, "Zellipo")

    def diagnose(self, message):
        """Fails with the message, the game's output and a saved screenshot."""
        name = self.id().rsplit(".", 1)[-1]
        self.fail(self.session.failure_report(
            message, self.game, os.path.join(ARTIFACTS, "e2e-%s-final.png" % name),
            self.last_shot, os.path.join(ARTIFACTS, "e2e-%s-checked.png" % name)))

    def check_board(self, window, level, timeout=10.0):
        """Waits for the board of the level to be on screen where the layout puts it."""
        if window.width != CLIENT_WIDTH or window.height <= CLIENT_HEIGHT:
            self.diagnose("main window is %dx%d; expected %d wide and %d high plus a menu bar" % (
                window.width, window.height, CLIENT_WIDTH, CLIENT_HEIGHT))
        # The client area is the bottom 410 pixels of the window, under the menu bar, whose
        # height depends on the font.
        client_x = window.x
        client_y = window.y + window.height - CLIENT_HEIGHT
        left = client_x + BOARD_IN_CLIENT[0]
        top = client_y + BOARD_IN_CLIENT[1]
        deadline = time.monotonic() + timeout
        while True:
            # The first frames may come before the board is painted; judge the latest picture.
            self.last_shot = self.session.screenshot()
            check = TBoardCheck(self.last_shot, level)
            problems = check.problems(left, top)
            if not problems or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        if problems:
            found = check.search(window)
            where = ("a correct board is at client (%d,%d) instead" % (
                found[0] - client_x, found[1] - client_y) if found else
                "no correct board anywhere in the window")
            cols, tile, offset = LEVEL_GRIDS[level]
            self.diagnose("level %d board (%dx%d cells of %d px at offset %d) at client (%d,%d) "
                          "is wrong; %s:\n  %s" % (
                              level, cols, cols, tile, offset, BOARD_IN_CLIENT[0],
                              BOARD_IN_CLIENT[1], where, "\n  ".join(problems[:12])))
        return client_x, client_y

    def check_clock(self, client_x, client_y):
        x, y, w, h = CLOCK_IN_CLIENT
        pixels = [self.last_shot.pixel(client_x + i, client_y + j)
                  for j in range(y, y + h) for i in range(x, x + w)]
        navy = sum(p == NAVY for p in pixels)
        lime = sum(p == LIME for p in pixels)
        if navy < len(pixels) // 2 or lime == 0:
            self.diagnose("clock label at client (%d,%d,%d,%d): expected lime text on navy, "
                          "found %d navy and %d lime pixels of %d" % (
                              x, y, w, h, navy, lime, len(pixels)))

    def open_game_menu(self, window):
        self.session.key(window.wid, "alt+g")
        menu = self.session.wait_for_new_window(self.game, [window.wid])
        if menu is None:
            self.diagnose("Alt+G did not open the 遊戲 menu")
        return menu

    def wait_for_exit(self, what, timeout=15.0):
        try:
            code = self.game.wait(timeout)
        except subprocess.TimeoutExpired:
            self.diagnose("the game was still running %.0f s after %s" % (timeout, what))
        if code != 0:
            self.diagnose("the game ended with exit code %d after %s; expected 0" % (code, what))

    def read_settings(self):
        path = settings_path(self.config_home.name)
        if not os.path.exists(path):
            self.diagnose("no settings file at %s after the game ended" % path)
        with open(path, encoding="utf-8") as f:
            return f.read()

    def check_settings(self, text, expected):
        problems = settings_problems(text, expected)
        if problems:
            self.diagnose("the saved settings are wrong:\n  %s\nFile:\n%s" % (
                "\n  ".join(problems), text))

    def test_stored_level_is_drawn_and_menu_exit_saves_keeping_foreign_lines(self):
        path = settings_path(self.config_home.name)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8") as f:
            f.write(PREPARED_FILE)

        window = self.launch_game()
        client_x, client_y = self.check_board(window, level=2)
        self.check_clock(client_x, client_y)

        # Leave the way a player does without a mouse: the menu's mnemonics.
        menu = self.open_game_menu(window)
        self.session.key_to_focused("x")
        if not self.session.wait_until_hidden(self.game, menu) and self.game.poll() is None:
            self.diagnose("X in the 遊戲 menu did not close the menu")
        self.wait_for_exit("遊戲 → 離開 (Alt+G, X)")

        text = self.read_settings()
        self.check_settings(text, expected_values(**{
            "Level": 2, "Number": 0, "Basic recorder": "Mei", "Basic record time": 123}))
        lines = text.splitlines()
        for kept in (FOREIGN_COMMENT, FOREIGN_VALUE, FOREIGN_SECTION, FOREIGN_OTHER_VALUE):
            if kept not in lines:
                self.diagnose("the line %r of the prepared file was lost:\n%s" % (kept, text))
        section_of = {}
        current = None
        for line in lines:
            if line.startswith("["):
                current = line
            section_of.setdefault(line, current)
        for kept in (FOREIGN_COMMENT, FOREIGN_VALUE):
            if section_of[kept] != "[" + SECTION + "]":
                self.diagnose("%r moved out of the game's section:\n%s" % (kept, text))
        if section_of[FOREIGN_OTHER_VALUE] != FOREIGN_SECTION:
            self.diagnose("%r moved out of its own section:\n%s" % (FOREIGN_OTHER_VALUE, text))

    def test_sigterm_saves_the_switches_of_the_running_game(self):
        window = self.launch_game()
        # No settings file: the defaults, so the Basic level.
        self.check_board(window, level=0)

        # Switch the tile numbers off, so the save must carry what changed during the run.
        menu = self.open_game_menu(window)
        self.session.key_to_focused("t")
        # The menu closes in the same step that toggles the item; after that the toggle cannot
        # be overtaken by the signal.
        if not self.session.wait_until_hidden(self.game, menu):
            self.diagnose("T in the 遊戲 menu did not close the menu")

        self.game.send_signal(signal.SIGTERM)
        self.wait_for_exit("SIGTERM")
        self.check_settings(self.read_settings(), expected_values(Number=0))

    def test_sigterm_while_a_start_up_box_shows_ends_the_game_and_saves(self):
        # A wrongly typed value stops the load with a box before the window is shown.
        path = settings_path(self.config_home.name)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join([
                "REGEDIT4", "", "[" + SECTION + "]",
                '"Basic recorder"="Mei"',
                '"Basic record time"=dword:0000007b',
                '"User define number V"="four"',
                ""]))
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home.name, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        self.session.find_window(self.game, "Quorvel")

        self.game.send_signal(signal.SIGTERM)
        self.wait_for_exit("SIGTERM while the start-up box showed")
        # Saved: the value read before the faulty one kept, the faulty one written anew.
        text = self.read_settings()
        names = [name.lower() for name, _, _, _ in read_section(text)]
        if sorted(names) != sorted(name.lower() for name, _, _ in STORED_VALUES):
            self.diagnose("the file does not hold the fourteen values:\n%s" % text)
        self.check_settings(text, [
            ("Basic recorder", "sz", "Mei"),
            ("Basic record time", "dword", 123),
            ("User define number V", "dword", 4),
        ])


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
