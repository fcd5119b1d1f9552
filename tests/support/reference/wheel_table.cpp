#include "tests/support/reference/wheel_table.h"

#include <algorithm>
#include <cmath>

namespace nuv::reference {

namespace {

using namespace nuv::wobbleton;

constexpr std::int32_t kLastEntry = kCycleLength - 1;
constexpr float kColumnBound = 1.0e9f;

std::int32_t ColumnOf(float x, std::int32_t column) {
    if (!(x >= static_cast<float>(column))) return column;
    if (x >= kColumnBound) return static_cast<std::int32_t>(kColumnBound);
    return static_cast<std::int32_t>(x);
}

float TableValue(float y) {
    if (std::isnan(y)) return kWheelCentre;
    return std::min(std::max(y, kLowestWheel), kHighestWheel);
}

}  // namespace

void SampleWheelTable(const std::vector<SplinePoint>& curvePolyline, WheelTable& modTable) {
    modTable.fill({0.0f, 0.0f});
    std::int32_t column = 0;
    float runMax = 0.0f;
    float before = 0.0f;
    float beforeX = 0.0f;
    for (const SplinePoint& p : curvePolyline) {
        const std::int32_t g = ColumnOf(p.x, column);
        const float y = TableValue(p.y);
        if (g == column) {
            runMax = std::max(runMax, y);
        } else if (g == column + 1) {
            modTable[static_cast<std::size_t>(std::min(column, kLastEntry))] = {beforeX, runMax};
            runMax = y;
        } else {
            const float mean = (before + y) / 2.0f;
            for (std::int32_t k = column; k < std::min(g, kLastEntry); ++k)
                modTable[static_cast<std::size_t>(k)] = {static_cast<float>(k), mean};
            runMax = y;
        }
        beforeX = p.x;
        column = std::min(g, kLastEntry);
        before = y;
    }
    modTable[kLastEntry] = {static_cast<float>(kCycleLength), kWheelCentre};
}

}  // namespace nuv::reference
