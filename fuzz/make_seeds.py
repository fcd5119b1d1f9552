#!/usr/bin/env python3
"""Writes the seed inputs of the engine, curve-table and wheel-cycle fuzz
targets into fuzz/corpus/<target>/, and the findings kept as regression cases
into fuzz/regressions/<target>/, in the layouts that fuzz/engine_session.h,
fuzz/curve_table_session.h and fuzz/wheel_cycle_session.h describe: each
engine's settings streams of every version, played through a short song and
some live input with its parameters and page work, and the curves of a fresh
effect. Run it again after changing a layout; the files are part of the
repository.

    python3 fuzz/make_seeds.py
"""
import os
import shutil
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
REGRESSION_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "regressions")

# ---- numbers as fuzz/fuzz_input.h reads them --------------------------------


def number(v):
    """An int32 in the smallest shape that holds it."""
    if 0 <= v <= 255:
        return bytes([0, v])
    if 0 <= v <= 65535:
        return bytes([1]) + struct.pack("<H", v)
    return bytes([2]) + struct.pack("<i", v)


def flt(v):
    """A float: a whole number -128..127 where it is one, else its bits."""
    if float(v).is_integer() and -128 <= v <= 127:
        return bytes([0, int(v) & 0xFF])
    return bytes([2]) + struct.pack("<f", v)


def u32(v):
    return struct.pack("<I", v)


def i32(v):
    return struct.pack("<i", v)


def f32(v):
    return struct.pack("<f", v)


# ---- the engine driver's operations -----------------------------------------

KINDS = {"note": 0, "keyaft": 3, "control": 4, "chanaft": 5, "wheel": 6}


def stream(data, plan=0):
    return bytes([len(data)]) + data + bytes([plan])


def connect(services=7, timebase=0, period=10, ticks=0):
    return bytes([0, services, timebase, period, ticks & 0xFF])


def disconnect():
    return bytes([1])


def on_start(t):
    return bytes([2]) + number(t)


def on_loop(restart, stop):
    return bytes([3]) + number(restart) + number(stop)


def on_stop(t):
    return bytes([4]) + number(t)


def event(kind, offset, number_, value, duration=0, channel=0):
    """A song event `offset` ticks into the span."""
    return (bytes([KINDS[kind]]) + struct.pack("<H", offset) + bytes([0, channel, number_, value, 0]) +
            number(duration))


def on_events(start, length, events, faults=0):
    body = bytes([5]) + number(start)
    body += bytes([2]) + struct.pack("<H", length)  # a word-sized length
    body += bytes([faults, len(events)]) + b"".join(events)
    return body


def message(status, d1, d2, time=0):
    return number(time) + bytes([status, d1, d2, 0])


def on_input(messages, faults=0):
    return bytes([6, faults, len(messages)]) + b"".join(messages)


def parameter(index, value):
    return bytes([7, index]) + number(value)


def page_work(operands):
    return bytes([8]) + operands


def load(data, plan=0):
    return bytes([9]) + stream(data, plan)


def save(plan=0, clear_dirty=1):
    return bytes([10, plan, clear_dirty])


def refresh():
    return bytes([11])


def engine_input(settings, calls, well_formed=True):
    return bytes([1 if well_formed else 0]) + stream(settings) + b"".join(calls)


# ---- a song and live input that every engine has something to do with --------

SONG_SPAN_1 = [
    event("note", 0, 60, 100, 240),
    event("note", 120, 64, 90, 240),
    event("note", 230, 60, 80, 120),   # overlaps the first 60
    event("control", 240, 7, 64),
    event("control", 250, 1, 20),
    event("keyaft", 300, 60, 50),
    event("chanaft", 310, 0, 70),
    event("wheel", 320, 0x00, 0x10),
    event("note", 470, 67, 110, 400),  # reaches into the next span
]
SONG_SPAN_2 = [
    event("note", 0, 72, 0, 100),      # a note end
    event("note", 10, 48, 127, 960),
    event("note", 10, 48, 127, 960),   # its twin
    event("control", 100, 2, 100),
    event("control", 200, 3, 10),
]
LIVE = [
    message(0x90, 60, 100, 0),
    message(0xB0, 1, 30, 5),
    message(0xB0, 7, 40, 6),
    message(0xA0, 60, 20, 8),
    message(0xD0, 30, 0, 9),
    message(0x80, 60, 0, 20),
    message(0x90, 62, 0, 30),          # a Note On that ends a note
]


def session(settings, extra_calls=(), well_formed=True):
    calls = [connect(), on_start(0), on_events(0, 479, SONG_SPAN_1), on_events(480, 479, SONG_SPAN_2),
             on_input(LIVE[:2]), on_input([]), on_input(LIVE[2:]), on_input([])]
    calls += list(extra_calls)
    calls += [on_loop(0, 960), on_events(0, 479, SONG_SPAN_1), on_stop(960), save(), refresh(), disconnect()]
    return engine_input(settings, calls, well_formed)


# ---- each engine's streams ---------------------------------------------------

def shiftwell_stream(version=4, group=-1, shift=5, low=48, high=84):
    data = u32(version)
    if version >= 2:
        data += i32(group) + i32(shift)
    if version >= 3:
        data += i32(low) + i32(high)
    if version >= 4:
        data += i32(-1) + i32(-1)
    return data


def ondulo_stream(version=2, waveform=0, mode=0, use_interval=1, rate=2):
    data = u32(version)
    if version >= 1:
        data += (i32(waveform) + i32(rate) + i32(use_interval) + f32(1.0) + f32(0.0) + f32(63.0) + f32(10.0) +
                 i32(7) + i32(1) + i32(2) + i32(3) + i32(mode) + i32(0))
    if version == 2:
        data += i32(-1) + i32(-1)
    return data


def sloppet_stream(version=3, switches=(1, 1, 1, 1, 1), amounts=(10, 10, 10)):
    data = u32(version)
    if version == 2:
        data += b"".join(i32(s) for s in switches) + b"".join(u32(a) for a in amounts)
    elif version >= 3:
        data += bytes(switches) + b"".join(u32(a) for a in amounts) + i32(-1) + i32(-1)
    return data


def gapkeeper_stream(version=2, same=0, detection=120, margin=10):
    data = u32(version)
    if version >= 1:
        data += bytes([same]) + i32(detection) + i32(margin)
    if version >= 2:
        data += i32(-1) + i32(-1)
    return data


POINTS = [(0.0, 127.0), (66.75, 96.0), (200.25, 32.0), (267.0, 0.0)]


def velocurve_stream(version=2, targets=(1, 0, 0, 0), points=POINTS, controller=1):
    data = u32(version)
    if version == 1:
        data += b"".join(i32(t) for t in targets)
        data += b"".join(i32(int(x)) + i32(int(y)) for x, y in points) + bytes([controller])
    elif version >= 2:
        data += bytes(targets) + b"".join(f32(x) + f32(y) for x, y in points) + bytes([controller])
        data += i32(-1) + i32(-1)
    return data


def wobbleton_stream(version=2, amp=10.0, freq=5.0):
    data = u32(version)
    if version >= 1:
        data += f32(amp) + f32(freq)
    if version >= 2:
        data += i32(-1) + i32(-1)
    return data


ENGINE_SEEDS = {
    "shiftwell": [
        ("range_and_shift", session(shiftwell_stream(), [parameter(0, 1), parameter(1, 7), refresh()])),
        ("group_shared", session(shiftwell_stream(group=2, shift=-3),
                                 [page_work(bytes([1])), on_input(LIVE[:1]), refresh()])),
        ("version_2", session(shiftwell_stream(version=2))),
        ("learn_high_key", session(shiftwell_stream(version=3), [page_work(bytes([2])), on_input(LIVE[:1])])),
    ],
    "ondulo": [
        ("continuous_sine", session(ondulo_stream(), [parameter(2, 12), parameter(3, 20), page_work(bytes([121]))])),
        ("note_active_retrigger", session(ondulo_stream(mode=1, waveform=4),
                                          [parameter(11, 1), parameter(5, 50), on_input(LIVE[:1]), on_input([])])),
        ("random_free_running", session(ondulo_stream(waveform=5, use_interval=0), [parameter(2, 40)])),
        ("learn_frequency", session(ondulo_stream(version=1), [page_work(bytes([4])), on_input(LIVE[1:2])])),
    ],
    "sloppet": [
        ("all_on", session(sloppet_stream())),
        ("rules_off", session(sloppet_stream(switches=(1, 1, 1, 0, 0), amounts=(40, 40, 40)))),
        ("version_2", session(sloppet_stream(version=2))),
    ],
    "gapkeeper": [
        ("all_keys", session(gapkeeper_stream())),
        ("same_note_only", session(gapkeeper_stream(same=1, detection=480, margin=96))),
        ("version_1", session(gapkeeper_stream(version=1))),
    ],
    "velocurve": [
        ("velocity", session(velocurve_stream(), [page_work(bytes([1]) + flt(40) + flt(10))])),
        ("poly_aft", session(velocurve_stream(targets=(0, 1, 0, 0)), [parameter(2, 20)])),
        ("controller", session(velocurve_stream(targets=(0, 0, 0, 1), controller=7), [parameter(0, 3)])),
        ("version_1", session(velocurve_stream(version=1))),
    ],
    "wobbleton": [
        ("defaults", session(wobbleton_stream(), [on_input(LIVE[:1]), on_input([]), on_input([])])),
        ("wide_and_fast", session(wobbleton_stream(amp=32.0, freq=1.0), [parameter(2, 0), parameter(2, 1)])),
        ("version_1", session(wobbleton_stream(version=1, amp=1.0, freq=10.0))),
    ],
}

# ---- the curve builders --------------------------------------------------------


def curve_input(mode, points, height=128.0, first_y=127.0, last_y=0.0):
    body = bytes([mode, len(points) - 2])
    for x, y in points:
        body += flt(x) + flt(y)
    return body + flt(height) + flt(first_y) + flt(last_y)


CURVE_SEEDS = [
    ("fresh_curve", curve_input(3, POINTS)),
    ("flat_polyline", curve_input(0, [(0.0, 64.0), (128.0, 64.0)])),
    ("steep_polyline", curve_input(0, [(0.0, 127.0), (1.0, 0.0), (2.0, 127.0), (267.0, 0.0)])),
    ("points_out_of_range", curve_input(3, [(-50.0, 200.0), (20.0, -30.0), (300.0, 64.0), (267.0, 127.0)])),
]


def cycle(amp, freq, carry=0, read=4096, free=0, carry_value=None):
    body = flt(amp) + flt(freq) + bytes([carry])
    if carry > 1:
        body += flt(carry_value)
    return body + struct.pack("<H", read) + bytes([free])


WHEEL_SEEDS = [
    ("defaults", u32(4) + cycle(10.0, 5.0) + cycle(10.0, 5.0, read=200)),
    # The curve's last sample falls a hair short of x 4095, so entry 4094 is
    # never reached and stays empty; no reader ever asks for it.
    ("ends_short_of_the_last_column", u32(1) + cycle(32.0, 10.0, read=0)),
    ("extremes", u32(1) + cycle(32.0, 1.0, carry=1) + cycle(1.0, 10.0, free=1)),
    ("carried_end", u32(7) + cycle(5.0, 3.0, carry=2, carry_value=9000.0, read=40)),
]


# ---- findings, kept as regression cases (fuzz/regressions/<target>/) ----------
# Each reproduces what a fuzz run found, in this layout, and fails on the
# engine as it was before the fix named in its comment.

REGRESSIONS = {
    "shiftwell": [
        # A stored key range reaching past 127 let a shifted note leave as note 160.
        ("key_range_beyond_midi_notes",
         session(shiftwell_stream(shift=100, low=0, high=300),
                 [on_input([message(0x90, 60, 100), message(0x80, 60, 0)])])),
    ],
    "ondulo": [
        # A stored modulated controller of 65535 was written as controller 255.
        ("modulated_controller_beyond_midi",
         session(ondulo_stream()[:32] + i32(65535) + ondulo_stream()[36:])),
    ],
    "wobbleton": [
        # A note a billion ticks long made one call write 25 million wheel events.
        ("note_of_days",
         engine_input(wobbleton_stream(), [connect(), on_start(0),
                                           on_events(0, 479, [event("note", 0, 60, 100, 1_000_000_000)]),
                                           disconnect()])),
    ],
}


def write(target, name, data, root=ROOT):
    folder = os.path.join(root, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    for target in list(ENGINE_SEEDS) + ["curve_table", "wheel_cycle"]:
        shutil.rmtree(os.path.join(ROOT, target), ignore_errors=True)
    for target, seeds in ENGINE_SEEDS.items():
        for name, data in seeds:
            write(target, name, data)
    for name, data in CURVE_SEEDS:
        write("curve_table", name, data)
    for name, data in WHEEL_SEEDS:
        write("wheel_cycle", name, data)
    for target, cases in REGRESSIONS.items():
        shutil.rmtree(os.path.join(REGRESSION_ROOT, target), ignore_errors=True)
        for name, data in cases:
            write(target, name, data, REGRESSION_ROOT)


if __name__ == "__main__":
    main()
