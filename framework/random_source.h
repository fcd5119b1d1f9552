// The random-number source of every engine that draws random numbers. It gives
// exactly the sequence of the Windows C runtime's rand()/srand(): a 32-bit
// linear congruential state, state = state * 214013 + 2531011, each draw
// (state >> 16) & 0x7FFF. One instance per effect object, so instances and
// threads never disturb each other and every platform draws the same numbers.
#pragma once

#include <cstdint>

namespace nuv {

class RandomSource {
public:
    static constexpr std::int32_t kMax = 0x7FFF;  // largest draw, as RAND_MAX

    explicit RandomSource(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }

    // Next value in 0..kMax.
    std::int32_t Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
    }

    // The seed that `srand(time(nullptr))` would give: the current time in
    // seconds, truncated to 32 bits.
    static std::uint32_t ClockSeed();

private:
    std::uint32_t state_;
};

}  // namespace nuv
