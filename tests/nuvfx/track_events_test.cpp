// Splitting a track into the host's song events and merging the filter's
// output back: note pairing, the kinds and their values, the events kept
// out of the filter, and the order and ranges of what is written.
#include <gtest/gtest.h>

#include "tests/nuvfx/song_files.h"
#include "tests/support/event_builders.h"
#include "tools/nuvfx/track_events.h"

namespace nuv::smf {
// Events print as their bytes in failure messages.
inline void PrintTo(const Event& e, std::ostream* os) {
    *os << "{tick " << e.tick << " status " << +e.status << " " << +e.data1 << " " << +e.data2 << "}";
}
}  // namespace nuv::smf

namespace nuv::nuvfx {
namespace {

using nuv::testing::NoteEvent;

smf::Event Msg(std::uint32_t tick, std::uint8_t status, std::uint8_t d1, std::uint8_t d2 = 0) {
    return smf::ChannelMessage(tick, status, d1, d2);
}

smf::Event Text(std::uint32_t tick) {
    smf::Event e;
    e.tick = tick;
    e.status = smf::kMetaStatus;
    e.data1 = 0x01;
    e.bytes = {'a'};
    return e;
}

TEST(TrackSplit, PairsEachNoteOnWithTheEarliestOpenNoteOfItsKey) {
    smf::Track t;
    t.events = {Msg(0, 0x90, 60, 100), Msg(50, 0x90, 60, 80), Msg(100, 0x80, 60, 33),
                Msg(120, 0x91, 60, 70),  // another channel
                Msg(150, 0x90, 60, 0), Msg(160, 0x81, 60, 0)};
    t.endTick = 200;
    const SplitTrack s = Split(t);
    ASSERT_EQ(s.filterable.size(), 3u);
    EXPECT_EQ(+s.filterable[0].duration, 100);
    EXPECT_EQ(+s.filterable[0].release, 33);
    EXPECT_EQ(+s.filterable[1].duration, 100);  // ended by a Note On of velocity 0
    EXPECT_EQ(+s.filterable[1].release, 0);
    EXPECT_EQ(+s.filterable[2].channel, 1);
    EXPECT_EQ(+s.filterable[2].duration, 40);
    EXPECT_EQ(s.lastNoteEnd, 160u);
}

TEST(TrackSplit, UnendedNotesEndWithTheTrackAndStrayEndsAreKept) {
    smf::Track t;
    t.events = {Msg(10, 0x80, 64, 0), Msg(20, 0x90, 62, 90)};
    t.endTick = 500;
    const SplitTrack s = Split(t);
    ASSERT_EQ(s.filterable.size(), 1u);
    EXPECT_EQ(+s.filterable[0].duration, 480);
    EXPECT_EQ(s.unendedNotes, 1);
    EXPECT_EQ(s.unmatchedNoteOffs, 1);
    ASSERT_EQ(s.kept.size(), 1u);
    EXPECT_EQ(s.kept[0], Msg(10, 0x80, 64, 0));
}

TEST(TrackSplit, ChannelMessagesBecomeTheirKindsAndTheRestIsKept) {
    smf::Track t;
    t.events = {Msg(0, 0xC2, 5), Text(0), Msg(1, 0xB2, 7, 99), Msg(2, 0xA2, 60, 40), Msg(3, 0xD2, 77),
                Msg(4, 0xE2, 0, 0), Msg(5, 0xE2, 0x7F, 0x7F), Msg(6, 0xE2, 0, 0x40)};
    const SplitTrack s = Split(t);
    ASSERT_EQ(s.kept.size(), 2u);  // the program change and the text
    ASSERT_EQ(s.filterable.size(), 6u);
    EXPECT_EQ(+s.filterable[0].kind, Control);
    EXPECT_EQ(+s.filterable[0].number, 7);
    EXPECT_EQ(+s.filterable[0].value, 99);
    EXPECT_EQ(+s.filterable[1].kind, KeyAft);
    EXPECT_EQ(+s.filterable[2].kind, ChanAft);
    EXPECT_EQ(+s.filterable[2].value, 77);
    EXPECT_EQ(WheelValue(s.filterable[3]), -8192);
    EXPECT_EQ(WheelValue(s.filterable[4]), 8191);
    EXPECT_EQ(WheelValue(s.filterable[5]), 0);
    EXPECT_EQ(+s.filterable[5].channel, 2);
}

TEST(TrackMerge, SplitThenMergeGivesTheTrackBack) {
    smf::Track t;
    t.events = {Msg(0, 0xC0, 1),       Msg(0, 0x90, 60, 100), Msg(0, 0x90, 64, 90),  Text(10),
                Msg(10, 0xB0, 1, 20),  Msg(20, 0xE0, 3, 0x41), Msg(30, 0xD0, 9),     Msg(96, 0x80, 60, 64),
                Msg(96, 0x80, 64, 0),  Msg(96, 0x90, 60, 70), Msg(192, 0x80, 60, 1)};
    t.endTick = 200;
    const SplitTrack s = Split(t);
    MergeCounts counts;
    const smf::Track merged = Merge(s.filterable, s.kept, s.endTick, counts);
    EXPECT_EQ(merged.events, t.events);
    EXPECT_EQ(merged.endTick, t.endTick);
    EXPECT_EQ(counts.clampedTimes + counts.clampedValues + counts.unwritable, 0);
}

TEST(TrackMerge, OrdersEachTickSoThatNotesPairAgain) {
    // A legato repeat of one key and a note of no length, out of order.
    const std::vector<HostEvent> out = {NoteEvent(100, 60, 90, 0), NoteEvent(0, 60, 90, 100),
                                        NoteEvent(100, 60, 80, 50)};
    MergeCounts counts;
    const smf::Track t = Merge(out, {Text(100)}, 0, counts);
    const std::vector<smf::Event> expected = {Msg(0, 0x90, 60, 90),  Msg(100, 0x80, 60, 0), Text(100),
                                              Msg(100, 0x90, 60, 90), Msg(100, 0x90, 60, 80), Msg(100, 0x80, 60, 0),
                                              Msg(150, 0x80, 60, 0)};
    EXPECT_EQ(t.events, expected);
    EXPECT_EQ(t.endTick, 150u);  // the track lasts as long as its last event
}

TEST(TrackMerge, BringsWhatNoMessageCanHoldIntoRange) {
    HostEvent early = NoteEvent(-30, 60, 0, -5);  // before the start, silent, of negative length
    HostEvent loud = NoteEvent(0, 200, 255, 10);
    HostEvent odd{};
    odd.kind = 3;  // no channel message carries it
    MergeCounts counts;
    const smf::Track t = Merge({early, loud, odd}, {}, 0, counts);
    EXPECT_EQ(counts.clampedTimes, 1);
    EXPECT_EQ(counts.clampedValues, 4);  // velocity 0, length, key 200, velocity 255
    EXPECT_EQ(counts.unwritable, 1);
    ASSERT_EQ(t.events.size(), 4u);
    EXPECT_EQ(t.events[0], Msg(0, 0x90, 60, 1));  // a note keeps sounding: velocity at least 1
    EXPECT_EQ(t.events[1], Msg(0, 0x90, 127, 127));
}

}  // namespace
}  // namespace nuv::nuvfx
