// The random windows of the humaniser, derived from the timebase and the
// page's amounts exactly as the engine must compute them: timing windows in
// single precision (960 ticks and amount 10 give 95, not 96), the velocity
// range in double precision held as an unsigned byte.
#pragma once

#include <cstdint>

namespace nuv::sloppet {

// Ticks of a timing window: timebase * 0.01 * amount in single precision,
// truncated toward zero (saturated at the limits of int32).
std::int32_t TimingWindow(std::int32_t timebase, std::uint32_t amount);

// Velocity spread: trunc(amount * 2.5), kept as an unsigned 8-bit value.
std::uint8_t VelocityRange(std::uint32_t amount);

// A draw of `random` (0..32767) spread over a window: (random mod W) - trunc(W / 2).
// The window must be above 0.
inline std::int32_t CentredOffset(std::int32_t random, std::int32_t window) {
    return random % window - window / 2;
}

}  // namespace nuv::sloppet
