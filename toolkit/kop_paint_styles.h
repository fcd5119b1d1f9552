// The paint style numbers: each owner-drawn control carries one, and painting
// dispatches on it. Other numbers draw nothing.
#pragma once

#include <cstdint>

namespace nuv::kop {

enum KopPaintStyle : std::int32_t {
    kPaintNothing = 0,
    kPaintLogoBadge = 1,
    kPaintCheckBox = 2,
    kPaintWaveformIcon = 3,
    kPaintLampBar = 4,
    kPaintPowerKnob = 5,
    kPaintRoundLamp = 6,
    kPaintTextButton = 7,
    kPaintTriangleLeft = 8,
    kPaintTriangleRight = 9,
    kPaintVerticalSlider = 10,
    kPaintHorizontalSlider = 11,
    kPaintLightMetalText = 12,
    kPaintWhiteToBlackText = 13,
};

// The icons of the waveform style, in the order of the modulator's waves.
enum KopWaveformIcon : std::int32_t {
    kIconNone = 0,
    kIconSine = 1,
    kIconSquare = 2,
    kIconTriangle = 3,
    kIconSawtooth = 4,
    kIconPulse = 5,
    kIconRandom = 6,
};

}  // namespace nuv::kop
