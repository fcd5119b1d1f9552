#include "fuzz/wheel_cycle_session.h"

#include <cstring>
#include <vector>

#include "framework/random_source.h"
#include "framework/spline_polyline.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/fuzz_input.h"
#include "plugins/wobbleton/wheel_cycle.h"
#include "tests/support/reference/wheel_table.h"

namespace nuv::fuzz {

namespace {

using namespace nuv::wobbleton;

bool SameBits(const SplinePoint& a, const SplinePoint& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CheckBreakpoints(const WheelCycle& cycle) {
    const std::vector<SplinePoint>& points = cycle.breakpoints;
    Check(points.size() >= 3, "a cycle has fewer than three breakpoints");
    Check(points.front().x == 0.0f, "a cycle's first breakpoint is not at x 0");
    Check(points.back().x == static_cast<float>(kCycleLength - 1) && points.back().y == kWheelCentre,
          "a cycle does not end on the centre at x 4095");
    Check(cycle.tablePos == 0, "a new cycle does not start at entry 0");
}

}  // namespace

void RunWheelCycleInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    RandomSource random(input.Raw32());
    WheelCycle cycle;
    SplinePolyline spline;
    std::vector<SplinePoint> polyline;
    reference::WheelTable expected;
    while (!input.Empty()) {
        const float amp = input.Float();
        const float freq = input.Float();
        const std::uint8_t carry = input.Byte();
        if (carry == 1) cycle.lastCurveValue = kNoCurveValue;
        if (carry > 1) {
            // Any value a curve can end on: one within the wheel's 14 bits.
            const float value = input.Float();
            if (value >= 0.0f && value <= 16383.0f) cycle.lastCurveValue = value;
        }
        const std::int32_t readAhead = input.Word() % (kCycleLength + 1);
        const bool free = (input.Byte() & 1) != 0;

        const CallTimer timer;
        cycle.Build(amp, freq, random);
        CheckBreakpoints(cycle);
        std::vector<SplinePoint> early;
        for (std::int32_t i = 0; i < readAhead; i += kWheelStep) early.push_back(cycle.Entry(i));
        spline.Compute(cycle.breakpoints.data(), cycle.breakpoints.size(), polyline);
        if (free) {
            cycle.Free();
        } else {
            cycle.CompleteTable();
        }
        timer.CheckWithin("a wheel cycle", kCycleLength);

        reference::SampleWheelTable(polyline, expected);
        for (std::int32_t i = 0; i < kCycleLength; ++i) {
            const SplinePoint& entry = cycle.modTable[static_cast<std::size_t>(i)];
            Check(SameBits(entry, expected[static_cast<std::size_t>(i)]),
                  "the table differs from the whole-polyline sampling");
        }
        // The entries playback and live input read; a column the curve ends
        // short of (the one before the last, when its last sample falls a
        // hair below x 4095) stays empty, and is never read.
        for (std::int32_t i = 0; i < kCycleLength; i += kWheelStep) {
            const float y = cycle.modTable[static_cast<std::size_t>(i)].y;
            Check(y >= kLowestWheel && y <= kHighestWheel, "a table entry that is read lies beyond the wheel's range");
        }
        Check(cycle.modTable[kCycleLength - 1].y == kWheelCentre, "the table does not end on the centre");
        for (std::size_t k = 0; k < early.size(); ++k)
            Check(SameBits(early[k], cycle.modTable[k * kWheelStep]), "an entry read on demand changed later");
    }
}

}  // namespace nuv::fuzz
