// Notifications the toolkit's controls post to their parent window, wParam
// being the sender's dialog control identifier.
#pragma once

#include <cstdint>

namespace nuv::kop {

inline constexpr std::uint32_t WM_SLIDER_CHANGING = 0x28D1;
inline constexpr std::uint32_t WM_SLIDER_CHANGED = 0x28D2;
inline constexpr std::uint32_t WM_BUTTON_LEFT_PRESSED = 0x2B10;
inline constexpr std::uint32_t WM_BUTTON_RIGHT_PRESSED = 0x2B11;
inline constexpr std::uint32_t WM_RANGE_CHANGED = 0x2B12;

}  // namespace nuv::kop
