// The owner-drawn button of the pages: toggles (power switch, option
// buttons), momentary push buttons, the logo badge, lamps, arrows and
// waveform icons, each drawn by the painter of its paint style.
#pragma once

#include <cstdint>

#include "toolkit/kop_button_base.h"
#include "toolkit/kop_colour.h"

namespace nuv::kop {

class KopGdiPlusButton : public KopButtonBase {
public:
    KopGdiPlusButton() : KopButtonBase(true) {}

    // [window thread] checked := (flag == 0); repaints.
    void SetUnchecked(std::int32_t flag) { SetChecked(flag == 0); }

    // Set by the page during its set-up; Repaint() applies them later.
    std::int32_t icon = 0;               // the waveform icon of style 3 (KopWaveformIcon)
    Argb checkedColour = 0xFF000000;     // triangle fill when checked
    Argb uncheckedColour = 0xFF000000;   // triangle fill otherwise
    Argb thirdColour = 0xFF000000;       // kept for the page, not drawn
    Argb onColour = 0;                   // power knob symbol and round lamp when checked

protected:
    // [window thread] The painter of the paint style, then the focus rectangle.
    void Paint(KopPaintFrame& frame) override;
};

}  // namespace nuv::kop
