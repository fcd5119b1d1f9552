"""Cross-checks our MIDI file reader and writer with mido, an independent one.

usage: mido_check.py SMF_PROBE WORK_DIR [MIDI_FILE...]

1. mido writes files of both formats with every kind of event; our reader
   must see the same events.
2. Our writer's sample file and our copies of the given real files must read
   in mido as the same events our reader sees (and, for the copies, as mido
   sees the originals).
"""
import os
import subprocess
import sys

import mido


def varlen_end(data, at):
    while data[at] & 0x80:
        at += 1
    return at + 1


def canonical(mid):
    """The lines smf_probe dump prints, from mido's reading of a file."""
    lines = ["file %d %d %d" % (mid.type, mid.ticks_per_beat, len(mid.tracks))]
    for t, track in enumerate(mid.tracks):
        tick = 0
        for msg in track:
            tick += msg.time
            if msg.type == "end_of_track":
                lines.append("%d %d end" % (t, tick))
                continue
            raw = bytes(msg.bytes())
            if msg.is_meta:
                payload = raw[varlen_end(raw, 2):]
                lines.append("%d %d meta %02x %s" % (t, tick, raw[1], payload.hex() or "-"))
            elif msg.type == "sysex":
                lines.append("%d %d sysex %s" % (t, tick, bytes(msg.data).hex() or "-"))
            else:
                lines.append("%d %d ch %s" % (t, tick, raw.hex()))
    return lines


def ours(probe, path):
    out = subprocess.run([probe, "dump", path], check=True, capture_output=True, text=True).stdout
    return out.splitlines()


def compare(what, expected, actual):
    if expected == actual:
        return True
    for i, (e, a) in enumerate(zip(expected, actual)):
        if e != a:
            print("%s: line %d differs: mido %r, ours %r" % (what, i, e, a))
            return False
    print("%s: %d lines from mido, %d from us" % (what, len(expected), len(actual)))
    return False


def mido_files(work):
    """Files mido writes, with running status nowhere and every event kind."""
    made = []
    for file_type in (0, 1):
        mid = mido.MidiFile(type=file_type, ticks_per_beat=240)
        tracks = [mido.MidiTrack()] if file_type == 0 else [mido.MidiTrack(), mido.MidiTrack()]
        mid.tracks.extend(tracks)
        first = tracks[0]
        first.append(mido.MetaMessage("track_name", name="mido", time=0))
        first.append(mido.MetaMessage("set_tempo", tempo=400000, time=0))
        first.append(mido.MetaMessage("time_signature", numerator=3, denominator=4, time=0))
        music = tracks[-1]
        music.append(mido.Message("program_change", channel=2, program=40, time=0))
        music.append(mido.Message("note_on", channel=2, note=60, velocity=90, time=0))
        music.append(mido.Message("note_on", channel=2, note=67, velocity=70, time=0))
        music.append(mido.Message("control_change", channel=2, control=64, value=127, time=10))
        music.append(mido.Message("pitchwheel", channel=2, pitch=-8192, time=20))
        music.append(mido.Message("pitchwheel", channel=2, pitch=8191, time=20))
        music.append(mido.Message("aftertouch", channel=2, value=55, time=1))
        music.append(mido.Message("polytouch", channel=2, note=60, value=44, time=1))
        music.append(mido.Message("sysex", data=[0x7E, 0x7F, 0x09, 0x01], time=0))
        music.append(mido.Message("note_off", channel=2, note=60, velocity=30, time=200))
        music.append(mido.Message("note_on", channel=2, note=67, velocity=0, time=2000000))
        path = os.path.join(work, "mido_type%d.mid" % file_type)
        mid.save(path)
        made.append(path)
    return made


def main():
    probe, work = sys.argv[1], sys.argv[2]
    real = sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    ok = True
    for path in mido_files(work):
        ok &= compare("we read mido's " + os.path.basename(path), canonical(mido.MidiFile(path)), ours(probe, path))
    sample = os.path.join(work, "ours_sample.mid")
    subprocess.run([probe, "sample", sample], check=True)
    ok &= compare("mido reads our sample", canonical(mido.MidiFile(sample)), ours(probe, sample))
    for path in real:
        original = canonical(mido.MidiFile(path))
        ok &= compare("we read " + os.path.basename(path), original, ours(probe, path))
        copy = os.path.join(work, "copy_" + os.path.basename(path))
        subprocess.run([probe, "copy", path, copy], check=True)
        ok &= compare("mido reads our copy of " + os.path.basename(path), original, canonical(mido.MidiFile(copy)))
    print("%d real files and %d of our own checked against mido" % (len(real), 3))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
