// The compander's curve table and its fill from a curve polyline. The table
// maps an input value v (0..127) to the low byte of entry v's y; x is the
// fill's own bookkeeping and is never read by the engine.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/curve_point.h"
#include "framework/spline_polyline.h"
#include "platform/relaxed_atomic.h"
#include "plugins/velocurve/default_curve_points.h"

namespace nuv::velocurve {

// One entry of the table. The engine reads `y` without a lock while the
// curve control refills the table, one whole value at a time; `x` is the
// fill's own bookkeeping.
struct CurveTableEntry {
    CurveTableEntry() = default;
    CurveTableEntry(std::int32_t x0, std::int32_t y0) : x(x0), y(y0) {}
    CurveTableEntry(const CurveTableEntry& other) : x(other.x), y(static_cast<std::int32_t>(other.y)) {}
    CurveTableEntry& operator=(const CurveTableEntry& other) {
        x = other.x;
        y = static_cast<std::int32_t>(other.y);
        return *this;
    }

    std::int32_t x = 0;
    Relaxed<std::int32_t> y;
};

inline constexpr std::int32_t kCurveTableSize = 128;

// Fills `table` (kCurveTableSize entries) from a polyline in the curve
// control's design pixels (y growing downwards) of height `designHeight`:
// each entry takes the highest curve level that falls in its column, scaled so
// that the full height spans 127 levels and inverted, and a jump over columns
// fills them with the mean of the two levels around it. Entry 0 then takes
// 127 - firstY and the last entry 127 - lastY directly (P0's and P3's heights),
// each kept within 0..127.
// Nothing is written, and the result is false, for a polyline of fewer than
// two points, one without a positive finite largest x, or a height that is
// not positive. Points that are not finite are passed over, and columns left
// of the table (a curve overshooting its left edge) or right of it are not
// written. Each entry is stored once, with its final value, so that an engine
// reading the table meanwhile never sees a value in between. Window thread
// (the curve control) or the effect's own refill.
bool FillCurveTable(const std::vector<SplinePoint>& polyline, float designHeight, float firstY, float lastY,
                    CurveTableEntry* table);

// The fill that the page's curve control and the effect both run, so that
// they always agree: the polyline through the four placed points, at the
// curve's design height, with the end entries from P0's and P3's heights.
// Window thread (the curve control) or the effect's own refill.
bool FillCurveTable(const std::vector<SplinePoint>& polyline, const CurvePoint (&placed)[kCurvePointCount],
                    CurveTableEntry* table);

}  // namespace nuv::velocurve
