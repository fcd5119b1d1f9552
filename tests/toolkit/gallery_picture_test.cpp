// What the controls show, checked by structure (colours sampled where the
// looks put them, areas that changed) rather than whole images, since Wine
// draws without anti-aliasing; and the gallery's pictures at its design size
// and at 1.5 times, left in this build folder as gallery_design.png and
// gallery_1_5x.png.
#include <algorithm>

#include "tests/page/support/window_picture.h"
#include "tests/toolkit/gallery/gallery_fixture.h"

namespace nuv::toolkit_test {
namespace {

using page_test::Near;
using page_test::WindowPicture;

class GalleryPicture : public GalleryTest {
protected:
    WindowPicture Painted() {
        RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        page_test::PumpUntilIdle();
        std::optional<WindowPicture> picture = WindowPicture::Take(page->Handle());
        EXPECT_TRUE(picture.has_value());
        return std::move(*picture);
    }
    // The colour at (x, y) of a control's client area.
    static std::uint32_t At(const WindowPicture& picture, const kop::KopScaledControl& control, int x, int y) {
        const RECT place = control.RectInParent();
        return picture.At(place.left + x, place.top + y);
    }
    // Whether any pixel of the control within (x0, y0)-(x1, y1) is near `colour`.
    static bool Shows(const WindowPicture& picture, const kop::KopScaledControl& control, RECT area,
                      std::uint32_t colour) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (Near(At(picture, control, x, y), colour, 6)) return true;
            }
        }
        return false;
    }
};

TEST_F(GalleryPicture, TextButtonFillIsTheOnColourDarkened) {
    const WindowPicture picture = Painted();
    EXPECT_EQ(At(picture, page->textButtonOn, 4, 4), 0x3F3F3Fu);   // white / 4
    EXPECT_EQ(At(picture, page->textButtonOff, 4, 4), 0x191919u);  // white / 10
    // A disabled checked button draws its caption in the off colour, never in white.
    const RECT inside{2, 2, page->textButtonDisabled.RectInParent().right - page->textButtonDisabled.RectInParent().left - 2,
                      12};
    EXPECT_FALSE(Shows(picture, page->textButtonDisabled, inside, 0xFFFFFF));
    EXPECT_TRUE(Shows(picture, page->textButtonOn, inside, 0xFFFFFF));
}

// A caption whose line is taller than its box, or wider, still shows: the
// wide one shrunk to the box, so both its ends are inside.
TEST_F(GalleryPicture, CaptionTooLargeForItsBoxStillShowsWhole) {
    kop::KopTransparentText& text = page->textCentre;  // white, on a flat quarter of the background
    text.font.size = 40.0f;
    text.SetCaption(L"Wobbleton");
    const WindowPicture picture = Painted();
    const RECT place = text.RectInParent();
    const LONG w = place.right - place.left;
    const LONG h = place.bottom - place.top;
    EXPECT_TRUE(Shows(picture, text, RECT{0, 0, w / 4, h}, 0xFFFFFF));
    EXPECT_TRUE(Shows(picture, text, RECT{3 * w / 4, 0, w, h}, 0xFFFFFF));
}

TEST_F(GalleryPicture, PowerKnobSymbolIsGreyWhenOffAndTheOnColourWhenOn) {
    const RECT stem{30, 22, 38, 29};  // the symbol's stem at the knob's top centre
    WindowPicture picture = Painted();
    ASSERT_TRUE(page->powerButton.Checked());
    EXPECT_TRUE(Shows(picture, page->powerButton, stem, 0x64FF64));
    page->powerButton.SetChecked(false);
    picture = Painted();
    EXPECT_FALSE(Shows(picture, page->powerButton, stem, 0x64FF64));
    EXPECT_TRUE(Shows(picture, page->powerButton, stem, 0x646464));
}

// Every pixel of the disabled slider is its enabled look under 0x820A0A0A.
TEST_F(GalleryPicture, DisabledVerticalSliderIsCoveredByTheDimmingColour) {
    kop::KopGdiPlusSlider& slider = page->disabledSlider;
    slider.SetEnabled(true);
    const WindowPicture enabled = Painted();
    slider.SetEnabled(false);
    const WindowPicture disabled = Painted();
    const RECT place = slider.RectInParent();
    int mismatched = 0;
    for (int y = place.top; y < place.bottom; ++y) {
        for (int x = place.left; x < place.right; ++x) {
            std::uint32_t expected = 0;
            for (const int shift : {0, 8, 16}) {
                const int under = static_cast<int>((enabled.At(x, y) >> shift) & 0xFF);
                expected |= static_cast<std::uint32_t>((0x0A * 0x82 + under * (255 - 0x82)) / 255) << shift;
            }
            mismatched += Near(disabled.At(x, y), expected, 3) ? 0 : 1;
        }
    }
    EXPECT_EQ(mismatched, 0);
}

TEST_F(GalleryPicture, LooksSitWhereTheirStylesPutThem) {
    const WindowPicture picture = Painted();
    // Icons 0 and 7 (this one checked) draw the background and the white border only.
    for (const std::size_t icon : {0u, 7u}) {
        const RECT place = page->icons[icon].RectInParent();
        const RECT inside{place.left + 1, place.top + 1, place.right - 1, place.bottom - 1};
        EXPECT_EQ(picture.CountNot(icon == 0 ? 0x14141E : 0xFFFFFF, inside), 0) << icon;
        EXPECT_EQ(picture.At(place.left, place.top), 0xFFFFFFu);
    }
    // A sine icon unchecked draws white on dark; a checked random icon black on white.
    EXPECT_GT(picture.CountNot(0x14141E, page->icons[1].RectInParent()), 0);
    // Texts sit flush with the side their static style names.
    const auto columnsWithWhite = [&](const kop::KopScaledControl& text) {
        const RECT place = text.RectInParent();
        int first = place.right;
        int last = place.left - 1;
        for (int y = place.top; y < place.bottom; ++y) {
            for (int x = place.left; x < place.right; ++x) {
                if (picture.At(x, y) != 0xFFFFFF) continue;
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        return std::make_pair(first - place.left, place.right - 1 - last);
    };
    EXPECT_LE(columnsWithWhite(page->textLeft).first, 2);
    EXPECT_LE(columnsWithWhite(page->textRight).second, 2);
    const auto centred = columnsWithWhite(page->textCentre);
    EXPECT_NEAR(centred.first, centred.second, 3);
    // The badge's word shows in the fallback family: dark strokes across the
    // light bar, which alone has no pixel that dark.
    const RECT badge = page->logoBadge.RectInParent();
    int dark = 0;
    for (int y = badge.top + 7; y < badge.top + 17; ++y) {
        for (int x = badge.left + 26; x < badge.left + 70; ++x) {
            const std::uint32_t c = picture.At(x, y);
            dark += ((c >> 16) & 0xFF) < 60 && ((c >> 8) & 0xFF) < 60 && (c & 0xFF) < 60 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20);
    // Transparent parts show the page: above the left arrow's tip, the top-left quarter.
    EXPECT_TRUE(Near(At(picture, page->leftArrow, 1, 1), 0xC82828, 8));
}

TEST_F(GalleryPicture, PicturesAtDesignSizeAndOneAndAHalfTimes) {
    WindowPicture design = Painted();
    EXPECT_TRUE(design.SavePng(L"gallery_design.png"));
    RECT outer{};
    GetWindowRect(page->Handle(), &outer);
    const RECT larger{0, 0, (outer.right - outer.left) * 3 / 2, (outer.bottom - outer.top) * 3 / 2};
    ASSERT_EQ(pageRef->Move(&larger), S_OK);
    EXPECT_FLOAT_EQ(page->horizontalSlider.scale, page->ClientScale());
    EXPECT_NEAR(page->ClientScale(), 1.5f, 0.01f);
    WindowPicture scaled = Painted();
    EXPECT_TRUE(scaled.SavePng(L"gallery_1_5x.png"));
    // The text button grew with its font: its fill and caption at the same places, scaled.
    EXPECT_EQ(At(scaled, page->textButtonOn, 6, 6), 0x3F3F3Fu);
    EXPECT_FLOAT_EQ(page->textLeft.FontSizeNow(), page->ClientScale() * 12.0f);
    // The fields' fonts were made again: 8 points at 1.5 times, at 96 pixels an inch.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(page->field.Handle(), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
}

}  // namespace
}  // namespace nuv::toolkit_test
