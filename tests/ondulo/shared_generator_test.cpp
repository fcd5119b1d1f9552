// The generator the page (window thread) writes while Generate (host thread) runs: every mix of old and
// new field values a racing write can leave is taken in stride.
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

// A glide step stored by one glide meeting the target of another: pointing
// away from it, or carrying the cycle length to zero or below it.
TEST_F(MixedGlideState, AStepPastTheTargetEndsTheGlideThereWithAFinitePhase) {
    const struct {
        float current, target, step;
    } mixes[] = {{10.0f, 2.0f, 0.5f}, {0.25f, 0.23125f, -0.83f}, {0.25f, 0.23125f, -0.25f}};
    for (const auto& mix : mixes) {
        gen.currentCycle = mix.current;
        gen.targetCycle = mix.target;
        gen.cycleGlideStep = mix.step;
        Step();
        EXPECT_EQ(gen.cycleGlideStep, 0.0f) << mix.step;
        EXPECT_EQ(gen.currentCycle, mix.target) << mix.step;
        EXPECT_FLOAT_EQ(gen.phaseStep, gen.twoPi / (mix.target * 960.0f)) << mix.step;
        for (int call = 0; call < 100; ++call) Step();
        EXPECT_TRUE(gen.phase >= 0.0f && gen.phase < gen.twoPi) << mix.step;
    }
}

TEST_F(MixedGlideState, AGlideWhoseStepWasClearedStillReachesItsTarget) {
    gen.targetAmplitude = -20.0f;  // stored by the page; a racing reset then cleared the step
    gen.waveform = kSquare;        // one step from the centre: the amplitude in use
    Step();
    EXPECT_EQ(std::fabs(Step() - 64.0f), 20.0f);
}

// Page edits from a second thread during playback: the phase stays within about a cycle, glides end.
TEST_F(OnduloTest, PageEditsWhilePlayingLeaveAGeneratorThatRunsOn) {
    effect->mode = kContinuous;
    effect->OnStart(0, nullptr);
    const ParameterList parameters = Parameters();
    std::atomic<std::int32_t> edits{0};
    std::atomic<bool> stop{false};
    std::thread page([&] {
        for (std::int32_t i = 1; !stop; edits = i++) {
            parameters[i % 17 == 0 ? kIntervalParameter : kFrequencyParameter].set(*effect, 2 + (i * 37) % 126);
            parameters[kAmplitudeParameter].set(*effect, -64 + (i * 53) % 128);
            parameters[kWaveformParameter].set(*effect, i % 6);
        }
    });
    std::int32_t from = 0;
    for (int span = 0; span < 4000 || (edits < 20000 && span < 400000); ++span, from += 96) Play({}, from, from + 95);
    stop = true;
    page.join();
    parameters[kFrequencyParameter].set(*effect, 127);
    for (int span = 0; span < 200; ++span, from += 96) Play({}, from, from + 95);
    const CWaveGenerator& g = effect->generator;
    EXPECT_TRUE(g.phase >= 0.0f && g.phase < 2.0f * g.twoPi);
    EXPECT_TRUE(g.cycleGlideStep == 0.0f && g.currentCycle == g.targetCycle && g.targetCycle > 16.0f);
    EXPECT_TRUE(g.amplitudeGlideStep == 0.0f && g.currentAmplitude == g.targetAmplitude);
}

}  // namespace
}  // namespace nuv::ondulo
