// The fuzz driver of NuvVelocurveV2's curve table: the fill from a polyline
// (any points, heights and end values, as the curve control hands them over)
// and the effect's own fill from any four stored control points (as a
// damaged settings stream leaves them).
//
// Checked: the fill never writes outside the table or a level outside
// 0..127, refuses without writing what it cannot scale, and takes no longer
// than CallTimer allows; the effect's table maps every value 0..127 to a
// value 0..127.
//
// Layout of an input: a mode byte (bit 0: the points are control points
// that the spline runs through, else they are the polyline itself; bit 1:
// the four first points are also the effect's stored points), a count byte
// (2 + count modulo 15 points), the points as float pairs, then the height,
// the first and the last y as floats (fuzz/fuzz_input.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace nuv::fuzz {

void RunCurveTableInput(const std::uint8_t* data, std::size_t size);

}  // namespace nuv::fuzz
