// The looks of KopGdiPlusButton, one painter per paint style: the logo badge,
// the check box, the six waveform icons, the lamp bar, the power knob, the
// round lamp and the two arrow triangles. Each draws in the control's design
// pixels (the frame's page scale is the control's scale).
#pragma once

#include <cstdint>

#include "toolkit/kop_colour.h"
#include "toolkit/kop_paint_frame.h"

namespace nuv::kop {

// What a painter reads from its button.
struct KopButtonLook {
    float width = 0.0f;   // W: design width
    float height = 0.0f;  // H: design height
    bool checked = false;
    std::int32_t icon = 0;  // waveform icon of style 3 (1 to 6)
    Argb checkedColour = 0xFF000000;
    Argb uncheckedColour = 0xFF000000;
    Argb onColour = 0;
};

// The word on the logo badge.
inline constexpr wchar_t kBadgeText[] = L"TELMARO";
inline constexpr wchar_t kBadgeFontFamily[] = L"Corbel";

// [window thread] Draws `look` in paint style `style` into the frame; styles
// without a painter here (7 and above 9 among them) draw nothing.
void PaintButtonStyle(KopPaintFrame& frame, std::int32_t style, const KopButtonLook& look);

}  // namespace nuv::kop
