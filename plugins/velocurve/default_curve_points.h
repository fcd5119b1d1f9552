// The compander curve's four control points as a fresh curve has them, the
// curve control's design size they are measured in, and the rule that keeps a
// point inside its drag ranges.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/curve_point.h"

namespace nuv::velocurve {

struct CurveDesignSize {
    float width;
    float height;
};

// The curve control at the page's design size: 178 x 79 dialog units of the
// page template, 267 x 128 pixels at 96 DPI with the template's font.
inline constexpr CurveDesignSize kCurveDesignSize = {267.0f, 128.0f};

inline constexpr std::size_t kCurvePointCount = 4;

// How far the middle points keep from the control's top and bottom edges,
// from its left and right edges, and from its vertical centre line.
inline constexpr float kMiddlePointMarginY = 5.0f;
inline constexpr float kMiddlePointMarginX = 20.0f;
inline constexpr float kMiddlePointCentreGap = 5.0f;

// The y of P0 to P3 of the rising diagonal in a control `height` high.
constexpr float DefaultPointY(std::size_t index, float height) {
    return index == 0 ? height - 1.0f : index == 1 ? 3.0f * height / 4.0f : index == 2 ? height / 4.0f : 0.0f;
}

// The output value a point at design height y stands for, as the page shows
// it: the integer part of 127 - y, kept within 0..127 as the table's end
// entries are (an end point at the very bottom, y = H = 128, maps to 0).
inline constexpr float kTopOutputValue = 127.0f;
constexpr std::int32_t OutputValueAt(float y) {
    const float value = kTopOutputValue - y;
    return value >= kTopOutputValue ? static_cast<std::int32_t>(kTopOutputValue)
                                    : (value > 0.0f ? static_cast<std::int32_t>(value) : 0);
}

// P0 to P3 of the rising diagonal in a width x height control, with their
// ids, kinds, hit and handle sizes and drag ranges. Any thread.
void MakeDefaultCurvePoints(float width, float height, CurvePoint (&points)[kCurvePointCount]);

// The points a curve control of the design size shows for these stored
// positions: the default diagonal when none was ever placed (all four at the
// origin, as a fresh effect stores them, which no page leaves behind since P3
// sits at the right edge), otherwise each stored position placed within its
// point's ranges. Any thread.
void PlaceStoredPoints(const CurvePoint (&stored)[kCurvePointCount], CurvePoint (&placed)[kCurvePointCount]);

// Moves `point` to (x, y) clamped into its ranges. A coordinate that is not a
// number leaves that coordinate where it was (before the clamp). Any thread.
void PlaceWithinRange(CurvePoint& point, float x, float y);

}  // namespace nuv::velocurve
