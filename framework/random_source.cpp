#include "framework/random_source.h"

#include <ctime>

namespace nuv {

std::uint32_t RandomSource::ClockSeed() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::time(nullptr)));
}

}  // namespace nuv
