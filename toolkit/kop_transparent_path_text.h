// A title drawn as a text path over the page background, centred in the
// control and filled with a metallic vertical gradient: light metal (paint
// style 12) or white to black (13); other styles draw nothing.
#pragma once

#include <cstdint>

#include "toolkit/kop_caption_static.h"

namespace nuv::kop {

class KopTransparentPathText : public KopCaptionStatic {
public:
    // "Arial" at size 12, no paint style.
    KopTransparentPathText();

    // Set by the page during its set-up; Repaint() applies them later.
    std::int32_t paintStyle = 0;
    // A private font collection of the page's own; when set and not empty,
    // its first family is drawn instead of the font's family name. The page
    // keeps it alive while the control draws.
    Gdiplus::GpFontCollection* fontCollection = nullptr;

protected:
    // [window thread] The caption centred, filled with the style's gradient.
    void Paint(KopPaintFrame& frame) override;
};

}  // namespace nuv::kop
