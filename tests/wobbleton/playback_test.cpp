// Playback: wheel values written ahead over each note's uncovered part, the
// centre events between and after covered spans, and the calls that write none.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "tests/wobbleton/wobbleton_fixture.h"

namespace nuv::wobbleton {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::NoteEvent;
using nuv::testing::RunEvents;

struct Wheel {
    std::int32_t time;
    std::int32_t value;
    bool operator==(const Wheel& o) const { return time == o.time && value == o.value; }
};
std::ostream& operator<<(std::ostream& os, const Wheel& w) { return os << "{" << w.time << ", " << w.value << "}"; }

std::vector<Wheel> Wheels(const std::vector<HostEvent>& out) {
    std::vector<Wheel> wheels;
    for (const HostEvent& e : out)
        if (e.kind == nuv::Wheel) wheels.push_back({e.time, WheelValue(e)});
    return wheels;
}

class Playback : public WobbletonTest {
protected:
    ReferenceCycles cycles;
};

TEST_F(Playback, OneNoteGetsWheelsEveryFortyTicksAndACentreAtItsEnd) {
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 100, 200)});
    cycles.Next(true);
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(+out[0].kind, Note);
    EXPECT_EQ(Wheels(out), (std::vector<Wheel>{{0, cycles.Value(0)}, {40, cycles.Value(40)}, {80, cycles.Value(80)},
                                               {120, cycles.Value(120)}, {160, cycles.Value(160)}, {199, 0}}));
    // A fresh cycle starts at the centre; entry 0 holds the highest value of
    // the curve's first tick, so it may lie a unit or two above it.
    EXPECT_LE(std::abs(cycles.Value(0)), 2);
    EXPECT_NE(cycles.Value(160), 0);
    // Generated events carry nothing but time, kind and value.
    HostEvent expected{};
    expected.time = 40;
    expected.kind = nuv::Wheel;
    SetWheelValue(expected, cycles.Value(40));
    EXPECT_EQ(std::memcmp(&out[2], &expected, sizeof(HostEvent)), 0);
}

TEST_F(Playback, OverlappingNoteAddsOnlyPastTheCoveredEnd) {
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 100, 200), NoteEvent(100, 64, 100, 200)});
    cycles.Next(true);
    cycles.Next(true);
    const auto wheels = Wheels(out);
    ASSERT_EQ(wheels.size(), 8u);
    EXPECT_EQ(std::vector<Wheel>(wheels.begin() + 5, wheels.end()),
              (std::vector<Wheel>{{220, cycles.Value(0)}, {260, cycles.Value(40)}, {299, 0}}));
}

TEST_F(Playback, GapBetweenNotesIsMarkedByACentreEvent) {
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 100, 100), ControlEvent(150, 1, 5), NoteEvent(300, 64, 100, 100)});
    cycles.Next(true);
    cycles.Next(true);
    ASSERT_EQ(out.size(), 3u + 3u + 1u + 3u + 1u);
    EXPECT_EQ(+out[4].kind, Control);  // every event passes in its place
    const auto wheels = Wheels(out);
    ASSERT_EQ(wheels.size(), 8u);
    EXPECT_EQ(wheels[3], (Wheel{100, 0}));
    EXPECT_EQ(std::vector<Wheel>(wheels.begin() + 4, wheels.end()),
              (std::vector<Wheel>{{300, cycles.Value(0)}, {340, cycles.Value(40)}, {380, cycles.Value(80)}, {399, 0}}));
    // A note inside the covered span adds nothing, not even a centre.
    EXPECT_EQ(Wheels(RunEvents(*effect, {NoteEvent(0, 60, 100, 300), NoteEvent(40, 62, 100, 20)})).size(), 9u);
    // One starting exactly at the covered end is marked by a centre there.
    const auto adjoining = Wheels(RunEvents(*effect, {NoteEvent(0, 60, 100, 100), NoteEvent(100, 64, 100, 100)}));
    ASSERT_EQ(adjoining.size(), 3u + 1u + 2u + 1u);
    EXPECT_EQ(adjoining[3], (Wheel{100, 0}));
}

TEST_F(Playback, LongNoteContinuesIntoTheNextCycle) {
    const auto wheels = Wheels(RunEvents(*effect, {NoteEvent(0, 60, 100, 4200)}));
    cycles.Next(true);
    const std::int16_t lastOfFirst = cycles.Value(4080);
    cycles.Next(false);
    ASSERT_EQ(wheels.size(), 105u + 1u);
    EXPECT_EQ(wheels[102], (Wheel{4080, lastOfFirst}));
    EXPECT_EQ(wheels[103], (Wheel{4120, cycles.Value(0)}));
    EXPECT_EQ(wheels[104], (Wheel{4160, cycles.Value(40)}));
}

// A damaged duration of days: wheel values over the first kLongestModulation
// ticks only, then the centre at the note's end.
TEST_F(Playback, ANoteOfDaysIsModulatedOverItsFirstStretchOnly) {
    const auto wheels = Wheels(RunEvents(*effect, {NoteEvent(0, 60, 100, 1'000'000'000)}));
    ASSERT_EQ(wheels.size(), static_cast<std::size_t>(kLongestModulation / kWheelStep + 1 + 1));
    EXPECT_EQ(wheels[wheels.size() - 2].time, (kLongestModulation - 1) / kWheelStep * kWheelStep);
    EXPECT_EQ(wheels.back(), (Wheel{1'000'000'000 - 1, 0}));
}

TEST_F(Playback, CallsWithoutNotesWriteNoWheel) {
    EXPECT_EQ(RunEvents(*effect, {ControlEvent(10, 1, 5)}).size(), 1u);
    EXPECT_TRUE(RunEvents(*effect, {}).empty());
    nuv::testing::EventCall call({NoteEvent(0, 60, 100, 200)});
    call.in->FailGetCount();
    effect->liveIdle = 0;
    effect->OnEvents(0, 0, call.in.Get(), call.out.Get());
    EXPECT_TRUE(call.Output().empty());
    EXPECT_EQ(effect->liveIdle, 0);
    // Counted but unreadable: playback still takes the wheel from live input.
    call.in->FailGetCount(false);
    call.in->FailGetAt(0);
    effect->OnEvents(0, 0, call.in.Get(), call.out.Get());
    EXPECT_TRUE(call.Output().empty());
    EXPECT_EQ(effect->liveIdle, 1);
}

TEST_F(Playback, DisabledCopiesEverything) {
    effect->enabled = 0;
    const auto out = RunEvents(*effect, {NoteEvent(0, 60, 100, 200), ControlEvent(10, 1, 5)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(+out[0].duration, 200);
}

TEST_F(Playback, NotesAtTheEndOfTheClockStayOnIt) {
    const std::int32_t last = std::numeric_limits<std::int32_t>::max();
    const auto wheels = Wheels(RunEvents(*effect, {NoteEvent(last - 50, 60, 100, last)}));
    ASSERT_EQ(wheels.size(), 3u);
    EXPECT_EQ(wheels[1].time, last - 10);
    EXPECT_EQ(wheels[2], (Wheel{last, 0}));
}

}  // namespace
}  // namespace nuv::wobbleton
