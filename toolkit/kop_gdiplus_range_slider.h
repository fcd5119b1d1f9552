// The range slider of the pages: a low and a high value within one range,
// changed by dragging either thumb or the whole span between them, or with
// the arrow keys (Shift changes the span's width, otherwise the span moves).
// Its own moves always keep minimum <= low <= high <= maximum; only ShowEnds
// can show an inverted pair.
//
// Posted to the parent, wParam the slider's identifier: WM_RANGE_CHANGED with
// the part dragged (kLowThumb, kHighThumb, kSpanPart) at each drag step that
// changed a value, and at each arrow key (0 with Shift held, 2 without).
#pragma once

#include <cstdint>

#include "toolkit/kop_drag.h"
#include "toolkit/kop_drawn_static.h"
#include "toolkit/range_span.h"

namespace nuv::kop {

enum KopCursorKind : std::int32_t {
    kDefaultCursor = 0,
    kResizeCursor = 1,  // over a thumb
    kMoveCursor = 2,    // over the span
};

class KopGdiPlusRangeSlider : public KopDrawnStatic {
public:
    KopGdiPlusRangeSlider() = default;

    // [window thread] The range; the span is brought within it (no repaint).
    void SetRange(float minimum, float maximum);
    float Minimum() const { return range_.minimum; }
    float Maximum() const { return range_.maximum; }

    // [window thread] Sets both ends, normalised: low raised to the minimum,
    // high to low, high lowered to the maximum, low to high. Repaints.
    void SetSpan(float low, float high);
    // [window thread] Shows both ends where they are, each kept within the
    // range on its own: an inverted pair (low above high) stays inverted and
    // shows its two thumbs with no span between them. Repaints. A drag or an
    // arrow key then starts from these ends and puts them in order.
    void ShowEnds(float low, float high);
    float Low() const { return span_.low; }
    float High() const { return span_.high; }

    bool Dragging() const { return drag_.Active(); }
    RangePart DraggedPart() const { return part_; }
    bool Hovering() const { return hovering_; }
    std::int32_t CursorKind() const { return cursorKind_; }

    // Set by the page during its set-up; Repaint() applies them later.
    Argb thumbColour = 0xFFBEBEBE;
    Argb spanColour = 0xFF939073;
    bool horizontal = true;  // the span runs along x (else along y)

protected:
    // [window thread] Mouse, arrow keys, hover, cursor, focus and the ends of a drag.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // [window thread] The span, then both thumbs, over the slider's own background.
    void Paint(KopPaintFrame& frame) override;

private:
    RangeLayout Layout() const;
    float Along(LPARAM point) const;
    float Across(LPARAM point) const;
    void OnPress(LPARAM point);
    void OnMove(LPARAM point);
    bool OnKey(WPARAM key);
    void ShowCursorFor(LPARAM point);
    void PostChange(std::int32_t part) const;

    SpanRange range_;
    Span span_;
    RangePart part_ = kLowThumb;
    std::int32_t cursorKind_ = kDefaultCursor;
    float grabAlong_ = 0.0f;
    float grabAcross_ = 0.0f;
    bool hovering_ = false;
    bool tracking_ = false;
    KopDrag drag_;
};

}  // namespace nuv::kop
