#!/usr/bin/env python3
"""screenshots.py: pictures of the real game for the README and software centres.

    python3 tools/screenshots.py --game build/zellipo [OUTDIR]

Runs the game in a private Xvfb (no window manager, so no frames) from fresh settings, plays it
with the keyboard and mouse as a player would, and writes into OUTDIR (docs/screenshots by
default) four PNGs, each cut to the windows it shows:

- chooser.png: the sample chooser over the main window;
- playing.png: a shuffled Middle game of the macaw sample with the tile numbers, some moves in;
- solved.png: the same picture solved at the Basic level, shown whole;
- own-picture.png: a photo of the player's own (tools/gen_photo.py's, as a JPEG) given to the
  game on its command line, at the start of a Middle game.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import xsession  # noqa: E402
from xsession import GREEN  # noqa: E402
from test_dialogs import FINAL_IMAGE_IN_CLIENT, NEW_BUTTON_IN_CLIENT  # noqa: E402
from test_play_basic import COLS, HOLE, TILE, arrow_for, neighbours, solve  # noqa: E402
from test_startup_and_exit import BOARD_IN_CLIENT, CLIENT_HEIGHT, SECTION, settings_path  # noqa: E402

# Middle with the numbers and no sound; a Basic record no game beats, so no name is asked for.
SETTINGS = "\n".join([
    "REGEDIT4", "", "[" + SECTION + "]",
    '"Level"=dword:00000001',
    '"Sound"=dword:00000000',
    '"Music"=dword:00000000',
    '"Number"=dword:00000001',
    '"Basic recorder"="Mei"',
    '"Basic record time"=dword:00000001',
    "",
])
CHOOSER_TITLE = "選擇圖片"
# The fifth sample, the macaw, inside the chooser.
MACAW_IN_CHOOSER = (232 + 60, 136 + 50)
MIDDLE_MOVES = 6
TIMEOUT = 20.0
# Where in a cell the board and the finished picture are compared, as fractions of the cell:
# clear of the frame and of the number in the corner.
SAMPLES = [(0.3 + 0.1 * i, 0.3 + 0.1 * j) for i in range(6) for j in range(6)]


class ShotError(RuntimeError):
    pass


def union(*windows):
    left = min(w.x for w in windows)
    top = min(w.y for w in windows)
    right = max(w.x + w.width for w in windows)
    bottom = max(w.y + w.height for w in windows)
    return left, top, right - left, bottom - top


def settled(session):
    """A screenshot equal to the one before it: whatever was painting has finished."""
    shots = [session.screenshot()]

    def same_twice():
        shots.append(session.screenshot())
        return shots[-1].rgb == shots[-2].rgb

    if not xsession.wait_until(same_twice, TIMEOUT, interval=0.1):
        raise ShotError("the screen did not settle within %.0f s" % TIMEOUT)
    return shots[-1]


def save(shot, box, path):
    """Cut to the box and stored with a palette where the colours allow, to keep it small."""
    shot.crop(*box).save_png(path)
    subprocess.run(["convert", path, "-strip", "-define", "png:compression-level=9", path],
                   check=True)


class Player:
    def __init__(self, session, game, window):
        self.session = session
        self.game = game
        self.window = window
        self.client = (window.x, window.y + window.height - CLIENT_HEIGHT)
        self.board = (self.client[0] + BOARD_IN_CLIENT[0], self.client[1] + BOARD_IN_CLIENT[1])
        self.final = (self.client[0] + FINAL_IMAGE_IN_CLIENT[0],
                      self.client[1] + FINAL_IMAGE_IN_CLIENT[1], FINAL_IMAGE_IN_CLIENT[2])

    def wait(self, condition, what):
        if not xsession.wait_until(condition, TIMEOUT, interval=0.2):
            raise ShotError("%s did not happen within %.0f s" % (what, TIMEOUT))

    def read_board(self, shot):
        """The Basic board as tile numbers by position, the hole as HOLE, each cell matched to
        the closest ninth of the finished picture beside the board."""
        cells = []
        for position in range(COLS * COLS):
            row, col = divmod(position, COLS)
            seen = [shot.pixel(self.board[0] + int((col + u) * TILE),
                               self.board[1] + int((row + v) * TILE)) for u, v in SAMPLES]
            if all(pixel == GREEN for pixel in seen):
                cells.append(HOLE)
                continue
            cell = self.final[2] / COLS

            def distance(tile):
                r, c = divmod(tile, COLS)
                return sum(sum((a - b) ** 2 for a, b in zip(pixel, shot.pixel(
                    self.final[0] + int((c + u) * cell), self.final[1] + int((r + v) * cell))))
                           for pixel, (u, v) in zip(seen, SAMPLES))

            cells.append(min(range(HOLE), key=distance))
        return cells

    def solve_basic(self):
        cells = []

        def readable():
            cells[:] = self.read_board(self.session.screenshot())
            return sorted(cells) == list(range(COLS * COLS))

        self.wait(readable, "a readable Basic board")
        for position in solve(cells):
            hole = cells.index(HOLE)
            assert position in neighbours(hole)
            self.session.key(self.window.wid, arrow_for(position, hole))
            cells[hole], cells[position] = cells[position], cells[hole]
            expected = list(cells)
            self.wait(lambda: self.read_board(self.session.screenshot()) == expected, "a move")

        # The hole fills in once the clock has flashed: then the picture is whole.
        last = (self.board[0] + int((COLS - 0.5) * TILE), self.board[1] + int((COLS - 0.5) * TILE))
        self.wait(lambda: self.session.screenshot().pixel(*last) != GREEN, "the whole picture")


def write_settings(config_home):
    path = settings_path(config_home)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(SETTINGS)


def take(game, out):
    with tempfile.TemporaryDirectory(prefix="zellipo-shots-") as config_home, \
            xsession.XSession() as session:
        write_settings(config_home)
        env = {"XDG_CONFIG_HOME": config_home, "SDL_AUDIODRIVER": "dummy"}
        process = session.launch([game], env=env)
        window = session.find_window(process, "Zellipo")
        player = Player(session, process, window)

        session.click(player.client[0] + NEW_BUTTON_IN_CLIENT[0],
                      player.client[1] + NEW_BUTTON_IN_CLIENT[1])
        chooser = session.find_window(process, CHOOSER_TITLE)
        # Out of the way of the chooser's picture buttons, which light up under the pointer.
        session.run("xdotool", "mousemove", "--sync", "0", "0")
        save(settled(session), union(window, chooser), os.path.join(out, "chooser.png"))

        session.click(chooser.x + MACAW_IN_CHOOSER[0], chooser.y + MACAW_IN_CHOOSER[1])
        session.run("xdotool", "mousemove", "--sync", "0", "0")
        if not session.wait_until_hidden(process, chooser.wid, TIMEOUT):
            raise ShotError("the chooser did not close")
        # Moves of a player who has just begun: back and forth from the hole, never undoing the
        # move before, the same every run.
        keys = {"Up": "Down", "Down": "Up", "Left": "Right", "Right": "Left"}
        chosen = random.Random(5)
        last = None
        for _ in range(MIDDLE_MOVES):
            key = chosen.choice([k for k in keys if k != keys.get(last)])
            session.key(window.wid, key)
            last = key
        # Not a wait for anything: a clock that has counted a while, as in a game under way.
        time.sleep(8.0)
        save(settled(session), union(window), os.path.join(out, "playing.png"))

        session.key(window.wid, "alt+g")
        session.key_to_focused("1")
        player.solve_basic()
        save(settled(session), union(window), os.path.join(out, "solved.png"))

        # A game of its own, from the same settings, for a photo given on the command line.
        xsession.stop_process(process)
        write_settings(config_home)
        photo = os.path.join(config_home, "lake.png")
        subprocess.run([sys.executable, os.path.join(HERE, "gen_photo.py"), photo], check=True)
        subprocess.run(["convert", photo, "-quality", "90", photo[:-3] + "jpg"], check=True)
        process = session.launch([game, photo[:-3] + "jpg"], env=env)
        window = session.find_window(process, "Zellipo")
        time.sleep(3.0)
        save(settled(session), union(window), os.path.join(out, "own-picture.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--game", required=True, help="the zellipo executable")
    parser.add_argument("out", nargs="?", default=os.path.join(HERE, "..", "docs", "screenshots"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    take(os.path.abspath(args.game), args.out)
    for name in ("chooser.png", "playing.png", "solved.png", "own-picture.png"):
        print("%s: %d bytes" % (os.path.join(args.out, name),
                                os.path.getsize(os.path.join(args.out, name))))


if __name__ == "__main__":
    main()
