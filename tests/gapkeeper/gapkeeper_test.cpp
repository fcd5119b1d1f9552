// NuvGapkeeper: the overlap corrections on worked examples, the history's
// life, pass-through, and the 21-byte stream.
#include <gtest/gtest.h>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::gapkeeper {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::Message;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;
using nuv::testing::StreamImage;

struct Placed {
    std::int32_t time;
    std::int32_t duration;
    bool operator==(const Placed& o) const { return time == o.time && duration == o.duration; }
};
std::ostream& operator<<(std::ostream& os, const Placed& p) { return os << "{" << p.time << ", " << p.duration << "}"; }

std::vector<Placed> Placement(const std::vector<HostEvent>& events) {
    std::vector<Placed> out;
    for (const HostEvent& e : events)
        if (e.kind == Note) out.push_back({e.time, e.duration});
    return out;
}

class Gapkeeper : public ::testing::Test {
protected:
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    std::vector<Placed> Run(std::vector<HostEvent> in) { return Placement(RunEvents(*effect, std::move(in))); }
};

TEST_F(Gapkeeper, NoteRunningIntoTheNextEndsAMarginBeforeIt) {
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 200), NoteEvent(180, 62, 90, 100)}),
              (std::vector<Placed>{{0, 170}, {180, 100}}));
}

// A line of sixteenths at 480 ticks per beat, one every 60 ticks, each
// `length` ticks long, alternating two keys.
std::vector<HostEvent> SixteenthLine(std::int32_t length, int count = 16) {
    std::vector<HostEvent> line;
    for (int i = 0; i < count; ++i)
        line.push_back(NoteEvent(60 * i, static_cast<std::uint8_t>(60 + i % 2), 90, length));
    return line;
}

TEST_F(Gapkeeper, StaccatoLineWithoutOverlapsPassesUnchanged) {
    // Each next note ends within the range after this one begins, but begins
    // only after this one has ended: nothing overlaps, so nothing moves.
    const auto line = SixteenthLine(40);
    EXPECT_EQ(Run(line), Placement(line));
}

TEST_F(Gapkeeper, LegatoLineIsCutAMarginBeforeEachNextNote) {
    const auto out = Run(SixteenthLine(70));
    ASSERT_EQ(out.size(), 16u);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) EXPECT_EQ(out[i], (Placed{60 * std::int32_t(i), 50})) << i;
    EXPECT_EQ(out.back(), (Placed{900, 70}));
}

TEST_F(Gapkeeper, NoteInsideALongerOneIsAnOverlapBeyondTheRange) {
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 200), NoteEvent(60, 62, 90, 100)}),
              (std::vector<Placed>{{0, 200}, {60, 100}}));
}

TEST_F(Gapkeeper, SameNoteOnlyLeavesOtherKeysAlone) {
    effect->sameNoteOnly = 1;
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 200), NoteEvent(180, 62, 90, 100)}),
              (std::vector<Placed>{{0, 200}, {180, 100}}));
    EXPECT_EQ(Run({NoteEvent(1000, 60, 90, 200), NoteEvent(1180, 60, 90, 100)}),
              (std::vector<Placed>{{1000, 170}, {1180, 100}}));
}

TEST_F(Gapkeeper, StartMovesAfterAnUncorrectedNoteAndKeepsItsEnd) {
    effect->enabled = 0;
    Run({NoteEvent(0, 60, 90, 130)});  // recorded uncorrected while switched off
    effect->enabled = 1;
    EXPECT_EQ(Run({NoteEvent(100, 62, 90, 100)}), (std::vector<Placed>{{140, 60}}));
}

// The head range includes its last tick: an earlier note ending exactly at
// start + range still moves the start, in the engine and in the plain scan.
TEST_F(Gapkeeper, AnEarlierNoteEndingExactlyAtTheRangeMovesTheStart) {
    const HostEvent earlier = NoteEvent(0, 62, 90, 220);  // ends at 100 + 120
    effect->enabled = 0;
    Run({earlier});
    effect->enabled = 1;
    EXPECT_EQ(Run({NoteEvent(100, 60, 90, 300)}), (std::vector<Placed>{{230, 170}}));
    HostEvent scanned = NoteEvent(100, 60, 90, 300);
    CorrectOverlap(scanned, std::vector<HostEvent>{earlier}, OverlapSettings{false, 120, 10});
    EXPECT_EQ((Placed{scanned.time, scanned.duration}), (Placed{230, 170}));
}

TEST_F(Gapkeeper, TwoNotesStartingTogether) {
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 100), NoteEvent(0, 62, 90, 40)}),
              (std::vector<Placed>{{50, 100}, {0, 40}}));
}

TEST_F(Gapkeeper, StartNeverGoesBelowZero) {
    effect->noteMargin = -50;  // a stored margin is used as it stands
    effect->enabled = 0;
    Run({NoteEvent(0, 60, 90, 20)});
    effect->enabled = 1;
    const auto out = Run({NoteEvent(10, 62, 90, 100)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(+out[0].time, 0);
    EXPECT_EQ(+out[0].duration, 110);  // the start change counts as -10: the end stays at 110
}

TEST_F(Gapkeeper, ExactDuplicateIsNeverComparedWithItsTwin) {
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 100), NoteEvent(0, 60, 90, 100)}),
              (std::vector<Placed>{{0, 100}, {0, 100}}));
    // Same key and start but another length is no twin: compared as any note.
    effect->OnStop(0, nullptr);
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 100), NoteEvent(0, 60, 90, 40)}),
              (std::vector<Placed>{{50, 100}, {0, 40}}));
}

TEST_F(Gapkeeper, NotesOfEarlierCallsAreNotRevisited) {
    // The first note left before the second was known, so it keeps its end,
    // and the second instead starts a margin after that end.
    Run({NoteEvent(0, 60, 90, 200)});
    EXPECT_EQ(effect->History().size(), 1u);
    EXPECT_EQ(Run({NoteEvent(180, 62, 90, 100)}), (std::vector<Placed>{{210, 70}}));
    EXPECT_EQ(+effect->History()[0].duration, 200);
    EXPECT_EQ(+effect->History()[1].time, 210);  // the history holds the corrected note
}

TEST_F(Gapkeeper, NonNotesComeFirstInInputOrderAndPassUnchanged) {
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 90, 200), ControlEvent(5, 1, 2),
                                         NoteEvent(180, 62, 90, 100), ControlEvent(6, 3, 4)});
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(+out[0].kind, Control);
    EXPECT_EQ(out[0].number, 1);
    EXPECT_EQ(+out[1].kind, Control);
    EXPECT_EQ(out[1].number, 3);
    EXPECT_EQ(+out[2].kind, Note);
    EXPECT_EQ(+out[3].kind, Note);
}

TEST_F(Gapkeeper, DisabledPassesInOrderButStillRecords) {
    effect->enabled = 0;
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 90, 200), ControlEvent(5, 1, 2), NoteEvent(180, 62, 90, 100)});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(+out[1].kind, Control);
    EXPECT_EQ(+out[0].duration, 200);
    EXPECT_EQ(effect->History().size(), 2u);
}

TEST_F(Gapkeeper, TransportAndDisconnectEmptyTheHistory) {
    ComRef<host::HostContext> context(new host::HostContext);
    ASSERT_EQ(effect->Connect(context.Get()), S_OK);
    for (int step = 0; step < 4; ++step) {
        Run({NoteEvent(0, 60, 90, 200)});
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

TEST_F(Gapkeeper, UnreadableEventsAreNeitherOutputNorRecorded) {
    nuv::testing::EventCall call({NoteEvent(0, 60, 90, 200), NoteEvent(180, 62, 90, 100)});
    call.in->FailGetAt(1);
    call.in->OverstateCount(2);
    EXPECT_EQ(effect->OnEvents(0, 0, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_EQ(Placement(call.Output()), (std::vector<Placed>{{0, 200}}));
    EXPECT_EQ(effect->History().size(), 1u);
    // A count that cannot be had ends the call with nothing read.
    call.in->FailGetCount();
    EXPECT_EQ(effect->OnEvents(0, 0, call.in.Get(), call.out.Get()), S_OK);
    EXPECT_EQ(call.Output().size(), 1u);
    EXPECT_EQ(effect->History().size(), 1u);
}

TEST_F(Gapkeeper, LiveInputPassesUnchanged) {
    const auto out = nuv::testing::RunInput(*effect, {Message(0x90, 60, 100), Message(0xB0, 7, 1)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].data1, 60);
    EXPECT_EQ(out[1].status, 0xB0);
}

TEST_F(Gapkeeper, ExtremeStoredSettingsNeverOverflow) {
    const std::int32_t big = 2147483647;
    const std::int32_t small = -2147483647 - 1;
    for (std::int32_t range : {big, small, 0})
        for (std::int32_t margin : {big, small, 0}) {
            effect->detectionRange = range;
            effect->noteMargin = margin;
            const auto out = Run({NoteEvent(big - 10, 60, 90, big), NoteEvent(0, 62, 90, big), NoteEvent(5, 64, 90, 1)});
            ASSERT_EQ(out.size(), 3u);
            for (const Placed& p : out) EXPECT_GE(+p.time, 0);
        }
}

TEST_F(Gapkeeper, RangeLimitsAreComparedUnsigned) {
    // Before the song's start the end and the limits wrap to large unsigned
    // values, so a note at -100 is neither cut nor moved by one at -60.
    effect->enabled = 0;
    Run({NoteEvent(-60, 62, 90, 50)});
    effect->enabled = 1;
    EXPECT_EQ(Run({NoteEvent(-100, 60, 90, 50)}), (std::vector<Placed>{{-100, 50}}));

    // A stored range of -1 wraps to the largest limit: any overlapping note
    // ending after the start moves it, even one ending far later, but a note
    // that begins after this one's end still does not.
    effect->OnStop(0, nullptr);
    effect->detectionRange = -1;
    effect->enabled = 0;
    Run({NoteEvent(50, 62, 90, 1000), NoteEvent(500, 64, 90, 100)});
    effect->enabled = 1;
    EXPECT_EQ(Run({NoteEvent(0, 60, 90, 100)}), (std::vector<Placed>{{1060, 100}}));
}

TEST_F(Gapkeeper, FreshSaveIs21Bytes) {
    const auto bytes = nuv::testing::SavedBytes(*effect);
    EXPECT_EQ(bytes, StreamImage().U32(2).Byte(0).I32(120).I32(10).I32(-1).I32(-1).Bytes());
}

TEST_F(Gapkeeper, LoadVersions) {
    effect->dirtyFlag = 1;
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(0)), S_OK);
    EXPECT_EQ(effect->detectionRange, 120);
    EXPECT_EQ(effect->dirtyFlag, 0);
    EXPECT_EQ(effect->refreshFlag, 1);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(1).Byte(1).I32(300).I32(20)), S_OK);
    EXPECT_EQ(effect->sameNoteOnly, 1);
    EXPECT_EQ(effect->detectionRange, 300);
    EXPECT_EQ(effect->noteMargin, 20);
    EXPECT_EQ(effect->pageWidth, -1);

    ASSERT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(7).Byte(0).I32(5).I32(6).I32(400).I32(150)), S_OK);
    EXPECT_EQ(effect->pageWidth, 400);
    EXPECT_EQ(effect->pageHeight, 150);
    EXPECT_EQ(nuv::testing::SavedBytes(*effect),
              StreamImage().U32(2).Byte(0).I32(5).I32(6).I32(400).I32(150).Bytes());
}

TEST_F(Gapkeeper, TruncatedStreamKeepsWhatWasReadAndTheFlags) {
    effect->dirtyFlag = 1;
    EXPECT_EQ(nuv::testing::LoadBytes(*effect, StreamImage().U32(2).Byte(1).I32(99)), E_FAIL);
    EXPECT_EQ(effect->sameNoteOnly, 1);
    EXPECT_EQ(effect->detectionRange, 99);
    EXPECT_EQ(effect->noteMargin, 10);
    EXPECT_EQ(effect->dirtyFlag, 1);
    EXPECT_EQ(effect->refreshFlag, 0);
}

TEST_F(Gapkeeper, PageSizeIsOneEightByteReadAndWrite) {
    ComRef<host::MemoryStream> stream(
        new host::MemoryStream(StreamImage().U32(2).Byte(0).I32(120).I32(10).I32(300).I32(200)));
    stream->shortRead.FailCall(5);  // version, switch, range, margin, then the page size
    EXPECT_EQ(effect->Load(stream.Get()), E_FAIL);
    EXPECT_EQ(effect->pageWidth, -1);
    EXPECT_EQ(effect->pageHeight, -1);

    ComRef<host::MemoryStream> target(new host::MemoryStream);
    target->writeFailure.FailCall(5);
    effect->dirtyFlag = 1;
    EXPECT_EQ(effect->Save(target.Get(), 1), E_FAIL);
    EXPECT_EQ(target->Bytes().size(), 13u);
    EXPECT_EQ(effect->dirtyFlag, 1);
}

}  // namespace
}  // namespace nuv::gapkeeper
