#include "plugins/sloppet/random_windows.h"

namespace nuv::sloppet {

std::int32_t TimingWindow(std::int32_t timebase, std::uint32_t amount) {
    const float ticks = static_cast<float>(timebase) * 0.01f * static_cast<float>(amount);
    // Out-of-range floats must not reach the integer conversion.
    if (ticks >= 2147483648.0f) return 2147483647;
    if (ticks <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<std::int32_t>(ticks);
}

std::uint8_t VelocityRange(std::uint32_t amount) {
    const double range = static_cast<double>(amount) * 2.5;
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(range) & 0xFFu);
}

}  // namespace nuv::sloppet
