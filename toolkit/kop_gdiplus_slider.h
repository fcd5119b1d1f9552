// The value slider of the pages: a value between a minimum and a maximum,
// dragged with the mouse, stepped with the wheel and the keys, reset to its
// default by a right click, drawn in the horizontal (paint style 11) or the
// vertical look (10). The value runs from the minimum at the left (or top) to
// the maximum at the right (or bottom) and never leaves that range.
//
// Posted to the parent, wParam the slider's identifier, lParam the value
// truncated toward zero: WM_SLIDER_CHANGING at each drag step that moves the
// thumb, each wheel notch and each right-click reset; WM_SLIDER_CHANGED when
// a drag ends (release, or the capture lost, cancelled or destroyed: always
// exactly once) and at each handled key.
#pragma once

#include <cstdint>

#include "toolkit/kop_drag.h"
#include "toolkit/kop_drawn_static.h"
#include "toolkit/slider_scale.h"

namespace nuv::kop {

class KopGdiPlusSlider : public KopDrawnStatic {
public:
    KopGdiPlusSlider() = default;

    // [window thread] The range (the value is kept within it; no repaint).
    void SetRange(float minimum, float maximum);
    float Minimum() const { return range_.minimum; }
    float Maximum() const { return range_.maximum; }

    // [window thread] Stores `value` kept within the range and repaints when
    // it changed; true when it changed. Nothing is posted.
    bool SetValue(float value);
    float Value() const { return value_; }

    // [window thread] A disabled slider ignores mouse, wheel and keys (and
    // the vertical look shows dimmed); disabling ends a drag in progress.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    // [window thread] Ends a drag in progress as a release does: the capture
    // goes and WM_SLIDER_CHANGED is posted once.
    void EndDrag();
    bool Dragging() const { return drag_.Active(); }
    bool Focused() const { return focused_; }
    bool FocusDrawn() const { return focusDrawn_; }

    // Set by the page during its set-up; Repaint() applies them later.
    float defaultValue = 0.0f;   // restored by a right click and by Home
    float pageStep = 20.0f;      // Page Up lowers, Page Down raises by it
    Argb thumbColourTop = 0xFF000000;
    Argb thumbColourBottom = 0xFF000000;
    Argb barColour = 0xFF000000;  // value bar of the horizontal look
    bool reverseWheel = false;    // a forward notch raises the value (else lowers it)
    bool barFromFarEnd = false;   // vertical look: the bar runs from the bottom (or middle)
    bool showFocus = false;       // draw a focus rectangle while focused
    bool vertical = false;        // the value runs along y
    std::int32_t paintStyle = 0;  // 10 vertical look, 11 horizontal look

protected:
    // [window thread] Mouse, wheel, keys, focus, the dialog code and the ends of a drag.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] The look of the paint style, then the focus rectangle.
    void Paint(KopPaintFrame& frame) override;

private:
    SliderAxis Axis() const;
    float AlongAxis(LPARAM point) const;
    void BeginDrag(float p);
    void DragTo(float p);
    void PostValue(UINT message) const;
    bool OnKey(WPARAM key);
    LRESULT DialogCode(WPARAM wParam, LPARAM lParam) const;

    SliderRange range_;
    float value_ = 0.0f;
    float grab_ = 0.0f;
    bool focused_ = false;
    bool focusDrawn_ = false;
    bool enabled_ = true;
    KopDrag drag_;
};

}  // namespace nuv::kop
