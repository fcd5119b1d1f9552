#include "toolkit/kop_gdiplus_slider.h"

#include <cmath>

#include <windowsx.h>

#include "toolkit/kop_messages.h"
#include "toolkit/kop_slider_painter.h"

namespace nuv::kop {

void KopGdiPlusSlider::SetRange(float minimum, float maximum) {
    range_ = SliderRange{minimum, maximum};
    value_ = ClampToRange(value_, range_);
}

bool KopGdiPlusSlider::SetValue(float value) {
    const float kept = ClampToRange(value, range_);
    if (kept == value_) return false;
    value_ = kept;
    Repaint();
    return true;
}

void KopGdiPlusSlider::SetEnabled(bool enabled) {
    if (!enabled) EndDrag();
    enabled_ = enabled;
    Repaint();
}

void KopGdiPlusSlider::EndDrag() {
    if (drag_.End()) PostValue(WM_SLIDER_CHANGED);
}

SliderAxis KopGdiPlusSlider::Axis() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return AxisOf(paintStyle, vertical, static_cast<float>(client.right), static_cast<float>(client.bottom));
}

float KopGdiPlusSlider::AlongAxis(LPARAM point) const {
    return static_cast<float>(vertical ? GET_Y_LPARAM(point) : GET_X_LPARAM(point));
}

void KopGdiPlusSlider::PostValue(UINT message) const {
    PostMessageW(GetParent(Handle()), message, static_cast<WPARAM>(ControlId()),
                 static_cast<LPARAM>(NotifiedValue(value_)));
}

// A press on the thumb keeps the distance to its centre; a press beside it
// brings the centre to the mouse.
void KopGdiPlusSlider::BeginDrag(float p) {
    drag_.Begin(Handle());
    SetFocus(Handle());
    const SliderAxis axis = Axis();
    const float offset = p - ThumbCentre(value_, range_, axis);
    grab_ = std::fabs(offset) <= axis.thumbMargin ? offset : 0.0f;
    DragTo(p);
}

void KopGdiPlusSlider::DragTo(float p) {
    const SliderAxis axis = Axis();
    const float target = DragTarget(p, grab_, axis);
    if (target == ThumbCentre(value_, range_, axis)) return;
    SetValue(ValueAtCentre(target, range_, axis));
    PostValue(WM_SLIDER_CHANGING);
}

bool KopGdiPlusSlider::OnKey(WPARAM key) {
    SliderKey which{};
    switch (key) {
    case VK_PRIOR: which = SliderKey::kPageUp; break;
    case VK_NEXT: which = SliderKey::kPageDown; break;
    case VK_END: which = SliderKey::kEnd; break;
    case VK_HOME: which = SliderKey::kHome; break;
    case VK_LEFT:
    case VK_UP: which = SliderKey::kDecrease; break;
    case VK_RIGHT:
    case VK_DOWN: which = SliderKey::kIncrease; break;
    default: return false;
    }
    SetValue(KeyedValue(which, value_, defaultValue, pageStep, range_));
    PostValue(WM_SLIDER_CHANGED);
    return true;
}

// Every key comes to the slider, except while Tab is held: then the dialog
// moves the focus on.
LRESULT KopGdiPlusSlider::DialogCode(WPARAM wParam, LPARAM lParam) const {
    const LRESULT own = DefaultProcessing(WM_GETDLGCODE, wParam, lParam);
    return (GetKeyState(VK_TAB) & 0x8000) != 0 ? own : own | DLGC_WANTALLKEYS;
}

bool KopGdiPlusSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (drag_.EndedBy(message, lParam, Handle())) PostValue(WM_SLIDER_CHANGED);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        if (showFocus) Repaint();
        return false;
    case WM_GETDLGCODE:
        result = DialogCode(wParam, lParam);
        return true;
    default:
        break;
    }
    if (!enabled_) return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    switch (message) {
    case WM_LBUTTONDOWN:
        BeginDrag(AlongAxis(lParam));
        return false;
    case WM_MOUSEMOVE:
        if (drag_.Active()) DragTo(AlongAxis(lParam));
        return false;
    case WM_LBUTTONUP:
        EndDrag();
        return false;
    case WM_RBUTTONDOWN:
        if (value_ != defaultValue) SetValue(defaultValue);
        PostValue(WM_SLIDER_CHANGING);
        return false;
    case WM_MOUSEWHEEL:
        SetValue(WheelStepped(value_, GET_WHEEL_DELTA_WPARAM(wParam) > 0, reverseWheel, range_));
        PostValue(WM_SLIDER_CHANGING);
        result = 0;
        return true;
    case WM_KEYDOWN:
        if (!OnKey(wParam)) return false;
        result = 0;
        return true;
    default:
        return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    }
}

void KopGdiPlusSlider::Paint(KopPaintFrame& frame) {
    KopSliderLook look;
    look.paintStyle = paintStyle;
    look.vertical = vertical;
    look.value = value_;
    look.range = range_;
    look.thumbColourTop = thumbColourTop;
    look.thumbColourBottom = thumbColourBottom;
    look.barColour = barColour;
    look.barFromFarEnd = barFromFarEnd;
    look.enabled = enabled_;
    PaintSliderLook(frame, look);
    focusDrawn_ = showFocus && focused_ && enabled_;
    if (focusDrawn_) frame.DrawFocusRectangle();
}

}  // namespace nuv::kop
