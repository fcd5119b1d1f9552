// NuvWobbleton's table of wheel values as the engine sampled it before it
// sampled on demand: the whole polyline of the cycle's curve, walked into all
// 4096 entries at once. Kept as the reference the present table must agree
// with, bit for bit.
#pragma once

#include <array>
#include <vector>

#include "plugins/wobbleton/wheel_cycle.h"

namespace nuv::reference {

using WheelTable = std::array<SplinePoint, wobbleton::kCycleLength>;

void SampleWheelTable(const std::vector<SplinePoint>& curvePolyline, WheelTable& modTable);

}  // namespace nuv::reference
