// One control point of an editable curve, copied between an effect and its
// curve control as a whole record. Only the position (x, y) is ever saved; the
// ranges bound where a drag may move it, and the hit, handle and hover fields
// belong to the control's drawing and mouse handling.
#pragma once

#include <cstdint>

namespace nuv {

struct CurvePoint {
    std::int32_t id = 0;    // 1 to 4 for P0 to P3
    std::int32_t kind = 0;  // 1 for P0, 3 for the middle points, 2 for P3
    float hitHalfWidth = 0.0f;
    float hitHalfHeight = 0.0f;
    float x = 0.0f;  // design pixels, y growing downwards
    float y = 0.0f;
    float handleWidth = 0.0f;
    float handleHeight = 0.0f;
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;
    std::int32_t axes = 0;  // 1 vertical only, 3 both; informative, the ranges rule
    std::uint8_t hover = 0;
};

}  // namespace nuv
