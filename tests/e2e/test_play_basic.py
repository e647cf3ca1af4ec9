#!/usr/bin/env python3
"""test_play_basic.py: a whole game of Basic played from outside with clicks and arrow keys, to the new record."""

import collections
import os
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from xsession import BLACK, GREEN, WHITE  # noqa: E402
# The stored values, their order and defaults, and the reader of the saved file are shared with
# the start-up test, so both judge the file the same way.
from test_startup_and_exit import (  # noqa: E402
    BOARD_IN_CLIENT, CLIENT_HEIGHT, CLOCK_IN_CLIENT, LIME, NAVY, expected_values, read_section,
    settings_path, settings_problems, SECTION)

GAME = None
ARTIFACTS = None

COLS = 3
TILE = 120
BOARD_SIZE = COLS * TILE
CELLS = COLS * COLS
HOLE = CELLS - 1

# One flat colour per region of the picture, row-major, so a tile's colour names the tile.
# All are far from the board's green, the frames' white and black, and from each other.
REGION_COLOURS = [
    (200, 40, 40), (40, 60, 210), (230, 210, 40),
    (200, 40, 200), (40, 200, 210), (240, 140, 30),
    (130, 70, 20), (150, 150, 150), (120, 40, 160),
]

# Inside the clock label's 1-pixel border, near its top-left corner, where the text never reaches.
CLOCK_SAMPLE = (CLOCK_IN_CLIENT[0] + 2, CLOCK_IN_CLIENT[1] + 2)

# How long a move may take to show, on a loaded machine; a slide takes about 0.1 s.
MOVE_TIMEOUT = 15.0
PLAYER_NAME = "Ann Lee"
RECORD_DIALOG_TITLE = "新的記錄保持者"


def write_bmp(path, width, height, colour_at):
    """A bottom-up 24-bit BMP; rows are padded to four bytes."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        row += b"\x00" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def region_colour(x, y):
    return REGION_COLOURS[(y // TILE) * COLS + x // TILE]


def neighbours(position):
    row, col = divmod(position, COLS)
    if row > 0:
        yield position - COLS
    if row < COLS - 1:
        yield position + COLS
    if col > 0:
        yield position - 1
    if col < COLS - 1:
        yield position + 1


def solve(start):
    """The shortest list of positions to click, each next to the hole at its turn.

    Plain breadth-first search: at most 9!/2 states, well under a second or two in Python.
    """
    goal = tuple(range(CELLS))
    start = tuple(start)
    if start == goal:
        return []
    parent = {start: None}
    queue = collections.deque([start])
    while queue:
        state = queue.popleft()
        hole = state.index(HOLE)
        for p in neighbours(hole):
            cells = list(state)
            cells[hole], cells[p] = cells[p], cells[hole]
            following = tuple(cells)
            if following in parent:
                continue
            parent[following] = (state, p)
            if following == goal:
                path = []
                while parent[following] is not None:
                    following, clicked = parent[following]
                    path.append(clicked)
                return path[::-1]
            queue.append(following)
    return None


def arrow_for(tile_position, hole_position):
    """The arrow key that slides the tile at tile_position into the hole."""
    if tile_position == hole_position + COLS:
        return "Up"
    if tile_position == hole_position - COLS:
        return "Down"
    if tile_position == hole_position + 1:
        return "Left"
    return "Right"


def describe(arrangement):
    return " / ".join(" ".join("__" if t == HOLE else "%2d" % t for t in
                               arrangement[r * COLS:(r + 1) * COLS]) for r in range(COLS))


class PlayBasicTest(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory(prefix="zellipo-play-")
        self.addCleanup(self.scratch.cleanup)
        self.config_home = os.path.join(self.scratch.name, "config")
        self.picture = os.path.join(self.scratch.name, "picture.bmp")
        write_bmp(self.picture, BOARD_SIZE, BOARD_SIZE, region_colour)
        path = settings_path(self.config_home)
        os.makedirs(os.path.dirname(path))
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("REGEDIT4\n\n[%s]\n\"Bitmap file name\"=\"%s\"\n"
                    "\"Level\"=dword:00000000\n\"Number\"=dword:00000000\n" % (
                        SECTION, self.picture))
        self.session = xsession.XSession()
        self.session.__enter__()
        self.addCleanup(self.session.close)
        self.game = None
        self.last_shot = None
        self.launched_at = None

    # --- failures ---

    def diagnose(self, message):
        """Fails with the message, the game's output and the screenshots that tell why."""
        self.fail(self.session.failure_report(
            message, self.game, os.path.join(ARTIFACTS, "e2e-play-basic-final.png"),
            self.last_shot, os.path.join(ARTIFACTS, "e2e-play-basic-checked.png")))

    # --- reading the board ---

    def shoot(self):
        self.last_shot = self.session.screenshot()
        return self.last_shot

    def read_cells(self, shot, left, top):
        """Each cell's centre as a tile number, HOLE for green, or None for anything else."""
        cells = []
        for position in range(CELLS):
            row, col = divmod(position, COLS)
            colour = shot.pixel(left + col * TILE + TILE // 2, top + row * TILE + TILE // 2)
            if colour == GREEN:
                cells.append(HOLE)
            elif colour in REGION_COLOURS[:HOLE]:
                cells.append(REGION_COLOURS.index(colour))
            else:
                cells.append(None)
        return cells

    def arrangement_problem(self, cells):
        if None in cells:
            return "cells whose centre is neither a tile colour nor green: %r" % [
                p for p, t in enumerate(cells) if t is None]
        if sorted(cells) != list(range(CELLS)):
            return "tiles are missing or doubled: %r" % cells
        return None

    def frame_problem(self, shot, left, top):
        """A framed cell has a white top-left and a black bottom-right pixel."""
        for position in range(CELLS):
            row, col = divmod(position, COLS)
            x0, y0 = left + col * TILE, top + row * TILE
            if shot.pixel(x0, y0) != WHITE or shot.pixel(x0 + TILE - 1, y0 + TILE - 1) != BLACK:
                return "cell %d has no white/black frame (corners %r, %r)" % (
                    position, shot.pixel(x0, y0), shot.pixel(x0 + TILE - 1, y0 + TILE - 1))
        return None

    def search_board(self, shot, window):
        """Where in the window a framed 3x3 board of the test picture lies, or None."""
        for y in range(window.y, window.y + window.height - BOARD_SIZE + 1):
            for x in range(window.x, window.x + window.width - BOARD_SIZE + 1):
                if shot.pixel(x, y) != WHITE or shot.pixel(x + TILE - 1, y + TILE - 1) != BLACK:
                    continue
                if (self.arrangement_problem(self.read_cells(shot, x, y)) is None and
                        self.frame_problem(shot, x, y) is None):
                    return x, y
        return None

    def locate_board(self, window, timeout=10.0):
        """The board's top-left on the screen and the shuffled arrangement shown there.

        The layout puts the board at a fixed place under the menu bar; if it is not there the
        window is searched, so a shifted board is reported with where it went.
        """
        client_x = window.x
        client_y = window.y + window.height - CLIENT_HEIGHT
        left, top = client_x + BOARD_IN_CLIENT[0], client_y + BOARD_IN_CLIENT[1]
        deadline = time.monotonic() + timeout
        while True:
            shot = self.shoot()
            cells = self.read_cells(shot, left, top)
            problem = self.arrangement_problem(cells) or self.frame_problem(shot, left, top)
            if problem is None:
                return (client_x, client_y), (left, top), cells
            if time.monotonic() > deadline:
                break
            time.sleep(0.2)
        found = self.search_board(shot, window)
        if found:
            self.diagnose("the board is not at client (%d,%d) but at client (%d,%d)" % (
                BOARD_IN_CLIENT[0], BOARD_IN_CLIENT[1], found[0] - client_x,
                found[1] - client_y))
        self.diagnose("no shuffled board of the test picture at client (%d,%d): %s; "
                      "centres read %r" % (BOARD_IN_CLIENT[0], BOARD_IN_CLIENT[1], problem,
                                           cells))

    # --- playing ---

    def play(self, window, left, top, start, path):
        """Plays the moves, every third by arrow key, checking the board after each but the
        last; returns the time of the last move."""
        cells = list(start)
        for number, position in enumerate(path, 1):
            hole = cells.index(HOLE)
            if position not in neighbours(hole):
                self.diagnose("the solver gave a move that is not next to the hole")
            if number % 3 == 0:
                how = "arrow key %s" % arrow_for(position, hole)
                self.session.key(window.wid, arrow_for(position, hole))
            else:
                row, col = divmod(position, COLS)
                x, y = left + col * TILE + TILE // 2, top + row * TILE + TILE // 2
                how = "click at (%d,%d)" % (x, y)
                self.session.click(x, y)
            moved_at = time.monotonic()
            cells[hole], cells[position] = cells[position], cells[hole]
            if number == len(path):
                # The clock's flashing starts within a second; watching it must start now.
                return moved_at, how
            seen = []

            def shows_the_move():
                seen[:] = self.read_cells(self.shoot(), left, top)
                return seen == cells

            if not xsession.wait_until(shows_the_move, MOVE_TIMEOUT):
                self.diagnose("move %d of %d (tile %d into the hole by %s): expected %s, "
                              "the board shows %s after %.0f s" % (
                                  number, len(path), cells[hole], how, describe(cells),
                                  describe(seen), MOVE_TIMEOUT))
        return time.monotonic(), "no move"

    def watch_completion(self, window, client, left, top, solved_at, how):
        """Samples the clock label and the board about every 100 ms from the solving move until
        the whole picture shows; returns the colour timeline of the label's background."""
        clock_x, clock_y = client[0] + CLOCK_SAMPLE[0], client[1] + CLOCK_SAMPLE[1]
        timeline = []
        solved_seen = False
        whole_at = None
        deadline = solved_at + 7.0
        while time.monotonic() < deadline:
            shot = self.shoot()
            now = time.monotonic() - solved_at
            timeline.append((now, shot.pixel(clock_x, clock_y)))
            whole = self.whole_picture_problem(shot, left, top) is None
            if not whole and now > 2.0:
                # Taken after the shot, so a dialog that opened in between only hides more.
                covered = self.other_windows(window)
                whole = covered and self.whole_picture_problem(shot, left, top, covered) is None
            if not solved_seen and not whole and now >= 0.3:
                # The slide is over by now; until the whole picture shows, the solved board
                # keeps its frames and the green hole in the corner.
                cells = self.read_cells(shot, left, top)
                if cells != list(range(CELLS)):
                    self.diagnose("after the last move (%s) the board is not solved: %s" % (
                        how, describe(cells)))
                solved_seen = True
            if whole:
                whole_at = now
                # Keep sampling a little: the label must stay navy once the flashing is over.
                end = time.monotonic() + 0.6
                while time.monotonic() < end:
                    shot = self.shoot()
                    timeline.append((time.monotonic() - solved_at,
                                     shot.pixel(clock_x, clock_y)))
                break
            if self.game.poll() is not None:
                self.diagnose("the game ended (exit code %s) after the solving move" %
                              self.game.returncode)
        return timeline, whole_at

    def other_windows(self, window):
        """Rectangles of the game's visible windows other than the main one: the record dialog
        opens over the board once the picture is whole."""
        rects = []
        for wid in self.session.visible_windows(self.game.pid):
            if wid != window.wid:
                try:
                    g = self.session.geometry(wid)
                except xsession.XSessionError:
                    continue  # gone again
                rects.append((g["x"], g["y"], g["width"], g["height"]))
        return rects

    def whole_picture_problem(self, shot, left, top, covered=()):
        """The picture without frames or hole: a grid of points in every region, its edges
        included, in the region's own colour; points under another window are not judged."""
        offsets = (0, 1, 10, 30, 60, 90, 110, TILE - 2, TILE - 1)
        for position in range(CELLS):
            row, col = divmod(position, COLS)
            x0, y0 = left + col * TILE, top + row * TILE
            judged = 0
            for y in (y0 + d for d in offsets):
                for x in (x0 + d for d in offsets):
                    if any(cx <= x < cx + cw and cy <= y < cy + ch for cx, cy, cw, ch in covered):
                        continue
                    judged += 1
                    if shot.pixel(x, y) != REGION_COLOURS[position]:
                        return "region %d at board (%d,%d) is %r, expected %r" % (
                            position, x - left, y - top, shot.pixel(x, y),
                            REGION_COLOURS[position])
            if judged == 0:
                return "region %d is hidden under another window" % position
        return None

    def check_flashing(self, timeline, whole_at):
        text = ", ".join("%.2fs %s" % (t, {NAVY: "navy", LIME: "lime"}.get(c, repr(c)))
                         for t, c in timeline)
        print("clock label background after the solving move: " + text)
        strange = [(t, c) for t, c in timeline if c not in (NAVY, LIME)]
        if strange:
            self.diagnose("the clock label's background was neither navy nor lime at %.2f s: "
                          "%r" % strange[0])
        lime_times = [t for t, c in timeline if c == LIME]
        if not lime_times:
            self.diagnose("the clock label never turned lime after the solve: %s" % text)
        if lime_times[0] > 1.5:
            self.diagnose("the clock label first turned lime %.2f s after the solving move; "
                          "expected within 1.5 s" % lime_times[0])
        if timeline[-1][1] != NAVY:
            self.diagnose("the clock label did not end navy after the flashing: %s" % text)
        if whole_at is not None and any(t > whole_at + 0.05 for t in lime_times):
            self.diagnose("the clock label was still lime after the whole picture showed "
                          "(%.2f s): %s" % (whole_at, text))
        # Three lime spells (six swaps). Only asserted when no two samples were so far apart
        # that a 500 ms spell could fall between them.
        spells = sum(1 for i, (_, c) in enumerate(timeline)
                     if c == LIME and (i == 0 or timeline[i - 1][1] != LIME))
        gaps = [b[0] - a[0] for a, b in zip(timeline, timeline[1:])]
        if gaps and max(gaps) < 0.4 and spells != 3:
            self.diagnose("the clock label was lime %d times; six swaps make three: %s" % (
                spells, text))

    def enter_record(self):
        dialog = self.session.find_window(self.game, RECORD_DIALOG_TITLE, timeout=6.0)
        self.session.focus(dialog.wid)
        self.session.run("xdotool", "type", "--delay", "60", PLAYER_NAME)
        self.session.key(dialog.wid, "Return")
        if not self.session.wait_until_hidden(self.game, dialog.wid):
            self.diagnose("Return did not close the %s dialog" % RECORD_DIALOG_TITLE)

    def quit_by_menu(self, window):
        self.session.key(window.wid, "alt+g")
        menu = self.session.wait_for_new_window(self.game, [window.wid])
        if menu is None:
            self.diagnose("Alt+G did not open the 遊戲 menu")
        self.session.key_to_focused("x")
        try:
            code = self.game.wait(15)
        except subprocess.TimeoutExpired:
            self.diagnose("the game was still running 15 s after 遊戲 → 離開 (Alt+G, X)")
        if code != 0:
            self.diagnose("the game ended with exit code %d; expected 0" % code)

    def check_saved_record(self, played_seconds):
        path = settings_path(self.config_home)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        values = {name.lower(): (kind, value) for name, kind, value, _ in read_section(text)}
        recorded = values.get("basic record time", (None, None))[1]
        if not isinstance(recorded, int) or not 1 <= recorded <= min(played_seconds + 2, 299):
            self.diagnose("\"Basic record time\" is %r; expected 1 to %d seconds (the game ran "
                          "%.1f s before the solve)\nFile:\n%s" % (
                              recorded, min(int(played_seconds) + 2, 299), played_seconds, text))
        # Where the game keeps the picture's folder is its own affair; it only has to be there.
        stored_path = values.get("bitmap path", ("sz", ""))[1]
        expected = expected_values(**{
            "Bitmap file name": self.picture, "Bitmap path": stored_path, "Level": 0,
            "Number": 0, "Basic recorder": PLAYER_NAME, "Basic record time": recorded})
        problems = settings_problems(text, expected)
        if problems:
            self.diagnose("the saved settings are wrong:\n  %s\nFile:\n%s" % (
                "\n  ".join(problems), text))
        print("saved record: %r in %d s" % (PLAYER_NAME, recorded))

    # --- the game ---

    def test_solving_basic_flashes_the_clock_and_takes_the_record(self):
        self.launched_at = time.monotonic()
        self.game = self.session.launch(
            [GAME], env={"XDG_CONFIG_HOME": self.config_home, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")
        window = self.session.find_window(self.game, "Zellipo")
        client, (left, top), start = self.locate_board(window)
        print("shuffled board: " + describe(start))

        path = solve(start)
        if path is None:
            self.diagnose("the shuffled board cannot be solved: %s" % describe(start))
        if not path:
            self.diagnose("the game started with the board already solved: %s" %
                          describe(start))
        print("solution: %d moves" % len(path))

        solved_at, how = self.play(window, left, top, start, path)
        print("played %d moves in %.1f s" % (len(path), solved_at - self.launched_at))
        timeline, whole_at = self.watch_completion(window, client, left, top, solved_at, how)
        if whole_at is None:
            self.diagnose("the whole picture did not show within 7 s of the solve: %s" % (
                self.whole_picture_problem(self.last_shot, left, top,
                                           self.other_windows(window))))
        print("whole picture shown %.2f s after the solving move" % whole_at)
        # The first swap waits for the next whole-second tick, then six swaps 500 ms apart and
        # one more tick to finish: 3 to 4 s, with room for a slow machine.
        if not 2.5 <= whole_at <= 5.5:
            self.diagnose("the whole picture showed %.2f s after the solving move; expected "
                          "about 3 to 4 s" % whole_at)
        self.check_flashing(timeline, whole_at)

        self.enter_record()
        self.quit_by_menu(window)
        self.check_saved_record(solved_at - self.launched_at)


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
