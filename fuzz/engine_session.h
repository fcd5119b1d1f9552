// The fuzz driver shared by the six engines: one input is a settings stream
// that the effect loads (with a read failure or a short read at any call),
// then a script of host and page calls in any order: Connect and Disconnect
// with any set of services, the transport calls, OnEvents over any records
// and span bounds, OnInput over any live records, queues that fail their
// count or entries, parameter changes as the page and nuvfx make them, the
// page's own writes, reads and refreshes, more Loads and Saves with write
// failures.
//
// Checked after every call, beyond "no crash": processing and transport calls
// answer S_OK, Connect S_OK exactly when the services it needs are there; with
// well-formed records in, every record out is well-formed (data bytes within
// 0..127, channels within 0..15, wheel values within 14 bits) and keeps the
// engine's own promises (fuzz/effect_kinds.cpp); no call takes longer than
// CallTimer allows; Load answers S_OK or E_FAIL and changes the dirty and
// refresh flags only on success; Save fails exactly when a write fails or
// comes up short, and otherwise writes the stream's size; whatever loads
// saves again to bytes that load into a fresh effect and save the same; a
// parameter set to a value it allows reads back as that value.
//
// Layout of an input (fuzz/make_seeds.py writes seeds in it):
//   flags                 byte; bit 0: records are well-formed MIDI (the output checks apply)
//   stream                length byte, the bytes, plan byte (low 4 bits: the Read call
//                         that fails, high 4 bits: the one that comes up short; 0 none)
//   then calls until the input ends, each an operation byte (modulo 12) and its operands:
//     0 Connect           services byte (bit 0 time, 1 pulse, 2 aux, 3 GetPeriod fails),
//                         timebase choice byte, pulse period byte (ms), ticks-per-period
//                         byte (signed; 0: from the period)
//     1 Disconnect
//     2 OnStart  number   3 OnLoop number number   4 OnStop number
//     5 OnEvents          from (number), length tag byte (modulo 4: 0 a byte follows, else
//                         a word; odd: negative) and the length, thru held within int32,
//                         queue faults byte,
//                         count byte (modulo 65), the song events
//     6 OnInput           queue faults byte, count byte (modulo 65), the live records
//     7 a parameter       index byte, number (brought into the parameter's values)
//     8 the page's work   the engine's own operands (fuzz/effect_kinds.cpp)
//     9 Load              as the stream above
//     10 Save             plan byte (low 4 bits: the Write call that fails, high 4
//                         bits: the one that comes up short), clear-dirty byte
//     11 a page refresh   reads every parameter when the refresh flag was set
// Numbers and floats are read as fuzz/fuzz_input.h says.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fuzz/effect_kinds.h"

namespace nuv::fuzz {

// Runs one input through a new effect of `kind`; fails through Fail on the
// first broken invariant. Single-threaded: the calling thread plays both the
// host and the page.
void RunEngineInput(const EffectKind& kind, const std::uint8_t* data, std::size_t size);

}  // namespace nuv::fuzz
