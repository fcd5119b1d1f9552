#include "plugins/shiftwell/key_position.h"

#include <algorithm>
#include <cmath>

#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::shiftwell {

namespace {

constexpr double kKeySpan = kHighestKey - kLowestKey;

}  // namespace

std::int32_t ShownKey(std::int32_t key) { return std::min(std::max(key, kLowestKey), kHighestKey); }

float KeyPosition(std::int32_t key) {
    return static_cast<float>(ShownKey(key) - kLowestKey) / static_cast<float>(kKeySpan);
}

std::int32_t KeyAtPosition(float position) {
    if (std::isnan(position)) return kLowestKey;
    const double key = std::round(static_cast<double>(position) * kKeySpan) + kLowestKey;
    return static_cast<std::int32_t>(std::min(std::max(key, double{kLowestKey}), double{kHighestKey}));
}

}  // namespace nuv::shiftwell
