#include "toolkit/slider_scale.h"

#include <algorithm>
#include <cmath>

namespace nuv::kop {

namespace {

constexpr std::int32_t kVerticalLook = 10;
constexpr std::int32_t kHorizontalLook = 11;

// The range's width, or 0 for a range without one (no fraction of it exists).
float Span(const SliderRange& range) {
    const float r = range.maximum - range.minimum;
    return r > 0.0f ? r : 0.0f;
}

}  // namespace

ThumbSize ThumbSizeOf(std::int32_t paintStyle, float w, float h) {
    if (paintStyle == kHorizontalLook) return ThumbSize{w / 25.0f, 13.55f * (h / 20.0f)};
    if (paintStyle == kVerticalLook) return ThumbSize{21.0f * ((w - 1.0f) / 25.0f), 1.5f * ((h - 1.0f) / 20.0f)};
    return ThumbSize{};
}

SliderAxis AxisOf(std::int32_t paintStyle, bool vertical, float w, float h) {
    const ThumbSize thumb = ThumbSizeOf(paintStyle, w, h);
    SliderAxis axis;
    axis.length = vertical ? h : w;
    axis.thumbLength = vertical ? thumb.y : thumb.x;
    axis.thumbMargin = axis.thumbLength / 2.0f;
    return axis;
}

float ClampToRange(float value, const SliderRange& range) {
    if (!(value >= range.minimum)) return range.minimum;  // a NaN goes to the minimum too
    return value > range.maximum ? range.maximum : value;
}

float ThumbCentre(float value, const SliderRange& range, const SliderAxis& axis) {
    const float r = Span(range);
    const float fraction = r > 0.0f ? (value - range.minimum) / r : 0.0f;
    return fraction * (axis.length - axis.thumbLength) + axis.thumbMargin;
}

float DragTarget(float p, float grab, const SliderAxis& axis) {
    const float low = axis.thumbMargin;
    const float high = std::max(low, axis.length - axis.thumbMargin);
    return std::clamp(p - grab, low, high);
}

float ValueAtCentre(float target, const SliderRange& range, const SliderAxis& axis) {
    const float free = axis.length - axis.thumbLength;
    if (!(free > 0.0f)) return range.minimum;
    return ClampToRange((target - axis.thumbMargin) / free * Span(range) + range.minimum, range);
}

float WheelStepped(float value, bool forward, bool reverseWheel, const SliderRange& range) {
    const float step = forward == reverseWheel ? 1.0f : -1.0f;
    return ClampToRange(ClampToRange(value, range) + step, range);
}

float KeyedValue(SliderKey key, float value, float defaultValue, float pageStep, const SliderRange& range) {
    switch (key) {
    case SliderKey::kPageUp:
        return ClampToRange(value - pageStep, range);
    case SliderKey::kPageDown:
        return ClampToRange(value + pageStep, range);
    case SliderKey::kEnd:
        return range.maximum;
    case SliderKey::kHome:
        return ClampToRange(defaultValue, range);
    case SliderKey::kDecrease:
        return ClampToRange(value - 1.0f, range);
    case SliderKey::kIncrease:
        return ClampToRange(value + 1.0f, range);
    }
    return ClampToRange(value, range);
}

std::int32_t NotifiedValue(float value) {
    constexpr float kLargest = 2147483520.0f;  // the largest float below 2^31
    if (!std::isfinite(value)) return 0;
    return static_cast<std::int32_t>(std::clamp(value, -kLargest, kLargest));
}

}  // namespace nuv::kop
