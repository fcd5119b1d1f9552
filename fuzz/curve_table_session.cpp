#include "fuzz/curve_table_session.h"

#include <vector>

#include "framework/spline_polyline.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/fuzz_input.h"
#include "platform/com_ref.h"
#include "plugins/velocurve/curve_table.h"
#include "plugins/velocurve/velocurve_effect.h"

namespace nuv::fuzz {

namespace {

using velocurve::CurveTableEntry;
using velocurve::kCurveTableSize;

// The table as it stood before, with a guard entry on either side that no
// fill may touch.
struct GuardedTable {
    static constexpr std::int32_t kGuard = -12345;
    CurveTableEntry entries[kCurveTableSize + 2];

    GuardedTable() {
        for (std::int32_t i = 0; i < kCurveTableSize + 2; ++i) entries[i] = {i, i == 0 || i == kCurveTableSize + 1 ? kGuard : i - 1};
    }
    CurveTableEntry* Table() { return entries + 1; }
    void CheckLevels(const char* what) const {
        Check(entries[0].y == kGuard && entries[kCurveTableSize + 1].y == kGuard, "the fill wrote outside the table");
        for (std::int32_t i = 1; i <= kCurveTableSize; ++i) Check(entries[i].y >= 0 && entries[i].y <= 127, what);
    }
    bool Untouched() const {
        for (std::int32_t i = 1; i <= kCurveTableSize; ++i)
            if (entries[i].x != i || entries[i].y != i - 1) return false;
        return true;
    }
};

void CheckEffectFill(const std::vector<SplinePoint>& points) {
    ComRef<velocurve::NuvMfx> effect(new velocurve::NuvMfx);
    for (std::size_t i = 0; i < velocurve::kCurvePointCount; ++i) {
        effect->curvePoints[i].x = points[i].x;
        effect->curvePoints[i].y = points[i].y;
    }
    const CallTimer timer;
    effect->FillTableFromPoints();
    timer.CheckWithin("the effect's curve fill", 0);
    for (const CurveTableEntry& entry : effect->curveTable)
        Check(entry.y >= 0 && entry.y <= 127, "the effect's table holds a level outside 0..127");
}

}  // namespace

void RunCurveTableInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t mode = input.Byte();
    std::vector<SplinePoint> points(2 + input.Byte() % 15);
    for (SplinePoint& p : points) {
        p.x = input.Float();
        p.y = input.Float();
    }
    const float height = input.Float();
    const float firstY = input.Float();
    const float lastY = input.Float();

    std::vector<SplinePoint> polyline = points;
    if ((mode & 1) != 0) {
        const CallTimer timer;
        SplinePolyline().Compute(points.data(), points.size(), polyline);
        timer.CheckWithin("the spline", polyline.size());
    }
    GuardedTable table;
    const CallTimer timer;
    const bool filled = velocurve::FillCurveTable(polyline, height, firstY, lastY, table.Table());
    timer.CheckWithin("the curve fill", 0);
    table.CheckLevels("the fill wrote a level outside 0..127");
    if (!filled) Check(table.Untouched(), "a refused fill changed the table");

    if ((mode & 2) != 0 && points.size() >= velocurve::kCurvePointCount) CheckEffectFill(points);
}

}  // namespace nuv::fuzz
