// What the two text displays share: a caption drawn as filled outlines of a
// font whose size follows the control's scale, and a window text that only
// repaints. The caption, never the window text, is what shows: a page sets
// it with SetCaption.
#pragma once

#include <string>
#include <utility>

#include "toolkit/kop_drawn_static.h"
#include "toolkit/kop_gdiplus_drawing.h"

namespace nuv::kop {

class KopCaptionStatic : public KopDrawnStatic {
public:
    // [window thread] Stores the caption and repaints; with captionIsTooltip
    // and the control attached, the caption also becomes the tooltip's text.
    void SetCaption(const std::wstring& text);
    const std::wstring& Caption() const { return caption_; }

    // The font size drawn now: the design size times the scale.
    float FontSizeNow() const { return scale * font.size; }

    // Set by the page during its set-up; Repaint() applies them later.
    KopFont font;                   // size in design pixels
    bool captionIsTooltip = false;  // every caption set also becomes the tooltip

protected:
    explicit KopCaptionStatic(KopFont defaultFont) : font(std::move(defaultFont)) {}

    // [window thread] A window text set from outside only repaints.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::wstring caption_;
};

}  // namespace nuv::kop
