#include "plugins/ondulo/wave_preview.h"

#include <cmath>
#include <limits>

namespace nuv::ondulo {

namespace {

// The live generator's parameters with the running state of a new record, so
// the picture depends on the parameters alone. Only the fields the engine
// shares are read from `live`, one whole value each.
CWaveGenerator PreviewCopy(const CWaveGenerator& live) {
    CWaveGenerator copy;
    copy.CopySharedFields(live);
    copy.cycleGlideStep = 0.0f;
    copy.amplitudeGlideStep = 0.0f;
    return copy;
}

// Whether a cycle spans at least one whole tick: a shorter one (a tiny,
// zero or negative cycle length from a settings stream, a timebase of 0) or
// one that is not a number has no picture.
bool HasWholeTicks(float cycleTicks) { return std::isfinite(cycleTicks) && cycleTicks >= 1.0f; }

std::int32_t PointTick(std::int32_t ticksPerPoint, std::int32_t index) {
    const std::int64_t tick = static_cast<std::int64_t>(ticksPerPoint) * index;
    const std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(tick > largest ? largest : tick);
}

// maxValue - value within [minValue, maxValue]; a value that is not a number
// plots at minValue.
float PlotLevel(const CWaveGenerator& copy, float value) {
    float level = copy.maxValue - value;
    if (level > copy.maxValue) level = copy.maxValue;
    if (!(level >= copy.minValue)) level = copy.minValue;
    return level;
}

}  // namespace

std::int32_t PreviewTicksPerPoint(float cycle) {
    if (cycle > 8.0f) return 64;
    if (cycle > 4.0f) return 32;
    return 16;
}

std::int32_t PreviewSolidLineEvery(float cycle) {
    if (cycle > 8.0f) return 1;
    if (cycle > 4.0f) return 2;
    return 4;
}

void WavePreview::Evaluate(const CWaveGenerator& live, std::int32_t pointCount, PreviewCurve& curve) {
    CWaveGenerator copy = PreviewCopy(live);
    curve.targetCycle = copy.targetCycle;
    curve.ticksPerPoint = PreviewTicksPerPoint(copy.targetCycle);
    curve.solidLineEvery = PreviewSolidLineEvery(copy.targetCycle);
    curve.levels.clear();
    if (pointCount <= 0 || !HasWholeTicks(copy.targetCycle * copy.ticksPerBeat)) return;
    curve.levels.reserve(static_cast<std::size_t>(pointCount));
    random_.Seed(1);
    float phase = 0.0f;
    for (std::int32_t i = 0; i < pointCount; ++i) {
        const float value = copy.Generate(PointTick(curve.ticksPerPoint, i), phase, true, random_);
        curve.levels.push_back(PlotLevel(copy, value));
    }
}

}  // namespace nuv::ondulo
