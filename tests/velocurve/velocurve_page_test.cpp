// The NuvVelocurveV2 page under Wine, driven through its real controls (picture: pages/NuvVelocurveV2_dragged.png
// in this build folder), and the effect's output with and without the page.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>

#include "plugins/velocurve/velocurve_page.h"
#include "tests/page/support/message_pump.h"
#include "tests/page/support/resize_contract.h"
#include "tests/page/support/window_picture.h"
#include "tests/support/event_builders.h"
#include "tools/host/host_session.h"

namespace nuv::velocurve {
namespace {

using namespace nuv::page_test;
using nuv::testing::LoadBytes;
using nuv::testing::Message;
using nuv::testing::RunInput;

constexpr float kW = kCurveDesignSize.width;
constexpr float kH = kCurveDesignSize.height;

std::vector<std::uint8_t> Stream(const SplinePoint (&p)[4]) {
    auto image = nuv::testing::StreamImage().U32(2).Byte(1).Byte(0).Byte(0).Byte(0);
    for (const SplinePoint& point : p) image.F32(point.x).F32(point.y);
    return image.Byte(1).I32(-1).I32(-1);
}

std::vector<std::int32_t> TableOf(const NuvMfx& effect) {
    std::vector<std::int32_t> table;
    for (const CurveTableEntry& e : effect.curveTable) table.push_back(e.y);
    return table;
}

class VelocurvePageTest : public ::testing::Test {
protected:
    ~VelocurvePageTest() override {
        pageRef.Reset();
        PumpUntilIdle();
    }
    void Open() {
        ASSERT_EQ(frame.Open(page->Face(), effect->Identity()), S_OK);
        PumpUntilIdle();
    }
    HWND Curve() const { return page->curve.Handle(); }
    HWND Field() const { return page->controllerField.Handle(); }
    POINT At(std::size_t i) const {
        return POINT{static_cast<LONG>(page->curve.points[i].x), static_cast<LONG>(page->curve.points[i].y)};
    }
    void Drag(std::size_t i, POINT to) { DragLeft(Curve(), At(i), to, 4); }
    void ClickTarget(std::size_t i) {
        ClickLeft(page->targetButtons[i].Handle(), POINT{5, 5});
        PumpUntilIdle();
    }
    void ExpectShown(std::initializer_list<const wchar_t*> values) const {
        std::size_t i = 0;
        for (const wchar_t* value : values) EXPECT_EQ(page->pointDisplays[i++].Caption(), value);
    }

    HostFrame frame;
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    VelocurvePage* page = new (std::nothrow) VelocurvePage;
    ComRef<IPropertyPage> pageRef{page->Face()};
};

// A fresh effect that took a live note (refresh flag set over points never placed) opens on the diagonal and keeps
// its table. Markers of held notes stand at v / 128 of the width, from the bottom up to the height of table[v], in
// design units at any scale; Poly Aft clears them, Ctrl Chng enables the field, and Poly Aft disables it again.
TEST_F(VelocurvePageTest, OpensOnTheEffectsCurveMarksHeldNotesAndSwitchesTargets) {
    RunInput(*effect, {Message(0x90, 60, 90)});
    const std::vector<std::int32_t> before = TableOf(*effect);
    Open();
    ExpectShown({L"0", L"31", L"95", L"127"});
    EXPECT_EQ(TableOf(*effect), before);
    EXPECT_EQ(effect->curvePoints[3].x, kW);  // what Save keeps
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_TRUE(page->targetButtons[0].Checked());
    EXPECT_FALSE(IsWindowEnabled(Field()));

    Drag(2, POINT{180, 15});
    for (std::uint8_t v : {40, 120}) RunInput(*effect, {Message(0x90, v, v)});
    const float width = 1.5f * page->Geometry().DesignWidth();
    const RECT bigger{0, 0, static_cast<LONG>(width), static_cast<LONG>(width / page->Geometry().Aspect())};
    page->Face()->Move(&bigger);
    PumpFor(300);
    auto picture = WindowPicture::Take(page->Handle());
    ASSERT_TRUE(picture.has_value());
    const RECT at = page->curve.RectInParent();
    const auto marker = [&, s = page->curve.scale](float x, float y) {  // orange, at (x, y) in design units
        const std::uint32_t c = picture->At(at.left + static_cast<int>(s * x), at.top + static_cast<int>(s * y));
        return ((c >> 16) & 255) > 150 && (c & 255) < 130;
    };
    const float x = 90.0f * kW / 128.0f;
    const float top = kH - static_cast<float>(effect->curveTable[90].y) * kH / 127.0f;
    EXPECT_TRUE(marker(x, top + 4.0f));
    EXPECT_TRUE(marker(x, kH - 3.0f));
    EXPECT_FALSE(marker(x, top - 6.0f));
    EXPECT_FALSE(marker(60.0f * kW / 128.0f, kH - 3.0f));  // no note of velocity 60
    CreateDirectoryW(L"Z:" NUV_PICTURE_DIR, nullptr);
    EXPECT_TRUE(picture->SavePng(L"Z:" NUV_PICTURE_DIR L"/NuvVelocurveV2_dragged.png"));
    ExpectResizeContract(frame, *page);

    ClickTarget(1);  // Poly Aft: CurrentTarget gives it only once Velocity, checked first, is off
    EXPECT_EQ(effect->CurrentTarget(), kPolyAft);
    EXPECT_EQ(effect->heldVelocityMarks[90], 0);
    EXPECT_FALSE(page->curve.showMarks);
    ClickTarget(3);  // Ctrl Chng
    EXPECT_TRUE(IsWindowEnabled(Field()));
    SendMessageW(Field(), EM_SETSEL, 0, -1);
    TypeText(Field(), L"64");
    PumpUntilIdle();
    EXPECT_EQ(effect->controllerNumber, 64);
    EXPECT_EQ(effect->dirtyFlag, 1);
    ClickTarget(1);
    EXPECT_FALSE(IsWindowEnabled(Field()));
}

// Out of range and coincident points, loaded before and while the page is open, show clamped and the effect holds
// them; drags stay in range, the display follows each step and the effect only the release.
TEST_F(VelocurvePageTest, LoadedAndDraggedPointsStayInRangeAndAreStoredOnlyOnRelease) {
    ASSERT_EQ(LoadBytes(*effect, Stream({{0, kH - 1}, {500, 40}, {200, 30}, {kW, 0}})), S_OK);
    Open();
    EXPECT_EQ(page->curve.points[1].x, kW / 2 - 5);
    EXPECT_EQ(effect->curvePoints[1].x, kW / 2 - 5);

    const std::vector<std::int32_t> table = TableOf(*effect);
    ASSERT_EQ(LoadBytes(*effect, Stream({{9, -50}, {133, 64}, {133, 64}, {9, 300}})), S_OK);
    PumpFor(300);
    const SplinePoint placed[] = {{0, 0}, {kW / 2 - 5, 64}, {kW / 2 + 5, 64}, {kW, kH}};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(effect->curvePoints[i].x == placed[i].x && effect->curvePoints[i].y == placed[i].y) << i;
    ExpectShown({L"127", L"63", L"63", L"0"});  // the bottom is 0, as in the table
    EXPECT_NE(TableOf(*effect), table);
    for (std::int32_t y : TableOf(*effect)) EXPECT_TRUE(y >= 0 && y <= 127) << y;
    EXPECT_EQ(effect->dirtyFlag, 0);

    Drag(0, POINT{60, 200});  // sideways and past the bottom
    EXPECT_TRUE(page->curve.points[0].x == 0.0f && page->curve.points[0].y == kH);
    Drag(1, POINT{250, 64});
    EXPECT_EQ(page->curve.points[1].x, kW / 2 - 5);
    Drag(2, POINT{10, 64});
    EXPECT_EQ(page->curve.points[2].x, kW / 2 + 5);
    PumpUntilIdle();
    EXPECT_EQ(effect->curvePoints[2].x, kW / 2 + 5);

    // P1 and P2 overlap around x 133: the lower-numbered one goes.
    PressLeft(Curve(), POINT{133, 64});
    EXPECT_EQ(page->curve.Selected(), 1);
    for (const auto& [y, shown] : {std::pair<LONG, const wchar_t*>{30, L"97"}, {20, L"107"}}) {
        MoveMouse(Curve(), POINT{100, y}, true);
        // The curve's posted messages only: real mouse moves stay queued while a synthetic drag goes on.
        const UINT first = kop::WM_CURVE_POINT_DROPPED, last = kop::WM_CURVE_POINT_MOVED;
        for (MSG m; PeekMessageW(&m, page->Handle(), first, last, PM_REMOVE);) DispatchMessageW(&m);
        EXPECT_EQ(page->pointDisplays[1].Caption(), shown);
        EXPECT_EQ(effect->curvePoints[1].y, 64.0f);
    }
    ReleaseLeft(Curve(), POINT{100, 20});
    PumpUntilIdle();
    EXPECT_EQ(effect->curvePoints[1].y, 20.0f);
    EXPECT_EQ(effect->dirtyFlag, 1);

    // A click between points selects nothing and stores nothing.
    effect->curvePoints[2].y = 1.0f;
    PressLeft(Curve(), POINT{200, 110});
    EXPECT_EQ(page->curve.Selected(), -1);
    MoveMouse(Curve(), POINT{210, 100}, true);
    ReleaseLeft(Curve(), POINT{210, 100});
    PumpUntilIdle();
    EXPECT_EQ(effect->curvePoints[2].y, 1.0f);

    // Cancel mode, and the page closing, end a drag: the cursor is free and the point stays where the curve shows it.
    for (const bool close : {false, true}) {
        PressLeft(Curve(), At(2));
        MoveMouse(Curve(), POINT{180, close ? 50 : 40}, true);
        EXPECT_TRUE(page->curve.CursorConfined());
        EXPECT_EQ(close ? frame.Close(page->Face()) : (SendMessageW(Curve(), WM_CANCELMODE, 0, 0), S_OK), S_OK);
        PumpUntilIdle();
        EXPECT_FALSE(page->curve.Dragging());
        EXPECT_FALSE(page->curve.CursorConfined());
        EXPECT_EQ(effect->curvePoints[2].y, close ? 50.0f : 40.0f);
    }
}

// Unlinked while open, its effect gone: the controls still answer the mouse, and nothing reaches for the effect.
TEST_F(VelocurvePageTest, UnlinkedNothingReachesForTheEffect) {
    Open();
    ASSERT_EQ(page->Face()->SetObjects(0, nullptr), S_OK);
    effect.Reset();
    Drag(1, POINT{90, 40});
    ClickTarget(2);
    PumpFor(250);
    EXPECT_EQ(page->curve.points[1].y, 40.0f);
    EXPECT_FALSE(page->PageDirty());
}

// A song through an effect whose stored middle points lie beyond their ranges: the page never opened, opened, and
// opened and repainted between the spans of playback on another thread.
TEST(VelocurvePageOutput, IsTheSameWithAndWithoutThePage) {
    std::vector<HostEvent> song;
    for (std::int32_t i = 0; i < 2000; ++i) song.push_back(nuv::testing::NoteEvent(i * 10, 60, i % 128, 5));
    const auto play = [&song](int pageUse) {
        ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
        LoadBytes(*effect, Stream({{0, 100}, {300, 120}, {0, 8}, {kW, 3}}));
        HostFrame frame;
        auto* page = new (std::nothrow) VelocurvePage;
        ComRef<IPropertyPage> pageRef(page->Face());
        EXPECT_EQ(pageUse > 0 ? frame.Open(page->Face(), effect->Identity()) : S_OK, S_OK);
        PumpUntilIdle();
        host::SessionResult result;
        std::atomic<bool> done{false};
        std::atomic<int> paints{0};
        std::thread player([&] {  // each span waits for a repaint
            result = host::PlayTrack(*effect, song, 20000, {}, [&](const auto&, const auto&) {
                for (const int seen = paints; pageUse > 1 && paints == seen;) std::this_thread::yield();
            });
            done = true;
        });
        for (; pageUse > 1 && !done; ++paints)
            RedrawWindow(page->curve.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        player.join();
        EXPECT_TRUE(result.Connected());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(result.output.data());
        return std::vector<std::uint8_t>(bytes, bytes + result.output.size() * sizeof(HostEvent));
    };
    const std::vector<std::uint8_t> alone = play(0);
    EXPECT_EQ(play(1), alone);
    EXPECT_EQ(play(2), alone);
}

}  // namespace
}  // namespace nuv::velocurve
