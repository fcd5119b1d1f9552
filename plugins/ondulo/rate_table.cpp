#include "plugins/ondulo/rate_table.h"

namespace nuv::ondulo {

std::int32_t IntervalIndexFor(float x) {
    for (std::int32_t i = 0; i < kRateCount; ++i) {
        if (IntervalRanges[i].low < x && x <= IntervalRanges[i].high) return i;
    }
    return x > IntervalRanges[kRateCount - 1].high ? kRateCount - 1 : 0;
}

std::int32_t ClampedRateIndex(std::int32_t index) {
    if (index < 0) return 0;
    if (index >= kRateCount) return kRateCount - 1;
    return index;
}

float RateCycle(std::int32_t index) { return RateTable[ClampedRateIndex(index)].cycle; }

}  // namespace nuv::ondulo
