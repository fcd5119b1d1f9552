// Arithmetic on the engine's 32-bit tick clocks.
#pragma once

#include <cstdint>

namespace nuv::ondulo {

// clock + ticks, wrapping like the host's 32-bit clock instead of overflowing.
inline std::int32_t AddTicks(std::int32_t clock, std::int32_t ticks) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(clock) + static_cast<std::uint32_t>(ticks));
}

}  // namespace nuv::ondulo
