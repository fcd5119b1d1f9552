#include "plugins/wobbleton/wheel_cycle.h"

#include <algorithm>
#include <cmath>

namespace nuv::wobbleton {

namespace {

constexpr std::int32_t kLastEntry = kCycleLength - 1;
// Columns beyond this are all "past the end"; keeps integer arithmetic safe
// for any polyline.
constexpr float kColumnBound = 1.0e9f;

float WithinRange(float v, float low, float high, float fallback) {
    if (std::isnan(v)) return fallback;
    return std::min(std::max(v, low), high);
}

// trunc(x), raised to 0 when negative and to `column` when below it.
std::int32_t ColumnOf(float x, std::int32_t column) {
    if (!(x >= static_cast<float>(column))) return column;
    if (x >= kColumnBound) return static_cast<std::int32_t>(kColumnBound);
    return static_cast<std::int32_t>(x);
}

float TableValue(float y) { return WithinRange(y, kLowestWheel, kHighestWheel, kWheelCentre); }

}  // namespace

float UsableAmp(float amp) { return WithinRange(amp, kAmpMin, kAmpMax, kDefaultAmp); }
float UsableFreq(float freq) { return WithinRange(freq, kFreqMin, kFreqMax, kDefaultFreq); }

void WheelCycle::Build(float amp, float freq, RandomSource& random) {
    PlaceBreakpoints(UsableAmp(amp), UsableFreq(freq), random);
    if (!breakpoints.empty()) {
        spline_.Compute(breakpoints.data(), breakpoints.size(), curvePolyline);
        if (!curvePolyline.empty()) lastCurveValue = curvePolyline.back().y;
    }
    SampleIntoTable();
    tablePos = 0;
}

void WheelCycle::Free() {
    std::vector<SplinePoint>().swap(breakpoints);
    std::vector<SplinePoint>().swap(curvePolyline);
}

void WheelCycle::PlaceBreakpoints(float amp, float freq, RandomSource& random) {
    breakpoints.clear();
    const float spread = amp * 100.0f;
    const float lo = kWheelCentre - spread;
    const float hi = kWheelCentre + spread;
    const float spacing = (freq + 4.0f) * 100.0f;
    breakpoints.push_back({0.0f, lastCurveValue == kNoCurveValue ? kWheelCentre : lastCurveValue});
    for (float x = spacing; x < static_cast<float>(kCycleLength); x += spacing) {
        const float r = static_cast<float>(random.Next()) / static_cast<float>(RandomSource::kMax);
        breakpoints.push_back({x, lo + r * (hi - lo)});
    }
    random.Next();  // one draw more, unused, keeps the sequence of cycles
    breakpoints.back() = {static_cast<float>(kLastEntry), kWheelCentre};
}

// Each entry takes the highest curve value whose x falls in its tick column;
// a jump over columns fills them (the old one included) with the mean of the
// two points around it; the cycle ends on the centre.
void WheelCycle::SampleIntoTable() {
    modTable.fill({0.0f, 0.0f});
    std::int32_t column = 0;
    float runMax = 0.0f;
    float before = 0.0f;
    float beforeX = 0.0f;
    for (const SplinePoint& p : curvePolyline) {
        const std::int32_t g = ColumnOf(p.x, column);
        const float y = TableValue(p.y);
        if (g == column) {
            runMax = std::max(runMax, y);
        } else if (g == column + 1) {
            modTable[static_cast<std::size_t>(std::min(column, kLastEntry))] = {beforeX, runMax};
            runMax = y;
        } else {
            const float mean = (before + y) / 2.0f;
            for (std::int32_t k = column; k < std::min(g, kLastEntry); ++k)
                modTable[static_cast<std::size_t>(k)] = {static_cast<float>(k), mean};
            runMax = y;
        }
        beforeX = p.x;
        column = std::min(g, kLastEntry);
        before = y;
    }
    modTable[kLastEntry] = {static_cast<float>(kCycleLength), kWheelCentre};
}

}  // namespace nuv::wobbleton
