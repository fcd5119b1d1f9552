#!/usr/bin/python3
"""Writes examples/example_song.mid, the bundled example song of nuvfx.

Eight bars at 100 beats per minute, 480 ticks per beat, in two tracks after
the conductor track: chords (C, A minor, F, G) with spread velocities, and a
melody of overlapping legato notes over them, with a modulation controller
rising and falling and one pitch-wheel bend up and back. The notes are chosen
so that every effect has something to do: the melody runs from C4 to A5, the
legato notes overlap by 20 to 60 ticks, and the chords' velocities run from
40 to 110.

usage: make_example_song.py [OUT.mid]
"""
import os
import sys

import mido

TICKS = 480
BAR = 4 * TICKS


def absolute_to_track(events, name, channel_program=None):
    """events: (tick, message) pairs; returns a track with delta times."""
    track = mido.MidiTrack()
    track.append(mido.MetaMessage("track_name", name=name, time=0))
    if channel_program is not None:
        channel, program = channel_program
        track.append(mido.Message("program_change", channel=channel, program=program, time=0))
    last = 0
    # Ends before starts at the same tick, so that repeated keys pair up again.
    for tick, msg in sorted(events, key=lambda e: (e[0], 0 if e[1].type == "note_off" else 1)):
        track.append(msg.copy(time=tick - last))
        last = tick
    return track


def note(events, channel, key, start, length, velocity):
    events.append((start, mido.Message("note_on", channel=channel, note=key, velocity=velocity)))
    events.append((start + length, mido.Message("note_off", channel=channel, note=key, velocity=64)))


def chords():
    events = []
    progression = [(48, 52, 55, 60), (45, 52, 57, 60), (41, 53, 57, 60), (43, 50, 55, 59)]
    velocities = [40, 55, 70, 85, 100, 110, 90, 65]
    for bar in range(8):
        keys = progression[bar % 4]
        for beat in (0, 2):
            start = bar * BAR + beat * TICKS
            for i, key in enumerate(keys):
                note(events, 0, key, start, 2 * TICKS - 10, velocities[(bar + i + beat) % 8])
    # The modulation wheel rises over bars 3 and 4 and falls again.
    for step in range(17):
        value = int(127 * (step if step <= 8 else 16 - step) / 8)
        events.append((2 * BAR + step * TICKS // 2, mido.Message("control_change", channel=0, control=1, value=value)))
    return events


def melody():
    events = []
    line = [72, 74, 76, 77, 79, 81, 79, 77, 76, 74, 72, 71, 72, 76, 79, 84,
            81, 79, 77, 76, 74, 72, 74, 76, 77, 76, 74, 72, 71, 69, 71, 72]
    overlaps = [20, 40, 60, 30]
    for i, key in enumerate(line):
        start = i * TICKS
        length = TICKS + overlaps[i % 4]  # runs into the next note
        note(events, 1, key - 12 if i >= 24 else key, start, length, 70 + (i * 7) % 40)
    # One bend up a whole tone and back in bar 6.
    bend = 5 * BAR
    for step in range(9):
        pitch = int(8191 * (step if step <= 4 else 8 - step) / 4)
        events.append((bend + step * 60, mido.Message("pitchwheel", channel=1, pitch=pitch)))
    return events


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                             "example_song.mid")
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    conductor = mido.MidiTrack()
    conductor.append(mido.MetaMessage("track_name", name="Example song", time=0))
    conductor.append(mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(100), time=0))
    conductor.append(mido.MetaMessage("time_signature", numerator=4, denominator=4, time=0))
    conductor.append(mido.MetaMessage("end_of_track", time=8 * BAR))
    song.tracks.append(conductor)
    song.tracks.append(absolute_to_track(chords(), "Chords", (0, 0)))
    song.tracks.append(absolute_to_track(melody(), "Melody", (1, 73)))
    song.save(out)


if __name__ == "__main__":
    main()
