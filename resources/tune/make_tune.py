#!/usr/bin/env python3
"""Writes background.mid, the program's background tune.

The tune is "茉莉花" (Jasmine Flower), a traditional Chinese folk song in the
public domain, arranged for a conductor track and nine instrument tracks:

    intro (4 bars) - verse led by the flute (27 bars) - koto interlude (2 bars)
    - verse led by the koto (27 bars) - outro with a ritardando (4 bars)

The result is a Standard MIDI File of format 1 with 10 tracks and 120 ticks
per quarter note, about a minute and three quarters long. The output depends
on nothing but this script, so running it again gives the same bytes:

    python3 make_tune.py                 # rewrites background.mid beside it
    python3 make_tune.py -o other.mid

Python 3 standard library only.
"""

import argparse
import pathlib
import struct

TICKS_PER_QUARTER = 120
EIGHTH = TICKS_PER_QUARTER // 2
SIXTEENTH = EIGHTH // 2
BAR = 2 * TICKS_PER_QUARTER  # the song is in 2/4

# ---------------------------------------------------------------------------
# The song, in numbered notation with 1 = G. Each bar is a list of
# (degree, length in eighths); "5," and "6," lie an octave below, "1'" above.
# The melody rests on sol, so the key centre is D (the zhi mode of G).
DEGREE_PITCH = {"5,": 62, "6,": 64, "1": 67, "2": 69, "3": 71, "5": 74, "6": 76, "1'": 79}

PHRASE_A = [  # 好一朵美丽的茉莉花
    [("3", 2), ("3", 1), ("5", 1)],
    [("6", 1), ("1'", 1), ("1'", 1), ("6", 1)],
    [("5", 2), ("5", 1), ("6", 1)],
    [("5", 4)],
]
PHRASE_B = [  # 芬芳美丽满枝桠
    [("5", 2), ("5", 2)],
    [("5", 2), ("3", 1), ("5", 1)],
    [("6", 2), ("6", 2)],
    [("5", 4)],
]
PHRASE_C = [  # 又香又白人人夸
    [("3", 2), ("2", 1), ("3", 1)],
    [("5", 2), ("3", 1), ("2", 1)],
    [("1", 2), ("1", 1), ("2", 1)],
    [("1", 4)],
]
PHRASE_D = [  # 让我来将你摘下
    [("3", 1), ("2", 1), ("1", 1), ("3", 1)],
    [("2", 3), ("3", 1)],
    [("5", 1), ("6", 1), ("1'", 1), ("6", 1)],
    [("5", 4)],
]
PHRASE_E = [  # 送给别人家
    [("2", 2), ("3", 1), ("5", 1)],
    [("2", 1), ("3", 1), ("1", 1), ("6,", 1)],
    [("5,", 4)],
]
PHRASE_F = [  # 茉莉花呀茉莉花
    [("6,", 2), ("1", 1), ("2", 1)],
    [("3", 2), ("1", 1), ("2", 1)],
    [("1", 1), ("6,", 1), ("5,", 2)],
    [("5,", 4)],
]
VERSE = PHRASE_A + PHRASE_A + PHRASE_B + PHRASE_C + PHRASE_D + PHRASE_E + PHRASE_F

# One chord per bar of the verse.
VERSE_CHORDS = (
    ["G", "C", "G", "D"] + ["G", "C", "G", "G"] + ["G", "Bm", "C", "D"]
    + ["Em", "D", "C", "G"] + ["G", "Am", "Em", "D"] + ["D", "Em", "D"]
    + ["C", "G", "D", "D"]
)
# Bars in which the melody holds one long note: room for an answering figure.
VERSE_PHRASE_ENDS = {3, 7, 11, 15, 19, 22, 26}

INTRO_CHORDS = ["Em", "C", "D", "D"]
INTERLUDE_CHORDS = ["C", "D"]
OUTRO_CHORDS = ["C", "G", "D", "D"]

CHORDS = {  # middle voicing, bass note
    "G": ((55, 59, 62), 43),
    "C": ((55, 60, 64), 48),
    "D": ((57, 62, 66), 50),
    "Em": ((55, 59, 64), 40),
    "Am": ((57, 60, 64), 45),
    "Bm": ((54, 59, 62), 47),
}

PENTATONIC = [p for p in range(36, 100) if p % 12 in (7, 9, 11, 2, 4)]

# ---------------------------------------------------------------------------
# Form and time.
INTRO_START = 0
VERSE1_START = INTRO_START + len(INTRO_CHORDS) * BAR
INTERLUDE_START = VERSE1_START + len(VERSE) * BAR
VERSE2_START = INTERLUDE_START + len(INTERLUDE_CHORDS) * BAR
OUTRO_START = VERSE2_START + len(VERSE) * BAR
MUSIC_END = OUTRO_START + len(OUTRO_CHORDS) * BAR
# A beat of silence before the loop starts again lets the last chord breathe.
TRACK_END = MUSIC_END + TICKS_PER_QUARTER

BASE_BPM = 72
OUTRO_BPM = [66, 60, 54, 50]


def all_chords():
    """(start tick, chord name) of every bar of the piece."""
    bars = INTRO_CHORDS + VERSE_CHORDS + INTERLUDE_CHORDS + VERSE_CHORDS + OUTRO_CHORDS
    return [(i * BAR, name) for i, name in enumerate(bars)]


# ---------------------------------------------------------------------------
# MIDI encoding.
class Track:
    """Events of one track; serialised sorted by time, note-offs first."""

    def __init__(self, name):
        self.events = []  # (tick, priority, bytes)
        self.notes = []  # (start, end, channel, pitch, velocity)
        self.meta(0, 0x03, name.encode("ascii"))

    def meta(self, tick, kind, data, priority=0):
        self.events.append((tick, priority, bytes([0xFF, kind]) + vlq(len(data)) + data))

    def channel_message(self, tick, status, *data, priority=1):
        self.events.append((tick, priority, bytes([status, *data])))

    def note(self, channel, tick, length, pitch, velocity):
        self.notes.append((tick, tick + length, channel, pitch, max(1, min(127, velocity))))

    def note_events(self):
        """Note-ons and note-offs. A key struck again while it still sounds is released
        first, so no note-off belonging to the earlier note cuts the later one short."""
        events = []
        by_key = {}
        for note in sorted(self.notes):
            by_key.setdefault((note[2], note[3]), []).append(note)
        for (channel, pitch), notes in by_key.items():
            for i, (start, end, _, _, velocity) in enumerate(notes):
                if i + 1 < len(notes):
                    end = min(end, notes[i + 1][0])
                if end <= start:
                    continue
                # Note-offs sort before note-ons at the same tick.
                events.append((start, 2, bytes([0x90 | channel, pitch, velocity])))
                events.append((end, 1, bytes([0x80 | channel, pitch, 0x40])))
        return events

    def chunk(self, end_tick):
        body = bytearray()
        now = 0
        events = self.events + self.note_events()
        for tick, _, data in sorted(events, key=lambda e: (e[0], e[1])):
            assert tick <= end_tick, "event after the end of the track"
            body += vlq(tick - now) + data
            now = tick
        body += vlq(end_tick - now) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def instrument(name, channel, program, volume, pan, reverb=60):
    track = Track(name)
    if channel != 9:
        track.channel_message(0, 0xC0 | channel, program, priority=0)
    track.channel_message(0, 0xB0 | channel, 7, volume, priority=0)
    track.channel_message(0, 0xB0 | channel, 10, pan, priority=0)
    track.channel_message(0, 0xB0 | channel, 91, reverb, priority=0)
    return track


def bpm_to_tempo(bpm):
    return struct.pack(">I", round(60_000_000 / bpm))[1:]


# ---------------------------------------------------------------------------
# The parts.
def conductor():
    track = Track("Mo Li Hua (Jasmine Flower)")
    track.meta(0, 0x02, b"Traditional Chinese folk song, public domain")
    track.meta(0, 0x58, bytes([2, 2, 24, 8]))  # 2/4
    track.meta(0, 0x59, bytes([1, 0]))  # one sharp, major
    track.meta(0, 0x51, bpm_to_tempo(BASE_BPM))
    for tick, text in ((INTRO_START, b"Intro"), (VERSE1_START, b"Verse 1"),
                       (INTERLUDE_START, b"Interlude"), (VERSE2_START, b"Verse 2"),
                       (OUTRO_START, b"Outro")):
        track.meta(tick, 0x06, text)
    for i, bpm in enumerate(OUTRO_BPM):
        track.meta(OUTRO_START + i * BAR, 0x51, bpm_to_tempo(bpm))
    return track


def melody_notes(start):
    """(tick, length, pitch, bar index, first note of its bar) of the verse melody."""
    notes = []
    for bar_index, bar in enumerate(VERSE):
        tick = start + bar_index * BAR
        for position, (degree, eighths) in enumerate(bar):
            notes.append((tick, eighths * EIGHTH, DEGREE_PITCH[degree], bar_index, position == 0))
            tick += eighths * EIGHTH
    return notes


def flute():
    track = instrument("Flute", 0, 73, 100, 58)
    for tick, length, pitch, bar, downbeat in melody_notes(VERSE1_START):
        track.note(0, tick, length - 6, pitch + 12, 84 + (6 if downbeat else 0))
    # In the second verse the flute joins the koto an octave higher from the third phrase on.
    for tick, length, pitch, bar, downbeat in melody_notes(VERSE2_START):
        if bar >= 8:
            track.note(0, tick, length - 6, pitch + 12, 62 + (6 if downbeat else 0))
    return track


def koto_run(track, tick, from_pitch, steps, velocity, step_length=SIXTEENTH):
    index = PENTATONIC.index(from_pitch)
    direction = 1 if steps > 0 else -1
    for i in range(abs(steps)):
        pitch = PENTATONIC[index + direction * i]
        track.note(1, tick + i * step_length, step_length * 2, pitch, velocity - 3 * i)


def koto():
    track = instrument("Koto", 1, 107, 104, 70)
    # Intro: a falling run from high, then plucked chord tones.
    koto_run(track, INTRO_START, 86, -8, 80)
    for bar, (voicing, _) in enumerate(CHORDS[name] for name in INTRO_CHORDS[1:]):
        tick = INTRO_START + (bar + 1) * BAR
        for i, pitch in enumerate(voicing):
            track.note(1, tick + i * EIGHTH, BAR - i * EIGHTH, pitch + 12, 66 - 4 * i)
    # Verse 1: an answering run while the flute holds the end of a phrase.
    for bar in sorted(VERSE_PHRASE_ENDS - {26}):
        tick = VERSE1_START + bar * BAR + TICKS_PER_QUARTER
        root = CHORDS[VERSE_CHORDS[bar]][0][0] + 12
        koto_run(track, tick, max(p for p in PENTATONIC if p <= root), 4, 62)
    # Interlude: a long rising then falling sweep.
    koto_run(track, INTERLUDE_START, 67, 8, 78)
    koto_run(track, INTERLUDE_START + BAR, 88, -8, 76)
    # Verse 2: the koto leads, with a grace note before each phrase's first note.
    for tick, length, pitch, bar, downbeat in melody_notes(VERSE2_START):
        phrase_start = downbeat and (bar == 0 or bar - 1 in VERSE_PHRASE_ENDS)
        if phrase_start and tick > SIXTEENTH:
            grace = PENTATONIC[PENTATONIC.index(pitch) + 1]
            track.note(1, tick - SIXTEENTH // 2, SIXTEENTH // 2, grace, 70)
        track.note(1, tick, length, pitch, 92 + (6 if downbeat else 0))
    # Outro: the last run and a rolled final chord.
    koto_run(track, OUTRO_START, 79, -6, 70, EIGHTH)
    final = OUTRO_START + 2 * BAR
    for i, pitch in enumerate((62, 66, 69, 74, 78)):
        track.note(1, final + i * 20, MUSIC_END - final - i * 20, pitch, 74 - 3 * i)
    return track


def harp():
    track = instrument("Harp", 2, 46, 88, 44)
    for tick, name in all_chords():
        if tick >= OUTRO_START + 2 * BAR:
            break
        voicing, bass = CHORDS[name]
        pattern = (bass + 12, voicing[1], voicing[2], voicing[1])
        for i, pitch in enumerate(pattern):
            track.note(2, tick + i * EIGHTH, EIGHTH * 2, pitch, 52 + (8 if i == 0 else 0))
    # The harp closes with one low broken chord under the koto's.
    voicing, bass = CHORDS["D"]
    final = OUTRO_START + 2 * BAR
    for i, pitch in enumerate((bass, bass + 7, bass + 12) + voicing):
        track.note(2, final + i * 30, MUSIC_END - final - i * 30, pitch, 56)
    return track


def piano():
    track = instrument("Piano", 3, 0, 78, 64)
    # Soft chords on both beats in the second verse only.
    for tick, name in all_chords():
        if VERSE2_START <= tick < OUTRO_START:
            voicing, _ = CHORDS[name]
            for beat in range(2):
                for pitch in voicing:
                    track.note(3, tick + beat * TICKS_PER_QUARTER, TICKS_PER_QUARTER - 10,
                               pitch + 12, 44 if beat == 0 else 36)
    return track


def strings():
    track = instrument("Strings", 4, 48, 82, 84)
    # Held chords from the interlude on; one chord per bar.
    for tick, name in all_chords():
        if tick >= INTERLUDE_START:
            voicing, _ = CHORDS[name]
            for pitch in voicing:
                track.note(4, tick, BAR - 4, pitch, 52 if tick < OUTRO_START else 60)
    return track


def bass():
    track = instrument("Bass", 5, 32, 96, 60, reverb=40)
    for tick, name in all_chords():
        if tick < VERSE1_START:
            continue
        _, root = CHORDS[name]
        if tick < VERSE2_START or tick >= OUTRO_START:
            track.note(5, tick, BAR - 10, root, 70)
        else:
            track.note(5, tick, TICKS_PER_QUARTER + EIGHTH - 10, root, 76)
            track.note(5, tick + TICKS_PER_QUARTER + EIGHTH, EIGHTH - 6, root + 7, 60)
    return track


def pad():
    track = instrument("Warm Pad", 6, 89, 70, 64, reverb=80)
    # A quiet floor under everything, following the chords bar by bar.
    for tick, name in all_chords():
        voicing, bass = CHORDS[name]
        for pitch in (bass + 12,) + voicing:
            track.note(6, tick, BAR - 6, pitch, 40)
    return track


def erhu_voice():
    # A violin stands in for the erhu: a second voice under the koto in verse 2.
    track = instrument("Violin (erhu voice)", 7, 40, 72, 36)
    for tick, length, pitch, bar, _ in melody_notes(VERSE2_START):
        if bar < 4 or length < EIGHTH * 2:
            continue
        voicing, _ = CHORDS[VERSE_CHORDS[bar]]
        below = [p + o for p in voicing for o in (0, 12) if 3 <= pitch - (p + o) <= 9]
        if below:
            track.note(7, tick, length - 8, max(below), 58)
    return track


def percussion():
    track = instrument("Percussion", 9, 0, 70, 64, reverb=50)
    triangle, wood_high, wood_low, shaker = 81, 76, 77, 82
    for bar in range(len(VERSE)):
        if bar % 4 == 0 or bar - 1 in VERSE_PHRASE_ENDS:
            track.note(9, VERSE1_START + bar * BAR, EIGHTH, triangle, 34)
    for bar in range(len(VERSE)):
        tick = VERSE2_START + bar * BAR
        track.note(9, tick, EIGHTH, wood_low, 42)
        track.note(9, tick + TICKS_PER_QUARTER + EIGHTH, EIGHTH, wood_high, 30)
        for step in range(4):
            track.note(9, tick + step * EIGHTH, SIXTEENTH, shaker, 26 + (6 if step % 2 == 0 else 0))
    track.note(9, OUTRO_START + 2 * BAR, BAR, triangle, 40)
    return track


def build():
    tracks = [conductor(), flute(), koto(), harp(), piano(), strings(), bass(), pad(),
              erhu_voice(), percussion()]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS_PER_QUARTER)
    return header + b"".join(track.chunk(TRACK_END) for track in tracks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", type=pathlib.Path,
                        default=pathlib.Path(__file__).with_name("background.mid"))
    args = parser.parse_args()
    args.output.write_bytes(build())


if __name__ == "__main__":
    main()
