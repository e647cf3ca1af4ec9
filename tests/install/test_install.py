#!/usr/bin/env python3
"""test_install.py: the installed game, from a prefix of its own and from its Debian package, starts and finds its music."""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import xsession  # noqa: E402

SOURCE = None
BUILD = None
APP_ID = "org.belnovia.Zellipo"


def run(*argv, **kwargs):
    result = subprocess.run(list(argv), capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (" ".join(argv), result.returncode,
                                                        result.stdout, result.stderr))
    return result.stdout


class InstalledGameTest(unittest.TestCase):
    def start_and_check(self, command):
        """Starts the game from a folder that holds none of its files: a missing music file
        would show an error box before the window."""
        with xsession.XSession() as session, \
                tempfile.TemporaryDirectory(prefix="zellipo-elsewhere-") as elsewhere:
            config = os.path.join(elsewhere, "config")
            os.chdir(elsewhere)
            try:
                process = session.launch([command], env={"XDG_CONFIG_HOME": config,
                                                         "SDL_AUDIODRIVER": "dummy"},
                                         log_name="zellipo.log")
                session.find_window(process, "Zellipo")
                time.sleep(2.0)
                titles = [session.title(w) for w in session.visible_windows(process.pid)]
            finally:
                os.chdir(SOURCE)
            self.assertEqual(titles, ["Zellipo"], "windows of the installed game: %r\n%s" % (
                titles, session.program_log(process)))
            process.terminate()
            self.assertEqual(process.wait(15), 0)
            self.assertTrue(os.path.exists(os.path.join(config, "Belnovia", "Quorvel.reg")))

    def test_desktop_entry_and_metainfo_are_valid(self):
        run("desktop-file-validate", os.path.join(SOURCE, "resources", "desktop",
                                                  APP_ID + ".desktop"))
        run("appstreamcli", "validate", "--no-net",
            os.path.join(SOURCE, "resources", "desktop", APP_ID + ".metainfo.xml"))

    def test_prefix_install_lays_out_a_working_game(self):
        with tempfile.TemporaryDirectory(prefix="zellipo-prefix-") as prefix:
            run("cmake", "--install", BUILD, "--prefix", prefix)
            game_dir = os.path.join(prefix, "libexec", "zellipo")
            for name in ("zellipo", "Music.mid", "pon.wav", "error.wav", "zellipo_en.qm"):
                self.assertTrue(os.path.isfile(os.path.join(game_dir, name)), name)
            for size in (16, 22, 24, 32, 48, 64, 128, 256):
                self.assertTrue(os.path.isfile(os.path.join(
                    prefix, "share", "icons", "hicolor", "%dx%d" % (size, size), "apps",
                    APP_ID + ".png")), size)
            self.assertTrue(os.path.isfile(os.path.join(
                prefix, "share", "applications", APP_ID + ".desktop")))
            self.assertTrue(os.path.isfile(os.path.join(
                prefix, "share", "metainfo", APP_ID + ".metainfo.xml")))
            self.start_and_check(os.path.join(prefix, "bin", "zellipo"))

    def test_debian_package_installs_runs_and_removes(self):
        if os.geteuid() != 0 or shutil.which("apt-get") is None:
            self.skipTest("installing a package needs root and apt-get")
        with tempfile.TemporaryDirectory(prefix="zellipo-deb-") as out:
            run("cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", out)
            packages = glob.glob(os.path.join(out, "zellipo_*.deb"))
            self.assertEqual(len(packages), 1, os.listdir(out))
            depends = run("dpkg-deb", "--field", packages[0], "Depends")
            for needed in ("libqt6widgets6", "qt6-qpa-plugins", "libsdl2-mixer",
                           "timgm6mb-soundfont", "fonts-arphic-uming", "fonts-liberation2"):
                self.assertIn(needed, depends)
            env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
            run("apt-get", "install", "-y", "-qq", packages[0], env=env)
            try:
                self.assertEqual(shutil.which("zellipo"), "/usr/bin/zellipo")
                self.start_and_check("zellipo")
            finally:
                run("apt-get", "remove", "-y", "-qq", "zellipo", env=env)
            self.assertIsNone(shutil.which("zellipo"))


def main():
    global SOURCE, BUILD
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    args, rest = parser.parse_known_args()
    SOURCE = os.path.abspath(args.source)
    BUILD = os.path.abspath(args.build)
    unittest.main(module=__name__, argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
