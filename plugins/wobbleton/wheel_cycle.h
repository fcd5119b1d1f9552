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
    // Draws new breakpoints from `random`, runs the spline through them and
    // samples it into modTable; tablePos goes back to 0. The first breakpoint
    // continues from lastCurveValue unless that is kNoCurveValue (then the
    // centre). `amp` and `freq` are taken within the page's ranges, so a cycle
    // always has at least three breakpoints. Host threads.
    void Build(float amp, float freq, RandomSource& random);

    // Releases the breakpoint and polyline storage; modTable is fixed storage
    // and keeps the last cycle, so a late reader still finds wheel values.
    void Free();

    std::vector<SplinePoint> breakpoints;
    std::vector<SplinePoint> curvePolyline;
    std::array<SplinePoint, kCycleLength> modTable{};  // y: absolute wheel value; x: bookkeeping
    std::int32_t tablePos = 0;
    float lastCurveValue = kNoCurveValue;

private:
    void PlaceBreakpoints(float amp, float freq, RandomSource& random);
    void SampleIntoTable();

    SplinePolyline spline_;
};

}  // namespace nuv::wobbleton
