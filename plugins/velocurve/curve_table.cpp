#include "plugins/velocurve/curve_table.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace nuv::velocurve {

namespace {

constexpr std::int32_t kTopLevel = 127;
// Column numbers are kept within this bound before any integer arithmetic;
// only a polyline far outside its control comes near it.
constexpr float kColumnBound = 1.0e9f;

// Nearest integer, a half going away from zero, within [low, high]; not a
// number gives low.
std::int64_t NearestWithin(float v, float low, float high) {
    if (!(v >= low)) return static_cast<std::int64_t>(low);
    if (v >= high) return static_cast<std::int64_t>(high);
    return static_cast<std::int64_t>(std::round(v));
}

// Integer part within [low, high]; not a number gives low.
std::int32_t TruncWithin(float v, std::int32_t low, std::int32_t high) {
    if (!(v >= static_cast<float>(low))) return low;
    if (v >= static_cast<float>(high)) return high;
    return static_cast<std::int32_t>(v);
}

std::int32_t BookkeepingX(float x) { return TruncWithin(x, -(1 << 30), 1 << 30); }

bool IsFinite(const SplinePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

struct Entry {
    std::int32_t x;
    std::int32_t y;
};

}  // namespace

bool FillCurveTable(const std::vector<SplinePoint>& polyline, float designHeight, float firstY, float lastY,
                    CurveTableEntry* table) {
    if (table == nullptr || polyline.size() < 2 || !(designHeight > 0.0f)) return false;
    float xmax = 0.0f;
    for (const SplinePoint& p : polyline) {
        if (IsFinite(p)) xmax = std::max(xmax, p.x);
    }
    if (!(xmax > 0.0f)) return false;
    const float sx = static_cast<float>(kCurveTableSize) / xmax;
    const float sy = static_cast<float>(kTopLevel) / designHeight;

    // The new table is worked out on the side and then stored entry by
    // entry, so that an engine reading the table meanwhile only ever sees an
    // entry's old or its final value. Entries the polyline never reaches keep
    // theirs.
    std::array<Entry, kCurveTableSize> next;
    for (std::int32_t k = 0; k < kCurveTableSize; ++k) next[k] = {table[k].x, table[k].y};

    std::int64_t prevIndex = 0;
    std::int32_t prevOut = 0;
    float prevX = 0.0f;
    std::int32_t runMax = 0;
    for (const SplinePoint& p : polyline) {
        if (!IsFinite(p)) continue;
        const std::int64_t index = NearestWithin(p.x * sx + 0.5f, -kColumnBound, kColumnBound);
        const auto level = static_cast<std::int32_t>(NearestWithin(p.y * sy + 0.5f, 0.0f, kTopLevel));
        const std::int32_t out = kTopLevel - level;
        if (index == prevIndex) {
            runMax = std::max(runMax, out);
        } else if (index == prevIndex + 1) {
            // A curve that overshoots left of the control has columns below
            // 0; they belong to no entry.
            if (prevIndex >= 0) next[std::min<std::int64_t>(prevIndex, kCurveTableSize - 1)] = {BookkeepingX(prevX), runMax};
            runMax = out;
        } else {
            // A jump of two or more columns, or backwards: the columns from the
            // old one on take the mean of the two levels around the jump.
            const std::int32_t mean = (out + prevOut) / 2;
            const std::int64_t span = index > prevIndex ? index - prevIndex : prevIndex - index;
            const std::int64_t from = std::max<std::int64_t>(prevIndex, 0);
            const std::int64_t to = std::min<std::int64_t>(prevIndex + span, kCurveTableSize);
            for (std::int64_t k = from; k < to; ++k) next[k] = {static_cast<std::int32_t>(k), mean};
        }
        prevIndex = index;
        prevOut = out;
        prevX = p.x;
    }
    next[0].y = TruncWithin(static_cast<float>(kTopLevel) - firstY, 0, kTopLevel);
    next[kCurveTableSize - 1].y = kTopLevel - TruncWithin(lastY, 0, kTopLevel);
    for (std::int32_t k = 0; k < kCurveTableSize; ++k) {
        table[k].x = next[k].x;
        if (table[k].y != next[k].y) table[k].y = next[k].y;
    }
    return true;
}

bool FillCurveTable(const std::vector<SplinePoint>& polyline, const CurvePoint (&placed)[kCurvePointCount],
                    CurveTableEntry* table) {
    return FillCurveTable(polyline, kCurveDesignSize.height, placed[0].y, placed[kCurvePointCount - 1].y, table);
}

}  // namespace nuv::velocurve
