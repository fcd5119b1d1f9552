// NuvShiftwell: the key range, groups, live input and learning, and the stream.
#include <gtest/gtest.h>

#include "framework/key_name.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "tests/support/event_builders.h"
#include "tests/support/group_table_reset.h"

namespace nuv::shiftwell {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::Message;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;
using nuv::testing::RunInput;
using nuv::testing::StreamImage;
using nuv::testing::WheelEvent;

class Shiftwell : public ::testing::Test {
protected:
    void SetUp() override { nuv::testing::ResetGroupTable(); }
    void TearDown() override { nuv::testing::ResetGroupTable(); }
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();

    std::vector<int> NotesOut(std::vector<int> keys) {
        std::vector<HostEvent> in;
        for (int k : keys) in.push_back(NoteEvent(0, static_cast<std::uint8_t>(k), 90, 10));
        std::vector<int> out;
        for (const HostEvent& e : RunEvents(*effect, in)) out.push_back(e.number);
        return out;
    }
};

TEST_F(Shiftwell, ShiftsInsideTheRangeAndDropsWhatLeavesIt) {
    effect->lowKey = 60;
    effect->highKey = 72;
    effect->shift = 5;
    EXPECT_EQ(NotesOut({60, 67, 68, 59, 73}), (std::vector<int>{65, 72, 59, 73}));
}

TEST_F(Shiftwell, NegativeResultIsDropped) {
    effect->shift = -24;
    EXPECT_EQ(NotesOut({10, 30}), (std::vector<int>{6}));
}

TEST_F(Shiftwell, InvertedRangePassesEverything) {
    effect->lowKey = 80;
    effect->highKey = 40;
    effect->shift = 3;
    EXPECT_EQ(NotesOut({30, 60, 90}), (std::vector<int>{30, 60, 90}));
}

TEST_F(Shiftwell, HugeShiftFromAStreamDoesNotOverflow) {
    effect->shift = 2147483647;
    EXPECT_EQ(NotesOut({0, 127}), (std::vector<int>{}));
    effect->shift = -2147483647 - 1;
    EXPECT_EQ(NotesOut({0, 127}), (std::vector<int>{}));
}

// A damaged stream may store a range beyond MIDI's notes: a note shifted
// past 127 is dropped as one shifted out of the range, live too.
TEST_F(Shiftwell, NoteShiftedPastMidiNotesIsDroppedWhateverTheStoredRange) {
    effect->highKey = 300;
    effect->shift = 100;
    EXPECT_EQ(NotesOut({20, 60}), (std::vector<int>{120}));
    EXPECT_TRUE(RunInput(*effect, {Message(0x90, 60, 100), Message(0x80, 60, 0)}).empty());
}

TEST_F(Shiftwell, OnlyNotesChangeAndOnlyTheirNumber) {
    effect->shift = 2;
    HostEvent note = NoteEvent(33, 60, 91, 77, 5);
    note.port = 2;
    note.release = 44;
    const auto out = RunEvents(*effect, {ControlEvent(1, 64, 64), note, WheelEvent(2, 300)});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].number, 64);
    EXPECT_EQ(WheelValue(out[2]), 300);
    HostEvent expected = note;
    expected.number = 62;
    EXPECT_EQ(std::memcmp(&out[1], &expected, sizeof(HostEvent)), 0);
}

TEST_F(Shiftwell, DisabledPassesUnchanged) {
    effect->shift = 12;
    effect->enabled = 0;
    EXPECT_EQ(NotesOut({60}), (std::vector<int>{60}));
}

TEST_F(Shiftwell, UnreadableEventsAreSkipped) {
    effect->shift = 1;
    nuv::testing::EventCall call({NoteEvent(0, 60, 90, 10), NoteEvent(1, 61, 90, 10)});
    call.in->FailGetAt(0);
    EXPECT_EQ(effect->OnEvents(0, 10, call.in.Get(), call.out.Get()), S_OK);
    ASSERT_EQ(call.Output().size(), 1u);
    EXPECT_EQ(call.Output()[0].number, 62);
    call.in->FailGetCount();
    EXPECT_EQ(effect->OnEvents(0, 10, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_EQ(call.Output().size(), 1u);
}

TEST_F(Shiftwell, GroupMembersShareOneShift) {
    auto other = nuv::testing::MakeEffect<NuvMfx>();
    effect->group = 1;
    other->group = 1;
    // The page of `effect` writes the group's value and its own shift.
    GroupShift(1) = 7;
    effect->shift = 7;
    EXPECT_EQ(other->EffectiveShift(), 7);
    const auto out = RunEvents(*other, {NoteEvent(0, 60, 90, 10)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].number, 67);
    other->group = kNoGroup;
    EXPECT_EQ(other->EffectiveShift(), 0);
}

TEST_F(Shiftwell, SaveWritesTheEffectiveShiftOfTheGroup) {
    effect->group = 2;
    effect->shift = 1;
    GroupShift(2) = -5;
    const auto bytes = nuv::testing::SavedBytes(*effect);
    EXPECT_EQ(bytes, StreamImage().U32(4).I32(2).I32(-5).I32(0).I32(127).I32(-1).I32(-1).Bytes());
}

TEST_F(Shiftwell, FreshSaveIs28Bytes) {
    EXPECT_EQ(nuv::testing::SavedBytes(*effect),
              StreamImage().U32(4).I32(-1).I32(0).I32(0).I32(127).I32(-1).I32(-1).Bytes());
}

TEST_F(Shiftwell, LoadVersionsReadWhatTheyCarry) {
    effect->lowKey = 50;
    effect->highKey = 60;
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(2).I32(-1).I32(3)), S_OK);
    EXPECT_EQ(effect->shift, 3);
    EXPECT_EQ(effect->lowKey, 0);
    EXPECT_EQ(effect->highKey, 127);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(3).I32(-1).I32(4).I32(10).I32(20)), S_OK);
    EXPECT_EQ(effect->lowKey, 10);
    EXPECT_EQ(effect->highKey, 20);
    EXPECT_EQ(effect->pageWidth, -1);
    EXPECT_EQ(effect->pageHeight, -1);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(9).I32(-1).I32(4).I32(10).I32(20).I32(640).I32(180)),
              S_OK);
    EXPECT_EQ(effect->pageWidth, 640);
    EXPECT_EQ(effect->pageHeight, 180);

    effect->refreshFlag = 0;
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(1)), S_OK);
    EXPECT_EQ(effect->shift, 4);
    EXPECT_EQ(effect->lowKey, 10);
    EXPECT_EQ(effect->refreshFlag, 1);
}

TEST_F(Shiftwell, LoadIntoAGroupSetsTheGroupValue) {
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(4).I32(3).I32(-7).I32(0).I32(127).I32(-1).I32(-1)),
              S_OK);
    EXPECT_EQ(GroupShift(3), -7);
    EXPECT_EQ(effect->EffectiveShift(), -7);
}

TEST_F(Shiftwell, StoredGroupOutsideTheTableMeansNoGroup) {
    for (std::int32_t bad : {4, -2, 1000000, -2147483647 - 1}) {
        ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(2).I32(bad).I32(5)), S_OK);
        EXPECT_EQ(effect->group, kNoGroup);
        EXPECT_EQ(effect->EffectiveShift(), 5);
        EXPECT_EQ(NotesOut({60}), (std::vector<int>{65}));
    }
}

TEST_F(Shiftwell, TruncatedStreamKeepsWhatWasRead) {
    effect->lowKey = 40;
    EXPECT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(4).I32(-1).I32(9).I32(30)), E_FAIL);
    EXPECT_EQ(effect->shift, 9);
    EXPECT_EQ(effect->lowKey, 30);
    EXPECT_EQ(effect->highKey, 127);
    EXPECT_EQ(effect->refreshFlag, 0);
}

TEST_F(Shiftwell, PageSizeIsOneEightByteRead) {
    ComRef<host::MemoryStream> stream(
        new host::MemoryStream(StreamImage().U32(4).I32(-1).I32(0).I32(0).I32(127).I32(300).I32(200)));
    stream->shortRead.FailCall(6);  // version, group, shift, low, high, then the page size
    EXPECT_EQ(effect->Load(stream.Get()), E_FAIL);
    EXPECT_EQ(effect->pageWidth, -1);
    EXPECT_EQ(effect->pageHeight, -1);
}

TEST_F(Shiftwell, LiveNotesShiftAndOtherMessagesPass) {
    effect->shift = 3;
    const auto out = RunInput(*effect, {Message(0x91, 60, 100), Message(0xB1, 60, 5), Message(0x81, 60, 0)});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].data1, 63);
    EXPECT_EQ(out[1].data1, 60);
    EXPECT_EQ(out[2].data1, 63);
}

TEST_F(Shiftwell, LiveNoteOffLeavesAsItsNoteOnDidWhenTheShiftMoves) {
    effect->shift = 3;
    RunInput(*effect, {Message(0x90, 60, 100)});
    effect->shift = 5;
    auto out = RunInput(*effect, {Message(0x80, 60, 0)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].data1, 63);
    // A Note On with velocity 0 ends a note the same way.
    RunInput(*effect, {Message(0x90, 61, 100)});
    effect->shift = 0;
    out = RunInput(*effect, {Message(0x90, 61, 0)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].data1, 66);
    // The memory is per channel, and used once.
    effect->shift = 1;
    out = RunInput(*effect, {Message(0x82, 60, 0), Message(0x80, 60, 0)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].data1, 61);
    EXPECT_EQ(out[1].data1, 61);
}

TEST_F(Shiftwell, LiveNoteOffOfADroppedNoteOnIsDropped) {
    effect->highKey = 64;
    effect->shift = 10;
    EXPECT_TRUE(RunInput(*effect, {Message(0x90, 60, 100)}).empty());
    effect->shift = 0;
    EXPECT_TRUE(RunInput(*effect, {Message(0x80, 60, 0)}).empty());
    // Without a remembered Note On the Note Off follows the shift in force.
    effect->shift = 2;
    const auto out = RunInput(*effect, {Message(0x80, 50, 0)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].data1, 52);
}

TEST_F(Shiftwell, NoteHeldAcrossDisablingStillEndsOnItsShiftedNote) {
    effect->shift = 4;
    RunInput(*effect, {Message(0x90, 60, 100)});
    effect->enabled = 0;
    const auto out = RunInput(*effect, {Message(0x80, 60, 0), Message(0x90, 70, 1)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].data1, 64);
    EXPECT_EQ(out[1].data1, 70);
}

TEST_F(Shiftwell, LearningSetsALimitAndOutputsNothing) {
    effect->learnMode = kLearnLowKey;
    EXPECT_TRUE(RunInput(*effect, {Message(0xB0, 1, 2), Message(0x90, 64, 100), Message(0x90, 70, 100)}).empty());
    EXPECT_EQ(effect->lowKey, 64);
    EXPECT_EQ(effect->learnMode, kLearnOff);
    EXPECT_EQ(effect->refreshFlag, 1);
    EXPECT_EQ(effect->dirtyFlag, 0);

    effect->learnMode = kLearnHighKey;
    effect->enabled = 0;
    EXPECT_TRUE(RunInput(*effect, {Message(0x85, 20, 0)}).empty());
    EXPECT_EQ(effect->highKey, 20);  // not compared with the low limit
}

TEST_F(Shiftwell, LearningSilencesPlayback) {
    effect->learnMode = kLearnHighKey;
    nuv::testing::EventCall call({NoteEvent(0, 60, 90, 10)});
    EXPECT_EQ(effect->OnEvents(0, 10, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_TRUE(call.Output().empty());
    EXPECT_EQ(call.in->CountCalls(), 0);
}

TEST(ShiftwellKeyName, NamesNotesWithTheirOctave) {
    EXPECT_EQ(KeyName(0), L"C-1");
    EXPECT_EQ(KeyName(60), L"C4");
    EXPECT_EQ(KeyName(70), L"A#4");
    EXPECT_EQ(KeyName(127), L"G9");
    EXPECT_EQ(KeyName(-1), L"B-2");
    EXPECT_EQ(KeyName(-12), L"C-2");
    EXPECT_EQ(KeyName(-13), L"B-3");
}

}  // namespace
}  // namespace nuv::shiftwell
