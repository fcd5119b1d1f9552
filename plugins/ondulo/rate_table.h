// The cycle lengths of interval mode, with the page's button texts, and the
// ranges that turn a frequency value into an interval index.
#pragma once

#include <cstdint>

namespace nuv::ondulo {

struct RateEntry {
    float cycle;              // cycle length in beats
    const wchar_t* label;     // the interval button's text
    const wchar_t* tooltip;   // the interval button's tooltip
};

inline constexpr std::int32_t kRateCount = 7;

// Interval index 0..6: a sixteenth note up to sixteen beats.
inline constexpr RateEntry RateTable[kRateCount] = {
    {0.25f, L"16th", L"CC = 1-2"},     {0.5f, L"8th", L"CC = 3-5"},        {1.0f, L"Quarter", L"CC = 6-11"},
    {2.0f, L"Half", L"CC = 12-23"},    {4.0f, L"Whole", L"CC = 24-47"},    {8.0f, L"8 Beats", L"CC = 48-95"},
    {16.0f, L"16 Beats", L"CC = 96-127"},
};

// Half-open ranges (low, high] of frequency values, one per interval index.
struct IntervalRange {
    float low;
    float high;
};

inline constexpr IntervalRange IntervalRanges[kRateCount] = {
    {0.0f, 0.375f}, {0.375f, 0.75f}, {0.75f, 1.5f}, {1.5f, 3.0f}, {3.0f, 6.0f}, {6.0f, 12.0f}, {12.0f, 16.0f},
};

// The first interval index whose range holds x. A value below every range
// (0 or less, or not a number) gives 0, one above them gives 6.
std::int32_t IntervalIndexFor(float x);

// An index into RateTable: values outside 0..6 (possible only from a loaded
// stream) are brought to the nearer end.
std::int32_t ClampedRateIndex(std::int32_t index);

// The cycle length of an interval index, clamped as above.
float RateCycle(std::int32_t index);

}  // namespace nuv::ondulo
