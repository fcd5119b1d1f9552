// Colours of the toolkit: 32-bit ARGB values (0xAARRGGBB) for GDI+, and the
// Windows colour values (0x00BBGGRR, no alpha) of the colour messages.
#pragma once

#include <cstdint>

namespace nuv::kop {

using Argb = std::uint32_t;
using ColourRef = std::uint32_t;  // a COLORREF

constexpr std::uint32_t Red(Argb c) { return (c >> 16) & 0xFFu; }
constexpr std::uint32_t Green(Argb c) { return (c >> 8) & 0xFFu; }
constexpr std::uint32_t Blue(Argb c) { return c & 0xFFu; }

constexpr Argb MakeArgb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// The Windows colour value of an ARGB colour: its red, green and blue bytes.
constexpr ColourRef ToColourRef(Argb c) { return Red(c) | (Green(c) << 8) | (Blue(c) << 16); }

// The ARGB colour of a Windows colour value, made opaque.
constexpr Argb OpaqueFromColourRef(ColourRef c) {
    return MakeArgb(0xFF, c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
}

// Each of red, green and blue divided by `divisor` (integer division), opaque.
constexpr Argb Darkened(Argb c, std::uint32_t divisor) {
    return MakeArgb(0xFF, Red(c) / divisor, Green(c) / divisor, Blue(c) / divisor);
}

}  // namespace nuv::kop
