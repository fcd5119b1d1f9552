#include "toolkit/kop_gdiplus_range_slider.h"

#include <windowsx.h>

#include "platform/win32/mouse_tracking.h"
#include "toolkit/kop_gdiplus_drawing.h"
#include "toolkit/kop_messages.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr Argb kRangeBackground = 0xFF3C3C3D;
constexpr Argb kThumbOutline = 0xFF000000;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void KopGdiPlusRangeSlider::SetRange(float minimum, float maximum) {
    range_ = SpanRange{minimum, maximum};
    span_ = Normalised(span_, range_);
}

void KopGdiPlusRangeSlider::SetSpan(float low, float high) {
    span_ = Normalised(Span{low, high}, range_);
    Repaint();
}

void KopGdiPlusRangeSlider::ShowEnds(float low, float high) {
    span_ = EachWithin(Span{low, high}, range_);
    Repaint();
}

RangeLayout KopGdiPlusRangeSlider::Layout() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const float w = static_cast<float>(client.right);
    const float h = static_cast<float>(client.bottom);
    return horizontal ? LayOut(span_, range_, w, h) : LayOut(span_, range_, h, w);
}

float KopGdiPlusRangeSlider::Along(LPARAM point) const {
    return static_cast<float>(horizontal ? GET_X_LPARAM(point) : GET_Y_LPARAM(point));
}

float KopGdiPlusRangeSlider::Across(LPARAM point) const {
    return static_cast<float>(horizontal ? GET_Y_LPARAM(point) : GET_X_LPARAM(point));
}

void KopGdiPlusRangeSlider::PostChange(std::int32_t part) const {
    PostMessageW(GetParent(Handle()), WM_RANGE_CHANGED, static_cast<WPARAM>(ControlId()), static_cast<LPARAM>(part));
}

void KopGdiPlusRangeSlider::OnPress(LPARAM point) {
    SetFocus(Handle());
    Repaint();
    if (drag_.Active()) return;
    const RangeLayout layout = Layout();
    const float along = Along(point);
    const float across = Across(point);
    const RangePart hit = HitPart(layout, along, across);
    if (hit == kNoPart) return;
    const AxisRect& grabbed = hit == kLowThumb ? layout.lowThumb : hit == kHighThumb ? layout.highThumb : layout.span;
    part_ = hit;
    grabAlong_ = along - grabbed.CentreAlong();
    grabAcross_ = across - grabbed.CentreAcross();
    drag_.Begin(Handle());
}

void KopGdiPlusRangeSlider::OnMove(LPARAM point) {
    if (!tracking_) tracking_ = win32::RequestMouseNotification(Handle(), TME_HOVER | TME_LEAVE, 1);
    if (hovering_) ShowCursorFor(point);
    if (!drag_.Active()) return;
    const Span moved = Dragged(span_, part_, Along(point) - grabAlong_, range_, Layout());
    const bool changed = part_ == kLowThumb    ? moved.low != span_.low
                         : part_ == kHighThumb ? moved.high != span_.high
                                               : moved.low != span_.low || moved.high != span_.high;
    if (!changed) return;
    span_ = moved;
    PostChange(part_);
    Repaint();
}

// Arrow keys along the layout, without Control. Every handled key is
// reported, also one whose move was refused at an end of the range.
bool KopGdiPlusRangeSlider::OnKey(WPARAM key) {
    const bool increase = horizontal ? key == VK_RIGHT : key == VK_DOWN;
    const bool decrease = horizontal ? key == VK_LEFT : key == VK_UP;
    if ((!increase && !decrease) || KeyDown(VK_CONTROL)) return false;
    const RangeLayout layout = Layout();
    if (!(layout.track > 0.0f) || !(range_.maximum > range_.minimum)) return false;
    const bool widthOnly = KeyDown(VK_SHIFT);
    if (const std::optional<Span> moved = KeyStepped(span_, range_, layout.track, increase, widthOnly)) span_ = *moved;
    PostChange(widthOnly ? kLowThumb : kSpanPart);
    Repaint();
    return true;
}

void KopGdiPlusRangeSlider::ShowCursorFor(LPARAM point) {
    const RangePart hit = HitPart(Layout(), Along(point), Across(point));
    cursorKind_ = hit == kLowThumb || hit == kHighThumb ? kResizeCursor : hit == kSpanPart ? kMoveCursor : kDefaultCursor;
    const wchar_t* shape = cursorKind_ == kResizeCursor ? (horizontal ? IDC_SIZEWE : IDC_SIZENS)
                           : cursorKind_ == kMoveCursor ? IDC_SIZEALL
                                                        : IDC_ARROW;
    SetCursor(LoadCursorW(nullptr, shape));
}

bool KopGdiPlusRangeSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (drag_.EndedBy(message, lParam, Handle())) Repaint();
    switch (message) {
    case WM_LBUTTONDOWN:
        OnPress(lParam);
        return false;
    case WM_MOUSEMOVE:
        OnMove(lParam);
        return false;
    case WM_LBUTTONUP:
        if (drag_.End()) Repaint();
        return false;
    case WM_MOUSEHOVER:
        hovering_ = true;
        ShowCursorFor(lParam);
        return false;
    case WM_MOUSELEAVE:
        hovering_ = false;
        tracking_ = false;
        cursorKind_ = kDefaultCursor;
        return false;
    case WM_SETCURSOR:
        if (!hovering_ || cursorKind_ == kDefaultCursor) return false;
        result = TRUE;  // the cursor of the part under the mouse stays
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        return false;
    case WM_GETDLGCODE:
        result = DefaultProcessing(message, wParam, lParam) | DLGC_WANTARROWS;
        return true;
    case WM_KEYDOWN:
        if (!OnKey(wParam)) return false;
        result = 0;
        return true;
    default:
        return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    }
}

void KopGdiPlusRangeSlider::Paint(KopPaintFrame& frame) {
    Gdiplus::GpGraphics* g = frame.Graphics();
    UseAntiAliasing(g, false);
    FillRectangle(g, kRangeBackground, 0.0f, 0.0f, static_cast<float>(frame.Width()),
                  static_cast<float>(frame.Height()));
    const RangeLayout layout = Layout();
    // Along/across rectangles turned into client ones.
    const auto toClient = [this](const AxisRect& r) {
        return horizontal ? Gdiplus::RectF(r.along, r.across, r.length, r.thickness)
                          : Gdiplus::RectF(r.across, r.along, r.thickness, r.length);
    };
    const Gdiplus::RectF span = toClient(layout.span);
    FillRectangle(g, spanColour, span.X, span.Y, span.Width, span.Height);
    const win32::GpPenOwner outline = MakePen(kThumbOutline, 1.0f);
    for (const AxisRect* thumb : {&layout.lowThumb, &layout.highThumb}) {
        const Gdiplus::RectF r = toClient(*thumb);
        FillRectangle(g, thumbColour, r.X, r.Y, r.Width, r.Height);
        gp::GdipDrawRectangle(g, outline.Get(), r.X, r.Y, r.Width - 1.0f, r.Height - 1.0f);
    }
}

}  // namespace nuv::kop
