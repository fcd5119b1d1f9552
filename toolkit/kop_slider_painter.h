// The two looks of KopGdiPlusSlider, drawn in client pixels: the horizontal
// look (paint style 11: tick scale, value bar below, thumb with a rounded
// cap) and the vertical look (10: tick scale, value bar beside, thumb with a
// cap opening left, dimmed while the slider is disabled).
#pragma once

#include <cstdint>

#include "toolkit/kop_colour.h"
#include "toolkit/kop_paint_frame.h"
#include "toolkit/slider_scale.h"

namespace nuv::kop {

inline constexpr Argb kSliderTrackColour = 0xFF0A0A14;
inline constexpr Argb kSliderDisabledCover = 0x820A0A0A;

// What the painter reads from its slider.
struct KopSliderLook {
    std::int32_t paintStyle = 0;
    bool vertical = false;
    float value = 0.0f;
    SliderRange range;
    Argb thumbColourTop = 0xFF000000;
    Argb thumbColourBottom = 0xFF000000;
    Argb barColour = 0xFF000000;
    bool barFromFarEnd = false;
    bool enabled = true;
};

// [window thread] Draws the look of `look.paintStyle` (10 or 11; others draw
// nothing) over the frame's whole client area.
void PaintSliderLook(KopPaintFrame& frame, const KopSliderLook& look);

}  // namespace nuv::kop
