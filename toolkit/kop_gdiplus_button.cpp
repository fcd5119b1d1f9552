#include "toolkit/kop_gdiplus_button.h"

#include "toolkit/kop_button_painters.h"

namespace nuv::kop {

void KopGdiPlusButton::Paint(KopPaintFrame& frame) {
    KopButtonLook look;
    look.width = designWidth;
    look.height = designHeight;
    look.checked = Checked();
    look.icon = icon;
    look.checkedColour = checkedColour;
    look.uncheckedColour = uncheckedColour;
    look.onColour = onColour;
    PaintButtonStyle(frame, paintStyle, look);
    if (FocusDrawn()) frame.DrawFocusRectangle();
}

}  // namespace nuv::kop
