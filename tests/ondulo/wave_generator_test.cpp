// The wave generator: reset values, the six waves, locked and free-running
// phase, the Random wave's draws, glides and the frequency curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plugins/ondulo/rate_table.h"
#include "plugins/ondulo/wave_generator.h"

namespace nuv::ondulo {
namespace {

class WaveGenerator : public ::testing::Test {
protected:
    // The controller value of one engine-style call.
    int At(std::int32_t time) { return gen.ControllerValue(gen.Generate(time, gen.phase, false, random)); }
    int ResetValue(std::int32_t wave, std::int32_t peak, float amplitude) {
        gen.waveform = wave;
        gen.startAtPeak = peak;
        gen.targetAmplitude = amplitude;
        return At(0);
    }
    CWaveGenerator gen;
    RandomSource random{7};
};

TEST_F(WaveGenerator, ResetValuesFromTheCentre) {
    for (std::int32_t interval : {1, 0}) {
        gen.useInterval = interval;
        EXPECT_EQ(ResetValue(kSine, 0, 63.0f), 64);
        EXPECT_EQ(ResetValue(kSawtooth, 0, 63.0f), 64);
        EXPECT_EQ(ResetValue(kTriangle, 0, 63.0f), 63);  // 0.251 puts it a quarter below the centre
        EXPECT_EQ(ResetValue(kSquare, 0, 63.0f), 127);   // the exact zero takes the amplitude's side
        EXPECT_EQ(ResetValue(kSquare, 0, -63.0f), 127);
        EXPECT_EQ(ResetValue(kPulse, 0, 63.0f), 64);
        EXPECT_EQ(ResetValue(17, 0, 63.0f), 64);         // no such wave: flat at the centre
    }
}

TEST_F(WaveGenerator, ResetValuesFromThePeak) {
    for (std::int32_t wave : {kSine, kSquare, kTriangle, kSawtooth}) {
        EXPECT_EQ(ResetValue(wave, 1, 63.0f), 1) << wave;
        // The triangle's 0.251 keeps it 0.25 inside the top as well.
        EXPECT_EQ(ResetValue(wave, 1, -63.0f), wave == kTriangle ? 126 : 127) << wave;
    }
    EXPECT_FLOAT_EQ(gen.phase, -gen.halfPi);
}

TEST_F(WaveGenerator, OffsetMovesTheCentreAndClampingHoldsTheEnds) {
    gen.offset = 20.0f;
    EXPECT_EQ(ResetValue(kSine, 0, 63.0f), 84);
    EXPECT_EQ(ResetValue(kSine, 1, -63.0f), 127);
    gen.offset = -70.0f;
    EXPECT_EQ(ResetValue(kSine, 0, 63.0f), 0);
    EXPECT_EQ(gen.ControllerValue(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(gen.ControllerValue(126.99f), 126);
}

TEST_F(WaveGenerator, LockedSineFollowsTheClock) {
    // One beat of 960 ticks per cycle: a quarter cycle is the top, three quarters the bottom.
    EXPECT_EQ(At(0), 64);
    EXPECT_EQ(At(24), 73);
    EXPECT_EQ(At(240), 127);
    EXPECT_EQ(At(720), 1);
    EXPECT_EQ(At(960 + 240), 127);
    EXPECT_FLOAT_EQ(gen.phase, gen.twoPi / 4.0f);  // locked mode leaves no advance behind
}

TEST_F(WaveGenerator, LockedNegativeTimesMatchTheSamePointOfTheCycle) {
    for (std::int32_t wave : {kSine, kTriangle, kSawtooth, kSquare}) {
        gen.waveform = wave;
        for (std::int32_t t : {24, 240, 500, 700}) {
            const int before = At(t - 960);
            EXPECT_LT(gen.phase, 0.0f);
            EXPECT_NEAR(before, At(t), 1) << wave << " at " << t;
        }
    }
}

TEST_F(WaveGenerator, PulseIsHighForItsWidthOfEachCycle) {
    gen.waveform = kPulse;
    gen.targetAmplitude = 20.0f;
    gen.offset = 10.0f;
    auto highTicks = [this](float width) {
        gen.pulseWidth = width;
        int high = 0;
        for (std::int32_t t = 1; t <= 960; ++t) {
            const int v = At(t);
            EXPECT_TRUE(v == 84 || v == 74) << v;  // amplitude + 64 (the offset left out), or offset + 64
            if (v == 84) ++high;
        }
        return high;
    };
    EXPECT_NEAR(highTicks(10.0f), 96, 2);
    EXPECT_EQ(highTicks(100.0f), 960);
    EXPECT_EQ(highTicks(0.0f), 0);
    gen.pulseWidth = 10.0f;
    EXPECT_EQ(At(721), 84);  // the middle of the high stretch, about 0.751 into the cycle
    EXPECT_EQ(At(480), 74);
}

// The draws a fresh source seeded like the generator's gives, as levels in -1..1.
std::vector<float> ExpectedDraws(std::uint32_t seed, int count) {
    RandomSource source(seed);
    std::vector<float> draws;
    for (int i = 0; i < count; ++i) {
        const std::int32_t r = source.Next();
        draws.push_back(static_cast<float>(r + r) / 32767.0f - 1.0f);
    }
    return draws;
}

TEST_F(WaveGenerator, RandomDrawsOncePerCycleWhenLocked) {
    gen.waveform = kRandom;
    std::vector<float> held;
    for (std::int32_t t = 0; t < 3 * 960; t += 24) {
        gen.Generate(t, gen.phase, false, random);
        if (held.empty() || held.back() != gen.heldRandom) held.push_back(gen.heldRandom);
        EXPECT_GE(gen.heldRandom, -1.0f);
        EXPECT_LE(gen.heldRandom, 1.0f);
        // The call that sees the wrap draws.
        if (t == 960) { EXPECT_EQ(held.size(), 2u); }
    }
    EXPECT_EQ(held, ExpectedDraws(7, 3));  // the reset call's draw, then one per wrap
}

TEST_F(WaveGenerator, RandomDrawsOncePerCycleWhenFreeRunning) {
    gen.waveform = kRandom;
    gen.useInterval = 0;
    std::vector<float> held;
    for (std::int32_t t = 0; t <= 2900; t += 25) {
        gen.Generate(t, gen.phase, false, random);
        if (held.empty() || held.back() != gen.heldRandom) held.push_back(gen.heldRandom);
        // The advance of the call at 975 wraps; the call after it draws.
        if (t == 975) { EXPECT_EQ(held.size(), 1u); }
        if (t == 1000) { EXPECT_EQ(held.size(), 2u); }
    }
    EXPECT_EQ(held, ExpectedDraws(7, 3));
}

TEST_F(WaveGenerator, RandomResetCallDrawsARealLevel) {
    for (std::int32_t interval : {1, 0}) {
        CWaveGenerator fresh;
        fresh.waveform = kRandom;
        fresh.useInterval = interval;
        RandomSource source(7);
        const int first = fresh.ControllerValue(fresh.Generate(0, fresh.phase, false, source));
        const float level = ExpectedDraws(7, 1)[0];
        EXPECT_FLOAT_EQ(fresh.heldRandom, level);
        EXPECT_EQ(first, static_cast<int>(level * 63.0f + 64.0f));
        EXPECT_EQ(fresh.newCycle, 0);
    }
}

TEST_F(WaveGenerator, FreeRunningAdvancesFromThePreviousCall) {
    gen.useInterval = 0;
    EXPECT_EQ(At(0), 64);
    EXPECT_EQ(At(240), 64);    // the value of the phase reached at the previous call
    EXPECT_EQ(At(480), 127);   // a quarter cycle after the 240 ticks of the last advance
    EXPECT_FLOAT_EQ(gen.phase, gen.twoPi / 2.0f);
    EXPECT_EQ(gen.lastTime, 480);
    // A jump by more than a cycle wraps once; the sine stays periodic.
    At(480 + 960 + 960 + 240);
    EXPECT_GT(gen.phase, gen.twoPi);
    EXPECT_EQ(At(5000), 1);  // 3.5 half cycles, wrapped once more: three quarters, the bottom
}

TEST_F(WaveGenerator, FrequencyCurve) {
    const float expected[][2] = {{16.0f, 16.2f}, {8.0f, 5.8568542f}, {0.25f, 0.23125f}};
    for (const auto& pair : expected) {
        gen.GlideCycleLength(pair[0]);
        EXPECT_FLOAT_EQ(gen.targetCycle, pair[1]) << pair[0];
    }
}

TEST_F(WaveGenerator, CycleGlideEndsWithinOneBeatOfTheTarget) {
    gen.useInterval = 0;
    gen.GlideCycleLength(16.0f);
    EXPECT_FLOAT_EQ(gen.currentCycle, 1.0f);
    EXPECT_FLOAT_EQ(gen.cycleGlideStep, 15.2f / 19.2f);
    const float stepBeforeGlide = gen.phaseStep;
    int calls = 0;
    float last = gen.currentCycle;
    while (gen.cycleGlideStep != 0.0f && calls < 100) {
        gen.Generate(24 * (calls + 1), gen.phase, false, random);
        ++calls;
        EXPECT_GT(gen.currentCycle, last);
        last = gen.currentCycle;
    }
    EXPECT_EQ(calls, 18);
    EXPECT_FLOAT_EQ(gen.currentCycle, 16.2f);
    EXPECT_NE(gen.phaseStep, stepBeforeGlide);
    // The phase step keeps the last glide step's cycle, not the target's.
    const float lastGlideCycle = 1.0f + 18.0f * (15.2f / 19.2f);
    EXPECT_NEAR(gen.phaseStep, gen.twoPi / (lastGlideCycle * 960.0f), 1e-5f * gen.phaseStep);
}

TEST_F(WaveGenerator, SmallGlidesTakeOneCallAndOnlyFreeRunningGlides) {
    gen.GlideAmplitude(63.5f);
    gen.useInterval = 1;
    gen.Generate(24, gen.phase, false, random);
    EXPECT_NE(gen.amplitudeGlideStep, 0.0f);  // interval mode does not glide
    gen.useInterval = 0;
    gen.Generate(48, gen.phase, false, random);
    EXPECT_EQ(gen.amplitudeGlideStep, 0.0f);
    EXPECT_FLOAT_EQ(gen.currentAmplitude, 63.5f);

    gen.GlideAmplitude(-64.0f);
    EXPECT_FLOAT_EQ(gen.currentAmplitude, 63.5f);
    int calls = 0;
    while (gen.amplitudeGlideStep != 0.0f && calls < 100) gen.Generate(72 + 24 * calls++, gen.phase, false, random);
    EXPECT_EQ(calls, 20);
    EXPECT_FLOAT_EQ(gen.currentAmplitude, -64.0f);
}

TEST_F(WaveGenerator, GlidesWithStepsWiderThanTheirWindowStopAtTheTarget) {
    gen.useInterval = 0;
    gen.SetTimebase(96.0f);  // a step of 7.9 beats a call for this glide
    gen.GlideCycleLength(16.0f);
    gen.GlideAmplitude(-64.0f);
    for (int call = 1; call <= 2; ++call) gen.Generate(24 * call, gen.phase, false, random);
    EXPECT_EQ(gen.cycleGlideStep, 0.0f);
    EXPECT_FLOAT_EQ(gen.currentCycle, 16.2f);
    gen.Generate(72, gen.phase, false, random);
    EXPECT_EQ(gen.amplitudeGlideStep, 0.0f);
    EXPECT_FLOAT_EQ(gen.currentAmplitude, -64.0f);
}

TEST_F(WaveGenerator, ResetAndJumpsClearTheGlides) {
    gen.useInterval = 0;
    gen.GlideCycleLength(16.0f);
    gen.GlideAmplitude(0.0f);
    gen.Generate(0, gen.phase, false, random);
    EXPECT_EQ(gen.cycleGlideStep, 0.0f);
    EXPECT_EQ(gen.amplitudeGlideStep, 0.0f);
    EXPECT_FLOAT_EQ(gen.currentCycle, 16.2f);
    EXPECT_FLOAT_EQ(gen.currentAmplitude, 0.0f);

    gen.GlideCycleLength(2.0f);
    gen.SetCycleLengthNow(4.0f);
    EXPECT_EQ(gen.cycleGlideStep, 0.0f);
    EXPECT_FLOAT_EQ(gen.currentCycle, 4.0f);
    EXPECT_FLOAT_EQ(gen.phaseStep, gen.twoPi / 3840.0f);
    gen.SetTimebase(480.0f);
    EXPECT_FLOAT_EQ(gen.phaseStep, gen.twoPi / 1920.0f);
}

TEST_F(WaveGenerator, DegenerateCycleLengthsGiveValuesNotFaults) {
    for (float cycle : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), 1.0e30f}) {
        for (std::int32_t interval : {1, 0}) {
            CWaveGenerator g;
            g.useInterval = interval;
            g.SetCycleLengthNow(cycle);
            for (std::int32_t t : {0, 24, -48, 2147483647, -2147483647 - 1}) {
                const int v = g.ControllerValue(g.Generate(t, g.phase, false, random));
                EXPECT_GE(v, 0);
                EXPECT_LE(v, 127);
                // Locked to the clock, a cycle below one tick holds the phase at
                // its start, and one of 1e30 beats never leaves it: the centre.
                if (interval == 1) {
                    EXPECT_EQ(v, 64) << cycle << " at " << t;
                }
            }
        }
    }
}

TEST(RateTables, IntervalRangesPickTheDocumentedIndices) {
    auto indexOf = [](int v) { return IntervalIndexFor(v < 2 ? 0.25f : v / 8.0f); };
    const int lastOfIndex[] = {3, 6, 12, 24, 48, 96, 127};
    int v = 0;
    for (int index = 0; index < kRateCount; ++index)
        for (; v <= lastOfIndex[index]; ++v) EXPECT_EQ(indexOf(v), index) << v;
    EXPECT_EQ(IntervalIndexFor(0.0f), 0);
    EXPECT_EQ(IntervalIndexFor(40.0f), 6);
    EXPECT_EQ(RateCycle(-1), 0.25f);
    EXPECT_EQ(RateCycle(kRateCount), 16.0f);  // one past the table: its last entry
    EXPECT_EQ(ClampedRateIndex(kRateCount), kRateCount - 1);
    EXPECT_STREQ(RateTable[6].label, L"16 Beats");
    EXPECT_STREQ(RateTable[0].tooltip, L"CC = 1-2");
}

}  // namespace
}  // namespace nuv::ondulo
