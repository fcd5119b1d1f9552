// One modulation cycle of 4096 ticks: random breakpoints around the wheel's
// centre, the spline through them, and the table of one wheel value per tick
// that playback and live input read every kWheelStep ticks; table values
// are absolute 14-bit wheel values around kWheelCentre.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "framework/random_source.h"
#include "framework/spline_polyline.h"

namespace nuv::wobbleton {

inline constexpr std::int32_t kCycleLength = 4096;   // modTable entries, one per tick
inline constexpr std::int32_t kWheelStep = 40;       // ticks between wheel values
inline constexpr float kNoCurveValue = 2147483648.0f;  // lastCurveValue: none yet
inline constexpr float kLowestWheel = 4096.0f;       // table values are kept within these
inline constexpr float kHighestWheel = 12288.0f;

// The page's ranges of the two parameters, and their defaults.
inline constexpr float kAmpMin = 1.0f;
inline constexpr float kAmpMax = 32.0f;
inline constexpr float kFreqMin = 1.0f;
inline constexpr float kFreqMax = 10.0f;
inline constexpr float kDefaultAmp = 10.0f;
inline constexpr float kDefaultFreq = 5.0f;

// The value a cycle is built with: the stored one within the page's range,
// an infinity at its nearer end, not a number as the default. Any thread.
float UsableAmp(float amp);
float UsableFreq(float freq);

class WheelCycle {
public:
    // Draws new breakpoints from `random` and runs the spline through them;
    // tablePos goes back to 0. The first breakpoint continues from
    // lastCurveValue unless that is kNoCurveValue (then the centre), and
    // lastCurveValue becomes the end of the new curve. `amp` and `freq` are
    // taken within the page's ranges, so a cycle always has at least three
    // breakpoints. Host threads.
    void Build(float amp, float freq, RandomSource& random);

    // Entry `index` (0 .. kCycleLength - 1) of the cycle's table. The table is
    // sampled from the curve only as far as its entries are read, so the part
    // of a cycle that a new cycle replaces unread costs nothing. Host threads.
    const SplinePoint& Entry(std::int32_t index);
    // Samples the rest of the table. Host threads.
    void CompleteTable();

    // Completes the table, then releases the breakpoint and curve storage;
    // modTable is fixed storage and keeps the last cycle, so a late reader
    // still finds wheel values.
    void Free();

    std::vector<SplinePoint> breakpoints;
    // y: absolute wheel value; x: bookkeeping. Entries not yet read through
    // Entry (or CompleteTable) may still hold an earlier cycle's values.
    std::array<SplinePoint, kCycleLength> modTable{};
    std::int32_t tablePos = 0;
    float lastCurveValue = kNoCurveValue;

private:
    void PlaceBreakpoints(float amp, float freq, RandomSource& random);
    void StartTable();
    void SampleMore();
    void TakeSamples(const float* xs, const std::int32_t* columns, const float* values, std::int32_t count);
    void FinishTable();

    SplinePolyline spline_;
    std::vector<SplineSegment> segments_;

    // The walk along the curve's polyline that fills the table: the next
    // point (its segment, and its step there, 0 being the segment's start),
    // the column of the points taken so far, the highest value in it, and the
    // value of the last point taken. Every entry left of `column_` is final.
    std::size_t walkSegment_ = 0;
    std::int32_t walkStep_ = 0;
    bool walkDone_ = true;
    std::int32_t column_ = 0;
    float runMax_ = 0.0f;
    float before_ = 0.0f;
};

}  // namespace nuv::wobbleton
