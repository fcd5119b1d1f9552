// The table sampled on demand holds, entry for entry and bit for bit, what the
// earlier sampling of the whole polyline gave, whether it is read in the steps
// of playback and dropped or read to the end; for cycles at every setting,
// stored extremes and odd carried curve values included.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>

#include "tests/support/random_song.h"
#include "tests/support/reference/wheel_table.h"

namespace nuv::wobbleton {
namespace {

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameBits(const SplinePoint& a, const SplinePoint& b) { return SameBits(a.x, b.x) && SameBits(a.y, b.y); }

TEST(WheelTable, SampledOnDemandAsTheWholePolylineWasSampled) {
    auto cycle = std::make_unique<WheelCycle>();
    auto expected = std::make_unique<reference::WheelTable>();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float odd[] = {kNoCurveValue, nan, std::numeric_limits<float>::infinity(), -4.0f, 1000.0f, -1.0e30f};
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        testing::RandomSong pick(seed);
        RandomSource random(seed);
        if (pick.Chance(40)) cycle->lastCurveValue = pick.Chance(50) ? odd[pick.Between(0, 5)] : 8192.0f;
        const float amp = pick.Chance(15) ? odd[pick.Between(1, 5)] : static_cast<float>(pick.Between(1, 32));
        const float freq = pick.Chance(15) ? odd[pick.Between(1, 5)] : static_cast<float>(pick.Between(1, 10));
        cycle->Build(amp, freq, random);
        const auto curve = ComputeSplinePolyline(cycle->breakpoints.data(), cycle->breakpoints.size());
        reference::SampleWheelTable(curve, *expected);
        ASSERT_TRUE(SameBits(cycle->lastCurveValue, curve.back().y)) << "seed " << seed;
        // Playback reads every kWheelStep entries from the start, often not far.
        const std::int32_t readTo = pick.Chance(50) ? pick.Between(0, kCycleLength - 1) : kCycleLength - 1;
        for (std::int32_t pos = 0; pos <= readTo; pos += kWheelStep)
            ASSERT_TRUE(SameBits(cycle->Entry(pos), (*expected)[pos])) << "seed " << seed << ", entry " << pos;
        if (pick.Chance(50)) continue;  // dropped, as a cycle that the next note replaces
        cycle->CompleteTable();
        for (std::int32_t k = 0; k < kCycleLength; ++k)
            ASSERT_TRUE(SameBits(cycle->modTable[k], (*expected)[k])) << "seed " << seed << ", entry " << k;
    }
}

}  // namespace
}  // namespace nuv::wobbleton
