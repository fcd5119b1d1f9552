// The wave preview: what a repaint draws, taken from a copy of the generator
// so that playback's running state is never touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "plugins/ondulo/wave_preview.h"

namespace nuv::ondulo {
namespace {

class WavePreviewTest : public ::testing::Test {
protected:
    // Plotted levels back as controller values (level 0 is value 127).
    std::vector<int> Values(int points = 240) {
        preview.Evaluate(gen, points, curve);
        std::vector<int> values;
        for (float level : curve.levels) values.push_back(static_cast<int>(127.0f - level + 0.5f));
        return values;
    }
    CWaveGenerator gen;
    WavePreview preview;
    PreviewCurve curve;
};

TEST_F(WavePreviewTest, LeavesTheLiveGeneratorUntouched) {
    RandomSource random(3);
    gen.useInterval = 0;
    gen.waveform = kRandom;
    for (std::int32_t t = 0; t < 2000; t += 24) gen.Generate(t, gen.phase, false, random);
    gen.GlideCycleLength(12.0f);
    gen.GlideAmplitude(-20.0f);
    CWaveGenerator before = gen;
    Values();
    EXPECT_EQ(std::memcmp(&before, &gen, sizeof gen), 0);
}

TEST_F(WavePreviewTest, PulseSitsInTheMiddleAndRisesToTheTopForATenth) {
    gen.waveform = kPulse;
    const std::vector<int> values = Values();
    const auto top = std::count(values.begin(), values.end(), 127);
    EXPECT_EQ(std::count(values.begin(), values.end(), 64) + top, 240);
    EXPECT_NEAR(top, 24, 2);  // 240 points of 16 ticks: four cycles of one beat
    EXPECT_EQ(curve.levels[0], 63.0f);
}

TEST_F(WavePreviewTest, AmplitudeSignAndZero) {
    gen.targetAmplitude = -64.0f;
    std::vector<int> values = Values();
    EXPECT_EQ(values[0], 64);
    EXPECT_LT(values[1], 64);  // inverted: starts downwards
    EXPECT_EQ(values[15], 0);  // a quarter beat in: the bottom
    gen.targetAmplitude = 0.0f;
    gen.offset = 12.0f;
    values = Values();
    EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](int v) { return v == 76; }));
}

TEST_F(WavePreviewTest, UsesTheTargetAmplitudeRatherThanAGlidesPresentOne) {
    gen.useInterval = 0;
    gen.GlideAmplitude(20.0f);
    EXPECT_EQ(Values()[15], 84);
}

TEST_F(WavePreviewTest, SpacingFollowsTheCycleLength) {
    const struct {
        float cycle;
        std::int32_t ticks;
        std::int32_t solid;
    } cases[] = {{16.0f, 64, 1}, {8.01f, 64, 1}, {8.0f, 32, 2}, {4.5f, 32, 2}, {4.0f, 16, 4}, {1.0f, 16, 4}};
    for (const auto& c : cases) {
        gen.SetCycleLengthNow(c.cycle);
        preview.Evaluate(gen, 10, curve);
        EXPECT_EQ(curve.ticksPerPoint, c.ticks) << c.cycle;
        EXPECT_EQ(curve.solidLineEvery, c.solid) << c.cycle;
        EXPECT_EQ(curve.targetCycle, c.cycle);
    }
}

TEST_F(WavePreviewTest, RandomPictureIsTheSameOnEveryRepaint) {
    gen.waveform = kRandom;
    const std::vector<int> first = Values();
    // Playback draws in between and changes what the live record holds.
    RandomSource random(99);
    for (std::int32_t t = 0; t < 5000; t += 24) gen.Generate(t, gen.phase, false, random);
    const std::vector<int> second = Values();
    EXPECT_EQ(first, second);
    // One level per cycle of 60 points.
    EXPECT_EQ(std::count(first.begin(), first.begin() + 60, first[0]), 60);
    EXPECT_NE(first[0], first[60]);
}

TEST_F(WavePreviewTest, NoWaveForACycleShorterThanATickOrNotANumber) {
    const float cycles[] = {1e-6f, 0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()};
    for (const float cycle : cycles) {
        gen.SetCycleLengthNow(cycle);
        EXPECT_TRUE(Values().empty()) << cycle;
        EXPECT_EQ(curve.solidLineEvery, cycle > 8.0f ? 1 : 4) << cycle;  // the grid still has its spacing
    }
    gen.SetCycleLengthNow(1.0f);
    gen.ticksPerBeat = 0.0f;  // a host's timebase of 0
    EXPECT_TRUE(Values().empty());
    gen.ticksPerBeat = 1.0f;  // one whole tick: a wave
    EXPECT_EQ(Values().size(), 240u);
}

TEST_F(WavePreviewTest, NoPointsForAnEmptyPanel) {
    preview.Evaluate(gen, 0, curve);
    EXPECT_TRUE(curve.levels.empty());
    preview.Evaluate(gen, -5, curve);
    EXPECT_TRUE(curve.levels.empty());
}

}  // namespace
}  // namespace nuv::ondulo
