#include "plugins/wobbleton/wheel_cycle.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace nuv::wobbleton {

namespace {

constexpr std::int32_t kLastEntry = kCycleLength - 1;
// Every column from here on is as good as any other past the end of the
// table; keeps the integer conversion safe for any polyline.
constexpr float kColumnBound = 2.0f * kCycleLength;

float WithinRange(float v, float low, float high, float fallback) {
    if (std::isnan(v)) return fallback;
    return std::min(std::max(v, low), high);
}

// trunc(x), or -1 for anything below -1 or not a number; raised to the
// current column, it is the column a point falls in (never behind the walk).
std::int32_t ColumnCandidate(float x) {
    const float atLeast = x >= -1.0f ? x : -1.0f;
    return static_cast<std::int32_t>(atLeast < kColumnBound ? atLeast : kColumnBound);
}

// y within the wheel's limits; the centre for not a number.
float TableValue(float y) {
    const float high = y < kHighestWheel ? y : kHighestWheel;
    const float within = high > kLowestWheel ? high : kLowestWheel;
    return y == y ? within : kWheelCentre;
}

// Table values are 4096 or more, so their bit patterns order as they do.
std::uint32_t BitsOf(float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}
float FloatOf(std::uint32_t bits) {
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

float UsableAmp(float amp) { return WithinRange(amp, kAmpMin, kAmpMax, kDefaultAmp); }
float UsableFreq(float freq) { return WithinRange(freq, kFreqMin, kFreqMax, kDefaultFreq); }

void WheelCycle::Build(float amp, float freq, RandomSource& random) {
    PlaceBreakpoints(UsableAmp(amp), UsableFreq(freq), random);
    if (!breakpoints.empty()) {
        spline_.ComputeSegments(breakpoints.data(), breakpoints.size(), segments_);
        if (!segments_.empty()) lastCurveValue = SegmentSample(segments_.back(), segments_.back().steps).y;
    }
    StartTable();
    tablePos = 0;
}

const SplinePoint& WheelCycle::Entry(std::int32_t index) {
    while (!walkDone_ && index >= column_) SampleMore();
    return modTable[static_cast<std::size_t>(index)];
}

void WheelCycle::CompleteTable() {
    while (!walkDone_) SampleMore();
}

void WheelCycle::Free() {
    CompleteTable();
    std::vector<SplinePoint>().swap(breakpoints);
    std::vector<SplineSegment>().swap(segments_);
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

// The table is the polyline through the segments (each segment's start, then
// its samples) walked point by point: each entry takes the highest curve value
// whose x falls in its tick column; a jump over columns fills them (the old one
// included) with the mean of the two points around it; the cycle ends on the
// centre. The points are worked out a chunk at a time, when an entry not yet
// final is read, and never stored beyond the chunk.
//
// The entry of the walk's current column always holds what leaving it for the
// next column would write there (the x of its last point and its highest
// value), so only a jump needs a branch. Once the walk reaches the last
// column nothing but that column changes, and the end overwrites it.
void WheelCycle::StartTable() {
    walkSegment_ = 0;
    walkStep_ = 0;
    walkDone_ = false;
    column_ = 0;
    runMax_ = 0.0f;
    before_ = 0.0f;
    modTable[0] = {0.0f, 0.0f};
}

void WheelCycle::SampleMore() {
    if (walkSegment_ >= segments_.size()) {
        FinishTable();
        return;
    }
    const SplineSegment& segment = segments_[walkSegment_];
    constexpr std::int32_t kChunk = 64;
    float xs[kChunk];
    float ys[kChunk];
    std::int32_t count = 0;
    if (walkStep_ == 0) {
        xs[0] = segment.start.x;
        ys[0] = segment.start.y;
        count = 1;
        walkStep_ = 1;
    }
    const std::int32_t samples = std::min(kChunk - count, segment.steps - walkStep_ + 1);
    for (std::int32_t i = 0; i < samples; ++i) {
        const SplinePoint p = SegmentSample(segment, walkStep_ + i);
        xs[count + i] = p.x;
        ys[count + i] = p.y;
    }
    walkStep_ += samples;
    if (walkStep_ > segment.steps) {
        ++walkSegment_;
        walkStep_ = 0;
    }
    count += samples;
    // Each point's column and table value, worked out for the whole chunk at
    // once (the loop has no branches, so it runs on vectors).
    std::int32_t columns[kChunk];
    float values[kChunk];
    for (std::int32_t i = 0; i < count; ++i) {
        columns[i] = ColumnCandidate(xs[i]);
        values[i] = TableValue(ys[i]);
    }
    TakeSamples(xs, columns, values, count);
}

void WheelCycle::TakeSamples(const float* xs, const std::int32_t* columns, const float* values, std::int32_t count) {
    std::int32_t column = column_;
    std::uint32_t runMax = BitsOf(runMax_);
    float before = before_;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t g = std::max(columns[i], column);
        const float y = values[i];
        if (g > column + 1) {
            const float mean = (before + y) / 2.0f;
            for (std::int32_t k = column; k < std::min(g, kLastEntry); ++k)
                modTable[static_cast<std::size_t>(k)] = {static_cast<float>(k), mean};
        }
        // In the same column the highest value so far stays in the running;
        // in a new one only this point's value counts.
        const std::uint32_t keep = 0u - static_cast<std::uint32_t>(g == column);
        runMax = std::max(runMax & keep, BitsOf(y));
        column = std::min(g, kLastEntry);
        modTable[static_cast<std::size_t>(column)] = {xs[i], FloatOf(runMax)};
        before = y;
        if (column == kLastEntry) break;
    }
    column_ = column;
    runMax_ = FloatOf(runMax);
    before_ = before;
    if (column_ == kLastEntry) FinishTable();
}

// The columns the walk never reached stay empty.
void WheelCycle::FinishTable() {
    for (std::int32_t k = column_; k < kLastEntry; ++k) modTable[static_cast<std::size_t>(k)] = {0.0f, 0.0f};
    modTable[kLastEntry] = {static_cast<float>(kCycleLength), kWheelCentre};
    walkDone_ = true;
}

}  // namespace nuv::wobbleton
