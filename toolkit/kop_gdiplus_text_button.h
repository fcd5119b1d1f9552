// The owner-drawn text button: a framed caption on a fill darkened from its
// on colour (paint style 7), checked like any KopButtonBase. Its caption is
// also its tooltip.
#pragma once

#include <string>

#include "toolkit/kop_button_base.h"
#include "toolkit/kop_colour.h"
#include "toolkit/kop_gdiplus_drawing.h"

namespace nuv::kop {

class KopGdiPlusTextButton : public KopButtonBase {
public:
    KopGdiPlusTextButton() : KopButtonBase(false) {}

    // [window thread, once attached] Stores the caption, repaints, and makes
    // it the tooltip's text.
    void SetCaption(const std::wstring& text);
    const std::wstring& Caption() const { return caption_; }

    // Set by the page during its set-up; Repaint() applies them later.
    Argb onColour = 0xFFFFFFFF;   // caption and frame when checked and enabled; base of the fill
    Argb offColour = 0xFF000000;  // caption and frame otherwise
    Argb thirdColour = 0xFF000000;  // kept for the page, not drawn
    KopFont font;                 // size in design pixels
    // Follows the window's enable state; a disabled button draws in its off colour.
    bool enabledLook = true;

protected:
    // [window thread] Fill, frame and caption (paint style 7 only), then the focus rectangle.
    void Paint(KopPaintFrame& frame) override;
    // [window thread]
    void OnEnableChanged(bool enabled) override { enabledLook = enabled; }

private:
    std::wstring caption_;
};

}  // namespace nuv::kop
