// Live input: pass-through, learning, live notes taking the generator, the
// host's input pulses, live steering and the connection to the host.
#include <gtest/gtest.h>

#include "tests/ondulo/ondulo_fixture.h"

namespace nuv::ondulo {
namespace {

using nuv::testing::ControlEvent;
using nuv::testing::Message;
using nuv::testing::NoteEvent;

class LiveInput : public OnduloTest {
protected:
    void SetUp() override {
        OnduloTest::SetUp();
        context->time->ticksPerPeriod = 96;  // four values per pulse
    }
    host::PulseService& pulses() { return *context->pulse; }
};

TEST_F(LiveInput, LearnTakesTheFirstControllerAndSwallowsTheBatch) {
    const struct {
        std::int32_t target;
        Relaxed<std::int32_t> NuvMfx::*field;
    } cases[] = {{kLearnModulated, &NuvMfx::modulatedCC},
                 {kLearnFrequency, &NuvMfx::frequencyCC},
                 {kLearnAmplitude, &NuvMfx::amplitudeCC},
                 {kLearnOffset, &NuvMfx::offsetCC}};
    for (const auto& c : cases) {
        effect->learnTarget = c.target;
        effect->refreshFlag = 0;
        const auto out = Live({Message(0x92, 60, 90), Message(0xB0, 21, 5), Message(0xB1, 22, 6)});
        EXPECT_TRUE(out.empty());
        EXPECT_EQ((*effect).*(c.field), 21) << c.target;
        EXPECT_EQ(effect->learnTarget, kLearnNone);
        EXPECT_EQ(effect->refreshFlag, 1);
    }
    EXPECT_EQ(pulses().begins, 0);  // the swallowed note took nothing over
    EXPECT_EQ(effect->dirtyFlag, 0);
}

TEST_F(LiveInput, EverythingPassesAndNothingIsGeneratedBeforeALiveNote) {
    effect->mode = kContinuous;
    effect->frequencyCC = 20;
    const std::vector<HostData> in = {Message(0xB0, 7, 1), Message(0xB0, 20, 64), Message(0xE0, 0, 64)};
    const auto out = Live(in);
    ASSERT_EQ(out.size(), in.size());
    for (std::size_t i = 0; i < in.size(); ++i) EXPECT_EQ(std::memcmp(&out[i], &in[i], sizeof(HostData)), 0);
    EXPECT_TRUE(Live({}).empty());
}

TEST_F(LiveInput, NoteActiveGeneratesWhileNotesAreHeld) {
    // A stray Note Off, with no note held, passes and counts no note below none.
    EXPECT_EQ(Live({Message(0x83, 50, 0)}).size(), 1u);
    const auto first = Live({Message(0x93, 60, 90, 1000)});
    EXPECT_EQ(pulses().begins, 1);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[1].status, 0xB3);
    EXPECT_EQ(ControllersOf(first), (std::vector<TimedValue>{{1000, 64}, {1024, 73}, {1048, 83}, {1072, 92}}));
    // An empty pulse runs the live clock on by the pulse's ticks.
    EXPECT_EQ(ControllersOf(Live({})), (std::vector<TimedValue>{{0, 101}, {24, 108}, {48, 114}, {72, 120}}));
    // A second held note neither restarts nor begins pulses again.
    Live({Message(0x93, 64, 90)});
    EXPECT_EQ(pulses().begins, 1);
    Live({Message(0x83, 64, 0)});
    EXPECT_EQ(pulses().ends, 0);
    // Releasing the last note ends the pulses and hands the generator back.
    const auto released = Live({Message(0x93, 60, 0)});
    EXPECT_EQ(released.size(), 1u);
    EXPECT_EQ(pulses().ends, 1);
    EXPECT_FALSE(Play({ControlEvent(5, 9, 9)}, 0, 10).empty());
}

TEST_F(LiveInput, ContinuousKeepsTheGeneratorUntilTheNextStart) {
    effect->mode = kContinuous;
    Live({Message(0x90, 60, 90)});
    Live({Message(0x80, 60, 0)});
    EXPECT_EQ(pulses().ends, 0);
    EXPECT_EQ(ControllersOf(Live({})).size(), 4u);
    EXPECT_TRUE(Play({ControlEvent(5, 9, 9)}, 0, 100).empty());  // playback writes nothing at all
    effect->OnStart(0, nullptr);
    EXPECT_FALSE(ControllersOf(Play({}, 0, 100)).empty());
    effect->Disconnect();
    EXPECT_EQ(pulses().ends, 1);
    EXPECT_FALSE(pulses().running);
}

TEST_F(LiveInput, RetriggerRestartsAtEveryNoteOn) {
    effect->mode = kContinuous;
    effect->retrigger = 1;
    Live({Message(0x90, 60, 90)});
    Live({});
    EXPECT_EQ(ControllersOf(Live({Message(0x90, 62, 90)})),
              (std::vector<TimedValue>{{0, 64}, {24, 73}, {48, 83}, {72, 92}}));
}

TEST_F(LiveInput, PlayingTakesTheBatchTimeAsTheLiveClock) {
    effect->mode = kContinuous;
    effect->OnStart(0, nullptr);
    EXPECT_EQ(ControllersOf(Live({Message(0x90, 60, 90, 240)})).front(), (TimedValue{240, 127}));
    effect->OnStop(300, nullptr);
}

TEST_F(LiveInput, RepeatsAreWrittenOnceAndTimeMinusOneBecomesZero) {
    effect->mode = kContinuous;
    effect->amplitude = 0.0f;
    effect->OnStart(0, nullptr);
    effect->OnStop(0, nullptr);
    EXPECT_EQ(ControllersOf(Live({Message(0x90, 60, 90, -1)})), (std::vector<TimedValue>{{0, 64}}));
    EXPECT_TRUE(ControllersOf(Live({})).empty());
}

TEST_F(LiveInput, SteeringControllersGlideAndPass) {
    effect->frequencyCC = 20;
    effect->amplitudeCC = 21;
    effect->offsetCC = 22;
    effect->useInterval = 0;
    effect->OnStart(0, nullptr);
    const auto out = Live({Message(0xB0, 20, 0), Message(0xB0, 21, 0), Message(0xB0, 22, 54)});
    EXPECT_EQ(out.size(), 3u);
    EXPECT_EQ(effect->freeCycle, 0.25f);
    EXPECT_FLOAT_EQ(effect->generator.targetCycle, 0.23125f);
    EXPECT_NE(effect->generator.cycleGlideStep, 0.0f);  // even the first input after a start glides
    EXPECT_EQ(effect->amplitude, -64.0f);
    EXPECT_EQ(effect->generator.targetAmplitude, -64.0f);
    EXPECT_EQ(effect->offset, -10.0f);
    EXPECT_EQ(effect->generator.offset, -10.0f);
    EXPECT_EQ(effect->refreshFlag, 1);
    EXPECT_EQ(effect->dirtyFlag, 0);
    // The first playback frequency input of that start still jumps.
    Play({ControlEvent(1, 20, 16)}, 0, 10);
    EXPECT_EQ(effect->generator.cycleGlideStep, 0.0f);
}

TEST_F(LiveInput, DisabledPassesThroughWithoutPulses) {
    effect->enabled = 0;
    effect->mode = kContinuous;
    EXPECT_EQ(Live({Message(0x90, 60, 90)}).size(), 1u);
    EXPECT_EQ(pulses().begins, 0);
}

TEST_F(LiveInput, UnreadablePeriodMeansAPulseWithoutTicks) {
    effect->mode = kContinuous;
    pulses().getPeriodFailure.FailFromCall(1);
    EXPECT_EQ(Live({Message(0x90, 60, 90)}).size(), 1u);
    EXPECT_EQ(pulses().begins, 1);
}

TEST(OnduloConnection, NeedsThePulseServiceAndKeepsTheContextUntilDisconnect) {
    ComRef<host::HostContext> context(new host::HostContext);
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    context->offerPulse = false;
    EXPECT_EQ(effect->Connect(context.Get()), E_FAIL);
    EXPECT_EQ(context->References(), 1);
    context->offerPulse = true;
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);
    EXPECT_EQ(context->References(), 2);
    EXPECT_EQ(effect->Connect(context.Get()), S_OK);  // a second Connect keeps one reference
    EXPECT_EQ(context->References(), 2);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_EQ(context->References(), 1);
}

TEST(OnduloConnection, ReleaseWithoutDisconnectEndsPulsesAndLetsTheContextGo) {
    ComRef<host::HostContext> context(new host::HostContext);
    context->time->ticksPerPeriod = 24;
    {
        ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
        ASSERT_EQ(effect->Connect(context.Get()), S_OK);
        nuv::testing::RunInput(*effect, {Message(0x90, 60, 90)});
        EXPECT_TRUE(context->pulse->running);
    }
    EXPECT_FALSE(context->pulse->running);
    EXPECT_EQ(context->References(), 1);
}

TEST(OnduloConnection, ConnectingAgainEndsThePulsesOfTheOldConnection) {
    ComRef<host::HostContext> first(new host::HostContext);
    ComRef<host::HostContext> second(new host::HostContext);
    ComRef<NuvMfx> effect = nuv::testing::MakeEffect<NuvMfx>();
    ASSERT_EQ(effect->Connect(first.Get()), S_OK);
    nuv::testing::RunInput(*effect, {Message(0x90, 60, 90)});
    ASSERT_TRUE(first->pulse->running);
    ASSERT_EQ(effect->Connect(second.Get()), S_OK);
    EXPECT_FALSE(first->pulse->running);
    EXPECT_EQ(first->References(), 1);
    EXPECT_EQ(effect->Disconnect(), S_OK);
    EXPECT_EQ(second->References(), 1);
}

}  // namespace
}  // namespace nuv::ondulo
