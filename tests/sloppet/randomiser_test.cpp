// NuvSloppet worked examples: the windows, the candidates around a note, the
// three random steps and both overlap rules with chosen draws, pass-through
// and the history's life.
#include <cstring>

#include "plugins/sloppet/random_windows.h"
#include "tests/sloppet/sloppet_fixture.h"

namespace nuv::sloppet {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;
using nuv::testing::WheelEvent;

bool SameBytes(const HostEvent& a, const HostEvent& b) { return std::memcmp(&a, &b, sizeof(HostEvent)) == 0; }

std::int32_t WindowAfterACall(NuvMfx& effect, std::uint32_t amount) {
    effect.noteOnAmount = amount;
    RunEvents(effect, {});
    return effect.noteOnWindow;
}

TEST_F(SloppetTest, WindowsAreWorkedOutInSinglePrecision) {
    EXPECT_EQ(WindowAfterACall(*effect, 1), 9);
    EXPECT_EQ(WindowAfterACall(*effect, 10), 95);
    EXPECT_EQ(WindowAfterACall(*effect, 40), 383);
    context->time->timebase = 120;
    EXPECT_EQ(WindowAfterACall(*effect, 10), 11);
    context->time->timebase = 96;
    EXPECT_EQ(WindowAfterACall(*effect, 1), 0);
    context->time->timebase = 2147483647;
    EXPECT_EQ(WindowAfterACall(*effect, 0xFFFFFFFFu), 2147483647);  // saturates
    context->time->timebase = -960;
    EXPECT_EQ(WindowAfterACall(*effect, 0xFFFFFFFFu), -2147483647 - 1);
    effect->noteOffAmount = 40;
    context->time->timebase = kTimebase;
    RunEvents(*effect, {});
    EXPECT_EQ(effect->noteOffWindow, 383);
    effect->Disconnect();  // no clock: no timing window
    EXPECT_EQ(WindowAfterACall(*effect, 40), 0);
}

TEST(SloppetWindows, VelocityRangeIsTheSpreadHeldAsAByte) {
    EXPECT_EQ(VelocityRange(0), 0);
    EXPECT_EQ(VelocityRange(1), 2);
    EXPECT_EQ(VelocityRange(40), 100);
    EXPECT_EQ(VelocityRange(512), 0);  // 1280 is a multiple of 256
    EXPECT_EQ(VelocityRange(0xFFFFFFFFu), static_cast<std::uint8_t>(10737418237ull & 0xFF));
}

TEST(SloppetCandidates, EntriesWithAStartOrAnEndInTheWindowAreTakenWithTheirRelation) {
    // The window of a note at 0..100 with both windows 95 runs from -47 to 194,
    // both ends included.
    nuv::testing::EventCall call({NoteEvent(0, 60, 90, 100), NoteEvent(120, 60, 90, 50),
                                  NoteEvent(-200, 64, 90, 180), NoteEvent(400, 62, 90, 10),
                                  NoteEvent(194, 65, 90, 10), NoteEvent(-100, 66, 90, 53),    // the two ends: taken
                                  NoteEvent(195, 67, 90, 10), NoteEvent(-100, 68, 90, 52)});  // just outside
    NoteHistory history;
    history.PassCall(call.in.Get(), call.out.Get());
    std::vector<OverlapCandidate> candidates(5);  // cleared before filling
    CollectCandidates(history.Notes()[0], history, 95, 95, candidates);
    ASSERT_EQ(candidates.size(), 5u);
    EXPECT_EQ(candidates[3].event.number, 65);
    EXPECT_TRUE(candidates[3].startInWindow);
    EXPECT_EQ(candidates[4].event.number, 66);
    EXPECT_TRUE(candidates[4].endInWindow);
    EXPECT_TRUE(candidates[0].identical);
    EXPECT_EQ(candidates[0].relation, Relation::SameStart);
    EXPECT_TRUE(candidates[1].sameKey);
    EXPECT_FALSE(candidates[1].identical);
    EXPECT_EQ(candidates[1].relation, Relation::StartsLater);
    EXPECT_TRUE(candidates[1].startInWindow);
    EXPECT_FALSE(candidates[2].sameKey);
    EXPECT_EQ(candidates[2].relation, Relation::StartsEarlier);
    EXPECT_FALSE(candidates[2].startInWindow);
    EXPECT_TRUE(candidates[2].endInWindow);  // ends at -20
}

TEST_F(SloppetTest, WithTheRandomisersOffNotesPassUnchangedAfterTheOtherEvents) {
    const HostEvent first = NoteEvent(10, 60, 90, 100, 3);
    const HostEvent second = NoteEvent(20, 64, 91, 50);
    const auto out = RunEvents(*effect, {first, ControlEvent(11, 7, 100), second, WheelEvent(12, -300)});
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(+out[0].kind, Control);
    EXPECT_EQ(WheelValue(out[1]), -300);
    EXPECT_TRUE(SameBytes(out[2], first));
    EXPECT_TRUE(SameBytes(out[3], second));
}

TEST_F(SloppetTest, SwitchedOffPassesInOrderAndStillFeedsTheRules) {
    effect->enabled = 0;
    effect->noteOnEnabled = 1;  // a randomiser on changes nothing while switched off
    effect->noteOnAmount = 40;
    const HostEvent played = NoteEvent(0, 60, 90, 80);
    const auto out = RunEvents(*effect, {played, ControlEvent(1, 7, 100)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(SameBytes(out[0], played));
    EXPECT_EQ(effect->History().size(), 1u);
    // Back on without a stop: a different key that ended at 80 pulls a start
    // moved to 120 back to one tick before that end.
    effect->enabled = 1;
    effect->noteOnAmount = 10;
    effect->preserveDifferentNoteOverlap = 1;
    NextOffsets({{kWindow95, 30}});
    const HostEvent moved = RunOne(NoteEvent(90, 62, 90, 100));
    EXPECT_EQ(+moved.time, 79);
    EXPECT_EQ(+moved.duration, 111);
}

TEST_F(SloppetTest, NoteOnMovesTheStartAndKeepsTheEnd) {
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 10;
    NextOffsets({{kWindow95, 17}});
    HostEvent moved = RunOne(NoteEvent(100, 60, 90, 50));
    EXPECT_EQ(+moved.time, 117);
    EXPECT_EQ(+moved.duration, 33);
    // Near the song's start the start stops at 0 and the note grows.
    NextOffsets({{kWindow95, -20}});
    moved = RunOne(NoteEvent(5, 60, 90, 50));
    EXPECT_EQ(+moved.time, 0);
    EXPECT_EQ(+moved.duration, 55);
    // A shift that would leave no length keeps the old one; the start moves.
    for (std::int32_t shift : {20, 30}) {
        NextOffsets({{kWindow95, shift}});
        moved = RunOne(NoteEvent(100, 60, 90, 20));
        EXPECT_EQ(+moved.time, 100 + shift);
        EXPECT_EQ(+moved.duration, 20);
    }
}

TEST_F(SloppetTest, SameKeyNoteOnStartsOneTickAfterTheEarlierNoteEnds) {
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 10;
    effect->preventSameNoteOverlap = 1;
    Record({NoteEvent(0, 60, 90, 80)});
    NextOffsets({{kWindow95, -30}});
    HostEvent moved = RunOne(NoteEvent(90, 60, 90, 100));
    EXPECT_EQ(+moved.time, 81);
    EXPECT_EQ(+moved.duration, 109);
    // A later shift is left alone.
    NextOffsets({{kWindow95, 10}});
    moved = RunOne(NoteEvent(90, 60, 90, 100));
    EXPECT_EQ(+moved.time, 100);

    // An earlier note of the key still sounding: the start leaves it behind
    // instead of sinking deeper into it.
    effect->OnStop(0, nullptr);
    Record({NoteEvent(0, 60, 90, 120)});
    NextOffsets({{kWindow95, -30}});
    moved = RunOne(NoteEvent(90, 60, 90, 100));
    EXPECT_EQ(+moved.time, 121);
    EXPECT_EQ(+moved.duration, 69);
}

TEST_F(SloppetTest, NeighboursStartingTogetherOrIdenticalAreNeverActedOn) {
    effect->noteOnEnabled = 1;
    effect->noteOnAmount = 10;
    effect->preventSameNoteOverlap = 1;
    effect->preserveDifferentNoteOverlap = 1;
    Record({NoteEvent(90, 60, 90, 300), NoteEvent(90, 62, 90, 5), NoteEvent(90, 60, 90, 100)});
    NextOffsets({{kWindow95, -30}});
    HostEvent moved = RunOne(NoteEvent(90, 60, 90, 100));
    EXPECT_EQ(+moved.time, 60);
    EXPECT_EQ(+moved.duration, 130);
    NextOffsets({{kWindow95, 30}});
    moved = RunOne(NoteEvent(90, 60, 90, 100));
    EXPECT_EQ(+moved.time, 120);
    EXPECT_EQ(+moved.duration, 70);
}

TEST_F(SloppetTest, NoteOffChangeIsHalvedUntilItFitsTheNote) {
    effect->noteOffEnabled = 1;
    effect->noteOffAmount = 40;
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {-150, 1},   // -75, -37, -18, -9
        {150, 19},   // 9 left
        {10, 20},    // exactly the length fits and is not halved
    };
    for (const auto& [change, duration] : cases) {
        NextOffsets({{kWindow383, change}});
        EXPECT_EQ(+RunOne(NoteEvent(1000, 60, 90, 10)).duration, duration) << change;
    }
    // Lengths of 1 and 0 are never halved against.
    NextOffsets({{kWindow383, 100}});
    EXPECT_EQ(+RunOne(NoteEvent(1000, 60, 90, 1)).duration, 101);
    NextOffsets({{kWindow383, -5}});
    EXPECT_EQ(+RunOne(NoteEvent(1000, 60, 90, 0)).duration, 0);  // no length: kept
    NextOffsets({{kWindow383, 5}});
    EXPECT_EQ(+RunOne(NoteEvent(1000, 60, 90, 0)).duration, 5);
}

TEST_F(SloppetTest, SameKeyLaterNoteStopsTheEndOneTickBeforeIt) {
    effect->noteOffEnabled = 1;
    effect->noteOffAmount = 10;
    effect->preventSameNoteOverlap = 1;
    Record({NoteEvent(120, 60, 90, 50), NoteEvent(110, 62, 90, 50)});
    NextOffsets({{kWindow95, 40}});
    EXPECT_EQ(+RunOne(NoteEvent(0, 60, 90, 100)).duration, 119);
    NextOffsets({{kWindow95, 10}});
    EXPECT_EQ(+RunOne(NoteEvent(0, 60, 90, 100)).duration, 110);
}

TEST_F(SloppetTest, DifferentKeyLaterNoteKeepsTheEndOneTickPastItsStart) {
    effect->noteOffEnabled = 1;
    effect->noteOffAmount = 10;
    effect->preserveDifferentNoteOverlap = 1;
    Record({NoteEvent(110, 62, 90, 50)});
    NextOffsets({{kWindow95, -20}});
    EXPECT_EQ(+RunOne(NoteEvent(0, 60, 90, 100)).duration, 111);
    NextOffsets({{kWindow95, -30}});
    EXPECT_EQ(+RunOne(NoteEvent(0, 60, 90, 130)).duration, 111);
    NextOffsets({{kWindow95, 20}});
    EXPECT_EQ(+RunOne(NoteEvent(0, 60, 90, 100)).duration, 120);
}

TEST_F(SloppetTest, NoteOffSeesTheStartAsNoteOnLeftIt) {
    effect->noteOnEnabled = 1;
    effect->noteOffEnabled = 1;
    effect->noteOnAmount = 10;
    effect->noteOffAmount = 10;
    effect->preventSameNoteOverlap = 1;
    Record({NoteEvent(130, 60, 90, 50)});
    NextOffsets({{kWindow95, 20}, {kWindow95, 40}});
    const HostEvent moved = RunOne(NoteEvent(0, 60, 90, 100));
    EXPECT_EQ(+moved.time, 20);
    EXPECT_EQ(+moved.duration, 109);  // ends at 129, one tick before the later note
}

TEST_F(SloppetTest, VelocityIsSpreadAndLimitedTo10And127) {
    effect->velocityEnabled = 1;
    effect->velocityAmount = 40;
    const std::vector<std::tuple<std::uint8_t, std::int32_t, int>> cases = {
        {12, -30, 10}, {120, 20, 127}, {64, -50, 14}, {64, 49, 113}, {5, 0, 10}};
    for (const auto& [velocity, delta, expected] : cases) {
        NextOffsets({{kVelocityRange100, delta}});
        HostEvent note = NoteEvent(0, 60, velocity, 100);
        note.release = 33;
        const HostEvent out = RunOne(note);
        EXPECT_EQ(out.value, expected) << int(velocity) << " " << delta;
        EXPECT_EQ(out.release, 33);
    }
}

TEST_F(SloppetTest, EmptyWindowsAndRangesChangeNothingAndDrawNothing) {
    effect->noteOnEnabled = 1;
    effect->noteOffEnabled = 1;
    effect->velocityEnabled = 1;
    effect->preventSameNoteOverlap = 1;
    effect->preserveDifferentNoteOverlap = 1;
    // At amount 1, timebase 96 gives windows of 0 ticks and -960 of -9.
    for (std::int32_t timebase : {96, -960}) {
        context->time->timebase = timebase;
        for (std::uint32_t amount : {0u, 1024u}) {  // ranges of 0 and of 2560 held as a byte
            effect->velocityAmount = amount;
            effect->Random().Seed(77);
            const HostEvent note = NoteEvent(100, 60, 90, 50);
            EXPECT_TRUE(SameBytes(RunOne(note), note)) << timebase;
            EXPECT_EQ(effect->Random().Next(), RandomSource(77).Next()) << timebase;
        }
    }
}

TEST_F(SloppetTest, UnreadableEventsAreNeitherOutputNorRecorded) {
    nuv::testing::EventCall call({NoteEvent(0, 60, 90, 100), ControlEvent(1, 7, 1), NoteEvent(5, 62, 90, 100)});
    call.in->FailGetAt(2);
    call.in->OverstateCount(3);
    EXPECT_EQ(effect->OnEvents(0, 0, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_EQ(call.Output().size(), 2u);
    EXPECT_EQ(effect->History().size(), 1u);
    call.in->FailGetCount();
    EXPECT_EQ(effect->OnEvents(0, 0, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_EQ(call.Output().size(), 2u);
}

TEST_F(SloppetTest, TransportAndDisconnectEmptyTheHistory) {
    for (int step = 0; step < 4; ++step) {
        RunEvents(*effect, {NoteEvent(0, 60, 90, 100)});
        ASSERT_EQ(effect->History().size(), 1u);
        nuv::testing::EventCall call;
        if (step == 0) { EXPECT_EQ(effect->OnStart(0, call.out.Get()), S_OK); }
        if (step == 1) { EXPECT_EQ(effect->OnLoop(0, 100, call.out.Get()), S_OK); }
        if (step == 2) { EXPECT_EQ(effect->OnStop(0, call.out.Get()), S_OK); }
        if (step == 3) { EXPECT_EQ(effect->Disconnect(), S_OK); }
        EXPECT_TRUE(effect->History().empty()) << "step " << step;
        EXPECT_TRUE(call.Output().empty());
    }
}

TEST_F(SloppetTest, LiveInputPassesUnchanged) {
    effect->velocityEnabled = 1;
    const auto out = nuv::testing::RunInput(
        *effect, {nuv::testing::Message(0x90, 60, 100), nuv::testing::Message(0xE0, 0, 64)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].data2, 100);
    EXPECT_EQ(out[1].status, 0xE0);
}

}  // namespace
}  // namespace nuv::sloppet
