// NuvSloppet: the derived windows, the three random steps and their overlap
// rules on chosen draws, properties that hold for any seed, the history's
// life, and the stream with its older 36-byte layout.
#include <gtest/gtest.h>

#include <cstdlib>

#include "plugins/sloppet/random_windows.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::sloppet {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::NoteEvent;
using nuv::testing::StreamImage;

// A seed whose first draw spread over `window` gives `offset`.
std::uint32_t SeedGiving(std::int32_t window, std::int32_t offset) {
    for (std::uint32_t seed = 1; seed < 2000000; ++seed) {
        RandomSource probe(seed);
        if (CentredOffset(probe.Next(), window) == offset) return seed;
    }
    ADD_FAILURE() << "no seed gives " << offset << " in a window of " << window;
    return 1;
}

TEST(SloppetWindows, TimingWindowsAreSinglePrecision) {
    EXPECT_EQ(TimingWindow(960, 1), 9);
    EXPECT_EQ(TimingWindow(960, 10), 95);
    EXPECT_EQ(TimingWindow(960, 40), 383);
    EXPECT_EQ(TimingWindow(120, 10), 11);
    EXPECT_EQ(TimingWindow(96, 1), 0);
    EXPECT_EQ(TimingWindow(960, 0xFFFFFFFFu), 2147483647);
    EXPECT_EQ(TimingWindow(-960, 0xFFFFFFFFu), -2147483647 - 1);
}

TEST(SloppetWindows, VelocityRangeIsAByte) {
    EXPECT_EQ(VelocityRange(1), 2);
    EXPECT_EQ(VelocityRange(40), 100);
    EXPECT_EQ(VelocityRange(0), 0);
    EXPECT_EQ(VelocityRange(512), 0);  // 1280 is a multiple of 256
    EXPECT_EQ(VelocityRange(0xFFFFFFFFu), static_cast<std::uint8_t>(10737418237ull & 0xFF));
}

TEST(SloppetSteps, StartBeforeZeroStartsAtZeroAndKeepsTheEnd) {
    RandomSource random(SeedGiving(95, -20));
    HostEvent note = NoteEvent(5, 60, 90, 100);
    RandomiseStart(note, 95, {false, false}, {}, random);
    EXPECT_EQ(+note.time, 0);
    EXPECT_EQ(+note.duration, 105);
}

TEST(SloppetSteps, StartShiftLeavingNoLengthKeepsTheDuration) {
    RandomSource random(SeedGiving(95, 30));
    HostEvent note = NoteEvent(100, 60, 90, 30);
    RandomiseStart(note, 95, {false, false}, {}, random);
    EXPECT_EQ(+note.time, 130);
    EXPECT_EQ(+note.duration, 30);
    RandomSource further(SeedGiving(95, 40));
    HostEvent shortNote = NoteEvent(100, 60, 90, 30);
    RandomiseStart(shortNote, 95, {false, false}, {}, further);
    EXPECT_EQ(+shortNote.time, 140);
    EXPECT_EQ(+shortNote.duration, 30);  // -10 would be no note at all
}

TEST(SloppetSteps, EndChangeLargerThanTheNoteIsHalved) {
    RandomSource random(SeedGiving(383, -150));
    HostEvent note = NoteEvent(1000, 60, 90, 40);
    RandomiseEnd(note, 383, {false, false}, {}, random);
    EXPECT_EQ(+note.duration, 40 - 37);  // -150, -75, -37
    RandomSource other(SeedGiving(383, 150));
    HostEvent single = NoteEvent(1000, 60, 90, 1);
    RandomiseEnd(single, 383, {false, false}, {}, other);
    EXPECT_EQ(+single.duration, 151);  // a length of 1 is never halved against
}

TEST(SloppetSteps, SameKeyNoteLaterStopsAPositiveEndChange) {
    const std::vector<HostEvent> history = {NoteEvent(0, 60, 90, 100), NoteEvent(120, 60, 90, 50)};
    std::vector<OverlapCandidate> candidates;
    CollectCandidates(history[0], history, 95, 95, candidates);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_TRUE(candidates[0].identical);
    EXPECT_EQ(candidates[1].relation, Relation::StartsLater);
    RandomSource random(SeedGiving(95, 40));
    HostEvent note = history[0];
    RandomiseEnd(note, 95, {true, false}, candidates, random);
    EXPECT_EQ(+note.duration, 119);  // ends one tick before 120
}

TEST(SloppetSteps, DifferentKeyNoteEarlierKeepsTheStartBeforeItsEnd) {
    const std::vector<HostEvent> history = {NoteEvent(0, 50, 90, 110), NoteEvent(100, 60, 90, 100)};
    std::vector<OverlapCandidate> candidates;
    CollectCandidates(history[1], history, 95, 95, candidates);
    RandomSource random(SeedGiving(95, 30));
    HostEvent note = history[1];
    RandomiseStart(note, 95, {false, true}, candidates, random);
    EXPECT_EQ(+note.time, 109);  // one tick before the other note ends at 110
    EXPECT_EQ(+note.duration, 91);
}

TEST(SloppetSteps, SameKeyNoteEarlierStopsANegativeStartChange) {
    const std::vector<HostEvent> history = {NoteEvent(0, 60, 90, 90), NoteEvent(100, 60, 90, 100)};
    std::vector<OverlapCandidate> candidates;
    CollectCandidates(history[1], history, 95, 95, candidates);
    RandomSource random(SeedGiving(95, -40));
    HostEvent note = history[1];
    RandomiseStart(note, 95, {true, false}, candidates, random);
    EXPECT_EQ(+note.time, 91);  // one tick after the earlier note's end at 90
    EXPECT_EQ(+note.duration, 109);
}

TEST(SloppetSteps, VelocityIsKeptWithinTenAnd127) {
    RandomSource low(SeedGiving(100, -30));
    HostEvent quiet = NoteEvent(0, 60, 12, 10);
    quiet.release = 33;
    RandomiseVelocity(quiet, 100, low);
    EXPECT_EQ(quiet.value, 10);
    EXPECT_EQ(quiet.release, 33);
    RandomSource high(SeedGiving(100, 20));
    HostEvent loud = NoteEvent(0, 60, 120, 10);
    RandomiseVelocity(loud, 100, high);
    EXPECT_EQ(loud.value, 127);
}

TEST(SloppetSteps, EmptyWindowsDrawNothingAndChangeNothing) {
    RandomSource random(7);
    const RandomSource before = random;
    HostEvent note = NoteEvent(50, 60, 90, 100);
    RandomiseStart(note, 0, {true, true}, {}, random);
    RandomiseEnd(note, -5, {true, true}, {}, random);
    RandomiseVelocity(note, 0, random);
    EXPECT_EQ(+note.time, 50);
    EXPECT_EQ(+note.duration, 100);
    EXPECT_EQ(note.value, 90);
    RandomSource copy = before;
    EXPECT_EQ(random.Next(), copy.Next());
}

class Sloppet : public ::testing::Test {
protected:
    void SetUp() override {
        context->time->timebase = 960;
        ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    }
    void TearDown() override { effect->Disconnect(); }
    host::ComPtr<host::HostContext> context{new host::HostContext};
    host::ComPtr<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
};

TEST_F(Sloppet, WithEveryStepOffNotesLeaveUnchangedAfterOtherEvents) {
    const auto out = nuv::testing::RunEvents(
        *effect, {NoteEvent(0, 60, 90, 100), ControlEvent(1, 7, 7), NoteEvent(10, 62, 91, 50)});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(+out[0].kind, Control);
    EXPECT_EQ(+out[1].time, 0);
    EXPECT_EQ(+out[2].duration, 50);
    EXPECT_EQ(out[2].value, 91);
}

TEST_F(Sloppet, DisabledPassesInOrderAndStillFillsTheHistory) {
    effect->enabled = 0;
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 40;
    const auto out = nuv::testing::RunEvents(*effect, {NoteEvent(0, 60, 90, 100), ControlEvent(1, 7, 7)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(+out[0].kind, Note);
    EXPECT_EQ(+out[0].time, 0);
    EXPECT_EQ(effect->History().size(), 1u);
}

TEST_F(Sloppet, TransportAndDisconnectEmptyTheHistory) {
    nuv::testing::RunEvents(*effect, {NoteEvent(0, 60, 90, 100)});
    nuv::testing::EventCall call;
    effect->OnLoop(0, 10, call.out.Get());
    EXPECT_TRUE(effect->History().empty());
    nuv::testing::RunEvents(*effect, {NoteEvent(0, 60, 90, 100)});
    effect->OnStop(0, call.out.Get());
    EXPECT_TRUE(effect->History().empty());
    nuv::testing::RunEvents(*effect, {NoteEvent(0, 60, 90, 100)});
    effect->Disconnect();
    EXPECT_TRUE(effect->History().empty());
}

TEST_F(Sloppet, PropertiesHoldForAnySeed) {
    effect->noteOnEnabled = 1;
    effect->noteOffEnabled = 1;
    effect->velocityEnabled = 1;
    effect->preventSameNoteOverlap = 1;
    effect->preserveDifferentNoteOverlap = 1;
    effect->noteOnAmount = 40;
    effect->noteOffAmount = 40;
    effect->velocityAmount = 40;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        effect->Random().Seed(seed);
        nuv::testing::EventCall call;
        effect->OnStart(0, call.out.Get());
        std::vector<HostEvent> song;
        for (int i = 0; i < 64; ++i) {
            song.push_back(NoteEvent(i * 120, static_cast<std::uint8_t>(60 + i % 5), static_cast<std::uint8_t>(1 + i * 2),
                                     1 + (i * 37) % 300));
            if (i % 8 == 0) song.push_back(ControlEvent(i * 120, 1, static_cast<std::uint8_t>(i)));
        }
        const auto out = nuv::testing::RunEvents(*effect, song);
        ASSERT_EQ(out.size(), song.size());
        std::size_t notes = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i].kind != Note) {
                ASSERT_EQ(notes, 0u) << "a controller came after a note";
                continue;
            }
            const HostEvent& in = effect->History()[notes++];
            EXPECT_GE(+out[i].time, 0);
            EXPECT_GE(+out[i].duration, 1);
            EXPECT_GE(out[i].value, 10);
            EXPECT_LE(out[i].value, 127);
            EXPECT_LE(std::abs(out[i].value - std::max<int>(in.value, 10)), 50);
            EXPECT_EQ(out[i].number, in.number);
        }
    }
}

TEST_F(Sloppet, StartStepAloneKeepsEveryEnd) {
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 40;
    effect->preventSameNoteOverlap = 1;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        effect->Random().Seed(seed);
        nuv::testing::EventCall call;
        effect->OnStart(0, call.out.Get());
        std::vector<HostEvent> song;
        for (int i = 0; i < 32; ++i) song.push_back(NoteEvent(500 + i * 100, static_cast<std::uint8_t>(60 + i % 2), 90, 250));
        const auto out = nuv::testing::RunEvents(*effect, song);
        ASSERT_EQ(out.size(), song.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(+out[i].time + +out[i].duration, +song[i].time + +song[i].duration) << "seed " << seed;
    }
}

TEST_F(Sloppet, FreshSaveIs29Bytes) {
    EXPECT_EQ(nuv::testing::SavedBytes(*effect),
              StreamImage().U32(3).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).U32(1).U32(1).U32(1).I32(-1).I32(-1).Bytes());
}

TEST_F(Sloppet, LoadsTheCurrentAndTheOlderLayout) {
    ASSERT_EQ(nuv::testing::LoadBytes(
                  *effect, StreamImage().U32(2).I32(1).I32(0).I32(-3).I32(0).I32(7).U32(5).U32(6).U32(7)),
              S_OK);
    EXPECT_EQ(effect->noteOnEnabled, 1);
    EXPECT_EQ(effect->noteOffEnabled, 0);
    EXPECT_EQ(effect->velocityEnabled, 1);
    EXPECT_EQ(effect->preserveDifferentNoteOverlap, 1);
    EXPECT_EQ(effect->velocityAmount, 7u);
    EXPECT_EQ(effect->pageWidth, -1);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(1)), S_OK);
    EXPECT_EQ(effect->noteOnAmount, 5u);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage()
                                                   .U32(12)
                                                   .Byte(0).Byte(1).Byte(0).Byte(1).Byte(0)
                                                   .U32(40).U32(41).U32(42).I32(500).I32(140)),
              S_OK);
    EXPECT_EQ(effect->noteOffEnabled, 1);
    EXPECT_EQ(effect->noteOnAmount, 40u);
    EXPECT_EQ(effect->pageHeight, 140);
    EXPECT_EQ(nuv::testing::SavedBytes(*effect).size(), 29u);
}

TEST_F(Sloppet, OlderLayoutTakesSwitchesOnlyWhenAllArrived) {
    EXPECT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(2).I32(1).I32(1).I32(1).I32(1)), E_FAIL);
    EXPECT_EQ(effect->noteOnEnabled, 0);
    EXPECT_EQ(effect->preventSameNoteOverlap, 0);
    EXPECT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(2).I32(1).I32(1).I32(1).I32(1).I32(1).U32(9)),
              E_FAIL);
    EXPECT_EQ(effect->noteOnEnabled, 1);
    EXPECT_EQ(effect->noteOnAmount, 9u);
    EXPECT_EQ(effect->noteOffAmount, 1u);
    EXPECT_EQ(effect->refreshFlag, 0);
}

}  // namespace
}  // namespace nuv::sloppet
