#!/usr/bin/env python3
"""test_own_pictures.py: the real game started with a picture of the player's: photos and other formats play, upright and not remembered; hostile files give one box and the default picture."""

import os
import pathlib
import signal
import struct
import subprocess
import sys
import time
import unittest
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xsession  # noqa: E402
from test_dialogs import FINAL_IMAGE_IN_CLIENT  # noqa: E402
from test_startup_and_exit import (  # noqa: E402
    BOARD_IN_CLIENT, BOARD_SIZE, CLIENT_HEIGHT, settings_path)

GAME = None
ARTIFACTS = None

RED, BLUE, YELLOW = (255, 0, 0), (0, 0, 255), (255, 255, 0)
MAGENTA, CYAN = (255, 0, 255), (0, 255, 255)


def near(pixel, colour, tolerance=60):
    return pixel is not None and all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def with_orientation(jpeg, orientation):
    """The JPEG with an Exif block that carries only its orientation, right after its start."""
    tiff = b"II*\x00" + struct.pack("<IHHHIHHI", 8, 1, 0x0112, 3, 1, orientation, 0, 0)
    body = b"Exif\x00\x00" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body + jpeg[2:]


def png_bomb(side):
    """A tiny PNG whose header claims a picture of side × side pixels."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(1 + 3 * side))) + chunk(b"IEND", b""))


class OwnPicturesTest(unittest.TestCase):
    def setUp(self):
        self.config_home, self.session = xsession.session_for(self)
        self.folder = self.config_home.name
        self.game = None

    def diagnose(self, message):
        name = self.id().rsplit(".", 1)[-1]
        self.fail(self.session.failure_report(
            message, self.game, os.path.join(ARTIFACTS, "e2e-%s-final.png" % name)))

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        pathlib.Path(self.path(name)).write_bytes(data)
        return self.path(name)

    def convert(self, name, *args):
        subprocess.run(["convert", *args, self.path(name)], check=True)
        return self.path(name)

    def launch(self, *picture):
        self.game = self.session.launch(
            [GAME, *picture], env={"XDG_CONFIG_HOME": self.folder, "SDL_AUDIODRIVER": "dummy"},
            log_name="zellipo.log")

    def find(self, title):
        try:
            return self.session.find_window(self.game, title, timeout=20)
        except xsession.XSessionError as error:
            self.diagnose(str(error))

    def final_image(self, window, ready):
        """The finished picture, once ready says it shows what it should or 10 s have passed: a
        loaded machine, or one running the sanitizers, may paint it late."""
        x, y, w, h = FINAL_IMAGE_IN_CLIENT
        top = window.y + window.height - CLIENT_HEIGHT
        shots = []

        def shown():
            shots.append(self.session.screenshot().crop(window.x + x, top + y, w, h))
            return ready(shots[-1])

        xsession.wait_until(shown, 10)
        return shots[-1]

    def end_and_read_settings(self):
        self.game.send_signal(signal.SIGTERM)
        code = self.game.wait(15)
        if code != 0:
            self.diagnose("the game ended with exit code %d after SIGTERM" % code)
        with open(settings_path(self.folder), encoding="utf-8") as f:
            return f.read()

    def test_given_pictures_play_upright_and_are_not_remembered(self):
        # Stored lying on its side, red on the left; its orientation tag stands it up, red on top.
        side = self.convert("side.jpg", "-size", "45x60", "xc:red", "-size", "45x60", "xc:blue",
                            "+append")
        upright = with_orientation(pathlib.Path(side).read_bytes(), 6)
        cases = [
            # Corners of the finished picture: top left, top right, bottom left, bottom right.
            (self.write("photo.jpg", upright), (RED, RED, BLUE, BLUE)),
            # Its transparent half lies on the board's green.
            (self.convert("half.png", "-size", "30x40", "xc:yellow", "-size", "30x40",
                          "xc:none", "+append"), (YELLOW, xsession.GREEN, YELLOW, xsession.GREEN)),
            (self.convert("pic.webp", "-size", "60x40", "xc:magenta"), (MAGENTA,) * 4),
            # An animation plays its first frame.
            (self.convert("anim.gif", "-size", "60x40", "xc:cyan", "xc:orange", "-loop", "0"),
             (CYAN,) * 4),
        ]
        for picture, corners in cases:
            self.launch(picture)
            window = self.find("Zellipo")

            def corners_of(shot):
                return tuple(shot.pixel(x, y) for y in (20, 144) for x in (20, 144))

            seen = corners_of(self.final_image(window, lambda shot: all(
                near(p, c) for p, c in zip(corners_of(shot), corners))))
            if not all(near(p, c) for p, c in zip(seen, corners)):
                self.diagnose("%s: the finished picture's corners are %r; expected %r" % (
                    picture, seen, corners))
            # The board is cut from it: most of the board shows the picture's colours.
            board = self.session.screenshot().crop(
                window.x + BOARD_IN_CLIENT[0], window.y + window.height - CLIENT_HEIGHT +
                BOARD_IN_CLIENT[1], BOARD_SIZE, BOARD_SIZE)
            points = [board.pixel(x, y) for y in range(18, BOARD_SIZE, 36)
                      for x in range(18, BOARD_SIZE, 36)]
            if sum(any(near(p, c) for c in corners) for p in points) < 70:
                self.diagnose("%s: the board does not show the picture" % picture)
            self.assertNotIn(picture, self.end_and_read_settings())

    def test_hostile_pictures_give_one_box_and_the_default_picture_plays(self):
        self.launch()
        # The default picture has many colours; the window before its first paint has one.
        default = self.final_image(self.find("Zellipo"), lambda shot: len(
            {shot.rgb[i:i + 3] for i in range(0, len(shot.rgb), 3)}) > 50).rgb
        self.end_and_read_settings()
        os.mkfifo(self.path("fifo.jpg"))
        cut = self.convert("cut.jpg", "-size", "300x200", "gradient:red-blue")
        whole = pathlib.Path(cut).read_bytes()
        self.write("cut.jpg", whole[:len(whole) * 2 // 3])
        self.write("bomb.png", png_bomb(30000))
        for name in ("fifo.jpg", "cut.jpg", "bomb.png"):
            started = time.monotonic()
            self.launch(self.path(name))
            box = self.find("Quorvel")
            print("%s: the box showed %.2f s after the start" % (name, time.monotonic() - started))
            self.session.key(box.wid, "Return")
            window = self.find("Zellipo")
            if self.final_image(window, lambda shot: shot.rgb == default).rgb != default:
                self.diagnose("%s: the default picture does not show after the box" % name)
            if self.session.visible_windows(self.game.pid) != [window.wid]:
                self.diagnose("%s: more than the main window shows after one box" % name)
            self.assertNotIn(name, self.end_and_read_settings())


if __name__ == "__main__":
    xsession.test_main(sys.modules[__name__])
