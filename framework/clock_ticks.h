// Arithmetic on the host's 32-bit tick clock.
#pragma once

#include <cstdint>

namespace nuv {

// clock + ticks, wrapping like the host's 32-bit clock instead of overflowing.
inline std::int32_t AddTicks(std::int32_t clock, std::int64_t ticks) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(clock) + static_cast<std::uint32_t>(ticks));
}

}  // namespace nuv
