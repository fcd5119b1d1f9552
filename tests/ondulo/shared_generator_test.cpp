// The generator shared by the page (window thread) and the engine (host
// thread): the mixes of old and new field values that a page write racing
// with Generate can leave, each taken in stride, and the two threads run at
// once through the parameter setters the page uses.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "plugins/ondulo/ondulo_parameters.h"
#include "tests/ondulo/ondulo_fixture.h"

namespace nuv::ondulo {
namespace {

class MixedGlideState : public ::testing::Test {
protected:
    void SetUp() override { gen.useInterval = 0; }
    // One free-running call some way into the song.
    float Step() { return gen.Generate(time += 24, gen.phase, false, random); }

    CWaveGenerator gen;
    RandomSource random{5};
    std::int32_t time = 0;
};

TEST_F(MixedGlideState, AStepPointingAwayFromANewTargetEndsTheGlideAtIt) {
    // The page glided to 2 while an upward glide's step was still stored.
    gen.currentCycle = 10.0f;
    gen.targetCycle = 2.0f;
    gen.cycleGlideStep = 0.5f;
    gen.currentAmplitude = 10.0f;
    gen.targetAmplitude = -30.0f;
    gen.amplitudeGlideStep = 2.0f;
    Step();
    EXPECT_EQ(gen.cycleGlideStep, 0.0f);
    EXPECT_EQ(gen.currentCycle, 2.0f);
    EXPECT_EQ(gen.amplitudeGlideStep, 0.0f);
    EXPECT_EQ(gen.currentAmplitude, -30.0f);
    EXPECT_FLOAT_EQ(gen.phaseStep, gen.twoPi / (2.0f * 960.0f));
}

TEST_F(MixedGlideState, AStepPastTheTargetNeverMakesThePhaseStepZeroOrNegative) {
    // A long downward glide's step meets the short cycle the page just set:
    // the stepped length would be below zero, and exactly zero one step on.
    for (const float step : {-0.83f, -0.25f}) {
        gen.currentCycle = 0.25f;
        gen.targetCycle = 0.23125f;
        gen.cycleGlideStep = step;
        Step();
        EXPECT_FLOAT_EQ(gen.phaseStep, gen.twoPi / (0.23125f * 960.0f)) << step;
        for (int call = 0; call < 100; ++call) Step();
        EXPECT_TRUE(std::isfinite(gen.phase)) << step;
        EXPECT_GE(gen.phase, 0.0f) << step;
        EXPECT_LT(gen.phase, gen.twoPi) << step;
    }
}

TEST_F(MixedGlideState, AGlideWhoseStepWasClearedStillReachesItsTarget) {
    // A reset cleared the step after the page had stored its new target.
    gen.currentAmplitude = 63.0f;
    gen.targetAmplitude = -20.0f;
    gen.amplitudeGlideStep = 0.0f;
    gen.waveform = kSquare;  // one step from the centre: the amplitude in use
    Step();
    EXPECT_EQ(gen.currentAmplitude, -20.0f);
    EXPECT_EQ(std::fabs(Step() - 64.0f), 20.0f);
}

// The page's edits from a second thread while the host thread plays: every
// state left behind is one the engine goes on from, with a finite phase
// within its cycle and every glide ended once the edits stop.
TEST_F(OnduloTest, PageEditsWhilePlayingLeaveAGeneratorThatRunsOn) {
    effect->mode = kContinuous;
    effect->OnStart(0, nullptr);
    const ParameterList parameters = Parameters();
    std::atomic<bool> playing{true};
    std::atomic<std::int32_t> edits{0};
    std::thread page([&] {
        for (std::int32_t i = 0; playing; edits = ++i) {
            parameters[kFrequencyParameter].set(*effect, 2 + (i * 37) % 126);
            parameters[kAmplitudeParameter].set(*effect, -64 + (i * 53) % 128);
            parameters[kWaveformParameter].set(*effect, i % 6);
            if (i % 17 == 0) parameters[kIntervalParameter].set(*effect, i % 7);
            parameters[kPulseWidthParameter].set(*effect, 1 + i % 99);
            parameters[kOffsetParameter].set(*effect, (i * 7) % 64 - 32);
        }
    });
    // Both threads busy at once for a good while: many edits land inside spans.
    std::int32_t from = 0;
    for (int span = 0; span < 4000 || (edits < 20000 && span < 400000); ++span, from += 96) Play({}, from, from + 95);
    playing = false;
    page.join();

    parameters[kFrequencyParameter].set(*effect, 127);  // free-running, gliding
    for (int span = 0; span < 200; ++span, from += 96) Play({}, from, from + 95);
    const CWaveGenerator& g = effect->generator;
    EXPECT_TRUE(std::isfinite(g.phase));
    EXPECT_GE(g.phase, -g.halfPi);
    EXPECT_LT(g.phase, 2.0f * g.twoPi);
    EXPECT_EQ(g.cycleGlideStep, 0.0f);
    EXPECT_EQ(g.currentCycle, g.targetCycle);
    CWaveGenerator curve;
    curve.GlideCycleLength(127 * kBeatsPerFrequencyStep);
    EXPECT_EQ(g.targetCycle, curve.targetCycle);
    EXPECT_EQ(g.amplitudeGlideStep, 0.0f);
    EXPECT_EQ(g.currentAmplitude, g.targetAmplitude);
}

}  // namespace
}  // namespace nuv::ondulo
