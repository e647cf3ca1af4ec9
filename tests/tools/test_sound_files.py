#!/usr/bin/env python3
"""test_sound_files.py: the effects and the music the build made are valid files, beside the game."""

import argparse
import os
import struct
import sys
import unittest

sys.dont_write_bytecode = True

GAME_DIR = None


def read(name):
    with open(os.path.join(GAME_DIR, name), "rb") as f:
        return f.read()


def riff_chunks(data, pos):
    """{id: body} of the RIFF chunks from pos on: little-endian sizes, bodies padded to even."""
    found = {}
    while pos < len(data):
        kind = data[pos:pos + 4]
        size = struct.unpack("<I", data[pos + 4:pos + 8])[0]
        if pos + 8 + size > len(data):
            raise AssertionError("chunk %r runs past the end of the file" % kind)
        found[kind] = data[pos + 8:pos + 8 + size]
        pos += 8 + size + (size & 1)
    return found


def smf_chunks(data):
    """(id, body) of a MIDI file's chunks: big-endian sizes, no padding."""
    found = []
    pos = 0
    while pos < len(data):
        kind = data[pos:pos + 4]
        size = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        if pos + 8 + size > len(data):
            raise AssertionError("chunk %r runs past the end of the file" % kind)
        found.append((kind, data[pos + 8:pos + 8 + size]))
        pos += 8 + size
    return found


def vlq(data, pos):
    value = 0
    for count in range(4):
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos
    raise AssertionError("a variable-length number is longer than four bytes")


def track_events(body):
    """(tick, status, data) of a track's events; a meta event is (tick, 0xFF, (type, bytes))."""
    events = []
    pos = 0
    tick = 0
    running = None
    while pos < len(body):
        delta, pos = vlq(body, pos)
        tick += delta
        status = body[pos]
        if status < 0x80:
            if running is None:
                raise AssertionError("running status without a status")
            status = running
        else:
            pos += 1
        if status == 0xFF:
            kind = body[pos]
            length, pos = vlq(body, pos + 1)
            events.append((tick, 0xFF, (kind, body[pos:pos + length])))
            pos += length
            running = None
        elif status in (0xF0, 0xF7):
            length, pos = vlq(body, pos)
            pos += length
            running = None
        elif 0x80 <= status < 0xF0:
            size = 1 if 0xC0 <= status < 0xE0 else 2
            events.append((tick, status, tuple(body[pos:pos + size])))
            pos += size
            running = status
        else:
            raise AssertionError("system message 0x%02X in a file" % status)
        if pos > len(body):
            raise AssertionError("an event runs past the end of its track")
    return events


class WaveEffects(unittest.TestCase):
    def check_wave(self, name, shortest, longest):
        data = read(name)
        self.assertEqual(data[:4], b"RIFF")
        self.assertEqual(struct.unpack("<I", data[4:8])[0], len(data) - 8, "RIFF size")
        self.assertEqual(data[8:12], b"WAVE")
        found = riff_chunks(data, 12)
        fmt = found[b"fmt "]
        tag, channels, rate, byte_rate, align, bits = struct.unpack("<HHIIHH", fmt[:16])
        # Plain PCM at the mixer's own rate, so nothing is resampled on the way out.
        self.assertEqual((tag, channels, rate, bits), (1, 1, 44100, 16))
        self.assertEqual((byte_rate, align), (88200, 2))
        pcm = found[b"data"]
        samples = struct.unpack("<%dh" % (len(pcm) // 2), pcm)
        seconds = len(samples) / rate
        self.assertGreaterEqual(seconds, shortest, "%s is too short" % name)
        self.assertLessEqual(seconds, longest, "%s is too long" % name)
        peak = max(abs(s) for s in samples) / 32768
        # Loud enough to hear over the music, never near clipping.
        self.assertGreaterEqual(peak, 0.25, "%s is too quiet" % name)
        self.assertLessEqual(peak, 0.5, "%s is too loud" % name)
        # It starts and stops at rest, without a click.
        for edge in (samples[:2], samples[-2:]):
            self.assertTrue(all(abs(s) < 64 for s in edge), "%s clicks at an edge" % name)
        return samples

    def test_pon_is_a_short_soft_sound(self):
        self.check_wave("pon.wav", 0.08, 0.4)

    def test_refusal_is_a_short_sound_unlike_pon(self):
        refusal = self.check_wave("error.wav", 0.1, 0.6)
        pon = self.check_wave("pon.wav", 0.08, 0.4)
        self.assertNotEqual(len(refusal), len(pon))

        def crossings(samples):
            return sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0)) / len(samples)
        # The refusal sits far lower than the "pon": its waveform crosses zero far less often.
        self.assertLess(crossings(refusal) * 1.5, crossings(pon))


class Music(unittest.TestCase):
    def setUp(self):
        self.data = read("Music.mid")
        self.assertEqual(self.data[:4], b"MThd")
        header = smf_chunks(self.data)
        kind, body = header[0]
        self.assertEqual(kind, b"MThd")
        self.assertEqual(len(body), 6)
        self.format, self.count, self.division = struct.unpack(">HHH", body)
        self.tracks = [b for k, b in header[1:] if k == b"MTrk"]

    def test_is_format_1_with_every_track_declared(self):
        self.assertEqual(self.format, 1)
        self.assertEqual(self.count, len(self.tracks))
        self.assertGreaterEqual(self.count, 3)
        self.assertLess(self.division, 0x8000, "ticks per quarter, not timecode")

    def test_every_track_ends_with_one_end_of_track_at_the_same_tick(self):
        ends = set()
        for number, body in enumerate(self.tracks, 1):
            events = track_events(body)
            last = events[-1]
            self.assertEqual(last[1:], (0xFF, (0x2F, b"")), "track %d's last event" % number)
            self.assertEqual(sum(1 for e in events if e[1:] == (0xFF, (0x2F, b""))), 1)
            ends.add(last[0])
        # One common end is the loop point of the whole piece.
        self.assertEqual(len(ends), 1)

    def test_plays_general_midi_instruments_with_every_note_ended(self):
        programs = set()
        channels = set()
        for body in self.tracks:
            sounding = {}
            for tick, status, data in track_events(body):
                kind, channel = status & 0xF0, status & 0x0F
                if kind == 0xC0:
                    programs.add(data[0])
                elif kind == 0x90 and data[1] > 0:
                    channels.add(channel)
                    sounding[(channel, data[0])] = sounding.get((channel, data[0]), 0) + 1
                elif kind == 0x80 or (kind == 0x90 and data[1] == 0):
                    self.assertGreater(sounding.get((channel, data[0]), 0), 0, "a stray note-off")
                    sounding[(channel, data[0])] -= 1
            self.assertFalse(any(sounding.values()), "notes left sounding at the end")
        self.assertGreaterEqual(len(programs), 3)
        self.assertTrue(all(0 <= p < 128 for p in programs))
        # Channel 10 is General MIDI's drum kit; the piece has no drums.
        self.assertNotIn(9, channels)
        self.assertGreaterEqual(len(channels), 3, "melody, harmony and bass")

    def test_lasts_one_to_two_minutes_through_its_tempo_changes(self):
        tempos = []
        end = 0
        for body in self.tracks:
            for tick, status, data in track_events(body):
                if status == 0xFF and data[0] == 0x51:
                    tempos.append((tick, int.from_bytes(data[1], "big")))
                end = max(end, tick)
        self.assertTrue(tempos and tempos[0][0] == 0, "a tempo at the start")
        seconds = 0.0
        tick, tempo = 0, 500000
        for at, value in sorted(tempos):
            seconds += (at - tick) * tempo / 1e6 / self.division
            tick, tempo = at, value
        seconds += (end - tick) * tempo / 1e6 / self.division
        self.assertGreaterEqual(seconds, 60)
        self.assertLessEqual(seconds, 120)


class BesideTheGame(unittest.TestCase):
    def test_the_build_puts_all_three_beside_the_executable(self):
        for name in ("pon.wav", "error.wav", "Music.mid"):
            self.assertTrue(os.path.isfile(os.path.join(GAME_DIR, name)), name)


def main():
    global GAME_DIR
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--game", required=True, help="the zellipo executable")
    args, rest = parser.parse_known_args()
    GAME_DIR = os.path.dirname(os.path.abspath(args.game))
    unittest.main(module=__name__, argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
