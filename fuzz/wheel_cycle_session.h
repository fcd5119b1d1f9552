// The fuzz driver of NuvWobbleton's wheel cycles: cycles built one after the
// other from any "Amp" and "Freq" (as a settings stream may hold them), any
// random sequence and any curve end carried over, read part way on demand,
// completed or freed.
//
// Checked: a cycle has at least three breakpoints from x 0 to (4095, centre)
// and starts its table at entry 0; every entry that is read (each 40th)
// holds a wheel value within 4096..12288 and the last one the centre; what is read on demand is what
// the completed table holds, and the completed table is, bit for bit, the
// earlier whole-polyline sampling (tests/support/reference/wheel_table);
// no build or read takes longer than CallTimer allows.
//
// Layout of an input: the random seed (4 bytes), then cycles until the
// input ends: "Amp" and "Freq" as floats, a carry byte (0: as the last
// cycle left it, 1: none, else the float that follows, when finite), the
// number of entries to read on demand (a word), and an end byte (bit 0:
// free the cycle instead of completing it).
#pragma once

#include <cstddef>
#include <cstdint>

namespace nuv::fuzz {

void RunWheelCycleInput(const std::uint8_t* data, std::size_t size);

}  // namespace nuv::fuzz
