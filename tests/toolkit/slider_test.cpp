// The sliders driven by mouse, wheel and key messages: the values they keep,
// what they post and when, and that a drag always ends.
#include <cmath>

#include "tests/toolkit/gallery/gallery_fixture.h"
#include "toolkit/kop_messages.h"

namespace nuv::toolkit_test {
namespace {

using page_test::MoveMouse;
using page_test::PressLeft;
using page_test::ReleaseLeft;
using page_test::SendKey;
using page_test::SendWheel;

using Sliders = GalleryTest;

std::vector<LPARAM> Values(const std::vector<Notice>& notices) {
    std::vector<LPARAM> values;
    for (const Notice& notice : notices) values.push_back(notice.lParam);
    return values;
}

// The thumb centre of a horizontal slider, in its client pixels.
int ThumbX(const kop::KopGdiPlusSlider& slider) {
    RECT client{};
    GetClientRect(slider.Handle(), &client);
    const kop::SliderAxis axis = kop::AxisOf(slider.paintStyle, false, static_cast<float>(client.right),
                                             static_cast<float>(client.bottom));
    return static_cast<int>(kop::ThumbCentre(slider.Value(), {slider.Minimum(), slider.Maximum()}, axis));
}

TEST_F(Sliders, RightClickAtTheDefaultPostsChangingWithoutRepainting) {
    kop::KopGdiPlusSlider& slider = page->horizontalSlider;
    slider.defaultValue = 20.0f;
    page_test::PumpUntilIdle();
    ASSERT_FALSE(GetUpdateRect(slider.Handle(), nullptr, FALSE));
    SendMessageW(slider.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(GetUpdateRect(slider.Handle(), nullptr, FALSE));
    EXPECT_EQ(Values(Received(kop::WM_SLIDER_CHANGING, GALLERY_HSLIDER_ID)), std::vector<LPARAM>{20});

    // The values posted are truncated toward zero.
    for (const float reset : {12.9f, -0.5f}) {
        page->verticalSlider.defaultValue = reset;
        SendMessageW(page->verticalSlider.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(Values(Received(kop::WM_SLIDER_CHANGING, GALLERY_VSLIDER_ID)), (std::vector<LPARAM>{12, 0}));
}

TEST_F(Sliders, DraggingPastTheEndStopsAtTheMaximum) {
    kop::KopGdiPlusSlider& slider = page->horizontalSlider;
    const POINT thumb{ThumbX(slider), 5};
    PressLeft(slider.Handle(), thumb);
    for (int x = thumb.x; x < thumb.x + 400; x += 40) MoveMouse(slider.Handle(), POINT{x, 5}, true);
    ReleaseLeft(slider.Handle(), POINT{thumb.x + 400, 5});
    EXPECT_EQ(slider.Value(), 40.0f);
    RECT client{};
    GetClientRect(slider.Handle(), &client);
    const kop::SliderAxis axis = kop::AxisOf(slider.paintStyle, false, static_cast<float>(client.right),
                                             static_cast<float>(client.bottom));
    EXPECT_FLOAT_EQ(kop::ThumbCentre(40.0f, {1.0f, 40.0f}, axis), axis.length - axis.thumbMargin);
    const std::vector<LPARAM> changing = Values(Received(kop::WM_SLIDER_CHANGING, GALLERY_HSLIDER_ID));
    ASSERT_FALSE(changing.empty());
    EXPECT_EQ(changing.back(), 40);
    EXPECT_EQ(Values(Received(kop::WM_SLIDER_CHANGED, GALLERY_HSLIDER_ID)), std::vector<LPARAM>{40});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Sliders, WheelAtEitherEndKeepsTheValueAndStillPosts) {
    kop::KopGdiPlusSlider& slider = page->horizontalSlider;  // reverse wheel: forward raises
    slider.SetValue(40.0f);
    SendWheel(slider.Handle(), POINT{5, 5}, WHEEL_DELTA);
    EXPECT_EQ(slider.Value(), 40.0f);
    slider.SetValue(1.0f);
    SendWheel(slider.Handle(), POINT{5, 5}, -WHEEL_DELTA);
    EXPECT_EQ(slider.Value(), 1.0f);
    SendWheel(slider.Handle(), POINT{5, 5}, WHEEL_DELTA);
    EXPECT_EQ(Values(Received(kop::WM_SLIDER_CHANGING, GALLERY_HSLIDER_ID)), (std::vector<LPARAM>{40, 1, 2}));
}

TEST_F(Sliders, KeysStepWithinTheRangeAndPostChanged) {
    kop::KopGdiPlusSlider& slider = page->horizontalSlider;
    slider.defaultValue = 7.0f;
    for (const UINT key : {VK_NEXT, VK_END, VK_RIGHT, VK_HOME, VK_PRIOR, VK_LEFT}) SendKey(slider.Handle(), key);
    EXPECT_EQ(Values(Received(kop::WM_SLIDER_CHANGED, GALLERY_HSLIDER_ID)),
              (std::vector<LPARAM>{25, 40, 40, 7, 2, 1}));
}

// A drag the slider does not see end by release still ends once, with the
// value it reached, whichever way it ends.
TEST_F(Sliders, ADragEndsExactlyOnceWhenTheCaptureGoesOrIsCancelled) {
    kop::KopGdiPlusSlider& slider = page->horizontalSlider;
    for (const bool byCancel : {false, true}) {
        PressLeft(slider.Handle(), POINT{ThumbX(slider), 5});
        ASSERT_EQ(GetCapture(), slider.Handle());
        if (byCancel) {
            SendMessageW(slider.Handle(), WM_CANCELMODE, 0, 0);
        } else {
            SetCapture(page->Handle());
        }
        EXPECT_FALSE(slider.Dragging());
        EXPECT_NE(GetCapture(), slider.Handle());
        ReleaseCapture();
        ReleaseLeft(slider.Handle(), POINT{5, 5});
        EXPECT_EQ(Received(kop::WM_SLIDER_CHANGED, GALLERY_HSLIDER_ID).size(), byCancel ? 2u : 1u);
    }
    // Disabling ends a drag too, and the disabled slider takes no input.
    PressLeft(slider.Handle(), POINT{ThumbX(slider), 5});
    slider.SetEnabled(false);
    EXPECT_FALSE(slider.Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    const float value = slider.Value();
    SendWheel(slider.Handle(), POINT{5, 5}, WHEEL_DELTA);
    SendKey(slider.Handle(), VK_END);
    EXPECT_EQ(slider.Value(), value);
    EXPECT_EQ(Received(kop::WM_SLIDER_CHANGED, GALLERY_HSLIDER_ID).size(), 3u);
}

TEST_F(Sliders, WithTabHeldTheSliderLeavesTheKeysToTheDialog) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    EXPECT_NE(SendMessageW(page->horizontalSlider.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    keys[VK_TAB] = 0x80;
    SetKeyboardState(keys);
    const LRESULT withTab = SendMessageW(page->horizontalSlider.Handle(), WM_GETDLGCODE, 0, 0);
    keys[VK_TAB] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(withTab & DLGC_WANTALLKEYS, 0);
}

TEST_F(Sliders, RangeKeysAndDragsKeepTheEndsInOrder) {
    kop::KopGdiPlusRangeSlider& range = page->range;
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    for (const BYTE shift : {BYTE{0}, BYTE{0x80}}) {
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
        for (const UINT key : {VK_RIGHT, VK_LEFT}) {
            for (int press = 0; press < 300; ++press) {
                SendKey(range.Handle(), key);
                ASSERT_TRUE(0.0f <= range.Low() && range.Low() <= range.High() && range.High() <= 1.0f)
                    << range.Low() << ".." << range.High();
            }
        }
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    const std::vector<Notice> moves = Received(kop::WM_RANGE_CHANGED, GALLERY_RANGE_ID);
    ASSERT_EQ(moves.size(), 1200u);
    EXPECT_EQ(moves.front().lParam, kop::kSpanPart);
    EXPECT_EQ(moves.back().lParam, kop::kLowThumb);

    // The span dragged far to the left keeps its width against the minimum.
    range.SetSpan(0.3f, 0.5f);
    page_test::PumpUntilIdle();
    RECT client{};
    GetClientRect(range.Handle(), &client);
    const kop::RangeLayout layout = kop::LayOut({0.3f, 0.5f}, {0.0f, 1.0f}, static_cast<float>(client.right),
                                                static_cast<float>(client.bottom));
    const POINT grab{static_cast<int>(layout.span.CentreAlong()), client.bottom / 2};
    page_test::DragLeft(range.Handle(), grab, POINT{grab.x - 300, grab.y}, 6);
    EXPECT_EQ(range.Low(), 0.0f);
    EXPECT_NEAR(range.High(), 0.2f, 1e-6f);
    EXPECT_EQ(Received(kop::WM_RANGE_CHANGED, GALLERY_RANGE_ID).back().lParam, kop::kSpanPart);
}

}  // namespace
}  // namespace nuv::toolkit_test
