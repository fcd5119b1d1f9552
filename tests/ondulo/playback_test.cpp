// Playback: the tick walk, the note table, the modes, the steering controllers
// and de-duplication of written values.
#include <gtest/gtest.h>

#include "plugins/ondulo/rate_table.h"
#include "tests/ondulo/ondulo_fixture.h"

namespace nuv::ondulo {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::EventCall;
using nuv::testing::NoteEvent;

class Playback : public OnduloTest {
protected:
    void Start(std::int32_t at = 0) { effect->OnStart(at, nullptr); }
};

TEST_F(Playback, ContinuousWritesTheSineEvery24TicksJustAhead) {
    effect->mode = kContinuous;
    Start();
    const auto out = Play({}, 0, 95);
    EXPECT_EQ(ControllersOf(out), (std::vector<TimedValue>{{0, 64}, {22, 73}, {46, 83}, {70, 92}}));
    EXPECT_EQ(out.size(), 4u);
}

TEST_F(Playback, RepeatedValuesAreWrittenOnceEvenAcrossARestart) {
    effect->mode = kContinuous;
    effect->amplitude = 0.0f;
    Start();
    EXPECT_EQ(ControllersOf(Play({}, 0, 479)), (std::vector<TimedValue>{{0, 64}}));
    effect->OnStop(480, nullptr);
    Start();
    EXPECT_TRUE(Play({}, 0, 479).empty());
}

TEST_F(Playback, WrittenValueTakesChannelAndPortOfTheLastEventRead) {
    effect->mode = kContinuous;
    Start();
    HostEvent other = ControlEvent(5, 10, 1, 9);
    other.port = 3;
    const auto out = Play({other}, 0, 10);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(std::int32_t{out[0].kind}, Control);
    EXPECT_EQ(out[0].channel, 9);
    EXPECT_EQ(out[0].port, 3);
    EXPECT_EQ(out[0].release, 0);
    EXPECT_EQ(std::int32_t{out[0].duration}, 0);
}

TEST_F(Playback, ValueAtTheStartOfASpanIsNotWrittenBeforeIt) {
    effect->mode = kContinuous;
    effect->amplitude = 0.0f;
    Start(24);
    EXPECT_EQ(ControllersOf(Play({}, 24, 40)), (std::vector<TimedValue>{{24, 64}}));
    // Nor one whose lead would land exactly one tick before the span.
    effect->amplitude = 63.0f;
    Start(23);
    EXPECT_EQ(ControllersOf(Play({}, 23, 30)), (std::vector<TimedValue>{{24, 73}}));
}

TEST_F(Playback, NoteActiveWritesOnlyWhileNotesSoundAndRestartsAfterSilence) {
    Start();
    EXPECT_TRUE(ControllersOf(Play({ControlEvent(3, 10, 5)}, 0, 479)).empty());
    const auto out = ControllersOf(Play({NoteEvent(500, 60, 90, 100), NoteEvent(700, 62, 90, 30)}, 480, 959));
    // The first sounding tick restarts the wave: its reset value, then every 24 ticks.
    EXPECT_EQ(out, (std::vector<TimedValue>{
                       {498, 64}, {522, 73}, {546, 83}, {570, 92}, {594, 101}, {698, 64}, {722, 73}}));
}

TEST_F(Playback, RetriggerRestartsWhereANoteStartsOrTheCountRises) {
    effect->mode = kContinuous;
    effect->retrigger = 1;
    Start();
    const auto out = ControllersOf(Play({NoteEvent(50, 60, 90, 200), NoteEvent(80, 64, 90, 10)}, 0, 110));
    EXPECT_EQ(out, (std::vector<TimedValue>{{0, 64}, {22, 73}, {46, 83}, {48, 64}, {72, 73}, {78, 64}, {102, 73}}));
    effect->retrigger = 0;
    Start();
    EXPECT_EQ(ControllersOf(Play({NoteEvent(50, 60, 90, 200)}, 0, 80)).size(), 4u);
}

TEST_F(Playback, NotesThatCountNothing) {
    Start();
    const HostEvent silent = NoteEvent(10, 60, 0, 100);
    const HostEvent empty = NoteEvent(20, 61, 90, 0);
    const HostEvent longest = NoteEvent(30, 62, 90, kLongestCountedNote);
    const HostEvent tooLong = NoteEvent(40, 63, 90, kLongestCountedNote + 1);
    const auto out = Play({silent, empty, tooLong}, 0, 100);
    EXPECT_EQ(out.size(), 2u);  // the over-long note is dropped; nothing sounds
    EXPECT_EQ(out[0].number, 60);
    EXPECT_EQ(out[1].number, 61);
    EXPECT_EQ(effect->NoteTable().Length(), 102u);
    EXPECT_EQ(ControllersOf(Play({longest}, 101, 130)).front(), (TimedValue{101, 64}));
    EXPECT_EQ(effect->NoteTable().Length(), static_cast<std::size_t>(30 + kLongestCountedNote + 2));
}

TEST_F(Playback, NoteTableCountsAndMarksStarts) {
    Start();
    std::vector<HostEvent> chord;
    for (int i = 0; i < 130; ++i) chord.push_back(NoteEvent(5, static_cast<std::uint8_t>(i % 128), 90, 3));
    chord.push_back(NoteEvent(6, 1, 90, 1));
    Play(chord, 0, 10);
    const NoteCountTable& table = effect->NoteTable();
    EXPECT_EQ(table.At(5), NoteCountTable::kStartMark | 127);  // held at 127, the mark kept
    EXPECT_EQ(table.At(6), NoteCountTable::kStartMark | 127);
    EXPECT_EQ(table.At(7), 127);
    EXPECT_EQ(table.At(8), 0);
    effect->OnStop(10, nullptr);
    EXPECT_EQ(table.At(5), 0);
    EXPECT_EQ(table.Length(), 12u);  // stopping keeps the length
    effect->Disconnect();
    EXPECT_EQ(table.Length(), 0u);
}

TEST_F(Playback, TicksBeforeZeroAreWalkedButNeverCounted) {
    Start(-100);
    const auto out = Play({NoteEvent(-50, 60, 90, 80)}, -100, 100);
    EXPECT_EQ(effect->NoteTable().Length(), 102u);
    EXPECT_EQ(effect->NoteTable().At(0), 1);  // only ticks 0..29 of the note are in the table
    EXPECT_EQ(effect->NoteTable().At(29), 1);
    EXPECT_EQ(effect->NoteTable().At(30), 0);
    EXPECT_EQ(std::int32_t{out.front().kind}, Note);
    EXPECT_EQ(ControllersOf(out), (std::vector<TimedValue>{{0, 64}, {22, 73}}));
}

TEST_F(Playback, EventsOutOfOrderOrOutsideTheSpanAreNotLost) {
    effect->enabled = 1;
    Start();
    const auto out = Play({ControlEvent(50, 1, 1), ControlEvent(10, 2, 2), ControlEvent(900, 3, 3),
                           ControlEvent(-20, 4, 4)},
                          0, 100);
    std::vector<int> numbers;
    for (const HostEvent& e : out) numbers.push_back(e.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(Playback, ModulatedControllerIsDroppedOthersPass) {
    Start();
    const auto out = Play({ControlEvent(10, 7, 100), ControlEvent(11, 8, 100)}, 0, 100);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].number, 8);
}

// A damaged stream may store any modulated controller number: the values
// written carry its low seven bits, a controller number of MIDI's range.
TEST_F(Playback, StoredControllerNumberBeyondMidiWritesItsLowSevenBits) {
    effect->modulatedCC = 0x1FF;
    effect->mode = kContinuous;
    Start();
    const auto out = Play({}, 0, 95);
    ASSERT_FALSE(out.empty());
    for (const HostEvent& e : out) EXPECT_EQ(e.number, 0x7F);
}

TEST_F(Playback, FrequencyControllerSelectsAnIntervalInIntervalMode) {
    effect->frequencyCC = 20;
    Start();
    const struct {
        std::uint8_t value;
        std::int32_t index;
    } cases[] = {{3, 0}, {4, 1}, {127, 6}, {0, 0}, {12, 2}};
    for (const auto& c : cases) {
        effect->refreshFlag = 0;
        EXPECT_TRUE(Play({ControlEvent(1, 20, c.value)}, 0, 10).empty());
        EXPECT_EQ(effect->rateIndex, c.index) << int(c.value);
        EXPECT_EQ(effect->freeCycle, RateTable[c.index].cycle);
        EXPECT_EQ(effect->generator.rateIndex, c.index);
        EXPECT_EQ(effect->generator.targetCycle, RateTable[c.index].cycle);
        EXPECT_EQ(effect->refreshFlag, 1);
    }
    EXPECT_EQ(effect->dirtyFlag, 0);
}

TEST_F(Playback, FrequencyControllerJumpsFirstThenGlidesInSmoothMode) {
    effect->frequencyCC = 20;
    effect->useInterval = 0;
    Start();
    Play({ControlEvent(1, 20, 64)}, 0, 10);
    EXPECT_EQ(effect->freeCycle, 8.0f);
    EXPECT_EQ(effect->generator.targetCycle, 8.0f);
    EXPECT_EQ(effect->generator.cycleGlideStep, 0.0f);
    Play({ControlEvent(11, 20, 1)}, 11, 20);
    EXPECT_EQ(effect->freeCycle, 0.25f);
    EXPECT_FLOAT_EQ(effect->generator.targetCycle, 0.23125f);
    EXPECT_LT(effect->generator.cycleGlideStep, 0.0f);
    // A new start jumps again.
    Start();
    Play({ControlEvent(1, 20, 16)}, 0, 10);
    EXPECT_EQ(effect->generator.currentCycle, 2.0f);
}

TEST_F(Playback, AmplitudeAndOffsetControllers) {
    effect->amplitudeCC = 21;
    effect->offsetCC = 22;
    Start();
    Play({ControlEvent(1, 21, 0), ControlEvent(2, 22, 74)}, 0, 10);
    EXPECT_EQ(effect->amplitude, -64.0f);
    EXPECT_EQ(effect->generator.targetAmplitude, -64.0f);
    EXPECT_EQ(effect->offset, 10.0f);
    EXPECT_EQ(effect->generator.offset, 10.0f);
    Play({ControlEvent(11, 21, 64)}, 11, 20);
    EXPECT_EQ(effect->amplitude, 0.0f);
    EXPECT_EQ(effect->dirtyFlag, 0);
}

TEST_F(Playback, OneControllerCanSteerSeveralInputs) {
    effect->frequencyCC = effect->amplitudeCC = effect->offsetCC = 30;
    Start();
    EXPECT_TRUE(Play({ControlEvent(1, 30, 100)}, 0, 10).empty());
    EXPECT_EQ(effect->rateIndex, 6);
    EXPECT_EQ(effect->amplitude, 36.0f);
    EXPECT_EQ(effect->offset, 36.0f);
}

TEST_F(Playback, SilentWhileLearningAndForEmptySpans) {
    effect->mode = kContinuous;
    Start();
    effect->learnTarget = kLearnFrequency;
    EXPECT_TRUE(Play({ControlEvent(1, 9, 9)}, 0, 100).empty());
    effect->learnTarget = kLearnNone;
    EXPECT_TRUE(Play({ControlEvent(1, 9, 9)}, 50, 50).empty());
    EXPECT_TRUE(Play({ControlEvent(1, 9, 9)}, 50, 40).empty());
    EXPECT_TRUE(Play({}, 2147483647, -2147483647 - 1).empty());
}

TEST_F(Playback, DisabledPassesEventsUnchanged) {
    effect->mode = kContinuous;
    effect->enabled = 0;
    Start();
    const auto out = Play({ControlEvent(1, 7, 9), NoteEvent(2, 60, 90, 10000000)}, 0, 100);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].number, 7);
    EXPECT_EQ(effect->NoteTable().Length(), 0u);
}

TEST_F(Playback, UnreadableEventsAndFailedCountsAreSkipped) {
    effect->mode = kContinuous;
    Start();
    EventCall call({ControlEvent(1, 10, 1), ControlEvent(2, 11, 1), NoteEvent(3, 60, 90, 30)});
    call.in->FailGetAt(1);
    effect->OnEvents(0, 30, call.in.Get(), call.out.Get());
    EXPECT_EQ(call.Output().size(), 4u);  // two events and two values
    EventCall failed({ControlEvent(31, 10, 1)});
    failed.in->FailGetCount();
    effect->OnEvents(31, 60, failed.in.Get(), failed.out.Get());
    EXPECT_EQ(failed.Output().size(), 1u);  // the value at tick 48 only
}

TEST_F(Playback, HostTimebaseSetsTheCycle) {
    context->time->timebase = 480;
    effect->mode = kContinuous;
    Start();
    EXPECT_EQ(ControllersOf(Play({}, 0, 120)).at(5), (TimedValue{118, 127}));  // a quarter of 480 ticks
    context->time->timebase = 0;  // not taken
    Play({}, 121, 200);
    EXPECT_EQ(effect->generator.ticksPerBeat, 480.0f);
}

}  // namespace
}  // namespace nuv::ondulo
