#!/usr/bin/python3
"""Writes the damaged copies of the bundled example song that MIDI players
read and nuvfx reads with a warning (and refuses with --strict). They are test
inputs and seeds of the MIDI file reader's fuzzer.

- no_end_of_track.mid: every track without its end-of-track event (and the
  delta time before it), each chunk's length made to fit.
- cut_off.mid: the first 450 bytes of the song, as a cut-off download leaves
  it: the file ends inside a track, and the tracks after it are missing.
- rmid_wrapped.rmi: the song inside the RIFF "RMID" form that Windows uses.

usage: make_defective_files.py [EXAMPLE_SONG]
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, "..", "..", "..", "examples", "example_song.mid")
CUT_AT = 450


def chunks(data):
    """(type, body) of every chunk after the header chunk."""
    at = 0
    while at + 8 <= len(data):
        kind, length = data[at:at + 4], struct.unpack(">I", data[at + 4:at + 8])[0]
        yield kind, data[at + 8:at + 8 + length]
        at += 8 + length


def without_end_of_track(body):
    """The track's bytes up to the delta time before its end-of-track event."""
    end = body.rindex(b"\xff\x2f\x00")
    start = end - 1  # the delta is one byte or more; its last byte has the top bit clear
    while start > 0 and body[start - 1] & 0x80:
        start -= 1
    return body[:start]


def main():
    song = open(sys.argv[1] if len(sys.argv) > 1 else EXAMPLE, "rb").read()
    header_end = 8 + struct.unpack(">I", song[4:8])[0]
    out = bytearray(song[:header_end])
    for kind, body in chunks(song[header_end:]):
        if kind == b"MTrk":
            body = without_end_of_track(body)
        out += kind + struct.pack(">I", len(body)) + body
    files = {
        "no_end_of_track.mid": bytes(out),
        "cut_off.mid": song[:CUT_AT],
        "rmid_wrapped.rmi": b"RIFF" + struct.pack("<I", 4 + 8 + len(song) + len(song) % 2) + b"RMID" + b"data" +
                            struct.pack("<I", len(song)) + song + b"\0" * (len(song) % 2),
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
