// Off-screen drawing: what is drawn reaches the target only when the KopMemDC
// ends, in the target's coordinates and within its clip box; a printing
// target is drawn into directly.
#include "toolkit/kop_mem_dc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace nuv::kop {
namespace {

// A 64 x 64 32-bit top-down DIB section selected into a memory context.
class Canvas {
public:
    Canvas() : dc_(nullptr) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        selection_.emplace(dc_.Get(), bitmap_.Get());
    }
    HDC Dc() const { return dc_.Get(); }
    // The pixel as 0x00RRGGBB.
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * kSize + x] & 0x00FFFFFF;
    }
    void Fill(COLORREF colour) {
        win32::GdiBrush brush(CreateSolidBrush(colour));
        const RECT all{0, 0, kSize, kSize};
        FillRect(dc_.Get(), &all, brush.Get());
    }
    static constexpr int kSize = 64;

private:
    win32::MemoryDc dc_;
    win32::GdiBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::optional<win32::ObjectSelection> selection_;
};

void FillRectWith(HDC dc, RECT rect, COLORREF colour) {
    win32::GdiBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

TEST(KopMemDC, DrawingReachesTheTargetInOneCopyAtTheEnd) {
    Canvas target;
    target.Fill(kRed);
    SetBkColor(target.Dc(), kGreen);
    {
        KopMemDC drawing(target.Dc());
        EXPECT_TRUE(drawing.OffScreen());
        EXPECT_NE(drawing.Dc(), target.Dc());
        EXPECT_EQ(drawing.Rect().right, Canvas::kSize);
        FillRectWith(drawing.Dc(), RECT{8, 8, 16, 16}, kBlue);
        EXPECT_EQ(target.At(10, 10), 0xFF0000u);  // nothing on the target yet
    }
    EXPECT_EQ(target.At(10, 10), 0x0000FFu);
    // The rest of the rectangle comes out in the target's background colour.
    EXPECT_EQ(target.At(40, 40), 0x00FF00u);
}

TEST(KopMemDC, CoversOnlyTheClipBoxInTargetCoordinates) {
    Canvas target;
    target.Fill(kRed);
    SetBkColor(target.Dc(), kGreen);
    IntersectClipRect(target.Dc(), 20, 20, 40, 40);
    {
        KopMemDC drawing(target.Dc());
        ASSERT_TRUE(drawing.OffScreen());
        EXPECT_EQ(drawing.Rect().left, 20);
        EXPECT_EQ(drawing.Rect().bottom, 40);
        FillRectWith(drawing.Dc(), RECT{0, 0, 30, 30}, kBlue);
    }
    EXPECT_EQ(target.At(25, 25), 0x0000FFu);
    EXPECT_EQ(target.At(35, 35), 0x00FF00u);
    EXPECT_EQ(target.At(10, 10), 0xFF0000u);  // outside the clip box: untouched
    EXPECT_EQ(target.At(45, 45), 0xFF0000u);
}

// Metric mapping turns the y axis round; the off-screen copy follows the
// target's mapping and lands where a direct drawing would.
TEST(KopMemDC, FollowsATargetWithItsYAxisTurned) {
    Canvas target;
    target.Fill(kRed);
    SetBkColor(target.Dc(), kGreen);
    SetMapMode(target.Dc(), MM_ANISOTROPIC);
    SetWindowExtEx(target.Dc(), 64, -64, nullptr);
    SetViewportExtEx(target.Dc(), 64, 64, nullptr);
    SetWindowOrgEx(target.Dc(), 0, 64, nullptr);  // logical (0, 64) is the top left
    {
        KopMemDC drawing(target.Dc());
        EXPECT_TRUE(drawing.OffScreen());
        FillRectWith(drawing.Dc(), RECT{0, 64, 16, 48}, kBlue);  // the top-left 16 x 16 pixels
    }
    EXPECT_EQ(target.At(8, 8), 0x0000FFu);
    EXPECT_EQ(target.At(8, 40), 0x00FF00u);
    EXPECT_EQ(target.At(40, 8), 0x00FF00u);
}

TEST(KopMemDC, PrintingTargetIsDrawnIntoDirectly) {
    Canvas target;
    target.Fill(kRed);
    {
        KopMemDC drawing(target.Dc(), true);
        EXPECT_FALSE(drawing.OffScreen());
        EXPECT_EQ(drawing.Dc(), target.Dc());
        FillRectWith(drawing.Dc(), RECT{0, 0, 4, 4}, kBlue);
        EXPECT_EQ(target.At(1, 1), 0x0000FFu);
    }
    EXPECT_FALSE(KopMemDC::IsPrinting(target.Dc()));
}

TEST(KopMemDC, EmptyClipBoxDrawsDirectlyWithoutACopy) {
    Canvas target;
    IntersectClipRect(target.Dc(), 10, 10, 10, 10);
    KopMemDC drawing(target.Dc());
    EXPECT_FALSE(drawing.OffScreen());
    EXPECT_EQ(drawing.Dc(), target.Dc());
}

}  // namespace
}  // namespace nuv::kop
