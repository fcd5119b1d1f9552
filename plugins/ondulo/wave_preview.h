// The wave preview's evaluation: the points of the curve that the page's wave
// graph draws, computed from a copy of the effect's generator so that a
// repaint never disturbs the wave the engine is playing.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/random_source.h"
#include "plugins/ondulo/wave_generator.h"

namespace nuv::ondulo {

// Ticks of song time per preview point: longer cycles are shown over more beats.
std::int32_t PreviewTicksPerPoint(float cycle);
// Every how many vertical grid lines one is solid, so that the solid lines
// fall on whole beats at 960 ticks per beat.
std::int32_t PreviewSolidLineEvery(float cycle);

// One repaint's worth of curve, all from one copy of the generator.
struct PreviewCurve {
    float targetCycle = 1.0f;         // of the copy; chooses the two spacings below
    std::int32_t ticksPerPoint = 16;
    std::int32_t solidLineEvery = 4;
    // Per point i, at tick ticksPerPoint * i: maxValue - value, held within
    // [minValue, maxValue], so value 127 plots at 0 (the top). Empty when
    // a cycle is shorter than one whole tick or not a number: no wave shows.
    std::vector<float> levels;
};

class WavePreview {
public:
    // [window thread] Evaluates `pointCount` points of the wave that `live`
    // describes, with the phase following the tick and the target amplitude
    // (no glides). `live` is only read, once, at the start. The Random wave
    // draws from the preview's own source, reseeded with 1 each time, so the
    // same parameters always give the same picture.
    void Evaluate(const CWaveGenerator& live, std::int32_t pointCount, PreviewCurve& curve);

private:
    RandomSource random_;
};

}  // namespace nuv::ondulo
