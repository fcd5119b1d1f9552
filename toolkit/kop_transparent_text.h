// A caption drawn as filled text outlines over the page background, aligned
// as the template's static style says (left, centred or right) and as the
// page sets vertically; optionally on a box that can mark it highlighted.
// The wheel over it asks the page for a step.
#pragma once

#include <cstdint>

#include "toolkit/kop_caption_static.h"

namespace nuv::kop {

enum KopVerticalAlignment : std::int32_t {
    kAlignTop = 1,
    kAlignCentre = 2,
    kAlignBottom = 3,
};

inline constexpr Argb kTextBoxColour = 0xFF787864;

class KopTransparentText : public KopCaptionStatic {
public:
    // White text, font size 12, no family named (the sans-serif one draws),
    // vertically centred, no box.
    KopTransparentText();

    // Set by the page during its set-up; Repaint() applies them later. The
    // text colour is the inherited textColour (a Windows colour value, used
    // opaque).
    std::int32_t verticalAlignment = kAlignCentre;
    bool boxed = false;  // fill the client area with kTextBoxColour before the text

protected:
    // [window thread] The wheel posts WM_TEXT_WHEEL with -1 (backward) or +1.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] The box, then the caption in the opaque text colour.
    void Paint(KopPaintFrame& frame) override;
};

}  // namespace nuv::kop
