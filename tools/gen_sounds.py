"""Makes the two sound effects and the background music Zellipo ships: python3 tools/gen_sounds.py OUTDIR."""

import math
import os
import struct
import sys

RATE = 44100
# Both effects peak well below full scale: they play over the music, often many
# times a minute, and must never clip or startle.
EFFECT_PEAK = 0.42


# --- wave effects -------------------------------------------------------------

def wav_bytes(samples):
    """16-bit mono PCM at RATE; samples are floats in -1..1."""
    data = b"".join(struct.pack("<h", round(s * 32767)) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def normalised(samples, peak):
    top = max(abs(s) for s in samples)
    return [s * peak / top for s in samples]


def edge(t, rise, length, fall):
    """A gain rising and falling along half cosines, so a sound starts and stops without a click."""
    if t < rise:
        return 0.5 - 0.5 * math.cos(math.pi * t / rise)
    if t > length - fall:
        return 0.5 - 0.5 * math.cos(math.pi * max(0.0, length - t) / fall)
    return 1.0


def pon():
    """A soft wooden "pon": one round tone whose pitch drops as it starts, like a tap on a hollow
    block."""
    length = 0.20
    # (ratio to the fundamental, level, decay time in seconds): the upper partials die first.
    partials = [(1.0, 1.0, 0.060), (2.0, 0.22, 0.030), (3.0, 0.06, 0.016)]
    samples = []
    phase = 0.0
    for n in range(int(length * RATE)):
        t = n / RATE
        # The drop from a fifth above to the resting pitch within the first few
        # milliseconds is what makes the ear hear a tap rather than a beep.
        freq = 660.0 * (1.0 + 0.5 * math.exp(-t / 0.006))
        phase += 2 * math.pi * freq / RATE
        tone = sum(level * math.exp(-t / decay) * math.sin(ratio * phase)
                   for ratio, level, decay in partials)
        samples.append(tone * edge(t, 0.002, length, 0.030))
    return normalised(samples, EFFECT_PEAK)


def refusal():
    """Two short, low, reedy notes falling a fourth: a gentle "uh-uh", never taken for a move."""
    notes = [(0.000, 0.110, 311.13), (0.150, 0.150, 233.08)]  # E flat 4, then B flat 3
    length = 0.32
    samples = [0.0] * int(length * RATE)
    for start, duration, freq in notes:
        first = int(start * RATE)
        for n in range(int(duration * RATE)):
            t = n / RATE
            # Odd harmonics only, each softer than a square wave's, give a hollow
            # clarinet-like buzz that stays soft on small speakers.
            tone = sum(math.sin(2 * math.pi * k * freq * t) / (k * k) for k in (1, 3, 5, 7))
            samples[first + n] += tone * math.exp(-t / 0.25) * edge(t, 0.006, duration, 0.025)
    return normalised(samples, EFFECT_PEAK)


# --- standard MIDI file -------------------------------------------------------

DIVISION = 480  # ticks per quarter note
BAR = 3 * DIVISION  # the piece is a minuet, three quarters to the bar
Q = DIVISION
E = DIVISION // 2
DQ = 3 * DIVISION  # a dotted half fills a bar


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def meta(kind, data):
    return b"\xff" + bytes([kind]) + vlq(len(data)) + data


class Track:
    def __init__(self, name):
        self.events = []  # (tick, order, bytes): at one tick, note-offs go before note-ons
        self.add(0, 0, meta(0x03, name.encode("ascii")))

    def add(self, tick, order, data):
        self.events.append((tick, order, data))

    def program(self, tick, channel, program):
        self.add(tick, 1, bytes([0xC0 | channel, program]))

    def control(self, tick, channel, number, value):
        self.add(tick, 1, bytes([0xB0 | channel, number, value]))

    def note(self, tick, length, channel, key, velocity):
        self.add(tick, 2, bytes([0x90 | channel, key, velocity]))
        self.add(tick + length, 0, bytes([0x80 | channel, key, 64]))

    def chunk(self, end):
        # Every track ends at the same tick, so the synthesizer's loop point is the
        # end of the last bar and the piece starts over exactly in time.
        self.add(end, 3, meta(0x2F, b""))
        data = b""
        now = 0
        for tick, _order, event in sorted(self.events, key=lambda e: (e[0], e[1])):
            data += vlq(tick - now) + event
            now = tick
        return b"MTrk" + struct.pack(">I", len(data)) + data


def midi_bytes(tracks, end):
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), DIVISION)
    return header + b"".join(t.chunk(end) for t in tracks)


# --- the piece ----------------------------------------------------------------
# The Minuet in G major from the 1725 notebook for Anna Magdalena Bach, long in
# the public domain; the arrangement is ours: the tune alternates between flute
# and clarinet over a guitar's "oom-pah-pah", a soft bass and, in the repeats, a
# string pad, so the second time round a section sounds fresh.

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def key(name):
    """The MIDI key of a note name such as F#5 (middle C is C4, key 60)."""
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest[0] in "#b":
        pitch += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + pitch


# One bar per string: note names with lengths q (quarter), e (eighth), h. (dotted half).
LENGTHS = {"q": Q, "e": E, "h.": DQ, "h": 2 * Q}

TUNE_A = [
    "D5q G4e A4e B4e C5e", "D5q G4q G4q", "E5q C5e D5e E5e F#5e", "G5q G4q G4q",
    "C5q D5e C5e B4e A4e", "B4q C5e B4e A4e G4e", "F#4q G4e A4e B4e G4e", "A4h.",
    "D5q G4e A4e B4e C5e", "D5q G4q G4q", "E5q C5e D5e E5e F#5e", "G5q G4q G4q",
    "C5q D5e C5e B4e A4e", "B4q C5e B4e A4e G4e", "A4q B4e A4e G4e F#4e", "G4h.",
]
TUNE_B = [
    "B5q G5e A5e B5e G5e", "A5q D5e E5e F#5e D5e", "G5q E5e F#5e G5e D5e", "C#5q B4e C#5e A4q",
    "A4e B4e C#5e D5e E5e F#5e", "G5q F#5q E5q", "F#5q A4q C#5q", "D5h.",
    "D5q G4e F#4e G4q", "E5q G4e F#4e G4q", "D5q C5q B4q", "A4e G4e F#4e G4e A4q",
    "D4e E4e F#4e G4e A4e B4e", "C5q B4q A4q", "B4e D5e G4q F#4q", "G4h.",
]
# The harmony of each bar: root and kind, one chord per bar.
CHORDS_A = ["G", "G/B", "C", "G", "Am", "G", "D7", "D", "G", "G/B", "C", "G", "Am", "G", "D7", "G"]
CHORDS_B = ["G", "D", "Em", "A", "A7", "Em", "A7", "D", "G", "C", "G", "D7", "D", "Am", "D7", "G"]

CHORD_SHAPES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 10)}


def chord(symbol):
    """The bass key and the guitar's three keys of a chord symbol such as D7; G/B puts B in the
    bass."""
    name, _, bass = symbol.partition("/")
    root = name[0] + ("#" if name[1:2] == "#" else "")
    kind = name[len(root):]
    root_key = key(root + "3")
    shape = tuple(root_key + step for step in CHORD_SHAPES[kind])
    bass_key = key((bass or root) + "2")
    return bass_key, shape


def bar_notes(text):
    notes = []
    tick = 0
    for word in text.split():
        for suffix in ("h.", "h", "q", "e"):
            if word.endswith(suffix):
                length = LENGTHS[suffix]
                notes.append((tick, length, key(word[:-len(suffix)])))
                tick += length
                break
    if tick != BAR:
        raise ValueError("bar %r does not fill three quarters" % text)
    return notes


FLUTE, CLARINET = 73, 71
GUITAR, BASS, STRINGS = 24, 32, 48
MELODY, ALTO, ACCOMP, LOW, PAD = 0, 1, 2, 3, 4  # MIDI channels

# Section plan: (tune, chords, lead instrument, with flute an octave above, with string pad).
PLAN = [
    (TUNE_A, CHORDS_A, FLUTE, False, False),
    (TUNE_A, CHORDS_A, CLARINET, False, True),
    (TUNE_B, CHORDS_B, FLUTE, False, False),
    (TUNE_B, CHORDS_B, CLARINET, True, True),
]

TEMPO = 100  # quarter notes per minute
CLOSING_TEMPO = 88  # the last bar broadens before the piece starts over


def music():
    conductor = Track("Minuet in G")
    conductor.add(0, 1, meta(0x58, bytes([3, 2, 24, 8])))  # 3/4
    conductor.add(0, 1, meta(0x59, bytes([1, 0])))  # G major
    conductor.add(0, 1, meta(0x51, (60000000 // TEMPO).to_bytes(3, "big")))

    names = ("Melody", "Alto", "Guitar", "Bass", "Strings")
    melody, alto, accomp, low, pad = (Track(name) for name in names)
    setup = [(melody, MELODY, FLUTE, 100, 64, 40), (alto, ALTO, FLUTE, 70, 84, 50),
             (accomp, ACCOMP, GUITAR, 88, 44, 30), (low, LOW, BASS, 96, 64, 20),
             (pad, PAD, STRINGS, 60, 72, 60)]
    for track, channel, program, volume, pan, reverb in setup:
        track.program(0, channel, program)
        track.control(0, channel, 7, volume)
        track.control(0, channel, 10, pan)
        track.control(0, channel, 91, reverb)

    bars = sum(len(tune) for tune, *_ in PLAN)
    end = bars * BAR
    start = 0
    current_lead = FLUTE
    for tune, chords, lead, octave_flute, strings in PLAN:
        if lead != current_lead:
            melody.program(start, MELODY, lead)
            current_lead = lead
        for number, (text, symbol) in enumerate(zip(tune, chords)):
            bar = start + number * BAR
            last_bar = bar + BAR == end
            for tick, length, k in bar_notes(text):
                # Short notes are detached a little, as a player breathes between them.
                sounding = length - (length // 8 if length <= Q else length // 16)
                if last_bar:
                    # The final note stops a quarter early, so its tail has faded
                    # when the synthesizer resets for the next round.
                    sounding = min(sounding, 2 * Q)
                accent = 8 if tick == 0 else 0
                melody.note(bar + tick, sounding, MELODY, k, 76 + accent)
                if octave_flute:
                    alto.note(bar + tick, sounding, ALTO, k + 12, 52 + accent)
            bass_key, shape = chord(symbol)
            low.note(bar, Q + Q // 2 if last_bar else DQ - E, LOW, bass_key, 70)
            accomp.note(bar, Q - E // 2, ACCOMP, shape[0], 56)
            if not last_bar:
                for beat in (1, 2):
                    for k in shape[1:]:
                        accomp.note(bar + beat * Q, Q - E // 2, ACCOMP, k, 44)
            if strings:
                for k in shape:
                    pad.note(bar, 2 * Q if last_bar else BAR - 10, PAD, k, 38)
        start += len(tune) * BAR
    conductor.add(end - BAR, 1, meta(0x51, (60000000 // CLOSING_TEMPO).to_bytes(3, "big")))
    return midi_bytes([conductor, melody, alto, accomp, low, pad], end)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_sounds.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for name, data in (("pon.wav", wav_bytes(pon())), ("error.wav", wav_bytes(refusal())),
                       ("Music.mid", music())):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
