// The arithmetic of the value slider, apart from any window: the thumb size
// of each look, where the thumb centre lies for a value, which value a thumb
// position stands for, and the value after a drag step, a wheel notch or a
// key. Every value it answers lies within minimum..maximum. Plain C++, any
// thread.
#pragma once

#include <cstdint>
#include <optional>

namespace nuv::kop {

// A slider's value range and its value; minimum <= value <= maximum.
struct SliderRange {
    float minimum = 0.0f;
    float maximum = 100.0f;
};

// The value axis of a slider in client pixels: its length, and the thumb's
// length along it and half of that.
struct SliderAxis {
    float length = 0.0f;
    float thumbLength = 0.0f;
    float thumbMargin = 0.0f;
};

// The thumb of a look, across both axes, for a client area of w x h.
struct ThumbSize {
    float x = 0.0f;
    float y = 0.0f;
};

// Horizontal look (paint style 11): w / 25 by 13.55 h / 20. Vertical look
// (10): 21 (w - 1) / 25 by 1.5 (h - 1) / 20. Other styles have no thumb.
ThumbSize ThumbSizeOf(std::int32_t paintStyle, float w, float h);

// The value axis: along y when `vertical`, else along x.
SliderAxis AxisOf(std::int32_t paintStyle, bool vertical, float w, float h);

float ClampToRange(float value, const SliderRange& range);

// The thumb centre of `value`: its fraction of the range times the free
// length, plus the thumb margin.
float ThumbCentre(float value, const SliderRange& range, const SliderAxis& axis);

// Where the thumb centre goes for a mouse at `p` grabbed `grab` off the
// centre: within [margin, length - margin].
float DragTarget(float p, float grab, const SliderAxis& axis);

// The value a thumb centre at `target` stands for, within the range.
float ValueAtCentre(float target, const SliderRange& range, const SliderAxis& axis);

// The value one wheel notch leads to: forward raises it when `reverseWheel`,
// lowers it otherwise; kept within the range.
float WheelStepped(float value, bool forward, bool reverseWheel, const SliderRange& range);

enum class SliderKey { kPageUp, kPageDown, kEnd, kHome, kDecrease, kIncrease };

// The value a key leads to, within the range: Page Up and Page Down step by
// `pageStep` (down and up), End goes to the maximum, Home to
// `defaultValue`, the arrows step by 1.
float KeyedValue(SliderKey key, float value, float defaultValue, float pageStep, const SliderRange& range);

// The value as the notifications carry it: truncated toward zero.
std::int32_t NotifiedValue(float value);

}  // namespace nuv::kop
