// Building a modulation cycle: where the breakpoints fall and how many random
// draws they take, the table's column rule, and stored parameters far outside
// the page's ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "plugins/wobbleton/wheel_cycle.h"

namespace nuv::wobbleton {
namespace {

std::vector<float> Xs(const WheelCycle& c) {
    std::vector<float> xs;
    for (const SplinePoint& p : c.breakpoints) xs.push_back(p.x);
    return xs;
}

// The polyline of a cycle's curve.
std::vector<SplinePoint> CurveOf(const WheelCycle& c) {
    return ComputeSplinePolyline(c.breakpoints.data(), c.breakpoints.size());
}

class CycleTest : public ::testing::Test {
protected:
    std::unique_ptr<WheelCycle> cycle = std::make_unique<WheelCycle>();
    RandomSource random{4};
};

TEST_F(CycleTest, FreqSetsTheSpacingOfTheBreakpoints) {
    cycle->Build(10.0f, 10.0f, random);
    EXPECT_EQ(Xs(*cycle), (std::vector<float>{0, 1400, 4095}));
    cycle->Build(10.0f, 5.0f, random);
    EXPECT_EQ(Xs(*cycle), (std::vector<float>{0, 900, 1800, 2700, 4095}));
    cycle->Build(10.0f, 1.0f, random);
    EXPECT_EQ(Xs(*cycle), (std::vector<float>{0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4095}));
    // Spacings that reach 4096 exactly take no point there.
    cycle->Build(10.0f, 6.24f, random);  // spacing 1024
    EXPECT_EQ(Xs(*cycle), (std::vector<float>{0, 1024, 2048, 4095}));
    cycle->Build(10.0f, 1.12f, random);  // spacing 512
    EXPECT_EQ(Xs(*cycle), (std::vector<float>{0, 512, 1024, 1536, 2048, 2560, 3072, 4095}));
}

TEST_F(CycleTest, BreakpointsAreDrawnWithinTheSpreadAndOneDrawIsDiscarded) {
    RandomSource replay{4};
    cycle->Build(20.0f, 10.0f, random);  // two random points, then one unused draw
    const float r = static_cast<float>(replay.Next()) / 32767.0f;
    EXPECT_FLOAT_EQ(cycle->breakpoints[1].y, 8192.0f - 2000.0f + r * 4000.0f);
    EXPECT_EQ(cycle->breakpoints.front().y, kWheelCentre);
    EXPECT_EQ(cycle->breakpoints.back().y, kWheelCentre);
    replay.Next();
    replay.Next();
    EXPECT_EQ(random.Next(), replay.Next());
}

TEST_F(CycleTest, NextCycleContinuesFromTheLastCurveValue) {
    cycle->Build(10.0f, 5.0f, random);
    EXPECT_EQ(cycle->lastCurveValue, CurveOf(*cycle).back().y);
    cycle->lastCurveValue = 9000.0f;  // as if the curve had ended elsewhere
    cycle->tablePos = 800;
    cycle->Build(10.0f, 5.0f, random);
    EXPECT_EQ(cycle->breakpoints.front().y, 9000.0f);
    EXPECT_EQ(cycle->tablePos, 0);
}

TEST_F(CycleTest, EachEntryHoldsTheHighestValueOfItsColumn) {
    cycle->Build(32.0f, 3.0f, random);
    cycle->CompleteTable();
    std::vector<float> highest(kCycleLength, -1.0f);
    for (const SplinePoint& p : CurveOf(*cycle)) {
        ASSERT_GE(p.x, 0.0f);
        const auto column = static_cast<std::size_t>(p.x);
        if (column < highest.size()) highest[column] = std::max(highest[column], p.y);
    }
    std::int32_t checked = 0;
    for (std::int32_t k = 0; k + 1 < kCycleLength; ++k) {
        if (highest[k] >= 0.0f) {
            EXPECT_EQ(cycle->modTable[k].y, highest[k]) << k;
            ++checked;
        }
    }
    // At this spread the curve has points in nearly every column.
    EXPECT_GT(checked, kCycleLength * 9 / 10);
    EXPECT_EQ(cycle->modTable[kCycleLength - 1].y, kWheelCentre);
    EXPECT_NEAR(cycle->modTable[0].y, kWheelCentre, 5.0f);
}

TEST_F(CycleTest, StoredValuesOutsideThePageRangesStillBuildACycle) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float freq : {nan, inf, -inf, 36.96f, -4.0f, 0.0f})
        for (float amp : {nan, inf, -inf, 1000.0f, -3.0f}) {
            cycle->lastCurveValue = kNoCurveValue;
            cycle->Build(amp, freq, random);
            cycle->CompleteTable();
            ASSERT_GE(cycle->breakpoints.size(), 3u) << amp << " " << freq;
            EXPECT_EQ(cycle->breakpoints.back().x, 4095.0f);
            for (const SplinePoint& p : cycle->breakpoints) {
                EXPECT_GE(p.y, 8192.0f - 3200.0f);
                EXPECT_LE(p.y, 8192.0f + 3200.0f);
            }
            for (const SplinePoint& e : cycle->modTable) {
                ASSERT_GE(e.y, 4096.0f);
                ASSERT_LE(e.y, 12288.0f);
            }
        }
    EXPECT_EQ(UsableFreq(nan), kDefaultFreq);
    EXPECT_EQ(UsableFreq(inf), kFreqMax);
    EXPECT_EQ(UsableAmp(-inf), kAmpMin);
}

}  // namespace
}  // namespace nuv::wobbleton
