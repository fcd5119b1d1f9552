// Notifications the toolkit's controls post to their parent window, wParam
// being the sender's dialog control identifier, and the reading of the static
// control's own click command that every button and text sends as well.
#pragma once

#include <cstdint>

#include "platform/com.h"

namespace nuv::kop {

// Sliders: lParam is the value truncated toward zero.
inline constexpr std::uint32_t WM_SLIDER_CHANGING = 0x28D1;  // drag step, wheel notch, right-click reset
inline constexpr std::uint32_t WM_SLIDER_CHANGED = 0x28D2;   // release after a press, each handled key
// Buttons: lParam 0, posted after the state changed.
inline constexpr std::uint32_t WM_BUTTON_LEFT_PRESSED = 0x2B10;
inline constexpr std::uint32_t WM_BUTTON_RIGHT_PRESSED = 0x2B11;
// Range slider: lParam the part that moved (0 low end, 1 high end, 2 the span).
inline constexpr std::uint32_t WM_RANGE_CHANGED = 0x2B12;
// Numeric field and text displays.
inline constexpr std::uint32_t WM_TEXT_WHEEL = 0x28D6;   // field: its integer value; text: -1 or +1
inline constexpr std::uint32_t WM_TEXT_LEARN = 0x28D7;   // "&Learn" chosen; lParam 0x28D7
inline constexpr std::uint32_t WM_TEXT_CANCEL = 0x28D8;  // "&Cancel" chosen; lParam 0x28D8
inline constexpr std::uint32_t WM_TEXT_KEY = 0x28D9;     // a key pressed in the field; lParam 0

#if defined(_WIN32)
// [any thread] Whether a WM_COMMAND's wParam is the click of a notifying static
// (STN_CLICKED), or with `doubleClickToo` also its double click (STN_DBLCLK).
// The enable and disable notifications a refresh causes are neither.
inline bool IsStaticClick(WPARAM wParam, bool doubleClickToo = false) {
    const WORD code = HIWORD(wParam);
    return code == STN_CLICKED || (doubleClickToo && code == STN_DBLCLK);
}
#endif

}  // namespace nuv::kop
