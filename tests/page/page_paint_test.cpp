// What the page shows: its background stretched over the whole client area
// at every size, the stretched copy the controls take their background from,
// the grip, and a PNG picture of the probe page for people to look at.
#include <gtest/gtest.h>

#include "tests/page/page_fixture.h"
#include "tests/page/support/window_picture.h"

namespace nuv::page_test {
namespace {

using PagePaint = PageTest;

// The four quarters of the probe background (0x00RRGGBB).
constexpr std::uint32_t kTopLeft = 0xC82828;
constexpr std::uint32_t kTopRight = 0x28B428;
constexpr std::uint32_t kBottomLeft = 0x1E3CC8;
constexpr std::uint32_t kBottomRight = 0x808080;

std::optional<WindowPicture> Painted(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntilIdle();
    return WindowPicture::Take(window);
}

// Each quarter of the client area shows its quarter of the background, away
// from the controls and the grip.
void ExpectQuarters(const WindowPicture& picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    EXPECT_TRUE(Near(picture.At(w * 45 / 100, h * 10 / 100), kTopLeft, 8)) << std::hex << picture.At(w * 45 / 100, h / 10);
    EXPECT_TRUE(Near(picture.At(w * 90 / 100, h * 10 / 100), kTopRight, 8));
    EXPECT_TRUE(Near(picture.At(w * 30 / 100, h * 80 / 100), kBottomLeft, 8));
    EXPECT_TRUE(Near(picture.At(w * 80 / 100, h * 80 / 100), kBottomRight, 8));
    // The stretch reaches the edges.
    EXPECT_TRUE(Near(picture.At(w - 30, 1), kTopRight, 8));
    EXPECT_TRUE(Near(picture.At(1, h - 1), kBottomLeft, 8));
}

TEST_F(PagePaint, BackgroundCoversTheClientAreaAtEverySize) {
    OpenLinked();
    std::optional<WindowPicture> picture = Painted(PageWindow());
    ASSERT_TRUE(picture.has_value());
    ExpectQuarters(*picture);

    const RECT place{0, 0, 1000, static_cast<LONG>(1000.0f * kDesignHeight / kDesignWidth)};
    ASSERT_EQ(pageRef->Move(&place), S_OK);
    picture = Painted(PageWindow());
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->Width(), ClientSize().cx);
    ExpectQuarters(*picture);
}

TEST_F(PagePaint, StretchedBackgroundHasTheClientSize) {
    OpenLinked();
    const RECT place{0, 0, 800, 240};
    ASSERT_EQ(pageRef->Move(&place), S_OK);
    ASSERT_TRUE(Painted(PageWindow()).has_value());
    BITMAP info{};
    ASSERT_EQ(GetObjectW(page->StretchedBackground().Get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, ClientSize().cx);
    EXPECT_EQ(info.bmHeight, ClientSize().cy);
    // The controls' reference is the dialog's own bitmap.
    EXPECT_EQ(page->powerButton.Background(), &page->StretchedBackground());
}

TEST_F(PagePaint, GripIsHatchedInTheTextAndFourthColours) {
    OpenLinked();
    std::optional<WindowPicture> picture = Painted(PageWindow());
    ASSERT_TRUE(picture.has_value());
    const int w = picture->Width();
    const int h = picture->Height();
    // Inside the triangle, near its right angle: white and dark grey hatching.
    int white = 0;
    int grey = 0;
    for (int y = h - 12; y < h - 3; ++y) {
        for (int x = w - 12; x < w - 3; ++x) {
            white += picture->At(x, y) == 0xFFFFFF ? 1 : 0;
            grey += picture->At(x, y) == 0x646464 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 5);
    EXPECT_GT(grey, 5);
    // Beyond the hypotenuse the background shows.
    EXPECT_TRUE(Near(picture->At(w - 20, h - 20), kBottomRight, 8));
}

// A picture of the probe page with its registered controls outlined, left in
// the build folder as probe_page.png.
TEST_F(PagePaint, CapturesThePageAsPng) {
    OpenLinked();
    std::optional<WindowPicture> picture = Painted(PageWindow());
    ASSERT_TRUE(picture.has_value());
    for (const kop::KopScaledControl* control : std::initializer_list<const kop::KopScaledControl*>{
             &page->title, &page->powerButton, &page->logoBadge, &page->optionSwitch, &page->levelEdit}) {
        RECT rect{};
        GetWindowRect(control->Handle(), &rect);
        MapWindowPoints(HWND_DESKTOP, PageWindow(), reinterpret_cast<POINT*>(&rect), 2);
        picture->Outline(rect, 0xFFFF00);
    }
    ASSERT_TRUE(picture->SavePng(L"probe_page.png"));
    const DWORD attributes = GetFileAttributesW(L"probe_page.png");
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace nuv::page_test
