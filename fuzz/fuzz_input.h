// Reads a fuzz input front to back as the values a driver asks for. Past the
// end every value reads as 0, so any prefix of an input is an input too and a
// driver never has to ask how much is left before it reads.
//
// Numbers come in shapes chosen by a tag byte, so that the values that break
// arithmetic (the ends of int32, NaN, infinities) are as easy to reach as the
// ordinary small ones. The seed writer (fuzz/make_seeds.py) writes the same
// shapes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace nuv::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

    // Little-endian.
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    std::uint32_t Raw32() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }

    // Tag % 4: 0 a byte (0..255), 1 a word (0..65535), 2 any 32-bit value,
    // 3 near an end of int32: the next byte n gives max - n, min + n or -n
    // (tag / 4 % 3).
    std::int32_t Number() {
        const std::uint8_t tag = Byte();
        switch (tag % 4) {
            case 0: return Byte();
            case 1: return Word();
            case 2: return static_cast<std::int32_t>(Raw32());
            default: {
                const std::int32_t n = Byte();
                switch (tag / 4 % 3) {
                    case 0: return std::numeric_limits<std::int32_t>::max() - n;
                    case 1: return std::numeric_limits<std::int32_t>::min() + n;
                    default: return -n;
                }
            }
        }
    }

    // Tag % 4: 0 a whole number -128..127, 1 a word / 16 (0..4096 in
    // sixteenths), 2 any bit pattern (NaN and infinities included), 3 one
    // of the special values 0, -0, +inf, -inf, NaN, the largest float
    // (tag / 4 % 6).
    float Float() {
        const std::uint8_t tag = Byte();
        switch (tag % 4) {
            case 0: return static_cast<float>(static_cast<std::int8_t>(Byte()));
            case 1: return static_cast<float>(Word()) / 16.0f;
            case 2: {
                const std::uint32_t bits = Raw32();
                float value;
                std::memcpy(&value, &bits, sizeof value);
                return value;
            }
            default: {
                constexpr float kSpecial[] = {0.0f,
                                              -0.0f,
                                              std::numeric_limits<float>::infinity(),
                                              -std::numeric_limits<float>::infinity(),
                                              std::numeric_limits<float>::quiet_NaN(),
                                              std::numeric_limits<float>::max()};
                return kSpecial[tag / 4 % 6];
            }
        }
    }

    // Up to `count` bytes into `out`; the rest of `out` (past the input's
    // end) is zero. Returns how many were asked for.
    std::size_t Bytes(std::uint8_t* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) out[i] = Byte();
        return count;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace nuv::fuzz
