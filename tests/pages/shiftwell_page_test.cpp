// The NuvShiftwell page driven through its controls on its DLL's own template.
#include "plugins/shiftwell/key_position.h"
#include "plugins/shiftwell/shiftwell_page.h"
#include "tests/pages/page_under_test.h"
#include "tests/support/group_table_reset.h"
#include "toolkit/kop_messages.h"

namespace nuv::page_test {
namespace {

using namespace shiftwell;

struct Shiftwell {
    using Page = ShiftwellPage;
    using Effect = NuvMfx;
    static constexpr const char* kName = "NuvShiftwell";
};

class ShiftwellPageTest : public PageUnderTest<Shiftwell> {
protected:
    void SetUp() override { testing::ResetGroupTable(); }
    void TearDown() override { testing::ResetGroupTable(); }
    std::vector<std::uint8_t> Saved() { return testing::SavedBytes(*effect, false); }
    void Post(UINT message, int id, LPARAM lParam) {
        PostMessageW(page->Handle(), message, static_cast<WPARAM>(id), lParam);
        PumpUntilIdle();
    }
    void ExpectRange(std::int32_t low, std::int32_t high, const wchar_t* lowName, const wchar_t* highName) {
        EXPECT_EQ(page->keyRange.Low(), KeyPosition(low));
        EXPECT_EQ(page->keyRange.High(), KeyPosition(high));
        EXPECT_EQ(page->lowKeyText.Caption() + L".." + page->highKeyText.Caption(),
                  std::wstring(lowName) + L".." + highName);
    }
};

// Another page of the group follows at its next tick, taking the shift as its own without marking it dirty.
TEST_F(ShiftwellPageTest, GroupsAndStepsDoNotMarkDirtyTheShiftSliderDoesAndMovesTheGroup) {
    effect->shift = kShiftMin;
    Open();
    ComRef<NuvMfx> otherEffect = testing::MakeEffect<NuvMfx>();
    Page* other = new (std::nothrow) Page;
    ComRef<IPropertyPage> otherRef(other);
    HostFrame otherFrame;
    ASSERT_EQ(otherFrame.Open(other, otherEffect->Identity()), S_OK);
    const std::vector<std::uint8_t> atTheBottom = Saved();
    Click(page->shiftDown);
    EXPECT_EQ(Saved(), atTheBottom);
    Click(page->shiftUp);
    EXPECT_EQ(effect->shift, kShiftMin + 1);
    EXPECT_EQ(page->shiftText.Caption(), L"-23");
    Click(page->groupButtons[2]);
    Click(other->groupButtons[2]);
    EXPECT_EQ(effect->group, 1);
    for (std::size_t i = 0; i < kGroupButtonCount; ++i) EXPECT_EQ(page->groupButtons[i].Checked(), i == 2) << i;
    EXPECT_FALSE(Dirty());
    Tick(*page);  // each shows the group's shift
    Tick(*other);
    Key(page->shiftSlider, VK_RIGHT);
    EXPECT_EQ(frame.Site().statusChanges, std::vector<DWORD>{PROPPAGESTATUS_DIRTY});
    Tick(*other);
    EXPECT_EQ(other->shiftSlider.Value(), 1.0f);
    EXPECT_EQ(other->shiftText.Caption(), L"1");
    EXPECT_EQ(otherEffect->shift, 1);
    EXPECT_NE(otherEffect->IsDirty(), S_OK);
    EXPECT_EQ(otherFrame.Close(other), S_OK);
    ExpectResizeContract(frame, *page);
}

TEST_F(ShiftwellPageTest, LimitsStepWithinTheKeysAndLearningMovesBetweenThem) {
    effect->lowKey = 3;
    Open();
    Post(kop::WM_TEXT_WHEEL, kLowKeyTextId, -5);
    EXPECT_EQ(effect->lowKey, 0);
    ExpectRange(0, 127, L"C-1", L"G9");
    EXPECT_TRUE(Dirty());
    Click(page->highKeyText);
    Click(page->lowKeyText);
    EXPECT_EQ(effect->learnMode, kLearnLowKey);
    EXPECT_TRUE(page->lowKeyText.boxed && !page->highKeyText.boxed);
    Click(page->lowKeyText);
    EXPECT_EQ(effect->learnMode, kLearnOff);
    EXPECT_FALSE(page->lowKeyText.boxed);
    Click(page->highKeyText);  // a live note while learning sets the limit, the next tick shows it
    testing::RunInput(*effect, {testing::Message(0x90, 64, 100)});
    Tick(*page);
    ExpectRange(0, 64, L"C-1", L"E4");
    EXPECT_FALSE(page->highKeyText.boxed);
}

// Moving the high end must leave the low one on whichever key it stands.
TEST_F(ShiftwellPageTest, EveryKeyComesBackFromTheRangeSliderUnchanged) {
    Open();
    for (std::int32_t key = 0; key <= kHighestKey; ++key) {
        effect->lowKey = key;
        effect->refreshFlag = 1;
        Tick(*page);
        Post(kop::WM_RANGE_CHANGED, kKeyRangeId, kop::kHighThumb);
        ASSERT_EQ(effect->lowKey, key);
        ASSERT_EQ(effect->highKey, kHighestKey);
    }
}

// Values no control makes show clamped and index nothing; a Load shows on every control at the next tick.
TEST_F(ShiftwellPageTest, StoredAndLoadedValuesShowSafelyOnEveryControl) {
    effect->group = 7;
    effect->shift = 30;
    effect->lowKey = -5;
    effect->highKey = 300;
    Open();
    for (std::size_t i = 0; i < kGroupButtonCount; ++i) EXPECT_EQ(page->groupButtons[i].Checked(), i == 0) << i;
    EXPECT_EQ(page->shiftSlider.Value(), 24.0f);
    EXPECT_EQ(page->shiftText.Caption(), L"30");
    ExpectRange(0, 127, L"C-1", L"G9");
    Key(page->shiftSlider, VK_LEFT);
    Tick(*page);
    EXPECT_EQ(effect->shift, 23);
    for (std::int32_t group = 0; group < kGroupCount; ++group) EXPECT_EQ(GroupShift(group), 0);

    // Group 3, shift -7 and an inverted range, shown as it is; a step keeps it so.
    const auto stream = testing::StreamImage().U32(4).I32(2).I32(-7).I32(100).I32(20).I32(-1).I32(-1);
    ASSERT_EQ(testing::LoadBytes(*effect, stream), S_OK);
    Tick(*page);
    for (std::size_t i = 0; i < kGroupButtonCount; ++i) EXPECT_EQ(page->groupButtons[i].Checked(), i == 3) << i;
    EXPECT_EQ(page->shiftSlider.Value(), -7.0f);
    EXPECT_EQ(page->shiftText.Caption(), L"-7");
    ExpectRange(100, 20, L"E7", L"G#0");
    Post(kop::WM_TEXT_WHEEL, kHighKeyTextId, 1);
    ExpectRange(100, 21, L"E7", L"A0");
}

TEST_F(ShiftwellPageTest, WithoutItsEffectThePageWritesNothing) {
    Open();
    ASSERT_EQ(pageRef->SetObjects(0, nullptr), S_OK);
    const std::vector<std::uint8_t> before = Saved();
    Click(page->groupButtons[3]);
    Click(page->shiftUp);
    Click(page->lowKeyText);
    Key(page->shiftSlider, VK_END);
    Post(kop::WM_TEXT_WHEEL, kHighKeyTextId, -3);
    Post(kop::WM_RANGE_CHANGED, kKeyRangeId, kop::kLowThumb);
    Tick(*page);
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(effect->learnMode, kLearnOff);
    EXPECT_FALSE(Dirty());
}

}  // namespace
}  // namespace nuv::page_test
