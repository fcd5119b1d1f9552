// Settings travelling between page and effect: the first refresh at set-up,
// the refresh timer that carries a Load to the page, edits that reach the
// effect and mark it dirty, and the timer's end with the window.
#include <gtest/gtest.h>

#include "tests/page/page_fixture.h"
#include "tools/host/memory_stream.h"

namespace nuv::page_test {
namespace {

using PageFlow = PageTest;

// A stream image of the probe effect: version 1, page size, level, option.
std::vector<std::uint8_t> ProbeStream(std::int32_t width, std::int32_t height, std::int32_t level,
                                      std::int32_t option) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t v : {1, width, height, level, option}) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
    return bytes;
}

POINT CentreOf(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

TEST_F(PageFlow, SetUpShowsTheEffectAndStartsTheTimer) {
    effect->level = 42;
    effect->enabled = 0;
    OpenLinked();
    EXPECT_EQ(page->rereads, 1);
    EXPECT_EQ(page->ShownLevel(), 42);
    EXPECT_FALSE(page->powerButton.Checked());
    EXPECT_TRUE(page->setUp);
    EXPECT_EQ(page->RefreshTimerId(), kRefreshTimerId);
    ASSERT_TRUE(PumpUntil([&] { return page->refreshTicks >= 2; }, 2000));
    EXPECT_EQ(page->rereads, 1);  // ticks with the refresh flag clear touch nothing
}

TEST_F(PageFlow, WithoutAnEffectThereIsNoRefreshAndNoTimer) {
    ASSERT_EQ(frame.Open(page, nullptr), S_OK);
    EXPECT_EQ(page->rereads, 0);
    EXPECT_EQ(page->RefreshTimerId(), 0u);
    // Linking after set-up leaves the page without a timer until it is
    // activated again.
    IUnknown* objects[1] = {EffectObject()};
    ASSERT_EQ(pageRef->SetObjects(1, objects), S_OK);
    PumpFor(150);
    EXPECT_EQ(page->refreshTicks, 0);
    ASSERT_EQ(pageRef->Deactivate(), S_OK);
    const RECT place{0, 0, kDesignWidth, kDesignHeight};
    ASSERT_EQ(pageRef->Activate(frame.Handle(), &place, FALSE), S_OK);
    EXPECT_EQ(page->rereads, 1);
    EXPECT_EQ(page->RefreshTimerId(), kRefreshTimerId);
}

TEST_F(PageFlow, LoadWhileOpenIsShownAtTheNextTick) {
    OpenLinked();
    ASSERT_TRUE(PumpUntil([&] { return page->refreshTicks >= 1; }, 2000));
    ComRef<host::MemoryStream> stream(new host::MemoryStream(ProbeStream(-1, -1, 99, 1)));
    ASSERT_EQ(effect->Load(stream.Get()), S_OK);
    const int ticksAtLoad = page->refreshTicks;
    ASSERT_TRUE(PumpUntil([&] { return page->ShownLevel() == 99; }, 2000));
    EXPECT_EQ(page->ticksAtLastReread, ticksAtLoad + 1);  // the first tick after the Load
    EXPECT_TRUE(page->optionSwitch.Checked());
    EXPECT_EQ(effect->refreshFlag, 0);  // the page took the flag
    EXPECT_EQ(page->rereads, 2);
}

TEST_F(PageFlow, PowerButtonWritesTheEnabledFlag) {
    OpenLinked();
    ASSERT_TRUE(page->powerButton.Checked());
    const HWND button = page->powerButton.Handle();
    ClickLeft(button, CentreOf(button));
    PumpUntilIdle();
    EXPECT_FALSE(page->powerButton.Checked());
    EXPECT_EQ(effect->enabled, 0);
    ClickLeft(button, CentreOf(button));
    PumpUntilIdle();
    EXPECT_EQ(effect->enabled, 1);
    EXPECT_EQ(effect->dirtyFlag, 0);  // the enabled flag is not a setting
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
}

TEST_F(PageFlow, DirtyingEditReachesEffectPageAndSite) {
    OpenLinked();
    const HWND control = page->optionSwitch.Handle();
    ClickLeft(control, CentreOf(control));
    PumpUntilIdle();
    EXPECT_EQ(effect->option, 1);
    EXPECT_EQ(effect->IsDirty(), S_OK);
    EXPECT_EQ(pageRef->IsPageDirty(), S_OK);
    ASSERT_EQ(frame.Site().statusChanges.size(), 1u);
    EXPECT_EQ(frame.Site().statusChanges[0], static_cast<DWORD>(PROPPAGESTATUS_DIRTY));
    EXPECT_EQ(pageRef->Apply(), S_OK);
    EXPECT_EQ(pageRef->IsPageDirty(), S_FALSE);
    EXPECT_EQ(effect->IsDirty(), S_OK);  // Apply transfers nothing: the effect keeps its own flag
}

// The harness's input reaches a control through our subclassing, and the
// control's notifications to the page are offered back to the control.
TEST_F(PageFlow, KeysWheelAndTextReachTheSubclassedEdit) {
    OpenLinked();
    const HWND edit = page->levelEdit.Handle();
    SendKey(edit, VK_END);
    EXPECT_EQ(page->levelEdit.keyDowns, 1);
    EXPECT_EQ(page->levelEdit.lastKey, static_cast<UINT>(VK_END));
    SendWheel(edit, CentreOf(edit), -WHEEL_DELTA);
    EXPECT_EQ(page->levelEdit.wheelMessages, 1);
    EXPECT_EQ(page->levelEdit.wheelDelta, -WHEEL_DELTA);
    const int commands = page->levelEdit.reflectedCommands;
    SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeText(edit, L"123");
    PumpUntilIdle();
    EXPECT_EQ(page->ShownLevel(), 123);
    EXPECT_GT(page->levelEdit.reflectedCommands, commands);  // EN_CHANGE came back to the edit
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(page->levelEdit.reflectedColours, 0);
}

TEST_F(PageFlow, DeactivateEndsTheTimerAndLeavesTheLinkAlone) {
    OpenLinked();
    ASSERT_EQ(pageRef->Deactivate(), S_OK);
    EXPECT_EQ(page->Effect(), effect.Get());
    EXPECT_EQ(page->RefreshTimerId(), 0u);
    EXPECT_FALSE(page->setUp);
    const int ticks = page->refreshTicks;
    effect->refreshFlag = 1;
    PumpFor(150);
    EXPECT_EQ(page->refreshTicks, ticks);
    EXPECT_EQ(effect->refreshFlag, 1);
}

}  // namespace
}  // namespace nuv::page_test
