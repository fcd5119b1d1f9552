// The page's size: the grip drag with its aspect ratio and limits, sizes
// given from outside (the WM_SIZE rule), the monitor's DPI, the relayout of
// the registered controls, and the size stored in the effect for next time.
#include <gtest/gtest.h>

#include "tests/page/page_fixture.h"

namespace nuv::page_test {
namespace {

using PageResize = PageTest;

constexpr float kAspect = static_cast<float>(kDesignWidth) / static_cast<float>(kDesignHeight);

LONG HeightFor(LONG width) { return static_cast<LONG>(static_cast<float>(width) / kAspect); }

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The control's window is where its design rectangle times `s` puts it.
void ExpectScaled(const kop::KopScaledControl& control, float s) {
    const RECT rect = RectInParent(control.Handle());
    EXPECT_EQ(rect.left, static_cast<LONG>(s * control.designLeft));
    EXPECT_EQ(rect.top, static_cast<LONG>(s * control.designTop));
    EXPECT_EQ(rect.right - rect.left, static_cast<LONG>(s * control.designWidth));
    EXPECT_EQ(rect.bottom - rect.top, static_cast<LONG>(s * control.designHeight));
    EXPECT_EQ(control.scale, s);
}

class GripDrag : public PageTest {
protected:
    // A drag that starts `inset` pixels inside the bottom-right corner and
    // moves right by `dx` in moves of `step` pixels.
    void DragBy(int dx, int step, int inset = 5) {
        const SIZE client = ClientSize();
        const POINT from{client.cx - inset, client.cy - inset};
        const int steps = std::max(1, std::abs(dx) / step);
        DragLeft(PageWindow(), from, POINT{from.x + dx, from.y}, steps);
        PumpUntilIdle();
    }
};

TEST_F(PageResize, SetUpMeasuresTheDesignSize) {
    OpenLinked();
    const kop::PageGeometry& geometry = page->Geometry();
    EXPECT_EQ(geometry.DesignWidth(), static_cast<float>(kDesignWidth));
    EXPECT_EQ(geometry.DesignHeight(), static_cast<float>(kDesignHeight));
    EXPECT_EQ(geometry.Aspect(), kAspect);
    EXPECT_EQ(geometry.DesignClientWidth(), ClientSize().cx);
    EXPECT_EQ(geometry.UserScale(), 1.0f);
    EXPECT_EQ(page->RegisteredCount(), 5u);
    EXPECT_GT(page->BackgroundSize().cx, 0);
    // The design rectangle is the control's place in the template.
    const RECT power = RectInParent(page->powerButton.Handle());
    EXPECT_EQ(page->powerButton.designLeft, static_cast<float>(power.left));
    EXPECT_EQ(page->powerButton.designWidth, static_cast<float>(power.right - power.left));
}

TEST_F(GripDrag, KeepsTheAspectRatioAndStoresTheSize) {
    OpenLinked();
    DragBy(120, 30);
    const LONG width = kDesignWidth + 120;
    EXPECT_EQ(WindowSize().cx, width);
    EXPECT_EQ(WindowSize().cy, HeightFor(width));
    EXPECT_EQ(effect->pageWidth, width);
    EXPECT_EQ(effect->pageHeight, HeightFor(width));
    PROPPAGEINFO info{};
    ASSERT_EQ(pageRef->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.size.cx, width);
    EXPECT_EQ(info.size.cy, HeightFor(width));
    EXPECT_EQ(page->Geometry().UserScale(), static_cast<float>(width) / static_cast<float>(kDesignWidth));
    const float s = page->ClientScale();
    EXPECT_EQ(s, static_cast<float>(ClientSize().cx) / static_cast<float>(page->Geometry().DesignClientWidth()));
    ExpectScaled(page->powerButton, s);
    ExpectScaled(page->levelEdit, s);
    ExpectScaled(page->title, s);
    EXPECT_EQ(page->title.FontSizeNow(), s * page->title.font.size);
    EXPECT_FALSE(page->Sizing());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(GripDrag, HoldsTheCaptureOnlyWhileDragging) {
    OpenLinked();
    const SIZE client = ClientSize();
    PressLeft(PageWindow(), POINT{client.cx - 3, client.cy - 3});
    EXPECT_TRUE(page->Sizing());
    EXPECT_EQ(GetCapture(), PageWindow());
    ReleaseLeft(PageWindow(), POINT{client.cx - 3, client.cy - 3});
    EXPECT_FALSE(page->Sizing());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(GripDrag, StopsAtTwiceTheDesignSize) {
    OpenLinked();
    const RECT nearLimit{0, 0, 2 * kDesignWidth - 40, HeightFor(2 * kDesignWidth - 40)};
    ASSERT_EQ(pageRef->Move(&nearLimit), S_OK);
    PumpUntilIdle();
    DragBy(200, 25);
    EXPECT_LE(WindowSize().cx, 2 * kDesignWidth);
    EXPECT_GT(WindowSize().cx, 2 * kDesignWidth - 25);
    EXPECT_EQ(WindowSize().cy, HeightFor(WindowSize().cx));
    EXPECT_EQ(effect->pageWidth, WindowSize().cx);
}

TEST_F(GripDrag, StopsAtHalfTheDesignSize) {
    OpenLinked();
    const RECT nearLimit{0, 0, kDesignWidth / 2 + 40, HeightFor(kDesignWidth / 2 + 40)};
    ASSERT_EQ(pageRef->Move(&nearLimit), S_OK);
    PumpUntilIdle();
    DragBy(-200, 25);
    EXPECT_GE(WindowSize().cx, kDesignWidth / 2);
    EXPECT_LT(WindowSize().cx, kDesignWidth / 2 + 25);
    EXPECT_EQ(WindowSize().cy, HeightFor(WindowSize().cx));
}

TEST_F(GripDrag, PressTwentyOnePixelsFromTheEdgeStartsNoResize) {
    OpenLinked();
    DragBy(60, 60, 21);
    EXPECT_EQ(WindowSize().cx, kDesignWidth);
    EXPECT_EQ(effect->pageWidth, -1);
    DragBy(60, 60, 20);
    EXPECT_EQ(WindowSize().cx, kDesignWidth + 60);
}

TEST_F(PageResize, OutsideSizeWithinTheLimitsIsTakenAndStored) {
    OpenLinked();
    const RECT place{0, 0, 700, 300};  // the height does not count: it follows the width
    ASSERT_EQ(pageRef->Move(&place), S_OK);
    PumpUntilIdle();
    EXPECT_EQ(effect->pageWidth, 700);
    EXPECT_EQ(effect->pageHeight, HeightFor(700));
    EXPECT_EQ(page->Geometry().UserScale(), 700.0f / static_cast<float>(kDesignWidth));
    ExpectScaled(page->powerButton, page->ClientScale());
    EXPECT_GT(page->ClientScale(), 1.2f);
}

TEST_F(PageResize, OutsideSizeBeyondTheLimitsIsIgnored) {
    OpenLinked();
    for (LONG width : {2 * kDesignWidth + 1, kDesignWidth / 2 - 1}) {
        const RECT place{0, 0, width, HeightFor(width)};
        ASSERT_EQ(pageRef->Move(&place), S_OK);
        PumpUntilIdle();
        EXPECT_EQ(effect->pageWidth, -1) << width;
        EXPECT_EQ(effect->pageHeight, -1) << width;
        EXPECT_EQ(page->Geometry().UserScale(), 1.0f) << width;
        ExpectScaled(page->powerButton, 1.0f);
    }
}

TEST_F(PageResize, DpiChangeScalesThePageOnceAndKeepsTheUserScale) {
    OpenLinked();
    page->monitorDpi = 144.0f;
    SendMessageW(PageWindow(), kop::kDpiScaledSizeMessage, 0, 0);
    PumpUntilIdle();
    const LONG width = static_cast<LONG>(1.5f * static_cast<float>(kDesignWidth));
    EXPECT_EQ(WindowSize().cx, width);
    EXPECT_EQ(WindowSize().cy, HeightFor(width));
    EXPECT_EQ(page->Geometry().DpiFactor(), 1.5f);
    EXPECT_EQ(page->Geometry().UserScale(), 1.0f);
    ExpectScaled(page->powerButton, page->ClientScale());

    // The same DPI again changes nothing: no resize and no relayout.
    const HWND badge = page->logoBadge.Handle();
    SetWindowPos(badge, nullptr, 1, 1, 5, 5, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(PageWindow(), kop::kDpiScaledSizeMessage, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(WindowSize().cx, width);
    EXPECT_EQ(RectInParent(badge).right, 6);
    // The other DPI messages are answered and do nothing.
    EXPECT_EQ(SendMessageW(PageWindow(), WM_DPICHANGED, 0, 0), 0);
    EXPECT_EQ(SendMessageW(PageWindow(), WM_DPICHANGED_AFTERPARENT, 0, 0), 0);
    EXPECT_EQ(WindowSize().cx, width);
}

TEST_F(PageResize, SystemDpiMessageTakesTheDpiItNames) {
    OpenLinked();  // the monitor query answers 96: only the message knows of 144
    EXPECT_EQ(SendMessageW(PageWindow(), kop::kSystemDpiScaledSizeMessage, 144, 0), 0);
    PumpUntilIdle();
    EXPECT_EQ(page->Geometry().DpiFactor(), 1.5f);
    EXPECT_EQ(WindowSize().cx, static_cast<LONG>(1.5f * static_cast<float>(kDesignWidth)));
    ExpectScaled(page->powerButton, page->ClientScale());
    // A wParam that is no DPI leaves the monitor's answer in force.
    page->monitorDpi = 96.0f;
    SendMessageW(PageWindow(), kop::kSystemDpiScaledSizeMessage, 0x10000, 0);
    PumpUntilIdle();
    EXPECT_EQ(page->Geometry().DpiFactor(), 1.0f);
}

TEST_F(PageResize, DpiMessageOnThisMonitorChangesNothing) {
    OpenLinked();  // the monitor query answers 96 here, the factor the page starts with
    EXPECT_EQ(SendMessageW(PageWindow(), kop::kDpiScaledSizeMessage, 0, 0), 0);
    PumpUntilIdle();
    EXPECT_EQ(page->Geometry().DpiFactor(), 1.0f);
    EXPECT_EQ(WindowSize().cx, kDesignWidth);
}

TEST_F(PageResize, DpiFactorWidensTheDragLimits) {
    OpenLinked();
    page->monitorDpi = 144.0f;
    SendMessageW(PageWindow(), kop::kDpiScaledSizeMessage, 0, 0);
    PumpUntilIdle();
    const SIZE client = ClientSize();
    const POINT from{client.cx - 4, client.cy - 4};
    DragLeft(PageWindow(), from, POINT{from.x + 300, from.y}, 2);
    PumpUntilIdle();
    // 849 + 300 lies beyond twice the design width, within twice times 1.5.
    EXPECT_EQ(WindowSize().cx, static_cast<LONG>(1.5f * kDesignWidth) + 300);
}

TEST_F(PageResize, PageOpenedLaterStartsAtTheStoredSize) {
    OpenLinked();
    const RECT place{0, 0, 800, HeightFor(800)};
    ASSERT_EQ(pageRef->Move(&place), S_OK);
    PumpUntilIdle();
    ASSERT_EQ(frame.Close(page), S_OK);
    pageRef.Reset();

    ProbePage* later = new (std::nothrow) ProbePage;
    ComRef<IPropertyPage> laterRef(later);
    ASSERT_EQ(frame.Open(later, EffectObject()), S_OK);
    PumpUntilIdle();
    EXPECT_EQ(frame.OfferedSize().cx, 800);
    EXPECT_EQ(frame.OfferedSize().cy, HeightFor(800));
    RECT outer{};
    GetWindowRect(later->Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 800);
    EXPECT_EQ(later->Geometry().UserScale(), 800.0f / static_cast<float>(kDesignWidth));
    ExpectScaled(later->powerButton, later->ClientScale());
    ASSERT_EQ(frame.Close(later), S_OK);
}

}  // namespace
}  // namespace nuv::page_test
