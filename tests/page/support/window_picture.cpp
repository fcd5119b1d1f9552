#include "tests/page/support/window_picture.h"

#include <cstdlib>

#include "platform/win32/gdiplus_owners.h"

namespace nuv::page_test {

namespace {

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

int Channel(std::uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

}  // namespace

std::optional<WindowPicture> WindowPicture::Take(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return std::nullopt;
    // Raised above whatever else the display shows before the copy.
    SetWindowPos(GetAncestor(window, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WindowPicture picture;
    picture.width_ = client.right;
    picture.height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width_;
    info.bmiHeader.biHeight = -picture.height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture.bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap_) return std::nullopt;
    picture.bits_ = static_cast<std::uint32_t*>(bits);
    win32::WindowDc screen(window);
    win32::MemoryDc copy(screen.Get());
    {
        win32::ObjectSelection selected(copy.Get(), picture.bitmap_.Get());
        if (!BitBlt(copy.Get(), 0, 0, picture.width_, picture.height_, screen.Get(), 0, 0, SRCCOPY)) {
            return std::nullopt;
        }
    }
    GdiFlush();
    return picture;
}

std::uint32_t WindowPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFF000000u;  // no colour of the picture
    return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] &
           0x00FFFFFFu;
}

int WindowPicture::CountNot(std::uint32_t colour, RECT area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += At(x, y) != colour ? 1 : 0;
    }
    return count;
}

void WindowPicture::Outline(RECT area, std::uint32_t colour) {
    const auto put = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) {
            bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
        }
    };
    for (int x = area.left; x < area.right; ++x) {
        put(x, area.top);
        put(x, area.bottom - 1);
    }
    for (int y = area.top; y < area.bottom; ++y) {
        put(area.left, y);
        put(area.right - 1, y);
    }
}

bool WindowPicture::SavePng(const std::wstring& path) const {
    win32::GdiplusSession gdiplus;
    if (!gdiplus.Running()) return false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (win32::gp::GdipCreateBitmapFromScan0(width_, height_, width_ * 4, PixelFormat32bppRGB,
                                             reinterpret_cast<BYTE*>(bits_),
                                             &bitmap) != Gdiplus::Ok) {
        return false;
    }
    win32::GpImageOwner image;
    *image.Put() = bitmap;
    return win32::gp::GdipSaveImageToFile(image.Get(), path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
    }
    return true;
}

}  // namespace nuv::page_test
