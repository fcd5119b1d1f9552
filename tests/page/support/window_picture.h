// What a window shows on screen, copied from its client area (BitBlt from
// the window's own context into a 32-bit DIB section, which includes the
// child windows), for sampling colours and for saving as a PNG file.
// Window thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win32/gdi_owners.h"

namespace nuv::page_test {

class WindowPicture {
public:
    // The client area of `window` as it is on screen now, its top-level
    // window raised first; nothing when the copy could not be made.
    static std::optional<WindowPicture> Take(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel at (x, y) as 0x00RRGGBB.
    std::uint32_t At(int x, int y) const;
    // How many pixels of the rectangle differ from `colour`.
    int CountNot(std::uint32_t colour, RECT area) const;

    // Draws a one-pixel frame of `colour` along the rectangle's inside.
    void Outline(RECT area, std::uint32_t colour);

    // Writes the picture as a PNG file; false when GDI+ refused.
    bool SavePng(const std::wstring& path) const;

private:
    WindowPicture() = default;
    win32::GdiBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Whether two colours (0x00RRGGBB) lie within `tolerance` in every channel.
bool Near(std::uint32_t a, std::uint32_t b, int tolerance);

}  // namespace nuv::page_test
